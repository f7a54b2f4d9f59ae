#pragma once

#include <QString>
#include <optional>
#include <vector>

// The match prediction: result signs from the ratings, expected goals, scores and the under/over text.
// Pure arithmetic on the figures; the panel (Panel.h) reads them from its boxes and writes the results back.
namespace vezal {

struct PredictionInput {
    double ph = 0; // home team's home rating in the league
    double pa = 0; // away team's away rating in the league
    int gh = 0;    // home team's home games
    int ga = 0;    // away team's away games
    double fh = 0; // goals the home team scored at home
    double ah = 0; // goals the home team conceded at home
    double fa = 0; // goals the away team scored away
    double aa = 0; // goals the away team conceded away
    double sh = 0; // home opponent-strength sum (all leagues)
    double sa = 0; // away opponent-strength sum (all leagues)
};

struct Score {
    int home = 0;
    int away = 0;
    friend bool operator==(const Score&, const Score&) = default;
};

// "1" home win, "0" draw, "2" away win; the second sign is empty or names a double chance.
struct ResultSigns {
    QString first;
    QString second;
    friend bool operator==(const ResultSigns&, const ResultSigns&) = default;
};

struct GoalsForecast {
    double x1 = 0, y1 = 0, y2 = 0, x2 = 0; // attack and defence estimates
    long double h = 0;                     // expected home goals, kept extended
    long double a = 0;                     // expected away goals, kept extended
    double total = 0;                      // total expected goals
    Score score;                           // predicted score
    std::vector<Score> alternatives;       // up to three, in candidate order
    QString underOver;
};

// Which outputs exist: no signs without two ratings above 0, no goals without games and strengths.
struct Prediction {
    std::optional<ResultSigns> signs;
    std::optional<GoalsForecast> goals;
};

// Points ratio PH / PA × 100, formed extended and held as a double.
double pointsRatio(double ph, double pa);

// The signs of the band the ratio falls in; each band includes its lower bound.
ResultSigns signsForRatio(double ratio);

// Nothing unless both ratings are above 0.
std::optional<ResultSigns> resultSigns(double ph, double pa);

// Whole goals from an expected value: a fractional part of one half or more rounds up.
long double roundGoals(long double expected);

// The predicted score first, then the floor and ceiling combinations, each pair once.
std::vector<Score> scoreCandidates(long double h, long double a);

// "ALT" .. "ÜST" by the total expected goals, compared at extended precision.
QString underOverText(double total);

// Nothing unless ratings, games and both opponent-strength sums are above 0 and every estimate is
// finite and fits a whole number of goals: a sum of 0 or less has no meaningful average opponent.
std::optional<GoalsForecast> forecastGoals(const PredictionInput& in);

Prediction predict(const PredictionInput& in);

} // namespace vezal
