// The Asian handicap in the walk: the prices taken at a match's line and against its closing line, and the
// one side of value settled on the score, each worked by hand.
#include "evidence/TrackRecord.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

Quote side(const char* source, bool closing, bool home, int quarterGoals, double odds) {
    return {QString::fromLatin1(source), closing, home ? QuoteOutcome::AsianHome : QuoteOutcome::AsianAway,
            odds, quarterGoals};
}

// Before closing, at -0.25 (the away side +0.25): the average 1.95 / 1.95, Pinnacle 2.02 / 1.90, the
// market's best 2.10 / 2.00, and a 1X2 price that is no part of it. At closing, Pinnacle 1.90 / 2.00 at
// the same line, the average at -0.5.
TEST(AsianRecord, PricesAtTheLineTakenBeforeClosing) {
    const std::vector<Quote> before = {side("Avg", false, true, -1, 1.95),
                                       side("Avg", false, false, 1, 1.95),
                                       side("PS", false, true, -1, 2.02),
                                       side("PS", false, false, 1, 1.90),
                                       side("Max", false, true, -1, 2.10),
                                       side("Max", false, false, 1, 2.00),
                                       {QStringLiteral("PS"), false, QuoteOutcome::Home, 3.0, 0}};
    const std::vector<Quote> closing = {side("PS", true, true, -1, 1.90), side("PS", true, false, 1, 2.00),
                                        side("Avg", true, true, -2, 2.05), side("Avg", true, false, 2, 1.80)};
    const struct {
        const char* choice;
        double home, away, closingHomeOdds, closingAwayOdds;
    } cases[] = {
        {"best", 2.02, 1.90, 1.90, 2.00},  // Pinnacle's: the best of the market is no price one takes
        {"avg", 1.95, 1.95, 0, 0},         // the average closed at another line
        {nullptr, 1.95, 1.95, 1.90, 2.00}, // the first source with both sides: the average, then Pinnacle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice ? c.choice : "none");
        const std::optional<OddsChoice> choice =
            c.choice ? OddsChoice::fromText(QString::fromLatin1(c.choice)) : std::nullopt;
        const std::optional<AsianPrices> prices = asianPrices(before, closing, choice);
        ASSERT_TRUE(prices);
        EXPECT_EQ(prices->homeLine, -1);
        EXPECT_DOUBLE_EQ(prices->homeOdds, c.home);
        EXPECT_DOUBLE_EQ(prices->awayOdds, c.away);
        EXPECT_DOUBLE_EQ(prices->closingHomeOdds, c.closingHomeOdds);
        EXPECT_DOUBLE_EQ(prices->closingAwayOdds, c.closingAwayOdds);
        // Pinnacle's closing pair without its margin: (1/1.90) / (1/1.90 + 1/2.00) = 2/3.9.
        ASSERT_TRUE(prices->closingHome && prices->closingAway);
        EXPECT_NEAR(*prices->closingHome, 2.0 / 3.9, 1e-12);
        EXPECT_NEAR(*prices->closingAway, 1.9 / 3.9, 1e-12);
    }
    // A line moved at closing leaves nothing to hold the bet against; one side alone is no market.
    const std::vector<Quote> moved = {side("PS", true, true, -2, 1.90), side("PS", true, false, 2, 2.00)};
    const std::optional<AsianPrices> unmatched = asianPrices(before, moved, std::nullopt);
    ASSERT_TRUE(unmatched);
    EXPECT_FALSE(unmatched->closingHome);
    EXPECT_EQ(unmatched->closingHomeOdds, 0);
    EXPECT_FALSE(asianPrices({side("PS", false, true, -1, 2.02)}, closing, std::nullopt));
    EXPECT_FALSE(asianPrices({}, closing, std::nullopt));
}

// The grid's chances summed by hand from its cells: by the home side's margin.
struct Margins {
    double atLeastTwo = 0, one = 0, level = 0, behind = 0;
};

Margins marginsOf(const model::ScoreGrid& grid) {
    Margins m;
    for (int home = 0; home <= grid.lastHomeGoals(); ++home)
        for (int away = 0; away <= grid.lastAwayGoals(); ++away) {
            const double p = grid.probability(home, away);
            const int margin = home - away;
            (margin >= 2 ? m.atLeastTwo : margin == 1 ? m.one : margin == 0 ? m.level : m.behind) += p;
        }
    return m;
}

TEST(AsianRecord, TheSideOfValueSettledOnTheScore) {
    const std::optional<model::ScoreGrid> grid = model::ScoreGrid::dixonColes(1.6, 0.9, 0);
    ASSERT_TRUE(grid);
    const Margins m = marginsOf(*grid);
    const double homeWin = m.atLeastTwo + m.one;

    // The zero line: the home side wins on a home win and gets the stake back on a draw, so its expected
    // value is homeWin * odds + level - 1; odds a fifth above the break-even price give (1 - level) / 5.
    const double zeroLineBreakEven = (1 - m.level) / homeWin;
    AsianPrices zero;
    zero.homeOdds = zeroLineBreakEven * 1.2;
    zero.awayOdds = 1.30;
    zero.closingHomeOdds = zero.homeOdds - 0.1;
    zero.closingHome = 0.55;
    // -1: won by two or more, the stake back when won by one.
    AsianPrices whole = zero;
    whole.homeLine = -4;
    whole.homeOdds = (1 - m.one) / m.atLeastTwo * 1.2;
    // -0.25: half at 0 and half at -0.5, so a draw loses half.
    AsianPrices quarter = zero;
    quarter.homeLine = -1;
    quarter.homeOdds = (1 - m.level / 2) / homeWin * 1.2;
    // The away side of value: +0.5 wins on a draw or an away win.
    AsianPrices away;
    away.homeLine = -2;
    away.homeOdds = 1.10;
    away.awayOdds = 1 / (m.level + m.behind) * 1.2;

    const struct {
        const char* name;
        AsianPrices prices;
        int homeGoals, awayGoals;
        const char* code; // none: no bet
        double payout;
    } cases[] = {
        {"zero line, a draw", zero, 1, 1, "AH1+0", 1.0},
        {"zero line, a home win", zero, 2, 0, "AH1+0", zero.homeOdds},
        {"whole line, won by one", whole, 2, 1, "AH1-1", 1.0},
        {"whole line, won by two", whole, 3, 1, "AH1-1", whole.homeOdds},
        {"quarter line, a draw", quarter, 0, 0, "AH1-0.25", 0.5},
        {"quarter line, lost", quarter, 0, 1, "AH1-0.25", 0.0},
        {"away side, a draw", away, 2, 2, "AH2+0.5", away.awayOdds},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<AsianValueBet> bet =
            asianValueBet(*grid, c.prices, c.homeGoals, c.awayGoals, 0.05);
        ASSERT_TRUE(bet);
        EXPECT_EQ(bet->code, QString::fromLatin1(c.code));
        EXPECT_NEAR(bet->payout, c.payout, 1e-12);
    }

    const std::optional<AsianValueBet> held = asianValueBet(*grid, zero, 1, 0, 0.05);
    ASSERT_TRUE(held && held->closingLineValue && held->closeValue);
    EXPECT_NEAR(*held->closingLineValue, zero.homeOdds / (zero.homeOdds - 0.1) - 1, 1e-12);
    EXPECT_NEAR(*held->closeValue, 0.55 * zero.homeOdds - 1, 1e-12);

    // Break-even odds on both sides: no value, no bet.
    AsianPrices fair = zero;
    fair.homeOdds = zeroLineBreakEven;
    fair.awayOdds = (1 - m.level) / m.behind;
    EXPECT_FALSE(asianValueBet(*grid, fair, 1, 0, 0.05));
}

} // namespace
} // namespace vezal
