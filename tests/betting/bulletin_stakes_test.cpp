// The bulletin's stakes as one bets them: one outcome a market, the whole within a share of the bankroll.
// Figures worked out by hand.
#include "betting/Bulletin.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using M = BulletinMarket;

struct Staked {
    int fixture;
    M market;
    double value, stake;
};

TEST(LimitStakes, OneOutcomeAMarketAndTheWholeScaledDownToTheLimit) {
    const std::vector<Fixture> fixtures(3);
    const struct {
        const char* name;
        double totalMax; // of a bankroll of 1000
        std::vector<Staked> rows;
        std::vector<double> stakes; // after, row by row
        double total, expectedProfit;
    } cases[] = {
        // The draw's value 0.30 beats the home's 0.20, over's 0.12 under's 0.10; the other fixture's home
        // is a market of its own. 10 + 5 + 12 = 27 is within 100; 10 * 0.3 + 5 * 0.12 + 12 * 0.25 = 6.6.
        {"OnePerMarket",
         0.10,
         {{0, M::Home, 0.20, 15},
          {0, M::Draw, 0.30, 10},
          {0, M::Under, 0.10, 8},
          {0, M::Over, 0.12, 5},
          {1, M::Home, 0.25, 12}},
         {0, 10, 0, 5, 12},
         27,
         6.6},
        // 20 + 20 + 30 = 70 above 50: each times 50 / 70, 14.2857 -> 14.28, 21.4286 -> 21.42;
        // 14.28 * 0.1 + 14.28 * 0.2 + 21.42 * 0.3 = 1.428 + 2.856 + 6.426 = 10.71.
        {"ScaledInProportion",
         0.05,
         {{0, M::Home, 0.1, 20}, {1, M::Away, 0.2, 20}, {2, M::Over, 0.3, 30}},
         {14.28, 14.28, 21.42},
         49.98,
         10.71},
        // 7 * 20 / 21 = 6.667 rounded down: three times 6.67 would be 20.01, above the limit.
        {"RoundedDown",
         0.02,
         {{0, M::Home, 0.1, 7}, {1, M::Home, 0.1, 7}, {2, M::Home, 0.1, 7}},
         {6.66, 6.66, 6.66},
         19.98,
         1.998},
        // The limit counts the stakes kept: 40 and 40 on one market leave 40, within 50, unscaled.
        {"OnlyKeptStakesCount", 0.05, {{0, M::Home, 0.2, 40}, {0, M::Draw, 0.1, 40}}, {40, 0}, 40, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BulletinRow> rows;
        for (const Staked& s : c.rows) {
            BulletinRow row;
            row.fixture = &fixtures.at(static_cast<std::size_t>(s.fixture));
            row.market = bulletinOutcome(s.market);
            row.value = s.value;
            row.stake = s.stake;
            rows.push_back(row);
        }
        StakeRule rule;
        rule.totalMax = c.totalMax;
        limitStakes(rows, rule);
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_NEAR(*rows[i].stake, c.stakes.at(i), 1e-9) << i;
        const BulletinTotals totals = bulletinTotals(rows);
        EXPECT_EQ(totals.bets, static_cast<int>(std::count_if(c.stakes.begin(), c.stakes.end(),
                                                              [](double s) { return s > 0; })));
        EXPECT_NEAR(totals.stake, c.total, 1e-9);
        EXPECT_NEAR(totals.expectedProfit, c.expectedProfit, 1e-9);
    }
}

} // namespace
} // namespace vezal
