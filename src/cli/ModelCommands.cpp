#include "cli/ModelCommands.h"

#include "cli/Cli.h"
#include "evidence/ModelTuning.h"

namespace vezal {

namespace {

// A decimal with a point or a comma between the bounds, both allowed; a usage error naming the option.
double shareArgument(const QString& text, const char* option, double most, const char* example) {
    QString typed = text;
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    const std::optional<double> value = pointNumber(typed);
    if (!value || *value < 0 || *value > most)
        throw UsageError(
            QStringLiteral("%1 0 ile %2 arasında bir ondalık sayı olmalı (%3): %4")
                .arg(QString::fromLatin1(option), QString::number(most), QString::fromLatin1(example), text));
    return *value;
}

QString xiText(double xi) {
    return QString::number(xi, 'f', 4);
}

QString weightText(double weight) {
    return QString::number(weight, 'g', 6);
}

QString optionalText(const std::optional<double>& value) {
    return value ? weightText(*value) : QStringLiteral("-");
}

} // namespace

std::vector<OptionSpec> modelOptions() {
    return {{QStringLiteral("--xi"), true},
            {QStringLiteral("--shots-weight"), true},
            {QStringLiteral("--market-weight"), true},
            {QStringLiteral("--market-xi"), true},
            {QStringLiteral("--pool-weight"), true}};
}

ModelOverrides modelOverrides(const CommandContext& context) {
    ModelOverrides overrides;
    if (context.has(QStringLiteral("--xi")))
        overrides.xi = xiArgument(context.option(QStringLiteral("--xi")));
    const struct {
        const char* option;
        std::optional<double> ModelOverrides::*value;
        const char* example;
    } shares[] = {{"--shots-weight", &ModelOverrides::shotsWeight, "0.5"},
                  {"--market-weight", &ModelOverrides::marketWeight, "0.9"},
                  {"--market-xi", &ModelOverrides::marketXi, "0.05"},
                  {"--pool-weight", &ModelOverrides::poolWeight, "0.45"}};
    for (const auto& share : shares)
        if (context.has(QString::fromLatin1(share.option)))
            overrides.*share.value = shareArgument(context.option(QString::fromLatin1(share.option)),
                                                   share.option, 1, share.example);
    return overrides;
}

model::FitOptions fitOptionsFor(CommandContext& context, const QString& league,
                                const ModelOverrides& overrides) {
    return overrides.over(leagueFitOptions(context.database(), league));
}

void writeModelOptions(QTextStream& out, const model::FitOptions& options) {
    out << "xi\t" << QString::number(options.xi, 'g', 6) << '\n'
        << "shots-weight\t" << weightText(options.shotsWeight) << '\n'
        << "market-weight\t" << weightText(options.marketWeight) << '\n'
        << "market-xi\t" << weightText(options.marketXi) << '\n'
        << "pool-weight\t" << weightText(options.poolWeight) << '\n';
}

OddsChoice oddsChoiceArgument(const QString& text) {
    const std::optional<OddsChoice> choice = OddsChoice::fromText(text);
    if (!choice)
        throw UsageError(QStringLiteral("--odds best, avg ya da bir bahisçi kodu olmalı (PS, B365)"));
    return *choice;
}

double valueThresholdArgument(const QString& text) {
    return nonNegativeArgument(text, "--value-threshold", "0.05");
}

int tuneCommand(CommandContext& context) {
    const QDate to = context.has(QStringLiteral("--to"))
                         ? dayArgument(context.option(QStringLiteral("--to")), QStringLiteral("--to"))
                         : QDate();
    TuningRule rule;
    if (context.has(QStringLiteral("--value-threshold")))
        rule.valueThreshold = valueThresholdArgument(context.option(QStringLiteral("--value-threshold")));
    if (context.has(QStringLiteral("--odds")))
        rule.odds = oddsChoiceArgument(context.option(QStringLiteral("--odds")));
    const QString typed = context.positional().at(0);
    if (chosenLeague(context, typed).isEmpty())
        return refuseUnknownLeague(context, typed);
    const std::optional<ModelTuning> tuning = tuneLeague(context.database(), typed, to, {}, rule);
    if (!tuning)
        return context.refuse(
            QStringLiteral("%1 liginde gol modelinin tahmin edebildiği maç yok; ayar yapılamadı").arg(typed));
    for (const TuningPoint& point : tuning->grid)
        context.out << xiText(point.xi) << '\t' << weightText(point.shotsWeight) << '\t'
                    << QString::number(point.logLoss, 'f', 6) << '\n';
    for (const MarketTuningPoint& point : tuning->marketGrid)
        context.out << "market\t" << weightText(point.marketWeight) << '\t' << weightText(point.marketXi)
                    << '\t' << QString::number(point.logLoss, 'f', 6) << '\n';
    for (const PoolTuningPoint& point : tuning->poolGrid)
        context.out << "pool\t" << weightText(point.poolWeight) << '\t' << point.bets << '\t'
                    << QString::number(point.closeValue, 'f', 2) << '\t'
                    << QString::number(point.forecastRps, 'f', 4) << '\t'
                    << QString::number(point.openingRps, 'f', 4) << '\n';
    const ModelChoice& choice = tuning->choice;
    context.out << "choice\t" << xiText(choice.xi) << '\t' << weightText(choice.shotsWeight) << '\t'
                << optionalText(choice.marketWeight) << '\t' << optionalText(choice.marketXi) << '\t'
                << optionalText(choice.poolWeight) << '\n';
    return kExitOk;
}

} // namespace vezal
