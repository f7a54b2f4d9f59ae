// One match's probabilities from its goal means, and the scores of a 1X2 forecast, against figures worked
// out by hand.
#include "model/Forecast.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vezal::model {
namespace {

constexpr double kClose = 1e-9;

// Means 1 and 1 without correction: e^-2 = 0.1353352832 for 0-0; the total is Poisson(2), so at most two
// goals is 5e^-2; both score (1 - e^-1)^2; a draw is e^-2 * sum 1/(k!)^2 = e^-2 * 2.2795853023.
// With rho -0.1 the draws 0-0 and 1-1 each gain 0.1 e^-2 and 1-0, 0-1 each lose it: at most two goals is
// unchanged, both score gains 0.1 e^-2.
TEST(ForecastMatch, EvenMeansByHand) {
    struct Case {
        double rho, home, draw, under, both;
    };
    const Case cases[] = {
        {0, 0.3457458388, 0.3085083225, 0.6766764162, 0.3995764009},
        {-0.1, 0.3322123104, 0.3355753791, 0.6766764162, 0.4131099292},
    };
    for (const Case& c : cases) {
        const auto f = forecastMatch(1, 1, c.rho);
        ASSERT_TRUE(f) << c.rho;
        EXPECT_NEAR(f->outcome.home, c.home, kClose) << c.rho;
        EXPECT_NEAR(f->outcome.draw, c.draw, kClose) << c.rho;
        EXPECT_NEAR(f->outcome.away, c.home, kClose) << c.rho;
        EXPECT_NEAR(f->under25, c.under, kClose) << c.rho;
        EXPECT_NEAR(f->over25, 1 - c.under, kClose) << c.rho;
        EXPECT_NEAR(f->bothScore, c.both, kClose) << c.rho;
    }
}

// An away side that never scores: the home side wins unless it scores none (e^-1.5), and at most two
// goals is e^-1.5 (1 + 1.5 + 1.125). The mirror image swaps the outcomes.
TEST(ForecastMatch, ASideThatNeverScores) {
    const auto home = forecastMatch(1.5, 0, -0.2);
    const auto away = forecastMatch(0, 1.5, -0.2);
    ASSERT_TRUE(home && away);
    EXPECT_NEAR(home->outcome.home, 0.7768698399, kClose);
    EXPECT_NEAR(home->outcome.draw, 0.2231301601, kClose);
    EXPECT_EQ(home->outcome.away, 0);
    EXPECT_NEAR(home->under25, 0.8088468304, kClose);
    EXPECT_EQ(home->bothScore, 0);
    EXPECT_NEAR(away->outcome.away, 0.7768698399, kClose);
    EXPECT_EQ(away->outcome.home, 0);
    EXPECT_FALSE(fairOdds(home->outcome.away));
}

// Home 2, away 1, rho -0.1, e^-3 = 0.0497870684: 1-1 is 2e^-3 * 1.1, 2-0 and 2-1 are 2e^-3, 1-0 is
// 2e^-3 * (1 + 1 * -0.1), 3-0 and 3-1 are (4/3)e^-3; 0-1 would be e^-3 * (1 + 2 * -0.1), far below.
// Equal figures go to fewer goals first.
TEST(ForecastMatch, FiveMostLikelyScores) {
    const auto f = forecastMatch(2, 1, -0.1);
    ASSERT_TRUE(f);
    const ScoreProbability expected[] = {{1, 1, 0.1095315504},
                                         {2, 0, 0.0995741367},
                                         {2, 1, 0.0995741367},
                                         {1, 0, 0.0896167231},
                                         {3, 0, 0.0663827578}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(f->likelyScores[i].homeGoals, expected[i].homeGoals) << i;
        EXPECT_EQ(f->likelyScores[i].awayGoals, expected[i].awayGoals) << i;
        EXPECT_NEAR(f->likelyScores[i].probability, expected[i].probability, kClose) << i;
    }
}

// Whatever the means and rho, the outcomes and the goal lines each sum to 1, and nothing is negative.
TEST(ForecastMatch, ProbabilitiesSumToOne) {
    for (const double home : {0.0, 0.05, 0.8, 1.4, 3.0, 15.0, 40.0})
        for (const double away : {0.0, 0.3, 1.1, 2.5, 15.0})
            for (const double rho : {-1.0, -0.15, 0.0, 0.1, 0.9}) {
                const auto f = forecastMatch(home, away, rho);
                ASSERT_TRUE(f) << home << ' ' << away << ' ' << rho;
                EXPECT_NEAR(f->outcome.home + f->outcome.draw + f->outcome.away, 1, 1e-12);
                EXPECT_NEAR(f->under25 + f->over25, 1, 1e-12);
                for (const double p :
                     {f->outcome.home, f->outcome.draw, f->outcome.away, f->under25, f->over25, f->bothScore})
                    EXPECT_TRUE(p >= 0 && p <= 1 + 1e-12) << home << ' ' << away << ' ' << rho;
                for (std::size_t i = 1; i < 5; ++i)
                    EXPECT_GE(f->likelyScores[i - 1].probability, f->likelyScores[i].probability);
            }
}

TEST(ForecastMatch, NoForecastFromMeansItCannotHold) {
    EXPECT_FALSE(forecastMatch(NAN, 1, 0));
    EXPECT_FALSE(forecastMatch(1, INFINITY, 0));
    EXPECT_FALSE(forecastMatch(-0.5, 1, 0));
    EXPECT_FALSE(forecastMatch(300, 1, 0)); // most of the probability lies beyond 150 goals
}

// Odds 2.00, 3.50, 4.00: inverses 0.5, 0.2857142857, 0.25, sum 1.0357142857.
// At probabilities 0.5, 0.3, 0.2 the values are 0.5 * 2 - 1 = 0, 0.3 * 3.5 - 1 = 0.05, 0.2 * 4 - 1 = -0.2.
TEST(Odds, ValuesAndTheBookmakersProbabilities) {
    const ThreeWay odds{2.0, 3.5, 4.0};
    const ThreeWay value = expectedValues({0.5, 0.3, 0.2}, odds);
    EXPECT_NEAR(value.home, 0, 1e-12);
    EXPECT_NEAR(value.draw, 0.05, 1e-12);
    EXPECT_NEAR(value.away, -0.2, 1e-12);
    const ThreeWay fair = marginFreeProbabilities(odds);
    EXPECT_NEAR(fair.home, 0.4827586207, kClose);
    EXPECT_NEAR(fair.draw, 0.2758620690, kClose);
    EXPECT_NEAR(fair.away, 0.2413793103, kClose);
    EXPECT_NEAR(*fairOdds(0.25), 4, 1e-12);
    EXPECT_FALSE(fairOdds(0));
}

TEST(Odds, OnlyOddsAboveOneAreOdds) {
    EXPECT_TRUE(areValidOdds({1.01, 3.2, 9.5}));
    EXPECT_FALSE(areValidOdds({1.0, 3.2, 9.5}));
    EXPECT_FALSE(areValidOdds({2.0, 0, 3}));
    EXPECT_FALSE(areValidOdds({2.0, -3, 3}));
    EXPECT_FALSE(areValidOdds({2.0, NAN, 3}));
    EXPECT_FALSE(areValidOdds({2.0, 3, INFINITY}));
}

// RPS = ((p1 - e1)^2 + (p1 + p2 - e1 - e2)^2) / 2 over home, draw, away.
TEST(Scoring, RankedProbabilityScoreAndLogLoss) {
    struct Case {
        ThreeWay forecast;
        Result result;
        double rps, logLoss;
    };
    const Case cases[] = {
        {{1, 0, 0}, Result::HomeWin, 0, 0},
        {{1, 0, 0}, Result::AwayWin, 1, 34.5387763949},                         // -ln 1e-15
        {{0.5, 0.3, 0.2}, Result::HomeWin, 0.145, 0.6931471806},                // (0.25 + 0.04) / 2, -ln 0.5
        {{0.5, 0.3, 0.2}, Result::Draw, 0.145, 1.2039728043},                   // (0.25 + 0.04) / 2, -ln 0.3
        {{0.5, 0.3, 0.2}, Result::AwayWin, 0.445, 1.6094379124},                // (0.25 + 0.64) / 2, -ln 0.2
        {{1.0 / 3, 1.0 / 3, 1.0 / 3}, Result::HomeWin, 5.0 / 18, 1.0986122887}, // (4/9 + 1/9) / 2
        {{0.2, 0.3, 0.5}, Result::HomeWin, 0.445, 1.6094379124},                // the away case mirrored
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(rankedProbabilityScore(c.forecast, c.result), c.rps, kClose);
        EXPECT_NEAR(logLoss(c.forecast, c.result), c.logLoss, kClose);
    }
}

} // namespace
} // namespace vezal::model
