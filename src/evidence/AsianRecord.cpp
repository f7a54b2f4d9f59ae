#include "evidence/AsianRecord.h"

#include "betting/Settlement.h"
#include "model/Pricing.h"

#include <algorithm>
#include <iterator>

namespace vezal {

namespace {

// The quotes of both sides at the home side's line.
std::vector<Quote> atLine(const std::vector<Quote>& quotes, int homeLine) {
    std::vector<Quote> market;
    std::copy_if(quotes.begin(), quotes.end(), std::back_inserter(market), [&](const Quote& quote) {
        return isAsianHandicap(quote.outcome) && asianHomeLine(quote) == homeLine;
    });
    return market;
}

// Both sides' odds: the choice's, else the first source that has both.
std::pair<double, double> sidesOdds(const std::vector<Quote>& market,
                                    const std::optional<OddsChoice>& choice) {
    const auto taken = [&](const std::vector<Quote>& quotes, QuoteOutcome side, const OddsChoice& own) {
        const std::optional<std::size_t> chosen = chosenQuote(quotes, side, own);
        return chosen ? takenOdds(quotes[*chosen], own.commission) : 0.0;
    };
    if (choice)
        return {taken(market, QuoteOutcome::AsianHome, *choice),
                taken(market, QuoteOutcome::AsianAway, *choice)};
    for (const QString& source : fairSourceOrder(market)) {
        std::vector<Quote> book;
        std::copy_if(market.begin(), market.end(), std::back_inserter(book),
                     [&](const Quote& quote) { return quote.source == source; });
        OddsChoice own;
        own.kind = OddsChoice::Kind::Bookmaker;
        own.bookmaker = source;
        const std::pair<double, double> odds = {taken(book, QuoteOutcome::AsianHome, own),
                                                taken(book, QuoteOutcome::AsianAway, own)};
        if (odds.first > 1 && odds.second > 1)
            return odds;
    }
    return {0.0, 0.0};
}

} // namespace

std::optional<AsianPrices> asianPrices(const std::vector<Quote>& before, const std::vector<Quote>& closing,
                                       const std::optional<OddsChoice>& choice) {
    const auto first = std::find_if(before.begin(), before.end(),
                                    [](const Quote& quote) { return isAsianHandicap(quote.outcome); });
    if (first == before.end())
        return std::nullopt;
    AsianPrices prices;
    prices.homeLine = asianHomeLine(*first);
    std::tie(prices.homeOdds, prices.awayOdds) = sidesOdds(atLine(before, prices.homeLine), choice);
    if (!(prices.homeOdds > 1) || !(prices.awayOdds > 1))
        return std::nullopt;
    // At another closing line the price moved with the line: it says nothing of the line taken.
    const std::vector<Quote> closed = atLine(closing, prices.homeLine);
    prices.closingHome = bookProbability(closed, QuoteOutcome::AsianHome, prices.homeLine);
    prices.closingAway = bookProbability(closed, QuoteOutcome::AsianAway, -prices.homeLine);
    std::tie(prices.closingHomeOdds, prices.closingAwayOdds) = sidesOdds(closed, choice);
    return prices;
}

std::optional<AsianValueBet> asianValueBet(const model::ScoreGrid& forecast, const AsianPrices& prices,
                                           int homeGoals, int awayGoals, double valueThreshold) {
    struct Side {
        model::AsianHandicap outcome;
        double odds;
        std::optional<double> closing;
        double closingOdds;
    };
    const Side sides[] = {{{model::Result::HomeWin, prices.homeLine},
                           prices.homeOdds,
                           prices.closingHome,
                           prices.closingHomeOdds},
                          {{model::Result::AwayWin, -prices.homeLine},
                           prices.awayOdds,
                           prices.closingAway,
                           prices.closingAwayOdds}};
    const Side* best = nullptr;
    double bestValue = valueThreshold;
    for (const Side& side : sides) {
        const double value = model::expectedValue(model::chancesOf(forecast, side.outcome), side.odds);
        if (value > bestValue) {
            best = &side;
            bestValue = value;
        }
    }
    if (!best)
        return std::nullopt;
    AsianValueBet bet;
    bet.code = model::outcomeCode(best->outcome);
    bet.odds = best->odds;
    const std::optional<model::Resolution> resolution = model::resolve(best->outcome, {homeGoals, awayGoals});
    bet.payout = resolution ? unitReturn(*resolution, best->odds) : 1.0;
    if (best->closingOdds > 1)
        bet.closingLineValue = best->odds / best->closingOdds - 1;
    if (best->closing)
        bet.closeValue = expectedValue(*best->closing, best->odds);
    return bet;
}

} // namespace vezal
