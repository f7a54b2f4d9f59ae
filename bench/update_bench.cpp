// vezal-cli update's work on 22 leagues: each league's season file fetched from a server on this machine
// and imported, first into an empty folder (every row new) and then again (every row present). The files
// are the real 2024-25 seasons when the shared data holds them, else generated files of their shape.
//
//   update_bench [FOLDER]   FOLDER gets the leagues (emptied first)

#include "Measure.h"

#include "exchange/LeagueSources.h"
#include "exchange/LeagueUpdate.h"
#include "exchange/support/LocalServer.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <random>

namespace vezal::bench {
namespace {

constexpr int kLeagues = 22;

// A season of 20 teams, each meeting each other twice, as the site writes it.
QByteArray generatedSeason(int league) {
    std::mt19937 random(2425u + unsigned(league));
    std::poisson_distribution<int> goals(1.4);
    QByteArray bytes = "Div,Date,Time,HomeTeam,AwayTeam,FTHG,FTAG,FTR,HTHG,HTAG,HTR,HS,AS,B365H,B365D,B365A,"
                       "AvgH,AvgD,AvgA\r\n";
    const int teams = 20;
    const QDate first(2024, 8, 9);
    int round = 0;
    for (int leg = 0; leg < 2; ++leg)
        for (const auto& [h, a] : [&] {
                 std::vector<std::pair<int, int>> pairs;
                 for (int i = 0; i < teams; ++i)
                     for (int j = i + 1; j < teams; ++j)
                         pairs.emplace_back(leg ? j : i, leg ? i : j);
                 return pairs;
             }()) {
            const QDate day = first.addDays(7 * (round++ / 10));
            bytes += QStringLiteral("G%1,%2,19:00,Takım %1-%3,Takım %1-%4,%5,%6,D,0,0,D,10,8,2.10,3.30,3.60,"
                                    "2.05,3.25,3.50\r\n")
                         .arg(league)
                         .arg(day.toString(QStringLiteral("dd/MM/yyyy")))
                         .arg(h)
                         .arg(a)
                         .arg(std::min(goals(random), 9))
                         .arg(std::min(goals(random), 9))
                         .toUtf8();
        }
    return bytes;
}

struct SeasonFile {
    QString code;
    QByteArray bytes;
};

std::vector<SeasonFile> seasonFiles() {
    const QDir shared(QStringLiteral(VEZAL_SHARED_DATA "/football-data-2024-25"));
    const QStringList names = shared.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    std::vector<SeasonFile> files;
    if (names.size() >= kLeagues) {
        for (const QString& name : names.mid(0, kLeagues)) {
            QFile file(shared.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                files.push_back({name.section(u'.', 0, 0), file.readAll()});
        }
        std::printf("files: %d real season files from %s\n", int(files.size()),
                    shared.path().toUtf8().constData());
        if (int(files.size()) == kLeagues)
            return files;
        files.clear();
    }
    for (int l = 0; l < kLeagues; ++l)
        files.push_back({QStringLiteral("G%1").arg(l), generatedSeason(l)});
    std::printf("files: %d generated seasons of 380 matches\n", kLeagues);
    return files;
}

int run(const QString& folder) {
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const std::vector<SeasonFile> files = seasonFiles();
    testing::LocalServer server;
    qint64 bytes = 0;
    QStringList leagues;
    for (const SeasonFile& file : files) {
        server.serveFile(QStringLiteral("/mmz4281/2425/%1.csv").arg(file.code), file.bytes);
        leagues << QStringLiteral("Lig %1").arg(file.code);
        bytes += file.bytes.size();
    }
    saveLeagueList(leagueListPath(folder), leagues);
    Database database(folder);
    MatchTable table(database);
    for (const SeasonFile& file : files)
        setLeagueSource(database, leagueListPath(folder), QStringLiteral("Lig %1").arg(file.code),
                        {file.code, server.url(QStringLiteral("/mmz4281/2425/%1.csv").arg(file.code))});
    const std::vector<LeagueSource> sources = SourceTable(database).all();

    SourceFetcher fetcher;
    qint64 fetched = 0;
    const double fetchMs = timed([&] {
        for (const LeagueSource& source : sources) {
            const Fetched body = fetcher.fetch(source.address, {});
            fetched += body.body ? body.body->size() : 0;
        }
    });
    std::printf("the fetches alone: %.1f MB in %.0f ms\n", double(fetched) / (1024 * 1024), fetchMs);
    for (const char* pass : {"first update (every row new)", "second update (every row present)"}) {
        qsizetype added = 0, present = 0, failed = 0;
        const double ms = timed([&] {
            for (const LeagueSource& source : sources) {
                const LeagueUpdate done = updateLeague(database, table, fetcher, source, {});
                added += done.added;
                present += done.present;
                if (!done.updated()) {
                    ++failed;
                    std::printf("  %s: %s\n", source.league.toUtf8().constData(),
                                done.error.value_or(QString()).toUtf8().constData());
                }
            }
        });
        std::printf(
            "%s: %d leagues, %.1f MB, %lld added, %lld present, %lld failed: %.0f ms (limit 5000 ms)\n", pass,
            int(sources.size()), double(bytes) / (1024 * 1024), static_cast<long long>(added),
            static_cast<long long>(present), static_cast<long long>(failed), ms);
    }
    return 0;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    return vezal::bench::runInFolder(args, [](const QString& folder) { return vezal::bench::run(folder); });
}
