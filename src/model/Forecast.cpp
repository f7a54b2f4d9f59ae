#include "model/Forecast.h"

#include "model/DixonColes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vezal::model {

namespace {

constexpr int kMostGoals = 150;
// The share of probability a score table must hold before its renormalised figures are trusted.
constexpr double kLeastCovered = 1 - 1e-9;

// Poisson probabilities of 0 .. last goals, by logarithms: exp(-mean) alone underflows for large means.
std::vector<double> poisson(double mean, int last) {
    std::vector<double> p(static_cast<std::size_t>(last) + 1);
    const double logMean = mean > 0 ? std::log(mean) : 0;
    for (int k = 0; k <= last; ++k)
        p[k] = mean > 0 ? std::exp(k * logMean - mean - std::lgamma(k + 1.0)) : (k == 0 ? 1.0 : 0.0);
    return p;
}

// Ten standard deviations past the mean leave less than 1e-12 behind.
int lastGoals(double mean) {
    return static_cast<int>(std::min<double>(kMostGoals, std::ceil(mean + 10 * std::sqrt(mean) + 10)));
}

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
    if (!std::isfinite(homeMean) || !std::isfinite(awayMean) || homeMean < 0 || awayMean < 0)
        return std::nullopt;
    const double safeRho = guardedRho(rho, homeMean, awayMean);
    const int lastHome = lastGoals(homeMean);
    const int lastAway = lastGoals(awayMean);
    const std::vector<double> home = poisson(homeMean, lastHome);
    const std::vector<double> away = poisson(awayMean, lastAway);

    std::vector<ScoreProbability> scores;
    scores.reserve(static_cast<std::size_t>(lastHome + 1) * static_cast<std::size_t>(lastAway + 1));
    double total = 0;
    for (int x = 0; x <= lastHome; ++x)
        for (int y = 0; y <= lastAway; ++y) {
            const double p = home[x] * away[y] * tau(x, y, homeMean, awayMean, safeRho);
            scores.push_back({x, y, p});
            total += p;
        }
    // The corrections cancel over the four low scores, so the whole table sums to 1 less its tails.
    if (!(total >= kLeastCovered) || !std::isfinite(total))
        return std::nullopt;

    MatchForecast f;
    for (ScoreProbability& s : scores) {
        s.probability /= total;
        const int goals = s.homeGoals + s.awayGoals;
        if (s.homeGoals > s.awayGoals)
            f.outcome.home += s.probability;
        else if (s.homeGoals == s.awayGoals)
            f.outcome.draw += s.probability;
        else
            f.outcome.away += s.probability;
        (goals <= 2 ? f.under25 : f.over25) += s.probability;
        if (s.homeGoals > 0 && s.awayGoals > 0)
            f.bothScore += s.probability;
    }
    // Ties go to fewer goals, then to fewer home goals, so the order never depends on the sort.
    std::partial_sort(scores.begin(), scores.begin() + static_cast<std::ptrdiff_t>(f.likelyScores.size()),
                      scores.end(), [](const ScoreProbability& a, const ScoreProbability& b) {
                          if (a.probability != b.probability)
                              return a.probability > b.probability;
                          if (a.homeGoals + a.awayGoals != b.homeGoals + b.awayGoals)
                              return a.homeGoals + a.awayGoals < b.homeGoals + b.awayGoals;
                          return a.homeGoals < b.homeGoals;
                      });
    std::copy_n(scores.begin(), f.likelyScores.size(), f.likelyScores.begin());
    return f;
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
