#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

class QAbstractAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
class QWidget;

namespace vezal {

// What the program's charts share: the window font, Turkish numbers on the axes, the main window's colours.
namespace chartkit {

inline const QColor kNavy(0x00, 0x00, 0x80);
inline const QColor kMaroon(0x80, 0x00, 0x00);
inline const QColor kTeal(0x00, 0x80, 0x80);

// A view of an empty chart, antialiased, its legend below.
QChartView* makeChartView(const QString& name, QWidget* parent = nullptr);

// A line with its points marked while they are few, so that a single point still shows.
QLineSeries* addLine(QChart* chart, const QString& name, const QColor& colour, const QList<QPointF>& points);

// A value axis with a title; the format is printf's ("%.1f"), the chart localises it.
QValueAxis* makeValueAxis(const QString& title, const QString& format);

// Puts an axis on one side of the chart and ties every series to it.
void attachAxis(QChart* chart, QAbstractAxis* axis, Qt::Alignment side);

// Drops the chart's series and axes.
void clearChart(QChart* chart);

} // namespace chartkit

} // namespace vezal
