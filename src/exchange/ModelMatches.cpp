#include "exchange/ModelMatches.h"

#include "common/Names.h"
#include "store/ModelChoiceTable.h"
#include "store/PlayedMatches.h"

#include <QHash>

namespace vezal {

namespace {

QString matchKey(const QString& day, const QString& home, const QString& away) {
    return day + QChar(0x1F) + home + QChar(0x1F) + away;
}

QString matchKey(const model::LeagueMatch& match) {
    return matchKey(match.day.toString(Qt::ISODate), cutName(match.home), cutName(match.away));
}

} // namespace

void addShotsOnTarget(std::vector<model::LeagueMatch>& matches,
                      const std::vector<KeptStatistics>& statistics) {
    QHash<QString, const MatchStatistics*> kept;
    for (const KeptStatistics& s : statistics)
        if (s.statistics.homeShotsOnTarget && s.statistics.awayShotsOnTarget)
            kept.insert(matchKey(s.day, s.home, s.away), &s.statistics);
    if (kept.isEmpty())
        return;
    for (model::LeagueMatch& m : matches)
        if (const MatchStatistics* s = kept.value(matchKey(m))) {
            m.homeShotsOnTarget = s->homeShotsOnTarget;
            m.awayShotsOnTarget = s->awayShotsOnTarget;
        }
}

void addMarketGoals(std::vector<model::LeagueMatch>& matches, const std::vector<KeptMarketView>& views) {
    QHash<QString, const MarketView*> kept;
    for (const KeptMarketView& v : views)
        if (v.view && v.view->homeGoals && v.view->awayGoals)
            kept.insert(matchKey(v.day, v.home, v.away), &*v.view);
    if (kept.isEmpty())
        return;
    for (model::LeagueMatch& m : matches)
        if (const MarketView* v = kept.value(matchKey(m))) {
            m.marketHomeGoals = v->homeGoals;
            m.marketAwayGoals = v->awayGoals;
        }
}

std::vector<model::LeagueMatch> leagueMatches(Database& database, const QString& league, bool withShots) {
    std::vector<model::LeagueMatch> matches;
    for (const PlayedMatchRow& row : leagueMatchRows(database, league))
        matches.push_back({row.day, row.home, row.away, row.homeGoals, row.awayGoals});
    if (withShots)
        addShotsOnTarget(matches, StatisticsTable(database).leagueStatistics(league));
    if (const auto views = leagueMarketViews(database, league))
        addMarketGoals(matches, *views);
    return matches;
}

model::FitOptions FitOverrides::over(model::FitOptions options) const {
    options.xi = xi.value_or(options.xi);
    options.shotsWeight = shotsWeight.value_or(options.shotsWeight);
    options.marketWeight = marketWeight.value_or(options.marketWeight);
    options.marketXi = marketXi.value_or(options.marketXi);
    options.poolWeight = poolWeight.value_or(options.poolWeight);
    return options;
}

model::FitOptions leagueFitOptions(Database& database, const QString& league) {
    model::FitOptions options;
    if (const std::optional<ModelChoice> kept = ModelChoiceTable(database).find(league)) {
        options.xi = kept->xi;
        options.shotsWeight = kept->shotsWeight;
        options.marketWeight = kept->marketWeight.value_or(options.marketWeight);
        options.marketXi = kept->marketXi.value_or(options.marketXi);
        options.poolWeight = kept->poolWeight.value_or(options.poolWeight);
    }
    return options;
}

} // namespace vezal
