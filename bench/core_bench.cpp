// The core's costs on a table of about a million rows, each against what the engine alone needs for the
// same work, and the query plans behind them.
//
//   core_bench [FOLDER]               FOLDER keeps the generated tables for the next run
//   core_bench --view-only FOLDER N   the core's league view N times over, for a profiler

#include "Measure.h"

#include "common/Names.h"
#include "store/Admin.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Statements.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <time.h>

namespace vezal::bench {
namespace {

// Processor time is what the work itself costs when other programs share the processors.
double processorMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Sample {
    double wall = 0;
    double processor = 0;
};

Sample sampled(const std::function<void()>& work) {
    const double processor = processorMilliseconds();
    const double wall = timed(work);
    return {wall, processorMilliseconds() - processor};
}

void figure(const char* what, const QString& measured, double ratio, double limit, bool met) {
    std::printf("%-58s %s  ratio %.2f (limit %.2f)  %s\n", what, measured.toUtf8().constData(), ratio, limit,
                met ? "ok" : "MISSED");
}

// What the main window does on a league change, apart from drawing: the two standings and the history
// read to the end, and the team lists filled from the standings without case duplicates, then sorted.
qint64 coreLeagueView(MatchTable& table, const QString& league) {
    qint64 cellsRead = 0;
    QStringList teams;
    QSet<QString> seen;
    const QLocale turkish = turkishLocale();
    const auto readStanding = [&](QSqlQuery query) {
        while (query.next()) {
            const QString team = query.value(0).toString();
            if (!seen.contains(turkish.toLower(team))) {
                seen.insert(turkish.toLower(team));
                teams << team;
            }
            for (int i = 1; i < 5; ++i)
                cellsRead += query.value(i).isValid();
        }
    };
    readStanding(table.homeTable(league));
    readStanding(table.awayTable(league));
    QSqlQuery history = table.leagueHistory(league);
    while (history.next())
        for (int i = 0; i < 5; ++i)
            cellsRead += history.value(i).isValid();
    sortNoCase(teams);
    // Three lists hold the same names: the team filter and the two choosers.
    const QStringList filter = teams, homeChooser = teams, awayChooser = teams;
    return cellsRead + filter.size() + homeChooser.size() + awayChooser.size();
}

// The same three statements prepared, bound and stepped to the end on the engine alone.
qint64 bareLeagueView(sqlite3* db, const QString& league) {
    const QByteArray klasman = cutName(league).toUtf8();
    qint64 cellsRead = 0;
    for (const char* statement : {sql::kHomeTable, sql::kAwayTable, sql::kLeagueHistory}) {
        SqliteStatement query = sqlitePrepare(db, statement);
        sqlite3_bind_text(query.get(), sqlite3_bind_parameter_index(query.get(), ":klasman"),
                          klasman.constData(), -1, SQLITE_STATIC);
        if (const int trh = sqlite3_bind_parameter_index(query.get(), ":trh"))
            sqlite3_bind_text(query.get(), trh, "2008-01-02", -1, SQLITE_STATIC);
        const int columns = sqlite3_column_count(query.get());
        int rc;
        while ((rc = sqlite3_step(query.get())) == SQLITE_ROW) {
            for (int i = 0; i < columns; ++i) {
                switch (sqlite3_column_type(query.get(), i)) {
                case SQLITE_INTEGER:
                    cellsRead += sqlite3_column_int64(query.get(), i) >= 0;
                    break;
                case SQLITE_FLOAT:
                    cellsRead +=
                        sqlite3_column_double(query.get(), i) == sqlite3_column_double(query.get(), i);
                    break;
                case SQLITE_TEXT:
                    cellsRead += sqlite3_column_text(query.get(), i) != nullptr;
                    break;
                default:
                    break;
                }
            }
        }
        sqliteCheck(db, rc, statement);
    }
    return cellsRead;
}

struct ViewTimes {
    double core = 0;
    double bare = 0;
    double coreProcessor = 0;
    double bareProcessor = 0;
};

ViewTimes timeLeagueView(const QString& folder, const QString& league, int runs) {
    Database database(folder, QStringLiteral("BenchView"));
    MatchTable table(database);
    SqliteConnection bare = sqliteOpen(database.filePath());
    std::vector<double> core, direct, coreProcessor, directProcessor;
    qint64 coreCells = 0, bareCells = 0;
    for (int run = -3; run < runs; ++run) { // three warm-up rounds
        const Sample c = sampled([&] { coreCells = coreLeagueView(table, league); });
        const Sample b = sampled([&] { bareCells = bareLeagueView(bare.get(), league); });
        if (run >= 0) {
            core.push_back(c.wall);
            direct.push_back(b.wall);
            coreProcessor.push_back(c.processor);
            directProcessor.push_back(b.processor);
        }
    }
    if (coreCells == 0 || bareCells == 0)
        std::printf("warning: the league view of %s read nothing\n", league.toUtf8().constData());
    return {median(core), median(direct), median(coreProcessor), median(directProcessor)};
}

struct EntryTimes {
    double core = 0;
    double bare = 0;
    // Each side's entries one after another: only one connection writes, as in the program, so neither
    // finds its page cache emptied by the other's commit.
    double coreInARow = 0;
    double bareInARow = 0;
    QString durability;
    QString steps; // where the core's time goes
};

QString pragma(QSqlDatabase connection, const QString& name) {
    QSqlQuery query(connection);
    query.exec(QStringLiteral("PRAGMA ") + name);
    return query.next() ? query.value(0).toString() : QString();
}

// Each core entry is a new match of league 0 on a day of its own, so the duplicate search finds nothing
// and every check passes; the bare insert writes the row the core just wrote, on the same file.
EntryTimes timeEntry(const QString& folder, const QString& league, int runs) {
    Database database(folder, QStringLiteral("BenchEntry"));
    MatchTable table(database);
    const QString journal = pragma(database.connection(), QStringLiteral("journal_mode"));
    const QString synchronous = pragma(database.connection(), QStringLiteral("synchronous"));

    SqliteConnection bare = sqliteOpen(database.filePath());
    sqlite3_busy_timeout(bare.get(), 5000);
    sqliteExec(bare.get(), ("PRAGMA synchronous=" + synchronous.toStdString()).c_str());
    SqliteStatement read =
        sqlitePrepare(bare.get(), "select Klas,Tarih,Etkm,Mtkm,Oyun,Ea,Ey,Ma,My,Etp,Mtp,Erakip,"
                                  "Mrakip from Liste where Sr=?1");
    SqliteStatement insert =
        sqlitePrepare(bare.get(), "insert into Liste (Tur,Klas,Tarih,Etkm,Mtkm,Oyun,Ea,Ey,Ma,My,"
                                  "Etp,Mtp,Erakip,Mrakip) values "
                                  "('O',?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13)");

    const QStringList teams = table.seedTeams(league);
    std::vector<double> core, direct;
    const QDate first = QDate::fromString(QString::fromLatin1(kBenchDays), Qt::ISODate);
    // The bare insert writes the row the core wrote last, its values read outside the timing.
    qint64 lastSr = 0;
    const auto bareInsert = [&] {
        sqlite3_bind_int64(read.get(), 1, lastSr);
        sqliteCheck(bare.get(), sqlite3_step(read.get()), "read back");
        const double ms = timed([&] {
            for (int column = 0; column < 13; ++column)
                sqlite3_bind_value(insert.get(), column + 1, sqlite3_column_value(read.get(), column));
            sqliteCheck(bare.get(), sqlite3_step(insert.get()), "bare insert");
            sqlite3_reset(insert.get());
        });
        sqlite3_reset(read.get());
        return ms;
    };
    for (int run = -3; run < runs; ++run) {
        const int i = run + 3;
        ResultInput input;
        input.league = league;
        input.day = first.addDays(i);
        input.filterDate = input.day;
        input.home = teams.at(i % teams.size());
        input.away = teams.at((i + 1) % teams.size());
        input.homeScore = QStringLiteral("2");
        input.awayScore = QStringLiteral("1");
        // A commit right after another one may wait for it to settle: take turns at going first.
        const bool bareFirst = lastSr != 0 && i % 2 == 1;
        double b = bareFirst ? bareInsert() : 0;
        ResultOutcome outcome;
        const double c = timed([&] { outcome = enterResult(table, input); });
        if (outcome.refusal || !outcome.appendedSr)
            throw StoreError(QStringLiteral("entry refused: ") +
                             (outcome.refusal ? outcome.refusal->message : QString()));
        lastSr = *outcome.appendedSr;
        if (!bareFirst)
            b = bareInsert();
        if (run >= 0) {
            core.push_back(c);
            direct.push_back(b);
        }
    }

    std::vector<double> coreRow, bareRow;
    std::vector<qint64> written;
    for (int run = -3; run < runs; ++run) {
        const int i = runs + 3 + run + 3;
        ResultInput input;
        input.league = league;
        input.day = first.addDays(2 * runs + i);
        input.filterDate = input.day;
        input.home = teams.at(i % teams.size());
        input.away = teams.at((i + 1) % teams.size());
        input.homeScore = QStringLiteral("0");
        input.awayScore = QStringLiteral("0");
        ResultOutcome outcome;
        const double c = timed([&] { outcome = enterResult(table, input); });
        if (outcome.refusal || !outcome.appendedSr)
            throw StoreError(QStringLiteral("entry refused: ") +
                             (outcome.refusal ? outcome.refusal->message : QString()));
        written.push_back(*outcome.appendedSr);
        if (run >= 0)
            coreRow.push_back(c);
    }
    for (std::size_t k = 0; k < written.size(); ++k) {
        lastSr = written[k];
        const double b = bareInsert();
        if (k >= 3)
            bareRow.push_back(b);
    }

    // The reads the core makes before its insert, one by one: what it adds to the bare insert.
    std::vector<double> search, registered, sums;
    for (int i = 0; i < runs; ++i) {
        const QDate day = first.addDays(runs + 3 + i);
        const QString home = teams.at(i % teams.size());
        const QString away = teams.at((i + 1) % teams.size());
        search.push_back(timed([&] { table.findShownMatch(league, day, day, home, away); }));
        registered.push_back(
            timed([&] { table.isRegistered(league, home) && table.isRegistered(league, away); }));
        sums.push_back(timed([&] {
            table.homeRatingBefore(home, day);
            table.awayRatingBefore(away, day);
        }));
    }
    return {median(core),
            median(direct),
            median(coreRow),
            median(bareRow),
            QStringLiteral("journal_mode=%1 synchronous=%2").arg(journal, synchronous),
            QStringLiteral("duplicate search %1, two registrations %2, two rating sums %3 ms")
                .arg(median(search), 0, 'f', 3)
                .arg(median(registered), 0, 'f', 3)
                .arg(median(sums), 0, 'f', 3)};
}

// What the program does at start before its window shows: open the table and load the league list into the
// sorted league selector.
double openAndLoadOnce(const QString& folder) {
    const auto start = Clock::now();
    Database database(folder, QStringLiteral("BenchOpen"));
    QStringList names = loadLeagueList(leagueListPath(folder));
    sortNoCase(names);
    const double ms = millisecondsSince(start);
    if (names.size() != 250)
        std::printf("warning: klasman.dat holds %lld names\n", static_cast<long long>(names.size()));
    return ms;
}

// In a fresh process each time, as at a program start: the SQL driver and the collator are loaded anew.
double coldOpenAndLoad(const QString& folder, int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open-once"), folder});
        if (!child.waitForFinished(60000) || child.exitCode() != 0)
            throw StoreError(QStringLiteral("open-once failed: ") +
                             QString::fromUtf8(child.readAllStandardError()));
        times.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    return median(times);
}

void printPlans(const QString& folder) {
    SqliteConnection db = sqliteOpen(folder + QStringLiteral("/Fvt/Liste.DB"));
    const struct {
        const char* name;
        const char* statement;
    } statements[] = {
        {"home table", sql::kHomeTable},
        {"away table", sql::kAwayTable},
        {"league history", sql::kLeagueHistory},
        {"duplicate search", sql::kFindShownMatchOfLeague},
        {"home rating before", sql::kHomeRatingBefore},
        {"away rating before", sql::kAwayRatingBefore},
        {"registered team", sql::kIsRegistered},
        {"seed teams", sql::kSeedTeams},
    };
    for (const auto& s : statements) {
        SqliteStatement plan =
            sqlitePrepare(db.get(), (std::string("EXPLAIN QUERY PLAN ") + s.statement).c_str());
        QStringList steps;
        while (sqlite3_step(plan.get()) == SQLITE_ROW)
            steps << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(plan.get(), 3)));
        std::printf("  plan of %-20s %s\n", s.name, steps.join(QStringLiteral("; ")).toUtf8().constData());
    }
}

int run(const QString& work) {
    const TableShape large = kLargeShape;
    const TableShape small{25, 20, 10};
    const GeneratedTable big = tableIn(work + QStringLiteral("/large"), large);
    const GeneratedTable little = tableIn(work + QStringLiteral("/small"), small);
    const QString league = leagueName(0);
    std::printf("tables: %lld and %lld rows; league \"%s\" has %d teams and %d matches\n",
                static_cast<long long>(big.rows), static_cast<long long>(little.rows),
                league.toUtf8().constData(), large.teamsPerLeague,
                large.teamsPerLeague * (large.teamsPerLeague - 1) * large.seasons);

    const double cold = coldOpenAndLoad(big.folder, 11);
    std::vector<double> warmRuns;
    for (int i = 0; i < 21; ++i)
        warmRuns.push_back(openAndLoadOnce(big.folder));
    const double warm = median(warmRuns);

    const ViewTimes view = timeLeagueView(big.folder, league, 31);
    const ViewTimes smallView = timeLeagueView(little.folder, league, 31);
    const EntryTimes entry = timeEntry(big.folder, league, 51);

    QFile load(QStringLiteral("/proc/loadavg"));
    const QByteArray loadAverage =
        load.open(QIODevice::ReadOnly) ? load.readLine().trimmed() : QByteArray("?");
    std::printf("\nmedians (ms), load average %s:\n", loadAverage.constData());
    figure("entering one result: core vs bare insert+commit",
           QStringLiteral("%1 vs %2 ms").arg(entry.core, 0, 'f', 3).arg(entry.bare, 0, 'f', 3),
           entry.core / entry.bare, 1.3, entry.core <= 1.3 * entry.bare);
    figure("entering one result, each side's entries in a row",
           QStringLiteral("%1 vs %2 ms").arg(entry.coreInARow, 0, 'f', 3).arg(entry.bareInARow, 0, 'f', 3),
           entry.coreInARow / entry.bareInARow, 1.3, entry.coreInARow <= 1.3 * entry.bareInARow);
    std::printf("    (both on the 1M file, %s)\n", entry.durability.toUtf8().constData());
    std::printf("    (core reads before the insert: %s)\n", entry.steps.toUtf8().constData());
    figure("league view: core vs the three statements on sqlite3",
           QStringLiteral("%1 vs %2 ms").arg(view.core, 0, 'f', 3).arg(view.bare, 0, 'f', 3),
           view.core / view.bare, 1.2, view.core <= 1.2 * view.bare);
    figure("league view: core under 15 ms", QStringLiteral("%1 ms").arg(view.core, 0, 'f', 3),
           view.core / 15.0, 1.0, view.core < 15.0);
    figure("league view: 1M-row table vs 100k-row table",
           QStringLiteral("%1 vs %2 ms").arg(view.core, 0, 'f', 3).arg(smallView.core, 0, 'f', 3),
           view.core / smallView.core, 1.5, view.core <= 1.5 * smallView.core);
    std::printf("    (processor time, 1M rows: core %.3f ms, sqlite3 %.3f ms; 100k rows: core %.3f ms, "
                "sqlite3 %.3f ms)\n",
                view.coreProcessor, view.bareProcessor, smallView.coreProcessor, smallView.bareProcessor);
    std::printf("    (wall time, 100k rows: core %.3f ms, sqlite3 %.3f ms)\n", smallView.core,
                smallView.bare);

    figure("open database + load 250-name klasman.dat (fresh process)",
           QStringLiteral("%1 ms").arg(cold, 0, 'f', 3), cold / 50.0, 1.0, cold < 50.0);
    figure("open database + load 250-name klasman.dat (warm)", QStringLiteral("%1 ms").arg(warm, 0, 'f', 3),
           warm / 50.0, 1.0, warm < 50.0);
    std::printf("\nquery plans on the 1M table:\n");
    printPlans(big.folder);
    return 0;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    try {
        if (args.size() == 3 && args.at(1) == QLatin1String("--open-once")) {
            std::printf("%.4f\n", vezal::bench::openAndLoadOnce(args.at(2)));
            return 0;
        }
        // For a profiler: the core's league view of league 0, over and over.
        if (args.size() == 4 && args.at(1) == QLatin1String("--view-only")) {
            vezal::Database database(args.at(2), QStringLiteral("BenchView"));
            vezal::MatchTable table(database);
            qint64 cells = 0;
            for (int i = args.at(3).toInt(); i > 0; --i)
                cells += vezal::bench::coreLeagueView(table, vezal::bench::leagueName(0));
            std::printf("%lld cells\n", static_cast<long long>(cells));
            return 0;
        }
        if (args.size() > 1)
            return vezal::bench::run(args.at(1));
        QTemporaryDir temporary;
        return vezal::bench::run(temporary.path());
    } catch (const vezal::StoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
