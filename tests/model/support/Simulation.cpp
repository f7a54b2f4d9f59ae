#include "Simulation.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vezal::testing {

namespace {

double uniform(std::mt19937_64& random) {
    return static_cast<double>(random() >> 11) * 0x1.0p-53;
}

double poisson(int k, double mean) {
    return std::pow(mean, k) * std::exp(-mean) / std::tgamma(k + 1.0);
}

} // namespace

std::pair<int, int> drawScore(double homeMean, double awayMean, double rho, std::mt19937_64& random) {
    double u = uniform(random);
    for (int x = 0; x <= 20; ++x)
        for (int y = 0; y <= 20; ++y) {
            u -= poisson(x, homeMean) * poisson(y, awayMean) * model::tau(x, y, homeMean, awayMean, rho);
            if (u < 0)
                return {x, y};
        }
    return {0, 0}; // the far tail, below 1e-9
}

SimulatedLeague simulateLeague(int teams, int seasons, std::uint64_t seed, double spread, double level,
                               double homeAdvantage, double rho) {
    std::mt19937_64 random(seed);
    SimulatedLeague league;
    league.truth = model::Parameters::neutral(teams);
    for (int i = 0; i < teams; ++i)
        league.truth.attack[i] = spread * (2.0 * i / (teams - 1) - 1);
    std::vector<int> order(static_cast<std::size_t>(teams));
    std::iota(order.begin(), order.end(), 0);
    for (int i = teams - 1; i > 0; --i)
        std::swap(order[i], order[random() % static_cast<std::uint64_t>(i + 1)]);
    for (int i = 0; i < teams; ++i)
        league.truth.defence[i] = level + league.truth.attack[order[i]];
    league.truth.homeAdvantage = homeAdvantage;
    league.truth.rho = rho;

    // The circle method: team 0 stays, the others turn one place a round.
    model::DayNumber day = 2'455'000;
    for (int season = 0; season < seasons; ++season) {
        std::vector<int> ring(static_cast<std::size_t>(teams));
        std::iota(ring.begin(), ring.end(), 0);
        for (int half = 0; half < 2; ++half)
            for (int round = 0; round < teams - 1; ++round) {
                for (int i = 0; i < teams / 2; ++i) {
                    int home = ring[i];
                    int away = ring[teams - 1 - i];
                    if ((round + half) % 2 == 1)
                        std::swap(home, away);
                    const auto [x, y] = drawScore(league.truth.homeMean(home, away),
                                                  league.truth.awayMean(home, away), rho, random);
                    league.matches.push_back({home, away, day, x, y});
                }
                std::rotate(ring.begin() + 1, ring.end() - 1, ring.end());
                league.lastDay = day;
                day += 7;
            }
        day += 90;
    }
    return league;
}

} // namespace vezal::testing
