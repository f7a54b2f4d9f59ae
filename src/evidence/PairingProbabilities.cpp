#include "evidence/PairingProbabilities.h"

#include "common/Names.h"

#include "model/ModelMessages.h"
#include "store/OddsTable.h"
#include "store/PlayedMatches.h"
#include "store/StatisticsTable.h"

#include <QHash>

namespace vezal {

std::vector<model::LeagueMatch> leagueMatches(Database& database, const QString& league, bool withShots) {
    std::vector<model::LeagueMatch> matches;
    for (const PlayedMatchRow& row : leagueMatchRows(database, league))
        matches.push_back({row.day, row.home, row.away, row.homeGoals, row.awayGoals});
    if (!withShots)
        return matches;
    QHash<QString, const MatchStatistics*> kept;
    const std::vector<KeptStatistics> statistics = StatisticsTable(database).leagueStatistics(league);
    const auto key = [](const QString& day, const QString& home, const QString& away) {
        return day + QChar(0) + home + QChar(0) + away;
    };
    for (const KeptStatistics& s : statistics)
        kept.insert(key(s.day, s.home, s.away), &s.statistics);
    for (model::LeagueMatch& m : matches)
        if (const MatchStatistics* s =
                kept.value(key(m.day.toString(Qt::ISODate), cutName(m.home), cutName(m.away)))) {
            m.homeShotsOnTarget = s->homeShotsOnTarget;
            m.awayShotsOnTarget = s->awayShotsOnTarget;
        }
    return matches;
}

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
    if (!odds) {
        OddsTable table(database);
        if (const std::optional<MatchOdds> kept = table.find(league, result.day, home, away)) {
            const model::ThreeWay three{kept->home, kept->draw, kept->away};
            if (model::areValidOdds(three))
                odds = three;
        }
    }
    result.forecast = leagueModel.forecast(home, away, result.day, odds);
    result.refusal = result.forecast.refusal;
    if (!result.refusal)
        result.grid = model::ScoreGrid::dixonColes(result.forecast.homeMean, result.forecast.awayMean,
                                                   leagueModel.fitFor(result.day).parameters.rho,
                                                   leagueFirstHalfShare(database, league));
    return result;
}

double leagueFirstHalfShare(Database& database, const QString& league) {
    const auto [firstHalf, goals] = StatisticsTable(database).halfTimeGoals(league);
    return model::firstHalfShare(firstHalf, goals);
}

} // namespace vezal
