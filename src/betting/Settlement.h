#pragma once

#include "model/Markets.h"

#include <QString>
#include <optional>
#include <span>

// What a bet's selection comes to once its match is played, and what it pays.
namespace vezal {

struct Settlement {
    std::optional<model::Resolution> resolution; // none: it cannot be settled yet
    QString reason;                              // why not, in the user's words
};

// Settles the outcome on the full-time score and, where known, the half-time score: a half-time/
// full-time selection waits for its half-time score.
Settlement settle(const model::MarketOutcome& outcome, model::Score fullTime,
                  std::optional<model::Score> halfTime = std::nullopt);

// What a stake of 1 at the odds brings back: the odds when won, half at the odds and half back when half
// won, the stake when pushed, half of it when half lost, nothing when lost.
double unitReturn(model::Resolution resolution, double odds);

struct SettledSelection {
    model::Resolution resolution = model::Resolution::Lost;
    double odds = 1;
};

// A coupon pays the stake times the product of its selections' returns: a pushed selection counts as odds
// 1, a half-won one as (1 + odds) / 2.
double couponReturn(double stake, std::span<const SettledSelection> selections);

} // namespace vezal
