#include "prediction/Reading.h"
#include "prediction/support/QtPrint.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

TEST(FormatRating, ThreeDecimalsWithCommaAndNoGrouping) {
    const std::pair<double, const char*> cases[] = {
        {3.57, "3,570"},      {0, "0,000"},      {1.7493, "1,749"},  {0.0006, "0,001"},
        {1234.5, "1234,500"}, {-1.25, "-1,250"}, {-0.0001, "0,000"}, {12345678.9, "12345678,900"},
    };
    for (const auto& [rating, text] : cases) {
        SCOPED_TRACE(rating);
        EXPECT_EQ(formatRating(rating), QString::fromLatin1(text));
    }
}

TEST(ReadBoxes, TextsThatAreNotNumbersReadAsZero) {
    struct Case {
        const char* text;
        double figure;
        double rating;
        int games;
    };
    const Case cases[] = {
        {"3,570", 3.57, 3.57, 0}, {"12", 12, 12, 12},   {"0", 0, 0, 0},   {"-3", -3, 0, -3},
        {"-1,000", -1, 0, 0},     {"2,5", 2.5, 2.5, 0}, {"", 0, 0, 0},    {"abc", 0, 0, 0},
        {"3.570", 0, 0, 0},       {"1.000", 0, 0, 0},   {"inf", 0, 0, 0}, {"nan", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromLatin1(c.text);
        EXPECT_DOUBLE_EQ(readFigure(text), c.figure);
        EXPECT_DOUBLE_EQ(readRating(text), c.rating);
        EXPECT_EQ(readGames(text), c.games);
    }
}

TEST(RatingAsShown, IsTheRatingReadBackFromItsBox) {
    const std::pair<double, double> cases[] = {
        {3.5704, 3.57}, {3.5706, 3.571}, {1234.5, 1234.5}, {0.0004, 0}, {-2, 0},
    };
    for (const auto& [rating, used] : cases) {
        SCOPED_TRACE(rating);
        EXPECT_DOUBLE_EQ(ratingAsShown(rating), used);
        EXPECT_DOUBLE_EQ(readRating(formatRating(rating)), used);
    }
}

TEST(FigureTexts, CountsShowOnlyWhenPresentAndNotNegative) {
    struct Case {
        const char* what;
        LeagueTableRow row;
        FigureTexts expected;
    };
    const Case cases[] = {
        {"seed row only", {1.7493, QVariant(), QVariant(), QVariant()}, {"1,749", "", "", ""}},
        {"played", {2.5, qlonglong(12), qlonglong(18), qlonglong(30)}, {"2,500", "12", "18", "30"}},
        {"sums as reals", {-0.5, 3.0, 0.0, 7.0}, {"-0,500", "3", "0", "7"}},
        {"negative count", {1.0, qlonglong(-1), qlonglong(2), QVariant()}, {"1,000", "", "2", ""}},
        {"no rating", {QVariant(), qlonglong(1), qlonglong(0), qlonglong(0)}, {"", "1", "0", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FigureTexts t = figureTexts(c.row);
        EXPECT_EQ(t.rating, c.expected.rating);
        EXPECT_EQ(t.games, c.expected.games);
        EXPECT_EQ(t.goalsFor, c.expected.goalsFor);
        EXPECT_EQ(t.goalsAgainst, c.expected.goalsAgainst);
    }
}

TEST(CharacterCount, CountsLettersNotBytes) {
    EXPECT_EQ(characterCount(QStringLiteral("ÜST")), 3);
    EXPECT_EQ(characterCount(QString::fromUcs4(U"\U0001D7D8ST")), 3); // outside the 16-bit range
}

} // namespace
} // namespace vezal
