#include "windows/ChartKit.h"

#include "common/Names.h"
#include "windows/WindowKit.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QValueAxis>

namespace vezal::chartkit {

QChartView* makeChartView(const QString& name, QWidget* parent) {
    auto* chart = new QChart;
    const QFont font = windowFont();
    chart->setFont(font);
    chart->setTitleFont(font);
    chart->setTitleBrush(kNavy);
    chart->legend()->setFont(font);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setLocalizeNumbers(true);
    chart->setLocale(turkishLocale());
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(360, 260);
    return view;
}

QLineSeries* addLine(QChart* chart, const QString& name, const QColor& colour, const QList<QPointF>& points) {
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(colour);
    pen.setWidth(2);
    series->setPen(pen);
    series->setPointsVisible(points.size() <= 60);
    series->append(points);
    chart->addSeries(series);
    return series;
}

QValueAxis* makeValueAxis(const QString& title, const QString& format) {
    auto* axis = new QValueAxis;
    const QFont font = windowFont();
    axis->setTitleText(title);
    axis->setTitleFont(font);
    axis->setTitleBrush(kMaroon);
    axis->setLabelsFont(font);
    axis->setLabelFormat(format);
    return axis;
}

void attachAxis(QChart* chart, QAbstractAxis* axis, Qt::Alignment side) {
    const QFont font = windowFont();
    axis->setTitleFont(font);
    axis->setTitleBrush(kMaroon);
    axis->setLabelsFont(font);
    chart->addAxis(axis, side);
    for (QAbstractSeries* series : chart->series())
        series->attachAxis(axis);
}

void clearChart(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(QString());
}

} // namespace vezal::chartkit
