// vezal-cli bulletin on a league imported from a CSV file: the listing's shape, the odds it takes, its
// stakes and the evidence lines.
#include "support/CliHarness.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::cells;
using testing::ProgramFolder;

const QStringList kTeams = {"Kartal", "Bolu", "Sivas", "Çorum", "Rize", "İzmir"};

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Ten Saturdays from 05.08.2023 of three matches, every team each week (the circle method), with the
// market's average 1X2 odds and no over/under odds.
QByteArray season() {
    QByteArray csv = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgH,AvgD,AvgA\n";
    QList<int> ring = {0, 1, 2, 3, 4, 5};
    for (int week = 0; week < 10; ++week) {
        for (int i = 0; i < 3; ++i) {
            int home = ring[i], away = ring[5 - i];
            if ((week + i) % 2 == 0)
                std::swap(home, away);
            csv += QStringLiteral("T1,%1,%2,%3,%4,%5,%6,3.30,%7\n")
                       .arg(QDate(2023, 8, 5).addDays(7 * week).toString("dd/MM/yyyy"), kTeams[home],
                            kTeams[away])
                       .arg((week + 2 * home) % 4)
                       .arg((week + away) % 3)
                       .arg(1.6 + 0.3 * i, 0, 'f', 2)
                       .arg(2.2 + 0.4 * ((week + i) % 4), 0, 'f', 2)
                       .toUtf8();
        }
        ring.move(5, 1);
    }
    return csv;
}

const QByteArray kFixtures =
    "Div,Date,Time,HomeTeam,AwayTeam,B365H,B365D,B365A,PSH,PSD,PSA,MaxH,MaxD,MaxA,AvgH,AvgD,AvgA,Avg>2.5,"
    "Avg<2.5\n"
    "T1,14/10/2023,15:00,Kartal,Sivas,2.10,3.40,3.50,2.15,3.30,3.70,2.25,3.50,3.75,2.05,3.40,3.60,1.90,1.95\n"
    "E0,14/10/2023,12:30,Arsenal,Leeds,1.5,4,6,,,,,,,,,,,\n"
    "T1,14/10/2023,19:00,Rize,Ankara,,,,,,,,,,,,,,\n"
    "T1,15/10/2023,17:00,Bolu,İzmir,1.80,3.60,4.20,,,,,,,,,,,\n";

class BulletinCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder.ok({"add-league", "T1"});
        ASSERT_NO_FATAL_FAILURE(write(folder.file("sezon.csv"), season()));
        folder.ok({"import", "T1", folder.file("sezon.csv"), "--start-points", "5"});
        ASSERT_NO_FATAL_FAILURE(write(folder.file("fikstur.csv"), kFixtures));
    }
    QList<QStringList> listing(QStringList options) {
        const testing::CliRun run = folder.run(QStringList{"bulletin", folder.file("fikstur.csv")} + options);
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
        err = run.err;
        return cells(run.out);
    }
    ProgramFolder folder;
    QString err;
};

TEST_F(BulletinCommand, RowsPerOutcomeWithTheChosenOddsValueAndStake) {
    // A stake cap of 0.1 % of 1000 binds every value bet at these odds: a quarter Kelly is at least
    // 0.25 * 0.05 / 3.75 * 1000 = 3.33.
    const QList<QStringList> rows = listing({"--max-stake", "0.001"});
    ASSERT_EQ(rows.size(), 1 + 7 + 1 + 7 + 1);
    EXPECT_EQ(rows[0].join('\t'),
              "date\ttime\tleague\thome\taway\tmarket\tp\tbook\todds\tev\tvalue\tstake\tforecast\tbookmaker");
    EXPECT_TRUE(err.contains("skipped\tE0\t1\n")) << err.toStdString();

    // The highest bookmaker's of each outcome: Pinnacle's 2.15 and 3.70, Bet365's 3.40; Max's 2.25,
    // 3.50, 3.75 are the market's best, and the average alone quotes over/under: nothing to take there.
    const char* markets[] = {"1", "0", "2", "ALT", "UST", "KGVAR", "KGYOK"};
    const char* best[] = {"2.15", "3.40", "3.70", "", "", "", ""};
    const char* bookmaker[] = {"PS", "B365", "PS", "", "", "", ""};
    // The average's margin-free shares: 1/2.05, 1/3.40, 1/3.60 over their sum; 1/1.95 and 1/1.90 likewise.
    const double x = 1 / 2.05 + 1 / 3.4 + 1 / 3.6, y = 1 / 1.95 + 1 / 1.9;
    const double book[] = {1 / 2.05 / x, 1 / 3.4 / x, 1 / 3.6 / x, 1 / 1.95 / y, 1 / 1.9 / y};
    const QRegularExpression fourDecimals("^[01]\\.\\d{4}$");
    // The forecast: book^0.55 * p^0.45, made to sum to 1 within each market.
    double pooled[5], oneXTwo = 0, underOver = 0;
    for (int m = 0; m < 5; ++m)
        (m < 3 ? oneXTwo : underOver) += pooled[m] =
            std::pow(book[m], 0.55) * std::pow(rows[1 + m][6].toDouble(), 0.45);
    double sum = 0, bestValue = 0.05;
    int staked = -1; // the 1X2 outcome of the highest value above the threshold
    for (int m = 0; m < 7; ++m) {
        const QStringList& row = rows[1 + m];
        ASSERT_EQ(row.size(), 14);
        EXPECT_EQ(row.mid(0, 6), (QStringList{"2023-10-14", "15:00", "T1", "Kartal", "Sivas", markets[m]}));
        EXPECT_TRUE(fourDecimals.match(row[6]).hasMatch()) << row[6].toStdString();
        EXPECT_TRUE(fourDecimals.match(row[12]).hasMatch()) << row[12].toStdString();
        EXPECT_EQ(row[8], best[m]);
        EXPECT_EQ(row[13], bookmaker[m]);
        if (m < 3)
            sum += row[6].toDouble();
        if (m < 5) {
            EXPECT_NEAR(row[7].toDouble(), book[m], 0.00005);
            // p and the book to four decimals: the pool of the rounded figures is within 0.0002.
            EXPECT_NEAR(row[12].toDouble(), pooled[m] / (m < 3 ? oneXTwo : underOver), 0.0002) << m;
        }
        if (m >= 3) {
            // No odds to take: no value, no stake; without the book's either, the forecast is the model's.
            EXPECT_EQ(row.mid(8, 4), (QStringList{"", "", "", ""}));
            if (m >= 5) {
                EXPECT_EQ(row.mid(7, 6), (QStringList{"", "", "", "", "", row[6]}));
            }
            continue;
        }
        const double ev = row[12].toDouble() * row[8].toDouble() - 1;
        EXPECT_NEAR(row[9].toDouble(), ev, 0.0002);
        EXPECT_EQ(row[10], ev > 0.05 ? "1" : "0");
        if (row[9].toDouble() > bestValue) {
            bestValue = row[9].toDouble();
            staked = m;
        }
    }
    // One outcome of 1X2 staked, the best; 1.00 is far within the 10 % limit.
    for (int m = 0; m < 3; ++m)
        EXPECT_EQ(rows[1 + m][11], m == staked ? "1.00" : "0.00") << m;
    EXPECT_NEAR(sum, 1.0, 0.0002);
    EXPECT_NEAR(rows[4][6].toDouble() + rows[5][6].toDouble(), 1.0, 0.0002);

    // Rize has played, Ankara never: one row with the reason.
    EXPECT_EQ(rows[8].mid(0, 5), (QStringList{"2023-10-14", "19:00", "T1", "Rize", "Ankara"}));
    EXPECT_TRUE(rows[8][5].contains("Ankara"));
    EXPECT_EQ(rows[8].size(), 14);
    // Only Bet365's 1X2: the bookmaker's share is its own, and over/under has nothing.
    EXPECT_EQ(rows[9][8], "1.80");
    EXPECT_EQ(rows[9][13], "B365");
    EXPECT_NEAR(rows[9][7].toDouble(), 1 / 1.8 / (1 / 1.8 + 1 / 3.6 + 1 / 4.2), 0.00005);
    EXPECT_EQ(rows[12][8], "");

    // The last line sums the stakes and their values, counted again from the rows above.
    int bets = 0;
    double stake = 0, profit = 0;
    for (int r = 1; r < 16; ++r)
        if (rows[r].size() == 14 && rows[r][11].toDouble() > 0) {
            ++bets;
            stake += rows[r][11].toDouble();
            profit += rows[r][11].toDouble() * rows[r][9].toDouble();
        }
    ASSERT_EQ(rows[16].size(), 4);
    EXPECT_EQ(rows[16][0], "total");
    EXPECT_EQ(rows[16][1].toInt(), bets);
    EXPECT_EQ(rows[16][2], QString::number(stake, 'f', 2));
    // The values printed to four decimals: within 0.00005 a unit staked.
    EXPECT_NEAR(rows[16][3].toDouble(), profit, 0.005 + 0.00005 * stake);
}

// Kartal - Sivas's home win: Bet365 2.10, Pinnacle 2.15, the market's best 2.25, the exchange 2.30, which
// is 1 + 1.30 * 0.95 = 2.235 net of 5 %, 1 + 1.30 * 0.8 = 2.04 net of 20 %.
TEST_F(BulletinCommand, BookmakersAndCommissionChooseTheOddsAndAnUnknownCodeIsAUsageError) {
    ASSERT_NO_FATAL_FAILURE(write(folder.file("borsa.csv"),
                                  "Div,Date,Time,HomeTeam,AwayTeam,B365H,PSH,MaxH,BFEH\n"
                                  "T1,14/10/2023,15:00,Kartal,Sivas,2.10,2.15,2.25,2.30\n"));
    const struct {
        QStringList options;
        QStringList oddsAndColumn;
    } cases[] = {
        {{}, {"2.235", "BFE"}},
        {{"--bookmakers", "b365,max"}, {"2.25", "Max"}},
        {{"--bookmakers", "BFE", "--commission", "0,2"}, {"2.04", "BFE"}},
    };
    for (const auto& c : cases) {
        const testing::CliRun run = folder.run(QStringList{"bulletin", folder.file("borsa.csv")} + c.options);
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
        const QList<QStringList> rows = cells(run.out);
        ASSERT_GE(rows.size(), 2);
        EXPECT_EQ((QStringList{rows[1][8], rows[1][13]}), c.oddsAndColumn)
            << c.options.join(' ').toStdString();
    }
    const testing::CliRun unknown =
        folder.run({"bulletin", folder.file("borsa.csv"), "--bookmakers", "B365,WH"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_EQ(unknown.err.section('\n', 0, 0),
              QString::fromUtf8("vezal-cli: --bookmakers: Dosyada bu bahisçinin oranı yok: WH; dosyadaki "
                                "bahisçiler: B365, PS, Max, BFE"));
}

TEST_F(BulletinCommand, OddsChoiceTakesTheAverageOrOneBookmaker) {
    const struct {
        const char* choice;
        const char* home; // Kartal - Sivas
        const char* away;
        const char* onlyBet365; // Bolu - İzmir's home win
    } cases[] = {{"avg", "2.05", "3.60", ""}, {"PS", "2.15", "3.70", ""}, {"B365", "2.10", "3.50", "1.80"}};
    for (const auto& c : cases) {
        const QList<QStringList> rows = listing({"--odds", c.choice});
        ASSERT_EQ(rows.size(), 17) << c.choice;
        EXPECT_EQ(rows[1][8], c.home) << c.choice;
        EXPECT_EQ(rows[3][8], c.away) << c.choice;
        EXPECT_EQ(rows[9][8], c.onlyBet365) << c.choice;
    }
}

TEST_F(BulletinCommand, EvidenceComesFirstAndSaysWhereNoOddsAreKept) {
    // The model's own probabilities (a pool weight of 1) flag more than the forecast, which lies near the
    // market's: enough bets for an interval.
    // The league kept the average's odds alone, which "best" never takes.
    const QList<QStringList> rows =
        listing({"--evidence", "--odds", "avg", "--threshold", "0", "--pool-weight", "1"});
    ASSERT_GE(rows.size(), 3);
    ASSERT_EQ(rows[0].mid(0, 3), (QStringList{"evidence", "T1", "1X2"}));
    ASSERT_EQ(rows[0].size(), 11);
    // Every team has five matches before its sixth week: the last five weeks' matches are forecast, and at
    // a threshold of 0 at least one outcome of each is above its fair price with a margin of 0.
    EXPECT_GT(rows[0][3].toInt(), 0);
    const QRegularExpression oneDecimal("^-?\\d+\\.\\d$");
    for (int i = 5; i < 8; ++i)
        EXPECT_TRUE(oneDecimal.match(rows[0][i]).hasMatch()) << rows[0][i].toStdString();
    EXPECT_LE(rows[0][6].toDouble(), rows[0][5].toDouble());
    EXPECT_GE(rows[0][7].toDouble(), rows[0][5].toDouble());
    // The league keeps no closing odds: nothing to hold the bets against.
    EXPECT_EQ(rows[0].mid(8), (QStringList{"-", "-", "-"}));
    EXPECT_EQ(rows[1], (QStringList{"evidence", "T1", "UO", "-", "-", "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(rows[2][0], "date");
}

TEST_F(BulletinCommand, RefusesWhatItCannotUse) {
    const struct {
        QStringList options;
        int code;
    } cases[] = {
        {{"--kelly", "0"}, 2},          {{"--kelly", "1.5"}, 2},      {{"--max-stake", "abc"}, 2},
        {{"--threshold", "-0.1"}, 2},   {{"--bankroll", "0"}, 2},     {{"--odds", ""}, 2},
        {{"--league", "E9"}, 1},        {{"--bankroll", "1e308"}, 2}, {{"--bankroll", "1000000001"}, 2},
        {{"--commission", "-0.01"}, 2}, {{"--commission", "1.5"}, 2}, {{"--total-max", "0"}, 2},
        {{"--total-max", "2"}, 2},      {{"--bookmakers", "ZZ"}, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(folder.run(QStringList{"bulletin", folder.file("fikstur.csv")} + c.options).code, c.code)
            << c.options.join(' ').toStdString();
    ASSERT_NO_FATAL_FAILURE(
        write(folder.file("kodsuz.csv"), "Date,HomeTeam,AwayTeam\n14/10/2023,Kartal,Sivas\n"));
    EXPECT_EQ(folder.run({"bulletin", folder.file("kodsuz.csv")}).code, 1);
    // With a league chosen, a file without codes is read, all of it for that league.
    const testing::CliRun chosen = folder.run({"bulletin", folder.file("kodsuz.csv"), "--league", "T1"});
    EXPECT_EQ(chosen.code, 0);
    EXPECT_EQ(cells(chosen.out).size(), 9);
}

// A bookmaker the file has no odds of would give a listing without a single stake.
TEST_F(BulletinCommand, ABookmakerTheFileLacksIsAUsageErrorThatNamesTheFilesOwn) {
    const testing::CliRun run = folder.run({"bulletin", folder.file("fikstur.csv"), "--odds", "ZZ"});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(
        run.err.section('\n', 0, 0),
        QString::fromUtf8("vezal-cli: --odds ZZ: dosyada bu bahisçinin oranı yok; dosyadaki bahisçiler: "
                          "B365, PS (ya da best, avg)"));
    // Pinnacle's "P" is its "PS".
    EXPECT_EQ(folder.run({"bulletin", folder.file("fikstur.csv"), "--odds", "P"}).code, 0);
}

// "KARTAL" and "sivas" are the league's Kartal and Sivas, as a fixture file's names are everywhere; a name
// with a control character is a rejected line, and no cell carries one raw.
TEST_F(BulletinCommand, TeamsMatchWithoutRegardToCaseAndNoCellCarriesAControlCharacter) {
    ASSERT_NO_FATAL_FAILURE(write(folder.file("harfler.csv"), "Div,Date,Time,HomeTeam,AwayTeam\n"
                                                              "T1,14/10/2023,15:00,Kartal,Sivas\n"
                                                              "T1,14/10/2023,15:00,KARTAL,sivas\n"
                                                              "T1,14/10/2023,\"15:\t00\",Bolu,Rize\n"
                                                              "T1,14/10/2023,16:00,\"Bo\nlu\",Rize\n"));
    const testing::CliRun run = folder.run({"bulletin", folder.file("harfler.csv")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(
        QString::fromUtf8("rejected\t5\tTakım adında satır sonu ya da kontrol karakteri var: Bo\\nlu\n")))
        << run.err.toStdString();
    const QList<QStringList> rows = cells(run.out);
    ASSERT_EQ(rows.size(), 1 + 3 * 7 + 1);
    for (int r = 0; r < 1 + 3 * 7; ++r)
        EXPECT_EQ(rows[r].size(), 14) << rows[r].join('|').toStdString();
    for (int m = 0; m < 7; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(rows[8 + m].mid(3, 2), (QStringList{"Kartal", "Sivas"}));
        EXPECT_EQ(rows[8 + m].mid(5), rows[1 + m].mid(5));
    }
    EXPECT_EQ(rows[15][1], "15:\\t00");
}

// The zero line of Kartal - Sivas without 1X2 odds: AH1+0 wins on a home win and gives the stake back on a
// draw, so its p is the "1" row's and its expected gain at 2.10 is 2.10 p(1) + p(0) - 1; AH2+0 likewise.
TEST_F(BulletinCommand, AsianHandicapSidesFollowAFixturesSevenRows) {
    ASSERT_NO_FATAL_FAILURE(write(folder.file("asya.csv"),
                                  "Div,Date,Time,HomeTeam,AwayTeam,AHh,B365AHH,B365AHA,"
                                  "PAHH,PAHA\n"
                                  "T1,14/10/2023,15:00,Kartal,Sivas,0,1.95,1.95,2.10,1.80\n"));
    const testing::CliRun run = folder.run({"bulletin", folder.file("asya.csv")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QList<QStringList> rows = cells(run.out);
    ASSERT_EQ(rows.size(), 1 + 9 + 1);
    const QStringList& home = rows[8];
    const QStringList& away = rows[9];
    ASSERT_EQ(home.size(), 14);
    ASSERT_EQ(away.size(), 14);
    EXPECT_EQ(home[5], "AH1+0");
    EXPECT_EQ(away[5], "AH2+0");
    // The best bookmaker's: Pinnacle's 2.10 and Bet365's 1.95; Pinnacle's book first: 1/2.10 over
    // 1/2.10 + 1/1.80 = 1.80 / 3.90 = 0.4615, and 2.10 / 3.90 = 0.5385.
    EXPECT_EQ(home.mid(7, 2), (QStringList{"0.4615", "2.10"}));
    EXPECT_EQ(away.mid(7, 2), (QStringList{"0.5385", "1.95"}));
    EXPECT_EQ(home[13], "PS");
    EXPECT_EQ(away[13], "B365");
    EXPECT_EQ(home[6], rows[1][6]);
    EXPECT_EQ(away[6], rows[3][6]);
    EXPECT_EQ(home[12], rows[1][12]);
    const double win = rows[1][12].toDouble(), draw = rows[2][12].toDouble(), loss = rows[3][12].toDouble();
    EXPECT_NEAR(home[9].toDouble(), 2.10 * win + draw - 1, 5e-4);
    EXPECT_NEAR(away[9].toDouble(), 1.95 * loss + draw - 1, 5e-4);
}

TEST_F(BulletinCommand, FairAddsThePoolsMarketsAndAFairColumn) {
    const QList<QStringList> rows = listing({"--fair"});
    // Kartal - Sivas and Bolu - İzmir, each 7 + 13 rows; Rize - Ankara's reason; the total.
    ASSERT_EQ(rows.size(), 1 + 20 + 1 + 20 + 1);
    EXPECT_EQ(rows[0].join('\t'),
              "date\ttime\tleague\thome\taway\tmarket\tp\tbook\todds\tev\tvalue\tstake\tforecast"
              "\tbookmaker\tfair");
    const QStringList codes = {"1X",     "12",     "X2",   "DNB1", "DNB2", "ALT1.5", "UST1.5",
                               "ALT3.5", "UST3.5", "TG01", "TG23", "TG45", "TG6"};
    for (int m = 0; m < 20; ++m) {
        const QStringList& row = rows[1 + m];
        ASSERT_EQ(row.size(), 15) << m;
        if (m >= 7) {
            EXPECT_EQ(row[5], codes[m - 7]);
            // No price: odds, ev, value, stake and bookmaker empty; no book.
            EXPECT_EQ(row.mid(7, 5), (QStringList{"", "", "", "", ""})) << m;
            EXPECT_EQ(row[13], "");
        }
        // The fair odds where the row has no price, else empty: the 1X2 rows carry the file's odds.
        if (m < 3) {
            EXPECT_EQ(row[14], "") << m;
        } else if (m != 10 && m != 11) {
            EXPECT_NEAR(row[14].toDouble() * row[12].toDouble(), 1, 2e-4 * row[14].toDouble()) << m;
        }
    }
    // 1X is 1 and 0 together, to the four decimals each is written with.
    EXPECT_NEAR(rows[8][12].toDouble(), rows[1][12].toDouble() + rows[2][12].toDouble(), 1.5e-4);
    // DNB1 at (1 - draw) / home.
    const double home = rows[1][12].toDouble(), draw = rows[2][12].toDouble();
    EXPECT_NEAR(rows[11][14].toDouble(), (1 - draw) / home, 2e-3);
    // The reason row keeps its cells, one more for the fair column.
    EXPECT_EQ(rows[21][3], "Rize");
    EXPECT_EQ(rows[21].size(), 15);
    // Without --fair, the listing as it was.
    EXPECT_EQ(listing({}).size(), 1 + 7 + 1 + 7 + 1);
}

} // namespace
} // namespace vezal
