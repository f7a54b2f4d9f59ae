#include "model/ImpliedGoals.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vezal::model {

namespace {

constexpr double kLeastMean = 0.02;
constexpr double kMostMean = 12;
constexpr int kMostSteps = 100;
constexpr double kSettled = 1e-11; // a step in log-means this small ends the search

// Poisson probabilities of 0 .. last goals, by logarithms.
void poisson(double mean, int last, std::vector<double>& p) {
    p.resize(static_cast<std::size_t>(last) + 1);
    const double logMean = std::log(mean);
    for (int k = 0; k <= last; ++k)
        p[static_cast<std::size_t>(k)] = std::exp(k * logMean - mean - std::lgamma(k + 1.0));
}

// The grid's probabilities and their slopes with respect to the logarithms of the two means. Shifting
// a Poisson count by one gives the slopes in closed form: d/dλ P(X > Y) = P(X = Y),
// d/dλ P(X < Y) = -P(Y = X + 1), and alike for μ; the total X + Y is Poisson(λ + μ).
struct Grid {
    std::array<double, 3> p{}; // home, away, under
    std::array<std::array<double, 2>, 3> slope{};
};

Grid grid(double home, double away) {
    thread_local std::vector<double> x, y;
    const int last =
        static_cast<int>(std::ceil(std::max(home, away) + 10 * std::sqrt(std::max(home, away)) + 10));
    poisson(home, last, x);
    poisson(away, last, y);
    double homeWin = 0, draw = 0, awayWin = 0, homeByOne = 0, awayByOne = 0;
    double belowX = 0, belowY = 0; // P(X <= k), P(Y <= k) as k runs
    for (std::size_t k = 0; k < x.size(); ++k) {
        belowX += x[k];
        belowY += y[k];
        homeWin += y[k] * std::max(0.0, 1 - belowX);
        awayWin += x[k] * std::max(0.0, 1 - belowY);
        draw += x[k] * y[k];
        if (k + 1 < x.size()) {
            homeByOne += x[k + 1] * y[k];
            awayByOne += y[k + 1] * x[k];
        }
    }
    const double total = homeWin + draw + awayWin;
    Grid g;
    g.p[0] = homeWin / total;
    g.p[1] = awayWin / total;
    const double goals = home + away;
    g.p[2] = std::exp(-goals) * (1 + goals + goals * goals / 2);
    // d/du = λ d/dλ for u = log λ.
    g.slope[0] = {home * draw / total, -away * homeByOne / total};
    g.slope[1] = {-home * awayByOne / total, away * draw / total};
    const double underSlope = -std::exp(-goals) * goals * goals / 2;
    g.slope[2] = {home * underSlope, away * underSlope};
    return g;
}

bool isProbability(double p) {
    return std::isfinite(p) && p > 0 && p < 1;
}

// The total goals whose Poisson probability of at most two is `under`: the function falls from 1 to 0.
double totalForUnder(double under) {
    double low = 1e-3, high = 20;
    for (int i = 0; i < 80; ++i) {
        const double mid = (low + high) / 2;
        const double p = std::exp(-mid) * (1 + mid + mid * mid / 2);
        (p > under ? low : high) = mid;
    }
    return (low + high) / 2;
}

} // namespace

MarketProbabilities gridProbabilities(const GoalMeans& means) {
    const Grid g = grid(means.home, means.away);
    return {{g.p[0], 1 - g.p[0] - g.p[1], g.p[1]}, g.p[2]};
}

std::optional<GoalMeans> impliedGoals(const MarketProbabilities& market) {
    const ThreeWay& q = market.outcome;
    if (!isProbability(q.home) || !isProbability(q.draw) || !isProbability(q.away) ||
        std::abs(q.home + q.draw + q.away - 1) > 1e-6 || (market.under25 && !isProbability(*market.under25)))
        return std::nullopt;
    const std::size_t rows = market.under25 ? 3 : 2;
    const std::array<double, 3> target = {q.home, q.away, market.under25.value_or(0)};

    // Start at a plausible total split by the favourite's edge; Levenberg-Marquardt from there.
    const double total = market.under25 ? totalForUnder(*market.under25) : 2.6;
    const double edge = std::clamp(q.home - q.away, -0.9, 0.9);
    std::array<double, 2> point = {std::log(total / 2) + edge, std::log(total / 2) - edge};
    const auto bounded = [](double logMean) {
        return std::clamp(logMean, std::log(kLeastMean), std::log(kMostMean));
    };
    const auto residuals = [&](const Grid& g, std::array<double, 3>& r) {
        double cost = 0;
        for (std::size_t i = 0; i < rows; ++i) {
            r[i] = g.p[i] - target[i];
            cost += r[i] * r[i];
        }
        return cost;
    };
    Grid g = grid(std::exp(point[0]), std::exp(point[1]));
    std::array<double, 3> r{};
    double cost = residuals(g, r);
    double damping = 0;
    for (int step = 0; step < kMostSteps; ++step) {
        double a = 0, b = 0, c = 0, ga = 0, gb = 0; // J'J = [a b; b c], J'r = [ga gb]
        for (std::size_t i = 0; i < rows; ++i) {
            a += g.slope[i][0] * g.slope[i][0];
            b += g.slope[i][0] * g.slope[i][1];
            c += g.slope[i][1] * g.slope[i][1];
            ga += g.slope[i][0] * r[i];
            gb += g.slope[i][1] * r[i];
        }
        bool moved = false;
        for (int attempt = 0; attempt < 30 && !moved; ++attempt) {
            const double da = a * (1 + damping), dc = c * (1 + damping);
            const double determinant = da * dc - b * b;
            if (!(std::abs(determinant) > 0) || !std::isfinite(determinant))
                return std::nullopt;
            const double s0 = -(dc * ga - b * gb) / determinant;
            const double s1 = -(da * gb - b * ga) / determinant;
            const std::array<double, 2> next = {bounded(point[0] + s0), bounded(point[1] + s1)};
            const Grid tried = grid(std::exp(next[0]), std::exp(next[1]));
            std::array<double, 3> triedR{};
            const double triedCost = residuals(tried, triedR);
            if (triedCost <= cost) {
                const double size = std::max(std::abs(next[0] - point[0]), std::abs(next[1] - point[1]));
                point = next;
                g = tried;
                r = triedR;
                cost = triedCost;
                damping = damping > 0 ? damping / 10 : 0;
                moved = true;
                if (size < kSettled || cost == 0)
                    return GoalMeans{std::exp(point[0]), std::exp(point[1])};
            } else {
                damping = damping > 0 ? damping * 10 : 1e-3;
            }
        }
        if (!moved) // no step lowers the cost: this is the least it can be
            return GoalMeans{std::exp(point[0]), std::exp(point[1])};
    }
    return std::nullopt;
}

} // namespace vezal::model
