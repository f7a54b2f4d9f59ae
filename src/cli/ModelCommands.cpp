#include "cli/ModelCommands.h"

#include "cli/Cli.h"
#include "evidence/ModelTuning.h"

namespace vezal {

namespace {

double shotsWeightArgument(const QString& text) {
    QString typed = text;
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    const std::optional<double> weight = pointNumber(typed);
    if (!weight || *weight < 0 || *weight > 1)
        throw UsageError(
            QStringLiteral("--shots-weight 0 ile 1 arasında bir ondalık sayı olmalı (0.5): %1").arg(text));
    return *weight;
}

QString xiText(double xi) {
    return QString::number(xi, 'f', 4);
}

QString weightText(double weight) {
    return QString::number(weight, 'g', 6);
}

} // namespace

ModelOverrides modelOverrides(const CommandContext& context) {
    ModelOverrides overrides;
    if (context.has(QStringLiteral("--xi")))
        overrides.xi = xiArgument(context.option(QStringLiteral("--xi")));
    if (context.has(QStringLiteral("--shots-weight")))
        overrides.shotsWeight = shotsWeightArgument(context.option(QStringLiteral("--shots-weight")));
    return overrides;
}

model::FitOptions fitOptionsFor(CommandContext& context, const QString& league,
                                const ModelOverrides& overrides) {
    model::FitOptions options = leagueFitOptions(context.database(), league);
    if (overrides.xi)
        options.xi = *overrides.xi;
    if (overrides.shotsWeight)
        options.shotsWeight = *overrides.shotsWeight;
    return options;
}

void writeModelOptions(QTextStream& out, const model::FitOptions& options) {
    out << "xi\t" << QString::number(options.xi, 'g', 6) << '\n'
        << "shots-weight\t" << weightText(options.shotsWeight) << '\n';
}

int tuneCommand(CommandContext& context) {
    const QDate to = context.has(QStringLiteral("--to"))
                         ? dayArgument(context.option(QStringLiteral("--to")), QStringLiteral("--to"))
                         : QDate();
    const QString typed = context.positional().at(0);
    if (chosenLeague(context, typed).isEmpty())
        return refuseUnknownLeague(context, typed);
    const std::optional<ModelTuning> tuning = tuneLeague(context.database(), typed, to);
    if (!tuning)
        return context.refuse(
            QStringLiteral("%1 liginde gol modelinin tahmin edebildiği maç yok; ayar yapılamadı").arg(typed));
    for (const TuningPoint& point : tuning->grid)
        context.out << xiText(point.xi) << '\t' << weightText(point.shotsWeight) << '\t'
                    << QString::number(point.logLoss, 'f', 6) << '\n';
    context.out << "choice\t" << xiText(tuning->choice.xi) << '\t' << weightText(tuning->choice.shotsWeight)
                << '\n';
    return kExitOk;
}

} // namespace vezal
