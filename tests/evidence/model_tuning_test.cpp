// Choosing xi and the goals' share per league: every grid point's log loss against a model fitted afresh
// on the matches before each day, the choice against the grid, and the choice kept with the league.
#include "evidence/ModelTuning.h"

#include "exchange/Import.h"
#include "exchange/MatchFile.h"
#include "model/LeagueForecast.h"
#include "store/support/TempProgram.h"

#include <QSqlQuery>

#include <cmath>
#include <gtest/gtest.h>

namespace vezal {
namespace {

const QString kLeague = QStringLiteral("Süper Lig");
const QStringList kTeams = {"Kartal", "Bolu", "Sivas", "Yalova", "Hatay", "Rize"};

// Two seasons of two double round robins of six teams (60 matches), three matches a week from 15 August:
// 2009-10 and 2010-11. Scores
// follow a fixed pattern; shots on target, where `shots` is set, about three a goal and more for the home
// side.
QByteArray twoSeasons(bool shots) {
    QByteArray file =
        shots ? "Date,HomeTeam,AwayTeam,FTHG,FTAG,HST,AST\n" : "Date,HomeTeam,AwayTeam,FTHG,FTAG\n";
    const int pattern[][2] = {{2, 1}, {0, 0}, {1, 1}, {3, 0}, {0, 2}, {1, 0}, {2, 2}, {0, 1}, {4, 1}};
    int k = 0;
    for (int season = 0; season < 2; ++season) {
        QDate day(2009 + season, 8, 15);
        for (int round = 0; round < 2; ++round)
            for (int home = 0; home < 6; ++home)
                for (int away = 0; away < 6; ++away) {
                    if (home == away)
                        continue;
                    const int* score = pattern[(k * 7 + home) % 9];
                    const int homeGoals = score[0] + (home == 0 ? 1 : 0); // Kartal is stronger
                    QString line =
                        QStringLiteral("%1,%2,%3,%4,%5")
                            .arg(day.toString(QStringLiteral("dd/MM/yyyy")), kTeams[home], kTeams[away])
                            .arg(homeGoals)
                            .arg(score[1]);
                    if (shots)
                        line +=
                            QStringLiteral(",%1,%2").arg(3 * homeGoals + 2 + k % 3).arg(3 * score[1] + k % 4);
                    file += line.toUtf8() + '\n';
                    if (++k % 3 == 0)
                        day = day.addDays(7);
                }
    }
    return file;
}

void importInto(testing::TempProgram& program, const QByteArray& file) {
    const MatchFileReading reading = readMatchFile(file, MatchFileKind::Results, QDate(2026, 1, 1));
    ASSERT_FALSE(reading.refusal);
    ASSERT_TRUE(reading.rejected.empty());
    importResults(program.database(), program.table(), kLeague, reading.rows, {});
}

// The mean log loss of 2009-10's forecasts, each from a model that saw only the matches before its day.
double freshWalk(const std::vector<model::LeagueMatch>& all, const model::FitOptions& options, int& scored) {
    double sum = 0;
    scored = 0;
    for (const model::LeagueMatch& m : all) {
        if (m.day >= QDate(2010, 7, 1))
            continue;
        std::vector<model::LeagueMatch> before;
        for (const model::LeagueMatch& b : all)
            if (b.day < m.day)
                before.push_back(b);
        model::LeagueModel fresh(before, options);
        const model::PairingForecast f = fresh.forecast(m.home, m.away, m.day);
        if (f.refusal)
            continue;
        const double p = m.homeGoals > m.awayGoals   ? f.forecast.outcome.home
                         : m.homeGoals < m.awayGoals ? f.forecast.outcome.away
                                                     : f.forecast.outcome.draw;
        sum -= std::log(p);
        ++scored;
    }
    return sum / scored;
}

std::vector<model::LeagueMatch> leagueMatches(const WalkRows& rows) {
    QHash<QString, const MatchStatistics*> kept;
    for (const KeptStatistics& s : rows.statistics)
        kept.insert(s.day + '|' + s.home + '|' + s.away, &s.statistics);
    std::vector<model::LeagueMatch> matches;
    for (const LeagueRow& row : rows.leagueRows)
        if (row.homeFor) {
            model::LeagueMatch m{QDate::fromString(row.day, Qt::ISODate), row.home, row.away, *row.homeFor,
                                 *row.homeAgainst};
            if (const MatchStatistics* s = kept.value(row.day + '|' + row.home + '|' + row.away)) {
                m.homeShotsOnTarget = s->homeShotsOnTarget;
                m.awayShotsOnTarget = s->awayShotsOnTarget;
            }
            matches.push_back(m);
        }
    return matches;
}

TEST(ModelTuning, EveryGridPointIsTheWalkOfAFreshModelOverTheSeasonsBeforeTheLast) {
    testing::TempProgram program;
    ASSERT_NO_FATAL_FAILURE(importInto(program, twoSeasons(true)));
    const WalkRows rows = readWalkRows(program.database(), kLeague, {});
    ASSERT_EQ(rows.statistics.size(), 120u);
    const std::optional<ModelTuning> tuning = tuneModel(rows, {});
    ASSERT_TRUE(tuning);
    ASSERT_EQ(tuning->grid.size(), 30u);
    EXPECT_EQ(tuning->lastSeason, "2010-11");

    const std::vector<model::LeagueMatch> all = leagueMatches(rows);
    ASSERT_EQ(all.size(), 120u);
    // Three points spread over the grid, recomputed the plain way.
    for (const std::size_t i : {std::size_t(0), std::size_t(12), std::size_t(29)}) {
        const TuningPoint& point = tuning->grid[i];
        EXPECT_EQ(point.xi, kTuningXis[i / 5]) << i;
        EXPECT_EQ(point.shotsWeight, kTuningShotsWeights[i % 5]) << i;
        int scored = 0;
        const double expected = freshWalk(all, {.xi = point.xi, .shotsWeight = point.shotsWeight}, scored);
        EXPECT_NEAR(point.logLoss, expected, 1e-6) << i;
        EXPECT_EQ(tuning->scored, scored);
    }
    // The choice is the grid's lowest loss, and the shares tell apart on a league with shots.
    const TuningPoint* lowest = &tuning->grid.front();
    for (const TuningPoint& p : tuning->grid)
        if (p.logLoss < lowest->logLoss)
            lowest = &p;
    EXPECT_EQ(tuning->choice.xi, lowest->xi);
    EXPECT_EQ(tuning->choice.shotsWeight, lowest->shotsWeight);
    EXPECT_NE(tuning->grid[0].logLoss, tuning->grid[4].logLoss);
}

TEST(ModelTuning, WithoutShotsEveryShareIsGoalsAloneAndTheChoiceIsKept) {
    testing::TempProgram program;
    ASSERT_NO_FATAL_FAILURE(importInto(program, twoSeasons(false)));
    // Never tuned: the defaults.
    const model::FitOptions before = leagueFitOptions(program.database(), kLeague);
    EXPECT_EQ(before.xi, 0.0019);
    EXPECT_EQ(before.shotsWeight, 1);

    const std::optional<ModelTuning> tuning = tuneLeague(program.database(), kLeague, {});
    ASSERT_TRUE(tuning);
    for (std::size_t i = 0; i < tuning->grid.size(); ++i)
        EXPECT_EQ(tuning->grid[i].logLoss, tuning->grid[i - i % 5].logLoss) << i;
    EXPECT_EQ(tuning->choice.shotsWeight, 1); // an even loss goes to goals alone
    const model::FitOptions after = leagueFitOptions(program.database(), kLeague);
    EXPECT_EQ(after.xi, tuning->choice.xi);
    EXPECT_EQ(after.shotsWeight, 1);
    EXPECT_EQ(leagueFitOptions(program.database(), "Birinci Lig").xi, 0.0019); // another league: defaults

    // Up to a day in the first season only that season is walked, and scored since it is the only one.
    const std::optional<ModelTuning> early =
        tuneModel(readWalkRows(program.database(), kLeague, QDate(2009, 11, 30)), QDate(2009, 11, 30));
    ASSERT_TRUE(early);
    EXPECT_EQ(early->lastSeason, "2009-10");
    EXPECT_LT(early->scored, tuning->scored);
    EXPECT_GT(early->scored, 0);

    // A match row deleted keeps the choice; the league deleted drops it.
    program.table().deleteTeam(kLeague, "Rize");
    EXPECT_TRUE(ModelChoiceTable(program.database()).find(kLeague));
    program.table().deleteLeague(kLeague);
    EXPECT_FALSE(ModelChoiceTable(program.database()).find(kLeague));
}

// Two seasons as above with the market's average odds before and at closing, the closing ones leaning
// a little further to the side the score favoured, so the market's means say something of each match.
QByteArray withOdds() {
    const QList<QByteArray> lines = twoSeasons(false).split('\n');
    QByteArray file = lines.first() + ",AvgH,AvgD,AvgA,AvgCH,AvgCD,AvgCA\n";
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const QList<QByteArray> f = lines[i].split(',');
        const int edge = f[3].toInt() - f[4].toInt();
        const double home = 2.4 - 0.1 * edge, away = 3.0 + 0.2 * edge;
        file += lines[i] + QStringLiteral(",%1,3.30,%2,%3,3.30,%4\n")
                               .arg(home, 0, 'f', 2)
                               .arg(away, 0, 'f', 2)
                               .arg(home - 0.05 * edge, 0, 'f', 2)
                               .arg(away + 0.1 * edge, 0, 'f', 2)
                               .toUtf8();
    }
    return file;
}

TEST(ModelTuning, WithTheMarketsViewTheMarketsShareAndDecayAreChosenAndKept) {
    testing::TempProgram program;
    ASSERT_NO_FATAL_FAILURE(importInto(program, withOdds()));
    const std::optional<ModelTuning> tuning = tuneLeague(program.database(), kLeague, {});
    ASSERT_TRUE(tuning);
    ASSERT_EQ(tuning->grid.size(), 30u);
    ASSERT_EQ(tuning->marketGrid.size(), std::size(kTuningMarketWeights) * std::size(kTuningMarketXis));
    // The market's points walk the chosen xi and share with the market's settings of each.
    const WalkRows rows = readWalkRows(program.database(), kLeague, {});
    std::vector<model::LeagueMatch> all = leagueMatches(rows);
    addMarketGoals(all, rows.market);
    const MarketTuningPoint& last = tuning->marketGrid.back();
    EXPECT_EQ(last.marketWeight, kTuningMarketWeights[std::size(kTuningMarketWeights) - 1]);
    EXPECT_EQ(last.marketXi, kTuningMarketXis[std::size(kTuningMarketXis) - 1]);
    int scored = 0;
    const double expected = freshWalk(
        all, {.xi = tuning->choice.xi, .marketWeight = last.marketWeight, .marketXi = last.marketXi}, scored);
    EXPECT_NEAR(last.logLoss, expected, 1e-6);

    // The choice: the market's best point where it beats the goals alone, else a share of 0.
    const TuningPoint* goalsBest = &tuning->grid.front();
    for (const TuningPoint& p : tuning->grid)
        if (p.logLoss < goalsBest->logLoss)
            goalsBest = &p;
    const MarketTuningPoint* marketBest = &tuning->marketGrid.front();
    for (const MarketTuningPoint& p : tuning->marketGrid)
        if (p.logLoss < marketBest->logLoss)
            marketBest = &p;
    ASSERT_TRUE(tuning->choice.marketWeight);
    if (marketBest->logLoss < goalsBest->logLoss) {
        EXPECT_EQ(*tuning->choice.marketWeight, marketBest->marketWeight);
        EXPECT_EQ(tuning->choice.marketXi, marketBest->marketXi);
    } else {
        EXPECT_EQ(*tuning->choice.marketWeight, 0);
    }
    EXPECT_EQ(tuning->poolGrid.size(), std::size(kTuningPoolWeights));

    // Kept and read back into the model's settings.
    const model::FitOptions kept = leagueFitOptions(program.database(), kLeague);
    EXPECT_EQ(kept.marketWeight, *tuning->choice.marketWeight);
    EXPECT_EQ(kept.poolWeight, tuning->choice.poolWeight.value_or(model::kDefaultPoolWeight));
}

// The pool weight by the flags' worth at the close, the forecast's RPS kept within 0.0001 of the market's;
// by the forecast's RPS alone where no bet has closing odds.
TEST(ModelTuning, PoolWeightByTheFlagsWorthAtTheClose) {
    const auto point = [](double k, int bets, double close, double forecast, double opening) {
        return PoolTuningPoint{k, bets, close, 100, forecast, opening};
    };
    const struct {
        const char* name;
        std::vector<PoolTuningPoint> grid;
        std::optional<double> chosen;
    } cases[] = {
        {"the highest sum", {point(0.25, 60, 2.0, 0.2, 0.2), point(0.35, 120, 5.0, 0.2, 0.2)}, 0.35},
        {"a forecast worse than the market by more than 0.0001 is passed over",
         {point(0.25, 60, 2.0, 0.2000, 0.2), point(0.35, 120, 5.0, 0.20011, 0.2)},
         0.25},
        {"a tie to the smaller weight",
         {point(0.25, 60, 3.0, 0.2, 0.2), point(0.35, 90, 3.0, 0.2, 0.2)},
         0.25},
        {"too few bets choose nothing", {point(0.25, 20, 4.0, 0.2, 0.2), point(0.35, 49, 5.0, 0.2, 0.2)}, {}},
        {"flags that lose at the close choose nothing",
         {point(0.25, 60, -1.0, 0.2, 0.2), point(0.35, 90, -0.5, 0.2, 0.2)},
         {}},
        {"no closing odds: the lowest RPS",
         {point(0.25, 0, 0, 0.2031, 0.2030), point(0.35, 0, 0, 0.2029, 0.2030),
          point(0.45, 0, 0, 0.2033, 0.2030)},
         0.35},
        {"nothing scored", {PoolTuningPoint{0.25}, PoolTuningPoint{0.35}}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(choosePoolWeight(c.grid), c.chosen) << c.name;
}

// A table made before the market's settings were kept: its rows read with the market's defaults, and the
// first choice kept adds the columns without losing them.
TEST(ModelTuning, AnOlderChoiceTableKeepsWorking) {
    testing::TempProgram program;
    ASSERT_NO_FATAL_FAILURE(importInto(program, twoSeasons(false)));
    QSqlQuery query(program.database().connection());
    ASSERT_TRUE(
        query.exec("CREATE TABLE ModelAyar (Klas VARCHAR(20) NOT NULL PRIMARY KEY, Xi DOUBLE NOT NULL, "
                   "GolPayi DOUBLE NOT NULL)"));
    ASSERT_TRUE(query.exec(QStringLiteral("insert into ModelAyar values ('%1', 0.0025, 0.75)").arg(kLeague)));
    const std::optional<ModelChoice> old = ModelChoiceTable(program.database()).find(kLeague);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->xi, 0.0025);
    EXPECT_FALSE(old->marketWeight || old->marketXi || old->poolWeight);
    const model::FitOptions options = leagueFitOptions(program.database(), kLeague);
    EXPECT_EQ(options.shotsWeight, 0.75);
    EXPECT_EQ(options.marketWeight, model::kDefaultMarketWeight);
    EXPECT_EQ(options.poolWeight, model::kDefaultPoolWeight);

    ModelChoiceTable(program.database()).put("Birinci Lig", {0.001, 1, 0.7, 0.02, 0.25});
    const std::optional<ModelChoice> still = ModelChoiceTable(program.database()).find(kLeague);
    ASSERT_TRUE(still);
    EXPECT_EQ(still->xi, 0.0025);
    EXPECT_FALSE(still->marketWeight);
    const std::optional<ModelChoice> added = ModelChoiceTable(program.database()).find("Birinci Lig");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->marketXi, 0.02);
    EXPECT_EQ(added->poolWeight, 0.25);
}

} // namespace
} // namespace vezal
