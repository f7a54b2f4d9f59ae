// The bulletin's stakes as one bets them: one outcome a market, the whole within a share of the bankroll;
// and the bookmakers typed for "best". Figures worked out by hand.
#include "betting/Bulletin.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

using M = BulletinMarket;

struct Staked {
    int fixture;
    M market;
    double value;
    double stake;
};

std::vector<BulletinRow> rowsOf(const std::vector<Fixture>& fixtures, const std::vector<Staked>& staked) {
    std::vector<BulletinRow> rows;
    for (const Staked& s : staked) {
        BulletinRow row;
        row.fixture = &fixtures.at(static_cast<std::size_t>(s.fixture));
        row.market = s.market;
        row.value = s.value;
        row.isValue = s.stake > 0;
        row.stake = s.stake;
        rows.push_back(row);
    }
    return rows;
}

struct LimitCase {
    const char* name;
    double totalMax; // of a bankroll of 1000
    std::vector<Staked> rows;
    std::vector<double> stakes; // after, row by row
    int bets;
    double total;
    double expectedProfit;
};

TEST(LimitStakes, OneOutcomeAMarketAndTheWholeScaledDownToTheLimit) {
    const std::vector<Fixture> fixtures(3);
    const LimitCase cases[] = {
        // Home and draw of one fixture: the draw's value 0.30 beats the home's 0.20; over (0.12) beats
        // under (0.10); the other fixture's home is a market of its own. 10 + 5 + 12 = 27, under 100.
        // Expected profit 10 * 0.30 + 5 * 0.12 + 12 * 0.25 = 3 + 0.6 + 3 = 6.6.
        {"OnePerMarket",
         0.10,
         {{0, M::Home, 0.20, 15},
          {0, M::Draw, 0.30, 10},
          {0, M::Away, -0.1, 0},
          {0, M::Under, 0.10, 8},
          {0, M::Over, 0.12, 5},
          {1, M::Home, 0.25, 12}},
         {0, 10, 0, 0, 5, 12},
         3,
         27,
         6.6},
        // Equal values: the first stays.
        {"EqualValuesKeepTheFirst", 0.10, {{0, M::Home, 0.2, 7}, {0, M::Away, 0.2, 9}}, {7, 0}, 1, 7, 1.4},
        // 20 + 20 + 30 = 70 above 50: each times 50 / 70, 14.2857 -> 14.28, 21.4286 -> 21.42.
        // 14.28 * 0.1 + 14.28 * 0.2 + 21.42 * 0.3 = 1.428 + 2.856 + 6.426 = 10.71.
        {"ScaledInProportion",
         0.05,
         {{0, M::Home, 0.1, 20}, {1, M::Away, 0.2, 20}, {2, M::Over, 0.3, 30}},
         {14.28, 14.28, 21.42},
         3,
         49.98,
         10.71},
        // 7 * 20 / 21 = 6.667 is rounded down to 6.66, so that the three stay within 20 (6.67 would give
        // 20.01).
        {"RoundedDown",
         0.02,
         {{0, M::Home, 0.1, 7}, {1, M::Home, 0.1, 7}, {2, M::Home, 0.1, 7}},
         {6.66, 6.66, 6.66},
         3,
         19.98,
         1.998},
        // 30 + 30 = 60 above 50: 25 each, exactly.
        {"ExactShare", 0.05, {{0, M::Draw, 0.1, 30}, {1, M::Draw, 0.1, 30}}, {25, 25}, 2, 50, 5},
        // The limit counts the stakes kept: 40 and 40 on one market leave 40, within 50, unscaled.
        {"OnlyKeptStakesCount", 0.05, {{0, M::Home, 0.2, 40}, {0, M::Draw, 0.1, 40}}, {40, 0}, 1, 40, 8},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BulletinRow> rows = rowsOf(fixtures, c.rows);
        StakeRule rule;
        rule.bankroll = 1000;
        rule.totalMax = c.totalMax;
        limitStakes(rows, rule);
        ASSERT_EQ(rows.size(), c.stakes.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_NEAR(*rows[i].stake, c.stakes[i], 1e-9) << i;
        const BulletinTotals totals = bulletinTotals(rows);
        EXPECT_EQ(totals.bets, c.bets);
        EXPECT_NEAR(totals.stake, c.total, 1e-9);
        EXPECT_NEAR(totals.expectedProfit, c.expectedProfit, 1e-9);
    }
}

TEST(ReadBookmakers, KeptCodesInAnyCaseOrARefusalNamingTheFilesCodes) {
    const QStringList file = {"B365", "PS", "BFE", "Max", "Avg"};
    const struct {
        const char* typed;
        QStringList codes;
        bool refused;
    } cases[] = {
        {"", {}, false},          {" , ", {}, false}, {"b365, P ,Max", {"B365", "PS", "Max"}, false},
        {"PS,P", {"PS"}, false},  // Pinnacle once
        {"BbAv", {"Avg"}, false}, // the file's other spelling of the average
        {"B365,WH", {}, true},    // a bookmaker the file has no odds of
        {"ZZ", {}, true},         // no bookmaker at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const BookmakerReading reading = readBookmakers(QString::fromLatin1(c.typed), file);
        EXPECT_EQ(reading.codes, c.codes);
        ASSERT_EQ(reading.refusal.has_value(), c.refused);
        if (reading.refusal) {
            EXPECT_TRUE(
                reading.refusal->endsWith(QStringLiteral("dosyadaki bahisçiler: B365, PS, BFE, Max, Avg")))
                << reading.refusal->toStdString();
        }
    }
}

} // namespace
} // namespace vezal
