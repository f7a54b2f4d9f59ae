#include "model/Forecast.h"

#include "model/ScoreGrid.h"

#include <algorithm>
#include <cmath>

namespace vezal::model {

namespace {

double probabilityOf(const ThreeWay& p, Result result) {
    switch (result) {
    case Result::HomeWin:
        return p.home;
    case Result::Draw:
        return p.draw;
    case Result::AwayWin:
        return p.away;
    }
    return 0;
}

} // namespace

std::optional<MatchForecast> forecastMatch(double homeMean, double awayMean, double rho) {
    const std::optional<ScoreGrid> grid = ScoreGrid::dixonColes(homeMean, awayMean, rho);
    if (!grid)
        return std::nullopt;
    return summarise(*grid);
}

std::optional<double> fairOdds(double probability) {
    if (!(probability > 0) || !std::isfinite(1 / probability))
        return std::nullopt;
    return 1 / probability;
}

ThreeWay expectedValues(const ThreeWay& p, const ThreeWay& odds) {
    return {p.home * odds.home - 1, p.draw * odds.draw - 1, p.away * odds.away - 1};
}

ThreeWay marginFreeProbabilities(const ThreeWay& odds) {
    const double sum = 1 / odds.home + 1 / odds.draw + 1 / odds.away;
    return {1 / odds.home / sum, 1 / odds.draw / sum, 1 / odds.away / sum};
}

bool areValidOdds(const ThreeWay& odds) {
    for (double o : {odds.home, odds.draw, odds.away})
        if (!std::isfinite(o) || !(o > 1))
            return false;
    return true;
}

double rankedProbabilityScore(const ThreeWay& forecast, Result result) {
    const ThreeWay happened{result == Result::HomeWin ? 1.0 : 0.0, result == Result::Draw ? 1.0 : 0.0,
                            result == Result::AwayWin ? 1.0 : 0.0};
    const double first = forecast.home - happened.home;
    const double second = first + forecast.draw - happened.draw;
    return (first * first + second * second) / 2;
}

double logLoss(const ThreeWay& forecast, Result result) {
    return -std::log(std::max(probabilityOf(forecast, result), 1e-15));
}

} // namespace vezal::model
