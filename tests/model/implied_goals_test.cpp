// The goal means the market's probabilities imply: recovered from probabilities that a known pair of
// means gave on the model's own score grid, and refused for probabilities that are no distribution.
#include "model/ImpliedGoals.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vezal::model {
namespace {

// The market of a match whose goals are Poisson with these means, priced on the model's grid at rho 0.
MarketProbabilities pricedBy(double home, double away) {
    const std::optional<MatchForecast> f = forecastMatch(home, away, 0);
    EXPECT_TRUE(f);
    return {f->outcome, f->under25};
}

TEST(ImpliedGoals, RecoversTheMeansThatPricedTheMarket) {
    const GoalMeans cases[] = {{1.7, 1.1}, {0.8, 2.3}, {1.35, 1.35}, {3.2, 0.4}, {0.3, 0.25}, {2.9, 2.6}};
    for (const GoalMeans& means : cases) {
        for (const bool withUnder : {true, false}) {
            MarketProbabilities market = pricedBy(means.home, means.away);
            if (!withUnder)
                market.under25.reset();
            const std::optional<GoalMeans> found = impliedGoals(market);
            ASSERT_TRUE(found) << means.home << ' ' << means.away << ' ' << withUnder;
            EXPECT_NEAR(found->home, means.home, 1e-6) << means.away << ' ' << withUnder;
            EXPECT_NEAR(found->away, means.away, 1e-6) << means.home << ' ' << withUnder;
        }
    }
}

// Means 1 and 1 by hand: a draw is e^-2 * sum 1/(k!)^2 = 0.3085083225, each win half the rest,
// 0.3457458388, and at most two goals 5e^-2 = 0.6766764162 (the total is Poisson(2)).
TEST(ImpliedGoals, EvenMatchByHand) {
    const MarketProbabilities market{{0.3457458388, 0.3085083225, 0.3457458388}, 0.6766764162};
    const std::optional<GoalMeans> found = impliedGoals(market);
    ASSERT_TRUE(found);
    EXPECT_NEAR(found->home, 1, 1e-8);
    EXPECT_NEAR(found->away, 1, 1e-8);
    const MarketProbabilities back = gridProbabilities({1, 1});
    EXPECT_NEAR(back.outcome.home, 0.3457458388, 1e-9);
    EXPECT_NEAR(back.outcome.draw, 0.3085083225, 1e-9);
    ASSERT_TRUE(back.under25);
    EXPECT_NEAR(*back.under25, 0.6766764162, 1e-9);
}

// An under price that disagrees with the 1X2 prices: no grid meets all three, and the fit lands between
// the totals each alone would give. At 1X2 alone the means of 1 and 1 fit; at the under price alone
// (0.55) the total would be 2.5 or so (Poisson(2.5) gives e^-2.5 * 6.625 = 0.5438).
TEST(ImpliedGoals, ConflictingPricesMeetHalfWay) {
    const MarketProbabilities market{{0.3457458388, 0.3085083225, 0.3457458388}, 0.55};
    const std::optional<GoalMeans> found = impliedGoals(market);
    ASSERT_TRUE(found);
    EXPECT_NEAR(found->home, found->away, 1e-9); // the prices are even
    const double total = found->home + found->away;
    EXPECT_GT(total, 2.0);
    EXPECT_LT(total, 2.5);
}

TEST(ImpliedGoals, RefusesWhatIsNoDistribution) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const MarketProbabilities cases[] = {
        {{0.5, 0.3, 0.3}, std::nullopt}, // sums to 1.1
        {{0.7, 0.3, 0}, std::nullopt},   // an outcome that cannot happen
        {{nan, 0.3, 0.3}, std::nullopt}, {{0.4, 0.3, 0.3}, 1.0},
        {{0.4, 0.3, 0.3}, 0.0},          {{-0.1, 0.6, 0.5}, std::nullopt},
    };
    for (const MarketProbabilities& market : cases)
        EXPECT_FALSE(impliedGoals(market)) << market.outcome.home << ' ' << market.outcome.away;
}

} // namespace
} // namespace vezal::model
