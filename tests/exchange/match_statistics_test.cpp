// Match statistics of a results file: read by their header names, kept beside the match row in a table
// of their own, and gone with it.
#include "exchange/Import.h"
#include "exchange/MatchFile.h"
#include "store/StatisticsTable.h"
#include "store/support/TempProgram.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TempProgram;

const QString kLeague = QStringLiteral("Süper Lig");

// Columns in a modern file's order, among others the reader ignores; the 0-0 lacks its statistics, the
// 1-1 has a count that is no count (a sign) and over/under odds only from one bookmaker.
const QByteArray kFile = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,HS,AS,HST,AST,HF,AF,HC,AC,HY,AY,HR,AR,"
                         "B365>2.5,B365<2.5,Avg>2.5,Avg<2.5\n"
                         "T1,15/08/2009,Kartal,Bolu,2,0,14,9,6,2,11,12,7,3,1,2,0,1,1.8,2.0,1.75,2.05\n"
                         "T1,15/08/2009,Sivas,Yalova,0,0,,,,,,,,,,,,,,,,\n"
                         "T1,22/08/2009,Bolu,Sivas,1,1,+5,8,3,4,9,9,2,5,3,3,0,0,2.1,1.7,,\n";

TEST(MatchStatistics, ReadByHeaderNameKeptAndGoneWithTheRow) {
    const MatchFileReading reading = readMatchFile(kFile, MatchFileKind::Results, QDate(2026, 1, 1));
    ASSERT_FALSE(reading.refusal);
    ASSERT_EQ(reading.rows.size(), 3u);
    EXPECT_FALSE(reading.rows[1].statistics); // every figure blank: none, and the line still counts

    TempProgram program;
    importResults(program.database(), program.table(), kLeague, reading.rows, {});
    StatisticsTable table(program.database());
    const auto first = table.find(kLeague, QDate(2009, 8, 15), "Kartal", "Bolu");
    ASSERT_TRUE(first);
    const struct {
        const char* name;
        std::optional<int> kept, expected;
    } counts[] = {{"HS", first->homeShots, 14},         {"AS", first->awayShots, 9},
                  {"HST", first->homeShotsOnTarget, 6}, {"AST", first->awayShotsOnTarget, 2},
                  {"HC", first->homeCorners, 7},        {"AC", first->awayCorners, 3},
                  {"HY", first->homeYellowCards, 1},    {"AY", first->awayYellowCards, 2},
                  {"HR", first->homeRedCards, 0},       {"AR", first->awayRedCards, 1}};
    for (const auto& c : counts)
        EXPECT_EQ(c.kept, c.expected) << c.name;
    // The market average comes before a single bookmaker.
    EXPECT_EQ(first->over25Odds, 1.75);
    EXPECT_EQ(first->under25Odds, 2.05);

    EXPECT_FALSE(table.find(kLeague, QDate(2009, 8, 15), "Sivas", "Yalova"));
    const auto third = table.find(kLeague, QDate(2009, 8, 22), "Bolu", "Sivas");
    ASSERT_TRUE(third);
    EXPECT_FALSE(third->homeShots); // "+5" is no count
    EXPECT_EQ(third->awayShots, 8);
    EXPECT_EQ(third->homeShotsOnTarget, 3);
    EXPECT_EQ(third->over25Odds, 2.1); // the average is blank: Bet365's
    EXPECT_EQ(third->under25Odds, 1.7);
    EXPECT_EQ(table.leagueStatistics(kLeague).size(), 2u);

    // Liste keeps its fifteen columns; deleting a match row takes its statistics along.
    QSqlQuery columns(program.database().connection());
    ASSERT_TRUE(columns.exec("select count(*) from pragma_table_info('Liste')"));
    ASSERT_TRUE(columns.next());
    EXPECT_EQ(columns.value(0).toInt(), 15);
    QSqlQuery sr(program.database().connection());
    ASSERT_TRUE(sr.exec("select Sr from Liste where Tur='O' and Etkm='Bolu' and Tarih='2009-08-22'"));
    ASSERT_TRUE(sr.next());
    program.table().deleteRow(sr.value(0).toLongLong());
    EXPECT_FALSE(table.find(kLeague, QDate(2009, 8, 22), "Bolu", "Sivas"));
    program.table().deleteLeague(kLeague);
    EXPECT_TRUE(table.leagueStatistics(kLeague).empty());
}

// A file without statistics columns keeps nothing and makes no table.
TEST(MatchStatistics, AFileWithoutThemKeepsNone) {
    const QByteArray file = "Date,HomeTeam,AwayTeam,FTHG,FTAG\n15/08/2009,Kartal,Bolu,2,0\n";
    const MatchFileReading reading = readMatchFile(file, MatchFileKind::Results, QDate(2026, 1, 1));
    ASSERT_EQ(reading.rows.size(), 1u);
    EXPECT_FALSE(reading.rows[0].statistics);
    TempProgram program;
    importResults(program.database(), program.table(), kLeague, reading.rows, {});
    EXPECT_FALSE(program.rows().empty());
    EXPECT_FALSE(StatisticsTable(program.database()).exists());
}

} // namespace
} // namespace vezal
