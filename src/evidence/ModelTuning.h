#pragma once

#include "evidence/TrackRecord.h"
#include "exchange/ModelMatches.h"
#include "model/DixonColes.h"
#include "store/ModelChoiceTable.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// Choosing the goals model's settings for a league from its own past: the time decay and goals' share,
// and where the league keeps odds, the market's share and decay and the model's weight in the forecast.
namespace vezal {

// The grid tried, in the order printed: every xi with every share.
inline constexpr double kTuningXis[] = {0.0010, 0.0015, 0.0019, 0.0025, 0.0030, 0.0040};
inline constexpr double kTuningShotsWeights[] = {0, 0.25, 0.5, 0.75, 1};
// Then, at the chosen xi and share, every market share with every market decay.
inline constexpr double kTuningMarketWeights[] = {0.85, 0.95};
inline constexpr double kTuningMarketXis[] = {0.02, 0.05, 0.1};
// Then, on that walk, every weight of the model in the pool.
inline constexpr double kTuningPoolWeights[] = {0.25, 0.35, 0.45, 0.55};
// A pool weight is chosen on at least this many value bets with closing odds; on fewer the default stays.
inline constexpr int kLeastPoolBets = 50;

struct TuningPoint {
    double xi = 0;
    double shotsWeight = 0;
    double logLoss = 0; // the mean over the matches scored
};

struct MarketTuningPoint {
    double marketWeight = 0;
    double marketXi = 0;
    double logLoss = 0;
};

// What the flags of one pool weight were worth on the matches scored.
struct PoolTuningPoint {
    double poolWeight = 0;
    int bets = 0;           // value bets whose match has closing odds
    double closeValue = 0;  // their expected values at the closing line, summed, in units
    int withOpening = 0;    // matches with odds taken before closing
    double forecastRps = 0; // means over them
    double openingRps = 0;
};

// The pool weight the grid's points choose. With value bets held against the closing line: the one whose
// bets' expected values at the close sum highest among those whose forecast is no worse than the market
// before closing by more than 0.0001 in RPS, kept only when that sum is above 0 over at least
// kLeastPoolBets bets, so that a few lucky flags choose nothing. Without closing odds: the one whose
// forecast scores the lowest RPS, the flags' worth being unknown. A tie goes to the smaller weight; none
// when nothing could be scored.
std::optional<double> choosePoolWeight(const std::vector<PoolTuningPoint>& grid);

// How value bets are flagged while the pool weight is chosen.
struct TuningRule {
    double valueThreshold = kValueThreshold;
    std::optional<OddsChoice> odds; // none: each match's one bookmaker's odds
};

struct ModelTuning {
    std::vector<TuningPoint> grid;
    std::vector<MarketTuningPoint> marketGrid; // empty for a league without the market's goal means
    std::vector<PoolTuningPoint> poolGrid;     // empty without odds taken before closing
    ModelChoice choice;
    int scored = 0;     // matches whose forecasts were scored, the same at every point
    QString lastSeason; // left out of the scoring unless it is the only one
};

// Walks the league's matches up to `to` (a null date: all) with the model at every grid point, a fit per
// match day, and scores the 1X2 probabilities by their log loss over the seasons before the last one (the
// only one, when there is no other). The lowest mean wins; an even one goes to the larger goals' share,
// then to the smaller xi. Where matches have the market's goal means, the market's share and decay are
// chosen alike at that xi and share (an even loss to the smaller share, then the smaller decay). Where
// matches have odds taken before closing, the pool weight is chosen on that walk by choosePoolWeight.
// None when cancelled or when no match could be forecast. The walks of a grid run side by side on the
// machine's cores. Progress counts grid points.
std::optional<ModelTuning> tuneModel(const WalkRows& rows, const QDate& to, const WalkProgress& progress = {},
                                     const TuningRule& rule = {});

// Makes the market's views the folder lacks, reads the league up to `to`, tunes and keeps the choice. None
// when cancelled or nothing was scored; then nothing is kept.
std::optional<ModelTuning> tuneLeague(Database& database, const QString& league, const QDate& to,
                                      const WalkProgress& progress = {}, const TuningRule& rule = {});

} // namespace vezal
