// Value bets held against the closing line: each bet's closing-line value and expected value at the close
// worked by hand, their counting with the forecast's scores, and the prices the walk takes from the kept
// quotes.
#include "evidence/TrackRecord.h"

#include "exchange/Import.h"
#include "store/support/TempProgram.h"

#include <QHash>
#include <cstring>
#include <gtest/gtest.h>

namespace vezal {
namespace {

// The forecast 0.5 0.3 0.2 against odds taken of 2.30 3.50 5.50: values 0.15, 0.05 and 0.10. The closing
// odds 2.10 3.40 3.50 with the closing market's margin-free 0.45 0.28 0.27:
//   closing-line value 2.30 / 2.10 - 1 = 0.0952381, 3.50 / 3.40 - 1 = 0.0294118, 5.50 / 3.50 - 1 = 0.5714286;
//   expected value at the close 0.45 * 2.30 - 1 = 0.035, 0.28 * 3.50 - 1 = -0.02, 0.27 * 5.50 - 1 = 0.485.
MatchPrices handPrices() {
    MatchPrices prices;
    prices.taken = {2.30, 3.50, 5.50};
    prices.closing = model::ThreeWay{0.45, 0.28, 0.27};
    prices.closingOdds = {2.10, 3.40, 3.50};
    return prices;
}

TEST(ClosingLine, EachValueBetAgainstTheCloseByHand) {
    const model::ThreeWay forecast{0.5, 0.3, 0.2};
    const struct {
        double threshold;
        const char* signs;
        double clv[3];
        double close[3];
    } cases[] = {
        {0.03, "102", {0.0952381, 0.0294118, 0.5714286}, {0.035, -0.02, 0.485}},
        {0.06, "12", {0.0952381, 0.5714286}, {0.035, 0.485}},
        {0.15, "", {}, {}}, // 0.15 is not above 0.15
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.threshold);
        const std::vector<ValueBet> bets = valueBets(forecast, handPrices(), 1, 0, c.threshold);
        ASSERT_EQ(bets.size(), std::strlen(c.signs));
        for (std::size_t i = 0; i < bets.size(); ++i) {
            EXPECT_EQ(bets[i].sign, QString(QChar::fromLatin1(c.signs[i])));
            ASSERT_TRUE(bets[i].closingLineValue && bets[i].closeValue);
            EXPECT_NEAR(*bets[i].closingLineValue, c.clv[i], 1e-7);
            EXPECT_NEAR(*bets[i].closeValue, c.close[i], 1e-12);
            // 1-0: the home bet wins 2.30 - 1, the others lose their unit.
            EXPECT_EQ(bets[i].won, bets[i].sign == QLatin1String("1"));
            EXPECT_NEAR(bets[i].profit(), bets[i].won ? 1.3 : -1.0, 1e-12);
        }
    }
    // Without closing odds the bets stand, with nothing to hold them against.
    MatchPrices before = handPrices();
    before.closing.reset();
    before.closingOdds = {};
    const std::vector<ValueBet> bets = valueBets(forecast, before, 0, 0, 0.03);
    ASSERT_EQ(bets.size(), 3u);
    EXPECT_FALSE(bets[0].closingLineValue);
    EXPECT_FALSE(bets[0].closeValue);
    // Odds missing for an outcome (0) take no bet on it.
    before.taken.draw = 0;
    EXPECT_EQ(valueBets(forecast, before, 0, 0, 0.03).size(), 2u);
}

// The three expected values above: mean 0.5 / 3 = 0.1666667; squares about it 0.0173361 + 0.0348444 +
// 0.1013361 = 0.1535167, sd sqrt(0.1535167 / 2) = 0.2770529, se 0.1599565, so 0.1666667 +- 0.3135148.
TEST(ClosingLine, CountedWithTheirMeanAndInterval) {
    ModelFigures figures;
    ModelVerdicts verdicts;
    verdicts.againstOdds = OddsVerdicts{};
    setValueBets(verdicts, valueBets({0.5, 0.3, 0.2}, handPrices(), 1, 0, 0.03));
    EXPECT_EQ(verdicts.againstOdds->valueSigns, "102");
    EXPECT_TRUE(verdicts.againstOdds->valueWon);
    EXPECT_NEAR(verdicts.againstOdds->valueProfit, 1.3 - 2, 1e-12);
    addModelMatch(figures, {0.5, 0.3, 0.2, 0.5}, 1, 0, verdicts);
    EXPECT_EQ(figures.valueBets, 3);
    EXPECT_EQ(figures.valueWon, 1);
    EXPECT_EQ(figures.closeValue.count, 3);
    EXPECT_NEAR(figures.closeValue.sum, 0.5, 1e-12);
    ASSERT_TRUE(figures.closeValue.interval());
    EXPECT_NEAR(*figures.closeValue.mean(), 0.1666667, 1e-7);
    EXPECT_NEAR(figures.closeValue.interval()->first, -0.1468483, 1e-7);
    EXPECT_NEAR(figures.closeValue.interval()->second, 0.4801816, 1e-7);
    EXPECT_NEAR(*figures.closingLineValue.mean(), (0.0952381 + 0.0294118 + 0.5714286) / 3, 1e-7);
    // One value alone has a mean and no interval.
    Spread one;
    one.add(0.2);
    EXPECT_EQ(one.mean(), 0.2);
    EXPECT_FALSE(one.interval());
}

// The forecast and the two markets on a home win: RPS ((p1 - 1)^2 + (p1 + p0 - 1)^2) / 2.
// Forecast 0.5 0.3 0.2: (0.25 + 0.04) / 2 = 0.145. Opening 0.4 0.3 0.3: (0.36 + 0.09) / 2 = 0.225.
// Closing 0.45 0.28 0.27: (0.3025 + 0.0729) / 2 = 0.1877.
TEST(ClosingLine, ScoresTheForecastBesideBothMarkets) {
    MatchPrices prices = handPrices();
    prices.opening = model::ThreeWay{0.4, 0.3, 0.3};
    const MarketScores scores = scoreMarkets({0.5, 0.3, 0.2}, prices, 2, 1);
    ASSERT_TRUE(scores.forecastRps && scores.openingRps && scores.closingRps);
    EXPECT_NEAR(*scores.forecastRps, 0.145, 1e-12);
    EXPECT_NEAR(*scores.openingRps, 0.225, 1e-12);
    EXPECT_NEAR(*scores.closingRps, 0.1877, 1e-12);

    ModelFigures figures;
    ModelVerdicts verdicts;
    verdicts.againstMarket = scores;
    addModelMatch(figures, {0.5, 0.3, 0.2, 0.5}, 2, 1, verdicts);
    prices.opening.reset();
    verdicts.againstMarket = scoreMarkets({0.5, 0.3, 0.2}, prices, 2, 1); // closing only
    addModelMatch(figures, {0.5, 0.3, 0.2, 0.5}, 2, 1, verdicts);
    EXPECT_EQ(figures.withOpening, 1);
    EXPECT_EQ(figures.withClosing, 2);
    EXPECT_NEAR(*figures.meanForecastRps(), 0.145, 1e-12);
    EXPECT_NEAR(*figures.meanOpeningRps(), 0.225, 1e-12);
    EXPECT_NEAR(*figures.meanClosingRps(), 0.1877, 1e-12);
}

Quote quote(const char* source, bool closing, QuoteOutcome outcome, double odds) {
    return {QString::fromLatin1(source), closing, outcome, odds};
}

// One match with the average and the best before closing, the average and Pinnacle at closing:
//   before, the average's 1/2.00 + 1/3.40 + 1/4.00 = 1.0441176: 0.4788732 0.2816901 0.2394366;
//   at closing, 1/1.90 + 1/3.50 + 1/4.50 = 1.0342523: 0.5088853 0.2762520 0.2148627.
// Another kept only its one bookmaker's 2.05 3.30 3.90 (an older import): 1/2.05 + 1/3.3 + 1/3.9 =
// 1.0735936: 0.4657980 0.2893594 0.2448426, the market before closing; no closing.
TEST(ClosingLine, PricesFromTheKeptQuotes) {
    const QString day = QStringLiteral("2020-08-09");
    std::vector<KeptQuote> quotes;
    const std::pair<const char*, bool> books[] = {
        {"Avg", false}, {"Max", false}, {"Avg", true}, {"PS", true}};
    const double odds[4][3] = {
        {2.00, 3.40, 4.00}, {2.20, 3.60, 4.40}, {1.90, 3.50, 4.50}, {1.95, 3.60, 4.60}};
    for (int b = 0; b < 4; ++b)
        for (int o = 0; o < 3; ++o)
            quotes.push_back(
                {day, "Kartal", "Bolu",
                 quote(books[b].first, books[b].second, static_cast<QuoteOutcome>(o), odds[b][o])});
    const std::vector<KeptOdds> kept = {{day, "Kartal", "Bolu", {2.05, 3.30, 3.90}},
                                        {day, "Sivas", "Rize", {2.05, 3.30, 3.90}}};
    const QString first = matchKey(day, "Kartal", "Bolu"), second = matchKey(day, "Sivas", "Rize");

    const struct {
        const char* choice;
        model::ThreeWay taken, closingOdds;
    } cases[] = {
        // Before closing only the market's average and best, no bookmaker's price to take; Pinnacle's at
        // closing.
        {"best", {0, 0, 0}, {1.95, 3.60, 4.60}},
        {"avg", {2.00, 3.40, 4.00}, {1.90, 3.50, 4.50}},
        {"PS", {0, 0, 0}, {1.95, 3.60, 4.60}},             // no Pinnacle before closing: no bets
        {nullptr, {2.05, 3.30, 3.90}, {1.90, 3.50, 4.50}}, // the one bookmaker's, closing by the average
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice ? c.choice : "none");
        const std::optional<OddsChoice> choice =
            c.choice ? OddsChoice::fromText(QString::fromLatin1(c.choice)) : std::nullopt;
        const QHash<QString, MatchPrices> prices = matchPrices(quotes, kept, choice);
        ASSERT_TRUE(prices.contains(first));
        const MatchPrices& p = prices[first];
        EXPECT_EQ(p.taken.home, c.taken.home);
        EXPECT_EQ(p.taken.draw, c.taken.draw);
        EXPECT_EQ(p.taken.away, c.taken.away);
        EXPECT_EQ(p.closingOdds.home, c.closingOdds.home);
        EXPECT_EQ(p.closingOdds.away, c.closingOdds.away);
        ASSERT_TRUE(p.opening && p.closing);
        EXPECT_NEAR(p.opening->home, 0.4788732, 1e-7);
        EXPECT_NEAR(p.opening->away, 0.2394366, 1e-7);
        EXPECT_NEAR(p.closing->home, 0.5088853, 1e-7);
        EXPECT_NEAR(p.closing->draw, 0.2762520, 1e-7);

        ASSERT_TRUE(prices.contains(second));
        const MatchPrices& older = prices[second];
        ASSERT_TRUE(older.opening);
        EXPECT_NEAR(older.opening->home, 0.4657980, 1e-7);
        EXPECT_FALSE(older.closing);
        EXPECT_EQ(older.taken.home, c.choice ? 0.0 : 2.05);
    }
}

// ---- The walk, against the odds of the file ----

const QStringList kTeams = {"Sivas", "Rize", "Hatay", "Bolu", "Kartal", "Çorum"};

struct FileOdds {
    double before[3];
    double closing[3];
};

// Two seasons of double round robins, a round a week, with the market's average odds before and at
// closing from fixed patterns; the odds of each match by its day and teams.
QByteArray leagueWithClosingOdds(QHash<QString, FileOdds>& odds) {
    QByteArray bytes = "Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgH,AvgD,AvgA,AvgCH,AvgCD,AvgCA\n";
    QDate day(2020, 8, 1);
    int n = 0;
    for (int season = 0; season < 2; ++season)
        for (int round = 0; round < 10; ++round, day = day.addDays(7))
            for (int i = 0; i < 3; ++i, ++n) {
                const int a = i == 0 ? 0 : 1 + (round + i - 1) % 5;
                const int b = 1 + (round + 4 - i) % 5;
                const bool swap = (round + season) % 2 == 1;
                const QString home = kTeams[swap ? b : a], away = kTeams[swap ? a : b];
                const FileOdds o = {{1.7 + 0.25 * (n % 5), 3.3, 2.4 + 0.5 * (n % 4)},
                                    {1.8 + 0.2 * (n % 4), 3.4, 2.5 + 0.4 * (n % 5)}};
                odds.insert(matchKey(day.toString(Qt::ISODate), home, away), o);
                bytes += QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11\n")
                             .arg(day.toString(QStringLiteral("dd/MM/yyyy")), home, away)
                             .arg((n * 7 + 3) % 4)
                             .arg((n * 5 + 1) % 3)
                             .arg(o.before[0], 0, 'f', 2)
                             .arg(o.before[1], 0, 'f', 2)
                             .arg(o.before[2], 0, 'f', 2)
                             .arg(o.closing[0], 0, 'f', 2)
                             .arg(o.closing[1], 0, 'f', 2)
                             .arg(o.closing[2], 0, 'f', 2)
                             .toUtf8();
            }
    return bytes;
}

// Every value bet of the walk is the forecast's at the average odds taken before closing, and holds the
// closing average's price and margin-free probability of its outcome as the file gives them.
TEST(ClosingLineWalk, EachBetAgainstTheFilesClosingOdds) {
    testing::TempProgram program;
    QHash<QString, FileOdds> odds;
    const MatchFileReading reading =
        readMatchFile(leagueWithClosingOdds(odds), MatchFileKind::Results, QDate(2025, 1, 1));
    ASSERT_FALSE(reading.refusal);
    ASSERT_EQ(importResults(program.database(), program.table(), "T1", reading.rows, {}).added, 60);
    ModelWalk walk;
    walk.odds = OddsChoice::fromText(QStringLiteral("avg"));
    walk.valueThreshold = 0.02;
    walk.fit.poolWeight = 0.6; // enough disagreement with the market to bet
    const std::optional<TrackRecord> record = trackRecord(program.database(), "T1", {}, {}, {}, walk);
    ASSERT_TRUE(record);
    int bets = 0;
    double closeValue = 0;
    for (const TrackedMatch& match : record->matches) {
        ASSERT_TRUE(odds.contains(matchKey(match.day.toString(Qt::ISODate), match.home, match.away)));
        const FileOdds& o = odds[matchKey(match.day.toString(Qt::ISODate), match.home, match.away)];
        double closingSum = 0;
        for (const double c : o.closing)
            closingSum += 1 / c;
        if (match.modelVerdicts) {
            for (const ValueBet& bet : match.modelVerdicts->valueBets) {
                const int i = bet.sign == QLatin1String("1") ? 0 : bet.sign == QLatin1String("0") ? 1 : 2;
                const double p[3] = {match.forecast->home, match.forecast->draw, match.forecast->away};
                EXPECT_DOUBLE_EQ(bet.odds, o.before[i]);
                EXPECT_GT(p[i] * o.before[i] - 1, 0.02);
                ASSERT_TRUE(bet.closingLineValue && bet.closeValue);
                EXPECT_NEAR(*bet.closingLineValue, o.before[i] / o.closing[i] - 1, 1e-12);
                EXPECT_NEAR(*bet.closeValue, (1 / o.closing[i]) / closingSum * o.before[i] - 1, 1e-12);
                ++bets;
                closeValue += *bet.closeValue;
            }
        }
        EXPECT_NEAR(match.cumulativeCloseValue, closeValue, 1e-9);
    }
    ASSERT_GT(bets, 0); // the check means something
    EXPECT_EQ(record->overall.model.closeValue.count, bets);
    EXPECT_NEAR(record->overall.model.closeValue.sum, closeValue, 1e-9);
    EXPECT_EQ(record->overall.model.withClosing, record->overall.model.withOpening);
}

} // namespace
} // namespace vezal
