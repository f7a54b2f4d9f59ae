// The bulletin's Asian handicap rows: both sides at the fixture's line, priced from a score grid worked by
// hand, the odds chosen as for every row, one stake in the market, and odds typed over them.
#include "betting/BulletinChoices.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using O = QuoteOutcome;

// Home goals Poisson(1), the away side never scores: 0, 1 and 2 or more home goals with 1/e, 1/e and
// 1 - 2/e. Poisson(2): 0 and 1 goal with e^-2 and 2e^-2.
const double kE = std::exp(-1.0);
const double kE2 = std::exp(-2.0);
constexpr double kClose = 1e-9;

FileQuote quote(const char* source, bool closing, O outcome, double odds, int quarterGoals) {
    return {{QString::fromLatin1(source), closing, outcome, odds, quarterGoals},
            QString::number(odds, 'f', 2)};
}

// Before closing at -0.75 from Bet365 and Pinnacle, at closing the average at -1, and a 1X2 price.
Fixture fixture() {
    Fixture f{QDate(2025, 1, 4), "15:00", "T1", "Sivas", "Rize", {}};
    f.quotes = {quote("B365", false, O::Home, 1.40, 0),      quote("B365", false, O::AsianHome, 2.00, -3),
                quote("B365", false, O::AsianAway, 1.80, 3), quote("PS", false, O::AsianHome, 2.10, -3),
                quote("PS", false, O::AsianAway, 1.75, 3),   quote("Avg", true, O::AsianHome, 1.50, -4),
                quote("Avg", true, O::AsianAway, 2.60, 4)};
    return f;
}

TEST(AsianRows, BothSidesAtTheLinePricedFromTheGrids) {
    const auto forecast = model::ScoreGrid::dixonColes(1, 0, 0);
    const auto own = model::ScoreGrid::dixonColes(2, 0, 0);
    ASSERT_TRUE(forecast && own);
    const Fixture f = fixture();
    BulletinRule rule;
    rule.stake.maxStake = 0.05;
    const std::vector<BulletinRow> rows = asianRows(f, *own, *forecast, rule);
    ASSERT_EQ(rows.size(), 2u);
    const BulletinRow& home = rows[0];
    const BulletinRow& away = rows[1];
    EXPECT_EQ(model::outcomeCode(home.market), "AH1-0.75");
    EXPECT_EQ(model::outcomeCode(away.market), "AH2+0.75");
    EXPECT_EQ(home.fixture, &f);

    // AH1-0.75 wins on two goals, wins half on one, loses on none. Shown: 1 - 2/e + (1/e) / 2 = 1 - 1.5/e;
    // the model's own on Poisson(2): 1 - e^-2 - 2e^-2 + e^-2 = 1 - 2e^-2.
    ASSERT_TRUE(home.chances);
    EXPECT_NEAR(home.chances->win, 1 - 2 * kE, kClose);
    EXPECT_NEAR(home.chances->halfWin, kE, kClose);
    EXPECT_NEAR(home.chances->loss, kE, kClose);
    EXPECT_NEAR(home.probability, 1 - 1.5 * kE, kClose);
    EXPECT_NEAR(home.modelProbability, 1 - 2 * kE2, kClose);
    // Pinnacle comes first for the book: 1/2.10 over 1/2.10 + 1/1.75 = 1.75 / 3.85 = 5/11.
    ASSERT_TRUE(home.book);
    EXPECT_NEAR(*home.book, 5.0 / 11, 1e-12);
    // The best bookmaker's price, Pinnacle's 2.10: (1 - 2/e) 2.10 + (1/e) 3.10 / 2 - 1 = 1.1 - 2.65/e =
    // 0.1251194809; Kelly 0.1251194809 / 1.10, a quarter of 1000 of it 28.44, within 50.
    ASSERT_TRUE(home.odds && home.value && home.stake);
    EXPECT_EQ(home.odds->quote.source, "PS");
    EXPECT_EQ(home.odds->text, "2.10");
    EXPECT_NEAR(*home.value, 1.1 - 2.65 * kE, kClose);
    EXPECT_TRUE(home.isValue);
    EXPECT_DOUBLE_EQ(*home.stake, 28.44);

    // AH2+0.75 wins when the home side scores none, loses half on one, loses on more: shown 1/e, the model's
    // e^-2, the book 2.10 / 3.85 = 6/11. At Bet365's 1.80: 1.80/e + (1/e) / 2 - 1 = 2.3/e - 1 < 0.
    EXPECT_NEAR(away.probability, kE, kClose);
    EXPECT_NEAR(away.modelProbability, kE2, kClose);
    EXPECT_NEAR(*away.book, 6.0 / 11, 1e-12);
    ASSERT_TRUE(away.odds && away.value && away.stake);
    EXPECT_EQ(away.odds->quote.source, "B365");
    EXPECT_NEAR(*away.value, 2.3 * kE - 1, kClose);
    EXPECT_FALSE(away.isValue);
    EXPECT_EQ(*away.stake, 0);
}

TEST(AsianRows, TheOddsChoiceAndTheClosingLineWhenNoOtherIsGiven) {
    const auto grid = model::ScoreGrid::dixonColes(1, 0, 0);
    ASSERT_TRUE(grid);
    Fixture closingOnly = fixture();
    closingOnly.quotes.erase(closingOnly.quotes.begin() + 1, closingOnly.quotes.begin() + 5);
    struct Case {
        const char* name;
        const Fixture* fixture;
        const char* choice;
        const char* codes[2];
        std::optional<double> odds[2];
        std::optional<double> value[2];
    };
    const Fixture both = fixture();
    const Case cases[] = {
        // Pinnacle's own: 2.10 and 1.75. 1.75/e + (1/e) / 2 - 1 = 2.25/e - 1.
        {"Pinnacle", &both, "P", {"AH1-0.75", "AH2+0.75"}, {2.10, 1.75}, {1.1 - 2.65 * kE, 2.25 * kE - 1}},
        // The average priced only the closing line: none before closing.
        {"AverageBeforeClosing", &both, "avg", {"AH1-0.75", "AH2+0.75"}, {}, {}},
        // Only closing odds: the line -1. AH1-1 pushes on one goal: 1.50 (1 - 2/e) + 1/e - 1 = 0.5 - 2/e;
        // AH2+1 wins on none and pushes on one: 2.60/e + 1/e - 1 = 3.6/e - 1.
        {"Closing", &closingOnly, "avg", {"AH1-1", "AH2+1"}, {1.50, 2.60}, {0.5 - 2 * kE, 3.6 * kE - 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BulletinRule rule;
        rule.odds = *OddsChoice::fromText(QString::fromLatin1(c.choice));
        const std::vector<BulletinRow> rows = asianRows(*c.fixture, *grid, *grid, rule);
        ASSERT_EQ(rows.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(model::outcomeCode(rows[i].market), QString::fromLatin1(c.codes[i])) << i;
            ASSERT_EQ(rows[i].odds.has_value(), c.odds[i].has_value()) << i;
            EXPECT_EQ(rows[i].value.has_value(), c.value[i].has_value()) << i;
            if (!c.odds[i])
                continue;
            EXPECT_DOUBLE_EQ(rows[i].odds->quote.odds, *c.odds[i]) << i;
            EXPECT_NEAR(*rows[i].value, *c.value[i], kClose) << i;
        }
    }
    // AH1-1 and AH2+1 at closing: 1 - 2/e and 1/e shown, neither counting the push.
    BulletinRule average;
    average.odds = *OddsChoice::fromText(QStringLiteral("avg"));
    const std::vector<BulletinRow> closing = asianRows(closingOnly, *grid, *grid, average);
    EXPECT_NEAR(closing[0].probability, 1 - 2 * kE, kClose);
    EXPECT_NEAR(closing[1].probability, kE, kClose);
    // 1/1.50 over 1/1.50 + 1/2.60: 2.60 / 4.10.
    EXPECT_NEAR(*closing[0].book, 2.60 / 4.10, 1e-12);

    Fixture none = fixture();
    none.quotes.resize(1);
    EXPECT_TRUE(asianRows(none, *grid, *grid, BulletinRule{}).empty());
}

TEST(AsianRows, OneStakeInTheMarketAndTypedOddsCountPushesAndHalves) {
    const auto grid = model::ScoreGrid::dixonColes(1, 0, 0);
    ASSERT_TRUE(grid);
    const Fixture f = fixture();
    BulletinRule rule;
    rule.odds = *OddsChoice::fromText(QStringLiteral("P"));
    std::vector<BulletinRow> rows = asianRows(f, *grid, *grid, rule);
    ASSERT_EQ(rows.size(), 2u);
    // Both sides typed at 2.50. AH1-0.75: 2.50 (1 - 2/e) + (1/e) 3.50 / 2 - 1 = 1.5 - 3.25/e = 0.3043918;
    // AH2+0.75: 2.50/e + (1/e) / 2 - 1 = 3/e - 1 = 0.1036383. Each a value; the home side's is higher
    // and keeps its stake, a quarter Kelly of 0.3043918 / 1.50 of 1000 = 50.73 cut to 20.
    const OutcomeKey homeKey{"T1", QDate(2025, 1, 4), "Sivas", "Rize", "AH1-0.75"};
    const OutcomeKey awayKey{"T1", QDate(2025, 1, 4), "Sivas", "Rize", "AH2+0.75"};
    BulletinRow oneXTwo;
    oneXTwo.fixture = &f;
    oneXTwo.market = bulletinOutcome(BulletinMarket::Home);
    oneXTwo.probability = 0.8;
    oneXTwo.odds = f.quotes[0];
    rows.push_back(oneXTwo);
    const std::vector<BulletinRow> typed =
        withTypedOdds(rows, {{homeKey, 2.50}, {awayKey, 2.50}}, rule.stake);
    ASSERT_EQ(typed.size(), 3u);
    EXPECT_NEAR(*typed[0].value, 1.5 - 3.25 * kE, kClose);
    EXPECT_NEAR(*typed[1].value, 3 * kE - 1, kClose);
    EXPECT_TRUE(typed[0].isValue);
    EXPECT_TRUE(typed[1].isValue);
    EXPECT_DOUBLE_EQ(*typed[0].stake, 20);
    EXPECT_EQ(*typed[1].stake, 0);
    // The home win at 1.40, 0.8 * 1.40 - 1 = 0.12, is a market of its own: a quarter Kelly of 0.12 / 0.40
    // of 1000 = 75, cut to 20.
    EXPECT_DOUBLE_EQ(*typed[2].stake, 20);
    const BulletinTotals totals = bulletinTotals(typed);
    EXPECT_EQ(totals.bets, 2);
    EXPECT_NEAR(totals.stake, 40, 1e-9);
    // The coupon line takes the Asian code as it is.
    EXPECT_TRUE(couponLineOf(typed[0]).contains(QStringLiteral("AH1-0.75")));
}

} // namespace
} // namespace vezal
