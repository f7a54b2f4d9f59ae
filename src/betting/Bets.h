#pragma once

#include "betting/Bulletin.h"
#include "exchange/CsvWriter.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// The bets placed and what came of them: pure arithmetic over what the ledger read.
namespace vezal {

// "1" "0" "2" "ALT" "UST" "KGVAR" "KGYOK"; none for another text.
std::optional<BulletinMarket> marketFromCode(const QString& code);

enum class BetStatus { Open, Won, Lost, Void };

// "açık" "kazandı" "kaybetti" "iptal".
QString statusText(BetStatus status);

// Whether the outcome happened in a match that ended homeGoals - awayGoals.
bool outcomeHappened(BulletinMarket market, int homeGoals, int awayGoals);

struct Selection {
    QString league;
    QDate day;
    QString home;
    QString away;
    BulletinMarket market = BulletinMarket::Home;
    double odds = 0;
};

// A selection as the ledger found it: its match's score when the result is in the table.
struct SelectionState {
    Selection selection;
    int number = 1; // 1 for a coupon's first selection
    bool voided = false;
    bool matchGone = false; // its result or its teams were deleted, and no result is there now
    std::optional<std::pair<int, int>> score;
    std::optional<double> clv; // odds taken over the closing fair odds, less 1

    BetStatus status() const;
};

struct BetRecord {
    qint64 id = 0;
    QDate placed;
    double stake = 0;
    std::vector<SelectionState> selections;

    // Won when every selection is won or void (and one is won), lost when one is lost, void when every
    // selection is void, open otherwise.
    BetStatus status() const;
    // The product of the selections' odds.
    double odds() const;
    // stake * (odds - 1) when won, the void selections counting as odds 1; -stake when lost; 0 otherwise.
    double profit() const;
    // The single selection's; none for a coupon.
    std::optional<double> clv() const;
    // The day its outcome was known: the last match day when won, the first lost match's when lost.
    std::optional<QDate> settledOn() const;
    bool isSettled() const;
};

// odds / (1 / p) - 1 with p the closing margin-free probability.
double closingLineValue(double oddsTaken, double closingProbability);

struct LedgerTotals {
    int bets = 0;
    int open = 0;
    int won = 0;
    int lost = 0;
    double staked = 0; // on the won and lost bets
    double profit = 0;
    std::optional<double> yieldPercent;
    std::optional<double> meanClvPercent; // over the won and lost singles with closing odds
    double bankroll = 0;                  // the starting bankroll plus the profit
};

LedgerTotals ledgerTotals(const std::vector<BetRecord>& bets, double startingBankroll);

// The same figures for the bets of one league or one market; a coupon is a group of its own.
struct LedgerGroup {
    QString name;
    LedgerTotals totals;
};
// The text a coupon's group goes under.
QString couponGroupName();
std::vector<LedgerGroup> totalsPerLeague(const std::vector<BetRecord>& bets);
std::vector<LedgerGroup> totalsPerMarket(const std::vector<BetRecord>& bets);

// The bankroll after each day on which bets were settled, from the starting bankroll on the first day a
// bet was placed.
struct BankrollPoint {
    QDate day;
    double balance = 0;
};
std::vector<BankrollPoint> bankrollCurve(const std::vector<BetRecord>& bets, double startingBankroll);

// "HOME-AWAY:OUTCOME@ODDS" joined by "; ", odds with two decimals and a point.
QString selectionsText(const BetRecord& bet);

// The bets as CSV: for a Turkish spreadsheet with dates as dd.MM.yyyy, or plain with ISO dates.
QByteArray ledgerCsv(const std::vector<BetRecord>& bets, CsvForm form = CsvForm::Turkish);

} // namespace vezal
