#pragma once

#include "store/StatisticsTable.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace vezal {

// The match statistics columns of a results file (shots, shots on target, corners, cards, over/under 2.5
// odds, the half-time score), found by their header names. A figure that is blank or no count is left out:
// the statistics never make a line unusable.
class StatisticsColumns {
public:
    explicit StatisticsColumns(const QStringList& header);

    // Marks the columns it reads among those the file reader keeps.
    void markWanted(std::vector<bool>& used) const;
    // None where the line gives no figure at all. A half-time score above the full-time one is left out.
    std::optional<MatchStatistics> read(const QStringList& fields, int homeGoals, int awayGoals) const;

private:
    std::vector<int> counts_;                    // in the order of MatchStatistics' counts; -1 for missing
    std::vector<std::pair<int, int>> overUnder_; // over and under 2.5, most trusted first
    int halfTimeHome_ = -1;
    int halfTimeAway_ = -1;
};

} // namespace vezal
