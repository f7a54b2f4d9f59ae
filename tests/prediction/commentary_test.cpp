#include "prediction/Commentary.h"
#include "prediction/support/PanelTexts.h"
#include "prediction/support/QtPrint.h"

#include <cfloat>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing_support::Box;
using testing_support::panelWith;
using testing_support::text;

const QString kSeparator(135, QLatin1Char('-'));
const QString kCaveat =
    QStringLiteral("Sağlıklı bir tahmin yapabilmek için oynadıkları maç sayısı yeterli olmamakla birlikte");

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

TEST(Commentary, WorkedExampleLineByLine) {
    const ComparisonPanel panel = panelWith({{Box::MatchNumber, "7"},
                                             {Box::HomeGames, "12"},
                                             {Box::AwayGames, "2"},
                                             {Box::FirstSign, "1"},
                                             {Box::SecondSign, "0"},
                                             {Box::HomeScore, "1"},
                                             {Box::AwayScore, "3"},
                                             {Box::Alternative1Home, "2"},
                                             {Box::Alternative1Away, "3"},
                                             {Box::Alternative2Home, "2"},
                                             {Box::Alternative2Away, "2"},
                                             {Box::Alternative3Home, "1"},
                                             {Box::Alternative3Away, "2"},
                                             {Box::UnderOver, "ÜST"}});
    const Commentary c = composeCommentary(panel, 4.0);
    const QStringList expected = {
        utf8("7  -  KARTAL  -  BOLU"),
        utf8("Maç Sonucu\t:  1\t0\t"),
        utf8("Alternatif  Skorlar\t:  1 - 3\t2 - 3\t2 - 2\t1 - 2"),
        utf8("Toplam Gol Oyunu\t:  4 - 6"),
        kCaveat,
        utf8("Bu maç için öncelikle Evsahibi Takımın galibiyetini düşünmelisiniz "),
        utf8("Daha sonra beraberlik olabilir"),
        utf8("Ancak azda olsa bu maçı Misafir takımın kazanma ihtimalide var ... "),
        utf8("Alternatif olarak bu maç için  ÜST  oynayabilirsiniz"),
        kSeparator,
    };
    EXPECT_EQ(c.lines, expected);
    EXPECT_EQ(c.band, QStringLiteral("4 - 6"));
}

TEST(Commentary, BandByTotalExpectedGoals) {
    const std::pair<double, const char*> cases[] = {
        {0, "0 - 1"}, {2, "0 - 1"}, {std::nextafter(2.2, 0.0), "0 - 1"}, {3, "2 - 3"}, {3.95, "4 - 6"},
        {6, "4 - 6"}, {7.5, "7"},
    };
    for (const auto& [total, band] : cases) {
        SCOPED_TRACE(total);
        EXPECT_EQ(totalGoalsBand(total), QString::fromLatin1(band));
    }
}

TEST(Commentary, BandAtNearestDoublesComparesExtended) {
    if (LDBL_MANT_DIG != 64)
        GTEST_SKIP() << "long double is not the 80-bit extended type here";
    EXPECT_EQ(totalGoalsBand(2.2), QStringLiteral("2 - 3"));
    EXPECT_EQ(totalGoalsBand(3.9), QStringLiteral("2 - 3"));
    EXPECT_EQ(totalGoalsBand(6.9), QStringLiteral("7"));
}

TEST(Commentary, WithoutSignsOnlyHeaderCaveatAndSeparator) {
    // Stale alternatives from an earlier prediction never reach the text without a predicted score.
    const ComparisonPanel panel = panelWith({{Box::MatchNumber, "12"},
                                             {Box::HomeGames, "2"},
                                             {Box::AwayGames, "5"},
                                             {Box::Alternative1Home, "2"},
                                             {Box::Alternative1Away, "1"}});
    const Commentary c = composeCommentary(panel, 3.0);
    EXPECT_EQ(c.lines, (QStringList{utf8("12  -  KARTAL  -  BOLU"), kCaveat, kSeparator}));
    EXPECT_FALSE(c.band);
}

TEST(Commentary, HeaderUpperCasesTheTurkishWay) {
    const ComparisonPanel panel =
        panelWith({{Box::HomeGames, "5"}, {Box::AwayGames, "5"}}, "Çaykur rize", "ığdır şişli");
    EXPECT_EQ(composeCommentary(panel, 0).lines.front(), utf8("  -  ÇAYKUR RİZE  -  IĞDIR ŞİŞLİ"));
}

TEST(Commentary, ScoresLineShowsMissingAlternativesAsBareDash) {
    const ComparisonPanel panel = panelWith({{Box::HomeGames, "5"},
                                             {Box::AwayGames, "5"},
                                             {Box::FirstSign, "0"},
                                             {Box::HomeScore, "0"},
                                             {Box::AwayScore, "1"},
                                             {Box::Alternative1Home, "0"},
                                             {Box::Alternative1Away, "2"}});
    const Commentary c = composeCommentary(panel, 1.3);
    ASSERT_GE(c.lines.size(), 4);
    EXPECT_EQ(c.lines[1], utf8("Maç Sonucu\t:  0\t\t"));
    EXPECT_EQ(c.lines[2], utf8("Alternatif  Skorlar\t:  0 - 1\t0 - 2\t - \t - "));
    EXPECT_EQ(c.lines[3], utf8("Toplam Gol Oyunu\t:  0 - 1"));
}

TEST(Commentary, CaveatWhenEitherSideHasPlayedTwoGamesOrFewer) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"2", "3", true},   {"3", "2", true},    {"3", "3", false}, {"", "5", true},
        {"abc", "5", true}, {"2,5", "3", false}, {"0", "0", true},
    };
    for (const auto& [home, away, caveat] : cases) {
        SCOPED_TRACE(testing::Message() << home << " / " << away);
        const Commentary c =
            composeCommentary(panelWith({{Box::HomeGames, home}, {Box::AwayGames, away}}), 0);
        EXPECT_EQ(c.lines.contains(kCaveat), caveat);
    }
}

// Lines between the result line (or the total goals line) and the separator: verdict and contrast.
QStringList verdictLines(const ComparisonPanel& panel) {
    QStringList lines = composeCommentary(panel, 3.0).lines;
    const qsizetype start = text(panel, Box::HomeScore).isEmpty() ? 2 : 4;
    return lines.mid(start, lines.size() - start - 1);
}

TEST(Commentary, TwoSignsGiveTheFirstAndSecondSignLines) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"1", "0", "Bu maç için öncelikle Evsahibi Takımın galibiyetini düşünmelisiniz ",
         "Daha sonra beraberlik olabilir"},
        {"0", "1", "Bu maç için öncelikle beraberlik düşünmelisiniz ",
         "Daha sonra Evsahibi Takımın galibiyeti olabilir"},
        {"0", "2", "Bu maç için öncelikle beraberlik düşünmelisiniz ",
         "Daha sonra Misafir Takımın galibiyeti olabilir"},
        {"2", "0", "Bu maç için öncelikle Misafir Takımın galibiyetini düşünmelisiniz ",
         "Daha sonra beraberlik olabilir"},
    };
    for (const auto& [first, second, firstLine, secondLine] : cases) {
        SCOPED_TRACE(testing::Message() << first << second);
        const ComparisonPanel panel = panelWith({{Box::HomeGames, "5"},
                                                 {Box::AwayGames, "5"},
                                                 {Box::FirstSign, first},
                                                 {Box::SecondSign, second}});
        EXPECT_EQ(verdictLines(panel), (QStringList{utf8(firstLine), utf8(secondLine)}));
    }
}

const char* const kDrawContrast = "Ancak azda olsa bu maçın berabere bitme ihtimalide var ... ";
const char* const kHomeContrast = "Ancak azda olsa bu maçı Ev Sahibi takımın kazanma ihtimalide var ... ";
const char* const kAwayContrast = "Ancak azda olsa bu maçı Misafir takımın kazanma ihtimalide var ... ";

TEST(Commentary, OneSignVerdictByScoreWithContrastWhenTheScoreDisagrees) {
    struct Case {
        const char* sign;
        const char* home;
        const char* away;
        const char* verdict;
        const char* contrast;
    };
    const Case cases[] = {
        {"0", "1", "1", "Bu maç büyük ihtimalle berabere biter ... ", nullptr},
        {"0", "2", "1", "Bu maç berabere bitebilir ... ", kHomeContrast},
        {"0", "0", "2", "Bu maç berabere bitebilir ... ", kAwayContrast},
        {"1", "2", "1", "Bu maçı banko Ev Sahibi takım kazanır ... ", nullptr},
        {"1", "1", "1", "Bu maçı Ev Sahibi takım kazanabilir ... ", kDrawContrast},
        {"1", "1", "3", "Bu maçı Ev Sahibi takım kazanabilir ... ", kAwayContrast},
        {"2", "0", "2", "Bu maçı banko Misafir takım kazanır ... ", nullptr},
        {"2", "2", "2", "Bu maçı Misafir takım kazanabilir ... ", kDrawContrast},
        {"2", "3", "1", "Bu maçı Misafir takım kazanabilir ... ", kHomeContrast},
        // Signs without a score (the goals could not be estimated): goals count as 0, no contrast.
        {"0", "", "", "Bu maç büyük ihtimalle berabere biter ... ", nullptr},
        {"1", "", "", "Bu maçı Ev Sahibi takım kazanabilir ... ", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sign << " with " << c.home << "-" << c.away);
        const ComparisonPanel panel = panelWith({{Box::HomeGames, "5"},
                                                 {Box::AwayGames, "5"},
                                                 {Box::FirstSign, c.sign},
                                                 {Box::HomeScore, c.home},
                                                 {Box::AwayScore, c.away}});
        QStringList expected{utf8(c.verdict)};
        if (c.contrast)
            expected.append(utf8(c.contrast));
        EXPECT_EQ(verdictLines(panel), expected);
    }
}

TEST(Commentary, TwoSignsContrastOnlyWhenTheScoreMatchesNeither) {
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"0", "2", "0", "0", nullptr},       {"0", "2", "2", "1", kHomeContrast},
        {"1", "0", "1", "3", kAwayContrast}, {"1", "0", "2", "0", nullptr},
        {"0", "1", "0", "2", kAwayContrast}, {"2", "0", "1", "0", kHomeContrast},
        {"1", "0", "1", "1", nullptr},
    };
    for (const auto& [first, second, home, away, contrast] : cases) {
        SCOPED_TRACE(testing::Message() << first << second << " with " << home << "-" << away);
        const ComparisonPanel panel = panelWith({{Box::HomeGames, "5"},
                                                 {Box::AwayGames, "5"},
                                                 {Box::FirstSign, first},
                                                 {Box::SecondSign, second},
                                                 {Box::HomeScore, home},
                                                 {Box::AwayScore, away}});
        const QStringList lines = verdictLines(panel);
        ASSERT_EQ(lines.size(), contrast ? 3 : 2);
        if (contrast) {
            EXPECT_EQ(lines.back(), utf8(contrast));
        }
    }
}

TEST(Commentary, AlternativeBetOnlyForClearUnderOver) {
    const std::pair<const char*, bool> cases[] = {
        {"ALT", true}, {"ÜST", true}, {"% 60 Üst - % 40 Alt", false}, {"% 90 Alt - % 10 Üst", false},
        {"", false},
    };
    for (const auto& [underOver, bet] : cases) {
        SCOPED_TRACE(underOver);
        const ComparisonPanel panel = panelWith({{Box::HomeGames, "5"},
                                                 {Box::AwayGames, "5"},
                                                 {Box::FirstSign, "0"},
                                                 {Box::UnderOver, underOver}});
        const QStringList lines = composeCommentary(panel, 0).lines;
        const QString betLine =
            utf8("Alternatif olarak bu maç için  ") + utf8(underOver) + utf8("  oynayabilirsiniz");
        EXPECT_EQ(lines.contains(betLine), bet);
        EXPECT_EQ(lines.size(), bet ? 5 : 4);
    }
}

} // namespace
} // namespace vezal
