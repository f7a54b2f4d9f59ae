#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The Dixon-Coles goals model (Dixon and Coles, 1997): home goals Poisson with mean
// attack(home) * defence(away) * homeAdvantage, away goals Poisson with mean attack(away) * defence(home),
// the four low scores corrected by tau(rho), and each past match weighted by exp(-xi * days before the day
// predicted). Pure arithmetic: no Qt, no database.
namespace vezal::model {

// A day as a running count (a Julian day number, for example); only differences matter.
using DayNumber = std::int64_t;

// One played match of a league; teams are indices 0 .. teamCount - 1.
struct PlayedMatch {
    int home = 0;
    int away = 0;
    DayNumber day = 0;
    int homeGoals = 0;
    int awayGoals = 0;
    // Shots on target; negative where the match has no statistics kept.
    int homeShotsOnTarget = -1;
    int awayShotsOnTarget = -1;
    // The goal means the market's odds of the match implied; negative where none are kept.
    double marketHomeGoals = -1;
    double marketAwayGoals = -1;

    bool hasShots() const { return homeShotsOnTarget >= 0 && awayShotsOnTarget >= 0; }
    bool hasMarket() const { return marketHomeGoals >= 0 && marketAwayGoals >= 0; }
};

// The fitted strengths on a log scale: a home mean is exp(attack[home] + defence[away] + homeAdvantage).
// The attacks sum to 0, so a team's attack reads against the league's average one.
struct Parameters {
    std::vector<double> attack;
    std::vector<double> defence; // higher concedes more
    double homeAdvantage = 0;
    double rho = 0;

    static Parameters neutral(int teamCount);
    int teamCount() const { return static_cast<int>(attack.size()); }
    double homeMean(int home, int away) const;
    double awayMean(int home, int away) const;
};

// The low-score correction: 1 - homeMean * awayMean * rho at 0-0, 1 + homeMean * rho at 0-1,
// 1 + awayMean * rho at 1-0, 1 - rho at 1-1, and 1 elsewhere.
double tau(int homeGoals, int awayGoals, double homeMean, double awayMean, double rho);

// The logarithm of a correction as the likelihood takes it: below a small floor it goes on along its
// tangent, so that it stays finite; and its slope.
double logTau(double t);
double logTauSlope(double t);

// rho moved just inside the range where all four corrections stay positive for these means, so that no
// score gets a negative or zero probability.
double guardedRho(double rho, double homeMean, double awayMean);

// The last step of a likelihood's gradient: the attacks' slopes (summed with respect to the centred
// attacks) made slopes of the raw ones, the home and rho
// slopes put in their places, and all divided by the summed weights.
void finishGradient(std::span<double> gradient, double homeSlope, double rhoSlope, double totalWeight);

inline constexpr double kDefaultXi = 0.0019;
inline constexpr double kDefaultShotsWeight = 1;
inline constexpr double kDefaultShrinkage = 5;
// Measured walk-forward on four leagues with closing odds over eleven seasons (the README's figures): the
// market's means at nine tenths with a half-life of two weeks, the model's weight in the pool 0.45.
inline constexpr double kDefaultMarketWeight = 0.9;
inline constexpr double kDefaultMarketXi = 0.05;
inline constexpr double kDefaultPoolWeight = 0.45;

struct FitOptions {
    double xi = kDefaultXi; // per day
    // The share of goals in each side's count; the rest is shots on target at the league's goals per shot
    // on target. 1 fits on goals alone.
    double shotsWeight = kDefaultShotsWeight;
    // The market's share of the likelihood: the matches' goals (and shots) weigh 1 - marketWeight, the
    // goal means their odds implied weigh marketWeight, each part as a weighted mean over its own matches.
    // Where no match has the market's means the fit is the goals' alone, whatever the share.
    double marketWeight = kDefaultMarketWeight;
    double marketXi = kDefaultMarketXi; // the market part's own decay, per day: the market moves in weeks
    // The model's weight k when its probabilities are pooled with a match's own odds (model/Pool.h). Not
    // the fit's, but chosen and kept with it.
    double poolWeight = kDefaultPoolWeight;
    // How strongly each team's attack and defence are drawn towards the league's average ones, in matches:
    // the squared distances weigh as much as that many matches' log-likelihood, so a team with few matches
    // behind it is not taken at its few scores' word, and a long past outweighs the pull.
    double shrinkage = kDefaultShrinkage;
    double relativeTolerance = 1e-12; // of the objective, between two steps
    int maxEvaluations = 3000;
};

// The weighted log-likelihood of a league's matches played strictly before a day, as the optimiser
// sees it. The point it is evaluated at is unconstrained: the raw attacks (centred to sum 0 on the way
// in), the defences, the home advantage and rho, in that order.
//
// The sum-to-zero rule is kept by that centring rather than by a penalty: it holds exactly at every
// step, needs no weight to tune, and treats every team alike. The one direction it leaves flat (all raw
// attacks moved together) is orthogonal to every gradient, so L-BFGS never moves along it.
class Likelihood {
public:
    Likelihood(int teamCount, std::span<const PlayedMatch> matches, DayNumber predictedDay, double xi);

    int teamCount() const { return teamCount_; }
    int parameterCount() const { return 2 * teamCount_ + 2; }
    // Matches each team played before the day, weighted or not.
    const std::vector<int>& matchesPlayed() const { return matchesPlayed_; }
    std::size_t matchCount() const { return terms_.size(); }
    // The matches' weights summed: how many matches the fit rests on, the old ones counted less.
    double totalWeight() const { return totalWeight_; }
    // What a match of weight 1 is divided by in the value, as GroupedLikelihood::scale.
    double scale() const { return totalWeight_; }

    // The weighted mean of the matches' log-probabilities, sum(w * log p) / sum(w); the gradient with
    // respect to the point when asked for. Finite wherever rho is: a correction that would fall to zero
    // or below continues its logarithm along the tangent instead.
    double value(std::span<const double> point, std::span<double> gradient = {}) const;

    static std::vector<double> pack(const Parameters& parameters);
    Parameters unpack(std::span<const double> point) const;
    static Parameters unpack(int teamCount, std::span<const double> point);

private:
    struct Term {
        int home;
        int away;
        int homeGoals;
        int awayGoals;
        double weight;
        double constant; // -log(homeGoals!) - log(awayGoals!)
    };
    int teamCount_;
    std::vector<Term> terms_;
    std::vector<int> matchesPlayed_;
    double totalWeight_ = 0;
};

struct Fit {
    Parameters parameters;
    std::vector<int> matchesPlayed; // before the day predicted, per team
    std::size_t matchCount = 0;
    double logLikelihood = 0; // the weighted mean at the fitted parameters
    int evaluations = 0;
};

class GroupedLikelihood;

// Maximum weighted likelihood by L-BFGS with analytic gradients, less shrinkage / the likelihood's scale
// (the summed weights, without the market) times the squared distances of the attacks and defences from
// their means; logLikelihood is the likelihood alone. Matches on or after the day are left out. A previous
// fit of the same teams starts the search where it ended: a walk day after day then needs few steps. Teams
// without a match keep their starting values.
Fit fitDixonColes(int teamCount, std::span<const PlayedMatch> matches, DayNumber predictedDay,
                  const FitOptions& options = {}, const Parameters* start = nullptr);

// The same search over a likelihood already built; options give the tolerance and the evaluations only.
Fit fitLikelihood(const Likelihood& likelihood, const FitOptions& options = {},
                  const Parameters* start = nullptr);
Fit fitLikelihood(const GroupedLikelihood& likelihood, const FitOptions& options = {},
                  const Parameters* start = nullptr);

} // namespace vezal::model
