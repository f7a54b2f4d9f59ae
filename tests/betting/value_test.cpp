// Stakes, the odds chosen among a line's columns and the bookmaker's probability, against figures worked
// out by hand.
#include "betting/Value.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

struct StakeCase {
    const char* name;
    double probability;
    double odds;
    StakeRule rule;
    double expected;
};

TEST(StakeFor, AFractionOfKellyCappedAndRounded) {
    const StakeRule usual; // threshold 0.05, bankroll 1000, a quarter Kelly, at most 2 %
    const StakeCase cases[] = {
        // ev 0.5 * 2.12 - 1 = 0.06; Kelly 0.06 / 1.12 = 0.0535714; a quarter of 1000: 13.392857.
        {"QuarterKelly", 0.5, 2.12, usual, 13.39},
        // ev 0.08; Kelly 0.08 / 2.6 = 0.0307692; 7.6923.
        {"LongerOdds", 0.3, 3.6, usual, 7.69},
        // ev 0.1; Kelly 0.1 / 1.2 = 0.083333; 20.83 is above 2 % of 1000.
        {"CappedAtTwoPercent", 0.5, 2.2, usual, 20.00},
        // ev 0.045 is below the threshold; a negative one too.
        {"BelowThreshold", 0.5, 2.09, usual, 0},
        {"NegativeValue", 0.3, 2.5, usual, 0},
        // Half Kelly of 500 at 2.00 and p 0.6: ev 0.2, Kelly 0.2, 50, under the cap of 10 % (50).
        {"HalfKelly", 0.6, 2.0, {0.05, 500, 0.5, 0.1}, 50.00},
        {"HalfKellyCapped", 0.6, 2.0, {0.05, 500, 0.5, 0.05}, 25.00},
        // A tenth Kelly of 1000, no cap: ev 0.1, Kelly 0.1 / 1.75 = 0.0571429; 5.714.
        {"TenthKelly", 0.4, 2.75, {0.05, 1000, 0.1, 1}, 5.71},
        // A threshold of 0.2 leaves ev 0.1 without value.
        {"HigherThreshold", 0.4, 2.75, {0.2, 1000, 0.1, 1}, 0},
    };
    for (const StakeCase& c : cases)
        EXPECT_DOUBLE_EQ(stakeFor(c.probability, c.odds, c.rule), c.expected) << c.name;
}

std::vector<Quote> line() {
    using O = QuoteOutcome;
    return {
        {"B365", false, O::Home, 2.10}, {"B365", false, O::Draw, 3.40}, {"B365", false, O::Away, 3.50},
        {"PS", false, O::Home, 2.15},   {"PS", false, O::Draw, 3.30},   {"PS", false, O::Away, 3.60},
        {"Avg", false, O::Home, 2.05},  {"Avg", false, O::Draw, 3.35},  {"Avg", false, O::Away, 3.45},
        {"Max", false, O::Home, 2.20},  {"Max", false, O::Draw, 3.40},  {"PS", true, O::Home, 1.90},
        {"PS", true, O::Away, 4.50},    {"B365", false, O::Over, 1.80},
    };
}

struct ChoiceCase {
    const char* choice;
    QuoteOutcome outcome;
    std::optional<std::size_t> expected; // index in line()
};

TEST(ChosenQuote, BestAverageOrABookmaker) {
    const ChoiceCase cases[] = {
        {"best", QuoteOutcome::Home, 3}, // PS 2.15: Max's 2.20 is the market's, no bookmaker's
        {"best", QuoteOutcome::Draw, 1}, // B365 3.40 above PS 3.30
        {"Max", QuoteOutcome::Home, 9},  // named, the market's best is taken as one bookmaker's
        {"best", QuoteOutcome::Away, 5}, // PS 3.60; the closing 4.50 is of another moment
        {"avg", QuoteOutcome::Away, 8},
        {"BbAv", QuoteOutcome::Home, 6},
        {"PS", QuoteOutcome::Draw, 4},
        {"P", QuoteOutcome::Away, 5},
        {"B365", QuoteOutcome::Over, 13},
        {"WH", QuoteOutcome::Home, std::nullopt},
        {"avg", QuoteOutcome::Under, std::nullopt},
    };
    const std::vector<Quote> quotes = line();
    for (const ChoiceCase& c : cases) {
        const std::optional<OddsChoice> choice = OddsChoice::fromText(QString::fromLatin1(c.choice));
        ASSERT_TRUE(choice) << c.choice;
        const std::vector<Quote> market = marketQuotes(quotes, c.outcome);
        const std::optional<std::size_t> chosen = chosenQuote(market, c.outcome, *choice);
        ASSERT_EQ(chosen.has_value(), c.expected.has_value()) << c.choice;
        if (chosen) {
            const Quote& expected = quotes[*c.expected];
            EXPECT_EQ(market[*chosen].source, expected.source) << c.choice;
            EXPECT_EQ(market[*chosen].odds, expected.odds) << c.choice;
        }
    }
    EXPECT_FALSE(OddsChoice::fromText(QStringLiteral(" ")));
}

// An exchange (BFE), its bookmaker (BF) and the market's aggregates. Home: B365 2.10, PS 2.15, BF 2.12,
// BFE 2.22, Max 2.30; away: Max 4.00 and Avg 3.80 alone. The exchange's home net of 5 % is
// 1 + 1.22 * 0.95 = 2.159, above PS's 2.15; net of 10 % 1 + 1.22 * 0.9 = 2.098, below it.
TEST(ChosenQuote, BestAmongTheChosenBookmakersWithTheExchangeNetOfCommission) {
    using O = QuoteOutcome;
    const std::vector<Quote> quotes = {{"B365", false, O::Home, 2.10}, {"PS", false, O::Home, 2.15},
                                       {"BF", false, O::Home, 2.12},   {"BFE", false, O::Home, 2.22},
                                       {"Max", false, O::Home, 2.30},  {"Max", false, O::Away, 4.00},
                                       {"Avg", false, O::Away, 3.80}};
    const struct {
        QStringList bookmakers;
        double commission;
        QuoteOutcome outcome;
        const char* source; // none: nothing to take
        double taken;
    } cases[] = {
        {{}, 0.05, O::Home, "BFE", 2.159},
        {{}, 0.10, O::Home, "PS", 2.15},
        {{}, 0.05, O::Away, nullptr, 0}, // the aggregates alone are no price one can take
        {{"B365", "BF"}, 0.05, O::Home, "BF", 2.12},
        {{"B365", "Max"}, 0.05, O::Home, "Max", 2.30}, // named, the market's best counts
        {{"Avg"}, 0.05, O::Away, "Avg", 3.80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bookmakers.join(',').toStdString() + " " + std::to_string(c.commission));
        OddsChoice choice;
        choice.bookmakers = c.bookmakers;
        choice.commission = c.commission;
        const std::optional<std::size_t> chosen = chosenQuote(quotes, c.outcome, choice);
        ASSERT_EQ(chosen.has_value(), c.source != nullptr);
        if (chosen) {
            EXPECT_EQ(quotes[*chosen].source, QString::fromLatin1(c.source));
            EXPECT_NEAR(takenOdds(quotes[*chosen], c.commission), c.taken, 1e-12);
        }
    }
}

TEST(MarketQuotes, ClosingOnlyWhenNothingBefore) {
    using O = QuoteOutcome;
    const std::vector<Quote> closingOnly = {{"PS", true, O::Home, 1.9},
                                            {"PS", true, O::Draw, 3.8},
                                            {"PS", true, O::Away, 3.8},
                                            {"Avg", false, O::Over, 1.9}};
    EXPECT_EQ(marketQuotes(closingOnly, O::Draw).size(), 3u);
    EXPECT_EQ(marketQuotes(closingOnly, O::Under).size(), 1u);
    EXPECT_EQ(marketQuotes(line(), O::Home).size(), 11u);
}

TEST(BookProbability, TheAverageElsePinnacleElseBet365) {
    using O = QuoteOutcome;
    // Average 2.00 4.00 4.00: 0.5, 0.25, 0.25 whatever the others say.
    const std::vector<Quote> withAverage = {{"B365", false, O::Home, 3.0}, {"B365", false, O::Draw, 3.0},
                                            {"B365", false, O::Away, 3.0}, {"Avg", false, O::Home, 2.0},
                                            {"Avg", false, O::Draw, 4.0},  {"Avg", false, O::Away, 4.0}};
    EXPECT_NEAR(*bookProbability(withAverage, O::Home), 0.5, 1e-12);
    // No whole average: Bet365 at 2.50 2.50 5.00 gives 0.4 0.4 0.2 (inverses 0.4 0.4 0.2 sum to 1).
    const std::vector<Quote> partAverage = {{"Avg", false, O::Home, 2.0},  {"B365", false, O::Home, 2.5},
                                            {"B365", false, O::Draw, 2.5}, {"B365", false, O::Away, 5.0},
                                            {"Max", false, O::Home, 9.0},  {"Max", false, O::Draw, 9.0},
                                            {"Max", false, O::Away, 9.0}};
    EXPECT_NEAR(*bookProbability(partAverage, O::Away), 0.2, 1e-12);
    // Over/under 1.80 and 2.00 with a margin: 0.5556 / (0.5556 + 0.5) = 0.526316.
    const std::vector<Quote> goals = {{"PS", false, O::Over, 1.8}, {"PS", false, O::Under, 2.0}};
    EXPECT_NEAR(*bookProbability(goals, O::Over), (1 / 1.8) / (1 / 1.8 + 0.5), 1e-12);
    EXPECT_FALSE(bookProbability({{"PS", false, O::Over, 1.8}}, O::Over));
}

} // namespace
} // namespace vezal
