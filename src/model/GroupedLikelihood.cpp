#include "model/GroupedLikelihood.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vezal::model {

GroupedLikelihood::GroupedLikelihood(int teamCount, double xi, double shotsWeight)
    : teamCount_(teamCount), xi_(xi), shotsWeight_(shotsWeight) {
    if (teamCount < 0 || !std::isfinite(xi) || xi < 0)
        throw std::invalid_argument("teams and xi must not be negative");
    if (!(shotsWeight >= 0 && shotsWeight <= 1))
        throw std::invalid_argument("the goals' share must lie between 0 and 1");
    const auto n = static_cast<std::size_t>(teamCount);
    pairingIndex_.assign(n * n, -1);
    matchesPlayed_.assign(n, 0);
}

GroupedLikelihood::GroupedLikelihood(int teamCount, const FitOptions& options)
    : GroupedLikelihood(teamCount, options.xi, options.shotsWeight) {
    if (!(options.marketWeight >= 0 && options.marketWeight <= 1))
        throw std::invalid_argument("the market's share must lie between 0 and 1");
    if (!std::isfinite(options.marketXi) || options.marketXi < 0)
        throw std::invalid_argument("the market's xi must not be negative");
    marketShare_ = options.marketWeight;
    marketXi_ = options.marketXi;
}

GroupedLikelihood::GroupedLikelihood(int teamCount, std::span<const PlayedMatch> matches,
                                     DayNumber predictedDay, const FitOptions& options)
    : GroupedLikelihood(teamCount, options) {
    for (const PlayedMatch& m : matches)
        if (m.day < predictedDay)
            add(m);
}

void GroupedLikelihood::decayTo(DayNumber day) {
    const double factor = std::exp(-xi_ * static_cast<double>(day - newest_));
    const double marketFactor = std::exp(-marketXi_ * static_cast<double>(day - newest_));
    newest_ = day;
    if (marketTotal_ > 0 && marketFactor != 1) {
        for (Pairing& p : pairings_) {
            p.market *= marketFactor;
            p.marketHome *= marketFactor;
            p.marketAway *= marketFactor;
        }
        marketTotal_ *= marketFactor;
    }
    if (factor == 1)
        return;
    for (Pairing& p : pairings_) {
        p.weight *= factor;
        p.homeGoals *= factor;
        p.awayGoals *= factor;
        p.homeShotGoals *= factor;
        p.awayShotGoals *= factor;
        p.homeShots *= factor;
        p.awayShots *= factor;
        p.constant *= factor;
        for (double& w : p.low)
            w *= factor;
    }
    totalWeight_ *= factor;
    draws_ *= factor;
    shotGoals_ *= factor;
    shots_ *= factor;
}

void GroupedLikelihood::add(const PlayedMatch& m) {
    if (m.home < 0 || m.home >= teamCount_ || m.away < 0 || m.away >= teamCount_ || m.home == m.away ||
        m.homeGoals < 0 || m.awayGoals < 0)
        throw std::invalid_argument("a match with a team out of range or negative goals");
    if (!any_) {
        newest_ = m.day;
        any_ = true;
    } else if (m.day > newest_) {
        decayTo(m.day);
    }
    const double weight = std::exp(-xi_ * static_cast<double>(newest_ - m.day));
    int& index = pairingIndex_[static_cast<std::size_t>(m.home * teamCount_ + m.away)];
    if (index < 0) {
        index = static_cast<int>(pairings_.size());
        pairings_.push_back({});
        pairings_.back().home = m.home;
        pairings_.back().away = m.away;
    }
    Pairing& p = pairings_[static_cast<std::size_t>(index)];
    p.weight += weight;
    p.homeGoals += weight * m.homeGoals;
    p.awayGoals += weight * m.awayGoals;
    p.constant += weight * (-std::lgamma(m.homeGoals + 1.0) - std::lgamma(m.awayGoals + 1.0));
    if (m.homeGoals == 1 && m.awayGoals == 1)
        draws_ += weight;
    else if (m.homeGoals <= 1 && m.awayGoals <= 1)
        p.low[2 * m.homeGoals + m.awayGoals] += weight;
    if (m.hasShots()) {
        p.homeShotGoals += weight * m.homeGoals;
        p.awayShotGoals += weight * m.awayGoals;
        p.homeShots += weight * m.homeShotsOnTarget;
        p.awayShots += weight * m.awayShotsOnTarget;
        shotGoals_ += weight * (m.homeGoals + m.awayGoals);
        shots_ += weight * (m.homeShotsOnTarget + m.awayShotsOnTarget);
    }
    if (m.hasMarket() && marketShare_ > 0) {
        const double marketWeight = std::exp(-marketXi_ * static_cast<double>(newest_ - m.day));
        p.market += marketWeight;
        p.marketHome += marketWeight * m.marketHomeGoals;
        p.marketAway += marketWeight * m.marketAwayGoals;
        marketTotal_ += marketWeight;
    }
    totalWeight_ += weight;
    ++matchCount_;
    ++matchesPlayed_[m.home];
    ++matchesPlayed_[m.away];
}

double GroupedLikelihood::goalsPerShotOnTarget() const {
    return shots_ > 0 ? shotGoals_ / shots_ : 0;
}

GroupedLikelihood::Blend GroupedLikelihood::blended() const {
    // The goals' terms count `goals` times, the market's `market` times, the low scores' corrections `low`
    // times, and the whole is divided by `divisor`. The corrections keep the weight they have without the
    // market: the market's means say nothing of rho, which the real scores alone tell. Without the market
    // the goals' sums go through untouched.
    Blend blend{1, 0, totalWeight_, 1};
    if (marketTotal_ > 0 && marketShare_ > 0) {
        if (marketShare_ < 1 && totalWeight_ > 0) {
            blend.market = marketShare_ * totalWeight_ / ((1 - marketShare_) * marketTotal_);
            blend.divisor = totalWeight_ / (1 - marketShare_);
            blend.low = 1 / (1 - marketShare_);
        } else {
            blend = {0, 1, marketTotal_, totalWeight_ > 0 ? marketTotal_ / totalWeight_ : 0};
        }
    }
    return blend;
}

double GroupedLikelihood::scale() const {
    // On the market's means alone a goals match counts for nothing: the limit of the share going to 1.
    const Blend blend = blended();
    return blend.goals > 0 ? blend.divisor : std::numeric_limits<double>::infinity();
}

double GroupedLikelihood::value(std::span<const double> point, std::span<double> gradient) const {
    if (point.size() != static_cast<std::size_t>(parameterCount()) ||
        (!gradient.empty() && gradient.size() != point.size()))
        throw std::invalid_argument("point or gradient of the wrong size");
    const auto n = static_cast<std::size_t>(teamCount_);
    // The centred attacks, as Likelihood::unpack gives them, without building a Parameters.
    double meanAttack = 0;
    for (std::size_t i = 0; i < n; ++i)
        meanAttack += point[i];
    meanAttack = n > 0 ? meanAttack / static_cast<double>(n) : 0;
    const double* raw = point.data();
    const double* defence = point.data() + n;
    const double homeAdvantage = point[2 * n];
    const double rho = point[2 * n + 1];
    const auto attack = [&](int team) {
        return raw[team] - meanAttack;
    };

    const bool withGradient = !gradient.empty();
    std::fill(gradient.begin(), gradient.end(), 0.0);
    double* attackSlope = withGradient ? gradient.data() : nullptr;
    double* defenceSlope = withGradient ? gradient.data() + n : nullptr;
    double homeSlope = 0;
    double rhoSlope = 0;
    double sum = 0;
    // A count's shots part: (1 - share) * c * shots, less (1 - share) of the same matches' goals.
    const double shotShare = 1 - shotsWeight_;
    const double perShot = goalsPerShotOnTarget();
    const Blend blend = blended();
    const double goals = blend.goals, market = blend.market, divisor = blend.divisor, low = blend.low;

    // The means as products of each team's exponentials: a pass over the teams instead of two
    // exponentials per pairing.
    thread_local std::vector<double> expAttack, expDefence;
    expAttack.resize(n);
    expDefence.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        expAttack[i] = std::exp(raw[i] - meanAttack);
        expDefence[i] = std::exp(defence[i]);
    }
    const double expHome = std::exp(homeAdvantage);
    for (const Pairing& t : pairings_) {
        double homeCount = t.homeGoals - shotShare * t.homeShotGoals + shotShare * perShot * t.homeShots;
        double awayCount = t.awayGoals - shotShare * t.awayShotGoals + shotShare * perShot * t.awayShots;
        double weight = t.weight;
        double constant = t.constant;
        if (market > 0) {
            homeCount = goals * homeCount + market * t.marketHome;
            awayCount = goals * awayCount + market * t.marketAway;
            weight = goals * weight + market * t.market;
            constant *= goals;
        }
        const double logHome = attack(t.home) + defence[t.away] + homeAdvantage;
        const double logAway = attack(t.away) + defence[t.home];
        const double home = expAttack[t.home] * expDefence[t.away] * expHome;
        const double away = expAttack[t.away] * expDefence[t.home];
        double term = homeCount * logHome - weight * home + awayCount * logAway - weight * away + constant;
        double dHome = homeCount - weight * home;
        double dAway = awayCount - weight * away;
        if (t.low[0] > 0 && low > 0) { // 0-0
            const double correction = 1 - home * away * rho;
            term += low * t.low[0] * logTau(correction);
            const double slope = low * t.low[0] * logTauSlope(correction);
            dHome -= slope * home * away * rho;
            dAway -= slope * home * away * rho;
            rhoSlope -= slope * home * away;
        }
        if (t.low[1] > 0 && low > 0) { // 0-1
            const double correction = 1 + home * rho;
            term += low * t.low[1] * logTau(correction);
            const double slope = low * t.low[1] * logTauSlope(correction);
            dHome += slope * home * rho;
            rhoSlope += slope * home;
        }
        if (t.low[2] > 0 && low > 0) { // 1-0
            const double correction = 1 + away * rho;
            term += low * t.low[2] * logTau(correction);
            const double slope = low * t.low[2] * logTauSlope(correction);
            dAway += slope * away * rho;
            rhoSlope += slope * away;
        }
        sum += term;
        if (withGradient) {
            attackSlope[t.home] += dHome;
            defenceSlope[t.away] += dHome;
            attackSlope[t.away] += dAway;
            defenceSlope[t.home] += dAway;
            homeSlope += dHome;
        }
    }
    // 1-1's correction does not depend on the means: one logarithm for every pairing.
    if (draws_ > 0 && low > 0) {
        sum += low * draws_ * logTau(1 - rho);
        rhoSlope -= low * draws_ * logTauSlope(1 - rho);
    }
    if (divisor <= 0)
        return 0;
    if (withGradient)
        finishGradient(gradient, homeSlope, rhoSlope, divisor);
    return sum / divisor;
}

} // namespace vezal::model
