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

// Half-time scores beside the full-time ones: the 2-0 was 1-0 at the break, the 1-1 gives no half-time
// score, the 0-0 gives one above its full-time score (a broken line), the 3-1 was 0-1.
const QByteArray kHalfTimeFile = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,FTR,HTHG,HTAG,HTR\n"
                                 "T1,15/08/2009,Kartal,Bolu,2,0,H,1,0,H\n"
                                 "T1,15/08/2009,Sivas,Yalova,1,1,D,,,\n"
                                 "T1,22/08/2009,Bolu,Sivas,0,0,D,1,0,H\n"
                                 "T1,22/08/2009,Yalova,Kartal,3,1,H,0,1,A\n";

std::optional<std::pair<int, int>> halfTime(StatisticsTable& table, const QDate& day, const char* home,
                                            const char* away) {
    const std::optional<MatchStatistics> s = table.find(kLeague, day, home, away);
    if (!s || !s->halfTimeHomeGoals || !s->halfTimeAwayGoals)
        return std::nullopt;
    return std::pair{*s->halfTimeHomeGoals, *s->halfTimeAwayGoals};
}

void expectHalfTimesOfTheFile(StatisticsTable& table) {
    EXPECT_EQ(halfTime(table, QDate(2009, 8, 15), "Kartal", "Bolu"), std::pair(1, 0));
    EXPECT_FALSE(halfTime(table, QDate(2009, 8, 15), "Sivas", "Yalova"));
    EXPECT_FALSE(halfTime(table, QDate(2009, 8, 22), "Bolu", "Sivas"));
    EXPECT_EQ(halfTime(table, QDate(2009, 8, 22), "Yalova", "Kartal"), std::pair(0, 1));
}

TEST(MatchStatistics, HalfTimeScoreKeptWhereTheLineGivesOne) {
    const MatchFileReading reading = readMatchFile(kHalfTimeFile, MatchFileKind::Results, QDate(2026, 1, 1));
    ASSERT_EQ(reading.rows.size(), 4u);
    EXPECT_FALSE(reading.rows[1].statistics);
    EXPECT_FALSE(reading.rows[2].statistics);
    TempProgram program;
    importResults(program.database(), program.table(), kLeague, reading.rows, {});
    StatisticsTable table(program.database());
    expectHalfTimesOfTheFile(table);
    EXPECT_EQ(table.leagueStatistics(kLeague).size(), 2u);
}

// A folder whose statistics table was made before half-time scores were kept: its rows read without
// one, and the next import adds the columns, keeps the new lines' half-time scores and fills in those of
// the matches it already holds, leaving their other figures as they were.
TEST(MatchStatistics, AnOldTableKeepsWorkingAndGainsHalfTimeScores) {
    TempProgram program;
    const MatchFileReading scores =
        readMatchFile("Date,HomeTeam,AwayTeam,FTHG,FTAG\n15/08/2009,Kartal,Bolu,2,0\n",
                      MatchFileKind::Results, QDate(2026, 1, 1));
    importResults(program.database(), program.table(), kLeague, scores.rows, {});
    QSqlQuery old(program.database().connection());
    ASSERT_TRUE(old.exec("create table Istatistik (Klas VARCHAR(20) NOT NULL, Tarih DATE NOT NULL,"
                         " Etkm VARCHAR(20) NOT NULL, Mtkm VARCHAR(20) NOT NULL, ESut INTEGER, MSut INTEGER,"
                         " EIsabet INTEGER, MIsabet INTEGER, EKorner INTEGER, MKorner INTEGER, ESari INTEGER,"
                         " MSari INTEGER, EKirmizi INTEGER, MKirmizi INTEGER, OranUst DOUBLE, OranAlt DOUBLE,"
                         " PRIMARY KEY (Klas, Tarih, Etkm, Mtkm))"));
    ASSERT_TRUE(old.exec("insert into Istatistik (Klas,Tarih,Etkm,Mtkm,ESut,MSut)"
                         " values ('Süper Lig','2009-08-15','Kartal','Bolu',14,9)"));
    {
        StatisticsTable table(program.database());
        const auto kept = table.find(kLeague, QDate(2009, 8, 15), "Kartal", "Bolu");
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->homeShots, 14);
        EXPECT_FALSE(kept->halfTimeHomeGoals);
        EXPECT_EQ(table.leagueStatistics(kLeague).size(), 1u);
    }

    const MatchFileReading reading = readMatchFile(kHalfTimeFile, MatchFileKind::Results, QDate(2026, 1, 1));
    const ImportOutcome outcome =
        importResults(program.database(), program.table(), kLeague, reading.rows, {});
    EXPECT_EQ(outcome.present, 1);
    EXPECT_EQ(outcome.added, 3);
    StatisticsTable table(program.database());
    expectHalfTimesOfTheFile(table);
    const auto kept = table.find(kLeague, QDate(2009, 8, 15), "Kartal", "Bolu");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->homeShots, 14);
    EXPECT_EQ(kept->awayShots, 9);
}

} // namespace
} // namespace vezal
