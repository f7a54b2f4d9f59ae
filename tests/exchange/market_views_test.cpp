// The market's view of each imported match: which odds it is taken from, its margin-free probabilities
// and goal means, kept beside Liste and made for a folder filled before it was kept.
#include "exchange/Import.h"
#include "exchange/MarketViews.h"

#include "store/Admin.h"
#include "store/MarketTable.h"
#include "store/support/TempProgram.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TempProgram;

const QString kLeague = QStringLiteral("Süper Lig");

// Means 1 and 1 price a home win and an away win at 0.3457458388 each, a draw at 0.3085083225 and at
// most two goals at 0.6766764162 (see the implied goals' tests). With a margin of 5 % on every price:
// 1 / (1.05 * p) gives 2.75457 3.08705 2.75457, and over 2.94560, under 1.40744, kept to four decimals.
constexpr const char* kEvenOdds = "2.7546,3.0871,2.7546";
constexpr const char* kEvenGoalsOdds = "2.9456,1.4074";

// Lines `header` then one match per day from 9 August 2020, Kartal against Bolu or Bolu against Kartal.
std::vector<MatchLine> linesOf(const QByteArray& header, const QList<QByteArray>& odds) {
    QByteArray bytes = "Date,HomeTeam,AwayTeam,FTHG,FTAG," + header + "\n";
    QDate day(2020, 8, 9);
    bool kartalHome = true;
    for (const QByteArray& fields : odds) {
        bytes += day.toString(QStringLiteral("dd/MM/yyyy")).toLatin1() +
                 (kartalHome ? ",Kartal,Bolu,1,0," : ",Bolu,Kartal,2,2,") + fields + "\n";
        day = day.addDays(1);
        kartalHome = !kartalHome;
    }
    const MatchFileReading reading = readMatchFile(bytes, MatchFileKind::Results, QDate(2025, 1, 1));
    EXPECT_FALSE(reading.refusal);
    return reading.rows;
}

void import(TempProgram& program, const std::vector<MatchLine>& lines) {
    const ImportOutcome outcome = importResults(program.database(), program.table(), kLeague, lines, {});
    ASSERT_FALSE(outcome.refusal);
    ASSERT_EQ(outcome.added, static_cast<qsizetype>(lines.size()));
}

std::optional<MarketView> viewOn(TempProgram& program, const QString& day) {
    for (const KeptMarketView& kept : MarketTable(program.database()).leagueViews(kLeague))
        if (kept.day == day)
            return kept.view;
    ADD_FAILURE() << "no row for " << day.toStdString();
    return std::nullopt;
}

// Which odds the view takes: closing before the odds taken earlier; the average, then Pinnacle, then
// Bet365 of one moment; the under/over pair of the view's own moment only.
TEST(MarketViews, ImportKeepsTheViewOfTheTrustedOdds) {
    TempProgram program;
    // Day 1: average before and at closing: the closing one. Day 2: Bet365 and Pinnacle closing, the
    // average only before: Pinnacle's closing. Day 3: only odds taken before, Bet365's.
    import(program,
           linesOf("AvgH,AvgD,AvgA,B365CH,B365CD,B365CA,PSCH,PSCD,PSCA,AvgCH,AvgCD,AvgCA,AvgC>2.5,AvgC<2.5",
                   {QByteArray("2.00,3.40,4.00,,,,,,,") + kEvenOdds + ',' + kEvenGoalsOdds,
                    QByteArray("2.00,3.40,4.00,1.80,3.60,4.50,") + kEvenOdds + ",,,,,",
                    QByteArray(",,,,,,,,,,,,,")}));
    const std::optional<MarketView> first = viewOn(program, QStringLiteral("2020-08-09"));
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->closing);
    EXPECT_EQ(first->source, QStringLiteral("Avg"));
    EXPECT_NEAR(first->home, 0.3457458388, 1e-5);
    EXPECT_NEAR(first->draw, 0.3085083225, 1e-5);
    ASSERT_TRUE(first->under25);
    EXPECT_NEAR(*first->under25, 0.6766764162, 1e-5);
    ASSERT_TRUE(first->homeGoals && first->awayGoals);
    EXPECT_NEAR(*first->homeGoals, 1, 1e-3);
    EXPECT_NEAR(*first->awayGoals, 1, 1e-3);

    const std::optional<MarketView> second = viewOn(program, QStringLiteral("2020-08-10"));
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->closing);
    EXPECT_EQ(second->source, QStringLiteral("PS"));
    EXPECT_FALSE(second->under25);
    // 1X2 alone still fixes both means: the even prices give 1 and 1 again.
    ASSERT_TRUE(second->homeGoals);
    EXPECT_NEAR(*second->homeGoals, 1, 1e-3);
    EXPECT_NEAR(*second->awayGoals, 1, 1e-3);

    // A line with no odds at all has no odds kept and no row.
    EXPECT_EQ(MarketTable(program.database()).leagueViews(kLeague).size(), 2u);
}

// Odds taken before closing, with a margin: 1/2.00 + 1/3.40 + 1/4.00 = 1.0441176, so the home win is
// 0.5 / 1.0441176 = 0.4788732, the draw 0.2941176 / 1.0441176 = 0.2816901, the away win 0.2394366.
TEST(MarketViews, MarginComesOffTheOddsTakenBefore) {
    TempProgram program;
    import(program, linesOf("B365H,B365D,B365A", {"2.00,3.40,4.00"}));
    const std::optional<MarketView> view = viewOn(program, QStringLiteral("2020-08-09"));
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->closing);
    EXPECT_EQ(view->source, QStringLiteral("B365"));
    EXPECT_NEAR(view->home, 0.4788732, 1e-7);
    EXPECT_NEAR(view->draw, 0.2816901, 1e-7);
    EXPECT_NEAR(view->away, 0.2394366, 1e-7);
    ASSERT_TRUE(view->homeGoals);
    EXPECT_GT(*view->homeGoals, *view->awayGoals);
}

// A folder whose matches were imported before views were kept gets them on first use, all or nothing.
TEST(MarketViews, AnOlderFolderIsFilledOnce) {
    TempProgram program;
    import(program, linesOf("AvgCH,AvgCD,AvgCA", {kEvenOdds, "2.00,3.40,4.00", kEvenOdds}));
    // As a folder filled before the views were kept: neither the table nor its trigger.
    QSqlQuery drop(program.database().connection());
    ASSERT_TRUE(drop.exec(QStringLiteral("drop trigger ListePiyasaSil")));
    ASSERT_TRUE(drop.exec(QStringLiteral("drop table Piyasa")));

    // Cancelled after the second match: nothing kept.
    qsizetype seenTotal = 0;
    EXPECT_FALSE(fillMarketViews(program.database(), kLeague, [&](qsizetype done, qsizetype total) {
        seenTotal = total;
        return done < 2;
    }));
    EXPECT_EQ(seenTotal, 3);
    EXPECT_FALSE(MarketTable(program.database()).exists());

    int calls = 0;
    const auto views = leagueMarketViews(program.database(), kLeague, [&](qsizetype, qsizetype) {
        ++calls;
        return true;
    });
    ASSERT_TRUE(views);
    EXPECT_EQ(views->size(), 3u);
    EXPECT_EQ(calls, 3);
    // Once there, nothing is done again.
    calls = 0;
    ASSERT_TRUE(leagueMarketViews(program.database(), kLeague, [&](qsizetype, qsizetype) {
        ++calls;
        return true;
    }));
    EXPECT_EQ(calls, 0);
    // The trigger came back with the table: a match deleted takes its view along.
    ASSERT_FALSE(deleteTeam(program.table(), kLeague, QStringLiteral("Bolu")));
    EXPECT_TRUE(MarketTable(program.database()).leagueViews(kLeague).empty());
}

// The view goes with its match: deleting a team deletes its matches and their views.
TEST(MarketViews, GoWithTheirMatches) {
    TempProgram program;
    import(program, linesOf("AvgCH,AvgCD,AvgCA", {kEvenOdds, kEvenOdds}));
    ASSERT_EQ(MarketTable(program.database()).leagueViews(kLeague).size(), 2u);
    ASSERT_FALSE(deleteTeam(program.table(), kLeague, QStringLiteral("Bolu")));
    EXPECT_TRUE(MarketTable(program.database()).leagueViews(kLeague).empty());
}

} // namespace
} // namespace vezal
