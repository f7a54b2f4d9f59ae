// The bulletin over a made-up league: its lines sorted to leagues by their code, its probabilities (the
// Asian handicap's among them) against the ones "probabilities" gives for each pairing, and its evidence
// against the track record's value bets.
#include "betting/Bulletin.h"
#include "betting/Evidence.h"

#include "evidence/PairingProbabilities.h"
#include "evidence/TrackRecord.h"
#include "exchange/Import.h"
#include "model/Pricing.h"
#include "store/support/TempProgram.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TempProgram;

const QStringList kTeams = {"Sivas", "Rize", "Hatay", "Bolu", "Kartal", "Çorum"};

// Two seasons of double round robins, a round a week, scores and average odds from a fixed pattern, so
// that the model finds value on some matches and not on others.
QByteArray madeUpLeague() {
    QByteArray bytes =
        "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgH,AvgD,AvgA,Avg>2.5,Avg<2.5,AvgCH,AvgCD,AvgCA\r\n";
    QDate day(2020, 8, 1);
    int n = 0;
    for (int season = 0; season < 2; ++season)
        for (int round = 0; round < 10; ++round, day = day.addDays(7))
            for (int i = 0; i < 3; ++i, ++n) {
                // The circle method: team 0 stays, the others turn.
                const int a = i == 0 ? 0 : 1 + (round + i - 1) % 5;
                const int b = 1 + (round + 4 - i) % 5;
                const bool swap = (round + season) % 2 == 1;
                const QString home = kTeams[swap ? b : a], away = kTeams[swap ? a : b];
                const int hg = (n * 7 + 3) % 4, ag = (n * 5 + 1) % 3;
                // The closing prices move the home win's by -5 %, 0 or +5 %.
                const double homeOdds = 1.7 + 0.25 * (n % 5), awayOdds = 2.4 + 0.5 * (n % 4);
                const double move = 1 + 0.05 * (n % 3 - 1);
                bytes += QStringLiteral("T1,%1,%2,%3,%4,%5,%6,3.30,%7,%8,1.90,%9,3.30,%10\r\n")
                             .arg(day.toString(QStringLiteral("dd/MM/yyyy")), home, away)
                             .arg(hg)
                             .arg(ag)
                             .arg(homeOdds, 0, 'f', 2)
                             .arg(awayOdds, 0, 'f', 2)
                             .arg(1.7 + 0.1 * (n % 6), 0, 'f', 2)
                             .arg(homeOdds * move, 0, 'f', 2)
                             .arg(awayOdds / move, 0, 'f', 2)
                             .toUtf8();
            }
    return bytes;
}

class BulletinTest : public ::testing::Test {
protected:
    void SetUp() override {
        const MatchFileReading reading =
            readMatchFile(madeUpLeague(), MatchFileKind::Results, QDate(2025, 3, 1));
        ASSERT_FALSE(reading.refusal);
        ASSERT_TRUE(reading.rejected.empty());
        const ImportOutcome outcome =
            importResults(program.database(), program.table(), QStringLiteral("T1"), reading.rows, {});
        ASSERT_EQ(outcome.added, 60);
    }
    TempProgram program;
};

TEST_F(BulletinTest, LinesGoToTheLeagueOfTheirCodeOrAreCountedPerCode) {
    const QByteArray file = "Div,Date,Time,HomeTeam,AwayTeam,AvgH,AvgD,AvgA\r\n"
                            "T1,01/06/2021,19:00,Sivas,Rize,2.10,3.30,3.50\r\n"
                            "E0,01/06/2021,15:00,Arsenal,Leeds,1.50,4.00,6.00\r\n"
                            "t1,02/06/2021,20:00,Bolu,Hatay,,,\r\n"
                            "E0,02/06/2021,15:00,Leeds,Arsenal,,,\r\n"
                            "SP1,02/06/2021,21:00,Betis,Cadiz,,,\r\n";
    const MatchFileReading reading = readMatchFile(file, MatchFileKind::Fixtures, QDate(2025, 3, 1));
    const QStringList leagues = {"E1", "T1"};
    const FixtureSorting sorted = sortFixtures(reading.rows, leagues, std::nullopt);
    ASSERT_EQ(sorted.fixtures.size(), 2u);
    EXPECT_EQ(sorted.fixtures[0].home, "Sivas");
    EXPECT_EQ(sorted.fixtures[1].league, "T1"); // the code in any letter case
    EXPECT_EQ(sorted.fixtures[1].time, "20:00");
    EXPECT_EQ(sorted.skipped, (std::map<QString, int>{{"E0", 2}, {"SP1", 1}}));

    const FixtureSorting chosen = sortFixtures(reading.rows, leagues, QStringLiteral("E1"));
    EXPECT_EQ(chosen.fixtures.size(), 5u);
    EXPECT_TRUE(chosen.skipped.empty());
    EXPECT_EQ(chosen.fixtures[2].league, "E1");

    // A league's kept code comes before a league named as the code; a code of an unlisted league is none.
    const std::vector<LeagueSource> sources = {{"Premier", "e0", "https://x/E0.csv"},
                                               {"Süper Lig", "T1", "https://x/T1.csv"},
                                               {"Eski", "SP1", "https://x/SP1.csv"}};
    const FixtureSorting coded =
        sortFixtures(reading.rows, {"E1", "Premier", "Süper Lig", "T1"}, std::nullopt, sources);
    ASSERT_EQ(coded.fixtures.size(), 4u);
    EXPECT_EQ(coded.fixtures[0].league, QString::fromUtf8("Süper Lig"));
    EXPECT_EQ(coded.fixtures[1].league, "Premier");
    EXPECT_EQ(coded.skipped, (std::map<QString, int>{{"SP1", 1}}));
}

TEST_F(BulletinTest, ProbabilitiesAreThoseOfEachPairingAndUnknownTeamsGetTheirReason) {
    const QDate day1(2021, 6, 1), day2(2021, 6, 8);
    std::vector<Fixture> fixtures = {
        {day1, "19:00", "T1", "Sivas", "Rize", {}},
        {day2, "19:00", "T1", "Bolu", "Çorum", {}},
        {day1, "20:00", "T1", "Hatay", "Kartal", {}},
        {day1, "20:00", "T1", "Sivas", "Ankara", {}},
    };
    fixtures[0].quotes = {{{"B365", false, QuoteOutcome::Home, 2.10}, "2.10"},
                          {{"B365", false, QuoteOutcome::Draw, 3.30}, "3.30"},
                          {{"B365", false, QuoteOutcome::Away, 3.50}, "3.50"}};
    const std::vector<BulletinRow> rows = bulletinRows(program.database(), fixtures, BulletinRule{});
    ASSERT_EQ(rows.size(), 3 * 7 + 1u);
    for (std::size_t f = 0; f < 3; ++f) {
        const PairingProbabilities expected = pairingProbabilities(program.database(), "T1", fixtures[f].home,
                                                                   fixtures[f].away, fixtures[f].day);
        ASSERT_FALSE(expected.refusal);
        const model::MatchForecast& e = expected.forecast.forecast;
        const double probabilities[] = {e.outcome.home, e.outcome.draw, e.outcome.away, e.under25,
                                        e.over25,       e.bothScore,    1 - e.bothScore};
        for (std::size_t m = 0; m < 7; ++m) {
            const BulletinRow& row = rows[f * 7 + m];
            EXPECT_EQ(row.fixture, &fixtures[f]);
            EXPECT_TRUE(row.market == bulletinOutcome(kBulletinMarkets[m])) << f << ' ' << m;
            // The codes the rows had before the markets became the markets' outcomes.
            EXPECT_EQ(model::outcomeCode(row.market),
                      (QStringList{"1", "0", "2", "ALT", "UST", "KGVAR", "KGYOK"}[m]));
            EXPECT_EQ(row.modelProbability, probabilities[m]) << f << ' ' << m;
            // Without the market's odds of a market the forecast is the model's.
            if (f > 0 || m >= 3) {
                EXPECT_EQ(row.probability, probabilities[m]) << f << ' ' << m;
            }
        }
    }
    // With odds: 1/2.1, 1/3.3, 1/3.5 sum to 1.06364; the home win's share is 0.47619 / 1.06364 = 0.44770.
    const double book[] = {(1 / 2.1) / (1 / 2.1 + 1 / 3.3 + 1 / 3.5),
                           (1 / 3.3) / (1 / 2.1 + 1 / 3.3 + 1 / 3.5),
                           (1 / 3.5) / (1 / 2.1 + 1 / 3.3 + 1 / 3.5)};
    ASSERT_TRUE(rows[0].book);
    EXPECT_NEAR(*rows[0].book, book[0], 1e-12);
    // The forecast of the three: book^0.55 * model^0.45, normalised; its value and stake at the odds.
    double pooled[3], sum = 0;
    for (std::size_t m = 0; m < 3; ++m)
        sum += pooled[m] = std::pow(book[m], 0.55) * std::pow(rows[m].modelProbability, 0.45);
    for (std::size_t m = 0; m < 3; ++m)
        EXPECT_NEAR(rows[m].probability, pooled[m] / sum, 1e-12) << m;
    ASSERT_TRUE(rows[0].value);
    EXPECT_NEAR(*rows[0].value, rows[0].probability * 2.1 - 1, 1e-12);
    EXPECT_FALSE(rows[3].odds); // under 2.5 has no odds
    EXPECT_FALSE(rows[3].stake);
    EXPECT_EQ(rows[21].reason,
              pairingProbabilities(program.database(), "T1", "Sivas", "Ankara", day1).refusal);
}

// The Asian rows follow a fixture's seven, from the grid of the pairing's probabilities: the model's own
// where the fixture has no 1X2 odds, moved to the pooled 1X2 where it has.
TEST_F(BulletinTest, AsianRowsComeLastFromTheGridOfThePairingsProbabilities) {
    const QDate day(2021, 6, 1);
    std::vector<Fixture> fixtures = {{day, "19:00", "T1", "Sivas", "Rize", {}},
                                     {day, "20:00", "T1", "Hatay", "Kartal", {}}};
    fixtures[0].quotes = {{{"B365", false, QuoteOutcome::Home, 2.10}, "2.10"},
                          {{"B365", false, QuoteOutcome::Draw, 3.30}, "3.30"},
                          {{"B365", false, QuoteOutcome::Away, 3.50}, "3.50"},
                          {{"B365", false, QuoteOutcome::AsianHome, 1.95, -1}, "1.95"},
                          {{"B365", false, QuoteOutcome::AsianAway, 1.90, 1}, "1.90"}};
    fixtures[1].quotes = {{{"PS", false, QuoteOutcome::AsianHome, 2.00, 2}, "2.00"},
                          {{"PS", false, QuoteOutcome::AsianAway, 1.85, -2}, "1.85"}};
    const std::vector<BulletinRow> rows = bulletinRows(program.database(), fixtures, BulletinRule{});
    ASSERT_EQ(rows.size(), 18u);
    const QStringList codes = {"1", "0", "2", "ALT", "UST", "KGVAR", "KGYOK"};
    const QStringList asian[] = {{"AH1-0.25", "AH2+0.25"}, {"AH1+0.5", "AH2-0.5"}};
    const std::optional<model::ThreeWay> odds[] = {model::ThreeWay{2.10, 3.30, 3.50}, std::nullopt};
    for (std::size_t f = 0; f < 2; ++f) {
        for (std::size_t m = 0; m < 9; ++m)
            EXPECT_EQ(model::outcomeCode(rows[f * 9 + m].market), m < 7 ? codes[m] : asian[f][m - 7]) << f;
        const PairingProbabilities own =
            pairingProbabilities(program.database(), "T1", fixtures[f].home, fixtures[f].away, day);
        const PairingProbabilities pooled =
            pairingProbabilities(program.database(), "T1", fixtures[f].home, fixtures[f].away, day, odds[f]);
        ASSERT_TRUE(own.grid && pooled.grid);
        for (std::size_t side = 0; side < 2; ++side) {
            const BulletinRow& row = rows[f * 9 + 7 + side];
            const model::OutcomeChances mine = model::chancesOf(*own.grid, row.market);
            const model::OutcomeChances forecast = model::chancesOf(*pooled.grid, row.market);
            EXPECT_NEAR(row.modelProbability, mine.win + mine.halfWin / 2, 1e-9) << f << side;
            EXPECT_NEAR(row.probability, forecast.win + forecast.halfWin / 2, 1e-9) << f << side;
            ASSERT_TRUE(row.odds && row.value) << f << side;
            EXPECT_NEAR(*row.value, model::expectedValue(forecast, row.odds->quote.odds), 1e-9) << f << side;
        }
        // The grid the Asian rows come from gives the 1X2 rows' forecast.
        EXPECT_NEAR(model::chancesOf(*pooled.grid, rows[f * 9].market).win, rows[f * 9].probability, 1e-9)
            << f;
    }
    EXPECT_NE(rows[7].probability, rows[7].modelProbability); // pooled with the 1X2 odds
    EXPECT_EQ(rows[16].probability, rows[16].modelProbability);
}

// With the pool's rows a fixture's first rows are as they were, and the pool's follow them priced from the
// same grid: 1X is what 1 and 0 show together, the bands share out every score.
TEST_F(BulletinTest, PoolRowsFollowTheOthersAndLeaveThemAsTheyWere) {
    const QDate day(2021, 6, 1);
    std::vector<Fixture> fixtures = {{day, "19:00", "T1", "Sivas", "Rize", {}},
                                     {day, "20:00", "T1", "Hatay", "Kartal", {}}};
    fixtures[0].quotes = {{{"B365", false, QuoteOutcome::Home, 2.10}, "2.10"},
                          {{"B365", false, QuoteOutcome::Draw, 3.30}, "3.30"},
                          {{"B365", false, QuoteOutcome::Away, 3.50}, "3.50"}};
    const std::vector<BulletinRow> plain = bulletinRows(program.database(), fixtures, BulletinRule{});
    BulletinRule rule;
    rule.fairRows = true;
    const std::vector<BulletinRow> rows = bulletinRows(program.database(), fixtures, rule);
    ASSERT_EQ(plain.size(), 14u);
    ASSERT_EQ(rows.size(), 40u);
    const QStringList codes = {"1",      "0",      "2",    "ALT",  "UST",  "KGVAR",  "KGYOK",
                               "1X",     "12",     "X2",   "DNB1", "DNB2", "ALT1.5", "UST1.5",
                               "ALT3.5", "UST3.5", "TG01", "TG23", "TG45", "TG6"};
    for (std::size_t f = 0; f < 2; ++f) {
        SCOPED_TRACE(f);
        const BulletinRow* row = &rows[f * 20];
        for (std::size_t m = 0; m < 20; ++m)
            EXPECT_EQ(model::outcomeCode(row[m].market), codes[m]) << m;
        for (std::size_t m = 0; m < 7; ++m) {
            const BulletinRow& before = plain[f * 7 + m];
            EXPECT_EQ(row[m].probability, before.probability) << m;
            EXPECT_EQ(row[m].modelProbability, before.modelProbability) << m;
            EXPECT_EQ(row[m].book, before.book) << m;
            EXPECT_EQ(row[m].value, before.value) << m;
            EXPECT_EQ(row[m].stake, before.stake) << m;
            EXPECT_FALSE(before.fair) << m;
            // The fair odds where no price is: KGVAR's 1 / its probability; none beside the file's odds.
            if (before.odds) {
                EXPECT_FALSE(row[m].fair) << m;
            } else {
                ASSERT_TRUE(row[m].fair) << m;
                EXPECT_NEAR(*row[m].fair * row[m].probability, 1, 1e-12) << m;
            }
        }
        const double home = row[0].probability, draw = row[1].probability, away = row[2].probability;
        EXPECT_NEAR(row[7].probability, home + draw, 1e-9);
        EXPECT_NEAR(row[8].probability, home + away, 1e-9);
        EXPECT_NEAR(row[9].probability, draw + away, 1e-9);
        EXPECT_NEAR(row[10].probability, home, 1e-9);
        EXPECT_NEAR(row[11].probability, away, 1e-9);
        // DNB1's fair odds count the push: (1 - draw) / home.
        ASSERT_TRUE(row[10].fair);
        EXPECT_NEAR(*row[10].fair, (1 - draw) / home, 1e-8);
        EXPECT_NEAR(row[12].probability + row[13].probability, 1, 1e-12);
        EXPECT_NEAR(row[14].probability + row[15].probability, 1, 1e-12);
        // The lines in order: more goals are less likely, and 2.5 lies between 1.5 and 3.5.
        EXPECT_LT(row[12].probability, row[3].probability);
        EXPECT_LT(row[3].probability, row[14].probability);
        EXPECT_NEAR(row[16].probability + row[17].probability + row[18].probability + row[19].probability, 1,
                    1e-12);
        // TG01 is ALT1.5 under another code.
        EXPECT_NEAR(row[16].probability, row[12].probability, 1e-12);
        for (std::size_t m = 7; m < 20; ++m) {
            EXPECT_FALSE(row[m].odds || row[m].value || row[m].stake) << m;
            EXPECT_TRUE(row[m].fair) << m;
        }
    }
    // Without 1X2 odds nothing is pooled: the pool's rows show the model's own.
    EXPECT_EQ(rows[27].probability, rows[27].modelProbability);
    EXPECT_NE(rows[7].probability, rows[7].modelProbability);
    EXPECT_EQ(bulletinTotals(rows).bets, bulletinTotals(plain).bets);
}

TEST_F(BulletinTest, EvidenceAtTheAverageOddsIsTheTrackRecordsValueBets) {
    for (const double threshold : {0.0, 0.02, 0.05}) {
        BulletinRule rule;
        rule.odds = *OddsChoice::fromText(QStringLiteral("avg"));
        rule.stake.threshold = threshold;
        const LeagueEvidence evidence = leagueEvidence(program.database(), QStringLiteral("T1"), rule);
        ModelWalk walk;
        walk.valueThreshold = threshold;
        const std::optional<TrackRecord> record =
            trackRecord(program.database(), QStringLiteral("T1"), {}, {}, {}, walk);
        ASSERT_TRUE(record);
        const ModelFigures& model = record->overall.model;
        ASSERT_GT(model.valueBets, 0) << threshold; // the comparison means something
        EXPECT_EQ(evidence.oneXTwo.bets, model.valueBets) << threshold;
        EXPECT_EQ(evidence.oneXTwo.won, model.valueWon) << threshold;
        EXPECT_NEAR(evidence.oneXTwo.profit, model.valueProfit, 1e-9) << threshold;
        // Every bet has closing odds, and both walks hold them against the same close.
        EXPECT_EQ(evidence.oneXTwo.closeValue.count, model.valueBets) << threshold;
        EXPECT_EQ(model.closeValue.count, model.valueBets) << threshold;
        EXPECT_NEAR(evidence.oneXTwo.closeValue.sum, model.closeValue.sum, 1e-9) << threshold;
        EXPECT_TRUE(evidence.underOver.oddsKept);
    }
}

TEST(EvidenceFiguresTest, YieldAndItsIntervalByHand) {
    EvidenceFigures figures;
    // Four bets: won at 3.00 (+2), lost, lost, won at 2.00 (+1): profit 1, yield 25 %. The returns' mean
    // 0.25, squares about it 3.0625 + 1.5625 + 1.5625 + 0.5625 = 6.75, sd sqrt(6.75 / 3) = 1.5, se 0.75,
    // so 0.25 +- 1.47: -122 % to 172 %.
    figures.returns = {2, -1, -1, 1};
    figures.bets = 4;
    figures.won = 2;
    figures.profit = 1;
    EXPECT_DOUBLE_EQ(*figures.yieldPercent(), 25.0);
    const auto interval = figures.yieldInterval();
    ASSERT_TRUE(interval);
    EXPECT_NEAR(interval->first, -122.0, 1e-9);
    EXPECT_NEAR(interval->second, 172.0, 1e-9);
    figures.returns = {2};
    EXPECT_FALSE(figures.yieldInterval());
    EXPECT_FALSE(EvidenceFigures{}.yieldPercent());
}

} // namespace
} // namespace vezal
