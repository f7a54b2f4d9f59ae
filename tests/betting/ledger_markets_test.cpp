// Bets beyond 1X2 settled by an import: Asian lines with half results and pushes, half-time/full-time on
// the half-time score the import keeps, coupons of them, and a stored code this version does not know.
#include "betting/BetLedger.h"

#include "betting/BettingMessages.h"
#include "exchange/Import.h"
#include "store/support/TempProgram.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TempProgram;

const QByteArray kHeader = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,HTHG,HTAG,AHCh,PCAHH,PCAHA\r\n";
const QByteArray kFirstRound = "T1,01/09/2024,Kartal,Bolu,1,0,0,0,,,\r\n"
                               "T1,01/09/2024,Sivas,Rize,0,0,0,0,,,\r\n"
                               "T1,01/09/2024,Hatay,Çorum,2,2,1,1,,,\r\n";
// Bolu 2-1 Sivas after 0-1 at half-time; Rize 1-1 Hatay after 1-0, with Pinnacle's closing Asian odds at
// -0.25; Çorum 0-3 Kartal without a half-time score.
const QByteArray kSecondRound = "T1,08/09/2024,Bolu,Sivas,2,1,0,1,,,\r\n"
                                "T1,08/09/2024,Rize,Hatay,1,1,1,0,-0.25,2.00,1.90\r\n"
                                "T1,08/09/2024,Çorum,Kartal,0,3,,,,,\r\n";

Selection pick(const char* home, const char* away, const char* code, double odds) {
    return {QStringLiteral("T1"),
            QDate(2024, 9, 8),
            QString::fromUtf8(home),
            QString::fromUtf8(away),
            model::outcomeFromCode(QString::fromUtf8(code)).value(),
            odds};
}

class LedgerMarkets : public ::testing::Test {
protected:
    void import(const QByteArray& lines) {
        const MatchFileReading reading =
            readMatchFile(kHeader + lines, MatchFileKind::Results, QDate(2026, 1, 1));
        ASSERT_FALSE(reading.refusal);
        importResults(program.database(), program.table(), QStringLiteral("T1"), reading.rows, {});
    }
    void place(const std::vector<Selection>& selections) {
        const PlaceOutcome outcome = ledger.place({2024, 9, 5}, 10, selections);
        ASSERT_TRUE(outcome.id) << outcome.refusal.toStdString();
    }

    TempProgram program;
    BetLedger ledger{program.database()};
};

TEST_F(LedgerMarkets, AsianLinesAndHalfTimeFullTimeSettleByTheirRules) {
    ASSERT_NO_FATAL_FAILURE(import(kFirstRound));
    struct Case {
        std::vector<Selection> selections;
        BetStatus status;
        double profit; // of 10 staked
    };
    using S = BetStatus;
    const std::vector<Case> cases = {
        // Won by one: -0.25 is won on both its halves, 0 and -0.5.
        {{pick("Bolu", "Sivas", "AH1-0.25", 1.90)}, S::Won, 9.0},
        // A draw: half back at 0, half lost at -0.5.
        {{pick("Rize", "Hatay", "AH1-0.25", 2.00)}, S::HalfLost, -5.0},
        // The away side at +0.25 on a draw: half back, half won at +0.5: 5 + 5 * 1.80 = 14.
        {{pick("Rize", "Hatay", "AH2+0.25", 1.80)}, S::HalfWon, 4.0},
        // Won by exactly the whole line: the stake back.
        {{pick("Bolu", "Sivas", "AH1-1", 2.50)}, S::Push, 0.0},
        // Behind at half-time, won at full time.
        {{pick("Bolu", "Sivas", "IYMS21", 9.00)}, S::Won, 80.0},
        {{pick("Rize", "Hatay", "IYMS10", 5.00)}, S::Won, 40.0},
        {{pick("Rize", "Hatay", "IYMS11", 4.00)}, S::Lost, -10.0},
        // No half-time score kept: it waits, though the match is played.
        {{pick("Çorum", "Kartal", "IYMS22", 3.00)}, S::Open, 0.0},
        // Two pushes (a whole line, draw no bet on a draw) pay the stake back.
        {{pick("Bolu", "Sivas", "AH1-1", 2.50), pick("Rize", "Hatay", "DNB1", 2.20)}, S::Push, 0.0},
        // A win at 2.00 and a half win at 1.80 (1.40 a unit): 10 * 2 * 1.4 = 28.
        {{pick("Bolu", "Sivas", "1", 2.00), pick("Rize", "Hatay", "AH2+0.25", 1.80)}, S::Won, 18.0},
        // A win at 2.00 and a half loss (0.5 a unit) pay the stake back.
        {{pick("Bolu", "Sivas", "1", 2.00), pick("Rize", "Hatay", "AH1-0.25", 2.00)}, S::Push, 0.0},
        // A loss loses the coupon whatever else is still open.
        {{pick("Rize", "Hatay", "12", 1.30), pick("Çorum", "Kartal", "IYMS12", 20.0)}, S::Lost, -10.0},
    };
    for (const Case& c : cases)
        ASSERT_NO_FATAL_FAILURE(place(c.selections));

    for (const BetRecord& bet : ledger.bets())
        EXPECT_EQ(bet.status(), BetStatus::Open) << bet.id;

    ASSERT_NO_FATAL_FAILURE(import(kFirstRound + kSecondRound));
    const std::vector<BetRecord> bets = ledger.bets();
    ASSERT_EQ(bets.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(bets[i].status(), cases[i].status) << statusText(bets[i].status()).toStdString();
        EXPECT_NEAR(bets[i].profit(), cases[i].profit, 1e-9);
    }
    EXPECT_EQ(bets[7].selections[0].openReason(), QString::fromUtf16(messages::kNoHalfTimeScore));
    EXPECT_TRUE(bets[0].selections[0].openReason().isEmpty());
    // Against the closing line at the same line: 1/2.00 and 1/1.90 over their sum leave the home side
    // 1.9/3.9 and the away side 2/3.9; taken at 2.00 and 1.80, 3.8/3.9 - 1 and 3.6/3.9 - 1.
    EXPECT_FALSE(bets[0].clv());
    ASSERT_TRUE(bets[1].clv());
    EXPECT_NEAR(*bets[1].clv(), -0.1 / 3.9, 1e-9);
    ASSERT_TRUE(bets[2].clv());
    EXPECT_NEAR(*bets[2].clv(), -0.3 / 3.9, 1e-9);
    EXPECT_FALSE(bets[3].clv()); // Bolu-Sivas has no closing Asian odds

    // Pushes stake nothing in the end: 10 each on the won, half won, half lost and lost bets, eight in all.
    const LedgerTotals t = ledgerTotals(bets, 0);
    EXPECT_EQ((std::vector<int>{t.bets, t.open, t.won, t.halfWon, t.pushed, t.halfLost, t.lost}),
              (std::vector<int>{12, 1, 4, 1, 3, 1, 2}));
    EXPECT_NEAR(t.staked, 80, 1e-9);
    EXPECT_NEAR(t.profit, 9 - 5 + 4 + 80 + 40 - 10 + 18 - 10, 1e-9);
}

TEST_F(LedgerMarkets, AStoredCodeNoMarketHasStaysOpenAndSaysSo) {
    ASSERT_NO_FATAL_FAILURE(import(kFirstRound + kSecondRound));
    ASSERT_NO_FATAL_FAILURE(place({pick("Bolu", "Sivas", "1", 2.00)}));
    QSqlQuery query(program.database().connection());
    ASSERT_TRUE(query.exec(QStringLiteral("update BahisSecim set Sonuc='XG1.5' where Bahis=1")));

    const std::vector<BetRecord> bets = ledger.bets();
    ASSERT_EQ(bets.size(), 1u);
    EXPECT_EQ(bets[0].status(), BetStatus::Open);
    EXPECT_EQ(bets[0].profit(), 0);
    EXPECT_EQ(bets[0].selections[0].openReason(), QStringLiteral("bilinmeyen seçim kodu: XG1.5"));
    EXPECT_EQ(selectionsText(bets[0]), QStringLiteral("Bolu-Sivas:XG1.5@2.00"));
    EXPECT_EQ(totalsPerMarket(bets).front().name, QStringLiteral("XG1.5"));
}

} // namespace
} // namespace vezal
