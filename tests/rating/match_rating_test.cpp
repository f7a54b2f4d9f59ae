#include "rating/MatchRating.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace vezal {
namespace {

// A home team seeded with 7 meets an away team seeded with 5. The expected bits were worked out with
// exact rational arithmetic, rounding to 64 and then 53 mantissa bits where extended precision is used.
constexpr double kHs = 0x1.c8f5c28f5c28fp+1; // 3.57: 7 x 0.51
constexpr double kAs = 0x1.399999999999ap+1; // 2.45: 5 x 0.49

struct Outcome {
    const char* name;
    int homeGoals, awayGoals;
    double etp, mtp;    // last bit exact
    double near, nearM; // the rounded figures a user reads
};

TEST(MatchRating, WorkedExampleToTheLastBit) {
    if (LDBL_MANT_DIG != 64)
        GTEST_SKIP() << "long double is not the 80-bit extended type here";
    const Outcome outcomes[] = {
        {"home win", 2, 1, 0x1.7a786c226809dp-3, -0x1.7a786c226809ep-3, 0.1848, -0.1848},
        {"draw", 1, 1, -0x1.cac083126e978p-5, 0x1.cac083126e974p-5, -0.056, 0.056},
        {"away win", 0, 2, -0x1.6d916872b020cp-2, 0x1.6d916872b020cp-2, -0.357, 0.357},
    };
    for (const Outcome& o : outcomes) {
        SCOPED_TRACE(o.name);
        const RatingTransfer t = rateMatch(o.homeGoals, o.awayGoals, kHs, kAs);
        EXPECT_EQ(t.etp, o.etp);
        EXPECT_EQ(t.mtp, o.mtp);
        EXPECT_NEAR(t.etp, o.near, 1e-12);
        EXPECT_NEAR(t.mtp, o.nearM, 1e-12);
        // The opponent strengths are the full ratings, unscaled.
        EXPECT_EQ(t.erakip, kAs);
        EXPECT_EQ(t.mrakip, kHs);
    }
}

TEST(MatchRating, SeedSplitToTheLastBit) {
    if (LDBL_MANT_DIG != 64)
        GTEST_SKIP() << "long double is not the 80-bit extended type here";
    EXPECT_EQ(splitStartingPoints(7).etp, kHs);
    EXPECT_EQ(splitStartingPoints(7).mtp, 0x1.b70a3d70a3d71p+1); // 3.43
    EXPECT_EQ(splitStartingPoints(5).etp, 0x1.4666666666666p+1); // 2.55
    EXPECT_EQ(splitStartingPoints(5).mtp, kAs);
}

// Goals above 3 count as 3 for the outcome only.
TEST(MatchRating, OutcomeGoalsAreCappedAtThree) {
    const RatingTransfer draw = rateMatch(1, 1, kHs, kAs);
    const RatingTransfer homeWin = rateMatch(1, 0, kHs, kAs);
    const RatingTransfer awayWin = rateMatch(0, 1, kHs, kAs);
    const struct {
        int home, away;
        const RatingTransfer& as;
    } cases[] = {
        {4, 3, draw},    {7, 3, draw},    {5, 4, draw},    {3, 3, draw},    {4, 4, draw},    {9, 9, draw},
        {4, 0, homeWin}, {9, 2, homeWin}, {3, 2, homeWin}, {0, 4, awayWin}, {2, 9, awayWin}, {2, 3, awayWin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.home << "-" << c.away);
        const RatingTransfer t = rateMatch(c.home, c.away, kHs, kAs);
        EXPECT_EQ(t.etp, c.as.etp);
        EXPECT_EQ(t.mtp, c.as.mtp);
    }
}

// Every outcome only moves points: what one side gains the other loses, to rounding. The stakes are a
// tenth of each side's rating, so no side can lose more than its stake.
TEST(MatchRating, MovesPointsWithoutMakingOrLosingAny) {
    std::mt19937 random(2008);
    std::uniform_real_distribution<double> rating(-3.0, 12.0);
    std::uniform_int_distribution<int> goals(0, 9);
    for (int i = 0; i < 2000; ++i) {
        const double hs = rating(random);
        const double as = rating(random);
        const int hg = goals(random);
        const int ag = goals(random);
        const RatingTransfer t = rateMatch(hg, ag, hs, as);
        const double scale = std::abs(hs) + std::abs(as) + 1;
        ASSERT_NEAR(t.etp + t.mtp, 0.0, 1e-15 * scale) << hs << " " << as << " " << hg << "-" << ag;
        const double e = hs * 0.1;
        const double m = as * 0.1;
        const int hc = std::min(hg, 3), ac = std::min(ag, 3);
        if (hc > ac) {
            ASSERT_NEAR(t.etp, 0.9 * (e + m) - e, 1e-12 * scale);
        } else if (hc < ac) {
            ASSERT_NEAR(t.etp, -e, 1e-15 * scale);
        } else {
            ASSERT_NEAR(t.etp, (m - e) / 2, 1e-12 * scale);
        }
    }
}

} // namespace
} // namespace vezal
