#include "betting/Evidence.h"

#include "exchange/ModelMatches.h"
#include "model/LeagueForecast.h"
#include "model/Pool.h"

#include <QHash>
#include <cmath>

namespace vezal {

namespace {

QString matchKey(const QString& day, const QString& home, const QString& away) {
    return day + QChar(0x1F) + home + QChar(0x1F) + away;
}

std::vector<Quote> ofMoment(const std::vector<Quote>& quotes, bool closing) {
    std::vector<Quote> moment;
    for (const Quote& quote : quotes)
        if (quote.closing == closing)
            moment.push_back(quote);
    return moment;
}

void bet(EvidenceFigures& figures, const std::vector<Quote>& quotes,
         const std::vector<std::pair<QuoteOutcome, double>>& outcomes, QuoteOutcome happened,
         const BulletinRule& rule) {
    const std::vector<Quote> closing = ofMoment(quotes, true);
    for (const auto& [outcome, probability] : outcomes) {
        const std::vector<Quote> market = marketQuotes(quotes, outcome);
        const std::optional<std::size_t> chosen = chosenQuote(market, outcome, rule.odds);
        if (!chosen)
            continue;
        const double odds = takenOdds(market[*chosen], rule.odds.commission);
        if (!isValueBet(probability, odds, rule.stake.threshold))
            continue;
        const double profit = outcome == happened ? odds - 1 : -1.0;
        ++figures.bets;
        figures.won += outcome == happened ? 1 : 0;
        figures.profit += profit;
        figures.returns.push_back(profit);
        if (const std::optional<double> fair = bookProbability(closing, outcome))
            figures.closeValue.add(expectedValue(*fair, odds));
    }
}

std::optional<double> percentOf(const std::optional<double>& value) {
    if (!value)
        return std::nullopt;
    return 100 * *value;
}

std::optional<std::pair<double, double>> percentOf(const std::optional<std::pair<double, double>>& interval) {
    if (!interval)
        return std::nullopt;
    return std::pair{100 * interval->first, 100 * interval->second};
}

} // namespace

QString evidenceMarketCode(EvidenceMarket market) {
    return market == EvidenceMarket::OneXTwo ? QStringLiteral("1X2") : QStringLiteral("UO");
}

std::optional<double> EvidenceFigures::yieldPercent() const {
    if (bets == 0)
        return std::nullopt;
    return 100 * profit / bets;
}

std::optional<std::pair<double, double>> EvidenceFigures::yieldInterval() const {
    Spread spread;
    for (const double r : returns)
        spread.add(r);
    return percentOf(spread.interval());
}

std::optional<double> EvidenceFigures::closeValuePercent() const {
    return percentOf(closeValue.mean());
}

std::optional<std::pair<double, double>> EvidenceFigures::closeValueInterval() const {
    return percentOf(closeValue.interval());
}

LeagueEvidence leagueEvidence(Database& database, const QString& league, const BulletinRule& rule) {
    LeagueEvidence evidence;
    evidence.league = league;
    QHash<QString, std::vector<Quote>> quotes;
    for (const KeptQuote& kept : QuoteTable(database).leagueQuotes(league)) {
        // The evidence is of the 1X2 and under/over markets alone.
        if (isAsianHandicap(kept.quote.outcome))
            continue;
        quotes[matchKey(kept.day, kept.home, kept.away)].push_back(kept.quote);
        const bool underOver =
            kept.quote.outcome == QuoteOutcome::Under || kept.quote.outcome == QuoteOutcome::Over;
        (underOver ? evidence.underOver : evidence.oneXTwo).oddsKept = true;
    }

    const model::FitOptions options = rule.fit.over(leagueFitOptions(database, league));
    const std::vector<model::LeagueMatch> matches = leagueMatches(database, league, options.shotsWeight < 1);
    model::LeagueModel goals(matches, options);
    for (const model::LeagueMatch& match : matches) {
        const auto kept = quotes.constFind(matchKey(match.day.toString(Qt::ISODate), match.home, match.away));
        const model::PairingForecast f = goals.forecast(match.home, match.away, match.day);
        if (f.refusal || kept == quotes.constEnd())
            continue;
        // Pooled with the odds taken before closing, as the walk pools a past match.
        const std::vector<Quote> before = ofMoment(*kept, false);
        const std::optional<double> h = bookProbability(before, QuoteOutcome::Home);
        const std::optional<double> d = bookProbability(before, QuoteOutcome::Draw);
        const std::optional<double> a = bookProbability(before, QuoteOutcome::Away);
        const std::optional<model::ThreeWay> market =
            h && d && a ? std::optional(model::ThreeWay{*h, *d, *a}) : std::nullopt;
        const model::PooledForecast p = model::pooledForecast(
            f.forecast, market, bookProbability(before, QuoteOutcome::Under), options.poolWeight);
        const QuoteOutcome result = match.homeGoals > match.awayGoals   ? QuoteOutcome::Home
                                    : match.homeGoals < match.awayGoals ? QuoteOutcome::Away
                                                                        : QuoteOutcome::Draw;
        bet(evidence.oneXTwo, *kept,
            {{QuoteOutcome::Home, p.outcome.home},
             {QuoteOutcome::Draw, p.outcome.draw},
             {QuoteOutcome::Away, p.outcome.away}},
            result, rule);
        bet(evidence.underOver, *kept, {{QuoteOutcome::Under, p.under25}, {QuoteOutcome::Over, p.over25}},
            match.homeGoals + match.awayGoals >= 3 ? QuoteOutcome::Over : QuoteOutcome::Under, rule);
    }
    return evidence;
}

} // namespace vezal
