#pragma once

#include "exchange/MarketViews.h"
#include "model/LeagueForecast.h"
#include "store/StatisticsTable.h"

#include <QString>
#include <vector>

// What the goals model takes from the table: a league's matches with their shots on target and the
// market's goal means, and the league's kept choice of the model's settings.
namespace vezal {

class Database;

// Each match found among the kept rows by its day and teams (as Liste keys them) takes their figures.
void addShotsOnTarget(std::vector<model::LeagueMatch>& matches,
                      const std::vector<KeptStatistics>& statistics);
void addMarketGoals(std::vector<model::LeagueMatch>& matches, const std::vector<KeptMarketView>& views);

// The league's matches, oldest first, with the market's goal means (the views are made first where the
// folder lacks them) and, when asked, their shots on target. Engine failures throw StoreError.
std::vector<model::LeagueMatch> leagueMatches(Database& database, const QString& league,
                                              bool withShots = false);

// Settings given over a league's kept choice: each replaces the kept value where given.
struct FitOverrides {
    std::optional<double> xi;
    std::optional<double> shotsWeight;
    std::optional<double> marketWeight;
    std::optional<double> marketXi;
    std::optional<double> poolWeight;

    model::FitOptions over(model::FitOptions options) const;
};

// The league's kept choice, or the defaults for a league never tuned (and, for a league tuned before the
// market's settings were kept, the market's defaults beside its own xi and goals' share).
model::FitOptions leagueFitOptions(Database& database, const QString& league);

} // namespace vezal
