#include "prediction/Prediction.h"
#include "prediction/support/QtPrint.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>

namespace vezal {
namespace {

constexpr bool kExtended80 = LDBL_MANT_DIG == 64;

double below(double x) {
    return std::nextafter(x, 0.0);
}

TEST(ResultSigns, BandsFromTheTopDownIncludeTheirLowerBound) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {400, "1", ""},         {135, "1", ""},        {below(135), "1", "0"}, {120, "1", "0"},
        {below(120), "0", "1"}, {105, "0", "1"},       {below(105), "0", ""},  {100, "0", ""},
        {95, "0", ""},          {below(95), "0", "2"}, {75, "0", "2"},         {below(75), "2", "0"},
        {65, "2", "0"},         {below(65), "2", ""},  {1, "2", ""},
    };
    for (const auto& [ratio, first, second] : cases) {
        SCOPED_TRACE(ratio);
        EXPECT_EQ(signsForRatio(ratio), (ResultSigns{first, second}));
    }
    EXPECT_EQ(resultSigns(1.35, 1.0), (ResultSigns{"1", ""}));
    EXPECT_EQ(resultSigns(0.65, 1.0), (ResultSigns{"2", "0"}));
    EXPECT_FALSE(resultSigns(0, 1.0));
    EXPECT_FALSE(resultSigns(1.0, -0.5));
}

// PH = PA = 1, ten games a side and strength sums of 10 make every average opponent 1, so that
// x1 = FH / 10, y1 = AH / 10, y2 = FA / 10, x2 = AA / 10.
PredictionInput steered(double fh, double ah, double fa, double aa) {
    return {.ph = 1, .pa = 1, .gh = 10, .ga = 10, .fh = fh, .ah = ah, .fa = fa, .aa = aa, .sh = 10, .sa = 10};
}

TEST(ForecastGoals, ScoreAndAlternativesInCandidateOrder) {
    struct Case {
        const char* what;
        PredictionInput in;
        double total;
        Score score;
        std::vector<Score> alternatives;
    };
    const Case cases[] = {
        {"H = 0, A = 1.3", steered(0, 13, 13, 0), 1.3, {0, 1}, {{0, 2}}},
        {"halves round up", steered(15, 5, 5, 15), 2, {2, 1}, {{2, 0}, {1, 1}, {1, 0}}},
        {"H = 1.2, A = 2.7", steered(12, 27, 27, 12), 3.9, {1, 3}, {{2, 3}, {2, 2}, {1, 2}}},
        {"both whole", steered(20, 10, 10, 20), 3, {2, 1}, {}},
        {"one whole", steered(20, 15, 15, 20), 3.5, {2, 2}, {{2, 1}}},
        {"ten goals and more", steered(105, 5, 5, 105), 11, {11, 1}, {{11, 0}, {10, 1}, {10, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto f = forecastGoals(c.in);
        ASSERT_TRUE(f);
        EXPECT_NEAR(f->total, c.total, 1e-12);
        EXPECT_EQ(f->score, c.score);
        EXPECT_EQ(f->alternatives, c.alternatives);
    }
}

TEST(ForecastGoals, EstimatesWeighTheOpponentsMetAgainstTheComingOne) {
    // The home side met opponents of 2 on average and now meets 1: its attack doubles, its defence halves.
    // The away side met 6 and now meets 3.
    const PredictionInput in{
        .ph = 3, .pa = 1, .gh = 4, .ga = 5, .fh = 4, .ah = 8, .fa = 10, .aa = 5, .sh = 8, .sa = 30};
    const auto f = forecastGoals(in);
    ASSERT_TRUE(f);
    EXPECT_EQ((std::vector<double>{f->x1, f->y1, f->y2, f->x2}), (std::vector<double>{2, 1, 4, 0.5}));
    EXPECT_EQ(f->total, 3.75);
    EXPECT_EQ(f->score, (Score{1, 3}));
    EXPECT_EQ(f->underOver, QStringLiteral("% 90 Üst - % 10 Alt"));
}

TEST(ForecastGoals, MeansAreFormedAtExtendedPrecision) {
    if (!kExtended80)
        GTEST_SKIP() << "long double is not the 80-bit extended type here";
    // x1 = 2 and x2 = 1 - 2^-53: their double sum rounds to 3 (H = 1.5, rounding up), the extended one
    // keeps H just below 1.5.
    const PredictionInput in{.ph = 1,
                             .pa = 1,
                             .gh = 1,
                             .ga = 1,
                             .fh = 2,
                             .ah = 0,
                             .fa = 0,
                             .aa = 1 - std::ldexp(1.0, -53),
                             .sh = 1,
                             .sa = 1};
    const auto f = forecastGoals(in);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->score, (Score{1, 0}));
    EXPECT_EQ(f->alternatives, (std::vector<Score>{{2, 0}}));
    EXPECT_EQ(f->total, 1.5);
}

// A strength sum of 0 or below, or an estimate that is no number of goals, leaves the goals out.
TEST(ForecastGoals, NothingWithoutMeaningfulStrengthsOrEstimates) {
    const std::tuple<const char*, double PredictionInput::*, double> cases[] = {
        {"home strength 0", &PredictionInput::sh, 0},
        {"home strength below 0", &PredictionInput::sh, -3.5},
        {"away strength 0", &PredictionInput::sa, 0},
        {"away strength below 0", &PredictionInput::sa, -0.1},
        {"strength not a number", &PredictionInput::sh, std::nan("")},
        {"infinite strength", &PredictionInput::sa, INFINITY},
        {"estimate overflows", &PredictionInput::fh, 1e308},
        {"estimate beyond any score", &PredictionInput::aa, 1e300},
    };
    for (const auto& [what, field, value] : cases) {
        SCOPED_TRACE(what);
        PredictionInput in = steered(15, 5, 5, 15);
        in.*field = value;
        EXPECT_FALSE(forecastGoals(in));
    }
}

TEST(UnderOver, FirstBandThatHoldsGivesTheText) {
    const std::pair<double, const char*> cases[] = {
        {0, "ALT"},
        {2, "ALT"},
        {std::nextafter(2.0, 3.0), "% 90 Alt - % 10 Üst"},
        {2.1, "% 90 Alt - % 10 Üst"},
        {2.5, "% 75 Alt - % 25 Üst"},
        {2.7, "% 60 Alt - % 40 Üst"},
        {3.0, "% 50 Alt - % 50 Üst"},
        {3.3, "% 60 Üst - % 40 Alt"},
        {3.5, "% 75 Üst - % 25 Alt"},
        {3.7, "% 90 Üst - % 10 Alt"},
        {3.9, "ÜST"},
    };
    for (const auto& [total, text] : cases) {
        SCOPED_TRACE(total);
        EXPECT_EQ(underOverText(total), QString::fromUtf8(text));
    }
}

TEST(UnderOver, NearestDoublesCompareAgainstExtendedThresholds) {
    if (!kExtended80)
        GTEST_SKIP() << "long double is not the 80-bit extended type here";
    // The doubles nearest 2.4, 2.8, 3.4 and 3.8 lie below their extended constants, those nearest 2.6,
    // 3.2 and 3.6 above them.
    const std::pair<double, const char*> cases[] = {
        {2.4, "% 90 Alt - % 10 Üst"}, {2.6, "% 60 Alt - % 40 Üst"}, {2.8, "% 60 Alt - % 40 Üst"},
        {3.2, "% 60 Üst - % 40 Alt"}, {3.4, "% 60 Üst - % 40 Alt"}, {3.6, "% 90 Üst - % 10 Alt"},
        {3.8, "% 90 Üst - % 10 Alt"},
    };
    for (const auto& [total, text] : cases) {
        SCOPED_TRACE(total);
        EXPECT_EQ(underOverText(total), QString::fromUtf8(text));
    }
}

} // namespace
} // namespace vezal
