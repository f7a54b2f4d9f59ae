#include "windows/TrackRecordFigures.h"

#include "common/Names.h"

#include <QRegularExpression>
#include <cmath>

namespace vezal {

QString decimalText(double value, int decimals) {
    return showDecimal(value, decimals);
}

QString percentText(double percent) {
    return showPercent(percent);
}

QString shortSeasonText(const QString& season) {
    static const QRegularExpression full(QStringLiteral("^\\d\\d(\\d\\d-\\d\\d)$"));
    const QRegularExpressionMatch parts = full.match(season);
    return parts.hasMatch() ? parts.captured(1) : season;
}

QString countText(int count) {
    return turkishLocale().toString(count);
}

QString tallyText(const Tally& tally) {
    QString text = countText(tally.hits) + QStringLiteral(" / ") + countText(tally.counted);
    if (const std::optional<double> percent = tally.percent())
        text += QStringLiteral("  (") + percentText(*percent) + u')';
    return text;
}

// A mean score with four decimals; "-" over no matches.
QString meanText(const std::optional<double>& mean) {
    return mean ? decimalText(*mean, 4) : QStringLiteral("-");
}

namespace {
Tally predictedTally(const TrackFigures& f) {
    return {f.predicted(), f.matches};
}
} // namespace

const std::vector<FigureRow>& figureRows() {
    static const std::vector<FigureRow> rows = {
        {u"Maç",
         [](const TrackFigures& f) {
             return countText(f.matches);
         }},
        {u"Tahmin edilen",
         [](const TrackFigures& f) {
             return tallyText(predictedTally(f));
         }},
        {u"İlk işaret",
         [](const TrackFigures& f) {
             return tallyText(f.firstSign);
         }},
        {u"Çifte şans",
         [](const TrackFigures& f) {
             return tallyText(f.doubleChance);
         }},
        {u"Tek işaret",
         [](const TrackFigures& f) {
             return tallyText(f.singleSign);
         }},
        {u"Alt / Üst (kesin)",
         [](const TrackFigures& f) {
             return tallyText(f.underOverClear);
         }},
        {u"Alt / Üst (eğilim)",
         [](const TrackFigures& f) {
             return tallyText(f.underOverLean);
         }},
        {u"Gol aralığı",
         [](const TrackFigures& f) {
             return tallyText(f.goalsBand);
         }},
        {u"Skor",
         [](const TrackFigures& f) {
             return tallyText(f.exactScore);
         }},
        {u"Hep ev sahibi",
         [](const TrackFigures& f) {
             return tallyText(f.alwaysHome);
         }},
        {u"Bahisçinin favorisi",
         [](const TrackFigures& f) {
             return tallyText(f.bookmakerFavourite);
         }},
        {u"Bahisçinin ilk ikisi",
         [](const TrackFigures& f) {
             return tallyText(f.bookmakerTopTwo);
         }},
        {u"Bahis (1 birim)",
         [](const TrackFigures& f) {
             return countText(f.bets);
         }},
        {u"Kazanan bahis",
         [](const TrackFigures& f) {
             return tallyText({f.betsWon, f.bets});
         }},
        {u"Kâr (birim)",
         [](const TrackFigures& f) {
             return decimalText(f.profit, 2);
         }},
        {u"Getiri",
         [](const TrackFigures& f) {
             const std::optional<double> yield = f.yieldPercent();
             return yield ? percentText(*yield) : QStringLiteral("-");
         }},
        // The goals model's second opinion on the same matches.
        {u"Model ilk işaret",
         [](const TrackFigures& f) {
             return tallyText(f.model.firstSign);
         }},
        {u"Model alt / üst 2,5",
         [](const TrackFigures& f) {
             return tallyText(f.model.underOver);
         }},
        {u"Değer bahsi",
         [](const TrackFigures& f) {
             return countText(f.model.valueBets);
         }},
        {u"Kazanan değer bahsi",
         [](const TrackFigures& f) {
             return tallyText({f.model.valueWon, f.model.valueBets});
         }},
        {u"Değer kârı (birim)",
         [](const TrackFigures& f) {
             return decimalText(f.model.valueProfit, 2);
         }},
        {u"Değer getirisi",
         [](const TrackFigures& f) {
             const std::optional<double> yield = f.model.valueYieldPercent();
             return yield ? percentText(*yield) : QStringLiteral("-");
         }},
        {u"Model RPS",
         [](const TrackFigures& f) {
             return meanText(f.model.meanModelRps());
         }},
        {u"Bahisçi RPS",
         [](const TrackFigures& f) {
             return meanText(f.model.meanBookmakerRps());
         }},
        {u"Model log kaybı",
         [](const TrackFigures& f) {
             return meanText(f.model.meanModelLogLoss());
         }},
        {u"Bahisçi log kaybı",
         [](const TrackFigures& f) {
             return meanText(f.model.meanBookmakerLogLoss());
         }},
    };
    return rows;
}

} // namespace vezal
