// The goals model's side of the track record: its verdicts on one match and their counting.
#include "evidence/TrackRecord.h"

#include "model/Forecast.h"
#include "model/LeagueForecast.h"
#include "model/Pool.h"
#include "model/ScoreGrid.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vezal {

namespace {

std::optional<double> ratio(double part, int whole) {
    if (whole == 0)
        return std::nullopt;
    return part / whole;
}

model::Result resultOf(int homeGoals, int awayGoals) {
    if (homeGoals > awayGoals)
        return model::Result::HomeWin;
    if (homeGoals < awayGoals)
        return model::Result::AwayWin;
    return model::Result::Draw;
}

// Ten bins of a tenth each; a probability of 1 belongs to the last.
std::size_t binOf(double probability) {
    const double tenths = std::floor(probability * 10);
    return static_cast<std::size_t>(std::clamp(tenths, 0.0, 9.0));
}

} // namespace

std::optional<double> CalibrationBin::meanPredicted() const {
    return ratio(predicted, count);
}

std::optional<double> CalibrationBin::observed() const {
    return ratio(happened, count);
}

std::optional<double> ModelFigures::valueYieldPercent() const {
    const std::optional<double> perBet = ratio(valueProfit, valueBets);
    if (!perBet)
        return std::nullopt;
    return 100 * *perBet;
}

std::optional<double> ModelFigures::asianYieldPercent() const {
    const std::optional<double> perBet = ratio(asianProfit, asianBets);
    if (!perBet)
        return std::nullopt;
    return 100 * *perBet;
}

std::optional<double> ModelFigures::meanModelRps() const {
    return ratio(modelRps, withOdds);
}

std::optional<double> ModelFigures::meanBookmakerRps() const {
    return ratio(bookmakerRps, withOdds);
}

std::optional<double> ModelFigures::meanModelLogLoss() const {
    return ratio(modelLogLoss, withOdds);
}

std::optional<double> ModelFigures::meanBookmakerLogLoss() const {
    return ratio(bookmakerLogLoss, withOdds);
}

std::optional<double> ModelFigures::meanModelUnderOverBrier() const {
    return ratio(modelUnderOverBrier, withUnderOverOdds);
}

std::optional<double> ModelFigures::meanBookmakerUnderOverBrier() const {
    return ratio(bookmakerUnderOverBrier, withUnderOverOdds);
}

std::optional<double> ModelFigures::meanModelUnderOverLogLoss() const {
    return ratio(modelUnderOverLogLoss, withUnderOverOdds);
}

std::optional<double> ModelFigures::meanBookmakerUnderOverLogLoss() const {
    return ratio(bookmakerUnderOverLogLoss, withUnderOverOdds);
}

std::optional<double> ModelFigures::meanForecastRps() const {
    return ratio(forecastRps, withOpening);
}

std::optional<double> ModelFigures::meanOpeningRps() const {
    return ratio(openingRps, withOpening);
}

std::optional<double> ModelFigures::meanClosingRps() const {
    return ratio(closingRps, withClosing);
}

EventScore scoreEvent(double probability, bool came) {
    const double miss = probability - (came ? 1 : 0);
    // As the 1X2 log loss: a probability of 0 counts as 1e-15.
    return {miss * miss, -std::log(std::max(came ? probability : 1 - probability, 1e-15))};
}

std::optional<UnderOverScores> judgeUnderOver(double modelUnder25, int totalGoals,
                                              const UnderOverOdds& odds) {
    if (!(std::isfinite(odds.over) && std::isfinite(odds.under) && odds.over > 1 && odds.under > 1))
        return std::nullopt;
    const bool over = totalGoals >= 3;
    const EventScore model = scoreEvent(1 - modelUnder25, over);
    const EventScore bookmaker = scoreEvent((1 / odds.over) / (1 / odds.over + 1 / odds.under), over);
    return UnderOverScores{model.brier, bookmaker.brier, model.logLoss, bookmaker.logLoss};
}

ModelVerdicts judgeModel(const ModelProbabilities& p, int homeGoals, int awayGoals,
                         const std::optional<MatchOdds>& odds, double valueThreshold) {
    const QString result = resultSign(homeGoals, awayGoals);
    ModelVerdicts verdicts;
    // Strictly higher to overtake, so that ties keep the order 1, 0, 2.
    verdicts.sign = QStringLiteral("1");
    double highest = p.home;
    if (p.draw > highest) {
        verdicts.sign = QStringLiteral("0");
        highest = p.draw;
    }
    if (p.away > highest)
        verdicts.sign = QStringLiteral("2");
    verdicts.signHit = verdicts.sign == result;
    verdicts.over = 1 - p.under25 > p.under25;
    verdicts.underOverHit = verdicts.over == (homeGoals + awayGoals >= 3);

    if (!odds)
        return verdicts;
    const model::ThreeWay prices{odds->home, odds->draw, odds->away};
    if (!model::areValidOdds(prices))
        return verdicts;
    const model::ThreeWay forecast{p.home, p.draw, p.away};
    const model::ThreeWay bookmaker = model::marginFreeProbabilities(prices);
    const model::Result happened = resultOf(homeGoals, awayGoals);

    OddsVerdicts against;
    against.modelRps = model::rankedProbabilityScore(forecast, happened);
    against.bookmakerRps = model::rankedProbabilityScore(bookmaker, happened);
    against.modelLogLoss = model::logLoss(forecast, happened);
    against.bookmakerLogLoss = model::logLoss(bookmaker, happened);
    verdicts.againstOdds = against;
    MatchPrices taken;
    taken.taken = prices;
    setValueBets(verdicts, valueBets(forecast, taken, homeGoals, awayGoals, valueThreshold));
    return verdicts;
}

std::vector<ValueBet> valueBets(const model::ThreeWay& forecast, const MatchPrices& prices, int homeGoals,
                                int awayGoals, double valueThreshold) {
    const QString result = resultSign(homeGoals, awayGoals);
    const struct {
        const char* sign;
        double probability, odds, closingOdds;
        std::optional<double> closingProbability;
    } outcomes[] = {
        {"1", forecast.home, prices.taken.home, prices.closingOdds.home,
         prices.closing ? std::optional(prices.closing->home) : std::nullopt},
        {"0", forecast.draw, prices.taken.draw, prices.closingOdds.draw,
         prices.closing ? std::optional(prices.closing->draw) : std::nullopt},
        {"2", forecast.away, prices.taken.away, prices.closingOdds.away,
         prices.closing ? std::optional(prices.closing->away) : std::nullopt},
    };
    std::vector<ValueBet> bets;
    for (const auto& outcome : outcomes) {
        if (!(outcome.odds > 1) || !std::isfinite(outcome.odds) ||
            !isValueBet(outcome.probability, outcome.odds, valueThreshold))
            continue;
        ValueBet bet;
        bet.sign = QString::fromLatin1(outcome.sign);
        bet.odds = outcome.odds;
        bet.won = bet.sign == result;
        if (outcome.closingOdds > 1)
            bet.closingLineValue = outcome.odds / outcome.closingOdds - 1;
        if (outcome.closingProbability)
            bet.closeValue = expectedValue(*outcome.closingProbability, outcome.odds);
        bets.push_back(bet);
    }
    return bets;
}

void setValueBets(ModelVerdicts& verdicts, std::vector<ValueBet> bets) {
    verdicts.valueBets = std::move(bets);
    if (!verdicts.againstOdds)
        return;
    OddsVerdicts& against = *verdicts.againstOdds;
    against.valueSigns.clear();
    against.valueWon = false;
    against.valueProfit = 0;
    for (const ValueBet& bet : verdicts.valueBets) {
        against.valueSigns += bet.sign;
        against.valueWon = against.valueWon || bet.won;
        against.valueProfit += bet.profit();
    }
}

MarketScores scoreMarkets(const model::ThreeWay& forecast, const MatchPrices& prices, int homeGoals,
                          int awayGoals) {
    const model::Result happened = resultOf(homeGoals, awayGoals);
    MarketScores scores;
    if (prices.opening) {
        scores.forecastRps = model::rankedProbabilityScore(forecast, happened);
        scores.openingRps = model::rankedProbabilityScore(*prices.opening, happened);
    }
    if (prices.closing)
        scores.closingRps = model::rankedProbabilityScore(*prices.closing, happened);
    return scores;
}

QString matchKey(const QString& day, const QString& home, const QString& away) {
    return day + QChar(0) + home + QChar(0) + away;
}

namespace {

std::optional<model::ThreeWay> marginFree(const std::vector<Quote>& quotes) {
    const std::optional<double> home = bookProbability(quotes, QuoteOutcome::Home);
    const std::optional<double> draw = bookProbability(quotes, QuoteOutcome::Draw);
    const std::optional<double> away = bookProbability(quotes, QuoteOutcome::Away);
    if (!home || !draw || !away)
        return std::nullopt;
    return model::ThreeWay{*home, *draw, *away};
}

double chosenOdds(const std::vector<Quote>& quotes, QuoteOutcome outcome, const OddsChoice& choice) {
    const std::optional<std::size_t> chosen = chosenQuote(quotes, outcome, choice);
    return chosen ? takenOdds(quotes[*chosen], choice.commission) : 0.0;
}

// The odds of the first source whose market is whole, the one the margin-free probabilities come from.
model::ThreeWay firstWholeOdds(const std::vector<Quote>& quotes) {
    for (const QString& source : fairSourceOrder(quotes)) {
        std::vector<Quote> book;
        std::copy_if(quotes.begin(), quotes.end(), std::back_inserter(book),
                     [&](const Quote& quote) { return quote.source == source; });
        if (fairProbability(book, QuoteOutcome::Home)) {
            OddsChoice own;
            own.kind = OddsChoice::Kind::Bookmaker;
            own.bookmaker = source;
            return {chosenOdds(book, QuoteOutcome::Home, own), chosenOdds(book, QuoteOutcome::Draw, own),
                    chosenOdds(book, QuoteOutcome::Away, own)};
        }
    }
    return {};
}

} // namespace

QHash<QString, MatchPrices> matchPrices(const std::vector<KeptQuote>& quotes,
                                        const std::vector<KeptOdds>& odds,
                                        const std::optional<OddsChoice>& choice) {
    using Moments = std::pair<std::vector<Quote>, std::vector<Quote>>; // before, at closing
    QHash<QString, Moments> moments, asianMoments;
    for (const KeptQuote& kept : quotes) {
        auto& pair =
            (isAsianHandicap(kept.quote.outcome) ? asianMoments
                                                 : moments)[matchKey(kept.day, kept.home, kept.away)];
        (kept.quote.closing ? pair.second : pair.first).push_back(kept.quote);
    }
    QHash<QString, MatchPrices> prices;
    for (auto it = asianMoments.cbegin(); it != asianMoments.cend(); ++it)
        if (std::optional<AsianPrices> asian = asianPrices(it.value().first, it.value().second, choice))
            prices[it.key()].asian = std::move(asian);
    for (auto it = moments.cbegin(); it != moments.cend(); ++it) {
        const auto& [before, closing] = it.value();
        MatchPrices p;
        p.opening = marginFree(before);
        p.openingUnder25 = bookProbability(before, QuoteOutcome::Under);
        p.closing = marginFree(closing);
        if (choice) {
            p.taken = {chosenOdds(before, QuoteOutcome::Home, *choice),
                       chosenOdds(before, QuoteOutcome::Draw, *choice),
                       chosenOdds(before, QuoteOutcome::Away, *choice)};
            p.closingOdds = {chosenOdds(closing, QuoteOutcome::Home, *choice),
                             chosenOdds(closing, QuoteOutcome::Draw, *choice),
                             chosenOdds(closing, QuoteOutcome::Away, *choice)};
        }
        const model::ThreeWay fallback = firstWholeOdds(closing);
        for (auto [own, other] :
             {std::pair{&p.closingOdds.home, fallback.home}, std::pair{&p.closingOdds.draw, fallback.draw},
              std::pair{&p.closingOdds.away, fallback.away}})
            if (!(*own > 1))
                *own = other;
        p.asian = prices.value(it.key()).asian;
        prices.insert(it.key(), p);
    }
    for (const KeptOdds& kept : odds) {
        MatchPrices& p = prices[matchKey(kept.day, kept.home, kept.away)];
        const model::ThreeWay three{kept.odds.home, kept.odds.draw, kept.odds.away};
        if (!model::areValidOdds(three))
            continue;
        if (!choice)
            p.taken = three;
        // An older import kept the one bookmaker's odds alone: they are the market before closing.
        if (!p.opening)
            p.opening = model::marginFreeProbabilities(three);
    }
    return prices;
}

void addModelMatch(ModelFigures& figures, const ModelProbabilities& p, int homeGoals, int awayGoals,
                   const ModelVerdicts& verdicts) {
    ++figures.forecast;
    figures.firstSign.add(verdicts.signHit);
    figures.underOver.add(verdicts.underOverHit);
    for (const ValueBet& bet : verdicts.valueBets) {
        ++figures.valueBets;
        figures.valueWon += bet.won ? 1 : 0;
        figures.valueProfit += bet.profit();
        if (bet.closeValue)
            figures.closeValue.add(*bet.closeValue);
        if (bet.closingLineValue)
            figures.closingLineValue.add(*bet.closingLineValue);
    }
    const MarketScores& market = verdicts.againstMarket;
    if (market.forecastRps && market.openingRps) {
        ++figures.withOpening;
        figures.forecastRps += *market.forecastRps;
        figures.openingRps += *market.openingRps;
    }
    if (market.closingRps) {
        ++figures.withClosing;
        figures.closingRps += *market.closingRps;
    }
    if (const std::optional<OddsVerdicts>& odds = verdicts.againstOdds) {
        ++figures.withOdds;
        figures.modelRps += odds->modelRps;
        figures.bookmakerRps += odds->bookmakerRps;
        figures.modelLogLoss += odds->modelLogLoss;
        figures.bookmakerLogLoss += odds->bookmakerLogLoss;
    }
    if (const std::optional<UnderOverScores>& scores = verdicts.againstUnderOver) {
        ++figures.withUnderOverOdds;
        figures.modelUnderOverBrier += scores->modelBrier;
        figures.bookmakerUnderOverBrier += scores->bookmakerBrier;
        figures.modelUnderOverLogLoss += scores->modelLogLoss;
        figures.bookmakerUnderOverLogLoss += scores->bookmakerLogLoss;
    }
    if (verdicts.asianPriced)
        ++figures.withAsianOdds;
    if (const std::optional<AsianValueBet>& bet = verdicts.asianBet) {
        ++figures.asianBets;
        figures.asianProfit += bet->profit();
        if (bet->closeValue)
            figures.asianCloseValue.add(*bet->closeValue);
        if (bet->closingLineValue)
            figures.asianClosingLineValue.add(*bet->closingLineValue);
    }
    if (const std::optional<GoalLineScores>& lines = verdicts.goalLines) {
        ++figures.withGoalLines;
        GoalLineScores& sums = figures.goalLineSums;
        for (const auto& [sum, score] :
             {std::pair{&sums.over15, lines->over15}, std::pair{&sums.over35, lines->over35},
              std::pair{&sums.bothScore, lines->bothScore}}) {
            sum->brier += score.brier;
            sum->logLoss += score.logLoss;
        }
    }
    const QString result = resultSign(homeGoals, awayGoals);
    const std::pair<double, bool> outcomes[] = {{p.home, result == QLatin1String("1")},
                                                {p.draw, result == QLatin1String("0")},
                                                {p.away, result == QLatin1String("2")}};
    for (const auto& [probability, happened] : outcomes) {
        CalibrationBin& bin = figures.calibration[binOf(probability)];
        ++bin.count;
        bin.predicted += probability;
        bin.happened += happened ? 1 : 0;
    }
}

namespace {

// The grid's probability of at most that many goals in the match.
double atMostGoals(const model::ScoreGrid& grid, int goals) {
    double sum = 0;
    for (int home = 0; home <= std::min(goals, grid.lastHomeGoals()); ++home)
        for (int away = 0; away <= std::min(goals - home, grid.lastAwayGoals()); ++away)
            sum += grid.probability(home, away);
    return sum;
}

} // namespace

// Forecasts a walked match as the model stood on its day, and judges the model and the forecast on it.
void forecastWithModel(model::LeagueModel& goals, TrackedMatch& match, const ModelWalk& walk) {
    const model::PairingForecast f = goals.forecast(match.home, match.away, match.day);
    if (f.refusal) {
        match.modelRefusal = f.refusal;
        return;
    }
    const model::MatchForecast& forecast = f.forecast;
    match.model = ModelProbabilities{forecast.outcome.home, forecast.outcome.draw, forecast.outcome.away,
                                     forecast.under25};
    const MatchPrices prices = match.prices.value_or(MatchPrices{});
    const model::PooledForecast pooled =
        model::pooledForecast(forecast, prices.opening, prices.openingUnder25, walk.fit.poolWeight);
    match.forecast =
        ModelProbabilities{pooled.outcome.home, pooled.outcome.draw, pooled.outcome.away, pooled.under25};
    match.modelVerdicts =
        judgeModel(*match.model, match.homeGoals, match.awayGoals, match.odds, walk.valueThreshold);
    setValueBets(*match.modelVerdicts,
                 valueBets(pooled.outcome, prices, match.homeGoals, match.awayGoals, walk.valueThreshold));
    match.modelVerdicts->againstMarket =
        scoreMarkets(pooled.outcome, prices, match.homeGoals, match.awayGoals);
    if (match.underOverOdds)
        match.modelVerdicts->againstUnderOver =
            judgeUnderOver(forecast.under25, match.homeGoals + match.awayGoals, *match.underOverOdds);
    // The model's own grid, as the other goal lines are priced from it; the Asian side from the forecast's.
    if (const auto grid =
            model::ScoreGrid::dixonColes(f.homeMean, f.awayMean, goals.fitFor(match.day).parameters.rho)) {
        if (prices.asian) {
            match.modelVerdicts->asianPriced = true;
            match.modelVerdicts->asianBet =
                asianValueBet(model::forecastGrid(*grid, pooled), *prices.asian, match.homeGoals,
                              match.awayGoals, walk.valueThreshold);
        }
        const int total = match.homeGoals + match.awayGoals;
        match.modelVerdicts->goalLines =
            GoalLineScores{scoreEvent(1 - atMostGoals(*grid, 1), total > 1),
                           scoreEvent(1 - atMostGoals(*grid, 3), total > 3),
                           scoreEvent(forecast.bothScore, match.homeGoals > 0 && match.awayGoals > 0)};
    }
}

} // namespace vezal
