// The odds columns of football-data files: which values count, what each column is, what a fixtures file
// gives, what the import keeps and how a closing probability is looked up.
#include "exchange/Import.h"
#include "exchange/OddsColumns.h"

#include "store/Admin.h"
#include "store/OddsTable.h"
#include "store/QuoteTable.h"
#include "store/support/TempProgram.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TempProgram;

struct ValueCase {
    const char* text;
    std::optional<double> expected;
};

TEST(ReadOddsValue, AboveOneAndAtMostAThousandWithPointOrComma) {
    const ValueCase cases[] = {
        {"2.10", 2.10},          {"2,5", 2.5},           {" 3.4 ", 3.4},
        {"1.01", 1.01},          {"1000", 1000.0},       {"1", std::nullopt},
        {"1.0", std::nullopt},   {"0.95", std::nullopt}, {"1000.01", std::nullopt},
        {"1e3", std::nullopt},   {"-2", std::nullopt},   {"+2", std::nullopt},
        {"", std::nullopt},      {"inf", std::nullopt},  {"nan", std::nullopt},
        {"2.1.3", std::nullopt}, {"2.", std::nullopt},   {"2,10,3", std::nullopt},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(readOddsValue(QString::fromUtf8(c.text)), c.expected) << c.text;
}

struct ColumnCase {
    const char* name;
    const char* source; // nullptr: not an odds column
    bool closing;
    QuoteOutcome outcome;
};

TEST(OddsColumn, NamesSourceMomentAndOutcome) {
    const ColumnCase cases[] = {
        {"B365H", "B365", false, QuoteOutcome::Home},
        {"PSD", "PS", false, QuoteOutcome::Draw},
        {"PSCH", "PS", true, QuoteOutcome::Home},
        {"B365CA", "B365", true, QuoteOutcome::Away},
        {"VCH", "VC", false, QuoteOutcome::Home},
        {"VCCD", "VC", true, QuoteOutcome::Draw},
        {"BbAvA", "Avg", false, QuoteOutcome::Away},
        {"BbMxH", "Max", false, QuoteOutcome::Home},
        {"MaxCA", "Max", true, QuoteOutcome::Away},
        {"AvgCH", "Avg", true, QuoteOutcome::Home},
        {"BFEH", "BFE", false, QuoteOutcome::Home},
        {"BFD", "BF", false, QuoteOutcome::Draw},
        {"1XBCA", "1XB", true, QuoteOutcome::Away},
        {"P>2.5", "PS", false, QuoteOutcome::Over},
        {"PC<2.5", "PS", true, QuoteOutcome::Under},
        {"BbAv<2.5", "Avg", false, QuoteOutcome::Under},
        {"BbMx>2.5", "Max", false, QuoteOutcome::Over},
        {"AvgC>2.5", "Avg", true, QuoteOutcome::Over},
        {"B365>2.5", "B365", false, QuoteOutcome::Over},
        // Asian handicap lines, counts, goals and teams are no odds.
        {"AHh", nullptr, false, {}},
        {"BbAHh", nullptr, false, {}},
        {"Bb1X2", nullptr, false, {}},
        {"BbOU", nullptr, false, {}},
        {"HomeTeam", nullptr, false, {}},
        {"HS", nullptr, false, {}},
        {"AS", nullptr, false, {}},
        {"FTHG", nullptr, false, {}},
        {"B365>3.5", nullptr, false, {}},
    };
    for (const ColumnCase& c : cases) {
        const std::optional<OddsColumn> column = oddsColumn(QString::fromLatin1(c.name), 7);
        if (!c.source) {
            EXPECT_FALSE(column) << c.name;
            continue;
        }
        ASSERT_TRUE(column) << c.name;
        EXPECT_EQ(column->source, QString::fromLatin1(c.source)) << c.name;
        EXPECT_EQ(column->closing, c.closing) << c.name;
        EXPECT_EQ(column->outcome, c.outcome) << c.name;
        EXPECT_EQ(column->column, 7);
    }
}

TEST(FixtureFile, ReadsLeagueCodeTimeAndEveryValidQuote) {
    const QByteArray file =
        "Div;Date;Time;HomeTeam;AwayTeam;B365H;B365D;B365A;MaxH;Avg>2.5;AvgC>2.5;B365AHH\r\n"
        "E0;15/02/2025;12:30;Arsenal;Leeds;1,50;4,20;1,0;1,55;1,80;1,75;1,90\r\n"
        "T1;16/02/2025;19:00;Sivas;Rize;;3,10;abc;2;;;\r\n";
    const MatchFileReading reading = readMatchFile(file, MatchFileKind::Fixtures, QDate(2025, 3, 1));
    ASSERT_FALSE(reading.refusal);
    ASSERT_EQ(reading.rows.size(), 2u);
    const MatchLine& first = reading.rows[0];
    EXPECT_EQ(first.division, "E0");
    EXPECT_EQ(first.time, "12:30");
    // B365A "1,0" pays nothing back; the handicap side has no line column beside it.
    const std::vector<std::tuple<QString, bool, QuoteOutcome, double, QString>> expected = {
        {"B365", false, QuoteOutcome::Home, 1.50, "1.50"}, {"B365", false, QuoteOutcome::Draw, 4.20, "4.20"},
        {"Max", false, QuoteOutcome::Home, 1.55, "1.55"},  {"Avg", false, QuoteOutcome::Over, 1.80, "1.80"},
        {"Avg", true, QuoteOutcome::Over, 1.75, "1.75"},
    };
    ASSERT_EQ(first.quotes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [source, closing, outcome, odds, text] = expected[i];
        EXPECT_EQ(first.quotes[i].quote.source, source) << i;
        EXPECT_EQ(first.quotes[i].quote.closing, closing) << i;
        EXPECT_EQ(first.quotes[i].quote.outcome, outcome) << i;
        EXPECT_DOUBLE_EQ(first.quotes[i].quote.odds, odds) << i;
        EXPECT_EQ(first.quotes[i].text, text) << i;
    }
    const MatchLine& second = reading.rows[1];
    EXPECT_EQ(second.division, "T1");
    ASSERT_EQ(second.quotes.size(), 2u);
    EXPECT_EQ(second.quotes[0].text, "3.10");
    EXPECT_EQ(second.quotes[1].text, "2");
    EXPECT_FALSE(second.odds); // no whole triple for the predictions' odds
}

// Kept odds, one match: the 1X2 and over/under odds before and at closing, and the old triple beside them.
const QByteArray kSeason =
    "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgH,AvgD,AvgA,PSCH,PSCD,PSCA,B365CH,B365CD,B365CA,AvgCH,AvgCD,"
    "AvgC>2.5,AvgC<2.5,MaxC>2.5,Max<2.5\r\n"
    "T1,15/08/"
    "2020,Sivas,Rize,2,1,2.10,3.30,3.60,1.90,3.80,3.80,2.50,2.50,5.00,2.00,4.00,2.00,2.00,2.20,1.95\r\n"
    "T1,16/08/2020,Rize,Sivas,0,0,,,,,,,2.50,2.50,5.00,,,,,,\r\n"
    "T1,17/08/2020,Hatay,Bolu,1,1,,,,,,,,,,,,,,,\r\n";

class KeptQuotes : public ::testing::Test {
protected:
    void SetUp() override {
        const MatchFileReading reading = readMatchFile(kSeason, MatchFileKind::Results, QDate(2025, 3, 1));
        ASSERT_FALSE(reading.refusal);
        const ImportOutcome outcome =
            importResults(program.database(), program.table(), QStringLiteral("T1"), reading.rows, {});
        ASSERT_EQ(outcome.added, 3);
    }
    TempProgram program;
};

TEST_F(KeptQuotes, EveryValidOddsIsKeptAndTheOldTripleStays) {
    QuoteTable quotes(program.database());
    const QDate day(2020, 8, 15);
    // 3 + 3 + 3 + 2 (AvgCA is missing) + 2 + 1 + 1.
    EXPECT_EQ(quotes.find(QStringLiteral("T1"), day, QStringLiteral("Sivas"), QStringLiteral("Rize")).size(),
              15u);
    EXPECT_EQ(quotes.leagueQuotes(QStringLiteral("T1")).size(), 18u);
    const std::optional<MatchOdds> triple =
        OddsTable(program.database())
            .find(QStringLiteral("T1"), day, QStringLiteral("Sivas"), QStringLiteral("Rize"));
    ASSERT_TRUE(triple);
    EXPECT_DOUBLE_EQ(triple->home, 2.10);
}

TEST_F(KeptQuotes, ClosingFairProbabilityPrefersTheAverageThenPinnacleThenBet365) {
    QuoteTable quotes(program.database());
    struct Case {
        QDate day;
        const char* home;
        const char* away;
        QuoteOutcome outcome;
        std::optional<double> expected;
    };
    const Case cases[] = {
        // The average lacks its away odds: Pinnacle's 1.90 3.80 3.80 gives 1/1.9 over 2/1.9 + 1/3.8... =
        // 0.5263 / 1.0526 = 0.5 for the home win and 0.25 for the draw.
        {{2020, 8, 15}, "Sivas", "Rize", QuoteOutcome::Home, 0.5},
        {{2020, 8, 15}, "Sivas", "Rize", QuoteOutcome::Draw, 0.25},
        // Over/under from the average at closing, 2.00 and 2.00; the best odds never count.
        {{2020, 8, 15}, "Sivas", "Rize", QuoteOutcome::Over, 0.5},
        // Only Bet365 at 2.50 2.50 5.00: 0.4 / (0.4 + 0.4 + 0.2).
        {{2020, 8, 16}, "Rize", "Sivas", QuoteOutcome::Away, 0.2},
        {{2020, 8, 16}, "Rize", "Sivas", QuoteOutcome::Under, std::nullopt},
        {{2020, 8, 17}, "Hatay", "Bolu", QuoteOutcome::Home, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> fair = quotes.closingFairProbability(
            QStringLiteral("T1"), c.day, QString::fromUtf8(c.home), QString::fromUtf8(c.away), c.outcome);
        ASSERT_EQ(fair.has_value(), c.expected.has_value())
            << c.home << ' ' << outcomeCode(c.outcome).toStdString();
        if (fair) {
            EXPECT_NEAR(*fair, *c.expected, 1e-12) << c.home;
        }
    }
}

TEST_F(KeptQuotes, DeletingATeamTakesItsMatchesQuotesAlong) {
    ASSERT_FALSE(deleteTeam(program.table(), QStringLiteral("T1"), QStringLiteral("Rize")));
    QuoteTable quotes(program.database());
    EXPECT_TRUE(quotes.leagueQuotes(QStringLiteral("T1")).empty());
}

} // namespace
} // namespace vezal
