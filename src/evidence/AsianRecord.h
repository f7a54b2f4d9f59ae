#pragma once

#include "betting/Value.h"
#include "model/ScoreGrid.h"
#include "store/QuoteTable.h"

#include <QString>
#include <optional>
#include <vector>

// The Asian handicap in the walk: a match's prices at its line and the one side of value on it.
namespace vezal {

// A match's Asian handicap prices at the line its books gave before closing (a file gives one line for
// them all): the odds a bet is taken at, and at closing, where the closing line is the same, the market's
// margin-free probabilities and each side's closing odds. An odd of 0 is none.
struct AsianPrices {
    int homeLine = 0; // the home side's line in quarter goals
    double homeOdds = 0;
    double awayOdds = 0;
    std::optional<double> closingHome;
    std::optional<double> closingAway;
    double closingHomeOdds = 0;
    double closingAwayOdds = 0;
};

// One unit on the Asian side of the higher expected value at the forecast's grid.
struct AsianValueBet {
    QString code; // "AH1-0.25"
    double odds = 0;
    double payout = 0;                      // what the unit brought back, half results and pushes counted
    std::optional<double> closingLineValue; // odds / the side's closing odds - 1
    std::optional<double> closeValue;       // the closing margin-free probability * odds - 1

    double profit() const { return payout - 1; }
};

// The Asian prices of a match's quotes before closing and at closing (their other markets passed by): the
// choice's odds at the line before closing, without a choice the first source with both sides (the
// average, Pinnacle, Bet365, the others); none without both sides before closing.
std::optional<AsianPrices> asianPrices(const std::vector<Quote>& before, const std::vector<Quote>& closing,
                                       const std::optional<OddsChoice>& choice);

// The side whose expected value at the forecast's grid is the higher, when it exceeds the threshold,
// settled on the score.
std::optional<AsianValueBet> asianValueBet(const model::ScoreGrid& forecast, const AsianPrices& prices,
                                           int homeGoals, int awayGoals, double valueThreshold);

} // namespace vezal
