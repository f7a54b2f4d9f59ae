#pragma once

#include "model/Forecast.h"

#include <optional>

// What the market's odds of a match say about its goals. Pure arithmetic.
namespace vezal::model {

// A match's margin-free probabilities: 1X2, and under 2.5 goals where the market priced it.
struct MarketProbabilities {
    ThreeWay outcome;
    std::optional<double> under25;
};

struct GoalMeans {
    double home = 0;
    double away = 0;
};

// The home and away goal means whose score grid (independent Poisson goals: the model's grid at rho 0,
// since the means enter the likelihood as Poisson counts) comes closest to the market's probabilities,
// by least squares over the home win, the away win and, where given, under 2.5 goals; the draw follows
// from the other two. With 1X2 alone the two means meet the two probabilities exactly wherever a grid
// can. None for probabilities that are no distribution (each in (0, 1), 1X2 summing to 1) or a search
// that does not settle.
std::optional<GoalMeans> impliedGoals(const MarketProbabilities& market);

// The grid's home win, draw, away win and under 2.5 probabilities for the means.
MarketProbabilities gridProbabilities(const GoalMeans& means);

} // namespace vezal::model
