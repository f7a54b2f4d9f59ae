// A bulletin's rows re-priced at odds the user typed: value, flag, one stake a market and the limit worked
// again. Figures worked out by hand at the usual rule: value above 0.05, a quarter Kelly of 1000, at most
// 20 on a bet.
#include "betting/BulletinChoices.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

using M = BulletinMarket;

struct Expected {
    std::optional<double> typed, value, stake;
};

TEST(WithTypedOdds, RowsArePricedAgainAtTheTypedOddsAndStakedOverTheWholeList) {
    const Fixture fixture{QDate(2025, 1, 4), "12:30", "E0", "Brentford", "Arsenal", {}};
    // The file's prices: home 0.5 * 1.90 - 1 = -0.05, draw 0.3 * 3.20 - 1 = -0.04, away 0.2 * 5.50 - 1 =
    // 0.10, staked 0.25 * 0.10 / 4.50 * 1000 = 5.56; no odds for both teams scoring.
    const struct {
        M market;
        double probability;
        std::optional<double> odds;
    } listed[] = {{M::Home, 0.5, 1.90}, {M::Draw, 0.3, 3.20}, {M::Away, 0.2, 5.50}, {M::BothScore, 0.6, {}}};
    const OutcomeKey home{"E0", QDate(2025, 1, 4), "Brentford", "Arsenal", "1"};
    const OutcomeKey both{"E0", QDate(2025, 1, 4), "Brentford", "Arsenal", "KGVAR"};
    OutcomeKey otherDay = home;
    otherDay.day = QDate(2025, 1, 5);
    const struct {
        const char* name;
        TypedOdds typed;
        double totalMax;
        Expected rows[4];
    } cases[] = {
        {"FilePrices", {}, 0.10, {{{}, -0.05, 0}, {{}, -0.04, 0}, {{}, 0.10, 5.56}, {}}},
        // The same outcome on another day is another fixture's.
        {"AnotherFixture", {{otherDay, 2.40}}, 0.10, {{{}, -0.05, 0}, {{}, -0.04, 0}, {{}, 0.10, 5.56}, {}}},
        // Home at 2.40: 0.5 * 2.40 - 1 = 0.20, Kelly 0.20 / 1.40 = 0.1429, a quarter of it 35.71, cut to 20;
        // its value beats the away's 0.10, which gives its stake up.
        {"TypedOutranksTheFile", {{home, 2.40}}, 0.10, {{2.40, 0.20, 20}, {{}, -0.04, 0}, {{}, 0.10, 0}, {}}},
        // Both teams scoring at 1.90, a market of its own: 0.6 * 1.90 - 1 = 0.14, Kelly 0.14 / 0.90, a
        // quarter 38.89, cut to 20. 20 + 20 = 40 within 100.
        {"TypedWhereTheFileHasNone",
         {{home, 2.40}, {both, 1.90}},
         0.10,
         {{2.40, 0.20, 20}, {{}, -0.04, 0}, {{}, 0.10, 0}, {1.90, 0.14, 20}}},
        // 40 above a limit of 30: each 20 * 30 / 40 = 15.
        {"Limited",
         {{home, 2.40}, {both, 1.90}},
         0.03,
         {{2.40, 0.20, 15}, {{}, -0.04, 0}, {{}, 0.10, 0}, {1.90, 0.14, 15}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BulletinRow> rows;
        for (const auto& l : listed) {
            BulletinRow row;
            row.fixture = &fixture;
            row.market = bulletinOutcome(l.market);
            row.probability = l.probability;
            if (l.odds)
                row.odds = FileQuote{{"B365", false, QuoteOutcome::Home, *l.odds}, {}};
            rows.push_back(row);
        }
        StakeRule rule;
        rule.totalMax = c.totalMax;
        const std::vector<BulletinRow> priced = withTypedOdds(rows, c.typed, rule);
        ASSERT_EQ(priced.size(), std::size(c.rows));
        for (std::size_t i = 0; i < priced.size(); ++i) {
            SCOPED_TRACE(i);
            const Expected& e = c.rows[i];
            EXPECT_EQ(priced[i].typedOdds, e.typed);
            ASSERT_EQ(priced[i].value.has_value(), e.value.has_value());
            ASSERT_EQ(priced[i].stake.has_value(), e.stake.has_value());
            if (e.value) {
                EXPECT_NEAR(*priced[i].value, *e.value, 1e-9);
                EXPECT_EQ(priced[i].isValue, *e.value > 0.05);
                EXPECT_NEAR(*priced[i].stake, *e.stake, 1e-9);
            }
        }
    }
}

} // namespace
} // namespace vezal
