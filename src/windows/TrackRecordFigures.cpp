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

const QString kHitsLabel = QStringLiteral(" (tutan)");
const QString kCountedLabel = QStringLiteral(" (sayılan)");
const QString kPercentLabel = QStringLiteral(" (%)");

// As many decimals as the table shows.
int decimalsOf(Figure::Kind kind) {
    return kind == Figure::Kind::Units ? 2 : kind == Figure::Kind::Percent ? 1 : 4;
}

// Rounded as the table shows it, so that a tiny negative is no "-0.00", in the form's decimal mark and
// without a thousands' one.
QString plainNumber(double value, int decimals, CsvForm form) {
    const double scale = std::pow(10.0, decimals);
    const double shown = std::round(value * scale) / scale;
    return csvNumber(QString::number(shown == 0 ? 0.0 : shown, 'f', decimals), form);
}

std::optional<double> percentOf(const std::optional<double>& share) {
    return share ? std::optional<double>(100 * *share) : std::nullopt;
}

// An end of the mean's 95 % interval, in percent; none below two bets.
std::optional<double> intervalEnd(const Spread& spread, bool upper) {
    const auto interval = spread.interval();
    if (!interval)
        return std::nullopt;
    return 100 * (upper ? interval->second : interval->first);
}

} // namespace

QString figureText(const Figure& figure) {
    const QString none = QStringLiteral("-");
    switch (figure.kind) {
    case Figure::Kind::Count:
        return countText(figure.tally.hits);
    case Figure::Kind::Tally:
        return tallyText(figure.tally);
    case Figure::Kind::Units:
        return figure.number ? decimalText(*figure.number, 2) : none;
    case Figure::Kind::Percent:
        return figure.number ? percentText(*figure.number) : none;
    case Figure::Kind::Mean:
        return meanText(figure.number);
    }
    return none;
}

const std::vector<FigureRow>& figureRows() {
    using F = TrackFigures;
    static const std::vector<FigureRow> rows = {
        {u"Maç",
         [](const F& f) {
             return Figure::count(f.matches);
         }},
        {u"Tahmin edilen",
         [](const F& f) {
             return Figure::of(predictedTally(f));
         }},
        {u"İlk işaret",
         [](const F& f) {
             return Figure::of(f.firstSign);
         }},
        {u"Çifte şans",
         [](const F& f) {
             return Figure::of(f.doubleChance);
         }},
        {u"Tek işaret",
         [](const F& f) {
             return Figure::of(f.singleSign);
         }},
        {u"Alt / Üst (kesin)",
         [](const F& f) {
             return Figure::of(f.underOverClear);
         }},
        {u"Alt / Üst (eğilim)",
         [](const F& f) {
             return Figure::of(f.underOverLean);
         }},
        {u"Gol aralığı",
         [](const F& f) {
             return Figure::of(f.goalsBand);
         }},
        {u"Skor",
         [](const F& f) {
             return Figure::of(f.exactScore);
         }},
        {u"Hep ev sahibi",
         [](const F& f) {
             return Figure::of(f.alwaysHome);
         }},
        {u"Bahisçinin favorisi",
         [](const F& f) {
             return Figure::of(f.bookmakerFavourite);
         }},
        {u"Bahisçinin ilk ikisi",
         [](const F& f) {
             return Figure::of(f.bookmakerTopTwo);
         }},
        {u"Bahis (1 birim)",
         [](const F& f) {
             return Figure::count(f.bets);
         }},
        {u"Kazanan bahis",
         [](const F& f) {
             return Figure::of({f.betsWon, f.bets});
         }},
        {u"Kâr (birim)",
         [](const F& f) {
             return Figure::units(f.profit);
         }},
        {u"Getiri",
         [](const F& f) {
             return Figure::percent(f.yieldPercent());
         }},
        // The goals model's second opinion on the same matches.
        {u"Model ilk işaret",
         [](const F& f) {
             return Figure::of(f.model.firstSign);
         }},
        {u"Model alt / üst 2,5",
         [](const F& f) {
             return Figure::of(f.model.underOver);
         }},
        {u"Değer bahsi",
         [](const F& f) {
             return Figure::count(f.model.valueBets);
         }},
        {u"Kazanan değer bahsi",
         [](const F& f) {
             return Figure::of({f.model.valueWon, f.model.valueBets});
         }},
        {u"Değer kârı (birim)",
         [](const F& f) {
             return Figure::units(f.model.valueProfit);
         }},
        {u"Değer getirisi",
         [](const F& f) {
             return Figure::percent(f.model.valueYieldPercent());
         }},
        {u"Model RPS",
         [](const F& f) {
             return Figure::mean(f.model.meanModelRps());
         }},
        {u"Bahisçi RPS",
         [](const F& f) {
             return Figure::mean(f.model.meanBookmakerRps());
         }},
        {u"Model log kaybı",
         [](const F& f) {
             return Figure::mean(f.model.meanModelLogLoss());
         }},
        {u"Bahisçi log kaybı",
         [](const F& f) {
             return Figure::mean(f.model.meanBookmakerLogLoss());
         }},
        // The value bets held against the closing price of their own outcome, where the match keeps one.
        {u"Kapanışı bilinen değer bahsi",
         [](const F& f) {
             return Figure::count(f.model.closeValue.count);
         }},
        {u"Kapanışta beklenen değer",
         [](const F& f) {
             return Figure::percent(percentOf(f.model.closeValue.mean()));
         }},
        {u"Kapanışta beklenen değer, alt sınır",
         [](const F& f) {
             return Figure::percent(intervalEnd(f.model.closeValue, false));
         }},
        {u"Kapanışta beklenen değer, üst sınır",
         [](const F& f) {
             return Figure::percent(intervalEnd(f.model.closeValue, true));
         }},
        {u"Kapanış çizgisi değeri",
         [](const F& f) {
             return Figure::percent(percentOf(f.model.closingLineValue.mean()));
         }},
        {u"Kapanış çizgisi değeri, alt sınır",
         [](const F& f) {
             return Figure::percent(intervalEnd(f.model.closingLineValue, false));
         }},
        {u"Kapanış çizgisi değeri, üst sınır",
         [](const F& f) {
             return Figure::percent(intervalEnd(f.model.closingLineValue, true));
         }},
        {u"Tahmin RPS",
         [](const F& f) {
             return Figure::mean(f.model.meanForecastRps());
         }},
        {u"Kapanış öncesi piyasa RPS",
         [](const F& f) {
             return Figure::mean(f.model.meanOpeningRps());
         }},
        {u"Kapanış piyasası RPS",
         [](const F& f) {
             return Figure::mean(f.model.meanClosingRps());
         }},
        // The Asian handicap's value side, one a match, where the files keep its odds.
        {u"Asya handikabı değer bahsi",
         [](const F& f) {
             return Figure::of({f.model.asianBets, f.model.withAsianOdds});
         }},
        {u"Asya handikabı değer kârı (birim)",
         [](const F& f) {
             return Figure::units(f.model.asianProfit);
         }},
        {u"Asya handikabı değer getirisi",
         [](const F& f) {
             return Figure::percent(f.model.asianYieldPercent());
         }},
        {u"Asya handikabı kapanışta beklenen değer",
         [](const F& f) {
             return Figure::percent(percentOf(f.model.asianCloseValue.mean()));
         }},
        {u"Asya handikabı kapanışta beklenen değer, alt sınır",
         [](const F& f) {
             return Figure::percent(intervalEnd(f.model.asianCloseValue, false));
         }},
        {u"Asya handikabı kapanışta beklenen değer, üst sınır",
         [](const F& f) {
             return Figure::percent(intervalEnd(f.model.asianCloseValue, true));
         }},
        {u"Asya handikabı kapanış çizgisi değeri",
         [](const F& f) {
             return Figure::percent(percentOf(f.model.asianClosingLineValue.mean()));
         }},
    };
    return rows;
}

QList<QStringList> figureLines(const TrackRecord& record, CsvForm form) {
    std::vector<const TrackFigures*> columns = {&record.overall};
    QStringList titles = {QString(), QString::fromUtf16(kAllSeasons)};
    for (const SeasonFigures& season : record.seasons) {
        columns.push_back(&season.figures);
        titles << season.season;
    }
    QList<QStringList> lines = {titles};
    for (const FigureRow& row : figureRows()) {
        const QString label = QString::fromUtf16(row.label);
        std::vector<Figure> figures;
        for (const TrackFigures* column : columns)
            figures.push_back(row.figure(*column));
        if (figures.front().kind == Figure::Kind::Tally) {
            QStringList hits = {label + kHitsLabel}, counted = {label + kCountedLabel},
                        percents = {label + kPercentLabel};
            for (const Figure& figure : figures) {
                hits << QString::number(figure.tally.hits);
                counted << QString::number(figure.tally.counted);
                const std::optional<double> percent = figure.tally.percent();
                percents << (percent ? plainNumber(*percent, 1, form) : QString());
            }
            lines << hits << counted << percents;
            continue;
        }
        QStringList cells = {figures.front().kind == Figure::Kind::Percent ? label + kPercentLabel : label};
        for (const Figure& figure : figures) {
            if (figure.kind == Figure::Kind::Count)
                cells << QString::number(figure.tally.hits);
            else
                cells << (figure.number ? plainNumber(*figure.number, decimalsOf(figure.kind), form)
                                        : QString());
        }
        lines << cells;
    }
    return lines;
}

} // namespace vezal
