#include "betting/Value.h"

#include <algorithm>
#include <cmath>

namespace vezal {

namespace {

bool sameMarket(QuoteOutcome a, QuoteOutcome b) {
    const std::vector<QuoteOutcome> market = marketOutcomes(a);
    return std::find(market.begin(), market.end(), b) != market.end();
}

OddsChoice choiceOf(OddsChoice::Kind kind, const QString& bookmaker = {}) {
    OddsChoice choice;
    choice.kind = kind;
    choice.bookmaker = bookmaker;
    return choice;
}

bool counts(const Quote& quote, const OddsChoice& choice) {
    return choice.bookmakers.isEmpty() ? !isMarketAggregate(quote.source)
                                       : choice.bookmakers.contains(quote.source);
}

} // namespace

std::optional<QString> oddsSource(const QString& code) {
    // The code as a file's column would start: "P" and "PS" are both Pinnacle.
    if (const std::optional<OddsColumn> column = oddsColumn(code.trimmed() + QLatin1Char('H'), 0))
        return column->source;
    return std::nullopt;
}

bool isMarketAggregate(const QString& source) {
    return source == QLatin1String("Avg") || source == QLatin1String("Max");
}

double takenOdds(const Quote& quote, double commission) {
    if (quote.source != QLatin1String("BFE"))
        return quote.odds;
    return 1 + (quote.odds - 1) * (1 - commission);
}

void Spread::add(double value) {
    ++count;
    sum += value;
    squares += value * value;
}

std::optional<double> Spread::mean() const {
    if (count == 0)
        return std::nullopt;
    return sum / count;
}

std::optional<std::pair<double, double>> Spread::interval() const {
    if (count < 2)
        return std::nullopt;
    const double n = count;
    const double average = sum / n;
    // The squares about the mean, never below 0 for round-off.
    const double about = std::max(0.0, squares - n * average * average);
    const double error = std::sqrt(about / (n - 1) / n);
    return std::pair{average - 1.96 * error, average + 1.96 * error};
}

std::optional<OddsChoice> OddsChoice::fromText(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (text.compare(QLatin1String("best"), Qt::CaseInsensitive) == 0)
        return choiceOf(Kind::Best);
    if (text.compare(QLatin1String("avg"), Qt::CaseInsensitive) == 0)
        return choiceOf(Kind::Average);
    // "Max" is the market's best column, taken as any one bookmaker's when named.
    if (const std::optional<QString> source = oddsSource(text)) {
        if (*source == QLatin1String("Avg"))
            return choiceOf(Kind::Average);
        return choiceOf(Kind::Bookmaker, *source);
    }
    return choiceOf(Kind::Bookmaker, text);
}

QString OddsChoice::text() const {
    switch (kind) {
    case Kind::Best:
        return QStringLiteral("best");
    case Kind::Average:
        return QStringLiteral("avg");
    case Kind::Bookmaker:
        break;
    }
    return bookmaker;
}

double expectedValue(double probability, double odds) {
    return probability * odds - 1;
}

bool isValueBet(double forecastProbability, double odds, double threshold) {
    return expectedValue(forecastProbability, odds) > threshold;
}

double stakeFor(double probability, double odds, const StakeRule& rule) {
    const double value = expectedValue(probability, odds);
    if (!isValueBet(probability, odds, rule.threshold) || !(odds > 1))
        return 0;
    const double kelly = value / (odds - 1);
    const double stake = std::min(rule.kellyFraction * kelly * rule.bankroll, rule.maxStake * rule.bankroll);
    return std::round(stake * 100) / 100;
}

double stakeFor(const model::OutcomeChances& chances, double odds, const StakeRule& rule) {
    if (!(odds > 1))
        return 0;
    return stakeFor((1 + model::expectedValue(chances, odds)) / odds, odds, rule);
}

std::vector<Quote> marketQuotes(const std::vector<Quote>& quotes, QuoteOutcome outcome) {
    std::vector<Quote> before, closing;
    for (const Quote& quote : quotes)
        if (sameMarket(outcome, quote.outcome))
            (quote.closing ? closing : before).push_back(quote);
    return before.empty() ? closing : before;
}

std::optional<std::size_t> chosenQuote(const std::vector<Quote>& quotes, QuoteOutcome outcome,
                                       const OddsChoice& choice) {
    std::optional<std::size_t> chosen;
    for (std::size_t i = 0; i < quotes.size(); ++i) {
        const Quote& quote = quotes[i];
        if (quote.outcome != outcome)
            continue;
        switch (choice.kind) {
        case OddsChoice::Kind::Best:
            if (counts(quote, choice) && (!chosen || takenOdds(quote, choice.commission) >
                                                         takenOdds(quotes[*chosen], choice.commission)))
                chosen = i;
            break;
        case OddsChoice::Kind::Average:
            if (!chosen && quote.source == QLatin1String("Avg"))
                chosen = i;
            break;
        case OddsChoice::Kind::Bookmaker:
            if (!chosen && quote.source == choice.bookmaker)
                chosen = i;
            break;
        }
    }
    return chosen;
}

std::optional<double> bookProbability(const std::vector<Quote>& quotes, QuoteOutcome outcome,
                                      int quarterGoals) {
    for (const QString& source : fairSourceOrder(quotes)) {
        std::vector<Quote> book;
        std::copy_if(quotes.begin(), quotes.end(), std::back_inserter(book),
                     [&](const Quote& quote) { return quote.source == source; });
        if (const std::optional<double> fair = fairProbability(book, outcome, quarterGoals))
            return fair;
    }
    return std::nullopt;
}

} // namespace vezal
