#pragma once

#include "exchange/ModelMatches.h"
#include "model/LeagueForecast.h"
#include "model/Pool.h"
#include "model/ScoreGrid.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace vezal {

class Database;

// The goals model's opinion on one pairing of a league, as the companion's "probabilities" and the main
// window's "Olasılıklar" panel give it: the model's own, and the forecast beside it.
struct PairingProbabilities {
    std::optional<QString> refusal;  // no opinion, and why; nothing else holds
    QDate day;                       // the day predicted
    model::PairingForecast forecast; // the model's
    // The forecast: the model pooled with the market's margin-free odds where given, and its expected
    // values at the 1X2 odds.
    model::PooledForecast pooled;
    double poolWeight = 0;                // the model's weight in it
    std::optional<model::ScoreGrid> grid; // every score of the forecast, with the league's first-half share
};

// Fits the league's matches before the day (the day after its last match when none is given). Without
// odds given, the odds the table keeps for that league, day and pairing are used when there are any
// (the market's before closing, by its trusted source, for 1X2 and under/over). Engine failures throw
// StoreError.
PairingProbabilities pairingProbabilities(Database& database, const QString& league, const QString& home,
                                          const QString& away, std::optional<QDate> day = std::nullopt,
                                          std::optional<model::ThreeWay> odds = std::nullopt,
                                          const model::FitOptions& options = {});

// The league's share of goals before half-time, from its kept half-time scores.
double leagueFirstHalfShare(Database& database, const QString& league);

// The same on a model already built on the league's matches: asking again with other odds or another day
// reuses its fits. The pool takes the model's options' weight.
PairingProbabilities pairingProbabilities(Database& database, model::LeagueModel& leagueModel,
                                          const QString& league, const QString& home, const QString& away,
                                          std::optional<QDate> day, std::optional<model::ThreeWay> odds);

} // namespace vezal
