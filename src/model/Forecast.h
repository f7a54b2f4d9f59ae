#pragma once

#include <array>
#include <optional>

// What a pair of goal means says about one match, and how a 1X2 forecast is scored. Pure arithmetic.
namespace vezal::model {

// Home, draw and away: probabilities, odds or values alike.
struct ThreeWay {
    double home = 0;
    double draw = 0;
    double away = 0;
};

struct ScoreProbability {
    int homeGoals = 0;
    int awayGoals = 0;
    double probability = 0;
};

struct MatchForecast {
    ThreeWay outcome;
    double under25 = 0; // at most 2 goals
    double over25 = 0;
    double bothScore = 0;
    std::array<ScoreProbability, 5> likelyScores{}; // most likely first
};

// The score probabilities of the Dixon-Coles model for these means, rho guarded for them, summed over
// every score that carries probability and renormalised. None when the means are not finite or so large
// that the scores a table can hold (up to 150 goals a side) miss part of the probability.
std::optional<MatchForecast> forecastMatch(double homeMean, double awayMean, double rho);

// 1 / probability; none for a probability of 0, whose fair odds would be infinite.
std::optional<double> fairOdds(double probability);

// probability * odds - 1 for each bet: the expected gain of a stake of 1.
ThreeWay expectedValues(const ThreeWay& probabilities, const ThreeWay& odds);

// The bookmaker's probabilities without his margin: each inverse odd divided by their sum.
ThreeWay marginFreeProbabilities(const ThreeWay& odds);

// Odds a bookmaker could offer: finite and above 1.
bool areValidOdds(const ThreeWay& odds);

enum class Result { HomeWin, Draw, AwayWin };

// The ranked probability score over the ordered outcomes home, draw, away: 0 for a certain right
// forecast, 1 for a certain forecast of the opposite result.
double rankedProbabilityScore(const ThreeWay& forecast, Result result);

// -log of the probability given to what happened; a probability of 0 counts as 1e-15 so that the loss
// stays finite (34.5).
double logLoss(const ThreeWay& forecast, Result result);

} // namespace vezal::model
