#include "windows/RatingChartWindow.h"

#include "store/MatchTable.h"
#include "windows/ChartKit.h"
#include "windows/KeyRules.h"
#include "windows/WindowKit.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  PUAN GRAFİĞİ");
const QString kPlayed = QStringLiteral("%1: %2 maç günü, bütün liglerde.");
const QString kNotPlayed = QStringLiteral("%1 henüz hiç maç oynamadı.");

// A day as the date axis counts it.
qreal axisValue(const QDate& day) {
    return qreal(day.startOfDay().toMSecsSinceEpoch());
}

} // namespace

RatingChartWindow::RatingChartWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("RatingChartWindow"));
    setWindowTitle(kCaption);
    setDialogTitleBar(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setFont(windowFont());
    setSizeGripEnabled(true);

    ratingChart = chartkit::makeChartView(QStringLiteral("RatingChart"), this);
    noteLabel = new QLabel(this);
    noteLabel->setObjectName(QStringLiteral("NoteLabel"));
    closeButton = new QPushButton(QStringLiteral("Kapat"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    closeButton->setAutoDefault(false);
    KeyRule::install(closeButton, KeyRule::Typed::Anything, [this] { closeButton->click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(noteLabel, 1);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ratingChart, 1);
    layout->addLayout(buttons);
    resize(760, 480);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void RatingChartWindow::showTeam(const QString& team) {
    const std::vector<RatingStep> steps = program_.table().ratingHistory(team);
    QChart* chart = ratingChart->chart();
    chartkit::clearChart(chart);
    chart->setTitle(team);

    QList<QPointF> home;
    QList<QPointF> away;
    for (const RatingStep& step : steps) {
        home.append(QPointF(axisValue(step.day), step.home));
        away.append(QPointF(axisValue(step.day), step.away));
    }
    chartkit::addLine(chart, QStringLiteral("İç saha puanı"), chartkit::kNavy, home);
    chartkit::addLine(chart, QStringLiteral("Dış saha puanı"), chartkit::kMaroon, away);

    auto* dayAxis = new QDateTimeAxis;
    dayAxis->setTitleText(QStringLiteral("Tarih"));
    dayAxis->setFormat(QStringLiteral("dd.MM.yyyy"));
    // A day of room on each side, so that a single day still has a width.
    const QDate first = steps.empty() ? program_.today() : steps.front().day;
    const QDate last = steps.empty() ? program_.today() : steps.back().day;
    dayAxis->setRange(first.addDays(-1).startOfDay(), last.addDays(1).startOfDay());
    dayAxis->setTickCount(std::clamp(int(steps.size()) + 2, 3, 7));
    chartkit::attachAxis(chart, dayAxis, Qt::AlignBottom);
    QValueAxis* pointsAxis = chartkit::makeValueAxis(QStringLiteral("Puan"), QStringLiteral("%.1f"));
    double low = 0;
    double high = 1;
    if (!steps.empty()) {
        low = std::min(steps.front().home, steps.front().away);
        high = std::max(steps.front().home, steps.front().away);
        for (const RatingStep& step : steps) {
            low = std::min({low, step.home, step.away});
            high = std::max({high, step.home, step.away});
        }
    }
    const double room = std::max(0.1, (high - low) * 0.1);
    pointsAxis->setRange(low - room, high + room);
    pointsAxis->applyNiceNumbers();
    chartkit::attachAxis(chart, pointsAxis, Qt::AlignLeft);

    noteLabel->setText(steps.empty() ? kNotPlayed.arg(team) : kPlayed.arg(team).arg(steps.size()));
    if (!isVisible()) {
        centreOverMainWindow(this, program_);
        show();
    }
    raise();
    activateWindow();
}

} // namespace vezal
