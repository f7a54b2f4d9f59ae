// The goals model's fit on five simulated seasons of a 20-team league (1,900 matches): once from nothing,
// and again a match day later starting from the first fit, as a walk over a season refits; and one
// evaluation of the likelihood with its gradient, match by match and from the sums per pairing; and every
// market of the league's 380 pairings priced from their score grids, as a bulletin of 380 fixtures would.
//
//   model_bench [RUNS]   each figure is the median of RUNS fits (21 unless given)

#include "Measure.h"

#include "model/DixonColes.h"
#include "model/GroupedLikelihood.h"
#include "model/Pricing.h"
#include "model/ScoreGrid.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace vezal::bench {
namespace {

using model::DayNumber;
using model::PlayedMatch;

constexpr int kTeams = 20;
constexpr int kSeasons = 5;

// Double round robins by the circle method, a match day a week, goals drawn from fixed strengths.
std::vector<PlayedMatch> simulatedSeasons() {
    std::mt19937_64 random(1997);
    std::vector<double> attack(kTeams);
    std::vector<double> defence(kTeams);
    for (int i = 0; i < kTeams; ++i) {
        attack[i] = 0.4 * (2.0 * i / (kTeams - 1) - 1);
        defence[i] = 0.1 + 0.3 * std::sin(1.7 * i);
    }
    std::vector<PlayedMatch> matches;
    DayNumber day = 2'455'000;
    for (int season = 0; season < kSeasons; ++season) {
        std::vector<int> ring(kTeams);
        for (int i = 0; i < kTeams; ++i)
            ring[i] = i;
        for (int round = 0; round < 2 * (kTeams - 1); ++round) {
            for (int i = 0; i < kTeams / 2; ++i) {
                int home = ring[i];
                int away = ring[kTeams - 1 - i];
                if ((round + i) % 2 == 0)
                    std::swap(home, away);
                std::poisson_distribution<int> homeGoals(std::exp(attack[home] + defence[away] + 0.25));
                std::poisson_distribution<int> awayGoals(std::exp(attack[away] + defence[home]));
                matches.push_back({home, away, day, homeGoals(random), awayGoals(random)});
            }
            std::rotate(ring.begin() + 1, ring.end() - 1, ring.end());
            day += 7;
        }
        day += 90;
    }
    return matches;
}

void figure(const char* what, double milliseconds, double limit, int evaluations) {
    std::printf("%-58s %8.2f ms  %4d evaluations  (limit %.0f ms)  %s\n", what, milliseconds, evaluations,
                limit, milliseconds < limit ? "ok" : "MISSED");
}

// Each pairing's grid from the fitted means, tilted to 1X2 and under-2.5 figures a little off the model's
// (as a forecast pooled with odds would be), then all of its markets priced.
bool priceEveryMarket(const model::Parameters& fitted, int runs) {
    constexpr double kLimit = 100;
    std::vector<double> times;
    std::size_t outcomes = 0;
    int fixtures = 0;
    double sink = 0;
    for (int r = 0; r < runs; ++r)
        times.push_back(timed([&] {
            outcomes = 0;
            fixtures = 0;
            for (int home = 0; home < kTeams; ++home)
                for (int away = 0; away < kTeams; ++away) {
                    if (home == away)
                        continue;
                    const auto grid = model::ScoreGrid::dixonColes(fitted.homeMean(home, away),
                                                                   fitted.awayMean(home, away), fitted.rho);
                    if (!grid)
                        continue;
                    const model::MatchForecast own = model::summarise(*grid);
                    const model::ThreeWay pooled{own.outcome.home + 0.02, own.outcome.draw,
                                                 std::max(own.outcome.away - 0.02, 0.01)};
                    const auto tilted = grid->tiltedTo(pooled, std::clamp(own.under25 - 0.01, 0.01, 0.99));
                    for (const model::PricedOutcome& p : model::priceMarkets(tilted ? *tilted : *grid)) {
                        sink += p.fair.value_or(0);
                        ++outcomes;
                    }
                    ++fixtures;
                }
        }));
    const double ms = median(times);
    std::printf("%-58s %8.2f ms  %zu outcomes each  (limit %.0f ms)  %s%s\n",
                "grid, tilt and every market of 380 fixtures", ms, fixtures ? outcomes / fixtures : 0, kLimit,
                ms < kLimit && fixtures == 380 ? "ok" : "MISSED", std::isfinite(sink) ? "" : " (not finite)");
    return ms < kLimit && fixtures == 380;
}

int run(int runs) {
    const std::vector<PlayedMatch> matches = simulatedSeasons();
    const DayNumber lastDay = matches.back().day;
    std::printf("%zu matches, %d teams, %d runs a figure\n", matches.size(), kTeams, runs);

    std::vector<double> cold;
    model::Fit coldFit;
    for (int i = 0; i < runs; ++i)
        cold.push_back(timed([&] { coldFit = model::fitDixonColes(kTeams, matches, lastDay + 1); }));

    // The fit of the day before the last match day starts the one after it.
    const model::Fit before = model::fitDixonColes(kTeams, matches, lastDay);
    std::vector<double> warm;
    model::Fit warmFit;
    for (int i = 0; i < runs; ++i)
        warm.push_back(timed(
            [&] { warmFit = model::fitDixonColes(kTeams, matches, lastDay + 1, {}, &before.parameters); }));

    figure("fit of 1,900 matches from nothing", median(cold), 50, coldFit.evaluations);
    figure("refit a match day later, from the day before's fit", median(warm), 10, warmFit.evaluations);
    const bool met = median(cold) < 50 && median(warm) < 10;
    double apart = 0;
    for (int i = 0; i < kTeams; ++i)
        apart = std::max({apart, std::abs(coldFit.parameters.attack[i] - warmFit.parameters.attack[i]),
                          std::abs(coldFit.parameters.defence[i] - warmFit.parameters.defence[i])});
    std::printf("largest difference between the two fits' strengths: %.2g\n", apart);

    const model::Likelihood perMatch(kTeams, matches, lastDay + 1, model::FitOptions{}.xi);
    const model::GroupedLikelihood grouped(kTeams, matches, lastDay + 1, {});
    const std::vector<double> point = model::Likelihood::pack(coldFit.parameters);
    std::vector<double> gradient(point.size());
    double sink = 0;
    constexpr int kEvaluations = 1000;
    const double perMatchMs = timed([&] {
        for (int i = 0; i < kEvaluations; ++i)
            sink += perMatch.value(point, gradient);
    });
    const double groupedMs = timed([&] {
        for (int i = 0; i < kEvaluations; ++i)
            sink += grouped.value(point, gradient);
    });
    std::printf("one evaluation with its gradient: match by match %.4f ms, %zu pairings %.4f ms (%.1f x)%s\n",
                perMatchMs / kEvaluations, grouped.pairingCount(), groupedMs / kEvaluations,
                perMatchMs / groupedMs, std::isfinite(sink) ? "" : " (not finite)");
    return met && priceEveryMarket(coldFit.parameters, runs) ? 0 : 1;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    return vezal::bench::run(runs > 0 ? runs : 21);
}
