#include "exchange/MarketViews.h"

#include "model/ImpliedGoals.h"
#include "store/WriteTransaction.h"

#include <QHash>
#include <algorithm>

namespace vezal {

namespace {

QString matchKey(const QString& day, const QString& home, const QString& away) {
    return day + QChar(0x1F) + home + QChar(0x1F) + away;
}

bool isOneXTwo(QuoteOutcome outcome) {
    return outcome == QuoteOutcome::Home || outcome == QuoteOutcome::Draw || outcome == QuoteOutcome::Away;
}

std::vector<Quote> ofSource(const std::vector<Quote>& quotes, const QString& source) {
    std::vector<Quote> book;
    std::copy_if(quotes.begin(), quotes.end(), std::back_inserter(book),
                 [&](const Quote& quote) { return quote.source == source; });
    return book;
}

// The first source in the trusted order with the market whole: its margin-free probability of `outcome`.
struct Priced {
    QString source;
    std::vector<Quote> book;
};

std::optional<Priced> firstWhole(const std::vector<Quote>& quotes, QuoteOutcome outcome,
                                 const std::optional<QString>& preferred = std::nullopt) {
    std::vector<QString> order = fairSourceOrder(quotes);
    if (preferred) {
        const auto found = std::find(order.begin(), order.end(), *preferred);
        if (found != order.end())
            std::rotate(order.begin(), found, found + 1);
    }
    for (const QString& source : order) {
        std::vector<Quote> book = ofSource(quotes, source);
        if (fairProbability(book, outcome))
            return Priced{source, std::move(book)};
    }
    return std::nullopt;
}

std::optional<MarketView> fromMoment(const std::vector<Quote>& quotes, bool closing) {
    std::vector<Quote> moment;
    std::copy_if(quotes.begin(), quotes.end(), std::back_inserter(moment),
                 [&](const Quote& quote) { return quote.closing == closing; });
    std::vector<Quote> oneXTwo, underOver;
    for (const Quote& quote : moment)
        if (!isAsianHandicap(quote.outcome))
            (isOneXTwo(quote.outcome) ? oneXTwo : underOver).push_back(quote);
    const std::optional<Priced> result = firstWhole(oneXTwo, QuoteOutcome::Home);
    if (!result)
        return std::nullopt;
    MarketView view;
    view.closing = closing;
    view.source = result->source;
    view.home = *fairProbability(result->book, QuoteOutcome::Home);
    view.draw = *fairProbability(result->book, QuoteOutcome::Draw);
    view.away = *fairProbability(result->book, QuoteOutcome::Away);
    if (const std::optional<Priced> goals = firstWhole(underOver, QuoteOutcome::Under, result->source))
        view.under25 = fairProbability(goals->book, QuoteOutcome::Under);
    return view;
}

} // namespace

std::optional<MarketView> marketView(const std::vector<Quote>& quotes, const std::optional<MatchOdds>& odds) {
    std::optional<MarketView> view = fromMoment(quotes, true);
    if (!view)
        view = fromMoment(quotes, false);
    if (!view && odds) {
        const std::vector<Quote> book = {{QString(), false, QuoteOutcome::Home, odds->home},
                                         {QString(), false, QuoteOutcome::Draw, odds->draw},
                                         {QString(), false, QuoteOutcome::Away, odds->away}};
        if (const std::optional<double> home = fairProbability(book, QuoteOutcome::Home)) {
            view.emplace();
            view->home = *home;
            view->draw = *fairProbability(book, QuoteOutcome::Draw);
            view->away = *fairProbability(book, QuoteOutcome::Away);
        }
    }
    if (!view)
        return std::nullopt;
    if (const std::optional<model::GoalMeans> means =
            model::impliedGoals({{view->home, view->draw, view->away}, view->under25})) {
        view->homeGoals = means->home;
        view->awayGoals = means->away;
    }
    return view;
}

bool fillMarketViews(Database& database, const QString& league, const MarketProgress& progress) {
    if (MarketTable(database).matchesWithoutView(league).empty())
        return true;
    WriteTransaction transaction(database);
    MarketTable table(database);
    // Asked again under the write lock: another process may have filled them meanwhile.
    const std::vector<KeptMarketView> missing = table.matchesWithoutView(league);
    QHash<QString, std::vector<Quote>> quotes;
    for (const KeptQuote& kept : QuoteTable(database).leagueQuotes(league))
        quotes[matchKey(kept.day, kept.home, kept.away)].push_back(kept.quote);
    QHash<QString, MatchOdds> odds;
    for (const KeptOdds& kept : OddsTable(database).leagueOdds(league))
        odds.insert(matchKey(kept.day, kept.home, kept.away), kept.odds);
    const auto total = static_cast<qsizetype>(missing.size());
    qsizetype done = 0;
    for (const KeptMarketView& match : missing) {
        const QString key = matchKey(match.day, match.home, match.away);
        const auto kept = odds.constFind(key);
        table.put(
            league, QDate::fromString(match.day, Qt::ISODate), match.home, match.away,
            marketView(quotes.value(key), kept == odds.constEnd() ? std::nullopt : std::optional(*kept)));
        if (progress && !progress(++done, total))
            return false;
    }
    transaction.commit();
    return true;
}

std::optional<std::vector<KeptMarketView>> leagueMarketViews(Database& database, const QString& league,
                                                             const MarketProgress& progress) {
    if (!fillMarketViews(database, league, progress))
        return std::nullopt;
    return MarketTable(database).leagueViews(league);
}

} // namespace vezal
