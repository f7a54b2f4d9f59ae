#include "model/Pool.h"

#include <cmath>

namespace vezal::model {

namespace {

// A probability of 0 on either side leaves the outcome at 0 whatever the other says, as the formula does;
// 0^0 is taken as 1, so a weight of 0 or 1 gives the other side back exactly.
double factor(double p, double weight) {
    return weight == 0 ? 1.0 : std::pow(p, weight);
}

} // namespace

ThreeWay pooledProbabilities(const ThreeWay& model, const ThreeWay& market, double k) {
    const double home = factor(market.home, 1 - k) * factor(model.home, k);
    const double draw = factor(market.draw, 1 - k) * factor(model.draw, k);
    const double away = factor(market.away, 1 - k) * factor(model.away, k);
    const double sum = home + draw + away;
    if (!(sum > 0))
        return model;
    return {home / sum, draw / sum, away / sum};
}

double pooledProbability(double model, double market, double k) {
    const double side = factor(market, 1 - k) * factor(model, k);
    const double other = factor(1 - market, 1 - k) * factor(1 - model, k);
    if (!(side + other > 0))
        return model;
    return side / (side + other);
}

PooledForecast pooledForecast(const MatchForecast& model, const std::optional<ThreeWay>& market,
                              const std::optional<double>& marketUnder25, double k) {
    PooledForecast view;
    view.outcome = model.outcome;
    view.under25 = model.under25;
    view.over25 = model.over25;
    if (market) {
        view.outcome = pooledProbabilities(model.outcome, *market, k);
        view.pooled = true;
    }
    if (marketUnder25) {
        view.under25 = pooledProbability(model.under25, *marketUnder25, k);
        view.over25 = 1 - view.under25;
        view.underOverPooled = true;
    }
    return view;
}

ScoreGrid forecastGrid(const ScoreGrid& modelGrid, const PooledForecast& pooled) {
    if (!pooled.pooled && !pooled.underOverPooled)
        return modelGrid;
    const std::optional<double> under =
        pooled.underOverPooled ? std::optional<double>(pooled.under25) : std::nullopt;
    std::optional<ScoreGrid> tilted = modelGrid.tiltedTo(pooled.outcome, under);
    return tilted ? std::move(*tilted) : modelGrid;
}

} // namespace vezal::model
