// One match's score grid: its cells, its tilt towards given probabilities and its half-time scores,
// against figures worked out by hand or summed again by a plain loop over the cells.
#include "model/ScoreGrid.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vezal::model {
namespace {

constexpr double kClose = 1e-9;

struct Sums {
    ThreeWay outcome;
    double under25 = 0;
    double total = 0;
};

Sums sumCells(const ScoreGrid& grid) {
    Sums s;
    for (int x = 0; x <= grid.lastHomeGoals(); ++x)
        for (int y = 0; y <= grid.lastAwayGoals(); ++y) {
            const double p = grid.probability(x, y);
            (x > y ? s.outcome.home : x == y ? s.outcome.draw : s.outcome.away) += p;
            if (x + y <= 2)
                s.under25 += p;
            s.total += p;
        }
    return s;
}

// Means 1 and 1: e^-2 = 0.1353352832 at 0-0, e^-2 / 2 = 0.0676676416 at 1-2. With rho -0.1, 0-0 and 1-1
// gain a tenth (1 - 1 * 1 * -0.1, 1 - -0.1), 1-0 and 0-1 lose one; 1-2 is left alone.
TEST(ScoreGrid, CellsOfTheModel) {
    struct Case {
        double rho;
        int home, away;
        double expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0.1353352832},    {0, 1, 2, 0.0676676416},    {-0.1, 0, 0, 0.1488688115},
        {-0.1, 1, 1, 0.1488688115}, {-0.1, 1, 0, 0.1218017549}, {-0.1, 0, 1, 0.1218017549},
        {-0.1, 1, 2, 0.0676676416}, {-0.1, -1, 0, 0},           {-0.1, 0, 500, 0},
    };
    for (const Case& c : cases) {
        const auto grid = ScoreGrid::dixonColes(1, 1, c.rho);
        ASSERT_TRUE(grid);
        EXPECT_NEAR(grid->probability(c.home, c.away), c.expected, kClose)
            << c.rho << ' ' << c.home << '-' << c.away;
        EXPECT_EQ(grid->rho(), c.rho);
        EXPECT_EQ(grid->firstHalfShare(), kDefaultFirstHalfShare);
    }
    EXPECT_FALSE(ScoreGrid::dixonColes(NAN, 1, 0));
    EXPECT_FALSE(ScoreGrid::dixonColes(300, 1, 0));
}

// The corrections move 0-1 and 1-0 up by exactly what they take from 0-0 and 1-1 (each by
// rho * homeMean * awayMean * e^-(homeMean + awayMean)), so the means stay those the grid was made from.
TEST(ScoreGrid, ExpectedGoalsAreTheMeansWhateverRho) {
    for (const double rho : {-0.2, -0.05, 0.0, 0.1}) {
        const auto grid = ScoreGrid::dixonColes(1.4, 0.9, rho);
        ASSERT_TRUE(grid);
        EXPECT_NEAR(grid->expectedGoals().first, 1.4, 1e-12) << rho;
        EXPECT_NEAR(grid->expectedGoals().second, 0.9, 1e-12) << rho;
    }
}

TEST(ScoreGrid, TiltMeetsItsTargets) {
    const auto grid = ScoreGrid::dixonColes(1.4, 1.1, 0); // home 0.45, draw 0.27, under 0.53 or so
    ASSERT_TRUE(grid);
    struct Case {
        ThreeWay outcome;
        std::optional<double> under;
    };
    const Case cases[] = {
        {{0.5, 0.3, 0.2}, 0.55},   {{0.5, 0.3, 0.2}, std::nullopt},
        {{0.2, 0.25, 0.55}, 0.35}, {{0.7, 0.2, 0.1}, 0.7},
        {{5, 3, 2}, 0.55}, // odds-free shares are taken over their sum
    };
    for (const Case& c : cases) {
        const auto tilted = grid->tiltedTo(c.outcome, c.under);
        ASSERT_TRUE(tilted);
        const double sum = c.outcome.home + c.outcome.draw + c.outcome.away;
        const Sums s = sumCells(*tilted);
        EXPECT_NEAR(s.outcome.home, c.outcome.home / sum, 1e-12);
        EXPECT_NEAR(s.outcome.draw, c.outcome.draw / sum, 1e-12);
        EXPECT_NEAR(s.outcome.away, c.outcome.away / sum, 1e-12);
        EXPECT_NEAR(s.total, 1, 1e-12);
        if (c.under) {
            EXPECT_NEAR(s.under25, *c.under, 1e-12);
        }
        // 2-1 and 3-2 lie in the same parts (home wins, three goals or more): every scaling hits both
        // alike, so their ratio stays (1.4^2 1.1 / 2) / (1.4^3 1.1^2 / 12) = 6 / (1.4 * 1.1).
        EXPECT_NEAR(tilted->probability(2, 1) / tilted->probability(3, 2), 3.8961038961, kClose);
        for (const double p : tilted->cells())
            EXPECT_GE(p, 0);
    }
}

// A side that never scores leaves no away win and no draw above 0-0.
TEST(ScoreGrid, NoTiltToTargetsOutOfReach) {
    const auto grid = ScoreGrid::dixonColes(1.5, 0, 0);
    ASSERT_TRUE(grid);
    EXPECT_FALSE(grid->tiltedTo({0.6, 0.3, 0.1}));
    // Draws are 0-0 alone, so half of them in draws means at least half at two goals or fewer.
    EXPECT_FALSE(grid->tiltedTo({0.5, 0.5, 0}, 0.2));
    EXPECT_TRUE(grid->tiltedTo({0.5, 0.5, 0}, 0.6));
    EXPECT_FALSE(grid->tiltedTo({-0.1, 0.6, 0.5}));
    EXPECT_FALSE(grid->tiltedTo({0, 0, 0}));
    EXPECT_FALSE(grid->tiltedTo({NAN, 0.5, 0.5}));
    EXPECT_FALSE(grid->tiltedTo({0.5, 0.5, 0}, 1.5));
}

// Means 1 and 0 with half the goals before the break: only the home side scores, its first-half goals
// are Poisson(0.5). Level at the break and at the end: 0-0, e^-1. Level at the break, home win at the
// end: sum over x >= 1 of e^-1 / x! * 0.5^x = e^-1 (e^0.5 - 1). Ahead at the break: 1 - e^-0.5.
TEST(HalfTimeFullTime, ASideThatNeverScoresByHand) {
    const auto grid = ScoreGrid::dixonColes(1, 0, 0, 0.5);
    ASSERT_TRUE(grid);
    const auto signs = grid->halfTimeFullTimeSigns();
    const int home = static_cast<int>(Result::HomeWin), draw = static_cast<int>(Result::Draw),
              away = static_cast<int>(Result::AwayWin);
    EXPECT_NEAR(signs[draw][draw], 0.3678794412, kClose);
    EXPECT_NEAR(signs[draw][home], 0.2386512185, kClose);
    EXPECT_NEAR(signs[home][home], 0.3934693403, kClose);
    for (const auto& [half, full] :
         {std::pair{home, draw}, {home, away}, {draw, away}, {away, home}, {away, draw}, {away, away}})
        EXPECT_EQ(signs[half][full], 0) << half << ' ' << full;
}

// The grid's 1X2 (summed again here), and, without the correction, level at the break with probability
// e^-(s (l + m)) * sum over k of (s^2 l m)^k / (k!)^2: for means 1 and 1 and s 0.5, e^-1 * I0(1) =
// 0.3678794412 * 1.2660658778.
TEST(HalfTimeFullTime, SumsToOneAndAgreesWithTheGrid) {
    struct Case {
        double home, away, rho, share;
    };
    const Case cases[] = {
        {1, 1, 0, 0.5}, {1.7, 0.6, -0.1, 0.44}, {0.4, 2.9, 0.05, 0.3}, {2, 2, -0.15, 1}, {1.2, 1.3, 0, 0}};
    for (const Case& c : cases) {
        const auto grid = ScoreGrid::dixonColes(c.home, c.away, c.rho, c.share);
        ASSERT_TRUE(grid);
        const auto signs = grid->halfTimeFullTimeSigns();
        const Sums s = sumCells(*grid);
        const double fullTime[] = {s.outcome.home, s.outcome.draw, s.outcome.away};
        double total = 0;
        for (int full = 0; full < 3; ++full) {
            const double marginal = signs[0][full] + signs[1][full] + signs[2][full];
            EXPECT_NEAR(marginal, fullTime[full], 1e-12) << c.home << ' ' << c.away << ' ' << full;
            total += marginal;
        }
        EXPECT_NEAR(total, 1, 1e-12);
        if (c.share == 0) { // every goal after the break: level at half-time
            EXPECT_NEAR(signs[1][0] + signs[1][1] + signs[1][2], 1, 1e-12);
        }
        if (c.share == 1) { // every goal before it: the half-time sign is the full-time sign
            EXPECT_NEAR(signs[0][0] + signs[1][1] + signs[2][2], 1, 1e-12);
        }
    }
    const auto even = ScoreGrid::dixonColes(1, 1, 0, 0.5);
    const auto signs = even->halfTimeFullTimeSigns();
    EXPECT_NEAR(signs[1][0] + signs[1][1] + signs[1][2], 0.4657596076, kClose);
}

// Each cell split into its half-time scores one by one, Binomial(x, s) by Binomial(y, s), and summed by
// signs.
TEST(HalfTimeFullTime, TheSignsAreTheCellsSplitByHalves) {
    const double s = 0.4;
    const auto grid = ScoreGrid::dixonColes(1.5, 1.2, -0.05, s);
    ASSERT_TRUE(grid);
    const auto binomial = [s](int k, int n) {
        double c = 1;
        for (int i = 1; i <= k; ++i)
            c = c * (n - k + i) / i;
        return c * std::pow(s, k) * std::pow(1 - s, n - k);
    };
    const auto sign = [](int home, int away) {
        return home > away ? 0 : home == away ? 1 : 2;
    };
    double bySigns[3][3] = {};
    for (int x = 0; x <= grid->lastHomeGoals(); ++x)
        for (int y = 0; y <= grid->lastAwayGoals(); ++y)
            for (int i = 0; i <= x; ++i)
                for (int j = 0; j <= y; ++j)
                    bySigns[sign(i, j)][sign(x, y)] +=
                        grid->probability(x, y) * binomial(i, x) * binomial(j, y);
    const auto signs = grid->halfTimeFullTimeSigns();
    for (int half = 0; half < 3; ++half)
        for (int full = 0; full < 3; ++full)
            EXPECT_NEAR(signs[half][full], bySigns[half][full], 1e-12) << half << ' ' << full;
}

// (first-half goals + 1000 * 0.438) / (goals + 1000): 878 / 2000, 438 / 2000; the default without goals.
TEST(FirstHalfShare, DrawnTowardsTheDefault) {
    EXPECT_NEAR(firstHalfShare(440, 1000), 0.439, 1e-15);
    EXPECT_NEAR(firstHalfShare(0, 1000), 0.219, 1e-15);
    for (const auto& [firstHalf, goals] : {std::pair{0, 0}, {-1, 10}, {11, 10}})
        EXPECT_EQ(firstHalfShare(firstHalf, goals), kDefaultFirstHalfShare) << firstHalf << ' ' << goals;
}

} // namespace
} // namespace vezal::model
