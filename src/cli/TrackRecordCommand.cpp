// vezal-cli track-record: the walk's figures, whole and season by season, as tab-separated lines.
#include "cli/TrackRecordCommand.h"

#include "cli/Arguments.h"
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/ModelCommands.h"
#include "evidence/PerMatchCsv.h"
#include "evidence/TrackRecord.h"
#include "store/FileTargets.h"

#include <QTextStream>

namespace vezal {

namespace {

QString percentText(const std::optional<double>& percent) {
    return percent ? QString::number(*percent, 'f', 1) : QStringLiteral("-");
}

// One line per figure: hits, counted, and hits as a percentage of counted ("-" when nothing counted).
void writeFigures(QTextStream& out, const QString& season, const TrackFigures& figures) {
    const auto line = [&](const char* figure, const QString& hits, int counted,
                          const std::optional<double>& percent) {
        out << season << '\t' << figure << '\t' << hits << '\t' << counted << '\t' << percentText(percent)
            << '\n';
    };
    const auto tally = [&](const char* figure, const Tally& t) {
        line(figure, QString::number(t.hits), t.counted, t.percent());
    };
    tally("first-sign", figures.firstSign);
    tally("double-chance", figures.doubleChance);
    tally("single-sign", figures.singleSign);
    tally("uo-clear", figures.underOverClear);
    tally("uo-lean", figures.underOverLean);
    tally("goals-band", figures.goalsBand);
    tally("exact-score", figures.exactScore);
    tally("not-predicted", {figures.notPredicted, figures.matches});
    tally("always-home", figures.alwaysHome);
    tally("bookmaker-favourite", figures.bookmakerFavourite);
    tally("bookmaker-top-two", figures.bookmakerTopTwo);
    tally("stake-bets", {figures.bets, figures.predicted()});
    tally("stake-won", {figures.betsWon, figures.bets});
    // The same fields under both names: a script may look for either.
    for (const char* name : {"stake-profit", "stake-yield"})
        line(name, QString::number(figures.profit, 'f', 2), figures.bets, figures.yieldPercent());
}

// The goals model's lines: its tallies as above, then the mean scores with four decimals over the matches
// with odds, their percent field left empty.
void writeModelFigures(QTextStream& out, const QString& season, const ModelFigures& model) {
    const auto line = [&](const char* figure, const QString& hits, int counted, const QString& percent) {
        out << season << '\t' << figure << '\t' << hits << '\t' << counted << '\t' << percent << '\n';
    };
    const auto tally = [&](const char* figure, const Tally& t) {
        line(figure, QString::number(t.hits), t.counted, percentText(t.percent()));
    };
    const auto mean = [&](const char* figure, const std::optional<double>& value) {
        line(figure, value ? QString::number(*value, 'f', 4) : QStringLiteral("-"), model.withOdds,
             QString());
    };
    tally("model-first-sign", model.firstSign);
    tally("model-uo", model.underOver);
    tally("value-bets", {model.valueBets, model.withOdds});
    tally("value-won", {model.valueWon, model.valueBets});
    for (const char* name : {"value-profit", "value-yield"})
        line(name, QString::number(model.valueProfit, 'f', 2), model.valueBets,
             percentText(model.valueYieldPercent()));
    mean("model-rps", model.meanModelRps());
    mean("bookmaker-rps", model.meanBookmakerRps());
    mean("model-log-loss", model.meanModelLogLoss());
    mean("bookmaker-log-loss", model.meanBookmakerLogLoss());
    const auto underOver = [&](const char* figure, const std::optional<double>& value) {
        line(figure, value ? QString::number(*value, 'f', 4) : QStringLiteral("-"), model.withUnderOverOdds,
             QString());
    };
    underOver("model-uo-brier", model.meanModelUnderOverBrier());
    underOver("bookmaker-uo-brier", model.meanBookmakerUnderOverBrier());
    underOver("model-uo-log-loss", model.meanModelUnderOverLogLoss());
    underOver("bookmaker-uo-log-loss", model.meanBookmakerUnderOverLogLoss());
    // The model's other goal lines and both teams scoring, over every forecast match.
    const GoalLineScores& sums = model.goalLineSums;
    for (const auto& [name, score] :
         {std::pair{"uo15", sums.over15}, std::pair{"uo35", sums.over35}, std::pair{"btts", sums.bothScore}})
        for (const auto& [kind, sum] :
             {std::pair{"brier", score.brier}, std::pair{"log-loss", score.logLoss}}) {
            const QString figure =
                QStringLiteral("model-%1-%2").arg(QLatin1String(name), QLatin1String(kind));
            line(figure.toLatin1().constData(),
                 model.withGoalLines > 0 ? QString::number(sum / model.withGoalLines, 'f', 4)
                                         : QStringLiteral("-"),
                 model.withGoalLines, QString());
        }
}

// The value bets against the closing line, over those whose match has closing odds (the sum of their
// expected values at the close in units, their mean and its interval in percent), and the closing
// market's and the forecast's scores, in the form of the lines above.
void writeClosingFigures(QTextStream& out, const QString& season, const ModelFigures& model) {
    const auto line = [&](const char* figure, const QString& hits, int counted, const QString& percent) {
        out << season << '\t' << figure << '\t' << hits << '\t' << counted << '\t' << percent << '\n';
    };
    const auto percentOf = [](const std::optional<double>& value) {
        return value ? std::optional<double>(100 * *value) : std::nullopt;
    };
    // The expected value at the close (its sum, mean and interval) and the closing-line value of a kind of
    // value bet, under the kind's prefix.
    const auto againstClose = [&](const QString& prefix, const Spread& close, const Spread& clv) {
        const auto named = [&](const char* figure) {
            return (prefix + QLatin1String(figure)).toLatin1();
        };
        const auto interval = close.interval();
        line(named("close-ev").constData(), QString::number(close.sum, 'f', 2), close.count,
             percentText(percentOf(close.mean())));
        line(named("close-ev-low").constData(), QString(), close.count,
             percentText(interval ? std::optional(100 * interval->first) : std::nullopt));
        line(named("close-ev-high").constData(), QString(), close.count,
             percentText(interval ? std::optional(100 * interval->second) : std::nullopt));
        line(named("clv").constData(), QString::number(clv.sum, 'f', 2), clv.count,
             percentText(percentOf(clv.mean())));
    };
    againstClose(QStringLiteral("value-"), model.closeValue, model.closingLineValue);
    const auto scored = [&](const char* figure, const std::optional<double>& value, int counted) {
        line(figure, value ? QString::number(*value, 'f', 4) : QStringLiteral("-"), counted, QString());
    };
    // The Asian handicap's value bets in the same form: one side a match at most.
    line("ah-value-bets", QString::number(model.asianBets), model.withAsianOdds,
         percentText(model.withAsianOdds > 0
                         ? std::optional<double>(100.0 * model.asianBets / model.withAsianOdds)
                         : std::nullopt));
    for (const char* name : {"ah-value-profit", "ah-value-yield"})
        line(name, QString::number(model.asianProfit, 'f', 2), model.asianBets,
             percentText(model.asianYieldPercent()));
    againstClose(QStringLiteral("ah-value-"), model.asianCloseValue, model.asianClosingLineValue);
    scored("bookmaker-closing-rps", model.meanClosingRps(), model.withClosing);
    scored("forecast-rps", model.meanForecastRps(), model.withOpening);
    scored("bookmaker-opening-rps", model.meanOpeningRps(), model.withOpening);
}

// The calibration of the model's 1X2 probabilities, a line per tenth: the mean predicted probability, the
// outcomes counted, and how often they came as a percentage.
void writeCalibration(QTextStream& out, const QString& season, const ModelFigures& model) {
    for (std::size_t i = 0; i < model.calibration.size(); ++i) {
        const CalibrationBin& bin = model.calibration[i];
        const std::optional<double> mean = bin.meanPredicted();
        const std::optional<double> observed = bin.observed();
        out << season << '\t' << "calibration-" << QString::number(i / 10.0, 'f', 1) << '-'
            << QString::number((i + 1) / 10.0, 'f', 1) << '\t'
            << (mean ? QString::number(*mean, 'f', 4) : QStringLiteral("-")) << '\t' << bin.count << '\t'
            << percentText(observed ? std::optional<double>(100 * *observed) : std::nullopt) << '\n';
    }
}

void writeSeason(QTextStream& out, const QString& season, const TrackFigures& figures, bool calibration) {
    writeFigures(out, season, figures);
    writeModelFigures(out, season, figures.model);
    if (calibration)
        writeCalibration(out, season, figures.model);
    writeClosingFigures(out, season, figures.model);
}

} // namespace

int showTrackRecord(CommandContext& context) {
    const QDate from = context.has(QStringLiteral("--from"))
                           ? dayArgument(context.option(QStringLiteral("--from")), "--from")
                           : QDate();
    const QDate to = context.has(QStringLiteral("--to"))
                         ? dayArgument(context.option(QStringLiteral("--to")), "--to")
                         : QDate();
    if (from.isValid() && to.isValid() && from > to)
        throw UsageError(QStringLiteral("--from tarihi --to tarihinden sonra olamaz"));
    const ModelOverrides overrides = modelOverrides(context);
    ModelWalk modelWalk;
    if (context.has(QStringLiteral("--value-threshold")))
        modelWalk.valueThreshold =
            valueThresholdArgument(context.option(QStringLiteral("--value-threshold")));
    if (context.has(QStringLiteral("--odds")))
        modelWalk.odds = oddsChoiceArgument(context.option(QStringLiteral("--odds")));
    const QString typed = context.positional().at(0);
    // Refused before the walk, which may take minutes.
    if (context.has(QStringLiteral("--per-match")))
        if (const auto refusal = irregularTargetRefusal(context.option(QStringLiteral("--per-match"))))
            return context.refuse(*refusal);
    if (chosenLeague(context, typed).isEmpty())
        return refuseUnknownLeague(context, typed);
    modelWalk.fit = fitOptionsFor(context, typed, overrides);

    const std::optional<TrackRecord> record = trackRecord(context.database(), typed, from, to, {}, modelWalk);
    if (!record) // nothing cancels it here
        return kExitFailure;
    if (context.has(QStringLiteral("--per-match")))
        savePerMatchCsv(*record, context.option(QStringLiteral("--per-match")),
                        context.has(QStringLiteral("--turkish")) ? CsvForm::Turkish : CsvForm::Plain);
    const bool calibration = context.has(QStringLiteral("--calibration"));
    context.out << "season\tfigure\thits\tcounted\tpercent\n";
    writeSeason(context.out, QStringLiteral("all"), record->overall, calibration);
    // Which model was walked: its settings, in the figure and hits fields.
    const std::pair<const char*, double> settings[] = {{"xi", modelWalk.fit.xi},
                                                       {"shots-weight", modelWalk.fit.shotsWeight},
                                                       {"market-weight", modelWalk.fit.marketWeight},
                                                       {"market-xi", modelWalk.fit.marketXi},
                                                       {"pool-weight", modelWalk.fit.poolWeight}};
    for (const auto& [name, value] : settings)
        context.out << "all\t" << name << '\t' << QString::number(value, 'g', 6) << "\t\t\n";
    for (const SeasonFigures& season : record->seasons)
        writeSeason(context.out, season.season, season.figures, calibration);
    return kExitOk;
}

} // namespace vezal
