#include "evidence/ModelTuning.h"

#include "model/LeagueForecast.h"
#include "model/Pool.h"
#include "store/WriteTransaction.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <future>
#include <thread>

namespace vezal {

namespace {

struct ScoredMatch {
    QDate day;
    QString home;
    QString away;
    int homeGoals = 0;
    int awayGoals = 0;
};

// The model's walk at one grid point: the mean log loss over the scored matches, how many they were, and
// each scored match's forecast (none where the model refused it).
struct Walked {
    double logLoss = 0;
    int scored = 0;
    std::vector<std::optional<model::ThreeWay>> forecasts;
};

model::Result resultOf(int homeGoals, int awayGoals) {
    if (homeGoals > awayGoals)
        return model::Result::HomeWin;
    if (homeGoals < awayGoals)
        return model::Result::AwayWin;
    return model::Result::Draw;
}

Walked walkOnce(const std::vector<model::LeagueMatch>& matches, const std::vector<ScoredMatch>& scored,
                const model::FitOptions& options) {
    model::LeagueModel league(matches, options);
    Walked walked;
    walked.forecasts.reserve(scored.size());
    double sum = 0;
    for (const ScoredMatch& m : scored) {
        const model::PairingForecast f = league.forecast(m.home, m.away, m.day);
        if (f.refusal) {
            walked.forecasts.emplace_back();
            continue;
        }
        walked.forecasts.emplace_back(f.forecast.outcome);
        sum += model::logLoss(f.forecast.outcome, resultOf(m.homeGoals, m.awayGoals));
        ++walked.scored;
    }
    walked.logLoss = walked.scored > 0 ? sum / walked.scored : 0;
    return walked;
}

// Walks every set of options, as many at a time as the machine has cores (each walk is a model of its
// own), and hands each walk on in their order; returning false stops the rest. False when stopped.
bool walkEach(const std::vector<model::LeagueMatch>& matches, const std::vector<ScoredMatch>& scored,
              const std::vector<model::FitOptions>& options,
              const std::function<bool(std::size_t, Walked&&)>& walked) {
    const std::size_t width = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    for (std::size_t first = 0; first < options.size(); first += width) {
        const std::size_t last = std::min(options.size(), first + width);
        std::vector<std::future<Walked>> others;
        for (std::size_t i = first + 1; i < last; ++i)
            others.push_back(
                std::async(std::launch::async, [&, i] { return walkOnce(matches, scored, options[i]); }));
        bool goOn = walked(first, walkOnce(matches, scored, options[first]));
        for (std::size_t i = first + 1; i < last; ++i) {
            Walked other = others[i - first - 1].get();
            goOn = goOn && walked(i, std::move(other));
        }
        if (!goOn)
            return false;
    }
    return true;
}

// The lower loss; an even one goes to the larger goals' share, then to the smaller xi.
bool better(const TuningPoint& a, const TuningPoint& b) {
    if (a.logLoss != b.logLoss)
        return a.logLoss < b.logLoss;
    if (a.shotsWeight != b.shotsWeight)
        return a.shotsWeight > b.shotsWeight;
    return a.xi < b.xi;
}

// The pool weight's flags on the walk's forecasts.
PoolTuningPoint poolPoint(double weight, const std::vector<ScoredMatch>& scored, const Walked& walked,
                          const QHash<QString, MatchPrices>& prices, const TuningRule& rule) {
    PoolTuningPoint point;
    point.poolWeight = weight;
    int withOpening = 0;
    for (std::size_t i = 0; i < scored.size(); ++i) {
        const ScoredMatch& m = scored[i];
        const auto found = prices.constFind(matchKey(m.day.toString(Qt::ISODate), m.home, m.away));
        if (!walked.forecasts[i] || found == prices.constEnd())
            continue;
        const MatchPrices& p = *found;
        const model::ThreeWay forecast =
            p.opening ? model::pooledProbabilities(*walked.forecasts[i], *p.opening, weight)
                      : *walked.forecasts[i];
        for (const ValueBet& bet : valueBets(forecast, p, m.homeGoals, m.awayGoals, rule.valueThreshold))
            if (bet.closeValue) {
                ++point.bets;
                point.closeValue += *bet.closeValue;
            }
        const MarketScores scores = scoreMarkets(forecast, p, m.homeGoals, m.awayGoals);
        if (scores.forecastRps && scores.openingRps) {
            ++withOpening;
            point.forecastRps += *scores.forecastRps;
            point.openingRps += *scores.openingRps;
        }
    }
    point.withOpening = withOpening;
    if (withOpening > 0) {
        point.forecastRps /= withOpening;
        point.openingRps /= withOpening;
    }
    return point;
}

constexpr double kPoolRpsMargin = 0.0001;

} // namespace

std::optional<double> choosePoolWeight(const std::vector<PoolTuningPoint>& grid) {
    bool anyClosing = false;
    for (const PoolTuningPoint& p : grid)
        anyClosing = anyClosing || p.bets > 0;
    const PoolTuningPoint* best = nullptr;
    for (const PoolTuningPoint& p : grid) {
        if (anyClosing) {
            if (p.forecastRps > p.openingRps + kPoolRpsMargin)
                continue;
            if (!best || p.closeValue > best->closeValue)
                best = &p;
        } else if (p.withOpening > 0 && (!best || p.forecastRps < best->forecastRps)) {
            best = &p;
        }
    }
    if (!best || (anyClosing && (best->bets < kLeastPoolBets || !(best->closeValue > 0))))
        return std::nullopt;
    return best->poolWeight;
}

std::optional<ModelTuning> tuneModel(const WalkRows& rows, const QDate& to, const WalkProgress& progress,
                                     const TuningRule& rule) {
    std::vector<model::LeagueMatch> matches;
    for (const LeagueRow& row : rows.leagueRows) {
        if (!row.homeFor || !row.homeAgainst)
            continue;
        const QDate day = QDate::fromString(row.day, Qt::ISODate);
        if (to.isValid() && day > to)
            continue;
        matches.push_back({day, row.home, row.away, *row.homeFor, *row.homeAgainst});
    }
    if (matches.empty())
        return std::nullopt;
    addShotsOnTarget(matches, rows.statistics);
    addMarketGoals(matches, rows.market);
    bool anyShots = false, anyMarket = false;
    for (const model::LeagueMatch& m : matches) {
        anyShots = anyShots || m.homeShotsOnTarget.has_value();
        anyMarket = anyMarket || m.marketHomeGoals.has_value();
    }

    ModelTuning tuning;
    tuning.lastSeason = seasonOf(matches.back().day);
    bool earlier = false;
    for (const model::LeagueMatch& m : matches)
        earlier = earlier || seasonOf(m.day) != tuning.lastSeason;
    std::vector<ScoredMatch> scored;
    for (const model::LeagueMatch& m : matches)
        if (!earlier || seasonOf(m.day) != tuning.lastSeason)
            scored.push_back({m.day, m.home, m.away, m.homeGoals, m.awayGoals});

    // The goals and shots alone first: the market's share stays out of this grid. Without any shots on
    // target every share fits on goals alone, to the last bit: each xi is walked once for all of them.
    std::vector<model::FitOptions> goalsGrid;
    for (const double xi : kTuningXis)
        for (const double weight : kTuningShotsWeights) {
            if (!anyShots && weight != kTuningShotsWeights[0])
                continue;
            model::FitOptions options;
            options.xi = xi;
            options.shotsWeight = anyShots ? weight : 1;
            options.marketWeight = 0;
            goalsGrid.push_back(options);
        }
    const std::size_t perWalk = anyShots ? 1 : std::size(kTuningShotsWeights);
    const qsizetype total =
        qsizetype(std::size(kTuningXis) * std::size(kTuningShotsWeights) +
                  (anyMarket ? std::size(kTuningMarketWeights) * std::size(kTuningMarketXis) : 0));
    qsizetype done = 0;
    std::optional<TuningPoint> best;
    Walked bestWalk;
    bool scoredAny = true;
    const bool walkedGoals = walkEach(matches, scored, goalsGrid, [&](std::size_t i, Walked&& walked) {
        if (walked.scored == 0) {
            scoredAny = false;
            return false;
        }
        tuning.scored = walked.scored;
        for (std::size_t share = 0; share < perWalk; ++share) {
            const double weight = anyShots ? goalsGrid[i].shotsWeight : kTuningShotsWeights[share];
            const TuningPoint point{goalsGrid[i].xi, weight, walked.logLoss};
            tuning.grid.push_back(point);
            if (!best || better(point, *best)) {
                best = point;
                bestWalk = walked;
            }
            ++done;
            if (progress && !progress(done, total))
                return false;
        }
        return true;
    });
    if (!walkedGoals || !scoredAny)
        return std::nullopt;
    tuning.choice = {best->xi, best->shotsWeight};

    if (anyMarket) {
        std::vector<model::FitOptions> marketGrid;
        for (const double share : kTuningMarketWeights)
            for (const double decay : kTuningMarketXis) {
                model::FitOptions options;
                options.xi = best->xi;
                options.shotsWeight = anyShots ? best->shotsWeight : 1;
                options.marketWeight = share;
                options.marketXi = decay;
                marketGrid.push_back(options);
            }
        std::optional<MarketTuningPoint> bestMarket;
        const bool walkedMarket = walkEach(matches, scored, marketGrid, [&](std::size_t i, Walked&& walked) {
            const MarketTuningPoint point{marketGrid[i].marketWeight, marketGrid[i].marketXi, walked.logLoss};
            tuning.marketGrid.push_back(point);
            // Strictly lower to win: an even loss keeps the smaller share and decay tried first.
            if (walked.scored == tuning.scored && (!bestMarket || point.logLoss < bestMarket->logLoss)) {
                bestMarket = point;
                if (point.logLoss < best->logLoss)
                    bestWalk = std::move(walked);
            }
            ++done;
            return !progress || progress(done, total);
        });
        if (!walkedMarket)
            return std::nullopt;
        if (bestMarket && bestMarket->logLoss < best->logLoss) {
            tuning.choice.marketWeight = bestMarket->marketWeight;
            tuning.choice.marketXi = bestMarket->marketXi;
        } else {
            tuning.choice.marketWeight = 0;
        }
    }

    const QHash<QString, MatchPrices> prices = matchPrices(rows.quotes, rows.odds, rule.odds);
    for (const double weight : kTuningPoolWeights)
        tuning.poolGrid.push_back(poolPoint(weight, scored, bestWalk, prices, rule));
    if (tuning.poolGrid.front().withOpening > 0)
        tuning.choice.poolWeight = choosePoolWeight(tuning.poolGrid);
    else
        tuning.poolGrid.clear(); // no odds to pool with
    return tuning;
}

std::optional<ModelTuning> tuneLeague(Database& database, const QString& league, const QDate& to,
                                      const WalkProgress& progress, const TuningRule& rule) {
    if (!fillMarketViews(database, league, progress))
        return std::nullopt;
    const std::optional<ModelTuning> tuning =
        tuneModel(readWalkRows(database, league, to), to, progress, rule);
    if (!tuning)
        return std::nullopt;
    WriteTransaction transaction(database);
    ModelChoiceTable(database).put(league, tuning->choice);
    transaction.commit();
    return tuning;
}

} // namespace vezal
