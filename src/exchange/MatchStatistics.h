#pragma once

#include "store/StatisticsTable.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace vezal {

// The match statistics columns of a results file (shots, shots on target, corners, cards, over/under 2.5
// odds), found by their header names. A figure that is blank or no count is left out: the statistics
// never make a line unusable.
class StatisticsColumns {
public:
    explicit StatisticsColumns(const QStringList& header);

    // Marks the columns it reads among those the file reader keeps.
    void markWanted(std::vector<bool>& used) const;
    // None where the line gives no figure at all.
    std::optional<MatchStatistics> read(const QStringList& fields) const;

private:
    std::vector<int> counts_;                    // in the order of MatchStatistics' counts; -1 for missing
    std::vector<std::pair<int, int>> overUnder_; // over and under 2.5, most trusted first
};

} // namespace vezal
