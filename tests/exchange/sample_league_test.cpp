// The example league a new user loads from the main window's first-start guide.
#include "exchange/SampleLeague.h"
#include "store/support/TempProgram.h"

#include <QSet>
#include <gtest/gtest.h>

namespace vezal {
namespace {

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Rows worked out by a separate port of scripts/screenshot.sh's drawing (the same sequence and pairing),
// by hand: index, day, home, away, goals, odds in hundredths.
struct ExpectedMatch {
    std::size_t index;
    QDate day;
    const char* home;
    const char* away;
    int homeGoals, awayGoals;
    int oneOdds, drawOdds, twoOdds;
};

TEST(SampleLeague, DrawsTheSameTwoSeasonsOfADoubleRoundRobinEveryTime) {
    const SampleLeague league = sampleLeague();
    EXPECT_EQ(league.name, utf8("Örnek Lig"));
    ASSERT_EQ(league.matches.size(), 180u); // 2 seasons x 18 rounds x 5 matches
    const ExpectedMatch expected[] = {
        {0, {2009, 8, 22}, "Galatasaray", "Denizlispor", 1, 1, 125, 347, 510},
        {1, {2009, 8, 22}, "Ankaragücü", "Fenerbahçe", 0, 2, 338, 341, 190},
        {4, {2009, 8, 22}, "Bursaspor", "Sivasspor", 2, 2, 226, 323, 350},
        {89, {2009, 12, 19}, "Bursaspor", "Trabzonspor", 4, 0, 254, 323, 310},
        {90, {2010, 8, 14}, "Galatasaray", "Denizlispor", 3, 0, 125, 347, 510},
        {179, {2010, 12, 11}, "Bursaspor", "Trabzonspor", 2, 0, 254, 323, 310},
    };
    for (const ExpectedMatch& e : expected) {
        const MatchLine& m = league.matches.at(e.index);
        SCOPED_TRACE(e.index);
        EXPECT_EQ(m.day, e.day);
        EXPECT_EQ(m.home, utf8(e.home));
        EXPECT_EQ(m.away, utf8(e.away));
        EXPECT_EQ(m.homeGoals, e.homeGoals);
        EXPECT_EQ(m.awayGoals, e.awayGoals);
        ASSERT_TRUE(m.odds.has_value());
        EXPECT_DOUBLE_EQ(m.odds->home, e.oneOdds / 100.0);
        EXPECT_DOUBLE_EQ(m.odds->draw, e.drawOdds / 100.0);
        EXPECT_DOUBLE_EQ(m.odds->away, e.twoOdds / 100.0);
    }
    // Each season every team meets every other once at home and once away: 90 distinct pairings.
    for (std::size_t season = 0; season < 2; ++season) {
        QSet<QString> pairings;
        for (std::size_t i = 90 * season; i < 90 * (season + 1); ++i)
            pairings.insert(league.matches[i].home + u'|' + league.matches[i].away);
        EXPECT_EQ(pairings.size(), 90) << season;
    }
    EXPECT_EQ(league.startingPoints.size(), 10);
    EXPECT_DOUBLE_EQ(league.startingPoints.value(utf8("Galatasaray")), 6.5);
}

TEST(SampleLeague, LoadsAsAnImportAndASecondLoadAddsNothing) {
    testing::TempProgram program;
    const ImportOutcome first = loadSampleLeague(program.database(), program.table());
    ASSERT_FALSE(first.refusal.has_value());
    EXPECT_EQ(first.added, 180);
    EXPECT_TRUE(first.leagueAdded);
    EXPECT_EQ(first.registered.size(), 10);
    const ImportOutcome second = loadSampleLeague(program.database(), program.table());
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.present, 180);
    EXPECT_FALSE(second.leagueAdded);
}

} // namespace
} // namespace vezal
