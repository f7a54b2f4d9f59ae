// The import on a table of about a million rows: a season file of 7,600 results against a bare bulk
// INSERT of the same rows through the sqlite3 C API, and a dry run of a 50,000-line file.
//
//   import_bench [FOLDER]   FOLDER keeps the generated table for the next run

#include "Measure.h"

#include "exchange/Import.h"
#include "exchange/MatchFile.h"
#include "store/Database.h"
#include "store/MatchTable.h"
#include "store/Statements.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

namespace vezal::bench {
namespace {

struct Played {
    QDate day;
    QString home;
    QString away;
    int homeGoals;
    int awayGoals;
};

// League 0's teams playing on after the generated seasons, round after round, from the bench days on.
std::vector<Played> moreSeasons(int results) {
    std::mt19937 random(20300101u);
    std::poisson_distribution<int> goals(1.4);
    const int teams = kLargeShape.teamsPerLeague;
    std::vector<Played> played;
    const QDate first = QDate::fromString(QString::fromLatin1(kBenchDays), Qt::ISODate);
    for (int round = 0; int(played.size()) < results; ++round)
        for (auto [home, away] : detail::roundPairs(teams, round % (teams - 1))) {
            if ((round / (teams - 1)) % 2)
                std::swap(home, away);
            if (int(played.size()) < results)
                played.push_back({first.addDays(3 * round), cutName(teamName(0, home)),
                                  cutName(teamName(0, away)), std::min(goals(random), 9),
                                  std::min(goals(random), 9)});
        }
    return played;
}

// As a bookmaker's site writes a season: many columns, most of them unused here.
QByteArray csvOf(const std::vector<Played>& played) {
    QByteArray bytes = "Div,Date,Time,HomeTeam,AwayTeam,FTHG,FTAG,FTR,HTHG,HTAG,HTR,Referee,HS,AS,HST,AST,"
                       "B365H,B365D,B365A,AvgH,AvgD,AvgA\r\n";
    for (const Played& p : played)
        bytes +=
            QStringLiteral("T1,%1,19:00,%2,%3,%4,%5,D,0,0,D,Hakem,10,8,4,3,2.10,3.30,3.60,2.05,3.25,3.50\r\n")
                .arg(p.day.toString(QStringLiteral("dd/MM/yyyy")), p.home, p.away)
                .arg(p.homeGoals)
                .arg(p.awayGoals)
                .toUtf8();
    return bytes;
}

// The floor: the same rows appended with prepared statements in one transaction, nothing checked or rated.
double bareInsert(const QString& folder, const std::vector<Played>& played) {
    SqliteConnection db = sqliteOpen(folder + QStringLiteral("/Fvt/Liste.DB"));
    return timed([&] {
        sqliteExec(db.get(), "BEGIN IMMEDIATE");
        SqliteStatement insert = sqlitePrepare(db.get(), sql::kAppendMatchRow);
        const std::string league = cutName(leagueName(0)).toStdString();
        for (const Played& p : played) {
            const std::string day = p.day.toString(Qt::ISODate).toStdString();
            const std::string home = p.home.toStdString();
            const std::string away = p.away.toStdString();
            sqlite3_bind_text(insert.get(), 1, league.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert.get(), 2, day.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert.get(), 3, home.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert.get(), 4, away.c_str(), -1, SQLITE_TRANSIENT);
            for (int i = 5; i <= 8; ++i)
                sqlite3_bind_int(insert.get(), i, i % 2 ? p.homeGoals : p.awayGoals);
            for (int i = 9; i <= 12; ++i)
                sqlite3_bind_double(insert.get(), i, 0.125 * i);
            sqliteCheck(db.get(), sqlite3_step(insert.get()), "insert");
            sqlite3_reset(insert.get());
        }
        insert.reset();
        sqliteExec(db.get(), "COMMIT");
    });
}

void figure(const char* what, double measured, const char* against, double limit) {
    std::printf("%-52s %9.1f ms  %s %.1f  %s\n", what, measured, against, limit,
                measured <= limit ? "ok" : "MISSED");
}

int run(const QString& folder) {
    const GeneratedTable table = tableIn(folder, kLargeShape);
    const std::vector<Played> season = moreSeasons(7600);
    const QByteArray seasonFile = csvOf(season);
    const QString league = leagueName(0);

    std::vector<double> bare, imported, read;
    for (int attempt = 0; attempt < 3; ++attempt) {
        removeBenchRows(folder);
        bare.push_back(bareInsert(folder, season));
        removeBenchRows(folder);
        Database database(folder, QStringLiteral("ImportBench"));
        MatchTable matches(database);
        ImportOutcome outcome;
        read.push_back(timed([&] {
            const MatchFileReading reading = readMatchFile(seasonFile, MatchFileKind::Results, QDate::currentDate());
            imported.push_back(
                timed([&] { outcome = importResults(database, matches, league, reading.rows, {}); }));
        }));
        if (outcome.added != qsizetype(season.size()))
            throw StoreError(QStringLiteral("import added %1 of %2").arg(outcome.added).arg(season.size()));
    }
    removeBenchRows(folder);

    const double bareMs = median(bare);
    std::printf("table: %lld rows; season file: %zu results, %lld bytes\n",
                static_cast<long long>(table.rows), season.size(), static_cast<long long>(seasonFile.size()));
    std::printf("%-52s %9.1f ms\n", "bare bulk INSERT, one transaction (C API)", bareMs);
    figure("import of the season (rows already read)", median(imported), "limit 3x bare =", 3 * bareMs);
    figure("import of the season, file read included", median(read), "limit", 1000);

    // A long file, many seasons of one league, counted without writing.
    const std::vector<Played> many = moreSeasons(50000);
    const QByteArray longFile = csvOf(many);
    std::vector<double> dry;
    for (int attempt = 0; attempt < 3; ++attempt) {
        Database database(folder, QStringLiteral("ImportBench"));
        MatchTable matches(database);
        ImportOptions options;
        options.dryRun = true;
        dry.push_back(timed([&] {
            const MatchFileReading reading = readMatchFile(longFile, MatchFileKind::Results, QDate::currentDate());
            const ImportOutcome outcome = importResults(database, matches, league, reading.rows, options);
            if (outcome.added != qsizetype(many.size()))
                throw StoreError(
                    QStringLiteral("dry run counted %1 of %2").arg(outcome.added).arg(many.size()));
        }));
    }
    std::printf("long file: %zu lines, %lld bytes\n", many.size(), static_cast<long long>(longFile.size()));
    figure("dry run of the long file, file read included", median(dry), "limit", 500);
    return 0;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    return vezal::bench::runInFolder(args, [](const QString& folder) { return vezal::bench::run(folder); });
}
