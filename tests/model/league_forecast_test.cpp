// The goals model over a league's named matches: which teams get probabilities on which day, the user's
// words when they get none, and what odds add.
#include "model/LeagueForecast.h"

#include <QDate>
#include <gtest/gtest.h>

namespace vezal::model {
namespace {

const QDate kFirstDay{2023, 8, 5};

// Four teams, one match each a week from 05.08.2023 (Saturdays): three double round robins, 36 matches,
// 18 for each team. Scores vary with the week so that nothing is degenerate.
std::vector<LeagueMatch> fourTeams() {
    const QString names[] = {"Kartal", "Bolu", "Sivas", "Çorum"};
    const int pairs[6][2] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}, {0, 3}, {1, 2}};
    std::vector<LeagueMatch> matches;
    for (int week = 0; week < 18; ++week)
        for (int k = 0; k < 2; ++k) {
            const int* pair = pairs[(2 * week + k) % 6];
            const bool turned = (week / 3) % 2 == 1;
            const int home = turned ? pair[1] : pair[0];
            const int away = turned ? pair[0] : pair[1];
            matches.push_back({kFirstDay.addDays(7 * week), names[home], names[away], (week + k + home) % 4,
                               (week * k + away) % 3});
        }
    return matches;
}

QString refusalOf(const std::vector<LeagueMatch>& matches, const QString& home, const QString& away,
                  const QDate& day) {
    LeagueModel model(matches);
    return model.forecast(home, away, day).refusal.value_or(QString());
}

TEST(LeagueModel, RefusesInTheUsersWords) {
    std::vector<LeagueMatch> matches = fourTeams();
    matches.push_back({kFirstDay.addDays(200), "Rize", "Kartal", 1, 0}); // its first match is far ahead
    const QDate afterFourWeeks = kFirstDay.addDays(28); // 02.09.2023: each team has played four
    const QDate late = kFirstDay.addDays(150);
    const struct {
        const char* name;
        QString home, away;
        QDate day;
        QString refusal;
    } cases[] = {
        {"home unknown", "Yok", "Bolu", late, "Ev sahibi takım bu ligin maçlarında yok: Yok"},
        {"away unknown", "Bolu", "Yok", late, "Misafir takım bu ligin maçlarında yok: Yok"},
        {"case matters", "kartal", "Bolu", late, "Ev sahibi takım bu ligin maçlarında yok: kartal"},
        {"same team", "Bolu", "Bolu", late, "Ev sahibi ve misafir takım aynı olamaz: Bolu"},
        {"too few, home first", "Kartal", "Bolu", afterFourWeeks,
         "Kartal bu ligde 02.09.2023 tarihinden önce yalnızca 4 maç oynamış; olasılık için en az 5 maç "
         "gerekir."},
        {"no match before the day", "Kartal", "Rize", late,
         "Rize bu ligde 02.01.2024 tarihinden önce yalnızca 0 maç oynamış; olasılık için en az 5 maç "
         "gerekir."},
        {"nothing before the first day", "Sivas", "Çorum", kFirstDay,
         "Sivas bu ligde 05.08.2023 tarihinden önce yalnızca 0 maç oynamış; olasılık için en az 5 maç "
         "gerekir."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusalOf(matches, c.home, c.away, c.day), c.refusal) << c.name;
}

// On the fifth Saturday every team has four matches behind it; a day later, five, and probabilities come.
TEST(LeagueModel, FiveMatchesBeforeTheDayAreEnough) {
    LeagueModel model(fourTeams());
    EXPECT_TRUE(model.forecast("Kartal", "Bolu", kFirstDay.addDays(28)).refusal);
    const PairingForecast f = model.forecast("Kartal", "Bolu", kFirstDay.addDays(29));
    EXPECT_FALSE(f.refusal) << f.refusal.value_or(QString()).toStdString();
    EXPECT_EQ(f.matchesFitted, 10u);
}

TEST(LeagueModel, FairOddsAndWhatTheOddsAdd) {
    LeagueModel model(fourTeams());
    const QDate day = kFirstDay.addDays(126);
    const PairingForecast plain = model.forecast("Kartal", "Bolu", day);
    ASSERT_FALSE(plain.refusal);
    const ThreeWay& p = plain.forecast.outcome;
    EXPECT_NEAR(p.home + p.draw + p.away, 1, 1e-12);
    EXPECT_NEAR(*plain.fairHome * p.home, 1, 1e-12);
    EXPECT_NEAR(*plain.fairDraw * p.draw, 1, 1e-12);
    EXPECT_NEAR(*plain.fairAway * p.away, 1, 1e-12);
    EXPECT_FALSE(plain.expectedValues);
    EXPECT_FALSE(plain.bookmaker);

    const PairingForecast priced = model.forecast("Kartal", "Bolu", day, ThreeWay{2.5, 3.2, 2.8});
    ASSERT_TRUE(priced.expectedValues && priced.bookmaker);
    EXPECT_NEAR(priced.expectedValues->draw, p.draw * 3.2 - 1, 1e-12);
    // 1/2.5 + 1/3.2 + 1/2.8 = 0.4 + 0.3125 + 0.3571428571 = 1.0696428571
    EXPECT_NEAR(priced.bookmaker->home, 0.4 / 1.0696428571, 1e-9);

    EXPECT_FALSE(model.forecast("Kartal", "Bolu", day, ThreeWay{0.9, 3.2, 2.8}).expectedValues);
}

// A walk forward sees nothing of the day it predicts or after: change those results, nothing moves.
TEST(LeagueModel, ResultsOnAndAfterTheDayChangeNothing) {
    const QDate day = kFirstDay.addDays(70);
    std::vector<LeagueMatch> changed = fourTeams();
    for (LeagueMatch& m : changed)
        if (m.day >= day) {
            m.homeGoals = 7;
            m.awayGoals = 0;
        }
    LeagueModel original(fourTeams());
    LeagueModel rewritten(changed);
    const PairingForecast a = original.forecast("Sivas", "Çorum", day);
    const PairingForecast b = rewritten.forecast("Sivas", "Çorum", day);
    ASSERT_FALSE(a.refusal);
    ASSERT_FALSE(b.refusal);
    EXPECT_EQ(a.forecast.outcome.home, b.forecast.outcome.home);
    EXPECT_EQ(a.forecast.outcome.draw, b.forecast.outcome.draw);
    EXPECT_EQ(a.forecast.over25, b.forecast.over25);
    EXPECT_EQ(a.matchesFitted, 20u);
    // ... while the day after the changed week does see it.
    const PairingForecast later = rewritten.forecast("Sivas", "Çorum", day.addDays(1));
    EXPECT_NE(later.forecast.outcome.home, a.forecast.outcome.home);
}

// The table keeps 20 characters of a name; a name typed in full finds the team.
TEST(LeagueModel, NamesAreCutAsTheTableCutsThem) {
    std::vector<LeagueMatch> matches = fourTeams();
    for (LeagueMatch& m : matches)
        if (m.home == "Bolu")
            m.home = "Bolu Spor Kulübü Derneği";
        else if (m.away == "Bolu")
            m.away = "Bolu Spor Kulübü Derneği";
    LeagueModel model(matches);
    EXPECT_EQ(model.teamIndex("Bolu Spor Kulübü Derneği"), model.teamIndex("Bolu Spor Kulübü Der"));
    EXPECT_FALSE(model.forecast("Bolu Spor Kulübü Derneği", "Kartal", kFirstDay.addDays(126)).refusal);
}

// Two teams only, and a side that scores fifteen every time: the user still gets finite figures.
TEST(LeagueModel, OddLeaguesStillGiveFiniteProbabilities) {
    std::vector<LeagueMatch> twoTeams;
    std::vector<LeagueMatch> thrashings;
    for (int k = 0; k < 8; ++k) {
        const bool turned = k % 2 == 1;
        twoTeams.push_back({kFirstDay.addDays(7 * k), turned ? "Bolu" : "Kartal", turned ? "Kartal" : "Bolu",
                            k % 3, (k + 1) % 2});
        thrashings.push_back({kFirstDay.addDays(7 * k), turned ? "Bolu" : "Kartal",
                              turned ? "Kartal" : "Bolu", turned ? 0 : 15, turned ? 15 : 0});
    }
    for (const auto& matches : {twoTeams, thrashings}) {
        LeagueModel model(matches);
        for (const auto& [home, away] : {std::pair{"Kartal", "Bolu"}, std::pair{"Bolu", "Kartal"}}) {
            const PairingForecast f = model.forecast(home, away, kFirstDay.addDays(100), ThreeWay{1.5, 4, 6});
            ASSERT_FALSE(f.refusal) << f.refusal->toStdString();
            const ThreeWay& p = f.forecast.outcome;
            EXPECT_NEAR(p.home + p.draw + p.away, 1, 1e-12);
            for (const double v : {f.homeMean, f.awayMean, f.forecast.under25, f.forecast.bothScore,
                                   f.expectedValues->home, f.expectedValues->away})
                EXPECT_TRUE(std::isfinite(v)) << home;
        }
    }
    // In the thrashings Kartal scores 15 at home and Bolu nothing.
    LeagueModel model(thrashings);
    const PairingForecast f = model.forecast("Kartal", "Bolu", kFirstDay.addDays(100));
    EXPECT_GT(f.forecast.outcome.home, 0.999);
    EXPECT_FALSE(f.fairAway && !std::isfinite(*f.fairAway));
}

} // namespace
} // namespace vezal::model
