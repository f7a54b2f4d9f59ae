// The over/under 2.5 side of the model's record: its probability and the bookmaker's, scored by hand.
#include "evidence/TrackRecord.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vezal {
namespace {

// The model gives under 2.5 0.55, so over 0.45. Odds 1.80 over and 2.00 under: 5/9 and 1/2, summing to
// 19/18, so the bookmaker's over is (5/9) / (19/18) = 10/19 and his under 9/19.
//   three goals: Brier (0.45 - 1)^2 = 0.3025 and (9/19)^2 = 81/361; log loss -ln 0.45 and -ln(10/19).
//   two goals:   Brier 0.45^2 = 0.2025 and (10/19)^2 = 100/361; log loss -ln 0.55 and -ln(9/19).
TEST(UnderOverRecord, ScoresTheModelAndTheBookmakerOnTheOverProbability) {
    const struct {
        int goals;
        double modelBrier, bookBrier, modelLoss, bookLoss;
    } cases[] = {{3, 0.3025, 81.0 / 361, -std::log(0.45), -std::log(10.0 / 19)},
                 {2, 0.2025, 100.0 / 361, -std::log(0.55), -std::log(9.0 / 19)},
                 {7, 0.3025, 81.0 / 361, -std::log(0.45), -std::log(10.0 / 19)},
                 {0, 0.2025, 100.0 / 361, -std::log(0.55), -std::log(9.0 / 19)}};
    ModelFigures figures;
    for (const auto& c : cases) {
        const std::optional<UnderOverScores> s = judgeUnderOver(0.55, c.goals, {1.80, 2.00});
        ASSERT_TRUE(s) << c.goals;
        EXPECT_NEAR(s->modelBrier, c.modelBrier, 1e-12) << c.goals;
        EXPECT_NEAR(s->bookmakerBrier, c.bookBrier, 1e-12) << c.goals;
        EXPECT_NEAR(s->modelLogLoss, c.modelLoss, 1e-12) << c.goals;
        EXPECT_NEAR(s->bookmakerLogLoss, c.bookLoss, 1e-12) << c.goals;
        ModelVerdicts verdicts;
        verdicts.againstUnderOver = s;
        addModelMatch(figures, {0.4, 0.3, 0.3, 0.55}, c.goals, 0, verdicts);
    }
    // Odds a bookmaker could not offer count as none, and such a match adds nothing to these means.
    EXPECT_FALSE(judgeUnderOver(0.55, 3, {1.0, 2.0}));
    EXPECT_FALSE(judgeUnderOver(0.55, 3, {1.8, NAN}));
    addModelMatch(figures, {0.4, 0.3, 0.3, 0.55}, 3, 0, ModelVerdicts{});
    EXPECT_EQ(figures.withUnderOverOdds, 4);
    EXPECT_NEAR(*figures.meanModelUnderOverBrier(), (0.3025 + 0.2025) / 2, 1e-12);
    EXPECT_NEAR(*figures.meanBookmakerUnderOverBrier(), (81.0 + 100.0) / 2 / 361, 1e-12);
    EXPECT_NEAR(*figures.meanModelUnderOverLogLoss(), -(std::log(0.45) + std::log(0.55)) / 2, 1e-12);
    EXPECT_NEAR(*figures.meanBookmakerUnderOverLogLoss(), -(std::log(10.0 / 19) + std::log(9.0 / 19)) / 2,
                1e-12);
    EXPECT_FALSE(ModelFigures{}.meanModelUnderOverBrier());
}

} // namespace
} // namespace vezal
