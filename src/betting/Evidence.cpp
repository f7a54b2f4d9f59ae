#include "betting/Evidence.h"

#include "model/LeagueForecast.h"
#include "store/PlayedMatches.h"

#include <QHash>
#include <cmath>

namespace vezal {

namespace {

QString matchKey(const QString& day, const QString& home, const QString& away) {
    return day + QChar(0x1F) + home + QChar(0x1F) + away;
}

void bet(EvidenceFigures& figures, const std::vector<Quote>& quotes,
         const std::vector<std::pair<QuoteOutcome, double>>& outcomes, QuoteOutcome happened,
         const BulletinRule& rule) {
    for (const auto& [outcome, probability] : outcomes) {
        const std::vector<Quote> market = marketQuotes(quotes, outcome);
        const std::optional<std::size_t> chosen = chosenQuote(market, outcome, rule.odds);
        if (!chosen)
            continue;
        const double odds = market[*chosen].odds;
        if (!(expectedValue(probability, odds) > rule.stake.threshold))
            continue;
        const double profit = outcome == happened ? odds - 1 : -1.0;
        ++figures.bets;
        figures.won += outcome == happened ? 1 : 0;
        figures.profit += profit;
        figures.returns.push_back(profit);
    }
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
    const auto n = static_cast<double>(returns.size());
    if (returns.size() < 2)
        return std::nullopt;
    double mean = 0;
    for (const double r : returns)
        mean += r;
    mean /= n;
    double squares = 0;
    for (const double r : returns)
        squares += (r - mean) * (r - mean);
    const double error = std::sqrt(squares / (n - 1)) / std::sqrt(n);
    return std::pair{100 * (mean - 1.96 * error), 100 * (mean + 1.96 * error)};
}

LeagueEvidence leagueEvidence(Database& database, const QString& league, const BulletinRule& rule) {
    LeagueEvidence evidence;
    evidence.league = league;
    QHash<QString, std::vector<Quote>> quotes;
    for (const KeptQuote& kept : QuoteTable(database).leagueQuotes(league)) {
        quotes[matchKey(kept.day, kept.home, kept.away)].push_back(kept.quote);
        const bool underOver =
            kept.quote.outcome == QuoteOutcome::Under || kept.quote.outcome == QuoteOutcome::Over;
        (underOver ? evidence.underOver : evidence.oneXTwo).oddsKept = true;
    }

    std::vector<model::LeagueMatch> matches;
    for (const PlayedMatchRow& row : leagueMatchRows(database, league))
        matches.push_back({row.day, row.home, row.away, row.homeGoals, row.awayGoals});
    model::LeagueModel goals(matches, rule.fit);
    for (const model::LeagueMatch& match : matches) {
        const auto kept = quotes.constFind(matchKey(match.day.toString(Qt::ISODate), match.home, match.away));
        const model::PairingForecast f = goals.forecast(match.home, match.away, match.day);
        if (f.refusal || kept == quotes.constEnd())
            continue;
        const model::MatchForecast& p = f.forecast;
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
