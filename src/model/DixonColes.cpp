#include "model/DixonColes.h"

#include "model/GroupedLikelihood.h"

#include <nlopt.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vezal::model {

namespace {

// Wide enough for any league (a mean of exp(8) goals is far beyond football), narrow enough that a
// team that never scored stops at a small finite strength instead of running off to minus infinity.
constexpr double kStrengthBound = 8;
constexpr double kHomeBound = 3;
constexpr double kRhoBound = 1;

// Keeps the best point the optimiser was shown: L-BFGS may stop on a failed line search, and what it
// hands back then is not always the best it saw.
template <class L> struct Search {
    const L* likelihood;
    double shrinkage = 0;
    std::vector<double> best;
    double bestValue = std::numeric_limits<double>::infinity();
    int evaluations = 0;
};

// shrinkage * the sum of the squared distances of the attacks and of the defences from their means, added
// to the gradient. Both sums of distances are zero, so a raw attack's slope needs no centring term.
double shrinkage(const std::vector<double>& point, std::vector<double>& gradient, double weight) {
    const std::size_t n = (point.size() - 2) / 2;
    if (weight <= 0 || n == 0)
        return 0;
    double penalty = 0;
    for (const std::size_t first : {std::size_t{0}, n}) {
        double mean = 0;
        for (std::size_t i = first; i < first + n; ++i)
            mean += point[i];
        mean /= static_cast<double>(n);
        for (std::size_t i = first; i < first + n; ++i) {
            const double distance = point[i] - mean;
            penalty += weight * distance * distance;
            if (!gradient.empty())
                gradient[i] += 2 * weight * distance;
        }
    }
    return penalty;
}

template <class L>
double objective(const std::vector<double>& point, std::vector<double>& gradient, void* data) {
    auto* search = static_cast<Search<L>*>(data);
    ++search->evaluations;
    double value = -search->likelihood->value(point, gradient);
    for (double& g : gradient)
        g = -g;
    value += shrinkage(point, gradient, search->shrinkage);
    if (value < search->bestValue) {
        search->bestValue = value;
        search->best = point;
    }
    return value;
}

} // namespace

// Below this a correction's logarithm goes on along its tangent: the objective stays finite and its
// slope points back towards positive corrections, where every sensible fit lies.
constexpr double kTauFloor = 1e-3;

double logTau(double t) {
    return t >= kTauFloor ? std::log(t) : std::log(kTauFloor) + (t - kTauFloor) / kTauFloor;
}

double logTauSlope(double t) {
    return 1.0 / std::max(t, kTauFloor);
}

Parameters Parameters::neutral(int teamCount) {
    Parameters p;
    p.attack.assign(static_cast<std::size_t>(teamCount), 0.0);
    p.defence.assign(static_cast<std::size_t>(teamCount), 0.0);
    return p;
}

double Parameters::homeMean(int home, int away) const {
    return std::exp(attack[home] + defence[away] + homeAdvantage);
}

double Parameters::awayMean(int home, int away) const {
    return std::exp(attack[away] + defence[home]);
}

double tau(int homeGoals, int awayGoals, double homeMean, double awayMean, double rho) {
    if (homeGoals == 0 && awayGoals == 0)
        return 1 - homeMean * awayMean * rho;
    if (homeGoals == 0 && awayGoals == 1)
        return 1 + homeMean * rho;
    if (homeGoals == 1 && awayGoals == 0)
        return 1 + awayMean * rho;
    if (homeGoals == 1 && awayGoals == 1)
        return 1 - rho;
    return 1;
}

double guardedRho(double rho, double homeMean, double awayMean) {
    // Each correction is linear in rho and 1 at rho = 0; the nearest root on either side bounds it.
    // Staying a thousandth short of a root keeps the smallest correction near 0.001 at worst.
    constexpr double kShare = 0.999;
    double upper = 1;
    if (homeMean * awayMean > 0)
        upper = std::min(upper, 1 / (homeMean * awayMean));
    double lower = -std::numeric_limits<double>::max();
    if (homeMean > 0)
        lower = std::max(lower, -1 / homeMean);
    if (awayMean > 0)
        lower = std::max(lower, -1 / awayMean);
    if (!std::isfinite(rho))
        return 0;
    return std::clamp(rho, kShare * lower, kShare * upper);
}

Likelihood::Likelihood(int teamCount, std::span<const PlayedMatch> matches, DayNumber predictedDay, double xi)
    : teamCount_(teamCount), matchesPlayed_(static_cast<std::size_t>(teamCount), 0) {
    if (teamCount < 0 || !std::isfinite(xi) || xi < 0)
        throw std::invalid_argument("teams and xi must not be negative");
    // Weights count from the newest match used rather than from the day predicted: the mean below does
    // not change, and however large xi is, the newest match keeps weight 1 instead of underflowing to 0.
    DayNumber newest = std::numeric_limits<DayNumber>::min();
    for (const PlayedMatch& m : matches)
        if (m.day < predictedDay)
            newest = std::max(newest, m.day);
    for (const PlayedMatch& m : matches) {
        if (m.day >= predictedDay)
            continue;
        if (m.home < 0 || m.home >= teamCount || m.away < 0 || m.away >= teamCount || m.home == m.away ||
            m.homeGoals < 0 || m.awayGoals < 0)
            throw std::invalid_argument("a match with a team out of range or negative goals");
        const double weight = std::exp(-xi * static_cast<double>(newest - m.day));
        const double constant = -std::lgamma(m.homeGoals + 1.0) - std::lgamma(m.awayGoals + 1.0);
        terms_.push_back({m.home, m.away, m.homeGoals, m.awayGoals, weight, constant});
        totalWeight_ += weight;
        ++matchesPlayed_[m.home];
        ++matchesPlayed_[m.away];
    }
}

void finishGradient(std::span<double> gradient, double homeSlope, double rhoSlope, double totalWeight) {
    const std::size_t n = (gradient.size() - 2) / 2;
    // a_i = b_i - mean(b): the slope for b_i is the slope for a_i less the mean slope.
    double meanSlope = 0;
    for (std::size_t i = 0; i < n; ++i)
        meanSlope += gradient[i];
    meanSlope = n > 0 ? meanSlope / static_cast<double>(n) : 0;
    for (std::size_t i = 0; i < n; ++i)
        gradient[i] -= meanSlope;
    gradient[2 * n] = homeSlope;
    gradient[2 * n + 1] = rhoSlope;
    for (double& g : gradient)
        g /= totalWeight;
}

std::vector<double> Likelihood::pack(const Parameters& parameters) {
    std::vector<double> point(parameters.attack);
    point.insert(point.end(), parameters.defence.begin(), parameters.defence.end());
    point.push_back(parameters.homeAdvantage);
    point.push_back(parameters.rho);
    return point;
}

Parameters Likelihood::unpack(std::span<const double> point) const {
    return unpack(teamCount_, point);
}

Parameters Likelihood::unpack(int teamCount, std::span<const double> point) {
    const auto n = static_cast<std::size_t>(teamCount);
    Parameters p;
    p.attack.assign(point.begin(), point.begin() + static_cast<std::ptrdiff_t>(n));
    double mean = 0;
    for (double a : p.attack)
        mean += a;
    mean = n > 0 ? mean / static_cast<double>(n) : 0;
    for (double& a : p.attack)
        a -= mean;
    p.defence.assign(point.begin() + static_cast<std::ptrdiff_t>(n),
                     point.begin() + static_cast<std::ptrdiff_t>(2 * n));
    p.homeAdvantage = point[2 * n];
    p.rho = point[2 * n + 1];
    return p;
}

double Likelihood::value(std::span<const double> point, std::span<double> gradient) const {
    if (point.size() != static_cast<std::size_t>(parameterCount()) ||
        (!gradient.empty() && gradient.size() != point.size()))
        throw std::invalid_argument("point or gradient of the wrong size");
    const Parameters p = unpack(point);
    const auto n = static_cast<std::size_t>(teamCount_);
    const bool withGradient = !gradient.empty();
    std::fill(gradient.begin(), gradient.end(), 0.0);
    // Slopes with respect to the centred attacks first; the raw ones follow below.
    double* attackSlope = withGradient ? gradient.data() : nullptr;
    double* defenceSlope = withGradient ? gradient.data() + n : nullptr;
    double homeSlope = 0;
    double rhoSlope = 0;
    double sum = 0;

    for (const Term& t : terms_) {
        const double logHome = p.attack[t.home] + p.defence[t.away] + p.homeAdvantage;
        const double logAway = p.attack[t.away] + p.defence[t.home];
        const double home = std::exp(logHome);
        const double away = std::exp(logAway);
        double term = t.homeGoals * logHome - home + t.awayGoals * logAway - away + t.constant;
        // d/dlogHome and d/dlogAway of the match's log-probability, and d/drho.
        double dHome = t.homeGoals - home;
        double dAway = t.awayGoals - away;
        double dRho = 0;
        if (t.homeGoals <= 1 && t.awayGoals <= 1) {
            const double correction = tau(t.homeGoals, t.awayGoals, home, away, p.rho);
            term += logTau(correction);
            const double slope = logTauSlope(correction);
            if (t.homeGoals == 0 && t.awayGoals == 0) {
                dHome -= slope * home * away * p.rho;
                dAway -= slope * home * away * p.rho;
                dRho = -slope * home * away;
            } else if (t.homeGoals == 0) {
                dHome += slope * home * p.rho;
                dRho = slope * home;
            } else if (t.awayGoals == 0) {
                dAway += slope * away * p.rho;
                dRho = slope * away;
            } else {
                dRho = -slope;
            }
        }
        sum += t.weight * term;
        if (withGradient) {
            attackSlope[t.home] += t.weight * dHome;
            defenceSlope[t.away] += t.weight * dHome;
            attackSlope[t.away] += t.weight * dAway;
            defenceSlope[t.home] += t.weight * dAway;
            homeSlope += t.weight * dHome;
            rhoSlope += t.weight * dRho;
        }
    }
    if (totalWeight_ <= 0)
        return 0;
    if (withGradient)
        finishGradient(gradient, homeSlope, rhoSlope, totalWeight_);
    return sum / totalWeight_;
}

namespace {

template <class L> Fit fitWith(const L& likelihood, const FitOptions& options, const Parameters* start) {
    const int teamCount = likelihood.teamCount();
    Fit fit;
    fit.matchesPlayed = likelihood.matchesPlayed();
    fit.matchCount = likelihood.matchCount();

    const bool warm =
        start && start->teamCount() == teamCount && start->defence.size() == start->attack.size();
    std::vector<double> point = Likelihood::pack(warm ? *start : Parameters::neutral(teamCount));
    const auto n = static_cast<std::size_t>(teamCount);
    std::vector<double> lower(point.size(), -kStrengthBound);
    std::vector<double> upper(point.size(), kStrengthBound);
    lower[2 * n] = -kHomeBound;
    upper[2 * n] = kHomeBound;
    lower[2 * n + 1] = -kRhoBound;
    upper[2 * n + 1] = kRhoBound;
    // A start from elsewhere (or a non-finite one) must lie inside the box the search keeps to.
    for (std::size_t i = 0; i < point.size(); ++i)
        point[i] = std::isfinite(point[i]) ? std::clamp(point[i], lower[i], upper[i]) : 0.0;

    const double pull = likelihood.scale() > 0 ? options.shrinkage / likelihood.scale() : 0;
    Search<L> search{&likelihood, pull, point, std::numeric_limits<double>::infinity(), 0};
    std::vector<double> noGradient;
    search.bestValue = -likelihood.value(point) + shrinkage(point, noGradient, pull);
    if (likelihood.matchCount() > 0) {
        nlopt::opt optimiser(nlopt::LD_LBFGS, static_cast<unsigned>(point.size()));
        optimiser.set_lower_bounds(lower);
        optimiser.set_upper_bounds(upper);
        optimiser.set_min_objective(objective<L>, &search);
        optimiser.set_ftol_rel(options.relativeTolerance);
        optimiser.set_maxeval(options.maxEvaluations);
        double reached = 0;
        try {
            optimiser.optimize(point, reached);
        } catch (const std::runtime_error&) {
            // Round-off or a failed line search near the optimum: the best point seen stands.
        }
    }
    fit.parameters = likelihood.unpack(search.best);
    fit.logLikelihood = likelihood.value(search.best);
    fit.evaluations = search.evaluations;
    return fit;
}

} // namespace

Fit fitDixonColes(int teamCount, std::span<const PlayedMatch> matches, DayNumber predictedDay,
                  const FitOptions& options, const Parameters* start) {
    return fitWith(GroupedLikelihood(teamCount, matches, predictedDay, options), options, start);
}

Fit fitLikelihood(const Likelihood& likelihood, const FitOptions& options, const Parameters* start) {
    return fitWith(likelihood, options, start);
}

Fit fitLikelihood(const GroupedLikelihood& likelihood, const FitOptions& options, const Parameters* start) {
    return fitWith(likelihood, options, start);
}

} // namespace vezal::model
