#pragma once

#include "betting/Value.h"
#include "cli/Commands.h"
#include "exchange/ModelMatches.h"
#include "model/DixonColes.h"

#include <QTextStream>
#include <optional>
#include <utility>
#include <vector>

namespace vezal {

// What --xi, --shots-weight, --market-weight, --market-xi and --pool-weight say, read before anything
// else is.
using ModelOverrides = FitOverrides;

// --xi, --shots-weight, --market-weight, --market-xi and --pool-weight, each with a value.
std::vector<OptionSpec> modelOptions();

// Throws UsageError for a value that is no number or out of range.
ModelOverrides modelOverrides(const CommandContext& context);

// The league's kept choice (the defaults for a league never tuned) with the overrides on top.
model::FitOptions fitOptionsFor(CommandContext& context, const QString& league,
                                const ModelOverrides& overrides);

// The "xi", "shots-weight", "market-weight", "market-xi" and "pool-weight" lines.
void writeModelOptions(QTextStream& out, const model::FitOptions& options);

// --odds best|avg|CODE; a usage error for an empty text.
OddsChoice oddsChoiceArgument(const QString& text);

// --value-threshold: zero or a positive decimal with a point or a comma.
double valueThresholdArgument(const QString& text);

// tune LEAGUE [--to DATE] [--value-threshold T] [--odds best|avg|CODE]: the grids' lines, then the
// choice, which is kept with the league.
int tuneCommand(CommandContext& context);

} // namespace vezal
