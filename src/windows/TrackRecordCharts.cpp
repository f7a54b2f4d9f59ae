#include "windows/TrackRecordWindow.h"

#include "windows/ChartKit.h"
#include "windows/TrackRecordFigures.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

// The Başarı window's four charts, drawn from the shown walk.
namespace vezal {

namespace {

const QString kHitRateTitle = QStringLiteral("Sezonlara göre ilk işaret isabeti");
const QString kProfitTitle = QStringLiteral("Sabit bahis: her tahminin ilk işaretine 1 birim");
const QString kNoOdds = QStringLiteral("Sabit bahis: oranı kayıtlı maç yok");
const QString kValueProfitTitle = QStringLiteral("Değerli bahislerin birikimli kârı (birim)");
const QString kNoValueOdds = QStringLiteral("Değerli bahis: oranı kayıtlı tahmin yok");

// A profit axis with room around the line's lowest and highest point, zero always in sight.
QValueAxis* profitAxis(const QList<QPointF>& points) {
    double low = 0;
    double high = 0;
    for (const QPointF& point : points) {
        low = std::min(low, point.y());
        high = std::max(high, point.y());
    }
    QValueAxis* axis = chartkit::makeValueAxis(QStringLiteral("Kâr (birim)"), QStringLiteral("%.1f"));
    axis->setRange(low - 0.5, high + 0.5);
    axis->applyNiceNumbers();
    return axis;
}

QValueAxis* countAxis(const QString& title, qsizetype count) {
    QValueAxis* axis = chartkit::makeValueAxis(title, QStringLiteral("%.0f"));
    // At least four, so that the ticks of a short or empty line are whole numbers, each once.
    axis->setRange(0, std::max<double>(4, double(count)));
    axis->applyNiceNumbers();
    return axis;
}

} // namespace

void TrackRecordWindow::fillHitRateChart() {
    QChart* chart = hitRateChart->chart();
    chart->setTitle(kHitRateTitle);
    const std::vector<SeasonFigures>& seasons = record_->seasons;
    // One point per season that counted the figure.
    const auto perSeason = [&seasons](Tally TrackFigures::*figure) {
        QList<QPointF> points;
        for (std::size_t i = 0; i < seasons.size(); ++i)
            if (const std::optional<double> percent = (seasons[i].figures.*figure).percent())
                points.append(QPointF(double(i), *percent));
        return points;
    };
    chartkit::addLine(chart, QStringLiteral("Vezal ilk işaret"), chartkit::kNavy,
                      perSeason(&TrackFigures::firstSign));
    chartkit::addLine(chart, QStringLiteral("Hep ev sahibi"), chartkit::kMaroon,
                      perSeason(&TrackFigures::alwaysHome));
    chartkit::addLine(chart, QStringLiteral("Bahisçinin favorisi"), chartkit::kTeal,
                      perSeason(&TrackFigures::bookmakerFavourite));

    auto* seasonAxis = new QCategoryAxis;
    seasonAxis->setTitleText(QStringLiteral("Sezon"));
    seasonAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    seasonAxis->setStartValue(-0.5);
    for (std::size_t i = 0; i < seasons.size(); ++i)
        seasonAxis->append(shortSeasonText(seasons[i].season), double(i));
    seasonAxis->setRange(-0.5, std::max<double>(0.5, double(seasons.size()) - 0.5));
    // Upright when many, so that each label gets the axis' height instead of a season's width.
    if (seasons.size() > 6)
        seasonAxis->setLabelsAngle(-90);
    chartkit::attachAxis(chart, seasonAxis, Qt::AlignBottom);
    QValueAxis* rateAxis = chartkit::makeValueAxis(QStringLiteral("İsabet (%)"), QStringLiteral("%.0f"));
    rateAxis->setRange(0, 100);
    rateAxis->setTickCount(6);
    chartkit::attachAxis(chart, rateAxis, Qt::AlignLeft);
}

void TrackRecordWindow::fillProfitChart() {
    QChart* chart = profitChart->chart();
    chart->setTitle(record_->overall.bets > 0 ? kProfitTitle : kNoOdds);
    QList<QPointF> points;
    for (std::size_t i = 0; i < record_->matches.size(); ++i)
        points.append(QPointF(double(i + 1), record_->matches[i].cumulativeProfit));
    chartkit::addLine(chart, QStringLiteral("Toplam kâr"), chartkit::kNavy, points);
    chartkit::attachAxis(chart, countAxis(QStringLiteral("Maç"), points.size()), Qt::AlignBottom);
    chartkit::attachAxis(chart, profitAxis(points), Qt::AlignLeft);
}

// Every outcome the model gave a probability for, by its probability in ten bins: how often it happened
// against how likely the model said it was. A calibrated model keeps to the diagonal.
void TrackRecordWindow::fillCalibrationChart() {
    QChart* chart = calibrationChart->chart();
    chart->setTitle(QStringLiteral("Model olasılıkları ve gerçekleşen (%)"));
    QList<QPointF> points;
    for (const CalibrationBin& bin : record_->overall.model.calibration)
        if (bin.meanPredicted() && bin.observed())
            points.append(QPointF(100 * *bin.meanPredicted(), 100 * *bin.observed()));
    chartkit::addLine(chart, QStringLiteral("Model"), chartkit::kNavy, points);
    chartkit::addLine(chart, QStringLiteral("Tam isabet"), chartkit::kMaroon,
                      {QPointF(0, 0), QPointF(100, 100)});
    for (Qt::Alignment side : {Qt::AlignBottom, Qt::AlignLeft}) {
        QValueAxis* axis = chartkit::makeValueAxis(
            side == Qt::AlignBottom ? QStringLiteral("Olasılık (%)") : QStringLiteral("Gerçekleşen (%)"),
            QStringLiteral("%.0f"));
        axis->setRange(0, 100);
        axis->setTickCount(6);
        chartkit::attachAxis(chart, axis, side);
    }
}

// Only the matches the model bet on, in date order: a match's point adds what its value bets won or lost.
void TrackRecordWindow::fillValueProfitChart() {
    QChart* chart = valueProfitChart->chart();
    chart->setTitle(record_->overall.model.withOdds > 0 ? kValueProfitTitle : kNoValueOdds);
    QList<QPointF> points;
    // Beside it what the same bets were worth at the closing prices: luck leaves this line alone, so a
    // profit far above it is mostly luck.
    QList<QPointF> atClose;
    double profit = 0;
    double closeValue = 0;
    for (const TrackedMatch& match : record_->matches) {
        if (!match.modelVerdicts || !match.modelVerdicts->againstOdds ||
            match.modelVerdicts->againstOdds->valueSigns.isEmpty())
            continue;
        profit += match.modelVerdicts->againstOdds->valueProfit;
        for (const ValueBet& bet : match.modelVerdicts->valueBets)
            closeValue += bet.closeValue.value_or(0);
        points.append(QPointF(double(points.size() + 1), profit));
        atClose.append(QPointF(double(atClose.size() + 1), closeValue));
    }
    chartkit::addLine(chart, QStringLiteral("Değer kârı"), chartkit::kNavy, points);
    if (record_->overall.model.closeValue.count > 0)
        chartkit::addLine(chart, QStringLiteral("Kapanışta beklenen değer"), chartkit::kTeal, atClose);
    chartkit::attachAxis(chart, countAxis(QStringLiteral("Değerli bahisli maç"), points.size()),
                         Qt::AlignBottom);
    chartkit::attachAxis(chart, profitAxis(points + atClose), Qt::AlignLeft);
}

} // namespace vezal
