// The forecast pooled from the model and the market, against figures worked by hand.
#include "model/Pool.h"

#include <gtest/gtest.h>

namespace vezal::model {
namespace {

// Model 0.5 0.3 0.2, market 0.4 0.3 0.3. At k 0.5 the pool is the normalised geometric mean:
// sqrt(0.20) = 0.4472136, sqrt(0.09) = 0.3, sqrt(0.06) = 0.2449490, summing to 0.9921626. At k 0.35,
// 0.4^0.65 * 0.5^0.35 and so on, normalised. k 0 is the market, k 1 the model.
TEST(Pool, OneXTwoByHand) {
    const ThreeWay model{0.5, 0.3, 0.2};
    const ThreeWay market{0.4, 0.3, 0.3};
    const struct {
        double k;
        ThreeWay expected;
    } cases[] = {
        {0.5, {0.4507462881, 0.3023698022, 0.2468839097}},
        {0.35, {0.4356282886, 0.3021752102, 0.2621965012}},
        {0, {0.4, 0.3, 0.3}},
        {1, {0.5, 0.3, 0.2}},
    };
    for (const auto& c : cases) {
        const ThreeWay p = pooledProbabilities(model, market, c.k);
        EXPECT_NEAR(p.home, c.expected.home, 1e-9) << c.k;
        EXPECT_NEAR(p.draw, c.expected.draw, 1e-9) << c.k;
        EXPECT_NEAR(p.away, c.expected.away, 1e-9) << c.k;
    }
}

// Under 2.5: model 0.6, market 0.5, k 0.35: the market's halves cancel and the odds ratio is
// (0.6 / 0.4)^0.35 = 1.1524820, so p = 1.1524820 / 2.1524820 = 0.5354188.
TEST(Pool, TwoWayByHand) {
    EXPECT_NEAR(pooledProbability(0.6, 0.5, 0.35), 0.5354187746, 1e-9);
    EXPECT_NEAR(pooledProbability(0.6, 0.5, 0), 0.5, 1e-12);
    EXPECT_NEAR(pooledProbability(0.6, 0.5, 1), 0.6, 1e-12);
    // The other side pooled alike is its complement.
    EXPECT_NEAR(pooledProbability(0.4, 0.5, 0.35), 1 - 0.5354187746, 1e-9);
}

} // namespace
} // namespace vezal::model
