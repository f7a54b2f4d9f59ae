#include "betting/Value.h"

#include <algorithm>
#include <cmath>

namespace vezal {

namespace {

bool sameMarket(QuoteOutcome a, QuoteOutcome b) {
    const std::vector<QuoteOutcome> market = marketOutcomes(a);
    return std::find(market.begin(), market.end(), b) != market.end();
}

} // namespace

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
        return OddsChoice{Kind::Best, {}};
    if (text.compare(QLatin1String("avg"), Qt::CaseInsensitive) == 0)
        return OddsChoice{Kind::Average, {}};
    // The bookmaker's code as a file's column would start: "P" and "PS" are both Pinnacle.
    if (const std::optional<OddsColumn> column = oddsColumn(text + QLatin1Char('H'), 0)) {
        if (column->source == QLatin1String("Avg"))
            return OddsChoice{Kind::Average, {}};
        if (column->source == QLatin1String("Max"))
            return OddsChoice{Kind::Best, {}};
        return OddsChoice{Kind::Bookmaker, column->source};
    }
    return OddsChoice{Kind::Bookmaker, text};
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
            if (!chosen || quote.odds > quotes[*chosen].odds)
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

std::optional<double> bookProbability(const std::vector<Quote>& quotes, QuoteOutcome outcome) {
    for (const QString& source : fairSourceOrder(quotes)) {
        std::vector<Quote> book;
        std::copy_if(quotes.begin(), quotes.end(), std::back_inserter(book),
                     [&](const Quote& quote) { return quote.source == source; });
        if (const std::optional<double> fair = fairProbability(book, outcome))
            return fair;
    }
    return std::nullopt;
}

} // namespace vezal
