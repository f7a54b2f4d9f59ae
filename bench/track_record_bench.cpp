// The track record of one league on a table of about a million rows: twenty seasons (7,600 matches)
// against the first five (1,900), reading included; then the walk with the goals model beside it, a refit
// per match day, as vezal-cli track-record runs it. The generated table keeps no odds nor statistics: the
// model's walk is given made-up odds and shots on target on every match so that its value bets and scores
// are counted and the shots blend is on. Then the same walk over thirteen seasons with all three sources:
// the made-up odds also at closing, and the goal means they imply on every match, as the market's view
// keeps them. Then the market's views of 5,000 stored matches made from their quotes, as a folder filled
// before they were kept makes them on first use. Last, the choice of the model's settings on twelve
// seasons: xi and the goals' share, the market's share and decay, and the pool's weight.
//
//   track_record_bench [FOLDER]   FOLDER keeps the generated table for the next run

#include "Measure.h"

#include "evidence/ModelTuning.h"
#include "evidence/TrackRecord.h"
#include "exchange/MarketViews.h"
#include "store/Database.h"
#include "store/StoreError.h"
#include "store/WriteTransaction.h"

#include <QCoreApplication>
#include <QSqlQuery>
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
constexpr double kSourcesLimitMs = 1500;
constexpr int kViewedMatches = 5000;
constexpr double kViewsLimitMs = 1000;

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

// The made-up odds as quotes of the average before closing and, moved a little, at closing; and the
// market's view of every match from them.
void addQuotesAndViews(WalkRows& rows) {
    int i = 0;
    for (const KeptOdds& kept : rows.odds) {
        const double move = 1 + 0.02 * (i++ % 5 - 2);
        const MatchOdds closing{kept.odds.home * move, kept.odds.draw, kept.odds.away / move};
        std::vector<Quote> quotes;
        for (const auto& [odds, isClosing] : {std::pair{kept.odds, false}, std::pair{closing, true}})
            for (const auto& [outcome, price] :
                 {std::pair{QuoteOutcome::Home, odds.home}, std::pair{QuoteOutcome::Draw, odds.draw},
                  std::pair{QuoteOutcome::Away, odds.away}})
                quotes.push_back({QStringLiteral("Avg"), isClosing, outcome, price});
        for (const Quote& quote : quotes)
            rows.quotes.push_back({kept.day, kept.home, kept.away, quote});
        rows.market.push_back({kept.day, kept.home, kept.away, marketView(quotes, std::nullopt)});
    }
}

struct ModelWalked {
    double ms = 0; // the walk with the model over rows already read
    int forecast = 0;
    int withOdds = 0;
    int valueBets = 0;
    double modelRps = 0;
    double bookmakerRps = 0;
    int closeValues = 0; // value bets held against the closing line
};

// The first matches of the league with the made-up odds kept as quotes, their views dropped; then the time
// the views take to be made from them.
double makeViews(Database& database, const QString& league, int& made) {
    WalkRows rows = readWalkRows(database, league, {});
    addOdds(rows);
    if (rows.odds.size() > static_cast<std::size_t>(kViewedMatches))
        rows.odds.resize(kViewedMatches);
    {
        WriteTransaction transaction(database);
        QuoteTable quotes(database);
        for (const KeptOdds& kept : rows.odds)
            quotes.put(league, QDate::fromString(kept.day, Qt::ISODate), kept.home, kept.away,
                       {{QStringLiteral("Avg"), true, QuoteOutcome::Home, kept.odds.home},
                        {QStringLiteral("Avg"), true, QuoteOutcome::Draw, kept.odds.draw},
                        {QStringLiteral("Avg"), true, QuoteOutcome::Away, kept.odds.away},
                        {QStringLiteral("Avg"), true, QuoteOutcome::Under, 1.85},
                        {QStringLiteral("Avg"), true, QuoteOutcome::Over, 1.95}});
        QSqlQuery drop(database.connection());
        // As a folder filled before the views were kept: neither the table nor its trigger.
        drop.exec(QStringLiteral("drop trigger if exists ListePiyasaSil"));
        drop.exec(QStringLiteral("drop table if exists Piyasa"));
        transaction.commit();
    }
    made = 0;
    const double ms = timed([&] {
        fillMarketViews(database, league, [&](qsizetype done, qsizetype) {
            made = static_cast<int>(done);
            return true;
        });
    });
    return ms;
}

ModelWalked walkWithModel(Database& database, const QString& league, const QDate& to, bool market = false) {
    WalkRows rows = readWalkRows(database, league, to);
    addOdds(rows);
    addStatistics(rows);
    ModelWalk modelWalk;
    modelWalk.fit.shotsWeight = kShotsWeight;
    if (market) {
        addQuotesAndViews(rows);
        modelWalk.odds = OddsChoice::fromText(QStringLiteral("avg"));
    } else {
        modelWalk.fit.marketWeight = 0;
    }
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
                      model.meanBookmakerRps().value_or(0),
                      model.closeValue.count};
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

    // Thirteen seasons with goals, shots and the market's means, the forecast pooled with the odds.
    const QDate thirteenthSeasonEnds = QDate(2008, 8, 9).addDays(12 * 364 + 37 * 7);
    const ModelWalked sources = walkWithModel(database, league, thirteenthSeasonEnds, true);
    std::printf(
        "  %-44s %8.1f ms  (%d forecast, %d value bets, %d against the close; RPS %.4f, bookmaker %.4f)"
        "  ratio %.2f (limit 1.00)  %s\n",
        "three sources, thirteen seasons", sources.ms, sources.forecast, sources.valueBets,
        sources.closeValues, sources.modelRps, sources.bookmakerRps, sources.ms / kSourcesLimitMs,
        sources.ms <= kSourcesLimitMs ? "ok" : "MISSED");

    // Another league, so that the walks above never meet these quotes on a later run over the same folder.
    int made = 0;
    const double viewsMs = makeViews(database, leagueName(1), made);
    std::printf("  %-44s %8.1f ms  (%d matches)  ratio %.2f (limit 1.00)  %s\n", "the market's views made",
                viewsMs, made, viewsMs / kViewsLimitMs, viewsMs <= kViewsLimitMs ? "ok" : "MISSED");

    // Twelve seasons, as a user tunes a league with "Ayarla" or vezal-cli tune.
    const QDate twelfthSeasonEnds = QDate(2008, 8, 9).addDays(11 * 364 + 37 * 7);
    WalkRows twelve = readWalkRows(database, league, twelfthSeasonEnds);
    addOdds(twelve);
    addStatistics(twelve);
    addQuotesAndViews(twelve);
    std::optional<ModelTuning> tuning;
    int walks = 0;
    const double tuneMs = timed([&] {
        tuning = tuneModel(twelve, twelfthSeasonEnds, [&](qsizetype done, qsizetype) {
            walks = static_cast<int>(done);
            return true;
        });
    });
    std::printf("  %-44s %8.1f ms  (%d walks, %d matches scored; xi %.4f, goals' share %.2f, market %.2f "
                "at %.3f, pool %.2f)\n",
                "choice of the model's settings, twelve seasons", tuneMs, walks, tuning ? tuning->scored : 0,
                tuning ? tuning->choice.xi : 0, tuning ? tuning->choice.shotsWeight : 0,
                tuning ? tuning->choice.marketWeight.value_or(-1) : 0,
                tuning ? tuning->choice.marketXi.value_or(-1) : 0,
                tuning ? tuning->choice.poolWeight.value_or(-1) : 0);
    std::printf("  %-44s %8.1f ms  ratio %.2f (limit 1.00)  %s\n", "tuning, twelve seasons", tuneMs,
                tuneMs / kTuneLimitMs, tuneMs <= kTuneLimitMs ? "ok" : "MISSED");
    const bool ok = twenty.ms <= kLimitMs && linear <= kLinearLimit && modelTwenty.ms <= kModelLimitMs &&
                    sources.ms <= kSourcesLimitMs && viewsMs <= kViewsLimitMs && tuneMs <= kTuneLimitMs;
    return ok ? 0 : 2;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    return vezal::bench::runInFolder(args, [](const QString& folder) { return vezal::bench::run(folder); });
}
