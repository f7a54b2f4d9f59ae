// Importing a results file against the independent road: registering the same teams and entering the
// same rows one by one through enterResult, day after day.
#include "exchange/Import.h"

#include "common/Names.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/OddsTable.h"
#include "store/StoreError.h"
#include "store/support/TempProgram.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringEncoder>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace vezal {
namespace {

using testing::fileBytes;
using testing::StoredRow;
using testing::TempProgram;

struct Result {
    QString league;
    QDate day;
    QString home;
    QString away;
    int homeGoals;
    int awayGoals;
};

// A results file as a bookmaker's site writes it, rows in the order given.
QByteArray resultsFile(const std::vector<Result>& results) {
    QByteArray bytes = "Div,Date,Time,HomeTeam,AwayTeam,FTHG,FTAG,FTR,B365H,B365D,B365A\r\n";
    for (const Result& r : results)
        bytes += QStringLiteral("T1,%1,19:00,\"%2\",%3,%4,%5,X,2.10,3.25,3.60\r\n")
                     .arg(r.day.toString(QStringLiteral("dd/MM/yyyy")), r.home, r.away)
                     .arg(r.homeGoals)
                     .arg(r.awayGoals)
                     .toUtf8();
    return bytes;
}

std::vector<MatchLine> linesOf(const QByteArray& bytes) {
    const MatchFileReading reading = readMatchFile(bytes, MatchFileKind::Results, QDate(2025, 3, 1));
    EXPECT_FALSE(reading.refusal);
    EXPECT_TRUE(reading.rejected.empty()) << reading.rejected.lines().front().reason.toStdString();
    return reading.rows;
}

// Made-up seasons: every team meets others on a few days, some twice on one day, in file order that is
// not day order.
std::vector<Result> madeUpSeason(const QString& league, const QStringList& teams, const QDate& first,
                                 int days, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> goals(0, 5);
    std::vector<Result> results;
    for (int d = 0; d < days; ++d) {
        const QDate day = first.addDays(7 * d);
        QStringList order = teams;
        std::shuffle(order.begin(), order.end(), random);
        for (qsizetype i = 0; i + 1 < order.size(); i += 2)
            results.push_back({league, day, order[i], order[i + 1], goals(random), goals(random)});
        // The same home team once more that day: its rating is the same for both rows, and the two rows
        // are summed on later days in the engine's own order.
        results.push_back({league, day, order[0], order[3], goals(random), goals(random)});
    }
    std::shuffle(results.begin(), results.end(), random);
    return results;
}

// The independent road: the teams registered in the order the file names them, then each row entered in
// day order (a day's rows in file order) through the results window's entry.
void enterOneByOne(TempProgram& program, const std::vector<Result>& results, const QString& points = "3,5") {
    QStringList registered = program.table().seedTeams(results.front().league);
    for (const Result& r : results)
        for (const QString& team : {r.home, r.away})
            if (!registered.contains(team)) {
                program.seed(r.league, team, points);
                registered << team;
            }
    std::vector<Result> inDayOrder = results;
    std::stable_sort(inDayOrder.begin(), inDayOrder.end(),
                     [](const Result& a, const Result& b) { return a.day < b.day; });
    for (const Result& r : inDayOrder) {
        const ResultOutcome outcome = program.enter(
            r.league, r.day, r.home, r.away, QString::number(r.homeGoals), QString::number(r.awayGoals));
        ASSERT_FALSE(outcome.refusal) << outcome.refusal->message.toStdString();
    }
}

std::uint64_t bits(const QVariant& value) {
    return value.isNull() ? 0xFFFFFFFFFFFFFFFFu : std::bit_cast<std::uint64_t>(value.toDouble());
}

void expectSameRows(const std::vector<StoredRow>& expected, const std::vector<StoredRow>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StoredRow& e = expected[i];
        const StoredRow& a = actual[i];
        const std::string where = "row " + std::to_string(i) + " " + e.tarih.toStdString() + " " +
                                  e.etkm.toStdString() + "-" + e.mtkm.toStdString();
        EXPECT_EQ(std::tie(e.sr, e.tur, e.klas, e.tarih, e.etkm, e.mtkm),
                  std::tie(a.sr, a.tur, a.klas, a.tarih, a.etkm, a.mtkm))
            << where;
        EXPECT_EQ(QVariantList({e.oyun, e.ea, e.ey, e.ma, e.my}),
                  QVariantList({a.oyun, a.ea, a.ey, a.ma, a.my}))
            << where;
        EXPECT_EQ(bits(e.etp), bits(a.etp)) << where << " Etp";
        EXPECT_EQ(bits(e.mtp), bits(a.mtp)) << where << " Mtp";
        EXPECT_EQ(bits(e.erakip), bits(a.erakip)) << where << " Erakip";
        EXPECT_EQ(bits(e.mrakip), bits(a.mrakip)) << where << " Mrakip";
    }
}

ImportOutcome import(TempProgram& program, const QString& league, const QByteArray& bytes,
                     const ImportOptions& options = {}) {
    return importResults(program.database(), program.table(), league, linesOf(bytes), options);
}

const QString kLeague = QStringLiteral("Süper Lig");
const QStringList kTeams = {"Kartal", "Çaykur Rizespor", "Göztepe", "İstanbul Gençlik",
                            "Iğdır",  "Şile Yıldız",     "Bolu",    "Sivas Dört Eylül"};

// The two roads in turn: one program folder is open at a time.
class ImportTest : public ::testing::Test {
protected:
    std::vector<StoredRow> enteredRows(const std::function<void(TempProgram&)>& steps) {
        imported.close();
        std::vector<StoredRow> rows;
        {
            TempProgram entered;
            steps(entered);
            rows = entered.rows();
        }
        imported.open();
        return rows;
    }

    TempProgram imported;
};

TEST_F(ImportTest, AFileAtOnceIsEnteringItsRowsOneByOne) {
    const std::vector<Result> season = madeUpSeason(kLeague, kTeams, QDate(2009, 8, 15), 8, 1);
    const auto entered = enteredRows([&](TempProgram& p) { enterOneByOne(p, season); });
    const ImportOutcome outcome = import(imported, kLeague, resultsFile(season));
    EXPECT_EQ(outcome.added, qsizetype(season.size()));
    EXPECT_EQ(outcome.present, 0);
    EXPECT_EQ(outcome.registered.size(), kTeams.size());
    EXPECT_TRUE(outcome.leagueAdded);
    expectSameRows(entered, imported.rows());
    EXPECT_EQ(loadLeagueList(leagueListPath(imported.folder())), QStringList({kLeague}));
}

// A team's rating runs over every league it is registered in: the other league's rows count too.
TEST_F(ImportTest, RatingsTakeInEveryLeagueOfATeam) {
    const QString other = QStringLiteral("Birinci Lig");
    const std::vector<Result> otherSeason =
        madeUpSeason(other, {"Kartal", "Bolu", "Yalova", "Düzce"}, QDate(2009, 8, 16), 6, 2);
    const std::vector<Result> season = madeUpSeason(kLeague, kTeams, QDate(2009, 8, 15), 6, 3);
    const auto entered = enteredRows([&](TempProgram& p) {
        enterOneByOne(p, otherSeason, "5");
        enterOneByOne(p, season);
    });
    enterOneByOne(imported, otherSeason, "5");
    import(imported, kLeague, resultsFile(season));
    expectSameRows(entered, imported.rows());
}

TEST_F(ImportTest, ImportingTwiceAddsNothingAndAnUpdatedFileOnlyItsNewRows) {
    const std::vector<Result> season = madeUpSeason(kLeague, kTeams, QDate(2009, 8, 15), 10, 4);
    std::vector<Result> firstHalf = season;
    firstHalf.erase(std::remove_if(firstHalf.begin(), firstHalf.end(),
                                   [](const Result& r) { return r.day >= QDate(2009, 9, 26); }),
                    firstHalf.end());
    std::vector<Result> secondHalf;
    std::copy_if(season.begin(), season.end(), std::back_inserter(secondHalf),
                 [](const Result& r) { return r.day >= QDate(2009, 9, 26); });
    const auto entered = enteredRows([&](TempProgram& p) {
        enterOneByOne(p, firstHalf);
        enterOneByOne(p, secondHalf);
    });

    ASSERT_EQ(import(imported, kLeague, resultsFile(firstHalf)).added, qsizetype(firstHalf.size()));
    const std::vector<StoredRow> afterFirst = imported.rows();
    const ImportOutcome again = import(imported, kLeague, resultsFile(firstHalf));
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.present, qsizetype(firstHalf.size()));
    EXPECT_TRUE(again.registered.isEmpty());
    EXPECT_FALSE(again.leagueAdded);
    expectSameRows(afterFirst, imported.rows());

    const ImportOutcome updated = import(imported, kLeague, resultsFile(season));
    EXPECT_EQ(updated.added, qsizetype(season.size() - firstHalf.size()));
    EXPECT_EQ(updated.present, qsizetype(firstHalf.size()));
    expectSameRows(entered, imported.rows());
}

// Rows dated before stored ones are rated on the days before their own; the stored rows keep their values.
TEST_F(ImportTest, RowsBeforeStoredRowsAreRatedOnTheirOwnPast) {
    const std::vector<Result> season = madeUpSeason(kLeague, kTeams, QDate(2009, 8, 15), 10, 5);
    std::vector<Result> late, early;
    for (const Result& r : season)
        (r.day >= QDate(2009, 9, 12) ? late : early).push_back(r);
    // Late rows first, then the early ones, on both roads; the early file also repeats a late row.
    const auto entered = enteredRows([&](TempProgram& p) {
        enterOneByOne(p, late);
        enterOneByOne(p, early);
    });
    import(imported, kLeague, resultsFile(late));
    std::vector<Result> earlyFile = early;
    earlyFile.push_back(late.front());
    const ImportOutcome outcome = import(imported, kLeague, resultsFile(earlyFile));
    EXPECT_EQ(outcome.added, qsizetype(early.size()));
    EXPECT_EQ(outcome.present, 1);
    expectSameRows(entered, imported.rows());
}

TEST_F(ImportTest, RegisteredTeamsAreFoundInAnyLetterCaseAndNewOnesGetTheirStartingPoints) {
    const std::vector<Result> rows = {{kLeague, QDate(2009, 8, 15), "Kartal", "Bolu", 2, 0},
                                      {kLeague, QDate(2009, 8, 15), "Sivas", "Yalova", 1, 1},
                                      {kLeague, QDate(2009, 8, 22), "Bolu", "Sivas", 0, 3}};
    const auto entered = enteredRows([&](TempProgram& p) {
        p.seed(kLeague, "Kartal", "7");
        p.seed(kLeague, "Bolu", "5");
        p.seed(kLeague, "Sivas", "4,25");
        p.seed(kLeague, "Yalova", "3,5");
        enterOneByOne(p, rows);
    });
    imported.seed(kLeague, "Kartal", "7");
    saveLeagueList(leagueListPath(imported.folder()), {"Birinci Lig", kLeague});

    std::vector<Result> spelt = rows;
    spelt[0].home = "KARTAL";
    ImportOptions options;
    options.teamStartingPoints = {{"bolu", 5}, {"SİVAS", 4.25}};
    const ImportOutcome outcome = import(imported, kLeague, resultsFile(spelt), options);
    EXPECT_EQ(outcome.registered, QStringList({"Bolu", "Sivas", "Yalova"}));
    EXPECT_FALSE(outcome.leagueAdded);
    expectSameRows(entered, imported.rows());
}

TEST_F(ImportTest, RefusalsBeforeAnythingIsWritten) {
    const QByteArray file = resultsFile({{kLeague, QDate(2009, 8, 15), "Kartal", "Bolu", 2, 0}});
    saveLeagueList(leagueListPath(imported.folder()), {"Süper lig"});
    const QByteArray listBefore = fileBytes(leagueListPath(imported.folder()));
    const struct {
        QString league;
        double points;
        QString refusal;
    } cases[] = {
        {"SÜPER LİG", 3.5, "  Bu Lig zaten kayıt edilmiş ..."},
        {"   ", 3.5, "  Lig adını boş bırakmayınız ..."},
        {"Lig \u0141", 3.5, "  Lig adında Türkçe kod sayfasında olmayan bir karakter var ..."},
        {"Yeni Lig", 0, "Ekleyeceğiniz Takım için Başlangıç Puanı Girmelisiniz  ... "},
        {"Yeni Lig", 7.5, "Takım Puanı olarak en fazla 7 puan girebilirsiniz  ... "},
    };
    for (const auto& c : cases) {
        ImportOptions options;
        options.startingPoints = c.points;
        const ImportOutcome outcome = import(imported, c.league, file, options);
        ASSERT_TRUE(outcome.refusal) << c.league.toStdString();
        EXPECT_EQ(*outcome.refusal, c.refusal);
    }
    EXPECT_TRUE(imported.rows().empty());
    EXPECT_EQ(fileBytes(leagueListPath(imported.folder())), listBefore);
}

TEST_F(ImportTest, ADryRunCountsAsTheImportWouldAndWritesNothing) {
    const std::vector<Result> season = madeUpSeason(kLeague, kTeams, QDate(2009, 8, 15), 6, 6);
    std::vector<Result> part(season.begin(), season.begin() + 10);
    import(imported, kLeague, resultsFile(part));
    const std::vector<StoredRow> before = imported.rows();
    const QByteArray listBefore = fileBytes(leagueListPath(imported.folder()));

    ImportOptions dry;
    dry.dryRun = true;
    const ImportOutcome counted = import(imported, kLeague, resultsFile(season), dry);
    expectSameRows(before, imported.rows());
    EXPECT_EQ(fileBytes(leagueListPath(imported.folder())), listBefore);

    const ImportOutcome done = import(imported, kLeague, resultsFile(season));
    EXPECT_EQ(counted.added, done.added);
    EXPECT_EQ(counted.present, done.present);
    EXPECT_EQ(counted.present, 10);

    // In a new league every team would be registered and the league listed. (Another season: the same
    // matches in a second league are refused.)
    const std::vector<StoredRow> full = imported.rows();
    const QByteArray listed = fileBytes(leagueListPath(imported.folder()));
    const std::vector<Result> later = madeUpSeason(kLeague, kTeams, QDate(2010, 8, 15), 6, 6);
    const ImportOutcome fresh = import(imported, "Yeni Lig", resultsFile(later), dry);
    EXPECT_EQ(fresh.registered.size(), kTeams.size());
    EXPECT_TRUE(fresh.leagueAdded);
    EXPECT_EQ(fresh.added, qsizetype(later.size()));
    expectSameRows(full, imported.rows());
    EXPECT_EQ(fileBytes(leagueListPath(imported.folder())), listed);
}

// What a failed import leaves: the table and klasman.dat as they were, byte for byte.
class AllOrNothing : public ::testing::Test {
protected:
    void SetUp() override {
        saveLeagueList(leagueListPath(program.folder()), {"Birinci Lig"});
        program.seed("Birinci Lig", "Kartal", "5");
        listBefore = fileBytes(leagueListPath(program.folder()));
        rowsBefore = program.rows();
        season = madeUpSeason(kLeague, kTeams, QDate(2009, 8, 15), 8, 7);
    }

    void run(const char* statement) {
        QSqlQuery query(program.database().connection());
        ASSERT_TRUE(query.exec(QString::fromLatin1(statement))) << query.lastError().text().toStdString();
    }

    void expectUnchanged() {
        expectSameRows(rowsBefore, program.rows());
        EXPECT_EQ(fileBytes(leagueListPath(program.folder())), listBefore);
        EXPECT_FALSE(OddsTable(program.database()).exists());
    }

    TempProgram program;
    QByteArray listBefore;
    std::vector<StoredRow> rowsBefore;
    std::vector<Result> season;
};

TEST_F(AllOrNothing, AnEngineFailureMidwayUndoesEveryRow) {
    // The engine refuses the 20th match row.
    run("CREATE TRIGGER Refuse BEFORE INSERT ON Liste WHEN (select count(*) from Liste where Tur='O')=19 "
        "BEGIN SELECT RAISE(ABORT, 'disk dolu'); END");
    try {
        import(program, kLeague, resultsFile(season));
        FAIL() << "the import went through";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.message().startsWith("Kayıt \"")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("disk dolu"));
        EXPECT_TRUE(e.message().endsWith(
            "İçe aktarma geri alındı: maç tablosu ve lig listesi (klasman.dat) önceki halinde."));
    }
    expectUnchanged();
}

// klasman.dat is saved before the commit; a commit the engine refuses puts the old list back.
TEST_F(AllOrNothing, ARefusedCommitPutsTheLeagueListBack) {
    run("PRAGMA foreign_keys=ON");
    run("CREATE TABLE Parent (id INTEGER PRIMARY KEY)");
    run("CREATE TABLE Child (parent INTEGER REFERENCES Parent(id) DEFERRABLE INITIALLY DEFERRED)");
    run("CREATE TRIGGER Orphan AFTER INSERT ON Liste WHEN NEW.Tur='O' BEGIN INSERT INTO Child VALUES (1); "
        "END");
    EXPECT_THROW(import(program, kLeague, resultsFile(season)), StoreError);
    expectUnchanged();
}

TEST_F(AllOrNothing, ACancelUndoesEveryRow) {
    ImportOptions options;
    qsizetype seen = 0;
    options.progress = [&](qsizetype done, qsizetype total) {
        EXPECT_EQ(total, qsizetype(season.size()));
        seen = done;
        return done < 15;
    };
    const ImportOutcome outcome = import(program, kLeague, resultsFile(season), options);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.added, 0);
    EXPECT_EQ(seen, 15);
    expectUnchanged();
}

TEST(ImportOdds, KeptBesideTheRowAndGoneWithIt) {
    TempProgram program;
    const QByteArray file = "Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgH,AvgD,AvgA\n"
                            "15/08/2009,Kartal,Bolu,2,0,1.85,3.4,4.5\n"
                            "15/08/2009,Sivas,Yalova,1,1,,,\n"
                            "22/08/2009,Bolu,Sivas,0,3,2.2,3.1,3.3\n"
                            "22/08/2009,Yalova,Kartal,1,2,2.9,3.2,2.5\n";
    importResults(program.database(), program.table(), kLeague, linesOf(file), {});
    // The same pairings a day later in another league: one match is never stored in two leagues.
    QByteArray nextDay = file;
    nextDay.replace("15/08/2009", "16/08/2009").replace("22/08/2009", "23/08/2009");
    import(program, "Birinci Lig", nextDay);
    OddsTable odds(program.database());
    const auto find = [&](const QString& league, int day, const QString& home, const QString& away) {
        return odds.find(league, QDate(2009, 8, day), home, away);
    };
    const auto first = find(kLeague, 15, "Kartal", "Bolu");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->home, 1.85);
    EXPECT_EQ(first->draw, 3.4);
    EXPECT_EQ(first->away, 4.5);
    EXPECT_FALSE(find(kLeague, 15, "Sivas", "Yalova"));

    // Liste keeps its fifteen columns.
    QSqlQuery columns(program.database().connection());
    ASSERT_TRUE(columns.exec("select count(*) from pragma_table_info('Liste')"));
    ASSERT_TRUE(columns.next());
    EXPECT_EQ(columns.value(0).toInt(), 15);

    QSqlQuery sr(program.database().connection());
    ASSERT_TRUE(
        sr.exec("select Sr from Liste where Klas='Süper Lig' and Etkm='Bolu' and Tarih='2009-08-22'"));
    ASSERT_TRUE(sr.next());
    program.table().deleteRow(sr.value(0).toLongLong());
    EXPECT_FALSE(find(kLeague, 22, "Bolu", "Sivas"));
    EXPECT_TRUE(find("Birinci Lig", 23, "Bolu", "Sivas"));

    program.table().deleteTeam(kLeague, "Kartal");
    EXPECT_FALSE(find(kLeague, 15, "Kartal", "Bolu"));
    EXPECT_FALSE(find(kLeague, 22, "Yalova", "Kartal"));
    EXPECT_TRUE(find("Birinci Lig", 16, "Kartal", "Bolu"));

    program.table().deleteLeague("Birinci Lig");
    const std::tuple<int, const char*, const char*> played[] = {
        {16, "Kartal", "Bolu"}, {23, "Bolu", "Sivas"}, {23, "Yalova", "Kartal"}};
    for (const auto& [day, home, away] : played)
        EXPECT_FALSE(find("Birinci Lig", day, home, away)) << home;
}

// The matches of the league's rows, as "day home-away score".
QStringList matchesOf(TempProgram& program, const QString& league) {
    QStringList matches;
    for (const StoredRow& row : program.rows())
        if (row.klas == league && !row.ea.isNull())
            matches << QStringLiteral("%1 %2-%3 %4-%5")
                           .arg(row.tarih, row.etkm, row.mtkm, row.ea.toString(), row.ey.toString());
    return matches;
}

// A line that contradicts the table or an earlier line changes nothing and says both scores.
TEST(ImportConflicts, ANewScoreForAStoredMatchOrASecondLineIsNoteAndNotWritten) {
    TempProgram program;
    import(program, kLeague,
           "Date,HomeTeam,AwayTeam,FTHG,FTAG\n15/08/2009,Kartal,Bolu,2,1\n15/08/2009,Sivas,Yalova,0,0\n");
    const ImportOutcome outcome = import(program, kLeague,
                                         "Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                                         "15/08/2009,Kartal,Bolu,1,1\n"    // 2: stored as 2-1
                                         "15/08/2009,Sivas,Yalova,0,0\n"   // 3: present
                                         "22/08/2009,Bolu,Sivas,3,0\n"     // 4: added
                                         "22/08/2009,Bolu,Sivas,3,0\n"     // 5: line 4 again
                                         "22/08/2009,Bolu,Sivas,1,2\n"     // 6: line 4 with another score
                                         "15/08/2009,Sivas,Yalova,0,0\n"); // 7: line 3 again
    EXPECT_EQ(outcome.added, 1);
    EXPECT_EQ(outcome.present, 1);
    EXPECT_TRUE(outcome.rejected.empty());
    std::vector<std::pair<int, QString>> conflicts;
    for (const RejectedLine& line : outcome.conflicts.lines())
        conflicts.emplace_back(line.line, line.reason);
    const std::vector<std::pair<int, QString>> expected = {
        {2, QStringLiteral("Kayıtlı skor 2-1, dosyada 1-1")},
        {5, QStringLiteral("Maç dosyada ikinci kez: ilk satırı 4, skoru 3-0; bu satırda 3-0")},
        {6, QStringLiteral("Maç dosyada ikinci kez: ilk satırı 4, skoru 3-0; bu satırda 1-2")},
        {7, QStringLiteral("Maç dosyada ikinci kez: ilk satırı 3, skoru 0-0; bu satırda 0-0")},
    };
    EXPECT_EQ(conflicts, expected);
    EXPECT_EQ(matchesOf(program, kLeague),
              QStringList({"2009-08-15 Kartal-Bolu 2-1", "2009-08-15 Sivas-Yalova 0-0",
                           "2009-08-22 Bolu-Sivas 3-0"}));
}

// Ratings add up a team's rows over every league: one match stored in two would count twice.
TEST(ImportConflicts, AMatchStoredInAnotherLeagueIsRefused) {
    TempProgram program;
    const QString other = QStringLiteral("Birinci Lig");
    import(program, other, "Date,HomeTeam,AwayTeam,FTHG,FTAG\n15/08/2009,Kartal,Bolu,2,1\n");
    ImportOptions dry;
    dry.dryRun = true;
    for (const ImportOptions& options : {dry, ImportOptions{}}) {
        SCOPED_TRACE(options.dryRun ? "dry run" : "import");
        const ImportOutcome outcome =
            import(program, kLeague,
                   "Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                   "15/08/2009,Kartal,Bolu,2,1\n"  // stored in the other league
                   "15/08/2009,Bolu,Kartal,0,0\n"  // the other way round: another match
                   "16/08/2009,Kartal,Bolu,1,0\n", // another day: another match
                   options);
        EXPECT_EQ(outcome.added, 2);
        ASSERT_EQ(outcome.rejected.count(), 1);
        EXPECT_EQ(outcome.rejected.lines()[0].line, 2);
        EXPECT_EQ(outcome.rejected.lines()[0].reason, QStringLiteral("Başka ligde kayıtlı: Birinci Lig"));
    }
    EXPECT_EQ(matchesOf(program, kLeague),
              QStringList({"2009-08-15 Bolu-Kartal 0-0", "2009-08-16 Kartal-Bolu 1-0"}));
    EXPECT_EQ(matchesOf(program, other), QStringList({"2009-08-15 Kartal-Bolu 2-1"}));
}

} // namespace
} // namespace vezal
