#include "betting/Bulletin.h"

#include "betting/BettingMessages.h"
#include "common/Names.h"
#include "model/LeagueForecast.h"
#include "model/ModelMessages.h"
#include "model/Pool.h"
#include "model/ScoreGrid.h"
#include "store/PlayedMatches.h"

#include <algorithm>
#include <cmath>

namespace vezal {

namespace {

double modelProbability(const model::MatchForecast& f, BulletinMarket market) {
    switch (market) {
    case BulletinMarket::Home:
        return f.outcome.home;
    case BulletinMarket::Draw:
        return f.outcome.draw;
    case BulletinMarket::Away:
        return f.outcome.away;
    case BulletinMarket::Under:
        return f.under25;
    case BulletinMarket::Over:
        return f.over25;
    case BulletinMarket::BothScore:
        return f.bothScore;
    case BulletinMarket::NotBothScore:
        break;
    }
    return 1 - f.bothScore;
}

// The market's quotes of one moment, with their places among the fixture's, and their margin-free
// probability of the outcome.
struct MarketMoment {
    std::vector<Quote> quotes;
    std::vector<std::size_t> places;
    std::optional<double> book;
};

MarketMoment momentOf(const std::vector<Quote>& quotes, QuoteOutcome outcome) {
    const std::vector<Quote> market = marketQuotes(quotes, outcome);
    const std::vector<QuoteOutcome> outcomes = marketOutcomes(outcome);
    MarketMoment moment;
    for (std::size_t i = 0; i < quotes.size(); ++i)
        if (!market.empty() && quotes[i].closing == market.front().closing &&
            std::find(outcomes.begin(), outcomes.end(), quotes[i].outcome) != outcomes.end()) {
            moment.quotes.push_back(quotes[i]);
            moment.places.push_back(i);
        }
    moment.book = bookProbability(moment.quotes, outcome);
    return moment;
}

} // namespace

void takeOdds(BulletinRow& row, const FileQuote& quote, const BulletinRule& rule) {
    row.odds = quote;
    const double odds = takenOdds(row.odds->quote, rule.odds.commission);
    if (odds != row.odds->quote.odds) {
        row.odds->quote.odds = odds;
        row.odds->text = QString::number(odds, 'g', 6);
    }
    priceRow(row, odds, rule.stake);
}

namespace {

void addRows(std::vector<BulletinRow>& rows, const Fixture& fixture, const model::MatchForecast& forecast,
             const std::optional<model::ScoreGrid>& grid, const BulletinRule& rule, double poolWeight) {
    const std::vector<Quote> quotes = plainQuotes(fixture.quotes);
    std::map<QuoteOutcome, MarketMoment> moments;
    for (const BulletinMarket market : kBulletinMarkets)
        if (const std::optional<QuoteOutcome> outcome = quoteOutcome(market))
            moments.emplace(*outcome, momentOf(quotes, *outcome));
    const auto book = [&](QuoteOutcome outcome) {
        return moments.at(outcome).book;
    };
    std::optional<model::ThreeWay> oneXTwo;
    if (book(QuoteOutcome::Home) && book(QuoteOutcome::Draw) && book(QuoteOutcome::Away))
        oneXTwo =
            model::ThreeWay{*book(QuoteOutcome::Home), *book(QuoteOutcome::Draw), *book(QuoteOutcome::Away)};
    const model::PooledForecast pooled =
        model::pooledForecast(forecast, oneXTwo, book(QuoteOutcome::Under), poolWeight);
    model::MatchForecast view = forecast;
    view.outcome = pooled.outcome;
    view.under25 = pooled.under25;
    view.over25 = pooled.over25;

    for (const BulletinMarket market : kBulletinMarkets) {
        BulletinRow row;
        row.fixture = &fixture;
        row.market = bulletinOutcome(market);
        row.modelProbability = modelProbability(forecast, market);
        row.probability = modelProbability(view, market);
        if (const std::optional<QuoteOutcome> outcome = quoteOutcome(market)) {
            const MarketMoment& moment = moments.at(*outcome);
            row.book = moment.book;
            if (const std::optional<std::size_t> chosen = chosenQuote(moment.quotes, *outcome, rule.odds))
                takeOdds(row, fixture.quotes[moment.places[*chosen]], rule);
        }
        rows.push_back(row);
    }

    const std::size_t first = rows.size() - std::size(kBulletinMarkets);
    if (grid) {
        const model::ScoreGrid forecastGrid = model::forecastGrid(*grid, pooled);
        const std::vector<BulletinRow> asian = asianRows(fixture, *grid, forecastGrid, rule);
        rows.insert(rows.end(), asian.begin(), asian.end());
        if (rule.fairRows) {
            const std::vector<BulletinRow> fair = fairRows(fixture, *grid, forecastGrid);
            rows.insert(rows.end(), fair.begin(), fair.end());
        }
    }
    if (rule.fairRows)
        for (std::size_t i = first; i < rows.size(); ++i)
            if (!rows[i].odds && !rows[i].fair)
                rows[i].fair = fairOddsOf(rows[i]);
}

} // namespace

int marketGroup(const model::MarketOutcome& outcome) {
    return static_cast<int>(model::marketOf(outcome));
}

void priceRow(BulletinRow& row, double odds, const StakeRule& rule) {
    if (row.chances) {
        row.value = model::expectedValue(*row.chances, odds);
        row.isValue = *row.value > rule.threshold;
        row.stake = stakeFor(*row.chances, odds, rule);
        return;
    }
    row.value = expectedValue(row.probability, odds);
    row.isValue = isValueBet(row.probability, odds, rule.threshold);
    row.stake = stakeFor(row.probability, odds, rule);
}

void limitStakes(std::vector<BulletinRow>& rows, const StakeRule& rule) {
    // One outcome a market, the one of the highest value: a market's outcomes exclude each other, so a
    // second stake beside the first only gives back part of it.
    std::map<std::pair<const Fixture*, int>, BulletinRow*> staked;
    for (BulletinRow& row : rows) {
        if (row.reason || !row.stake || !(*row.stake > 0) || !row.value)
            continue;
        BulletinRow*& best = staked[{row.fixture, marketGroup(row.market)}];
        if (best && !(*row.value > *best->value)) {
            row.stake = 0.0;
            continue;
        }
        if (best)
            best->stake = 0.0;
        best = &row;
    }
    double total = 0;
    for (const auto& [group, row] : staked)
        total += *row->stake;
    const double limit = rule.totalMax * rule.bankroll;
    if (!(total > limit))
        return;
    // Rounded down, so that the scaled stakes stay within the limit; the millionth of a cent is for
    // quotients such as 1234.9999999 that are 1235 worked by hand.
    for (const auto& [group, row] : staked)
        *row->stake = std::floor(*row->stake * limit / total * 100 + 1e-6) / 100;
}

BulletinTotals bulletinTotals(const std::vector<BulletinRow>& rows) {
    BulletinTotals totals;
    for (const BulletinRow& row : rows)
        if (row.stake && *row.stake > 0 && row.value) {
            ++totals.bets;
            totals.stake += *row.stake;
            totals.expectedProfit += *row.stake * *row.value;
        }
    return totals;
}

QString marketCode(BulletinMarket market) {
    static const char* const codes[] = {"1", "0", "2", "ALT", "UST", "KGVAR", "KGYOK"};
    return QString::fromLatin1(codes[static_cast<int>(market)]);
}

model::MarketOutcome bulletinOutcome(BulletinMarket market) {
    switch (market) {
    case BulletinMarket::Home:
        return model::MatchResult{model::Result::HomeWin};
    case BulletinMarket::Draw:
        return model::MatchResult{model::Result::Draw};
    case BulletinMarket::Away:
        return model::MatchResult{model::Result::AwayWin};
    case BulletinMarket::Under:
        return model::GoalLine{5, false};
    case BulletinMarket::Over:
        return model::GoalLine{5, true};
    case BulletinMarket::BothScore:
        return model::BothTeamsScore{true};
    case BulletinMarket::NotBothScore:
        break;
    }
    return model::BothTeamsScore{false};
}

std::optional<QuoteOutcome> quoteOutcome(BulletinMarket market) {
    switch (market) {
    case BulletinMarket::Home:
        return QuoteOutcome::Home;
    case BulletinMarket::Draw:
        return QuoteOutcome::Draw;
    case BulletinMarket::Away:
        return QuoteOutcome::Away;
    case BulletinMarket::Under:
        return QuoteOutcome::Under;
    case BulletinMarket::Over:
        return QuoteOutcome::Over;
    case BulletinMarket::BothScore:
    case BulletinMarket::NotBothScore:
        break;
    }
    return std::nullopt;
}

std::vector<BulletinRow> bulletinRows(Database& database, const std::vector<Fixture>& fixtures,
                                      const BulletinRule& rule) {
    // Forecasts by fixture, filled league by league and day by day.
    std::vector<model::PairingForecast> forecasts(fixtures.size());
    // The score grids of the fixtures with Asian handicap odds, or of all with the pool's fair rows; the
    // seven markets need none.
    std::vector<std::optional<model::ScoreGrid>> grids(fixtures.size());
    std::vector<double> poolWeights(fixtures.size(), model::kDefaultPoolWeight);
    std::map<QString, std::vector<std::size_t>> byLeague;
    for (std::size_t i = 0; i < fixtures.size(); ++i)
        byLeague[fixtures[i].league].push_back(i);
    for (const auto& [league, indexes] : byLeague) {
        const model::FitOptions options = rule.fit.over(leagueFitOptions(database, league));
        const std::vector<model::LeagueMatch> matches =
            leagueMatches(database, league, options.shotsWeight < 1);
        std::map<QDate, std::vector<std::size_t>> byDay;
        for (const std::size_t i : indexes)
            byDay[fixtures[i].day].push_back(i);
        for (const auto& [day, dayIndexes] : byDay) {
            // A model of its own for each day, as "probabilities" fits one: the same figures to the last bit.
            model::LeagueModel leagueModel(matches, options);
            for (const std::size_t i : dayIndexes) {
                poolWeights[i] = options.poolWeight;
                if (leagueModel.isEmpty())
                    forecasts[i].refusal = QString::fromUtf16(messages::kLeagueWithoutMatches).arg(league);
                else
                    forecasts[i] = leagueModel.forecast(fixtures[i].home, fixtures[i].away, day);
                // Full-time markets alone: the league's first-half share would change no figure of them.
                if (!forecasts[i].refusal && (rule.fairRows || hasAsianQuotes(fixtures[i])))
                    grids[i] = model::ScoreGrid::dixonColes(forecasts[i].homeMean, forecasts[i].awayMean,
                                                            leagueModel.fitFor(day).parameters.rho);
            }
        }
    }

    std::vector<BulletinRow> rows;
    rows.reserve(fixtures.size() * std::size(kBulletinMarkets));
    for (std::size_t i = 0; i < fixtures.size(); ++i) {
        if (forecasts[i].refusal) {
            BulletinRow row;
            row.fixture = &fixtures[i];
            row.reason = forecasts[i].refusal;
            rows.push_back(row);
            continue;
        }
        addRows(rows, fixtures[i], forecasts[i].forecast, grids[i], rule, poolWeights[i]);
    }
    limitStakes(rows, rule.stake);
    return rows;
}

QStringList oddsSourcesOf(const std::vector<MatchLine>& lines) {
    QStringList sources;
    for (const MatchLine& line : lines)
        for (const FileQuote& quote : line.quotes)
            if (!sources.contains(quote.quote.source))
                sources << quote.quote.source;
    return sources;
}

BookmakerReading readBookmakers(const QString& typed, const QStringList& fileSources) {
    BookmakerReading reading;
    for (const QString& part : typed.split(QLatin1Char(','))) {
        const QString code = part.trimmed();
        if (code.isEmpty())
            continue;
        const std::optional<QString> source = oddsSource(code);
        if (!source || !fileSources.contains(*source)) {
            reading.refusal =
                QString::fromUtf16(messages::kBookmakerNotInFile)
                    .arg(code, fileSources.isEmpty() ? QString::fromUtf16(messages::kNoOddsInFile)
                                                     : fileSources.join(QStringLiteral(", ")));
            reading.codes.clear();
            return reading;
        }
        if (!reading.codes.contains(*source))
            reading.codes << *source;
    }
    return reading;
}

std::optional<QString> leagueOfCode(const QString& code, const QStringList& leagues,
                                    const std::vector<LeagueSource>& sources) {
    const QString wanted = code.trimmed();
    if (wanted.isEmpty())
        return std::nullopt;
    for (const LeagueSource& source : sources)
        if (equalNoCase(source.code, wanted) && leagues.contains(source.league))
            return source.league;
    for (const QString& league : leagues)
        if (equalNoCase(league, wanted))
            return league;
    return std::nullopt;
}

FixtureSorting sortFixtures(const std::vector<MatchLine>& lines, const QStringList& leagues,
                            const std::optional<QString>& league, const std::vector<LeagueSource>& sources) {
    FixtureSorting sorting;
    for (const MatchLine& line : lines) {
        const std::optional<QString> target = league ? league : leagueOfCode(line.division, leagues, sources);
        if (!target) {
            ++sorting.skipped[line.division];
            continue;
        }
        sorting.fixtures.push_back({line.day, line.time, *target, line.home, line.away, line.quotes});
    }
    return sorting;
}

void spellAsRegistered(const Database& database, std::vector<Fixture>& fixtures) {
    std::map<QString, QStringList> teamsOf;
    for (Fixture& fixture : fixtures) {
        const auto [teams, fresh] = teamsOf.try_emplace(fixture.league);
        if (fresh)
            teams->second = registeredTeams(database, fixture.league);
        for (QString* name : {&fixture.home, &fixture.away})
            if (const std::optional<QString> registered = spellingIn(teams->second, *name))
                *name = *registered;
    }
}

} // namespace vezal
