#include "model/ScoreGrid.h"

#include "model/DixonColes.h"

#include <algorithm>
#include <cmath>

namespace vezal::model {

namespace {

constexpr int kMostGoals = 150;
// The share of probability a score table must hold before its renormalised figures are trusted.
constexpr double kLeastCovered = 1 - 1e-9;
constexpr double kPriorGoals = 1000;
constexpr double kTiltTolerance = 1e-12;
// Reachable targets are met in a few dozen rounds; far more means the parts cannot all be met at once.
constexpr int kMostTiltRounds = 2000;

// Poisson probabilities of 0 .. last goals, by logarithms: exp(-mean) alone underflows for large means.
std::vector<double> poisson(double mean, int last) {
    std::vector<double> p(static_cast<std::size_t>(last) + 1);
    const double logMean = mean > 0 ? std::log(mean) : 0;
    for (int k = 0; k <= last; ++k)
        p[k] = mean > 0 ? std::exp(k * logMean - mean - std::lgamma(k + 1.0)) : (k == 0 ? 1.0 : 0.0);
    return p;
}

// Ten standard deviations past the mean leave less than 1e-12 behind.
int lastGoals(double mean) {
    return static_cast<int>(std::min<double>(kMostGoals, std::ceil(mean + 10 * std::sqrt(mean) + 10)));
}

int signIndex(int home, int away) {
    return static_cast<int>(home > away ? Result::HomeWin : home == away ? Result::Draw : Result::AwayWin);
}

// Binomial(n, s) probabilities of 0 .. n for every n up to last, row n at n * (last + 1), by Pascal's rule.
std::vector<double> binomialRows(int last, double s) {
    const std::size_t width = static_cast<std::size_t>(last) + 1;
    std::vector<double> rows(width * width, 0.0);
    rows[0] = 1;
    for (std::size_t n = 1; n < width; ++n)
        for (std::size_t k = 0; k <= n; ++k)
            rows[n * width + k] =
                rows[(n - 1) * width + k] * (1 - s) + (k > 0 ? rows[(n - 1) * width + k - 1] * s : 0.0);
    return rows;
}

} // namespace

double firstHalfShare(long long firstHalfGoals, long long goals) {
    if (goals <= 0 || firstHalfGoals < 0 || firstHalfGoals > goals)
        return kDefaultFirstHalfShare;
    return (static_cast<double>(firstHalfGoals) + kPriorGoals * kDefaultFirstHalfShare) /
           (static_cast<double>(goals) + kPriorGoals);
}

ScoreGrid::ScoreGrid(int lastHome, int lastAway, double rho, double share)
    : lastHome_(lastHome), lastAway_(lastAway), rho_(rho), firstHalfShare_(share),
      cells_(static_cast<std::size_t>(lastHome + 1) * static_cast<std::size_t>(lastAway + 1), 0.0) {}

std::optional<ScoreGrid> ScoreGrid::dixonColes(double homeMean, double awayMean, double rho, double share) {
    if (!std::isfinite(homeMean) || !std::isfinite(awayMean) || homeMean < 0 || awayMean < 0)
        return std::nullopt;
    if (!std::isfinite(share) || share < 0 || share > 1)
        share = kDefaultFirstHalfShare;
    const double safeRho = guardedRho(rho, homeMean, awayMean);
    ScoreGrid grid(lastGoals(homeMean), lastGoals(awayMean), safeRho, share);
    const std::vector<double> home = poisson(homeMean, grid.lastHome_);
    const std::vector<double> away = poisson(awayMean, grid.lastAway_);
    double total = 0;
    for (int x = 0; x <= grid.lastHome_; ++x)
        for (int y = 0; y <= grid.lastAway_; ++y) {
            const double p = home[x] * away[y] * tau(x, y, homeMean, awayMean, safeRho);
            grid.cell(x, y) = p;
            total += p;
        }
    // The corrections cancel over the four low scores, so the whole table sums to 1 less its tails.
    if (!(total >= kLeastCovered) || !std::isfinite(total))
        return std::nullopt;
    for (double& p : grid.cells_)
        p /= total;
    return grid;
}

double ScoreGrid::probability(int homeGoals, int awayGoals) const {
    if (homeGoals < 0 || awayGoals < 0 || homeGoals > lastHome_ || awayGoals > lastAway_)
        return 0;
    return cells_[static_cast<std::size_t>(homeGoals * (lastAway_ + 1) + awayGoals)];
}

std::pair<double, double> ScoreGrid::expectedGoals() const {
    double home = 0, away = 0;
    for (int x = 0; x <= lastHome_; ++x)
        for (int y = 0; y <= lastAway_; ++y) {
            home += x * probability(x, y);
            away += y * probability(x, y);
        }
    return {home, away};
}

std::optional<ScoreGrid> ScoreGrid::tiltedTo(const ThreeWay& outcome, std::optional<double> under25) const {
    const double signs[] = {outcome.home, outcome.draw, outcome.away};
    double signSum = 0;
    for (const double t : signs) {
        if (!std::isfinite(t) || t < 0)
            return std::nullopt;
        signSum += t;
    }
    if (!(signSum > 0) || (under25 && (!std::isfinite(*under25) || *under25 < 0 || *under25 > 1)))
        return std::nullopt;
    const double signTargets[] = {signs[0] / signSum, signs[1] / signSum, signs[2] / signSum};
    const double goalTargets[] = {under25.value_or(0), 1 - under25.value_or(0)};

    // Every scaling multiplies all cells of a sign and a goal side alike, so the fitting runs on the six
    // sums of those parts, and each cell takes its part's factor once at the end.
    const auto goalsPart = [](int x, int y) {
        return x + y <= 2 ? 0 : 1;
    };
    double start[3][2] = {};
    for (int x = 0; x <= lastHome_; ++x)
        for (int y = 0; y <= lastAway_; ++y)
            start[signIndex(x, y)][goalsPart(x, y)] += probability(x, y);
    double parts[3][2];
    std::copy(&start[0][0], &start[0][0] + 6, &parts[0][0]);
    // Scales the rows (signs) or the columns (goal sides) to their targets; false for a target above 0
    // on an empty one. Sets the largest miss found before scaling.
    const auto scale = [&parts](bool rows, const double* targets, double& miss) {
        miss = 0;
        for (int k = 0; k < (rows ? 3 : 2); ++k) {
            double sum = 0;
            for (int j = 0; j < (rows ? 2 : 3); ++j)
                sum += rows ? parts[k][j] : parts[j][k];
            miss = std::max(miss, std::abs(sum - targets[k]));
            if (!(sum > 0)) {
                if (targets[k] > 0)
                    return false;
                continue;
            }
            for (int j = 0; j < (rows ? 2 : 3); ++j)
                (rows ? parts[k][j] : parts[j][k]) *= targets[k] / sum;
        }
        return true;
    };
    bool met = false;
    double miss = 0;
    for (int round = 0; round < kMostTiltRounds && !met; ++round) {
        if (!scale(true, signTargets, miss))
            return std::nullopt;
        // The sign parts are met after their own scaling: only the goal sides can pull them off again.
        met = !under25 || (round > 0 && miss < kTiltTolerance);
        if (!met && !scale(false, goalTargets, miss))
            return std::nullopt;
    }
    if (!met)
        return std::nullopt;
    ScoreGrid tilted = *this;
    for (int x = 0; x <= lastHome_; ++x)
        for (int y = 0; y <= lastAway_; ++y) {
            const int sign = signIndex(x, y), goals = goalsPart(x, y);
            tilted.cell(x, y) *= start[sign][goals] > 0 ? parts[sign][goals] / start[sign][goals] : 0.0;
        }
    return tilted;
}

std::array<std::array<double, 3>, 3> ScoreGrid::halfTimeFullTimeSigns() const {
    std::array<std::array<double, 3>, 3> signs{};
    const int last = std::max(lastHome_, lastAway_);
    const std::size_t width = static_cast<std::size_t>(last) + 1;
    const std::vector<double> binomial = binomialRows(last, firstHalfShare_);
    // below[n * width + k]: Binomial(n, s) of fewer than k, for k = 0 .. n + 1 (n + 1 < width or cut).
    std::vector<double> below(width * (width + 1), 0.0);
    for (std::size_t n = 0; n < width; ++n)
        for (std::size_t k = 1; k <= n + 1; ++k)
            below[n * (width + 1) + k] = below[n * (width + 1) + k - 1] + binomial[n * width + k - 1];
    for (int x = 0; x <= lastHome_; ++x)
        for (int y = 0; y <= lastAway_; ++y) {
            const double p = probability(x, y);
            if (p == 0)
                continue;
            const double* home = &binomial[static_cast<std::size_t>(x) * width];
            const double* away = &binomial[static_cast<std::size_t>(y) * width];
            const double* awayBelow = &below[static_cast<std::size_t>(y) * (width + 1)];
            double ahead = 0, level = 0, behind = 0;
            for (int i = 0; i <= x; ++i) {
                const int fewer = std::min(i, y + 1); // away half-time goals below i
                ahead += home[i] * awayBelow[fewer];
                if (i <= y) {
                    level += home[i] * away[i];
                    behind += home[i] * (1 - awayBelow[i + 1]);
                }
            }
            const int full = signIndex(x, y);
            signs[static_cast<int>(Result::HomeWin)][full] += p * ahead;
            signs[static_cast<int>(Result::Draw)][full] += p * level;
            signs[static_cast<int>(Result::AwayWin)][full] += p * behind;
        }
    return signs;
}

MatchForecast summarise(const ScoreGrid& grid) {
    MatchForecast f;
    // Ties go to fewer goals, then to fewer home goals: an order over every score, so the likeliest five
    // never depend on the order they are met in.
    const auto before = [](const ScoreProbability& a, const ScoreProbability& b) {
        if (a.probability != b.probability)
            return a.probability > b.probability;
        if (a.homeGoals + a.awayGoals != b.homeGoals + b.awayGoals)
            return a.homeGoals + a.awayGoals < b.homeGoals + b.awayGoals;
        return a.homeGoals < b.homeGoals;
    };
    auto& likely = f.likelyScores;
    std::size_t kept = 0;
    const double* cell = grid.cells().data();
    for (int x = 0; x <= grid.lastHomeGoals(); ++x)
        for (int y = 0; y <= grid.lastAwayGoals(); ++y) {
            const double p = *cell++;
            if (x > y)
                f.outcome.home += p;
            else if (x == y)
                f.outcome.draw += p;
            else
                f.outcome.away += p;
            (x + y <= 2 ? f.under25 : f.over25) += p;
            if (x > 0 && y > 0)
                f.bothScore += p;
            const ScoreProbability score{x, y, p};
            if (kept == likely.size() && !before(score, likely.back()))
                continue;
            std::size_t at = kept < likely.size() ? kept++ : likely.size() - 1;
            for (; at > 0 && before(score, likely[at - 1]); --at)
                likely[at] = likely[at - 1];
            likely[at] = score;
        }
    return f;
}

} // namespace vezal::model
