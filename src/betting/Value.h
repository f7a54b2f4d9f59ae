#pragma once

#include "exchange/OddsColumns.h"
#include "model/Pricing.h"
#include "store/QuoteTable.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// Value and stakes: which odds a bet is taken at, what it is worth to the model, and how much of the
// bankroll it gets. Pure arithmetic over quotes.
namespace vezal {

// Which of a line's odds a bet is taken at.
struct OddsChoice {
    enum class Kind { Best, Average, Bookmaker };
    Kind kind = Kind::Best;
    QString bookmaker; // for Bookmaker: its code as the odds table keeps it ("PS", "B365", ...)
    // For Best: the bookmakers one bets at, by their kept codes; empty for every bookmaker. The market's
    // average and best are no price one can take and count only when named here.
    QStringList bookmakers;
    double commission = 0.05; // an exchange's share of the winnings

    // "best", "avg" or a bookmaker's code as the files write it ("PS", "P", "B365"); none for an empty text.
    static std::optional<OddsChoice> fromText(const QString& text);
    QString text() const;
};

// A code as the odds table keeps it, from a file's spelling ("P" is "PS", "BbMx" is "Max", any letter
// case); none for a code no odds column starts with.
std::optional<QString> oddsSource(const QString& code);

// "Avg" and "Max": the market's average and best, not a bookmaker's.
bool isMarketAggregate(const QString& source);

// The price one gets at the quote: an exchange's (BFE) net of the commission on winnings,
// 1 + (odds - 1)(1 - commission); any other's as quoted.
double takenOdds(const Quote& quote, double commission);

// Values added one by one: their count, sum and mean, and the mean's 95 % interval.
struct Spread {
    int count = 0;
    double sum = 0;
    double squares = 0;

    void add(double value);
    std::optional<double> mean() const; // none while empty
    // mean +- 1.96 standard errors (the standard deviation with count - 1); none below two values.
    std::optional<std::pair<double, double>> interval() const;
};

struct StakeRule {
    double threshold = 0.05; // value when p * odds - 1 exceeds it
    double bankroll = 1000;
    double kellyFraction = 0.25; // of the Kelly stake
    double maxStake = 0.02;      // of the bankroll, at most
    double totalMax = 0.10;      // of the bankroll, at most on one bulletin's bets together
};

// p * odds - 1: the expected gain of a stake of 1.
double expectedValue(double probability, double odds);

// The one rule for value, the same in the walk, the bulletin and the panel: the forecast's expected value
// at the odds chosen exceeds the threshold.
bool isValueBet(double forecastProbability, double odds, double threshold);

// The fraction of the Kelly stake (p * odds - 1) / (odds - 1) of the bankroll, at most maxStake of it,
// rounded to 0.01; 0 without value.
double stakeFor(double probability, double odds, const StakeRule& rule);
// An outcome that can give stakes back or settle by halves gets the stake of a plain bet with the same
// expected value at the same odds: a line that often pushes is staked on what it earns, not on its wins.
double stakeFor(const model::OutcomeChances& chances, double odds, const StakeRule& rule);

// The quotes of the outcome's market at one moment: those taken before closing when there are any,
// else the closing ones.
std::vector<Quote> marketQuotes(const std::vector<Quote>& quotes, QuoteOutcome outcome);

// The index in `quotes` of the odds the choice takes for the outcome: the highest taken price among the
// choice's bookmakers (the first of equal ones), the average's, or the bookmaker's. None when there is none.
std::optional<std::size_t> chosenQuote(const std::vector<Quote>& quotes, QuoteOutcome outcome,
                                       const OddsChoice& choice);

// The bookmaker's margin-free probability of the outcome: from the average odds of its market when
// whole, else from the first bookmaker's (Pinnacle, Bet365, then the others alphabetically). An Asian
// side's at its line (quarterGoals), against the other side at the same line.
std::optional<double> bookProbability(const std::vector<Quote>& quotes, QuoteOutcome outcome,
                                      int quarterGoals = 0);

} // namespace vezal
