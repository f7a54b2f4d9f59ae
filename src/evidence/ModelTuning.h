#pragma once

#include "evidence/TrackRecord.h"
#include "model/DixonColes.h"
#include "store/ModelChoiceTable.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// Choosing the goals model's time decay and goals' share for a league from its own past.
namespace vezal {

// The grid tried, in the order printed: every xi with every share.
inline constexpr double kTuningXis[] = {0.0010, 0.0015, 0.0019, 0.0025, 0.0030, 0.0040};
inline constexpr double kTuningShotsWeights[] = {0, 0.25, 0.5, 0.75, 1};

struct TuningPoint {
    double xi = 0;
    double shotsWeight = 0;
    double logLoss = 0; // the mean over the matches scored
};

struct ModelTuning {
    std::vector<TuningPoint> grid;
    ModelChoice choice;
    int scored = 0;     // matches whose forecasts were scored, the same at every point
    QString lastSeason; // left out of the scoring unless it is the only one
};

// Walks the league's matches up to `to` (a null date: all) with the model at every grid point, a fit per
// match day, and scores the 1X2 probabilities by their log loss over the seasons before the last one (the
// only one, when there is no other). The lowest mean wins; an even one goes to the larger goals' share,
// then to the smaller xi. None when cancelled or when no match could be forecast. Progress counts grid
// points.
std::optional<ModelTuning> tuneModel(const WalkRows& rows, const QDate& to,
                                     const WalkProgress& progress = {});

// The league's kept choice, or the defaults for a league never tuned.
model::FitOptions leagueFitOptions(Database& database, const QString& league);

// Reads the league up to `to`, tunes and keeps the choice. None when cancelled or nothing was scored;
// then nothing is kept.
std::optional<ModelTuning> tuneLeague(Database& database, const QString& league, const QDate& to,
                                      const WalkProgress& progress = {});

} // namespace vezal
