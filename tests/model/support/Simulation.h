#pragma once

#include "model/DixonColes.h"

#include <cstdint>
#include <random>
#include <vector>

// Leagues drawn from known strengths, the same on every machine: the generator's raw bits are turned
// into uniforms and scores here rather than by the library's distributions, whose algorithms may differ.
namespace vezal::testing {

struct SimulatedLeague {
    model::Parameters truth;
    std::vector<model::PlayedMatch> matches; // oldest first
    model::DayNumber lastDay = 0;
};

// Seasons of double round robins, one match day a week, a summer break between seasons. Attacks spread
// evenly over [-spread, spread], defences over a shuffled copy of the same around `level`.
SimulatedLeague simulateLeague(int teams, int seasons, std::uint64_t seed, double spread = 0.4,
                               double level = 0.1, double homeAdvantage = 0.25, double rho = -0.1);

// One score drawn from the model's joint distribution of goals (up to 20 a side).
std::pair<int, int> drawScore(double homeMean, double awayMean, double rho, std::mt19937_64& random);

} // namespace vezal::testing
