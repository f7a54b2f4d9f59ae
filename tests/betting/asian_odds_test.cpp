// The Asian handicap's odds: the codes they are kept under, the columns a file gives them in, what the
// import keeps of a line, the margin-free chance of a side at its line, and the 1X2 and over/under readers
// that must pass them by.
#include "betting/Value.h"
#include "exchange/Import.h"
#include "exchange/MarketViews.h"
#include "exchange/OddsColumns.h"

#include "store/QuoteTable.h"
#include "store/support/TempProgram.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TempProgram;
using O = QuoteOutcome;

struct CodeCase {
    const char* code;
    std::optional<O> outcome; // none: no code the table keeps
    int quarterGoals;
};

TEST(QuoteCode, AsianSidesAreKeptAtTheirLineAndTheOldCodesStay) {
    const CodeCase cases[] = {
        {"1", O::Home, 0},
        {"0", O::Draw, 0},
        {"2", O::Away, 0},
        {"ALT", O::Under, 0},
        {"UST", O::Over, 0},
        {"AH1-0.75", O::AsianHome, -3},
        {"AH2+0.75", O::AsianAway, 3},
        {"AH1+0", O::AsianHome, 0},
        {"AH2+0", O::AsianAway, 0},
        {"AH1+0.25", O::AsianHome, 1},
        {"AH2-1.5", O::AsianAway, -6},
        {"AH1-3", O::AsianHome, -12},
        {"AH2+2.5", O::AsianAway, 10},
        // One spelling only: the table never writes these.
        {"AH1-0", std::nullopt, 0},
        {"AH10", std::nullopt, 0},
        {"AH1+0.50", std::nullopt, 0},
        {"AH1-0.3", std::nullopt, 0},
        {"AH1-3.25", std::nullopt, 0},
        {"AH0+1", std::nullopt, 0},
        {"ah1-0.75", std::nullopt, 0},
        {"AH1", std::nullopt, 0},
        {"X", std::nullopt, 0},
    };
    for (const CodeCase& c : cases) {
        const QString code = QString::fromLatin1(c.code);
        const std::optional<QuoteCode> read = readQuoteCode(code);
        ASSERT_EQ(read.has_value(), c.outcome.has_value()) << c.code;
        if (!read)
            continue;
        EXPECT_EQ(read->outcome, *c.outcome) << c.code;
        EXPECT_EQ(read->quarterGoals, c.quarterGoals) << c.code;
        EXPECT_EQ(quoteCode(Quote{QStringLiteral("PS"), false, *c.outcome, 1.9, c.quarterGoals}), code);
    }
}

struct ColumnCase {
    const char* name;
    const char* source; // nullptr: no odds column
    bool closing;
    O outcome;
};

TEST(OddsColumn, AsianSidesOfEveryBookAndMoment) {
    const ColumnCase cases[] = {
        {"B365AHH", "B365", false, O::AsianHome},
        {"B365AHA", "B365", false, O::AsianAway},
        {"PAHH", "PS", false, O::AsianHome},
        {"MaxAHA", "Max", false, O::AsianAway},
        {"AvgAHH", "Avg", false, O::AsianHome},
        {"B365CAHA", "B365", true, O::AsianAway},
        {"PCAHH", "PS", true, O::AsianHome},
        {"MaxCAHH", "Max", true, O::AsianHome},
        {"AvgCAHA", "Avg", true, O::AsianAway},
        {"BbMxAHH", "Max", false, O::AsianHome},
        {"BbAvAHA", "Avg", false, O::AsianAway},
        // The lines and the count of books are no odds.
        {"AHh", nullptr, false, {}},
        {"AHCh", nullptr, false, {}},
        {"BbAHh", nullptr, false, {}},
        {"BbAH", nullptr, false, {}},
    };
    for (const ColumnCase& c : cases) {
        const std::optional<OddsColumn> column = oddsColumn(QString::fromLatin1(c.name), 3);
        ASSERT_EQ(column.has_value(), c.source != nullptr) << c.name;
        if (!column)
            continue;
        EXPECT_EQ(column->source, QString::fromLatin1(c.source)) << c.name;
        EXPECT_EQ(column->closing, c.closing) << c.name;
        EXPECT_EQ(column->outcome, c.outcome) << c.name;
    }
}

// Sivas-Rize: every book before closing at -0.75, at closing at -1. Rize-Sivas: the zero line, Pinnacle's
// home odds "1" pay nothing back, the average's closing away odds are missing. Hatay-Bolu: -0.3 is no
// quarter line, 3.25 is beyond three goals: only the 1X2 odds stay. Kartal-Hatay: no line before closing,
// the closing line at the far end, -3.
const QByteArray kSeason =
    "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgH,AvgD,AvgA,AHh,B365AHH,B365AHA,PAHH,PAHA,MaxAHH,MaxAHA,AvgAHH,"
    "AvgAHA,AHCh,B365CAHH,B365CAHA,PCAHH,PCAHA,MaxCAHH,MaxCAHA,AvgCAHH,AvgCAHA\r\n"
    "T1,15/08/2020,Sivas,Rize,2,1,2.00,3.50,4.00,-0.75,1.95,1.95,1.97,1.96,2.05,2.02,1.93,1.92,-1,2.10,1.80,"
    "2.08,1.84,2.15,1.88,2.00,1.90\r\n"
    "T1,16/08/2020,Rize,Sivas,0,0,,,,0,1.90,2.00,1,1.95,,,1.85,2.05,0.25,1.91,1.99,1.80,2.20,,,1.88,\r\n"
    "T1,17/08/2020,Hatay,Bolu,1,1,2.50,3.20,2.80,-0.3,1.90,1.90,,,,,,,3.25,1.90,1.90,,,,,,\r\n"
    "T1,18/08/2020,Kartal,Hatay,3,0,,,,,1.90,1.90,,,,,,,-3,1.90,1.95,,,,,,\r\n";

struct KeptRow {
    const char* source;
    bool closing;
    const char* code;
    double odds;
};

std::vector<Quote> quotesOfLine(const QByteArray& file, std::size_t line) {
    const MatchFileReading reading = readMatchFile(file, MatchFileKind::Results, QDate(2025, 3, 1));
    EXPECT_FALSE(reading.refusal);
    EXPECT_GT(reading.rows.size(), line);
    return reading.rows.size() > line ? plainQuotes(reading.rows[line].quotes) : std::vector<Quote>{};
}

void expectQuotes(const std::vector<Quote>& got, const std::vector<KeptRow>& expected, const char* what) {
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].source, QString::fromLatin1(expected[i].source)) << what << ' ' << i;
        EXPECT_EQ(got[i].closing, expected[i].closing) << what << ' ' << i;
        EXPECT_EQ(quoteCode(got[i]), QString::fromLatin1(expected[i].code)) << what << ' ' << i;
        EXPECT_DOUBLE_EQ(got[i].odds, expected[i].odds) << what << ' ' << i;
    }
}

TEST(AsianColumns, EachSideAtItsMomentsLineAndBadLinesLeftOut) {
    expectQuotes(quotesOfLine(kSeason, 0),
                 {{"Avg", false, "1", 2.00},
                  {"Avg", false, "0", 3.50},
                  {"Avg", false, "2", 4.00},
                  {"B365", false, "AH1-0.75", 1.95},
                  {"B365", false, "AH2+0.75", 1.95},
                  {"PS", false, "AH1-0.75", 1.97},
                  {"PS", false, "AH2+0.75", 1.96},
                  {"Max", false, "AH1-0.75", 2.05},
                  {"Max", false, "AH2+0.75", 2.02},
                  {"Avg", false, "AH1-0.75", 1.93},
                  {"Avg", false, "AH2+0.75", 1.92},
                  {"B365", true, "AH1-1", 2.10},
                  {"B365", true, "AH2+1", 1.80},
                  {"PS", true, "AH1-1", 2.08},
                  {"PS", true, "AH2+1", 1.84},
                  {"Max", true, "AH1-1", 2.15},
                  {"Max", true, "AH2+1", 1.88},
                  {"Avg", true, "AH1-1", 2.00},
                  {"Avg", true, "AH2+1", 1.90}},
                 "Sivas-Rize");
    expectQuotes(quotesOfLine(kSeason, 1),
                 {{"B365", false, "AH1+0", 1.90},
                  {"B365", false, "AH2+0", 2.00},
                  {"PS", false, "AH2+0", 1.95},
                  {"Avg", false, "AH1+0", 1.85},
                  {"Avg", false, "AH2+0", 2.05},
                  {"B365", true, "AH1+0.25", 1.91},
                  {"B365", true, "AH2-0.25", 1.99},
                  {"PS", true, "AH1+0.25", 1.80},
                  {"PS", true, "AH2-0.25", 2.20},
                  {"Avg", true, "AH1+0.25", 1.88}},
                 "Rize-Sivas");
    expectQuotes(quotesOfLine(kSeason, 2),
                 {{"Avg", false, "1", 2.50}, {"Avg", false, "0", 3.20}, {"Avg", false, "2", 2.80}},
                 "Hatay-Bolu");
    expectQuotes(quotesOfLine(kSeason, 3), {{"B365", true, "AH1-3", 1.90}, {"B365", true, "AH2+3", 1.95}},
                 "Kartal-Hatay");
}

TEST(AsianColumns, OlderMarketColumnsGoWithTheOlderLine) {
    const QByteArray older =
        "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,BbAH,BbAHh,BbMxAHH,BbAvAHH,BbMxAHA,BbAvAHA\r\n"
        "T1,17/08/12,Eskisehir,Akhisar,0,1,15,-0.75,1.93,1.88,2.03,1.99\r\n"
        "T1,18/08/12,Bursa,Sivas,2,0,14,1.1,1.93,1.88,2.03,1.99\r\n";
    expectQuotes(quotesOfLine(older, 0),
                 {{"Max", false, "AH1-0.75", 1.93},
                  {"Avg", false, "AH1-0.75", 1.88},
                  {"Max", false, "AH2+0.75", 2.03},
                  {"Avg", false, "AH2+0.75", 1.99}},
                 "older");
    expectQuotes(quotesOfLine(older, 1), {}, "1.1 is no quarter line");
}

class KeptAsianQuotes : public ::testing::Test {
protected:
    void SetUp() override {
        const MatchFileReading reading = readMatchFile(kSeason, MatchFileKind::Results, QDate(2025, 3, 1));
        ASSERT_FALSE(reading.refusal);
        const ImportOutcome outcome =
            importResults(program.database(), program.table(), QStringLiteral("T1"), reading.rows, {});
        ASSERT_EQ(outcome.added, 4);
    }
    TempProgram program;
};

TEST_F(KeptAsianQuotes, TheTableKeepsTheMarketsCodes) {
    QSqlQuery query(program.database().connection());
    ASSERT_TRUE(
        query.exec(QStringLiteral("select Kaynak, Kapanis, Sonuc, Oran from Oranlar where Etkm='Rize' "
                                  "order by Kapanis, Kaynak, Sonuc")));
    const std::vector<KeptRow> expected = {
        {"Avg", false, "AH1+0", 1.85},    {"Avg", false, "AH2+0", 2.05},    {"B365", false, "AH1+0", 1.90},
        {"B365", false, "AH2+0", 2.00},   {"PS", false, "AH2+0", 1.95},     {"Avg", true, "AH1+0.25", 1.88},
        {"B365", true, "AH1+0.25", 1.91}, {"B365", true, "AH2-0.25", 1.99}, {"PS", true, "AH1+0.25", 1.80},
        {"PS", true, "AH2-0.25", 2.20},
    };
    for (const KeptRow& row : expected) {
        ASSERT_TRUE(query.next()) << row.code;
        EXPECT_EQ(query.value(0).toString(), QString::fromLatin1(row.source));
        EXPECT_EQ(query.value(1).toInt() != 0, row.closing);
        EXPECT_EQ(query.value(2).toString(), QString::fromLatin1(row.code));
        EXPECT_DOUBLE_EQ(query.value(3).toDouble(), row.odds);
    }
    EXPECT_FALSE(query.next());
    // 19 + 10 + 3 + 2 rows in all.
    EXPECT_EQ(QuoteTable(program.database()).leagueQuotes(QStringLiteral("T1")).size(), 34u);
}

TEST_F(KeptAsianQuotes, ClosingFairProbabilityOfASideAtItsLine) {
    QuoteTable quotes(program.database());
    struct Case {
        QDate day;
        const char* home;
        const char* away;
        O outcome;
        int quarterGoals;
        std::optional<double> expected;
    };
    const Case cases[] = {
        // The average at -1: 2.00 and 1.90, so the home side 1.90 / 3.90 and the away side 2.00 / 3.90.
        {{2020, 8, 15}, "Sivas", "Rize", O::AsianHome, -4, 1.90 / 3.90},
        {{2020, 8, 15}, "Sivas", "Rize", O::AsianAway, 4, 2.00 / 3.90},
        // -0.75 was the line before closing; the away side at -1 is no line kept.
        {{2020, 8, 15}, "Sivas", "Rize", O::AsianHome, -3, std::nullopt},
        {{2020, 8, 15}, "Sivas", "Rize", O::AsianAway, -4, std::nullopt},
        // The average's away side is missing: Pinnacle's 1.80 and 2.20 give 2.20 / 4.00 and 1.80 / 4.00.
        {{2020, 8, 16}, "Rize", "Sivas", O::AsianHome, 1, 0.55},
        {{2020, 8, 16}, "Rize", "Sivas", O::AsianAway, -1, 0.45},
        {{2020, 8, 17}, "Hatay", "Bolu", O::AsianHome, 13, std::nullopt},
        // Bet365 alone at -3: 1.95 / 3.85 for the home side.
        {{2020, 8, 18}, "Kartal", "Hatay", O::AsianHome, -12, 1.95 / 3.85},
        // The 1X2 odds were kept before closing only.
        {{2020, 8, 15}, "Sivas", "Rize", O::Home, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> fair =
            quotes.closingFairProbability(QStringLiteral("T1"), c.day, QString::fromLatin1(c.home),
                                          QString::fromLatin1(c.away), c.outcome, c.quarterGoals);
        ASSERT_EQ(fair.has_value(), c.expected.has_value()) << c.home << ' ' << c.quarterGoals;
        if (fair) {
            EXPECT_NEAR(*fair, *c.expected, 1e-12) << c.home << ' ' << c.quarterGoals;
        }
    }
}

TEST(FairProbability, AnAsianSideIsPricedAgainstTheOtherSideAtTheSameLine) {
    const std::vector<Quote> book = {
        {"Avg", false, O::AsianHome, 1.90, -2}, {"Avg", false, O::AsianAway, 2.00, 2},
        {"Avg", false, O::AsianHome, 1.70, -1}, {"Avg", false, O::AsianAway, 2.20, 1},
        {"Avg", false, O::AsianHome, 2.00, 0},  {"Avg", false, O::AsianHome, 2.10, 0},
        {"Avg", false, O::AsianAway, 1.80, 0},
    };
    EXPECT_NEAR(*fairProbability(book, O::AsianHome, -2), 2.00 / 3.90, 1e-12);
    EXPECT_NEAR(*fairProbability(book, O::AsianAway, 2), 1.90 / 3.90, 1e-12);
    EXPECT_NEAR(*fairProbability(book, O::AsianAway, 1), 1.70 / 3.90, 1e-12);
    EXPECT_NEAR(*fairProbability(book, O::AsianHome, -1), 2.20 / 3.90, 1e-12);
    EXPECT_FALSE(fairProbability(book, O::AsianHome, 0)); // the home side twice at 0
    EXPECT_FALSE(fairProbability(book, O::AsianHome, 2)); // no away side at -0.5
    EXPECT_FALSE(fairProbability(book, O::Home));
}

TEST(AsianQuotes, TheOneXTwoAndGoalsReadersPassThemBy) {
    // Sivas-Rize: the average's 1X2 2.00 3.50 4.00 beside eight Asian odds of the average and others before
    // closing. Margin-free: 1/2 over 1/2 + 1/3.5 + 1/4 = 29/28, so 14/29 for the home win.
    const std::vector<Quote> quotes = quotesOfLine(kSeason, 0);
    ASSERT_EQ(quotes.size(), 19u);
    EXPECT_NEAR(*bookProbability(quotes, O::Home), 14.0 / 29, 1e-12);
    EXPECT_NEAR(*bookProbability(quotes, O::Away), 7.0 / 29, 1e-12);
    EXPECT_FALSE(bookProbability(quotes, O::Under));
    EXPECT_EQ(marketQuotes(quotes, O::Draw).size(), 3u);
    EXPECT_TRUE(marketQuotes(quotes, O::Over).empty());
    OddsChoice average;
    average.kind = OddsChoice::Kind::Average;
    EXPECT_EQ(chosenQuote(quotes, O::Away, average), std::optional<std::size_t>(2));
    // The best of the bookmakers' 1X2 odds: only the average has any, and it is no bookmaker.
    EXPECT_FALSE(chosenQuote(quotes, O::Home, OddsChoice{}));

    const std::optional<MarketView> view = marketView(quotes, std::nullopt);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->source, "Avg");
    EXPECT_FALSE(view->closing);
    EXPECT_NEAR(view->home, 14.0 / 29, 1e-12);
    EXPECT_NEAR(view->draw, 8.0 / 29, 1e-12);
    EXPECT_FALSE(view->under25);
    // Asian odds alone make no market view.
    EXPECT_FALSE(marketView(quotesOfLine(kSeason, 1), std::nullopt));
}

} // namespace
} // namespace vezal
