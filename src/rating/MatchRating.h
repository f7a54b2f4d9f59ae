#pragma once

// The zero-sum transfer that one played match makes between its two teams.

namespace vezal {

struct RatingTransfer {
    double etp = 0;    // points moved to the home team (negative when it lost points)
    double mtp = 0;    // points moved to the away team
    double erakip = 0; // strength of the home team's opponent: the away team's rating before the day
    double mrakip = 0; // strength of the away team's opponent: the home team's rating before the day
};

// hs, as: the home team's home rating and the away team's away rating before the match day.
// Goals are the true goals; the outcome is decided on goals capped at 3.
RatingTransfer rateMatch(int homeGoals, int awayGoals, double hs, double as);

// The seed row's split of a team's starting points: 51 % home, 49 % away.
struct SeedSplit {
    double etp = 0;
    double mtp = 0;
};
SeedSplit splitStartingPoints(double points);

} // namespace vezal
