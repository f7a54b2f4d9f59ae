#pragma once

#include "prediction/Panel.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace vezal::testing_support {

// The panel's texts in the order the window lays them out, so that a test can fill or compare a run of
// them: the two sides' figures, then the prediction, then the match number.
enum class Box {
    HomePoints,
    AwayPoints,
    HomeGames,
    AwayGames,
    HomeGoalsFor,
    AwayGoalsFor,
    HomeGoalsAgainst,
    AwayGoalsAgainst,
    FirstSign,
    SecondSign,
    ThirdSign,
    UnderOver,
    HomeScore,
    AwayScore,
    Alternative1Home,
    Alternative1Away,
    Alternative2Home,
    Alternative2Away,
    Alternative3Home,
    Alternative3Away,
    GoalsBand,
    MatchNumber,
};

inline QString& text(ComparisonPanel& panel, Box box) {
    switch (box) {
    case Box::HomePoints:
        return panel.home.points;
    case Box::AwayPoints:
        return panel.away.points;
    case Box::HomeGames:
        return panel.home.games;
    case Box::AwayGames:
        return panel.away.games;
    case Box::HomeGoalsFor:
        return panel.home.goalsFor;
    case Box::AwayGoalsFor:
        return panel.away.goalsFor;
    case Box::HomeGoalsAgainst:
        return panel.home.goalsAgainst;
    case Box::AwayGoalsAgainst:
        return panel.away.goalsAgainst;
    case Box::FirstSign:
        return panel.firstSign;
    case Box::SecondSign:
        return panel.secondSign;
    case Box::ThirdSign:
        return panel.thirdSign;
    case Box::UnderOver:
        return panel.underOver;
    case Box::HomeScore:
        return panel.score.home;
    case Box::AwayScore:
        return panel.score.away;
    case Box::Alternative1Home:
        return panel.alternatives[0].home;
    case Box::Alternative1Away:
        return panel.alternatives[0].away;
    case Box::Alternative2Home:
        return panel.alternatives[1].home;
    case Box::Alternative2Away:
        return panel.alternatives[1].away;
    case Box::Alternative3Home:
        return panel.alternatives[2].home;
    case Box::Alternative3Away:
        return panel.alternatives[2].away;
    case Box::GoalsBand:
        return panel.goalsBand;
    case Box::MatchNumber:
        return panel.matchNumber;
    }
    return panel.matchNumber;
}

inline QString text(const ComparisonPanel& panel, Box box) {
    return text(const_cast<ComparisonPanel&>(panel), box);
}

// Every box from one to another, both included, in layout order.
inline std::vector<Box> boxRange(Box from, Box to) {
    std::vector<Box> range;
    for (int b = int(from); b <= int(to); ++b)
        range.push_back(Box(b));
    return range;
}

inline std::vector<Box> allBoxes() {
    return boxRange(Box::HomePoints, Box::MatchNumber);
}

// A panel with both teams chosen and the given boxes filled, e.g. {{Box::FirstSign, "1"}}.
inline ComparisonPanel panelWith(std::initializer_list<std::pair<Box, const char*>> boxes,
                                 const char* home = "Kartal", const char* away = "Bolu") {
    ComparisonPanel panel;
    panel.homeTeam = {QString::fromUtf8(home), true};
    panel.awayTeam = {QString::fromUtf8(away), true};
    for (const auto& [box, value] : boxes)
        text(panel, box) = QString::fromUtf8(value);
    return panel;
}

} // namespace vezal::testing_support
