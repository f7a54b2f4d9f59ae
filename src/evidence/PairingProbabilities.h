#pragma once

#include "model/LeagueForecast.h"

#include <QDate>
#include <QString>
#include <optional>

namespace vezal {

class Database;

// The goals model's opinion on one pairing of a league, as the companion's "probabilities" and the main
// window's "Olasılıklar" panel give it.
struct PairingProbabilities {
    std::optional<QString> refusal; // no opinion, and why; nothing else holds
    QDate day;                      // the day predicted
    model::PairingForecast forecast;
};

// Fits the league's matches before the day (the day after its last match when none is given). Without
// odds given, the odds the table keeps for that league, day and pairing are used when there are any.
// Engine failures throw StoreError.
PairingProbabilities pairingProbabilities(Database& database, const QString& league, const QString& home,
                                          const QString& away, std::optional<QDate> day = std::nullopt,
                                          std::optional<model::ThreeWay> odds = std::nullopt,
                                          const model::FitOptions& options = {});

} // namespace vezal
