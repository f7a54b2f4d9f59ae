#pragma once

#include "betting/Bets.h"

#include <QString>
#include <optional>
#include <vector>

namespace vezal {

class Database;

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

    // One checked write: the bet and its selections, or nothing.
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

// The checks of a new bet, before anything is read from the table.
std::optional<QString> checkBet(double stake, const std::vector<Selection>& selections);

} // namespace vezal
