// The ledger of bets over a league imported from a file with closing odds: bets settled by the import,
// re-opened by a deleted result, voided, kept when their league goes, and their closing-line value.
#include "betting/BetLedger.h"

#include "betting/BettingMessages.h"
#include "exchange/Import.h"
#include "store/LeagueListFile.h"
#include "store/support/TempProgram.h"

#include <gtest/gtest.h>
#include <limits>

namespace vezal {
namespace {

using testing::TempProgram;

const QByteArray kHeader =
    "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgCH,AvgCD,AvgCA,PSCH,PSCD,PSCA,PSC>2.5,PSC<2.5\r\n";
const QByteArray kFirstRound = "T1,01/09/2024,Kartal,Bolu,1,0,,,,,,,,\r\n"
                               "T1,01/09/2024,Sivas,Rize,0,0,,,,,,,,\r\n"
                               "T1,01/09/2024,Hatay,Çorum,2,2,,,,,,,,\r\n";
// Bolu-Sivas has the market's average closing 1X2 odds and Pinnacle's, which must not be taken over the
// average; Rize-Hatay only Pinnacle's closing over/under odds; Çorum-Kartal none.
const QByteArray kSecondRound = "T1,08/09/2024,Bolu,Sivas,2,1,2.00,3.50,4.00,1.90,3.60,4.50,,\r\n"
                                "T1,08/09/2024,Rize,Hatay,1,1,,,,,,,1.80,2.10\r\n"
                                "T1,08/09/2024,Çorum,Kartal,0,3,,,,,,,,\r\n";

const QDate kRound2{2024, 9, 8};

model::MarketOutcome outcome(const char* code) {
    return model::outcomeFromCode(QString::fromUtf8(code)).value();
}

Selection pick(const char* home, const char* away, const char* code, double odds) {
    return {QStringLiteral("T1"),    kRound2,       QString::fromUtf8(home),
            QString::fromUtf8(away), outcome(code), odds};
}

class LedgerTest : public ::testing::Test {
protected:
    void import(const QByteArray& lines) {
        const MatchFileReading reading =
            readMatchFile(kHeader + lines, MatchFileKind::Results, QDate(2026, 1, 1));
        ASSERT_FALSE(reading.refusal);
        importResults(program.database(), program.table(), QStringLiteral("T1"), reading.rows, {});
    }
    qint64 place(double stake, const std::vector<Selection>& selections) {
        const PlaceOutcome outcome = ledger.place({2024, 9, 5}, stake, selections);
        EXPECT_TRUE(outcome.id) << outcome.refusal.toStdString();
        return outcome.id.value_or(0);
    }
    // Status and profit of every bet, in the order placed.
    std::vector<std::pair<BetStatus, double>> settled() {
        std::vector<std::pair<BetStatus, double>> result;
        for (const BetRecord& bet : ledger.bets())
            result.emplace_back(bet.status(), bet.profit());
        return result;
    }

    TempProgram program;
    BetLedger ledger{program.database()};
};

TEST_F(LedgerTest, TheImportSettlesBetsAndADeletedResultReopensThem) {
    ASSERT_NO_FATAL_FAILURE(import(kFirstRound));
    place(10, {pick("Bolu", "Sivas", "1", 2.10)});   // 1
    place(10, {pick("Rize", "Hatay", "UST", 1.90)}); // 2
    place(5, {pick("Bolu", "Sivas", "1", 2.10),      // 3
              pick("Rize", "Hatay", "UST", 1.90)});
    place(4, {pick("Bolu", "Sivas", "1", 2.10), // 4
              pick("Çorum", "Kartal", "0", 3.40)});
    place(10, {pick("Rize", "Hatay", "KGVAR", 1.70)}); // 5
    place(20, {pick("Çorum", "Kartal", "2", 1.50)});   // 6
    ASSERT_FALSE(ledger.voidBet(4, 2));

    using S = BetStatus;
    const std::vector<std::pair<S, double>> open(6, {S::Open, 0.0});
    EXPECT_EQ(settled(), open);

    ASSERT_NO_FATAL_FAILURE(import(kFirstRound + kSecondRound));
    // Bolu 2-1 Sivas, Rize 1-1 Hatay (two goals, both scored), Çorum 0-3 Kartal.
    const std::vector<std::pair<S, double>> afterImport = {
        {S::Won, 11.0},  // 10 * (2.10 - 1)
        {S::Lost, -10},  // two goals: under
        {S::Lost, -5},   // one lost selection loses the coupon
        {S::Won, 4.4},   // the lost draw is void: 4 * (2.10 * 1 - 1)
        {S::Won, 7.0},   // 10 * (1.70 - 1)
        {S::Won, 10.0}}; // 20 * (1.50 - 1)
    const auto got = settled();
    ASSERT_EQ(got.size(), afterImport.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(got[i].first, afterImport[i].first);
        EXPECT_NEAR(got[i].second, afterImport[i].second, 1e-9);
    }

    // 59 staked, 17.40 won: 29.49 %. CLV over the two singles with closing odds, 1.3793 % and 2.3077 %.
    ledger.setStartingBankroll(100);
    const LedgerTotals totals = ledgerTotals(ledger.bets(), ledger.startingBankroll());
    EXPECT_EQ((std::vector<int>{totals.bets, totals.open, totals.won, totals.lost}),
              (std::vector<int>{6, 0, 4, 2}));
    EXPECT_NEAR(totals.staked, 59, 1e-9);
    EXPECT_NEAR(totals.profit, 17.4, 1e-9);
    EXPECT_NEAR(*totals.yieldPercent, 29.4915, 1e-4);
    EXPECT_NEAR(*totals.meanClvPercent, (1.37931 + 2.30769) / 2, 1e-4);
    EXPECT_NEAR(totals.bankroll, 117.4, 1e-9);

    // Deleting Çorum-Kartal re-opens bet 6; bet 4 stays won, its selection there being void.
    std::optional<qint64> sr;
    for (const auto& row : program.rows())
        if (row.tur == "O" && row.etkm == QString::fromUtf8("Çorum") && row.tarih == "2024-09-08")
            sr = row.sr;
    ASSERT_TRUE(sr);
    program.table().deleteRow(*sr);
    const std::vector<BetRecord> bets = ledger.bets();
    EXPECT_EQ(bets[5].status(), S::Open);
    EXPECT_EQ(bets[5].profit(), 0);
    EXPECT_TRUE(bets[5].selections[0].matchGone);
    EXPECT_EQ(bets[3].status(), S::Won);
    EXPECT_FALSE(bets[0].selections[0].matchGone);

    // Entered again with another score, it settles the other way.
    import(kFirstRound + QByteArray(kSecondRound).replace("0,3", "1,0"));
    EXPECT_EQ(ledger.bets()[5].status(), S::Lost);
    EXPECT_FALSE(ledger.bets()[5].selections[0].matchGone);
}

// Closing-line value by hand.
// Bolu-Sivas, home at 2.10; average closing 2.00 3.50 4.00: 1/2 + 1/3.5 + 1/4 = 29/28, so the home side's
// margin-free probability is (1/2) / (29/28) = 14/29, its fair odds 29/14, and 2.10 / (29/14) - 1 =
// 0.4/29 = 0.0137931. (Pinnacle's 1.90 would give 2.10 * 0.4939... - 1, about 0.0372, if wrongly taken.)
// Rize-Hatay, over at 1.90; Pinnacle's closing 1.80 / 2.10: 1/1.8 + 1/2.1 = 65/63, so over is
// (5/9) / (65/63) = 7/13 and 1.90 * 7/13 - 1 = 0.3/13 = 0.0230769.
TEST_F(LedgerTest, ClosingLineValueComesFromTheMarginFreeClosingOdds) {
    ASSERT_NO_FATAL_FAILURE(import(kFirstRound + kSecondRound));
    place(10, {pick("Bolu", "Sivas", "1", 2.10)});
    place(10, {pick("Rize", "Hatay", "UST", 1.90)});
    place(10, {pick("Rize", "Hatay", "1", 2.50)}); // no closing 1X2 odds kept
    place(10, {pick("Bolu", "Sivas", "KGYOK", 2.00)});
    place(10, {pick("Bolu", "Sivas", "1", 2.10), pick("Rize", "Hatay", "UST", 1.90)});
    const std::vector<BetRecord> bets = ledger.bets();
    ASSERT_EQ(bets.size(), 5u);
    EXPECT_NEAR(*bets[0].clv(), 0.4 / 29, 1e-12);
    EXPECT_NEAR(*bets[1].clv(), 0.3 / 13, 1e-12);
    EXPECT_FALSE(bets[2].clv());
    EXPECT_FALSE(bets[3].clv());
    // A coupon has no CLV of its own; its selections keep theirs.
    EXPECT_FALSE(bets[4].clv());
    EXPECT_NEAR(*bets[4].selections[0].clv, 0.4 / 29, 1e-12);
    EXPECT_NEAR(*bets[4].selections[1].clv, 0.3 / 13, 1e-12);
}

TEST_F(LedgerTest, ABetOutlivesItsLeagueAndIsRefusedForTheSameMatchTwice) {
    ASSERT_NO_FATAL_FAILURE(import(kFirstRound + kSecondRound));
    place(10, {pick("Bolu", "Sivas", "1", 2.10)});
    const PlaceOutcome twice =
        ledger.place({2024, 9, 5}, 10, {pick("Bolu", "Sivas", "1", 2.10), pick("Bolu", "Sivas", "UST", 1.8)});
    EXPECT_FALSE(twice.id);
    EXPECT_EQ(twice.refusal, QString::fromUtf8("Bir kupona aynı maçtan iki seçim konamaz: Bolu - Sivas"));

    struct Refused {
        double stake;
        std::vector<Selection> selections;
        const char* message;
    };
    Selection tabbed = pick("Bolu", "Sivas", "1", 2.1);
    tabbed.home = QStringLiteral("Bo\tlu");
    Selection early = pick("Bolu", "Sivas", "1", 2.1);
    early.day = QDate(2008, 1, 1);
    Selection otherLeague = pick("Bolu", "Sivas", "1", 2.1);
    otherLeague.league = QStringLiteral("T2");
    // Four matches at the highest odds: 1000^4 = 1e12, above the milliard a bet's odds may reach.
    std::vector<Selection> fourAtAThousand;
    for (int i = 0; i < 4; ++i) {
        fourAtAThousand.push_back(pick("Bolu", "Sivas", "1", 1000));
        fourAtAThousand.back().day = kRound2.addDays(7 * i);
    }
    const std::vector<Selection> thousand(1000, pick("Bolu", "Sivas", "1", 2.1));
    const Refused refused[] = {
        {0, {pick("Bolu", "Sivas", "1", 2.1)}, "Bahis miktarı sıfırdan büyük ve en fazla 1 milyar olmalı: 0"},
        {1e9 + 1,
         {pick("Bolu", "Sivas", "1", 2.1)},
         "Bahis miktarı sıfırdan büyük ve en fazla 1 milyar olmalı: 1e+09"},
        {std::numeric_limits<double>::infinity(),
         {pick("Bolu", "Sivas", "1", 2.1)},
         "Bahis miktarı sıfırdan büyük ve en fazla 1 milyar olmalı: inf"},
        {10, {}, "Bahiste en az bir seçim olmalı."},
        {10, thousand, "Bir kuponda en fazla 999 seçim olabilir; 1000 seçim verildi."},
        {10,
         {pick("Bolu", "Sivas", "1", 1.0)},
         "Oran 1'den büyük ve en fazla 1000 olan bir ondalık sayı olmalı (1,44 ya da 1.44): 1"},
        {10,
         {pick("Bolu", "Sivas", "1", 1000.5)},
         "Oran 1'den büyük ve en fazla 1000 olan bir ondalık sayı olmalı (1,44 ya da 1.44): 1000.5"},
        {10, fourAtAThousand,
         "Kuponun oranı (seçimlerin oranlarının çarpımı) en fazla 1 milyar olabilir: 1e+12"},
        {10, {pick("Bolu", "Bolu", "1", 2.0)}, "Ev sahibi ve misafir takım aynı olamaz: Bolu - Bolu"},
        {10, {pick("Bolu", "BOLU", "1", 2.0)}, "Ev sahibi ve misafir takım aynı olamaz: Bolu - BOLU"},
        {10,
         {pick("Bolu", "Sivas", "1", 2.1), pick("BOLU", "sivas", "UST", 1.8)},
         "Bir kupona aynı maçtan iki seçim konamaz: BOLU - sivas"},
        {10,
         {tabbed},
         "Seçimin lig ya da takım adında satır sonu ya da kontrol karakteri var: T1 | Bo\\tlu | Sivas"},
        {10, {early}, "01.01.2008 ve Önceki Tarihlere Giriş Yapamazsınız  ... "},
        {10, {otherLeague}, "Lig listesinde böyle bir lig yok: T2"},
        {10,
         {pick("Bolu", "Ankara", "1", 2.1)},
         "T1 liginde \"Ankara\" adlı bir takım yok; bahis ligde kayıtlı takımların maçına yapılır."},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.message);
        const PlaceOutcome outcome = ledger.place({2024, 9, 5}, r.stake, r.selections);
        EXPECT_FALSE(outcome.id);
        EXPECT_EQ(outcome.refusal, QString::fromUtf8(r.message));
    }
    // Placed after its match: it could only be placed knowing the score.
    const PlaceOutcome late = ledger.place({2024, 9, 9}, 10, {pick("Bolu", "Sivas", "1", 2.1)});
    EXPECT_FALSE(late.id);
    EXPECT_EQ(late.refusal,
              QString::fromUtf8("Bahis maçtan sonra yapılamaz: Bolu - Sivas maçı 08.09.2024 tarihinde, bahis "
                                "09.09.2024 tarihli."));
    // On the match's own day it is taken, at the highest odds and stake.
    EXPECT_TRUE(ledger.place(kRound2, 1e9, {pick("Rize", "Hatay", "1", 1000)}).id);
    EXPECT_TRUE(ledger.remove(2));
    EXPECT_EQ(ledger.bets().size(), 1u);

    program.table().deleteLeague(QStringLiteral("T1"));
    const std::vector<BetRecord> bets = ledger.bets();
    ASSERT_EQ(bets.size(), 1u);
    EXPECT_EQ(bets[0].status(), BetStatus::Open);
    EXPECT_TRUE(bets[0].selections[0].matchGone);
    EXPECT_EQ(bets[0].selections[0].selection.home, "Bolu");

    EXPECT_TRUE(ledger.remove(1));
    EXPECT_FALSE(ledger.remove(1));
    EXPECT_TRUE(ledger.bets().empty());
}

// A bet typed in capitals is kept in the table's spelling, so that the import settles it and its closing
// odds are found: Bolu 2-1 Sivas, 10 * (2.10 - 1) = 11; CLV 0.4 / 29 as worked out above.
TEST_F(LedgerTest, NamesInAnyLetterCaseAreStoredAsTheTableSpellsThem) {
    ASSERT_NO_FATAL_FAILURE(import(kFirstRound));
    Selection capitals = pick("BOLU", "SİVAS", "1", 2.10);
    capitals.league = QStringLiteral("t1");
    place(10, {capitals});
    // "SIVAS" is not "Sivas" in Turkish: its lower case is "sıvas".
    const PlaceOutcome dotless = ledger.place({2024, 9, 5}, 10, {pick("bolu", "SIVAS", "1", 2.10)});
    EXPECT_EQ(
        dotless.refusal,
        QString::fromUtf8("T1 liginde \"SIVAS\" adlı bir takım yok; bahis ligde kayıtlı takımların maçına "
                          "yapılır."));
    ASSERT_NO_FATAL_FAILURE(import(kFirstRound + kSecondRound));
    const std::vector<BetRecord> bets = ledger.bets();
    ASSERT_EQ(bets.size(), 1u);
    const Selection& kept = bets[0].selections[0].selection;
    EXPECT_EQ((QStringList{kept.league, kept.home, kept.away}), (QStringList{"T1", "Bolu", "Sivas"}));
    EXPECT_EQ(bets[0].status(), BetStatus::Won);
    EXPECT_NEAR(bets[0].profit(), 11.0, 1e-9);
    EXPECT_NEAR(*bets[0].clv(), 0.4 / 29, 1e-12);
}

// A coupon's legs keep their own league and day: it stays open until the later league's result is in, and
// is settled on that day. Bolu 2-1 Sivas (home won); Arsenal - Chelsea on 15.09: 2-1 is over 2.5, 1-0 not.
TEST_F(LedgerTest, ACouponOfTwoLeaguesAndTwoDaysSettlesWhenBothResultsAreIn) {
    const QByteArray otherHeader = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG\r\n";
    const QByteArray otherFirst = "E0,01/09/2024,Arsenal,Chelsea,0,0\r\n";
    const auto importOther = [&](const QByteArray& lines) {
        const MatchFileReading reading =
            readMatchFile(otherHeader + lines, MatchFileKind::Results, QDate(2026, 1, 1));
        ASSERT_FALSE(reading.refusal);
        importResults(program.database(), program.table(), QStringLiteral("Premier League"), reading.rows,
                      {});
    };
    ASSERT_NO_FATAL_FAILURE(import(kFirstRound));
    ASSERT_NO_FATAL_FAILURE(importOther(otherFirst));
    Selection later{QStringLiteral("Premier League"), QDate(2024, 9, 15), QStringLiteral("Arsenal"),
                    QStringLiteral("Chelsea"),        outcome("UST"),     1.90};
    place(10, {pick("Bolu", "Sivas", "1", 2.10), later});
    place(10, {pick("Bolu", "Sivas", "1", 2.10), later});

    ASSERT_NO_FATAL_FAILURE(import(kFirstRound + kSecondRound));
    std::vector<BetRecord> bets = ledger.bets();
    ASSERT_EQ(bets.size(), 2u);
    EXPECT_EQ(bets[0].status(), BetStatus::Open);
    EXPECT_EQ(bets[0].selections[0].status(), BetStatus::Won);
    EXPECT_EQ(bets[0].selections[1].selection.league, "Premier League");
    EXPECT_EQ(bets[0].selections[1].selection.day, QDate(2024, 9, 15));
    EXPECT_EQ(bets[0].selections[1].status(), BetStatus::Open);

    ASSERT_NO_FATAL_FAILURE(importOther(otherFirst + "E0,15/09/2024,Arsenal,Chelsea,2,1\r\n"));
    bets = ledger.bets();
    // 10 * (2.10 * 1.90 - 1) = 10 * 2.99.
    EXPECT_EQ(bets[0].status(), BetStatus::Won);
    EXPECT_NEAR(bets[0].profit(), 29.9, 1e-9);
    EXPECT_EQ(bets[0].settledOn(), QDate(2024, 9, 15));

    // The same coupon with the Premier League leg lost: lost on that leg's day.
    ASSERT_TRUE(program.table().deleteLeague(QStringLiteral("Premier League")) > 0);
    ASSERT_NO_FATAL_FAILURE(importOther(otherFirst + "E0,15/09/2024,Arsenal,Chelsea,1,0\r\n"));
    bets = ledger.bets();
    EXPECT_EQ(bets[1].status(), BetStatus::Lost);
    EXPECT_NEAR(bets[1].profit(), -10, 1e-9);
    EXPECT_EQ(bets[1].settledOn(), QDate(2024, 9, 15));
}

// The bankroll after each settling day, and the spreadsheet's bytes.
TEST(LedgerFigures, CurveAndSpreadsheet) {
    const auto single = [](qint64 id, QDate placed, double stake, QDate day, const char* market, double odds,
                           std::optional<std::pair<int, int>> score) {
        SelectionState s;
        s.selection = {QStringLiteral("T1"), day, QStringLiteral("Bolu"), QStringLiteral("Çorum"),
                       outcome(market),      odds};
        s.score = score;
        return BetRecord{id, placed, stake, {s}};
    };
    const std::vector<BetRecord> bets = {
        single(1, {2024, 9, 1}, 10, {2024, 9, 8}, "1", 2.5, std::pair{1, 0}),   // +15
        single(2, {2024, 9, 2}, 20, {2024, 9, 8}, "ALT", 1.8, std::pair{2, 2}), // -20
        single(3, {2024, 9, 3}, 5, {2024, 9, 15}, "0", 3.25, std::pair{0, 0}),  // +11.25
        single(4, {2024, 9, 4}, 5, {2024, 9, 22}, "2", 3.0, std::nullopt)};     // open
    const std::vector<BankrollPoint> curve = bankrollCurve(bets, 100);
    ASSERT_EQ(curve.size(), 3u);
    EXPECT_EQ(curve[0].day, QDate(2024, 9, 1));
    EXPECT_DOUBLE_EQ(curve[0].balance, 100);
    EXPECT_EQ(curve[1].day, QDate(2024, 9, 8));
    EXPECT_DOUBLE_EQ(curve[1].balance, 95);
    EXPECT_EQ(curve[2].day, QDate(2024, 9, 15));
    EXPECT_DOUBLE_EQ(curve[2].balance, 106.25);

    const QByteArray csv = ledgerCsv({bets[2], bets[3]});
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBF") +
                       QString::fromUtf8(
                           "\"No\";\"Tarih\";\"Miktar\";\"Oran\";\"Durum\";\"Kâr\";\"CLV %\";\"Seçimler\"\r\n"
                           "\"3\";\"03.09.2024\";\"5,00\";\"3,25\";\"kazandı\";\"11,25\";\"\";"
                           "\"T1|15.09.2024|Bolu|Çorum|0|3,25\"\r\n"
                           "\"4\";\"04.09.2024\";\"5,00\";\"3,00\";\"açık\";\"0,00\";\"\";"
                           "\"T1|22.09.2024|Bolu|Çorum|2|3,00\"\r\n")
                           .toUtf8());

    const std::vector<LedgerGroup> markets = totalsPerMarket(bets);
    ASSERT_EQ(markets.size(), 4u); // 0, 1, 2, ALT in code order
    EXPECT_EQ(markets[3].name, "ALT");
    EXPECT_DOUBLE_EQ(markets[3].totals.profit, -20);
}

} // namespace
} // namespace vezal
