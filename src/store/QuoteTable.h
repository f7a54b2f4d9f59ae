#pragma once

#include "store/BoundStatement.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <optional>
#include <vector>

namespace vezal {

class Database;

// The outcomes a quote can be on: the 1X2 market, the over/under 2.5 goals market and the Asian handicap's
// home and away sides (at the quote's line).
enum class QuoteOutcome { Home, Draw, Away, Under, Over, AsianHome, AsianAway };

// The 1X2 and under/over outcomes: "1" "0" "2" "ALT" "UST", as the table keeps them; none for another text.
// The Asian sides' codes carry their line: see quoteCode.
QString outcomeCode(QuoteOutcome outcome);
std::optional<QuoteOutcome> outcomeFromCode(const QString& code);
// The outcomes sharing the outcome's market, in the order above.
std::vector<QuoteOutcome> marketOutcomes(QuoteOutcome outcome);
bool isAsianHandicap(QuoteOutcome outcome);

// One price of one outcome of a match.
struct Quote {
    QString source; // the bookmaker's code: "Avg" the market's average, "Max" its best, "PS", "B365", ...
    bool closing = false; // taken when betting closed
    QuoteOutcome outcome = QuoteOutcome::Home;
    double odds = 0;
    int quarterGoals = 0; // the Asian handicap's: the backed side's line in quarter goals (-3 is -0.75)
};

// The quote's outcome as the table keeps it: outcomeCode's, or the Asian side at its line ("AH1-0.75",
// "AH2+0.75") as the markets spell it.
QString quoteCode(const Quote& quote);
// The outcome, and for an Asian code its side's line, of a kept code; none for a code this program does
// not know.
struct QuoteCode {
    QuoteOutcome outcome = QuoteOutcome::Home;
    int quarterGoals = 0;
};
std::optional<QuoteCode> readQuoteCode(const QString& code);
// The home side's line of an Asian quote, whichever side it backs.
int asianHomeLine(const Quote& quote);

// A match's quote with the key it is kept under (the day as yyyy-MM-dd text, as Liste holds it).
struct KeptQuote {
    QString day;
    QString home;
    QString away;
    Quote quote;
};

// The margin-free probability of one outcome among a complete set of a market's quotes from one source:
// its inverse odds divided by the sum of the market's inverse odds. None unless every outcome of the
// market is there exactly once. An Asian side is priced against the other side at the same line
// (quarterGoals is the outcome's own side's line: the home side at -3 pairs with the away side at +3);
// quotes at other lines are no part of its market.
std::optional<double> fairProbability(const std::vector<Quote>& market, QuoteOutcome outcome,
                                      int quarterGoals = 0);

// Every price a match file gave for a match, beside Liste in a table of its own (Oranlar), one row per
// match, source, moment and outcome. A trigger on Liste removes a match's prices with its row, as it does
// for Oran. Names are cut to 20 characters, as Liste keeps them. Engine failures throw StoreError.
//
// It remembers that the table exists once it has made it: let it live no longer than the transaction
// that may have made it, and destroy it before the Database.
class QuoteTable {
public:
    explicit QuoteTable(Database& database);

    void ensureExists();
    bool exists();

    // Adds the quotes, replacing any of the same match, source, moment and outcome.
    void put(const QString& league, const QDate& day, const QString& home, const QString& away,
             const std::vector<Quote>& quotes);
    // The match's quotes, in no particular order; none when the table is missing.
    std::vector<Quote> find(const QString& league, const QDate& day, const QString& home,
                            const QString& away);
    // Every kept quote of the league, in no particular order.
    std::vector<KeptQuote> leagueQuotes(const QString& league);

    // The closing fair probability of the outcome: from the market's average closing odds where kept
    // whole, else from the first bookmaker with the market's closing odds whole (Pinnacle, Bet365, then
    // the others in alphabetical order of their codes). None when no source has them. For an Asian side,
    // quarterGoals is its line, and the market is the two sides at that line.
    std::optional<double> closingFairProbability(const QString& league, const QDate& day, const QString& home,
                                                 const QString& away, QuoteOutcome outcome,
                                                 int quarterGoals = 0);

private:
    Database& database_;
    TableBeside table_;
    std::optional<QSqlQuery> put_;
};

// The sources a fair probability is taken from, most trusted first: the average, then Pinnacle, Bet365
// and the others in alphabetical order. The best odds ("Max") are no bookmaker's book and never count.
std::vector<QString> fairSourceOrder(const std::vector<Quote>& quotes);

} // namespace vezal
