#pragma once

#include "betting/Bets.h"

#include <QString>
#include <optional>
#include <vector>

namespace vezal {

class Database;
class QuoteTable;

// The closing margin-free probability of the selection's outcome, where the table keeps closing odds of
// its market at its line.
std::optional<double> closingProbability(QuoteTable& quotes, const Selection& selection);

// A bet to place: a refusal names what is wrong, with the words to show; nothing is written then.
struct PlaceOutcome {
    std::optional<qint64> id;
    QString refusal;
};

// The bets placed, in tables of their own beside Liste (Bahis, BahisSecim, BahisKasa). A selection
// keeps its league and teams as text, so deleting a league, a team or a result never deletes a bet;
// triggers on Liste mark its selections when their match or team row goes (and unmark them when the
// match is entered again), so that the ledger can say "maç silindi".
//
// A bet's status is never stored: it is read from Liste's scores each time the bets are read, so that
// every way a result comes in or goes (the windows, vezal-cli, an import, another process) settles or
// re-opens the bets at once. Only the user's voiding is kept. Engine failures throw StoreError.
class BetLedger {
public:
    explicit BetLedger(Database& database);

    // One checked write: the bet and its selections, or nothing. Besides checkBet's checks, each
    // selection's league must be listed in klasman.dat and both its teams registered in it, found
    // without regard to case as a fixture file's names are; the program's own spelling is stored, so that
    // the bet settles against the table's rows.
    PlaceOutcome place(const QDate& placed, double stake, const std::vector<Selection>& selections);
    // The bet and its selections; false when there is no such bet.
    bool remove(qint64 id);
    // Voids the whole bet, or its selection of that number (1 for the first); a refusal when there is
    // no such bet or selection.
    std::optional<QString> voidBet(qint64 id, std::optional<int> selection = std::nullopt);

    // Every bet in the order placed, settled from the table as it is now, with the closing-line value of
    // each selection whose match has closing odds kept.
    std::vector<BetRecord> bets();

    // The starting bankroll kept with the bets; 0 until one is set.
    double startingBankroll();
    void setStartingBankroll(double amount);

private:
    bool exists();
    void ensureExists();

    Database& database_;
};

// The most selections one coupon may hold, numbered 1 to 999.
inline constexpr int kMostSelections = 999;

// The checks of a new bet placed on the day given, before anything is read from the table: a stake and
// odds within their bounds (common/Odds.h), the odds of the whole bet at most kHighestBetOdds, no name with
// a control character, no match before the table's first day or before the day the bet is placed, no
// match twice and no team against itself (names compared without regard to case).
std::optional<QString> checkBet(const QDate& placed, double stake, const std::vector<Selection>& selections);

} // namespace vezal
