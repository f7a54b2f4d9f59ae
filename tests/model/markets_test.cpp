// The markets' codes as bettors type them, and every market priced from one grid, against figures worked
// out by hand or summed again by a plain loop over the grid's cells.
#include "model/Markets.h"
#include "model/Pricing.h"

#include <QSet>
#include <functional>
#include <gtest/gtest.h>

namespace vezal::model {
namespace {

constexpr double kClose = 1e-9;

QString printed(const char* typed) {
    const std::optional<MarketOutcome> outcome = outcomeFromCode(QString::fromUtf8(typed));
    return outcome ? outcomeCode(*outcome) : QStringLiteral("(none)");
}

TEST(MarketCodes, AsTypedAndAsPrinted) {
    // ALT2.5 and ust2,5 print as ALT and UST: stored bets keep those codes for the 2.5 line.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"1", "1"}, {" 0 ", "0"}, {"x2", "X2"}, {"1x", "1X"}, {"dnb2", "DNB2"}, {"alt", "ALT"},
        {"ALT2.5", "ALT"}, {"ust2,5", "UST"}, {"UST1,5", "UST1.5"}, {"ÜST3.5", "UST3.5"},
        {"alt0.5", "ALT0.5"}, {"kgyok", "KGYOK"}, {"tg6", "TG6"}, {"sk2-1", "SK2-1"}, {"SK0-5", "SK0-5"},
        {"skdiğer", "SKDIGER"}, {"h2(0:1)", "H2(0:1)"}, {"H0(2:0)", "H0(2:0)"}, {"iyms12", "IYMS12"},
        {"İYMS02", "IYMS02"}, {"AH10", "AH1+0"}, {"AH1-0", "AH1+0"}, {"ah2+0,75", "AH2+0.75"},
        {"AH1-0.75", "AH1-0.75"}, {"AH1-1", "AH1-1"}, {"AH1-1.00", "AH1-1"}, {"AH10.5", "AH1+0.5"},
        {"AH2-3", "AH2-3"}, {"AH1+2.25", "AH1+2.25"}, {"AH2 - 1,5", "AH2-1.5"},
    };
    // clang-format on
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(printed(typed), QString::fromUtf8(expected)) << typed;
}

TEST(MarketCodes, NoMarketHasThese) {
    for (const char* typed :
         {"",      "X",   "3",     "10",       "ALT2",     "UST2.0",  "ALT5.5",   "UST-1.5", "KG",
          "TG7",   "TG0", "SK6-0", "SK2:1",    "SKDIGER1", "H1(1:1)", "H1(0:3)",  "H3(0:1)", "IYMS13",
          "IYMS1", "AH1", "AH3-1", "AH1-3.25", "AH1-0.3",  "AH1--1",  "AH1-0.125"})
        EXPECT_EQ(printed(typed), QStringLiteral("(none)")) << typed;
}

// 3 results, 3 double chances, 2 draw no bets, 5 goal lines of two sides, 2 both-score, 4 bands,
// 6 * 6 scores and one other, 4 handicaps of 3 signs, 3 * 3 half-time/full-time, 25 Asian lines of two
// sides: 132 codes, each its own, each read back as itself.
TEST(MarketCodes, EveryListedCodeRoundTrips) {
    const std::vector<MarketOutcome> outcomes = allOutcomes();
    EXPECT_EQ(outcomes.size(), 132u);
    QSet<QString> codes;
    for (const MarketOutcome& outcome : outcomes) {
        const QString code = outcomeCode(outcome);
        codes.insert(code);
        const std::optional<MarketOutcome> read = outcomeFromCode(code);
        ASSERT_TRUE(read) << code.toStdString();
        EXPECT_TRUE(*read == outcome) << code.toStdString();
        EXPECT_EQ(outcomeFromCode(code.toLower()).has_value(), true) << code.toStdString();
    }
    EXPECT_EQ(codes.size(), 132);
}

TEST(MarketCodes, ListedInAStableOrder) {
    const auto codesOf = [](Market market) {
        QStringList codes;
        for (const MarketOutcome& outcome : marketOutcomes(market))
            codes << outcomeCode(outcome);
        return codes.join(QLatin1Char(' '));
    };
    EXPECT_EQ(codesOf(Market::Result), QStringLiteral("1 0 2"));
    EXPECT_EQ(codesOf(Market::UnderOver),
              QStringLiteral("ALT0.5 UST0.5 ALT1.5 UST1.5 ALT UST ALT3.5 UST3.5 ALT4.5 UST4.5"));
    EXPECT_EQ(codesOf(Market::HalfTimeFullTime),
              QStringLiteral("IYMS11 IYMS10 IYMS12 IYMS01 IYMS00 IYMS02 IYMS21 IYMS20 IYMS22"));
    EXPECT_TRUE(codesOf(Market::AsianHandicap).startsWith(QStringLiteral("AH1-3 AH2+3 AH1-2.75 AH2+2.75")));
    EXPECT_TRUE(codesOf(Market::CorrectScore).endsWith(QStringLiteral("SK5-4 SK5-5 SKDIGER")));
}

const PricedOutcome& pricedOf(const std::vector<PricedOutcome>& priced, const char* code) {
    const MarketOutcome wanted = *outcomeFromCode(QString::fromLatin1(code));
    for (const PricedOutcome& p : priced)
        if (p.outcome == wanted)
            return p;
    throw std::runtime_error(code);
}

double sumWhere(const ScoreGrid& grid, const std::function<bool(int, int)>& counts) {
    double sum = 0;
    for (int x = 0; x <= grid.lastHomeGoals(); ++x)
        for (int y = 0; y <= grid.lastAwayGoals(); ++y)
            if (counts(x, y))
                sum += grid.probability(x, y);
    return sum;
}

TEST(Pricing, WinningOutcomesAreSumsOfCells) {
    const auto grid = ScoreGrid::dixonColes(1.6, 1.1, -0.08);
    ASSERT_TRUE(grid);
    const std::vector<PricedOutcome> priced = priceMarkets(*grid);
    struct Case {
        const char* code;
        std::function<bool(int, int)> wins;
    };
    // clang-format off
    const Case cases[] = {
        {"1X",      [](int x, int y) { return x >= y; }},
        {"X2",      [](int x, int y) { return x <= y; }},
        {"TG01",    [](int x, int y) { return x + y <= 1; }},
        {"TG23",    [](int x, int y) { return x + y == 2 || x + y == 3; }},
        {"TG45",    [](int x, int y) { return x + y == 4 || x + y == 5; }},
        {"TG6",     [](int x, int y) { return x + y >= 6; }},
        {"UST3.5",  [](int x, int y) { return x + y >= 4; }},
        {"KGVAR",   [](int x, int y) { return x > 0 && y > 0; }},
        {"SKDIGER", [](int x, int y) { return x > 5 || y > 5; }},
        {"H1(0:1)", [](int x, int y) { return x >= y + 2; }},
        {"H2(2:0)", [](int x, int y) { return y >= x + 3; }},
        {"DNB1",    [](int x, int y) { return x > y; }},
    };
    // clang-format on
    for (const Case& c : cases) {
        const PricedOutcome& p = pricedOf(priced, c.code);
        const double wins = sumWhere(*grid, c.wins);
        EXPECT_NEAR(p.chances.win, wins, 1e-12) << c.code;
        ASSERT_TRUE(p.fair) << c.code;
        if (p.chances.push == 0) {
            EXPECT_NEAR(*p.fair, 1 / wins, 1e-9 / wins) << c.code;
        }
    }
    // The draw gives a draw-no-bet stake back.
    EXPECT_NEAR(pricedOf(priced, "DNB2").chances.push, sumWhere(*grid, [](int x, int y) { return x == y; }),
                1e-12);
}

// Pricing gathers large margins, totals and scores into one class each; settling every cell of the grid
// on its own and summing must give the same chances for every outcome but half-time/full-time.
TEST(Pricing, EveryOutcomeIsTheSumOverEveryScore) {
    for (const auto& [home, away] : {std::pair{1.6, 1.1}, {3.5, 0.4}, {0.3, 4.2}}) {
        const auto grid = ScoreGrid::dixonColes(home, away, -0.05);
        ASSERT_TRUE(grid);
        for (const PricedOutcome& p : priceMarkets(*grid)) {
            if (marketOf(p.outcome) == Market::HalfTimeFullTime)
                continue;
            double byResolution[5] = {0, 0, 0, 0, 0};
            for (int x = 0; x <= grid->lastHomeGoals(); ++x)
                for (int y = 0; y <= grid->lastAwayGoals(); ++y)
                    byResolution[static_cast<int>(*resolve(p.outcome, {x, y}))] += grid->probability(x, y);
            const double priced[] = {p.chances.win, p.chances.halfWin, p.chances.push, p.chances.halfLoss,
                                     p.chances.loss};
            for (int r = 0; r < 5; ++r)
                EXPECT_NEAR(priced[r], byResolution[r], 1e-12)
                    << outcomeCode(p.outcome).toStdString() << ' ' << r;
        }
    }
}

// Means 1 and 0: the home side's goals are Poisson(1) and the away side never scores.
// AH1-1: wins from 2 goals (1 - 2/e = 0.2642411177), pushes at 1 (1/e), loses at 0 (1/e); fair
// (1 - 1/e) / (1 - 2/e) = 2.3922111912; at 2.5 the expected gain is 2.5 (1 - 2/e) + 1/e - 1 = 0.0284822353.
// AH1-0.75: half won at 1 goal: fair (1 - 1/(2e)) / (1 - 2/e + 1/(2e)) = 1.8208281340; at 2.00,
// 2 (1 - 2/e) + (3/2)/e - 1 = 1 - 2.5/e = 0.0803013971.
// AH1-0.25: wins from 1 goal (1 - 1/e), half lost at 0: fair (1 - 1/(2e)) / (1 - 1/e) = 1.2909883534.
// DNB1: a draw is 0-0, the stake back; otherwise won: fair (1 - 1/e) / (1 - 1/e) = 1.
TEST(Pricing, AsianLinesByHand) {
    const auto grid = ScoreGrid::dixonColes(1, 0, 0);
    ASSERT_TRUE(grid);
    const double e = 0.3678794412; // 1/e
    struct Case {
        const char* code;
        OutcomeChances chances;
        double fair, odds, value;
    };
    const Case cases[] = {
        {"AH1-1", {1 - 2 * e, 0, e, 0, e}, 2.3922111912, 2.5, 0.0284822353},
        {"AH1-0.75", {1 - 2 * e, e, 0, 0, e}, 1.8208281340, 2.0, 0.0803013971},
        {"AH1-0.25", {1 - e, 0, 0, e, 0}, 1.2909883534, 1.2909883534, 0},
        {"DNB1", {1 - e, 0, e, 0, 0}, 1, 1.5, 0.3160602794}, // 1.5 (1 - 1/e) + 1/e - 1
        // The other side of AH1-1 is AH2+1: a loss from 2 home goals, a push at 1, a win at 0.
        {"AH2+1", {e, 0, e, 0, 1 - 2 * e}, 1.7182818285, 1.7182818285, 0}, // (1 - 1/e) / (1/e) = e - 1
    };
    for (const Case& c : cases) {
        const OutcomeChances got = chancesOf(*grid, *outcomeFromCode(QString::fromLatin1(c.code)));
        EXPECT_NEAR(got.win, c.chances.win, kClose) << c.code;
        EXPECT_NEAR(got.halfWin, c.chances.halfWin, kClose) << c.code;
        EXPECT_NEAR(got.push, c.chances.push, kClose) << c.code;
        EXPECT_NEAR(got.halfLoss, c.chances.halfLoss, kClose) << c.code;
        EXPECT_NEAR(got.loss, c.chances.loss, kClose) << c.code;
        ASSERT_TRUE(fairOdds(got)) << c.code;
        EXPECT_NEAR(*fairOdds(got), c.fair, 1e-8) << c.code;
        EXPECT_NEAR(expectedValue(got, c.odds), c.value, 1e-8) << c.code;
    }
    // The away side never wins on a level or negative start.
    EXPECT_FALSE(fairOdds(chancesOf(*grid, AsianHandicap{Result::AwayWin, -2})));
    EXPECT_FALSE(fairOdds(chancesOf(*grid, MatchResult{Result::AwayWin})));
}

// For every outcome the five chances sum to 1; the two sides of an Asian line mirror each other (one's
// win the other's loss, a half win the other's half loss), and so do the two sides of a goal line.
TEST(Pricing, ComplementarySidesAgree) {
    const auto grid = ScoreGrid::dixonColes(1.3, 1.45, -0.06, 0.45);
    ASSERT_TRUE(grid);
    const std::vector<PricedOutcome> priced = priceMarkets(*grid);
    ASSERT_EQ(priced.size(), allOutcomes().size());
    double halfFull = 0;
    for (const PricedOutcome& p : priced) {
        const OutcomeChances& c = p.chances;
        EXPECT_NEAR(c.win + c.halfWin + c.push + c.halfLoss + c.loss, 1, 1e-12)
            << outcomeCode(p.outcome).toStdString();
        if (const auto* asian = std::get_if<AsianHandicap>(&p.outcome)) {
            const OutcomeChances other = chancesOf(
                *grid, AsianHandicap{asian->side == Result::HomeWin ? Result::AwayWin : Result::HomeWin,
                                     -asian->quarterGoals});
            EXPECT_NEAR(c.win, other.loss, 1e-12);
            EXPECT_NEAR(c.halfWin, other.halfLoss, 1e-12);
            EXPECT_NEAR(c.push, other.push, 1e-12);
            const bool quarter = asian->quarterGoals % 2 != 0;
            EXPECT_EQ(c.halfWin + c.halfLoss > 0, quarter) << outcomeCode(p.outcome).toStdString();
            EXPECT_EQ(c.push > 0, asian->quarterGoals % 4 == 0) << outcomeCode(p.outcome).toStdString();
        }
        if (const auto* line = std::get_if<GoalLine>(&p.outcome)) {
            const OutcomeChances other = chancesOf(*grid, GoalLine{line->halfGoals, !line->over});
            EXPECT_NEAR(c.win, other.loss, 1e-12);
        }
        if (marketOf(p.outcome) == Market::HalfTimeFullTime)
            halfFull += c.win;
    }
    EXPECT_NEAR(halfFull, 1, 1e-12);
}

} // namespace
} // namespace vezal::model
