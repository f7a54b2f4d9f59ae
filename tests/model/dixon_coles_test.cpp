// The goals model's likelihood, its slopes and its fit: against hand-worked figures, a second plain
// computation, finite differences and leagues drawn from known strengths.
#include "support/Simulation.h"

#include "model/DixonColes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace vezal::model {
namespace {

// The four corrected scores and one beyond them, at home mean 1.5, away mean 1.2, rho -0.1:
// 0-0: 1 - 1.5 * 1.2 * -0.1 = 1.18; 0-1: 1 + 1.5 * -0.1 = 0.85; 1-0: 1 + 1.2 * -0.1 = 0.88;
// 1-1: 1 - -0.1 = 1.1; 2-0 and 0-2: 1.
TEST(Tau, CorrectsTheFourLowScoresOnly) {
    struct Case {
        int home, away;
        double expected;
    };
    const Case cases[] = {{0, 0, 1.18}, {0, 1, 0.85}, {1, 0, 0.88}, {1, 1, 1.1},
                          {2, 0, 1},    {0, 2, 1},    {2, 2, 1}};
    for (const Case& c : cases)
        EXPECT_NEAR(tau(c.home, c.away, 1.5, 1.2, -0.1), c.expected, 1e-12) << c.home << '-' << c.away;
}

// Home 2, away 3: 0-0 reaches 0 at rho = 1/6, 0-1 at rho = -1/2, 1-0 at rho = -1/3; the guard keeps rho
// a thousandth inside (-1/3, 1/6) and leaves a rho inside alone.
TEST(Tau, GuardKeepsEveryCorrectionPositive) {
    struct Case {
        double rho, expected;
    };
    const Case cases[] = {{0.5, 0.999 / 6}, {-0.9, -0.999 / 3}, {-0.1, -0.1}, {0.1, 0.1}, {NAN, 0}};
    for (const Case& c : cases) {
        const double guarded = guardedRho(c.rho, 2, 3);
        EXPECT_NEAR(guarded, c.expected, 1e-12) << c.rho;
        for (int x = 0; x <= 1; ++x)
            for (int y = 0; y <= 1; ++y)
                EXPECT_GT(tau(x, y, 2, 3, guarded), 0) << c.rho << ' ' << x << '-' << y;
    }
}

// Six teams, matches spread over two months with many low scores, so that every correction is used.
std::vector<PlayedMatch> smallLeague() {
    const int scores[][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 0}, {0, 2}, {2, 2}, {4, 1}, {1, 3}};
    std::vector<PlayedMatch> matches;
    int k = 0;
    for (int home = 0; home < 6; ++home)
        for (int away = 0; away < 6; ++away)
            if (home != away) {
                matches.push_back({home, away, 100 + 2 * k, scores[k % 10][0], scores[k % 10][1]});
                ++k;
            }
    return matches;
}

double poissonProbability(int k, double mean) {
    return std::pow(mean, k) * std::exp(-mean) / std::tgamma(k + 1.0);
}

// The weighted mean log-probability, computed match by match in the plainest way.
double plainLikelihood(const std::vector<PlayedMatch>& matches, const Parameters& p, DayNumber day,
                       double xi) {
    double sum = 0;
    double weights = 0;
    for (const PlayedMatch& m : matches) {
        if (m.day >= day)
            continue;
        const double home = std::exp(p.attack[m.home] + p.defence[m.away] + p.homeAdvantage);
        const double away = std::exp(p.attack[m.away] + p.defence[m.home]);
        const double probability = poissonProbability(m.homeGoals, home) *
                                   poissonProbability(m.awayGoals, away) *
                                   tau(m.homeGoals, m.awayGoals, home, away, p.rho);
        const double weight = std::exp(-xi * static_cast<double>(day - m.day));
        sum += weight * std::log(probability);
        weights += weight;
    }
    return sum / weights;
}

Parameters somePoint() {
    Parameters p = Parameters::neutral(6);
    p.attack = {0.3, -0.2, 0.1, -0.35, 0.25, -0.1}; // sums to 0
    p.defence = {-0.1, 0.2, 0.05, 0.3, -0.25, 0.15};
    p.homeAdvantage = 0.2;
    p.rho = -0.12;
    return p;
}

TEST(Likelihood, AgreesWithAPlainComputation) {
    const std::vector<PlayedMatch> matches = smallLeague();
    const DayNumber day = 150; // leaves out the matches from day 150 on
    for (const double xi : {0.0, 0.0019, 0.05}) {
        const Likelihood likelihood(6, matches, day, xi);
        const Parameters p = somePoint();
        EXPECT_NEAR(likelihood.value(Likelihood::pack(p)), plainLikelihood(matches, p, day, xi), 1e-12) << xi;
    }
}

// Centring the raw attacks: moving them all together changes nothing.
TEST(Likelihood, AttacksAreReadAgainstTheirMean) {
    const Likelihood likelihood(6, smallLeague(), 1000, 0.0019);
    std::vector<double> point = Likelihood::pack(somePoint());
    const double before = likelihood.value(point);
    for (int i = 0; i < 6; ++i)
        point[i] += 0.7;
    EXPECT_NEAR(likelihood.value(point), before, 1e-12);
    double sum = 0;
    for (double a : likelihood.unpack(point).attack)
        sum += a;
    EXPECT_NEAR(sum, 0, 1e-12);
}

// Central differences with a step of 1e-6 are good to about 1e-8 here; the slopes must agree to 1e-6.
TEST(Likelihood, GradientMatchesFiniteDifferences) {
    Parameters ordinary = somePoint();
    Parameters rawAttacks = somePoint(); // not centred: the slopes must see through the centring
    rawAttacks.attack = {0.9, 0.1, 0.5, 0.2, 0.6, 0.4};
    Parameters strongRho = somePoint(); // 0-0 corrections below zero: the tangent continuation
    strongRho.rho = 0.95;
    strongRho.defence = {0.6, 0.7, 0.5, 0.8, 0.6, 0.7};
    Parameters negativeRho = somePoint(); // 0-1 and 1-0 corrections below zero
    negativeRho.rho = -0.9;
    negativeRho.defence = {0.6, 0.7, 0.5, 0.8, 0.6, 0.7};
    const struct {
        const char* name;
        Parameters point;
    } cases[] = {{"ordinary", ordinary},
                 {"raw attacks", rawAttacks},
                 {"strong rho", strongRho},
                 {"negative rho", negativeRho}};

    const Likelihood likelihood(6, smallLeague(), 160, 0.01);
    for (const auto& c : cases) {
        std::vector<double> point = Likelihood::pack(c.point);
        std::vector<double> gradient(point.size());
        likelihood.value(point, gradient);
        for (std::size_t i = 0; i < point.size(); ++i) {
            const double h = 1e-6;
            std::vector<double> up = point;
            std::vector<double> down = point;
            up[i] += h;
            down[i] -= h;
            const double numeric = (likelihood.value(up) - likelihood.value(down)) / (2 * h);
            EXPECT_NEAR(gradient[i], numeric, 1e-6) << c.name << ", parameter " << i;
        }
    }
}

// 20 teams, 5 seasons, 1,900 matches, no time weighting. Each team plays 190 matches and scores about 250
// goals, so a log attack or defence is known to about 1 / sqrt(250) = 0.065: 0.2 is three of those. The
// home advantage rests on all 5,000 goals (0.02): 0.08. rho rests on the low scores alone: 0.1.
TEST(Fit, RecoversTheStrengthsALeagueWasDrawnFrom) {
    const testing::SimulatedLeague league = testing::simulateLeague(20, 5, 20240601);
    ASSERT_EQ(league.matches.size(), 1900u);
    const Fit fit = fitDixonColes(20, league.matches, league.lastDay + 1, {.xi = 0});
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(fit.parameters.attack[i], league.truth.attack[i], 0.2) << "attack " << i;
        EXPECT_NEAR(fit.parameters.defence[i], league.truth.defence[i], 0.2) << "defence " << i;
        EXPECT_EQ(fit.matchesPlayed[i], 190);
    }
    EXPECT_NEAR(fit.parameters.homeAdvantage, 0.25, 0.08);
    EXPECT_NEAR(fit.parameters.rho, -0.1, 0.1);
    EXPECT_EQ(fit.matchCount, 1900u);
}

// The fit is a maximum of the likelihood less the pull towards the average team: no small step from it in
// any one parameter does better. The pull, written out here on its own, draws the strengths together.
TEST(Fit, NoSmallStepImprovesOnIt) {
    const std::vector<PlayedMatch> matches = smallLeague();
    const Likelihood likelihood(6, matches, 1000, FitOptions{}.xi);
    const auto spread = [](const std::vector<double>& point) {
        double sum = 0;
        for (const std::size_t first : {std::size_t{0}, std::size_t{6}}) {
            double mean = 0;
            for (std::size_t i = first; i < first + 6; ++i)
                mean += point[i] / 6;
            for (std::size_t i = first; i < first + 6; ++i)
                sum += (point[i] - mean) * (point[i] - mean);
        }
        return sum;
    };
    std::vector<double> spreads;
    for (const double shrinkage : {0.0, 5.0}) {
        SCOPED_TRACE(shrinkage);
        FitOptions options;
        options.shrinkage = shrinkage;
        const Fit fit = fitDixonColes(6, matches, 1000, options);
        const auto objective = [&](const std::vector<double>& point) {
            return likelihood.value(point) - shrinkage / likelihood.totalWeight() * spread(point);
        };
        const std::vector<double> best = Likelihood::pack(fit.parameters);
        EXPECT_NEAR(likelihood.value(best), fit.logLikelihood, 1e-12);
        const double top = objective(best);
        for (std::size_t i = 0; i < best.size(); ++i)
            for (const double step : {-1e-3, 1e-3}) {
                std::vector<double> moved = best;
                moved[i] += step;
                EXPECT_LE(objective(moved), top + 1e-12) << "parameter " << i << " by " << step;
            }
        spreads.push_back(spread(best));
    }
    EXPECT_LT(spreads[1], 0.9 * spreads[0]);
}

// A walk a day further: starting from yesterday's fit lands where a fit from nothing lands.
TEST(Fit, WarmStartReachesTheSameFit) {
    const testing::SimulatedLeague league = testing::simulateLeague(20, 2, 7);
    const DayNumber today = league.lastDay;
    const Fit yesterday = fitDixonColes(20, league.matches, today - 7);
    const Fit cold = fitDixonColes(20, league.matches, today + 1);
    const Fit warm = fitDixonColes(20, league.matches, today + 1, {}, &yesterday.parameters);
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(warm.parameters.attack[i], cold.parameters.attack[i], 1e-3) << i;
        EXPECT_NEAR(warm.parameters.defence[i], cold.parameters.defence[i], 1e-3) << i;
    }
    EXPECT_NEAR(warm.parameters.rho, cold.parameters.rho, 1e-3);
    EXPECT_LT(warm.evaluations, cold.evaluations);
}

// Only matches strictly before the day count: a result on the day or after it changes nothing.
TEST(Fit, IgnoresMatchesOnAndAfterTheDay) {
    std::vector<PlayedMatch> matches = smallLeague(); // days 100, 102, ..., 158
    const DayNumber day = 140;
    const Fit before = fitDixonColes(6, matches, day);
    for (PlayedMatch& m : matches)
        if (m.day >= day) {
            m.homeGoals = 9;
            m.awayGoals = 0;
        }
    const Fit after = fitDixonColes(6, matches, day);
    EXPECT_EQ(Likelihood::pack(after.parameters), Likelihood::pack(before.parameters));
    EXPECT_EQ(after.matchCount, 20u); // days 100 .. 138
    EXPECT_EQ(after.matchesPlayed, before.matchesPlayed);
}

bool allFinite(const Fit& fit) {
    for (double v : Likelihood::pack(fit.parameters))
        if (!std::isfinite(v))
            return false;
    return std::isfinite(fit.logLikelihood);
}

// Leagues a user may well have: the fit ends, and ends finite.
TEST(Fit, OddLeaguesGiveFiniteStrengths) {
    const std::vector<PlayedMatch> twoTeams = {{0, 1, 10, 2, 1}, {1, 0, 17, 0, 0}, {0, 1, 24, 1, 1},
                                               {1, 0, 31, 3, 2}, {0, 1, 38, 0, 1}, {1, 0, 45, 1, 0}};
    std::vector<PlayedMatch> oneDay;
    for (int home = 0; home < 4; ++home)
        oneDay.push_back({home, (home + 1) % 4, 50, home, 1});
    std::vector<PlayedMatch> thrashings; // 0 never scores, 1 scores 15 every time
    for (int k = 0; k < 8; ++k)
        thrashings.push_back({k % 2 ? 0 : 1, k % 2 ? 1 : 0, 10 + k, k % 2 ? 0 : 15, k % 2 ? 15 : 0});
    thrashings.push_back({2, 3, 30, 1, 1});
    const struct {
        const char* name;
        int teams;
        std::vector<PlayedMatch> matches;
        DayNumber day;
        std::size_t used;
    } cases[] = {
        {"two teams", 2, twoTeams, 100, 6},
        {"all on one day, the day after", 4, oneDay, 51, 4},
        {"all on one day, that day", 4, oneDay, 50, 0},
        {"15-0 and 0-15", 4, thrashings, 100, 9},
        {"a team that never played", 5, twoTeams, 100, 6},
        {"no match at all", 3, {}, 100, 0},
    };
    for (const auto& c : cases) {
        const Fit fit = fitDixonColes(c.teams, c.matches, c.day);
        EXPECT_TRUE(allFinite(fit)) << c.name;
        EXPECT_EQ(fit.matchCount, c.used) << c.name;
    }
}

TEST(Fit, HeavyWeightingKeepsTheNewestMatchDay) {
    // xi = 50 per day would make every weight underflow if counted from the day predicted, far ahead.
    const Fit fit = fitDixonColes(6, smallLeague(), 1'000'000, {.xi = 50});
    EXPECT_TRUE(allFinite(fit));
}

} // namespace
} // namespace vezal::model
