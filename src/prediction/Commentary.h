#pragma once

#include "prediction/Panel.h"

#include <QString>
#include <QStringList>
#include <optional>

// The commentary block that every prediction appends to the report.
namespace vezal {

struct Commentary {
    QStringList lines;
    std::optional<QString> band; // for the band box, only when there is a predicted score
};

// "0 - 1", "2 - 3", "4 - 6" or "7" by the total expected goals, compared at extended precision.
QString totalGoalsBand(double totalGoals);

// The block for what the panel shows after a prediction, with the total expected goals kept by the window.
Commentary composeCommentary(const ComparisonPanel& panel, double totalGoals);

} // namespace vezal
