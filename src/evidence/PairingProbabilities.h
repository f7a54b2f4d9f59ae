#pragma once

#include "model/LeagueForecast.h"
#include "model/ScoreGrid.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace vezal {

class Database;

// The goals model's opinion on one pairing of a league, as the companion's "probabilities" and the main
// window's "Olasılıklar" panel give it.
struct PairingProbabilities {
    std::optional<QString> refusal; // no opinion, and why; nothing else holds
    QDate day;                      // the day predicted
    model::PairingForecast forecast;
    std::optional<model::ScoreGrid> grid; // every score of the forecast, with the league's first-half share
};

// Fits the league's matches before the day (the day after its last match when none is given). Without
// odds given, the odds the table keeps for that league, day and pairing are used when there are any.
// Engine failures throw StoreError.
PairingProbabilities pairingProbabilities(Database& database, const QString& league, const QString& home,
                                          const QString& away, std::optional<QDate> day = std::nullopt,
                                          std::optional<model::ThreeWay> odds = std::nullopt,
                                          const model::FitOptions& options = {});

// The league's share of goals before half-time, from its kept half-time scores.
double leagueFirstHalfShare(Database& database, const QString& league);

// The league's matches as the goals model takes them; with their shots on target where kept, when asked.
std::vector<model::LeagueMatch> leagueMatches(Database& database, const QString& league,
                                              bool withShots = false);

// The same on a model already built on the league's matches: asking again with other odds or another day
// reuses its fits.
PairingProbabilities pairingProbabilities(Database& database, model::LeagueModel& leagueModel,
                                          const QString& league, const QString& home, const QString& away,
                                          std::optional<QDate> day, std::optional<model::ThreeWay> odds);

} // namespace vezal
