#include "rating/MatchRating.h"

#include <algorithm>

namespace vezal {

namespace {
// Held at extended precision; every product or difference is rounded to a double once, when stored.
constexpr long double kTenth = 0.1L;
constexpr long double kNineTenths = 0.9L;
constexpr int kOutcomeGoalCap = 3; // 4-3 and 7-3 are draws, 4-0 a home win
} // namespace

RatingTransfer rateMatch(int homeGoals, int awayGoals, double hs, double as) {
    const int hg = std::min(homeGoals, kOutcomeGoalCap);
    const int ag = std::min(awayGoals, kOutcomeGoalCap);

    const double e = static_cast<double>(hs * kTenth); // home stake
    const double m = static_cast<double>(as * kTenth); // away stake
    const double s = e + m;                            // the pot

    RatingTransfer t;
    if (hg == ag) {
        t.etp = static_cast<double>(static_cast<long double>(s) / 2 - e);
        t.mtp = static_cast<double>(static_cast<long double>(s) / 2 - m);
    } else if (hg > ag) {
        // The home winner takes 90 % of the pot; the loser keeps a tenth.
        t.etp = static_cast<double>(kNineTenths * s - e);
        t.mtp = static_cast<double>(kTenth * s - m);
    } else {
        // The away winner takes it all.
        t.etp = -e;
        t.mtp = static_cast<double>(static_cast<long double>(s) - m);
    }
    t.erakip = as;
    t.mrakip = hs;
    return t;
}

SeedSplit splitStartingPoints(double points) {
    return {static_cast<double>(points * 0.51L), static_cast<double>(points * 0.49L)};
}

} // namespace vezal
