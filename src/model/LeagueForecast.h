#pragma once

#include "model/DixonColes.h"
#include "model/Forecast.h"
#include "model/GroupedLikelihood.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The goals model over one league's matches as the table keeps them: team names, days, refusals in the
// user's words. QtCore only.
namespace vezal::model {

// A team with fewer matches than this before the day gets no probabilities. Below five games a team's
// attack and defence rest on a handful of goals: one 4-0 dominates them, and a team that has not scored
// yet has an attack the data would push towards zero, which no honest forecast follows. Five is the first
// count at which a season's opening weeks give most teams a figure.
inline constexpr int kLeastMatches = 5;

struct LeagueMatch {
    QDate day;
    QString home;
    QString away;
    int homeGoals = 0;
    int awayGoals = 0;
    std::optional<int> homeShotsOnTarget{}; // both or none
    std::optional<int> awayShotsOnTarget{};
    std::optional<double> marketHomeGoals{}; // the goal means its odds implied; both or none
    std::optional<double> marketAwayGoals{};
};

struct PairingForecast {
    std::optional<QString> refusal; // when set, nothing else holds
    MatchForecast forecast;
    std::optional<double> fairHome; // none where a probability is 0
    std::optional<double> fairDraw;
    std::optional<double> fairAway;
    std::optional<ThreeWay> expectedValues; // with odds
    std::optional<ThreeWay> bookmaker;      // with odds: their margin-free probabilities
    double homeMean = 0;
    double awayMean = 0;
    std::size_t matchesFitted = 0;
};

// A league's matches, fitted for any day. Fits are kept by day, and each new one starts from the one
// before it, so that asking day after day (a walk over a season) refits quickly; the likelihood's sums
// move forward with the days rather than being built again.
class LeagueModel {
public:
    explicit LeagueModel(const std::vector<LeagueMatch>& matches, FitOptions options = {});

    bool isEmpty() const { return matches_.empty(); }
    const FitOptions& options() const { return options_; }
    // The newest match's day; invalid for no matches.
    QDate lastDay() const { return lastDay_; }
    // Team names as the matches spell them, in order of first appearance.
    const QStringList& teams() const { return teams_; }
    std::optional<int> teamIndex(const QString& name) const;

    // Fitted on the matches strictly before the day.
    const Fit& fitFor(const QDate& day);

    // The pairing's probabilities on the day, or the reason there are none. Names are cut as the table
    // cuts them and compared as written. With odds, their expected values and margin-free probabilities.
    PairingForecast forecast(const QString& home, const QString& away, const QDate& day,
                             const std::optional<ThreeWay>& odds = std::nullopt);

private:
    FitOptions options_;
    std::vector<PlayedMatch> matches_;
    QStringList teams_;
    QHash<QString, int> index_;
    QDate lastDay_;
    std::optional<Fit> fit_;
    QDate fitDay_;
    // The pairings' sums over the matches before sumsDay_, moved forward as later days are asked for.
    std::vector<std::size_t> byDay_; // indices into matches_, oldest first
    std::optional<GroupedLikelihood> sums_;
    std::size_t summed_ = 0; // of byDay_
    DayNumber sumsDay_ = 0;
};

} // namespace vezal::model
