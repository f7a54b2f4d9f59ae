#pragma once

// Builds a program folder with a large, realistic Liste and a klasman.dat for the benchmarks: leagues of
// teams playing double round robin seasons, results entered week by week across all leagues, every row
// rated as the program would rate it. League i holds the same rows whatever the number of leagues, so the
// same league can be timed on a small and on a large table.

#include "common/Names.h"
#include "rating/MatchRating.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/StoreError.h"

#include <QDate>
#include <QDir>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace vezal::bench {

struct TableShape {
    int leagues = 250;
    int teamsPerLeague = 20; // even: every team plays every round
    int seasons = 10;
};

struct GeneratedTable {
    QString folder;
    qint64 rows = 0;
    QStringList leagues;
    double seconds = 0;
};

inline QString leagueName(int league) {
    return QStringLiteral("Süper Lig %1").arg(league, 3, 10, QLatin1Char('0'));
}

inline QString teamName(int league, int team) {
    return QStringLiteral("Gençlik %1 Spor %2")
        .arg(league, 3, 10, QLatin1Char('0'))
        .arg(team, 2, 10, QLatin1Char('0'));
}

// The sqlite3 C API held by RAII, for building tables and for the bare baselines the store is held to.
struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteConnection = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

inline void sqliteCheck(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw StoreError(
            QStringLiteral("%1: %2").arg(QString::fromUtf8(what), QString::fromUtf8(sqlite3_errmsg(db))));
}

inline SqliteConnection sqliteOpen(const QString& path) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    SqliteConnection db(raw);
    sqliteCheck(db.get(), rc, "open");
    return db;
}

inline void sqliteExec(sqlite3* db, const char* sql) {
    sqliteCheck(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr), sql);
}

inline SqliteStatement sqlitePrepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    sqliteCheck(db, sqlite3_prepare_v2(db, sql, -1, &raw, nullptr), sql);
    return SqliteStatement(raw);
}

namespace detail {

struct Match {
    int day = 0; // days after the first season's start
    int league = 0;
    int home = 0; // team index within the league
    int away = 0;
    int homeGoals = 0;
    int awayGoals = 0;
    RatingTransfer transfer;
};

// Round r of a circle-method round robin: pairs (i, n-1-i) with team n-1 fixed; home and away alternate.
inline std::vector<std::pair<int, int>> roundPairs(int teams, int round) {
    std::vector<int> ring(teams - 1);
    for (int i = 0; i < teams - 1; ++i)
        ring[i] = (i + round) % (teams - 1);
    std::vector<int> order = ring;
    order.push_back(teams - 1);
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < teams / 2; ++i) {
        const int a = order[i];
        const int b = order[teams - 1 - i];
        pairs.emplace_back((round + i) % 2 == 0 ? std::pair{a, b} : std::pair{b, a});
    }
    return pairs;
}

// One league's seasons, rated in day order from its seed points.
inline std::vector<Match> playLeague(int league, const TableShape& shape, std::vector<double>& seedPoints) {
    std::mt19937 random(static_cast<unsigned>(league) * 7919u + 1u);
    std::uniform_int_distribution<int> points(1, 7);
    std::poisson_distribution<int> goals(1.4);
    const int teams = shape.teamsPerLeague;
    seedPoints.assign(teams, 0);
    std::vector<double> homeRating(teams), awayRating(teams);
    for (int t = 0; t < teams; ++t) {
        seedPoints[t] = points(random);
        const SeedSplit split = splitStartingPoints(seedPoints[t]);
        homeRating[t] = split.etp;
        awayRating[t] = split.mtp;
    }
    std::vector<Match> matches;
    const int rounds = teams - 1;
    for (int season = 0; season < shape.seasons; ++season) {
        for (int round = 0; round < 2 * rounds; ++round) {
            const int day = season * 364 + round * 7;
            for (auto [home, away] : roundPairs(teams, round % rounds)) {
                if (round >= rounds)
                    std::swap(home, away);
                Match m;
                m.day = day;
                m.league = league;
                m.home = home;
                m.away = away;
                m.homeGoals = std::min(goals(random), 9);
                m.awayGoals = std::min(goals(random), 9);
                // Every team plays once a round, so no same-day row of its own is summed.
                m.transfer = rateMatch(m.homeGoals, m.awayGoals, homeRating[home], awayRating[away]);
                homeRating[home] += m.transfer.etp;
                awayRating[away] += m.transfer.mtp;
                matches.push_back(m);
            }
        }
    }
    return matches;
}

} // namespace detail

// Creates folder/Fvt/Liste.DB through the store (its schema and indexes), fills it in one transaction
// and writes klasman.dat with every league's name, sorted.
inline GeneratedTable generateTable(const QString& folder, const TableShape& shape) {
    const auto started = std::chrono::steady_clock::now();
    QDir().mkpath(folder);
    QString databasePath;
    {
        Database created(folder, QStringLiteral("TableGenerator"));
        databasePath = created.filePath();
    }

    GeneratedTable table;
    table.folder = folder;
    std::vector<std::string> leagues;
    std::vector<std::vector<std::string>> teams(shape.leagues);
    for (int l = 0; l < shape.leagues; ++l) {
        table.leagues << leagueName(l);
        leagues.push_back(cutName(leagueName(l)).toStdString());
        for (int t = 0; t < shape.teamsPerLeague; ++t)
            teams[l].push_back(cutName(teamName(l, t)).toStdString());
    }

    std::vector<std::vector<double>> seedPoints(shape.leagues);
    std::vector<detail::Match> matches;
    for (int l = 0; l < shape.leagues; ++l) {
        std::vector<detail::Match> played = detail::playLeague(l, shape, seedPoints[l]);
        matches.insert(matches.end(), played.begin(), played.end());
    }
    // Results come in week by week, every league's round of the week together.
    std::stable_sort(matches.begin(), matches.end(),
                     [](const detail::Match& a, const detail::Match& b) { return a.day < b.day; });

    const QDate firstDay(2008, 8, 9);
    std::vector<std::string> days;
    const int lastDay = matches.empty() ? 0 : matches.back().day;
    for (int d = 0; d <= lastDay; ++d)
        days.push_back(firstDay.addDays(d).toString(Qt::ISODate).toStdString());

    SqliteConnection db = sqliteOpen(databasePath);
    sqliteExec(db.get(), "PRAGMA cache_size=-262144");
    sqliteExec(db.get(), "BEGIN");
    SqliteStatement seed = sqlitePrepare(db.get(), "insert into Liste (Tur,Klas,Tarih,Etkm,Mtkm,Etp,Mtp) "
                                                   "values ('A',?1,'2008-01-01',?2,?2,?3,?4)");
    for (int l = 0; l < shape.leagues; ++l) {
        for (int t = 0; t < shape.teamsPerLeague; ++t) {
            const SeedSplit split = splitStartingPoints(seedPoints[l][t]);
            sqlite3_bind_text(seed.get(), 1, leagues[l].c_str(), -1, SQLITE_STATIC);
            sqlite3_bind_text(seed.get(), 2, teams[l][t].c_str(), -1, SQLITE_STATIC);
            sqlite3_bind_double(seed.get(), 3, split.etp);
            sqlite3_bind_double(seed.get(), 4, split.mtp);
            sqliteCheck(db.get(), sqlite3_step(seed.get()), "seed row");
            sqlite3_reset(seed.get());
            ++table.rows;
        }
    }
    SqliteStatement match =
        sqlitePrepare(db.get(), "insert into Liste (Tur,Klas,Tarih,Etkm,Mtkm,Oyun,Ea,Ey,Ma,My,Etp,Mtp,"
                                "Erakip,Mrakip) values ('O',?1,?2,?3,?4,1,?5,?6,?6,?5,?7,?8,?9,?10)");
    for (const detail::Match& m : matches) {
        sqlite3_bind_text(match.get(), 1, leagues[m.league].c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(match.get(), 2, days[m.day].c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(match.get(), 3, teams[m.league][m.home].c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(match.get(), 4, teams[m.league][m.away].c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_int(match.get(), 5, m.homeGoals);
        sqlite3_bind_int(match.get(), 6, m.awayGoals);
        sqlite3_bind_double(match.get(), 7, m.transfer.etp);
        sqlite3_bind_double(match.get(), 8, m.transfer.mtp);
        sqlite3_bind_double(match.get(), 9, m.transfer.erakip);
        sqlite3_bind_double(match.get(), 10, m.transfer.mrakip);
        sqliteCheck(db.get(), sqlite3_step(match.get()), "match row");
        sqlite3_reset(match.get());
        ++table.rows;
    }
    seed.reset();
    match.reset();
    sqliteExec(db.get(), "COMMIT");
    db.reset();

    QStringList listed = table.leagues;
    sortNoCase(listed);
    saveLeagueList(leagueListPath(folder), listed);
    table.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return table;
}

} // namespace vezal::bench
