// The bulletin's rows for the pool's markets no file prices: their order and codes, their probabilities and
// fair odds from score grids worked by hand, and odds typed over them valued and staked as any row's.
#include "betting/BulletinChoices.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vezal {
namespace {

constexpr double kClose = 1e-9;
const double kE = std::exp(-1.0);
const double kE2 = std::exp(-2.0);
// Both sides Poisson(1): the draw is e^-2 times the sum of 1/(k!)^2, 2.2795853023; each side wins with
// half the rest. The total is Poisson(2).
const double kDraw = kE2 * (1 + 1 + 1.0 / 4 + 1.0 / 36 + 1.0 / 576 + 1.0 / 14400 + 1.0 / 518400 +
                            1.0 / 25401600 + 1.0 / 1625702400);
const double kSide = (1 - kDraw) / 2;

const Fixture kFixture{QDate(2025, 1, 4), "15:00", "T1", "Sivas", "Rize", {}};

TEST(FairRows, ThePoolsMarketsInOrderPricedFromTheGrids) {
    // The forecast's grid: both sides Poisson(1). The model's own: the home side Poisson(1), the away side
    // never scores, so that 1X always wins, and 0, 1, 2, 3 home goals come with 1/e, 1/e, 1/2e, 1/6e.
    const auto forecast = model::ScoreGrid::dixonColes(1, 1, 0);
    const auto own = model::ScoreGrid::dixonColes(1, 0, 0);
    ASSERT_TRUE(forecast && own);
    const struct {
        const char* code;
        double probability;
        double model;
        std::optional<double> fair;
    } expected[] = {
        {"1X", kSide + kDraw, 1, 1 / (kSide + kDraw)},
        {"12", 2 * kSide, 1 - kE, 1 / (2 * kSide)},
        {"X2", kSide + kDraw, kE, 1 / (kSide + kDraw)},
        // The draw gives the stake back: (1 - draw) / side = 2 whatever the draw's chance.
        {"DNB1", kSide, 1 - kE, 2},
        {"DNB2", kSide, 0, 2},
        // Poisson(2): 0 and 1 goal with e^-2 and 2e^-2, 2 and 3 with 2e^-2 and 4/3 e^-2, 4 and 5 with 2/3
        // and 4/15 e^-2.
        {"ALT1.5", 3 * kE2, 2 * kE, 1 / (3 * kE2)},
        {"UST1.5", 1 - 3 * kE2, 1 - 2 * kE, 1 / (1 - 3 * kE2)},
        {"ALT3.5", 19.0 / 3 * kE2, 8.0 / 3 * kE, 1 / (19.0 / 3 * kE2)},
        {"UST3.5", 1 - 19.0 / 3 * kE2, 1 - 8.0 / 3 * kE, 1 / (1 - 19.0 / 3 * kE2)},
        {"TG01", 3 * kE2, 2 * kE, 1 / (3 * kE2)},
        {"TG23", 10.0 / 3 * kE2, 2.0 / 3 * kE, 1 / (10.0 / 3 * kE2)},
        {"TG45", 14.0 / 15 * kE2, 1.0 / 20 * kE, 1 / (14.0 / 15 * kE2)},
        {"TG6", 1 - 109.0 / 15 * kE2, 1 - 163.0 / 60 * kE, 1 / (1 - 109.0 / 15 * kE2)},
    };
    const std::vector<BulletinRow> rows = fairRows(kFixture, *own, *forecast);
    ASSERT_EQ(rows.size(), std::size(expected));
    double bands = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const BulletinRow& row = rows[i];
        SCOPED_TRACE(expected[i].code);
        EXPECT_EQ(model::outcomeCode(row.market), QString::fromLatin1(expected[i].code));
        EXPECT_EQ(row.fixture, &kFixture);
        EXPECT_NEAR(row.probability, expected[i].probability, kClose);
        EXPECT_NEAR(row.modelProbability, expected[i].model, kClose);
        ASSERT_TRUE(row.fair);
        EXPECT_NEAR(*row.fair, *expected[i].fair, 1e-6);
        // No price: nothing to value or stake until one is typed.
        EXPECT_FALSE(row.odds || row.book || row.value || row.stake || row.typedOdds);
        EXPECT_FALSE(row.isValue);
        // Only the draw no bet pushes, and then its chances carry the push.
        EXPECT_EQ(row.chances.has_value(), i == 3 || i == 4);
        if (row.chances) {
            EXPECT_NEAR(row.chances->push, kDraw, kClose);
        }
        if (i >= 9)
            bands += row.probability;
    }
    EXPECT_NEAR(bands, 1, 1e-12);
    EXPECT_NEAR(rows[5].probability + rows[6].probability, 1, 1e-12);
}

TEST(FairRows, AnOutcomeThatCannotWinHasNoFairOdds) {
    // The away side never scores: DNB2 never wins, and its odds are none rather than infinite.
    const auto grid = model::ScoreGrid::dixonColes(1, 0, 0);
    ASSERT_TRUE(grid);
    const std::vector<BulletinRow> rows = fairRows(kFixture, *grid, *grid);
    ASSERT_EQ(model::outcomeCode(rows[4].market), "DNB2");
    EXPECT_FALSE(rows[4].fair);
    EXPECT_EQ(fairOddsOf(rows[4]), std::nullopt);
    // 1X always wins: its fair odds are 1.
    ASSERT_TRUE(rows[0].fair);
    EXPECT_NEAR(*rows[0].fair, 1, kClose);
}

TEST(FairRows, TypedOddsValueAndStakeThemOneStakeAMarket) {
    const auto grid = model::ScoreGrid::dixonColes(1, 1, 0);
    ASSERT_TRUE(grid);
    StakeRule rule;
    rule.maxStake = 0.1;
    rule.totalMax = 1;
    const std::vector<BulletinRow> rows = fairRows(kFixture, *grid, *grid);
    const auto key = [](const char* code) {
        return OutcomeKey{"T1", QDate(2025, 1, 4), "Sivas", "Rize", QString::fromLatin1(code)};
    };
    const TypedOdds typed = {{key("1X"), 1.70}, {key("12"), 1.70}, {key("DNB1"), 2.50}, {key("TG23"), 2.50}};
    const std::vector<BulletinRow> priced = withTypedOdds(rows, typed, rule);
    ASSERT_EQ(priced.size(), rows.size());
    const struct {
        std::size_t place;
        double value;
        double stake;
    } expected[] = {
        // 1X: 0.6542541613 * 1.70 - 1 = 0.1122320742, a value, but 12's is higher in the same market.
        {0, (kSide + kDraw) * 1.7 - 1, 0},
        // 12: 0.6914916774 * 1.70 - 1 = 0.1755358517; a quarter Kelly of 1000, 250 * 0.17554 / 0.70.
        {1, 2 * kSide * 1.7 - 1, 62.69},
        // DNB1 counts the push: 2.50 * side + draw - 1 = 0.25 (1 - draw) = 0.1728729194; staked as a plain
        // bet of that value at 2.50, 250 * 0.17287 / 1.50 = 28.81.
        {3, 0.25 * (1 - kDraw), 28.81},
        // TG23: 10/3 e^-2 * 2.50 - 1 = 0.1277940270; 250 * 0.12779 / 1.50 = 21.30.
        {10, 10.0 / 3 * kE2 * 2.5 - 1, 21.30},
    };
    for (const auto& e : expected) {
        const BulletinRow& row = priced[e.place];
        SCOPED_TRACE(model::outcomeCode(row.market).toStdString());
        ASSERT_TRUE(row.typedOdds && row.value && row.stake);
        EXPECT_NEAR(*row.value, e.value, kClose);
        EXPECT_TRUE(row.isValue);
        EXPECT_DOUBLE_EQ(*row.stake, e.stake);
    }
    // The untyped rows stay without a price.
    EXPECT_FALSE(priced[2].value || priced[2].stake);
    const BulletinTotals totals = bulletinTotals(priced);
    EXPECT_EQ(totals.bets, 3);
    EXPECT_NEAR(totals.stake, 62.69 + 28.81 + 21.30, 1e-9);
}

} // namespace
} // namespace vezal
