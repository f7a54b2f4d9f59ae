#include "prediction/Panel.h"
#include "prediction/support/PanelTexts.h"
#include "prediction/support/QtPrint.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing_support::allBoxes;
using testing_support::Box;
using testing_support::boxRange;
using testing_support::panelWith;
using testing_support::text;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QStringList boxes(const ComparisonPanel& panel, Box from, Box to) {
    QStringList texts;
    for (Box box : boxRange(from, to))
        texts << text(panel, box);
    return texts;
}

std::vector<Box> emptyBoxes(const ComparisonPanel& panel) {
    std::vector<Box> empty;
    for (Box box : allBoxes())
        if (text(panel, box).isEmpty())
            empty.push_back(box);
    return empty;
}

ComparisonPanel filledPanel() {
    ComparisonPanel panel = panelWith({});
    for (Box box : allBoxes())
        text(panel, box) = QStringLiteral("x");
    return panel;
}

TEST(Panel, ClearingOperationsCoverTheirBoxes) {
    const std::vector<Box> prediction = boxRange(Box::FirstSign, Box::MatchNumber);
    auto with = [&](std::vector<Box> side) {
        side.insert(side.end(), prediction.begin(), prediction.end());
        return side;
    };
    const std::pair<void (ComparisonPanel::*)(), std::vector<Box>> cases[] = {
        {&ComparisonPanel::clearAll, allBoxes()},
        {&ComparisonPanel::clearHomeSide,
         with({Box::HomePoints, Box::HomeGames, Box::HomeGoalsFor, Box::HomeGoalsAgainst})},
        {&ComparisonPanel::clearAwaySide,
         with({Box::AwayPoints, Box::AwayGames, Box::AwayGoalsFor, Box::AwayGoalsAgainst})},
    };
    for (const auto& [clear, emptied] : cases) {
        ComparisonPanel panel = filledPanel();
        (panel.*clear)();
        EXPECT_EQ(emptyBoxes(panel), emptied);
    }
    // Clearing every box also drops the choices.
    ComparisonPanel panel = filledPanel();
    panel.clearAll();
    EXPECT_TRUE(panel.homeTeam.text.isEmpty() && !panel.homeTeam.selected && !panel.awayTeam.selected);
}

TEST(Panel, ChoosingATeamShowsItsRowAndDropsThePrediction) {
    ComparisonPanel panel = filledPanel();
    showHomeTeam(panel, LeagueTableRow{3.57, QVariant(), QVariant(), QVariant()}); // seed row only
    EXPECT_EQ(boxes(panel, Box::HomePoints, Box::AwayPoints), (QStringList{"3,570", "x"}));
    std::vector<Box> emptied = {Box::HomeGames, Box::HomeGoalsFor, Box::HomeGoalsAgainst};
    for (Box box : boxRange(Box::FirstSign, Box::MatchNumber))
        emptied.push_back(box);
    EXPECT_EQ(emptyBoxes(panel), emptied);

    showAwayTeam(panel, LeagueTableRow{1.0, qlonglong(2), qlonglong(6), qlonglong(2)});
    EXPECT_EQ(boxes(panel, Box::HomePoints, Box::AwayGoalsAgainst),
              (QStringList{"3,570", "1,000", "", "2", "", "6", "", "2"}));

    showAwayTeam(panel, std::nullopt); // a name the away table does not hold
    EXPECT_EQ(boxes(panel, Box::HomePoints, Box::AwayGoalsAgainst),
              (QStringList{"3,570", "", "", "", "", "", "", ""}));
}

// Stands for the window's opponent-strength queries and records when they run.
struct Lookups {
    double home = 12, away = 2.5;
    QStringList calls;
    StrengthLookup homeLookup() {
        return [this] {
            return calls << "home", home;
        };
    }
    StrengthLookup awayLookup() {
        return [this] {
            return calls << "away", away;
        };
    }
};

TahminOutcome press(ComparisonPanel& panel, double& total, Lookups& lookups) {
    return pressTahmin(panel, total, lookups.homeLookup(), lookups.awayLookup());
}

// Kartal (home 1,250 over 12 games, 18 scored, 30 conceded) against Bolu (away 1,000 over 2 games, 6 and 2).
// With strength sums 12 and 2.5 both met opponents as strong as the coming one, so x1 = 18/12,
// y1 = 30/12, y2 = 6/2, x2 = 2/2: H = 1.25, A = 2.75, T = 4, and the ratio 125 gives "1" and "0".
ComparisonPanel kartalBolu() {
    ComparisonPanel panel = panelWith({});
    showHomeTeam(panel, LeagueTableRow{1.25, qlonglong(12), qlonglong(18), qlonglong(30)});
    showAwayTeam(panel, LeagueTableRow{1.0, qlonglong(2), qlonglong(6), qlonglong(2)});
    text(panel, Box::MatchNumber) = QStringLiteral("7");
    return panel;
}

TEST(Tahmin, PredictsThenCommentsThenMakesTheCouponLine) {
    ComparisonPanel panel = kartalBolu();
    Lookups lookups;
    double total = 0;
    const TahminOutcome out = press(panel, total, lookups);

    EXPECT_FALSE(out.refusal);
    EXPECT_EQ(lookups.calls, (QStringList{"home", "away"}));
    EXPECT_EQ(total, 4.0);
    EXPECT_EQ(boxes(panel, Box::FirstSign, Box::GoalsBand),
              (QStringList{"1", "0", "", utf8("ÜST"), "1", "3", "2", "3", "2", "2", "1", "2", "4 - 6"}));
    EXPECT_EQ(boxes(panel, Box::HomePoints, Box::AwayGoalsAgainst),
              (QStringList{"1,250", "1,000", "12", "2", "18", "6", "30", "2"}));
    ASSERT_EQ(out.commentary.size(), 10);
    EXPECT_EQ(out.commentary[0], utf8("7  -  KARTAL  -  BOLU"));
    EXPECT_EQ(out.commentary[3], utf8("Toplam Gol Oyunu\t:  4 - 6"));
    EXPECT_EQ(out.couponLine, utf8("7  -  Kartal - Bolu\t :   ÜST"));
}

TEST(Tahmin, RefusesWithTheFirstFailingCheck) {
    const QString choose = utf8("Öncelikle tahminde bulunacağınız takımları doğru seçiniz  ... ");
    const QString home =
        utf8("Seçtiğiniz ev sahibi takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ");
    const QString away = utf8("Seçtiğiniz misafir takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ");
    using Change = void (*)(ComparisonPanel&);
    const std::tuple<const char*, Change, QString> cases[] = {
        {"same team", [](ComparisonPanel& p) { p.awayTeam.text = "Kartal"; }, choose},
        {"nothing chosen", [](ComparisonPanel& p) { p.homeTeam = p.awayTeam = {}; }, choose},
        {"no home selection", [](ComparisonPanel& p) { p.homeTeam.selected = false; }, choose},
        {"no away selection", [](ComparisonPanel& p) { p.awayTeam.selected = false; }, choose},
        {"home has no games", [](ComparisonPanel& p) { text(p, Box::HomeGames).clear(); }, home},
        {"home games not whole", [](ComparisonPanel& p) { text(p, Box::HomeGames) = "2,5"; }, home},
        {"away has no games", [](ComparisonPanel& p) { text(p, Box::AwayGames) = "0"; }, away},
        {"neither has games",
         [](ComparisonPanel& p) { text(p, Box::HomeGames) = text(p, Box::AwayGames) = "0"; }, home},
        {"same team, no games",
         [](ComparisonPanel& p) {
             p.awayTeam.text = "Kartal";
             text(p, Box::HomeGames).clear();
         },
         choose},
    };
    for (const auto& [what, change, message] : cases) {
        SCOPED_TRACE(what);
        ComparisonPanel panel = kartalBolu();
        for (Box box : boxRange(Box::FirstSign, Box::GoalsBand))
            text(panel, box) = QStringLiteral("5");
        change(panel);
        Lookups lookups;
        double total = 2.5;
        const TahminOutcome out = press(panel, total, lookups);
        EXPECT_EQ(out.refusal, message);
        EXPECT_TRUE(out.commentary.isEmpty() && out.couponLine.isEmpty() && lookups.calls.isEmpty());
        EXPECT_EQ(total, 2.5);
        // Emptied before the checks, except the alternatives, which wait to be written.
        EXPECT_EQ(boxes(panel, Box::FirstSign, Box::GoalsBand),
                  (QStringList{"", "", "", "", "", "", "5", "5", "5", "5", "5", "5", ""}));
    }
}

TEST(Tahmin, WithoutStrengthOrRatingTheGoalsAreLeftOut) {
    using Change = void (*)(ComparisonPanel&, Lookups&);
    const QString pair = utf8("7  -  Kartal - Bolu\t :   1 - 0");
    const QString band = utf8("7  -  Kartal - Bolu\t :     Toplam Gol");
    const std::tuple<const char*, Change, QStringList, QString, QString> cases[] = {
        {"home strength 0", [](ComparisonPanel&, Lookups& l) { l.home = 0; }, {"home", "away"}, "10", pair},
        {"away strength below 0",
         [](ComparisonPanel&, Lookups& l) { l.away = -1.5; },
         {"home", "away"},
         "10",
         pair},
        {"home rating 0",
         [](ComparisonPanel& p, Lookups&) { text(p, Box::HomePoints) = "0,000"; },
         {},
         "",
         band},
        {"away rating below 0",
         [](ComparisonPanel& p, Lookups&) { text(p, Box::AwayPoints) = "-0,200"; },
         {},
         "",
         band},
    };
    for (const auto& [what, change, calls, signs, coupon] : cases) {
        SCOPED_TRACE(what);
        ComparisonPanel panel = kartalBolu();
        Lookups lookups;
        change(panel, lookups);
        double total = 2.5;
        const TahminOutcome out = press(panel, total, lookups);
        EXPECT_FALSE(out.refusal);
        EXPECT_EQ(lookups.calls, calls);
        EXPECT_EQ(total, 2.5);
        EXPECT_EQ(text(panel, Box::FirstSign) + text(panel, Box::SecondSign), signs);
        EXPECT_EQ(boxes(panel, Box::ThirdSign, Box::GoalsBand), QStringList(11, QString()));
        // Header, caveat (Bolu has 2 games) and separator, with the result line and two verdicts when signed.
        EXPECT_EQ(out.commentary.size(), signs.isEmpty() ? 3 : 6);
        EXPECT_EQ(out.couponLine, coupon);
    }
}

TEST(Tahmin, AlternativeBoxesHoldWholeNumbersAndOnlyThoseWritten) {
    // Ratings 1, ten games a side and strength sums 10: H = (FH + AA) / 20, A = (AH + FA) / 20.
    const std::tuple<const char*, const char*, const char*, QStringList> cases[] = {
        {"H = 0, A = 1.3", "0", "13", {"0", "1", "0", "2", "k", "k", "k", "k"}},
        {"ten goals and more", "105", "5", {"11", "1", "11", "0", "10", "1", "10", "0"}},
    };
    for (const auto& [what, homeGoals, awayGoals, scoreBoxes] : cases) {
        SCOPED_TRACE(what);
        ComparisonPanel panel = panelWith({{Box::HomePoints, "1,000"},
                                           {Box::AwayPoints, "1,000"},
                                           {Box::HomeGames, "10"},
                                           {Box::AwayGames, "10"},
                                           {Box::HomeGoalsFor, homeGoals},
                                           {Box::AwayGoalsAgainst, homeGoals},
                                           {Box::HomeGoalsAgainst, awayGoals},
                                           {Box::AwayGoalsFor, awayGoals}});
        for (Box box : boxRange(Box::Alternative1Home, Box::Alternative3Away))
            text(panel, box) = QStringLiteral("k");
        Lookups lookups{.home = 10, .away = 10, .calls = {}};
        double total = 0;
        press(panel, total, lookups);
        EXPECT_EQ(boxes(panel, Box::HomeScore, Box::Alternative3Away), scoreBoxes);
    }
}

} // namespace
} // namespace vezal
