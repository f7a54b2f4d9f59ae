// The track record of one league on a table of about a million rows: twenty seasons (7,600 matches)
// against the first five (1,900), reading included; then the walk with the goals model beside it, a refit
// per match day, as vezal-cli track-record runs it. The generated table keeps no odds nor statistics: the
// model's walk is given made-up odds and shots on target on every match so that its value bets and scores
// are counted and the shots blend is on. Last, the choice of xi and the goals' share on twelve seasons.
//
//   track_record_bench [FOLDER]   FOLDER keeps the generated table for the next run

#include "Measure.h"

#include "evidence/ModelTuning.h"
#include "evidence/TrackRecord.h"
#include "store/Database.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace vezal::bench {
namespace {

// 125 leagues of 20 teams over 20 seasons: 950,000 match rows, a league of 7,600 matches.
const TableShape kShape{125, 20, 20};
constexpr double kLimitMs = 1000;
constexpr double kLinearLimit = 4.5;
constexpr int kRuns = 5;
constexpr double kModelLimitMs = 1000;
constexpr double kTuneLimitMs = 30000;
constexpr double kShotsWeight = 0.5;
constexpr int kModelRuns = 3;

struct Walked {
    double ms = 0;     // reading and walking, as the command does
    double readMs = 0; // the reading alone
    double walkMs = 0; // the walk over rows already read
    int matches = 0;
    int predicted = 0;
};

Walked walk(Database& database, const QString& league, const QDate& to) {
    std::vector<double> times, reads, walks;
    Walked walked;
    for (int run = 0; run < kRuns; ++run) {
        std::optional<TrackRecord> record;
        times.push_back(timed([&] { record = trackRecord(database, league, {}, to); }));
        walked.matches = record ? record->overall.matches : 0;
        walked.predicted = record ? record->overall.predicted() : 0;
        WalkRows rows;
        reads.push_back(timed([&] { rows = readWalkRows(database, league, to); }));
        walks.push_back(timed([&] { record = walkTrackRecord(rows, {}, to); }));
    }
    walked.ms = median(times);
    walked.readMs = median(reads);
    walked.walkMs = median(walks);
    return walked;
}

// Odds leaning to the home side, varied by the match's place so that the three prices move.
void addOdds(WalkRows& rows) {
    int i = 0;
    for (const LeagueRow& row : rows.leagueRows)
        if (row.homeFor) {
            const double tilt = 0.1 * (i++ % 13);
            rows.odds.push_back({row.day, row.home, row.away, {1.9 + tilt, 3.4, 4.6 - 1.5 * tilt}});
        }
}

// Shots on target of every match: about three a goal, and some for a side that did not score.
void addStatistics(WalkRows& rows) {
    int i = 0;
    for (const LeagueRow& row : rows.leagueRows)
        if (row.homeFor && row.homeAgainst) {
            MatchStatistics statistics;
            statistics.homeShotsOnTarget = 3 * *row.homeFor + 1 + i % 3;
            statistics.awayShotsOnTarget = 3 * *row.homeAgainst + (i++ % 4);
            rows.statistics.push_back({row.day, row.home, row.away, statistics});
        }
}

struct ModelWalked {
    double ms = 0; // the walk with the model over rows already read
    int forecast = 0;
    int withOdds = 0;
    int valueBets = 0;
    double modelRps = 0;
    double bookmakerRps = 0;
};

ModelWalked walkWithModel(Database& database, const QString& league, const QDate& to) {
    WalkRows rows = readWalkRows(database, league, to);
    addOdds(rows);
    addStatistics(rows);
    ModelWalk modelWalk;
    modelWalk.fit.shotsWeight = kShotsWeight;
    std::vector<double> times;
    ModelWalked walked;
    for (int run = 0; run < kModelRuns; ++run) {
        std::optional<TrackRecord> record;
        times.push_back(timed([&] { record = walkTrackRecord(rows, {}, to, {}, modelWalk); }));
        if (record) {
            const ModelFigures& model = record->overall.model;
            walked = {0,
                      model.forecast,
                      model.withOdds,
                      model.valueBets,
                      model.meanModelRps().value_or(0),
                      model.meanBookmakerRps().value_or(0)};
        }
    }
    walked.ms = median(times);
    return walked;
}

int run(const QString& folder) {
    const GeneratedTable table = tableIn(folder, kShape);
    Database database(table.folder);
    const QString league = leagueName(0);
    // The generator's seasons start on 09.08.2008 and last 38 weekly rounds, 364 days apart.
    const QDate fifthSeasonEnds = QDate(2008, 8, 9).addDays(4 * 364 + 37 * 7);

    const Walked five = walk(database, league, fifthSeasonEnds);
    const Walked twenty = walk(database, league, {});
    const double linear = twenty.ms / five.ms;
    std::printf("table: %lld rows; league \"%s\"\n", static_cast<long long>(table.rows),
                league.toUtf8().constData());
    std::printf("medians of %d runs (ms):\n", kRuns);
    std::printf("  %-44s %8.1f ms  (%d matches, %d predicted)\n", "track record, first five seasons", five.ms,
                five.matches, five.predicted);
    std::printf("  %-44s %8.1f ms  (%d matches, %d predicted)  ratio %.2f (limit 1.00)  %s\n",
                "track record, twenty seasons", twenty.ms, twenty.matches, twenty.predicted,
                twenty.ms / kLimitMs, twenty.ms <= kLimitMs ? "ok" : "MISSED");
    std::printf("  %-44s %8.2f x     (limit %.2f)  %s\n", "twenty seasons over five", linear, kLinearLimit,
                linear <= kLinearLimit ? "ok" : "MISSED");
    std::printf("    (reading %.1f / %.1f ms, walking %.1f / %.1f ms: five / twenty seasons)\n", five.readMs,
                twenty.readMs, five.walkMs, twenty.walkMs);

    const ModelWalked modelFive = walkWithModel(database, league, fifthSeasonEnds);
    const ModelWalked modelTwenty = walkWithModel(database, league, {});
    std::printf("with the goals model, medians of %d runs (ms):\n", kModelRuns);
    const std::pair<const char*, const ModelWalked*> modelRuns[] = {{"first five seasons", &modelFive},
                                                                    {"twenty seasons", &modelTwenty}};
    for (const auto& [what, walked] : modelRuns)
        std::printf(
            "  %-44s %8.1f ms  (%d forecast, %d with odds, %d value bets; RPS %.4f, bookmaker %.4f)\n", what,
            walked->ms, walked->forecast, walked->withOdds, walked->valueBets, walked->modelRps,
            walked->bookmakerRps);
    std::printf("  %-44s %8.1f ms  ratio %.2f (limit 1.00)  %s\n",
                "track record with the model, twenty seasons", modelTwenty.ms, modelTwenty.ms / kModelLimitMs,
                modelTwenty.ms <= kModelLimitMs ? "ok" : "MISSED");

    // Twelve seasons, as a user tunes a league with "Ayarla" or vezal-cli tune.
    const QDate twelfthSeasonEnds = QDate(2008, 8, 9).addDays(11 * 364 + 37 * 7);
    WalkRows twelve = readWalkRows(database, league, twelfthSeasonEnds);
    addStatistics(twelve);
    std::optional<ModelTuning> tuning;
    const double tuneMs = timed([&] { tuning = tuneModel(twelve, twelfthSeasonEnds); });
    std::printf("  %-44s %8.1f ms  (%zu grid points, %d matches scored; choice xi %.4f, goals' share %.2f)\n",
                "choice of xi and the goals' share, twelve seasons", tuneMs, tuning ? tuning->grid.size() : 0,
                tuning ? tuning->scored : 0, tuning ? tuning->choice.xi : 0,
                tuning ? tuning->choice.shotsWeight : 0);
    std::printf("  %-44s %8.1f ms  ratio %.2f (limit 1.00)  %s\n", "tuning, twelve seasons", tuneMs,
                tuneMs / kTuneLimitMs, tuneMs <= kTuneLimitMs ? "ok" : "MISSED");
    const bool ok = twenty.ms <= kLimitMs && linear <= kLinearLimit && modelTwenty.ms <= kModelLimitMs &&
                    tuneMs <= kTuneLimitMs;
    return ok ? 0 : 2;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    return vezal::bench::runInFolder(args, [](const QString& folder) { return vezal::bench::run(folder); });
}
