#include "evidence/PairingProbabilities.h"

#include "betting/Value.h"
#include "model/ModelMessages.h"
#include "model/Pool.h"
#include "store/OddsTable.h"
#include "store/QuoteTable.h"
#include "store/StatisticsTable.h"

namespace vezal {

PairingProbabilities pairingProbabilities(Database& database, const QString& league, const QString& home,
                                          const QString& away, std::optional<QDate> day,
                                          std::optional<model::ThreeWay> odds,
                                          const model::FitOptions& options) {
    // Shots on target count only where the goals' share leaves room for them.
    model::LeagueModel leagueModel(leagueMatches(database, league, options.shotsWeight < 1), options);
    return pairingProbabilities(database, leagueModel, league, home, away, day, odds);
}

PairingProbabilities pairingProbabilities(Database& database, model::LeagueModel& leagueModel,
                                          const QString& league, const QString& home, const QString& away,
                                          std::optional<QDate> day, std::optional<model::ThreeWay> odds) {
    PairingProbabilities result;
    if (leagueModel.isEmpty()) {
        result.refusal = QString::fromUtf16(messages::kLeagueWithoutMatches).arg(league);
        return result;
    }
    result.day = day ? *day : leagueModel.lastDay().addDays(1);
    std::optional<model::ThreeWay> market;
    std::optional<double> marketUnder;
    if (!odds) {
        OddsTable table(database);
        if (const std::optional<MatchOdds> kept = table.find(league, result.day, home, away)) {
            const model::ThreeWay three{kept->home, kept->draw, kept->away};
            if (model::areValidOdds(three))
                odds = three;
        }
        // The market before closing, as the walk pools a past match with it.
        std::vector<Quote> before;
        for (const Quote& quote : QuoteTable(database).find(league, result.day, home, away))
            if (!quote.closing)
                before.push_back(quote);
        const std::optional<double> h = bookProbability(before, QuoteOutcome::Home);
        const std::optional<double> d = bookProbability(before, QuoteOutcome::Draw);
        const std::optional<double> a = bookProbability(before, QuoteOutcome::Away);
        if (h && d && a)
            market = model::ThreeWay{*h, *d, *a};
        marketUnder = bookProbability(before, QuoteOutcome::Under);
    }
    result.forecast = leagueModel.forecast(home, away, result.day, odds);
    result.refusal = result.forecast.refusal;
    if (result.refusal)
        return result;
    result.grid = model::ScoreGrid::dixonColes(result.forecast.homeMean, result.forecast.awayMean,
                                               leagueModel.fitFor(result.day).parameters.rho,
                                               leagueFirstHalfShare(database, league));
    if (!market && result.forecast.bookmaker)
        market = result.forecast.bookmaker;
    result.poolWeight = leagueModel.options().poolWeight;
    result.pooled = model::pooledForecast(result.forecast.forecast, market, marketUnder, result.poolWeight);
    if (odds && model::areValidOdds(*odds))
        result.pooled.expectedValues = model::expectedValues(result.pooled.outcome, *odds);
    if (result.grid)
        result.grid = model::forecastGrid(*result.grid, result.pooled);
    return result;
}

double leagueFirstHalfShare(Database& database, const QString& league) {
    const auto [firstHalf, goals] = StatisticsTable(database).halfTimeGoals(league);
    return model::firstHalfShare(firstHalf, goals);
}

} // namespace vezal
