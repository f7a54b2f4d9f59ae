#pragma once

#include "cli/Commands.h"
#include "model/DixonColes.h"

#include <QTextStream>
#include <optional>

namespace vezal {

// What --xi and --shots-weight say, read before anything else is.
struct ModelOverrides {
    std::optional<double> xi;
    std::optional<double> shotsWeight;
};

// Throws UsageError for a value that is no number or out of range.
ModelOverrides modelOverrides(const CommandContext& context);

// The league's kept choice (the defaults for a league never tuned) with the overrides on top.
model::FitOptions fitOptionsFor(CommandContext& context, const QString& league,
                                const ModelOverrides& overrides);

// The "xi" and "shots-weight" lines.
void writeModelOptions(QTextStream& out, const model::FitOptions& options);

// tune LEAGUE [--to DATE]: the grid's lines, then the choice, which is kept with the league.
int tuneCommand(CommandContext& context);

} // namespace vezal
