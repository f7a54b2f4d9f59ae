#include "evidence/PairingProbabilities.h"

#include "model/ModelMessages.h"
#include "store/OddsTable.h"
#include "store/PlayedMatches.h"

namespace vezal {

std::vector<model::LeagueMatch> leagueMatches(Database& database, const QString& league) {
    std::vector<model::LeagueMatch> matches;
    for (const PlayedMatchRow& row : leagueMatchRows(database, league))
        matches.push_back({row.day, row.home, row.away, row.homeGoals, row.awayGoals});
    return matches;
}

PairingProbabilities pairingProbabilities(Database& database, const QString& league, const QString& home,
                                          const QString& away, std::optional<QDate> day,
                                          std::optional<model::ThreeWay> odds,
                                          const model::FitOptions& options) {
    model::LeagueModel leagueModel(leagueMatches(database, league), options);
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
    return result;
}

} // namespace vezal
