// The goals model beside the press: each figure's counting on fixed probabilities worked out by hand, and
// the walk against a model fitted afresh on the matches before each day.
#include "evidence/PerMatchCsv.h"
#include "evidence/TrackRecord.h"

#include "exchange/MarketViews.h"
#include "model/ImpliedGoals.h"
#include "model/LeagueForecast.h"
#include "store/OddsTable.h"
#include "store/support/TempProgram.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

namespace vezal {
namespace {

using testing::TempProgram;

// ---- Counting, on fixed probabilities ----

struct ModelCase {
    const char* name;
    ModelProbabilities p;
    int homeGoals;
    int awayGoals;
    std::optional<MatchOdds> odds;
    double threshold;
    const char* sign;
    bool signHit;
    bool over;
    bool underOverHit;
    // With odds:
    const char* valueSigns;
    bool valueWon;
    double valueProfit;
    double modelRps;
    double bookmakerRps;
    double modelLogLoss;
    double bookmakerLogLoss;
};

// A: 0.5 * 2.20 - 1 = 0.10 and 0.2 * 6.00 - 1 = 0.20 pass 0.05, 0.3 * 3.00 - 1 = -0.10 does not; the home
//    win pays 1.20, the away bet loses 1: 0.20. RPS against (1, 0, 0): (0.5^2 + 0.2^2) / 2 = 0.145.
//    The bookmaker: 1/2.2 + 1/3 + 1/6 = 21/22, so 10/21, 22/63, 11/63; RPS ((11/21)^2 + (11/63)^2) / 2
//    = 1210 / 7938. Log losses -ln 0.5 and -ln(10/21) = ln 2.1.
// B: home and draw tie at 0.4: the sign is 1; an even 2.5 split counts as under; no odds.
// C: draw and away tie at 0.4: the sign is 0. 0.2 * 5.00 - 1 = 0 is no value, 0.4 * 3.00 - 1 = 0.20 is,
//    0.4 * 2.40 - 1 = -0.04 is not; the draw bet loses. RPS against (0, 0, 1): (0.2^2 + 0.6^2) / 2 = 0.2.
//    The bookmaker: 1/5 + 1/3 + 1/2.4 = 57/60, so 12/57, 20/57, 25/57; RPS ((12/57)^2 + (32/57)^2) / 2 =
//    1168 / 6498. Log losses -ln 0.4 and -ln(25/57) = ln 2.28.
// D: A's match at a threshold of 0.15: only the away bet, lost.
// E: odds of 1.00 a bookmaker could not offer count as none.
const ModelCase kModelCases[] = {
    {"A",
     {0.5, 0.3, 0.2, 0.6},
     2,
     0,
     MatchOdds{2.20, 3.00, 6.00},
     0.05,
     "1",
     true,
     false,
     true,
     "12",
     true,
     0.20,
     0.145,
     1210.0 / 7938,
     0.69314718056,
     0.74193734473},
    {"B",
     {0.4, 0.4, 0.2, 0.5},
     1,
     1,
     std::nullopt,
     0.05,
     "1",
     false,
     false,
     true,
     nullptr,
     false,
     0,
     0,
     0,
     0,
     0},
    {"C",
     {0.2, 0.4, 0.4, 0.3},
     0,
     3,
     MatchOdds{5.00, 3.00, 2.40},
     0.05,
     "0",
     false,
     true,
     true,
     "0",
     false,
     -1.0,
     0.2,
     1168.0 / 6498,
     0.91629073187,
     0.82417544296},
    {"D",
     {0.5, 0.3, 0.2, 0.6},
     2,
     0,
     MatchOdds{2.20, 3.00, 6.00},
     0.15,
     "1",
     true,
     false,
     true,
     "2",
     false,
     -1.0,
     0.145,
     1210.0 / 7938,
     0.69314718056,
     0.74193734473},
    {"E",
     {0.1, 0.2, 0.7, 0.45},
     0,
     1,
     MatchOdds{1.00, 3.00, 2.00},
     0.05,
     "2",
     true,
     true,
     false,
     nullptr,
     false,
     0,
     0,
     0,
     0,
     0},
};

TEST(ModelRecordCounting, JudgesTheLikeliestSignTheLikelierSideAndTheValueBets) {
    for (const ModelCase& c : kModelCases) {
        SCOPED_TRACE(c.name);
        const ModelVerdicts v = judgeModel(c.p, c.homeGoals, c.awayGoals, c.odds, c.threshold);
        EXPECT_EQ(v.sign, QString::fromLatin1(c.sign));
        EXPECT_EQ(v.signHit, c.signHit);
        EXPECT_EQ(v.over, c.over);
        EXPECT_EQ(v.underOverHit, c.underOverHit);
        ASSERT_EQ(v.againstOdds.has_value(), c.valueSigns != nullptr);
        if (!v.againstOdds)
            continue;
        const OddsVerdicts& o = *v.againstOdds;
        EXPECT_EQ(o.valueSigns, QString::fromLatin1(c.valueSigns));
        EXPECT_EQ(o.valueWon, c.valueWon);
        EXPECT_NEAR(o.valueProfit, c.valueProfit, 1e-12);
        EXPECT_NEAR(o.modelRps, c.modelRps, 1e-12);
        EXPECT_NEAR(o.bookmakerRps, c.bookmakerRps, 1e-12);
        EXPECT_NEAR(o.modelLogLoss, c.modelLogLoss, 1e-10);
        EXPECT_NEAR(o.bookmakerLogLoss, c.bookmakerLogLoss, 1e-10);
    }
}

ModelFigures countedCases(std::initializer_list<int> cases) {
    ModelFigures figures;
    for (const int i : cases) {
        const ModelCase& c = kModelCases[i];
        addModelMatch(figures, c.p, c.homeGoals, c.awayGoals,
                      judgeModel(c.p, c.homeGoals, c.awayGoals, c.odds, c.threshold));
    }
    return figures;
}

TEST(ModelRecordCounting, LeavesMatchesWithoutOddsOutOfTheBookmakersAndTheValueFiguresOnly) {
    // A, B (no odds) and C.
    const ModelFigures f = countedCases({0, 1, 2});
    EXPECT_EQ(f.forecast, 3);
    EXPECT_EQ(f.firstSign.hits, 1);
    EXPECT_EQ(f.firstSign.counted, 3);
    EXPECT_EQ(f.underOver.hits, 3);
    EXPECT_EQ(f.underOver.counted, 3);
    // Both scores over A and C alone.
    EXPECT_EQ(f.withOdds, 2);
    EXPECT_EQ(f.valueBets, 3);
    EXPECT_EQ(f.valueWon, 1);
    EXPECT_NEAR(f.valueProfit, -0.8, 1e-12);
    EXPECT_NEAR(f.valueYieldPercent().value_or(0), -80.0 / 3, 1e-9);
    EXPECT_NEAR(f.meanModelRps().value_or(0), (0.145 + 0.2) / 2, 1e-12);
    EXPECT_NEAR(f.meanBookmakerRps().value_or(0), (1210.0 / 7938 + 1168.0 / 6498) / 2, 1e-12);
    EXPECT_NEAR(f.meanModelLogLoss().value_or(0), (0.69314718056 + 0.91629073187) / 2, 1e-10);
    EXPECT_NEAR(f.meanBookmakerLogLoss().value_or(0), (0.74193734473 + 0.82417544296) / 2, 1e-10);

    // Without a match with odds there is nothing to score and no bet.
    const ModelFigures none = countedCases({1, 4});
    EXPECT_EQ(none.forecast, 2);
    EXPECT_EQ(none.withOdds, 0);
    EXPECT_EQ(none.valueBets, 0);
    EXPECT_EQ(none.meanModelRps(), std::nullopt);
    EXPECT_EQ(none.meanBookmakerLogLoss(), std::nullopt);
    EXPECT_EQ(none.valueYieldPercent(), std::nullopt);
}

TEST(ModelRecordCounting, CalibratesEveryOutcomeByTenthsOfProbability) {
    // A: 0.5 (came) in 0.5-0.6, 0.3 in 0.3-0.4, 0.2 in 0.2-0.3. B: 0.4, 0.4 (came), 0.2. C: 0.2, 0.4,
    // 0.4 (came). A certain home win that came: 1 in the last bin, the two zeros in the first.
    ModelFigures f = countedCases({0, 1, 2});
    addModelMatch(f, {1.0, 0.0, 0.0, 0.5}, 1, 0, judgeModel({1.0, 0.0, 0.0, 0.5}, 1, 0, std::nullopt));
    const struct {
        std::size_t bin;
        int count;
        double mean;
        int happened;
    } filled[] = {{0, 2, 0.0, 0}, {2, 3, 0.2, 0}, {3, 1, 0.3, 0},
                  {4, 4, 0.4, 2}, {5, 1, 0.5, 1}, {9, 1, 1.0, 1}};
    int total = 0;
    for (const CalibrationBin& bin : f.calibration)
        total += bin.count;
    EXPECT_EQ(total, 12);
    for (const auto& b : filled) {
        SCOPED_TRACE(b.bin);
        const CalibrationBin& bin = f.calibration[b.bin];
        EXPECT_EQ(bin.count, b.count);
        EXPECT_NEAR(bin.meanPredicted().value_or(-1), b.mean, 1e-12);
        EXPECT_EQ(bin.happened, b.happened);
        EXPECT_NEAR(bin.observed().value_or(-1), double(b.happened) / b.count, 1e-12);
    }
    EXPECT_EQ(f.calibration[1].count, 0);
    EXPECT_EQ(f.calibration[1].observed(), std::nullopt);
}

// ---- The walk ----

const QString kLeague = QStringLiteral("Süper Lig");
const QStringList kTeams = {"Kartal", "Bolu", "Sivas", "Çorum"};
const QDate kFirstDay{2009, 8, 15};
constexpr int kDays = 10;

// Four teams, each playing once every Saturday from 15.08.2009 by a fixed rotation, goals drawn from a
// fixed seed; odds kept on every other match. After five days every team has played five matches: the
// model forecasts from the sixth day on.
void playLeague(TempProgram& program) {
    for (const QString& team : kTeams)
        program.seed(kLeague, team, QStringLiteral("5"));
    const int pairings[3][4] = {{0, 1, 2, 3}, {0, 2, 3, 1}, {3, 0, 1, 2}};
    std::mt19937 random(1997u);
    std::discrete_distribution<int> goals({25, 35, 22, 10, 5, 3});
    OddsTable odds(program.database());
    for (int d = 0; d < kDays; ++d) {
        const QDate day = kFirstDay.addDays(7 * d);
        const int* p = pairings[d % 3];
        for (int m = 0; m < 2; ++m) {
            // Home and away swap every other round of three.
            const QString home = kTeams[p[2 * m + (d / 3) % 2]];
            const QString away = kTeams[p[2 * m + 1 - (d / 3) % 2]];
            ASSERT_FALSE(program
                             .enter(kLeague, day, home, away, QString::number(goals(random)),
                                    QString::number(goals(random)))
                             .refusal)
                << home.toStdString() << " - " << away.toStdString();
            if (m == 0)
                odds.put(kLeague, day, home, away, {2.00 + 0.1 * d, 3.30, 3.00 + 0.2 * d});
        }
    }
}

std::optional<TrackRecord> walkWithModel(const WalkRows& rows) {
    return walkTrackRecord(rows, {}, {}, {}, ModelWalk{});
}

// Worked by hand: (p - came)^2 and -ln(p of what came), a probability of 0 as 1e-15.
TEST(ModelRecordCounting, ScoresAnEventByBrierAndLogLoss) {
    const struct {
        double p;
        bool came;
        double brier;
        double logLoss;
    } cases[] = {
        {0.8, true, 0.04, 0.2231435513}, {0.8, false, 0.64, 1.6094379124},
        {0.5, true, 0.25, 0.6931471806}, {0.0, true, 1.0, 34.5387763949},
        {1.0, true, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        const EventScore score = scoreEvent(c.p, c.came);
        EXPECT_NEAR(score.brier, c.brier, 1e-12) << c.p << ' ' << c.came;
        EXPECT_NEAR(score.logLoss, c.logLoss, 1e-9) << c.p << ' ' << c.came;
    }
}

TEST(ModelRecordWalk, EqualsAModelFittedAfreshOnTheMatchesBeforeEachDay) {
    TempProgram program;
    ASSERT_NO_FATAL_FAILURE(playLeague(program));
    const std::optional<TrackRecord> record =
        trackRecord(program.database(), kLeague, {}, {}, {}, ModelWalk{});
    ASSERT_TRUE(record);
    ASSERT_TRUE(record->withModel);
    ASSERT_EQ(record->matches.size(), std::size_t(2 * kDays));

    // The matches with odds carry the goal means their margin-free odds imply.
    std::vector<model::LeagueMatch> played;
    for (const TrackedMatch& m : record->matches) {
        played.push_back({m.day, m.home, m.away, m.homeGoals, m.awayGoals});
        if (m.odds) {
            const std::optional<model::GoalMeans> means = model::impliedGoals(
                {model::marginFreeProbabilities({m.odds->home, m.odds->draw, m.odds->away}), std::nullopt});
            ASSERT_TRUE(means);
            played.back().marketHomeGoals = means->home;
            played.back().marketAwayGoals = means->away;
        }
    }
    ModelFigures expected;
    double bothScoreBrier = 0; // (p - came)^2 summed by hand
    for (std::size_t i = 0; i < record->matches.size(); ++i) {
        const TrackedMatch& match = record->matches[i];
        SCOPED_TRACE(i);
        // The first five days leave every team short of five matches.
        ASSERT_EQ(match.model.has_value(), i >= 10);
        EXPECT_EQ(match.modelRefusal.has_value(), i < 10);
        if (!match.model)
            continue;
        // A model that never saw the day or anything after it, fitted from nothing.
        std::vector<model::LeagueMatch> before;
        for (const model::LeagueMatch& m : played)
            if (m.day < match.day)
                before.push_back(m);
        model::LeagueModel fresh(before);
        const model::PairingForecast f = fresh.forecast(match.home, match.away, match.day);
        ASSERT_FALSE(f.refusal);
        EXPECT_NEAR(match.model->home, f.forecast.outcome.home, 1e-6);
        EXPECT_NEAR(match.model->draw, f.forecast.outcome.draw, 1e-6);
        EXPECT_NEAR(match.model->away, f.forecast.outcome.away, 1e-6);
        EXPECT_NEAR(match.model->under25, f.forecast.under25, 1e-6);
        EXPECT_EQ(match.odds.has_value(), i % 2 == 0);
        ASSERT_TRUE(match.modelVerdicts);
        EXPECT_EQ(match.modelVerdicts->againstOdds.has_value(), match.odds.has_value());
        addModelMatch(expected, *match.model, match.homeGoals, match.awayGoals, *match.modelVerdicts);
        const double came = match.homeGoals > 0 && match.awayGoals > 0 ? 1 : 0;
        bothScoreBrier += (f.forecast.bothScore - came) * (f.forecast.bothScore - came);
    }
    const ModelFigures& all = record->overall.model;
    EXPECT_EQ(all.forecast, 10);
    EXPECT_EQ(all.withGoalLines, 10); // every forecast match, with odds or not
    EXPECT_NEAR(all.goalLineSums.bothScore.brier, bothScoreBrier, 1e-6);
    EXPECT_EQ(all.withOdds, 5);
    EXPECT_EQ(all.firstSign.hits, expected.firstSign.hits);
    EXPECT_EQ(all.underOver.hits, expected.underOver.hits);
    EXPECT_EQ(all.valueBets, expected.valueBets);
    EXPECT_DOUBLE_EQ(all.modelRps, expected.modelRps);
    // 15.08.2009 to 17.10.2009: one season, the same figures.
    ASSERT_EQ(record->seasons.size(), 1u);
    EXPECT_EQ(record->seasons[0].figures.model.forecast, 10);
    EXPECT_DOUBLE_EQ(record->seasons[0].figures.model.bookmakerLogLoss, all.bookmakerLogLoss);

    // Walked without the model, the press's figures are the same and the model's empty.
    const std::optional<TrackRecord> plain = trackRecord(program.database(), kLeague, {}, {});
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->withModel);
    EXPECT_EQ(plain->overall.model.forecast, 0);
    EXPECT_FALSE(plain->matches.back().model);
    EXPECT_EQ(plain->overall.firstSign.hits, record->overall.firstSign.hits);
    EXPECT_EQ(plain->overall.bets, record->overall.bets);
}

TEST(ModelRecordWalk, AResultOnOrAfterADayChangesNoForecastOfThatDay) {
    TempProgram program;
    ASSERT_NO_FATAL_FAILURE(playLeague(program));
    const WalkRows rows = readWalkRows(program.database(), kLeague, {});
    const QString cut = kFirstDay.addDays(7 * 7).toString(Qt::ISODate); // the eighth day
    WalkRows changed = rows;
    int altered = 0;
    for (LeagueRow& row : changed.leagueRows)
        if (row.day >= cut && row.homeFor) {
            row.homeFor = *row.homeFor + 3;
            row.awayAgainst = row.homeFor;
            ++altered;
        }
    ASSERT_EQ(altered, 6);

    const std::optional<TrackRecord> first = walkWithModel(rows);
    const std::optional<TrackRecord> second = walkWithModel(changed);
    ASSERT_TRUE(first && second);
    ASSERT_EQ(first->matches.size(), second->matches.size());
    int sameDay = 0, laterDiffer = 0;
    for (std::size_t i = 0; i < first->matches.size(); ++i) {
        const TrackedMatch& a = first->matches[i];
        const TrackedMatch& b = second->matches[i];
        ASSERT_EQ(a.model.has_value(), b.model.has_value()) << i;
        if (!a.model)
            continue;
        const QString day = a.day.toString(Qt::ISODate);
        if (day <= cut) {
            // Fitted on the same matches from the same start: the same to the last bit.
            EXPECT_EQ(a.model->home, b.model->home) << i;
            EXPECT_EQ(a.model->draw, b.model->draw) << i;
            EXPECT_EQ(a.model->under25, b.model->under25) << i;
            sameDay += day == cut;
        } else {
            laterDiffer += a.model->home != b.model->home;
        }
    }
    EXPECT_EQ(sameDay, 2);
    // The change is one the model sees once it lies before the day.
    EXPECT_EQ(laterDiffer, 4);
}

TEST(ModelRecordWalk, ProgressStillReportsDaysAndCancels) {
    TempProgram program;
    ASSERT_NO_FATAL_FAILURE(playLeague(program));
    // A folder without the market's views makes them first, the ten matches with odds counted.
    qsizetype made = 0;
    EXPECT_TRUE(fillMarketViews(program.database(), kLeague, [&](qsizetype d, qsizetype total) {
        EXPECT_EQ(total, kDays);
        made = d;
        return true;
    }));
    EXPECT_EQ(made, kDays);
    std::vector<qsizetype> done;
    const auto record = trackRecord(
        program.database(), kLeague, {}, {},
        [&](qsizetype d, qsizetype total) {
            EXPECT_EQ(total, 2 * kDays);
            done.push_back(d);
            return true;
        },
        ModelWalk{});
    ASSERT_TRUE(record);
    EXPECT_EQ(done.size(), std::size_t(kDays));
    EXPECT_EQ(done.back(), 2 * kDays);
    int calls = 0;
    EXPECT_FALSE(trackRecord(
        program.database(), kLeague, {}, {}, [&](qsizetype, qsizetype) { return ++calls < 7; }, ModelWalk{}));
    EXPECT_EQ(calls, 7);
}

TEST(ModelRecordCsv, AddsTheModelsColumnsAfterThePresss) {
    TempProgram program;
    ASSERT_NO_FATAL_FAILURE(playLeague(program));
    const QDate sixth = kFirstDay.addDays(7 * 5);
    const std::optional<TrackRecord> record =
        trackRecord(program.database(), kLeague, kFirstDay, sixth, {}, ModelWalk{});
    ASSERT_TRUE(record);
    const QStringList lines = QString::fromUtf8(perMatchCsv(*record)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2 + 2 * 6);
    EXPECT_TRUE(
        lines[0].endsWith(",\"Tahmin Yapılmadı\",\"Model 1\",\"Model 0\",\"Model 2\",\"Model 2,5 Alt\","
                          "\"Model İşareti\",\"Model Alt/Üst\",\"Değer Bahisleri\",\"Değer Kârı\","
                          "\"Model Olasılığı Yok\""))
        << lines[0].toStdString();
    // A refused match: the model's columns empty but for its reason; 40 fields, no comma inside them.
    const QStringList refused = lines[1].split(QStringLiteral("\",\""));
    ASSERT_EQ(refused.size(), 40);
    for (int i = 31; i < 39; ++i)
        EXPECT_EQ(refused[i], QString()) << i;
    EXPECT_TRUE(
        refused[39].startsWith(QStringLiteral("Kartal bu ligde 15.08.2009 tarihinden önce yalnızca 0 maç")))
        << refused[39].toStdString();

    // The sixth day's first match, with odds: its probabilities with four decimals, summing to 1.
    const TrackedMatch& match = record->matches[10];
    ASSERT_TRUE(match.model && match.modelVerdicts && match.modelVerdicts->againstOdds);
    const QStringList fields = lines[11].split(QStringLiteral("\",\""));
    ASSERT_EQ(fields.size(), 40);
    double sum = 0;
    for (int i = 31; i < 34; ++i)
        sum += fields[i].toDouble();
    EXPECT_NEAR(sum, 1.0, 2e-4);
    EXPECT_EQ(fields[31], QString::number(match.model->home, 'f', 4));
    EXPECT_EQ(fields[34], QString::number(match.model->under25, 'f', 4));
    EXPECT_EQ(fields[35], match.modelVerdicts->signHit ? "tuttu" : "tutmadı");
    EXPECT_EQ(fields[37], match.modelVerdicts->againstOdds->valueSigns);
    EXPECT_EQ(fields[39], "\"");
}

} // namespace
} // namespace vezal
