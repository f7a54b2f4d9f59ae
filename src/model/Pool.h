#pragma once

#include "model/Forecast.h"
#include "model/ScoreGrid.h"

#include <optional>

// The forecast: the model's probabilities pooled with the market's margin-free ones. Pure arithmetic.
//
// The pool is logarithmic, p proportional to market^(1 - k) * model^k, market by market (1X2, and under/
// over 2.5 where its odds are given). Pooled in probability space rather than in goal means, so that each
// market keeps exactly the market's information where the market priced it, and one price (a fixture
// without under/over odds, say) leaves the other markets as they were.
namespace vezal::model {

// p proportional to market^(1 - k) * model^k, renormalised. k 1 gives the model, k 0 the market.
ThreeWay pooledProbabilities(const ThreeWay& model, const ThreeWay& market, double modelWeight);

// The same for a two-way market: the pooled probability of the side given.
double pooledProbability(double model, double market, double modelWeight);

// A match's forecast: the model's probabilities pooled with the market's where it priced them.
struct PooledForecast {
    ThreeWay outcome;
    double under25 = 0;
    double over25 = 0;
    bool pooled = false;                    // 1X2 pooled with the market's
    bool underOverPooled = false;           // under/over 2.5 pooled with the market's
    std::optional<ThreeWay> expectedValues; // forecast * odds - 1, where odds are given
};

// The model's forecast pooled with each market given; the model's own figures where none is.
PooledForecast pooledForecast(const MatchForecast& model, const std::optional<ThreeWay>& market,
                              const std::optional<double>& marketUnder25, double modelWeight);

// The grid every market is priced from: the model's scores moved as little as it takes to give the pooled
// 1X2 and under/over, so that a double chance or a handicap agrees with them; the model's own grid where
// nothing was pooled or the move is out of reach.
ScoreGrid forecastGrid(const ScoreGrid& modelGrid, const PooledForecast& pooled);

} // namespace vezal::model
