// The week's bulletin over a fixture file of 380 matches in 22 leagues, each league holding a past season
// and 25 rounds of the current one with odds: the file read, its lines sorted to leagues and every row
// listed (one model fit per league and day), the Asian handicap's two sides of each fixture among them.
//
//   bulletin_bench [RUNS]   the figure is the median of RUNS listings (5 unless given)

#include "Measure.h"

#include "betting/Bulletin.h"
#include "exchange/Import.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace vezal::bench {
namespace {

constexpr int kLeagues = 22;
constexpr int kTeams = 20;
constexpr int kPlayedRounds = 38 + 25;
constexpr int kFixtures = 380;

QString code(int league) {
    return QStringLiteral("L%1").arg(league, 2, 10, QLatin1Char('0'));
}

QString team(int league, int index) {
    return QStringLiteral("Takim %1-%2").arg(league).arg(index);
}

struct Pairing {
    int home;
    int away;
};

// The circle method's round: ten pairings of twenty teams.
std::vector<Pairing> round(int number) {
    std::vector<int> ring(kTeams);
    for (int i = 0; i < kTeams; ++i)
        ring[i] = i;
    for (int r = 0; r < number % (2 * (kTeams - 1)); ++r)
        std::rotate(ring.begin() + 1, ring.end() - 1, ring.end());
    std::vector<Pairing> pairings;
    for (int i = 0; i < kTeams / 2; ++i) {
        Pairing p{ring[i], ring[kTeams - 1 - i]};
        if ((number + i) % 2 == 0)
            std::swap(p.home, p.away);
        pairings.push_back(p);
    }
    return pairings;
}

QDate roundDay(int number) {
    return QDate(2023, 8, 5).addDays(7 * number);
}

QByteArray playedSeason(int league, std::mt19937_64& random) {
    QByteArray csv = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,AvgH,AvgD,AvgA,MaxH,MaxD,MaxA,"
                     "Avg>2.5,Avg<2.5,AvgCH,AvgCD,AvgCA\n";
    std::poisson_distribution<int> homeGoals(1.5), awayGoals(1.1);
    std::uniform_real_distribution<double> odds(1.5, 5.0);
    for (int r = 0; r < kPlayedRounds; ++r)
        for (const Pairing& p : round(r)) {
            const double h = odds(random), a = odds(random);
            csv += QStringLiteral(
                       "%1,%2,%3,%4,%5,%6,%7,3.40,%8,%9,3.30,%10,%11,3.60,%12,1.90,1.95,%9,3.30,%10\n")
                       .arg(code(league), roundDay(r).toString(QStringLiteral("dd/MM/yyyy")),
                            team(league, p.home), team(league, p.away))
                       .arg(homeGoals(random))
                       .arg(awayGoals(random))
                       .arg(h, 0, 'f', 2)
                       .arg(a, 0, 'f', 2)
                       .arg(h - 0.05, 0, 'f', 2)
                       .arg(a - 0.05, 0, 'f', 2)
                       .arg(h + 0.1, 0, 'f', 2)
                       .arg(a + 0.1, 0, 'f', 2)
                       .toUtf8();
        }
    return csv;
}

// The Asian handicap's lines of the fixtures in turn, quarter lines among them.
constexpr const char* kAsianLines[] = {"-1.25", "-1", "-0.75", "-0.5", "-0.25", "0", "0.25", "0.5"};

// The next two rounds of every league, taken league by league in turn up to 380 lines; a round's
// matches fall on Saturday and Sunday.
QByteArray fixtureFile() {
    QByteArray csv = "Div,Date,Time,HomeTeam,AwayTeam,B365H,B365D,B365A,PSH,PSD,PSA,MaxH,MaxD,MaxA,AvgH,AvgD,"
                     "AvgA,Avg>2.5,Avg<2.5,AHh,B365AHH,B365AHA,PAHH,PAHA,MaxAHH,MaxAHA,AvgAHH,AvgAHA\n";
    int lines = 0;
    for (int i = 0; lines < kFixtures; ++i)
        for (int league = 0; league < kLeagues && lines < kFixtures; ++league) {
            const int r = kPlayedRounds + i / 10;
            const Pairing p = round(r)[static_cast<std::size_t>(i % 10)];
            csv += QStringLiteral(
                       "%1,%2,15:00,%3,%4,2.10,3.40,3.50,2.15,3.30,3.70,2.25,3.50,3.75,2.05,3.40,3.60,"
                       "1.90,1.95,%5,1.93,1.97,1.95,1.96,2.02,2.03,1.91,1.94\n")
                       .arg(code(league), roundDay(r).addDays(i % 2).toString(QStringLiteral("dd/MM/yyyy")),
                            team(league, p.home), team(league, p.away),
                            QString::fromLatin1(kAsianLines[lines % std::size(kAsianLines)]))
                       .toUtf8();
            ++lines;
        }
    return csv;
}

int run(const QString& folder, int runs) {
    Database database(folder);
    MatchTable table(database);
    std::mt19937_64 random(2025);
    const double made = timed([&] {
        for (int league = 0; league < kLeagues; ++league) {
            const MatchFileReading reading =
                readMatchFile(playedSeason(league, random), MatchFileKind::Results, QDate::currentDate());
            importResults(database, table, code(league), reading.rows, {});
        }
    });
    std::printf("%d leagues of %d matches imported in %.1f s\n", kLeagues, kPlayedRounds * kTeams / 2,
                made / 1000);
    const QByteArray file = fixtureFile();
    const QStringList leagues = loadLeagueList(leagueListPath(folder));
    std::vector<double> times;
    std::size_t rows = 0, fixtures = 0;
    // Every market the bulletin lists: the file's, the Asian handicap's and the pool's fair rows.
    BulletinRule rule;
    rule.fairRows = true;
    for (int i = 0; i < runs; ++i)
        times.push_back(timed([&] {
            const MatchFileReading reading =
                readMatchFile(file, MatchFileKind::Fixtures, QDate::currentDate());
            const FixtureSorting sorting = sortFixtures(reading.rows, leagues, std::nullopt);
            rows = bulletinRows(database, sorting.fixtures, rule).size();
            fixtures = sorting.fixtures.size();
        }));
    const double figure = median(times);
    std::printf("%-58s %8.1f ms  (limit 2000 ms)  %s\n",
                QStringLiteral("bulletin of %1 fixtures in %2 leagues, %3 rows")
                    .arg(fixtures)
                    .arg(kLeagues)
                    .arg(rows)
                    .toUtf8()
                    .constData(),
                figure, figure < 2000 ? "ok" : "MISSED");
    return figure < 2000 ? 0 : 1;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    return vezal::bench::runInFolder(
        {}, [&](const QString& folder) { return vezal::bench::run(folder, runs > 0 ? runs : 5); });
}
