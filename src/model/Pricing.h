#pragma once

#include "model/Markets.h"
#include "model/ScoreGrid.h"

#include <optional>
#include <vector>

// Every market's outcomes priced from one score grid. Pure arithmetic.
namespace vezal::model {

// How likely each settlement of an outcome is; they sum to 1.
struct OutcomeChances {
    double win = 0;
    double halfWin = 0;
    double push = 0;
    double halfLoss = 0;
    double loss = 0;
};

struct PricedOutcome {
    MarketOutcome outcome;
    OutcomeChances chances;
    std::optional<double> fair; // none where the outcome cannot win
};

OutcomeChances chancesOf(const ScoreGrid& grid, const MarketOutcome& outcome);

// The odds at which the expected return is zero: a push gives the stake back, a half result half of it
// at the odds and half back or lost, so
// o = (1 - push - (halfWin + halfLoss) / 2) / (win + halfWin / 2). None where nothing wins.
std::optional<double> fairOdds(const OutcomeChances& chances);

// The expected gain of a stake of 1 at the odds: win * o + halfWin * (1 + o) / 2 + push + halfLoss / 2 - 1.
double expectedValue(const OutcomeChances& chances, double odds);

// Every outcome of every market, in allOutcomes' order. The grid's goal margins and totals are summed
// once, so that every line of a market costs a pass over a few dozen figures rather than over the grid.
std::vector<PricedOutcome> priceMarkets(const ScoreGrid& grid);

} // namespace vezal::model
