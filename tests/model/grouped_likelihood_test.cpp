// The likelihood kept as sums per pairing: against the match-by-match one it replaces, value, slopes and
// fit, and with shots on target against a plain computation of the blended counts.
#include "support/Simulation.h"

#include "model/Forecast.h"
#include "model/GroupedLikelihood.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace vezal::model {
namespace {

double relativeGap(double a, double b) {
    return std::abs(a - b) / std::max({std::abs(a), std::abs(b), 1e-300});
}

// A point off the optimum with every kind of term in play: spread strengths and a noticeable rho.
std::vector<double> somePoint(int teams, double rho) {
    std::vector<double> point;
    for (int i = 0; i < teams; ++i)
        point.push_back(0.05 * ((i * 7) % 11) - 0.2); // raw attacks, not centred
    for (int i = 0; i < teams; ++i)
        point.push_back(0.04 * ((i * 5) % 9) - 0.15);
    point.push_back(0.27);
    point.push_back(rho);
    return point;
}

// The same value and slopes, to 1e-9 relative, whether the sums were built for the day at once, moved
// forward day by day through the season, or fed the matches in a shuffled order.
TEST(GroupedLikelihood, EqualsTheMatchByMatchLikelihood) {
    const testing::SimulatedLeague league = testing::simulateLeague(20, 3, 99);
    const DayNumber day = league.lastDay - 40; // leaves the last weeks out
    std::vector<PlayedMatch> shuffled = league.matches;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937_64(5));

    for (const double xi : {0.0, 0.0019, 0.004, 0.05}) {
        for (const double rho : {-0.12, 0.4, -0.9}) { // -0.9: some corrections on their tangent
            SCOPED_TRACE(::testing::Message() << "xi " << xi << ", rho " << rho);
            const Likelihood plain(20, league.matches, day, xi);
            const GroupedLikelihood atOnce(20, league.matches, day, {.xi = xi});
            GroupedLikelihood walked(20, xi);
            for (const PlayedMatch& m : league.matches) // oldest first: the sums decay day by day
                if (m.day < day)
                    walked.add(m);
            GroupedLikelihood anyOrder(20, xi);
            for (const PlayedMatch& m : shuffled)
                if (m.day < day)
                    anyOrder.add(m);
            ASSERT_EQ(atOnce.matchCount(), plain.matchCount());
            EXPECT_EQ(atOnce.matchesPlayed(), plain.matchesPlayed());
            EXPECT_LE(atOnce.pairingCount(), 380u); // 20 * 19, against some 1,000 matches

            const std::vector<double> point = somePoint(20, rho);
            std::vector<double> expectedSlopes(point.size());
            const double expected = plain.value(point, expectedSlopes);
            for (const GroupedLikelihood* grouped : {&atOnce, static_cast<const GroupedLikelihood*>(&walked),
                                                     static_cast<const GroupedLikelihood*>(&anyOrder)}) {
                std::vector<double> slopes(point.size());
                EXPECT_LT(relativeGap(grouped->value(point, slopes), expected), 1e-9);
                EXPECT_LT(relativeGap(grouped->value(point), expected), 1e-9);
                // A slope near 0 is compared against the gradient's size, not its own.
                double scale = 0;
                for (double g : expectedSlopes)
                    scale = std::max(scale, std::abs(g));
                for (std::size_t i = 0; i < point.size(); ++i)
                    EXPECT_LE(std::abs(slopes[i] - expectedSlopes[i]), 1e-9 * scale) << "parameter " << i;
            }
        }
    }
}

// Fitted either way, every pairing's probabilities agree to 1e-6.
TEST(GroupedLikelihood, FitsToTheSameProbabilities) {
    const testing::SimulatedLeague league = testing::simulateLeague(18, 2, 2024);
    for (const double xi : {0.0019, 0.01}) {
        const Fit plain = fitLikelihood(Likelihood(18, league.matches, league.lastDay + 1, xi));
        const Fit grouped = fitDixonColes(18, league.matches, league.lastDay + 1, {.xi = xi});
        EXPECT_EQ(grouped.matchCount, plain.matchCount);
        for (int home = 0; home < 18; ++home)
            for (int away = 0; away < 18; ++away) {
                if (home == away)
                    continue;
                const auto a = forecastMatch(plain.parameters.homeMean(home, away),
                                             plain.parameters.awayMean(home, away), plain.parameters.rho);
                const auto b = forecastMatch(grouped.parameters.homeMean(home, away),
                                             grouped.parameters.awayMean(home, away), grouped.parameters.rho);
                ASSERT_TRUE(a && b);
                EXPECT_NEAR(a->outcome.home, b->outcome.home, 1e-6) << home << '-' << away;
                EXPECT_NEAR(a->outcome.draw, b->outcome.draw, 1e-6) << home << '-' << away;
                EXPECT_NEAR(a->under25, b->under25, 1e-6) << home << '-' << away;
            }
    }
}

// Three matches without decay: 2-1 on 5 and 4 shots on target, 0-0 on 3 and 2, and 4-0 without
// statistics. Goals per shot on target over the first two: (3 + 0) / (9 + 5) = 3/14; the 4-0 is left out.
TEST(GroupedLikelihood, GoalsPerShotOnTargetOverTheMatchesWithStatistics) {
    GroupedLikelihood sums(3, 0.0, 0.5);
    EXPECT_EQ(sums.goalsPerShotOnTarget(), 0); // nothing yet
    sums.add({0, 1, 10, 2, 1, 5, 4});
    sums.add({1, 2, 11, 0, 0, 3, 2});
    sums.add({2, 0, 12, 4, 0});
    EXPECT_NEAR(sums.goalsPerShotOnTarget(), 3.0 / 14, 1e-15);
    // With xi = ln 2 a day, the 2-1 a day older counts half: (3 / 2 + 0) / (9 / 2 + 5) = 3/19.
    GroupedLikelihood decayed(3, std::log(2.0), 0.5);
    decayed.add({0, 1, 10, 2, 1, 5, 4});
    decayed.add({1, 2, 11, 0, 0, 3, 2});
    EXPECT_NEAR(decayed.goalsPerShotOnTarget(), 3.0 / 19, 1e-12);
}

// Each side's count blended match by match, plainly: w * goals + (1 - w) * c * shots on target, c from a
// separate pass, goals alone where a match has no statistics; the correction on the real score.
double plainBlend(const std::vector<PlayedMatch>& matches, const Parameters& p, DayNumber day, double xi,
                  double w) {
    DayNumber newest = 0;
    double goals = 0, shots = 0;
    for (const PlayedMatch& m : matches)
        if (m.day < day)
            newest = std::max(newest, m.day);
    for (const PlayedMatch& m : matches)
        if (m.day < day && m.homeShotsOnTarget >= 0) {
            const double weight = std::exp(-xi * static_cast<double>(newest - m.day));
            goals += weight * (m.homeGoals + m.awayGoals);
            shots += weight * (m.homeShotsOnTarget + m.awayShotsOnTarget);
        }
    const double c = goals / shots;
    double sum = 0, weights = 0;
    for (const PlayedMatch& m : matches) {
        if (m.day >= day)
            continue;
        const double weight = std::exp(-xi * static_cast<double>(newest - m.day));
        const bool stats = m.homeShotsOnTarget >= 0;
        const double x = stats ? w * m.homeGoals + (1 - w) * c * m.homeShotsOnTarget : m.homeGoals;
        const double y = stats ? w * m.awayGoals + (1 - w) * c * m.awayShotsOnTarget : m.awayGoals;
        const double home = p.homeMean(m.home, m.away);
        const double away = p.awayMean(m.home, m.away);
        const double logP = x * std::log(home) - home + y * std::log(away) - away -
                            std::lgamma(m.homeGoals + 1.0) - std::lgamma(m.awayGoals + 1.0) +
                            std::log(tau(m.homeGoals, m.awayGoals, home, away, p.rho));
        sum += weight * logP;
        weights += weight;
    }
    return sum / weights;
}

TEST(GroupedLikelihood, BlendsShotsOnTargetIntoTheCounts) {
    testing::SimulatedLeague league = testing::simulateLeague(12, 2, 31);
    // Shots on target about three per goal, on two matches in three; the rest keep goals alone.
    for (std::size_t i = 0; i < league.matches.size(); ++i)
        if (i % 3 != 0) {
            league.matches[i].homeShotsOnTarget = 3 * league.matches[i].homeGoals + static_cast<int>(i % 4);
            league.matches[i].awayShotsOnTarget = 3 * league.matches[i].awayGoals + static_cast<int>(i % 3);
        }
    const DayNumber day = league.lastDay + 1;
    const std::vector<double> point = somePoint(12, -0.1);
    const Parameters p = Likelihood::unpack(12, point);
    for (const double w : {0.0, 0.25, 0.5, 1.0}) {
        const GroupedLikelihood sums(12, league.matches, day, {.xi = 0.003, .shotsWeight = w});
        EXPECT_LT(relativeGap(sums.value(point), plainBlend(league.matches, p, day, 0.003, w)), 1e-9) << w;
        // The slopes of the blended objective: central differences, good to about 1e-8.
        std::vector<double> slopes(point.size());
        sums.value(point, slopes);
        for (std::size_t i = 0; i < point.size(); i += 5) {
            std::vector<double> up = point, down = point;
            up[i] += 1e-6;
            down[i] -= 1e-6;
            EXPECT_NEAR(slopes[i], (sums.value(up) - sums.value(down)) / 2e-6, 1e-6) << w << ' ' << i;
        }
    }
    // At w = 1 the statistics change nothing.
    testing::SimulatedLeague bare = testing::simulateLeague(12, 2, 31);
    EXPECT_EQ(GroupedLikelihood(12, league.matches, day, {.xi = 0.003}).value(point),
              GroupedLikelihood(12, bare.matches, day, {.xi = 0.003}).value(point));
}

// A weighted mean over the matches before the day, plainly: sum(v * term) / sum(v), v = exp(-xi * days
// before the newest of them), over the matches `counts` takes.
template <class Term, class Counts>
double plainMean(const std::vector<PlayedMatch>& matches, DayNumber day, double xi, Term term,
                 Counts counts) {
    DayNumber newest = 0;
    for (const PlayedMatch& m : matches)
        if (m.day < day)
            newest = std::max(newest, m.day);
    double sum = 0, weights = 0;
    for (const PlayedMatch& m : matches) {
        if (m.day >= day || !counts(m))
            continue;
        const double weight = std::exp(-xi * static_cast<double>(newest - m.day));
        sum += weight * term(m);
        weights += weight;
    }
    return sum / weights;
}

// The market part: x log λ - λ + y log μ - μ over the matches with the market's means x and y.
double plainMarket(const std::vector<PlayedMatch>& matches, const Parameters& p, DayNumber day, double xi) {
    return plainMean(
        matches, day, xi,
        [&](const PlayedMatch& m) {
            const double home = p.homeMean(m.home, m.away);
            const double away = p.awayMean(m.home, m.away);
            return m.marketHomeGoals * std::log(home) - home + m.marketAwayGoals * std::log(away) - away;
        },
        [](const PlayedMatch& m) { return m.hasMarket(); });
}

// The low scores' corrections alone, log tau, with the goals' weights over every match.
double plainCorrections(const std::vector<PlayedMatch>& matches, const Parameters& p, DayNumber day,
                        double xi) {
    return plainMean(
        matches, day, xi,
        [&](const PlayedMatch& m) {
            return std::log(
                tau(m.homeGoals, m.awayGoals, p.homeMean(m.home, m.away), p.awayMean(m.home, m.away), p.rho));
        },
        [](const PlayedMatch&) { return true; });
}

// The market's means on two matches in three, a little off the truth: the value is the goals' weighted
// mean at 1 - share plus the market's at the share, each over its own weights, with the low scores'
// corrections kept at their whole weight; its slopes agree with central differences; and the scale that
// the shrinkage divides by grows as the goals' share shrinks.
TEST(GroupedLikelihood, BlendsTheMarketsMeansByTheirShare) {
    testing::SimulatedLeague league = testing::simulateLeague(12, 2, 77);
    for (std::size_t i = 0; i < league.matches.size(); ++i)
        if (i % 3 != 0) {
            PlayedMatch& m = league.matches[i];
            m.marketHomeGoals =
                league.truth.homeMean(m.home, m.away) * (1 + 0.01 * static_cast<double>(i % 7));
            m.marketAwayGoals =
                league.truth.awayMean(m.home, m.away) * (1 - 0.01 * static_cast<double>(i % 5));
        }
    const DayNumber day = league.lastDay - 20;
    const std::vector<double> point = somePoint(12, -0.08);
    const Parameters p = Likelihood::unpack(12, point);
    const Likelihood goals(12, league.matches, day, 0.002);
    for (const double share : {0.3, 0.8, 1.0})
        for (const double marketXi : {0.01, 0.03}) {
            SCOPED_TRACE(::testing::Message() << "share " << share << ", market xi " << marketXi);
            const GroupedLikelihood sums(12, league.matches, day,
                                         {.xi = 0.002, .marketWeight = share, .marketXi = marketXi});
            const double expected = (1 - share) * goals.value(point) +
                                    share * plainMarket(league.matches, p, day, marketXi) +
                                    share * plainCorrections(league.matches, p, day, 0.002);
            EXPECT_LT(relativeGap(sums.value(point), expected), 1e-9);
            EXPECT_GT(sums.marketWeightTotal(), 0);
            if (share < 1) {
                EXPECT_NEAR(sums.scale(), goals.totalWeight() / (1 - share), 1e-9 * goals.totalWeight());
            }
            std::vector<double> slopes(point.size());
            sums.value(point, slopes);
            for (std::size_t i = 0; i < point.size(); i += 3) {
                std::vector<double> up = point, down = point;
                up[i] += 1e-6;
                down[i] -= 1e-6;
                EXPECT_NEAR(slopes[i], (sums.value(up) - sums.value(down)) / 2e-6, 1e-6) << i;
            }
        }
    // Without a match with the market's means, any share leaves the goals' value to the last bit.
    const testing::SimulatedLeague bare = testing::simulateLeague(12, 2, 77);
    const GroupedLikelihood none(12, bare.matches, day, {.xi = 0.002, .marketWeight = 0});
    const GroupedLikelihood shared(12, bare.matches, day, {.xi = 0.002, .marketWeight = 0.8});
    EXPECT_EQ(shared.value(point), none.value(point));
    EXPECT_EQ(shared.scale(), none.scale());
}

// Fitted on the market's means alone, where they are the truth's own means, the ratings are the truth:
// the weighted Poisson score equations hold there exactly. Every real score is 2-2, so that no low score's
// correction pulls at the means.
TEST(GroupedLikelihood, TheMarketsMeansAloneGiveBackTheirStrengths) {
    testing::SimulatedLeague league = testing::simulateLeague(10, 2, 5);
    for (PlayedMatch& m : league.matches) {
        m.homeGoals = m.awayGoals = 2;
        m.marketHomeGoals = league.truth.homeMean(m.home, m.away);
        m.marketAwayGoals = league.truth.awayMean(m.home, m.away);
    }
    const Fit fit = fitDixonColes(10, league.matches, league.lastDay + 1,
                                  {.marketWeight = 1, .marketXi = 0.02, .shrinkage = 0});
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(fit.parameters.attack[i], league.truth.attack[i], 1e-5) << i;
        EXPECT_NEAR(fit.parameters.defence[i], league.truth.defence[i], 1e-5) << i;
    }
    EXPECT_NEAR(fit.parameters.homeAdvantage, league.truth.homeAdvantage, 1e-5);
}

} // namespace
} // namespace vezal::model
