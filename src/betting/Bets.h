#pragma once

#include "exchange/CsvWriter.h"
#include "model/Markets.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// The bets placed and what came of them: pure arithmetic over what the ledger read.
namespace vezal {

// Half results and pushes come from the Asian handicap, draw no bet and the whole goal lines.
enum class BetStatus { Open, Won, HalfWon, Push, HalfLost, Lost, Void };

// "açık" "kazandı" "yarı kazandı" "iade" "yarı kaybetti" "kaybetti" "iptal".
QString statusText(BetStatus status);

struct Selection {
    QString league;
    QDate day;
    QString home;
    QString away;
    model::MarketOutcome outcome = model::MatchResult{};
    double odds = 0;
};

// A selection as the ledger found it: its match's score when the result is in the table.
struct SelectionState {
    Selection selection;
    int number = 1; // 1 for a coupon's first selection
    bool voided = false;
    bool matchGone = false; // its result or its teams were deleted, and no result is there now
    QString unknownCode;    // the stored code when no market has it (a later version's); it stays open
    std::optional<std::pair<int, int>> score;
    std::optional<model::Score> halfTime;
    std::optional<double> clv; // odds taken over the closing fair odds, less 1

    // None while open or void.
    std::optional<model::Resolution> resolution() const;
    BetStatus status() const;
    // Why a selection whose match is played stays open; empty otherwise.
    QString openReason() const;
    // The code as stored.
    QString code() const;
};

struct BetRecord {
    qint64 id = 0;
    QDate placed;
    double stake = 0;
    std::vector<SelectionState> selections;

    // A single's is its selection's. A coupon is open while a selection is, lost when one is lost, void
    // when every selection is; otherwise won, pushed or lost as it pays more than, as much as or less than
    // its stake.
    BetStatus status() const;
    // The product of the selections' odds.
    double odds() const;
    // What it pays less the stake once settled (couponReturn: a void selection counts as a push); 0 while
    // open or void.
    double profit() const;
    // The single selection's; none for a coupon.
    std::optional<double> clv() const;
    // The day its outcome was known: the first lost match's when lost, the last match day otherwise.
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
    int halfWon = 0;
    int pushed = 0;
    int halfLost = 0;
    double staked = 0; // on the settled bets but the pushed ones, which risked nothing in the end
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
