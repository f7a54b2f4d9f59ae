#include "exchange/SampleLeague.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vezal {

namespace {

struct SampleTeam {
    const char* name;
    double points;
};

constexpr std::array<SampleTeam, 10> kTeams{{{"Galatasaray", 6.5},
                                             {"Fenerbahçe", 6.4},
                                             {"Beşiktaş", 6},
                                             {"Trabzonspor", 5.5},
                                             {"Bursaspor", 5},
                                             {"Sivasspor", 4.5},
                                             {"Kayserispor", 4.5},
                                             {"Gençlerbirliği", 4},
                                             {"Ankaragücü", 3.5},
                                             {"Denizlispor", 3}}};

// The same numbers on every machine: a linear congruential sequence, not the library's engines.
class Sequence {
public:
    int draw(int bound) {
        state_ = (state_ * 1103515245u + 12345u) % 2147483648u;
        return int((state_ / 65536u) % std::uint64_t(bound));
    }

private:
    std::uint64_t state_ = 2009;
};

double odds(int hundredths) {
    return hundredths / 100.0;
}

} // namespace

SampleLeague sampleLeague() {
    SampleLeague league;
    league.name = QString::fromUtf16(kSampleLeagueName);
    for (const SampleTeam& team : kTeams)
        league.startingPoints.insert(QString::fromUtf8(team.name), team.points);

    Sequence sequence;
    int number = 0;
    for (const QDate start : {QDate(2009, 8, 22), QDate(2010, 8, 14)}) {
        for (int round = 0; round < 18; ++round) {
            // The circle method: team 0 stays, the other nine turn; the second half swaps the grounds.
            const int r = round % 9;
            for (int pair = 0; pair < 5; ++pair) {
                const int a = pair == 0 ? 0 : 1 + (pair - 1 + r) % 9;
                const int b = 1 + (9 - pair - 1 + r) % 9;
                const bool swapped = (r + pair + round / 9) % 2 == 1;
                const int home = swapped ? b : a;
                const int away = swapped ? a : b;
                const int homeStrength = 10 - home;
                const int awayStrength = 10 - away;
                const int gap = away - home;
                MatchLine match;
                match.number = ++number;
                match.line = number + 1; // as if read from a file with a header line
                match.day = start.addDays(7 * round);
                match.home = QString::fromUtf8(kTeams[std::size_t(home)].name);
                match.away = QString::fromUtf8(kTeams[std::size_t(away)].name);
                match.homeGoals = sequence.draw(3 + homeStrength / 3);
                match.awayGoals = sequence.draw(2 + awayStrength / 3);
                match.odds =
                    MatchOdds{odds(std::clamp(240 - 14 * gap, 125, 700)), odds(320 + 3 * std::abs(gap)),
                              odds(std::clamp(330 + 20 * gap, 140, 900))};
                league.matches.push_back(match);
            }
        }
    }
    return league;
}

ImportOutcome loadSampleLeague(Database& database, MatchTable& table) {
    const SampleLeague league = sampleLeague();
    ImportOptions options;
    options.teamStartingPoints = league.startingPoints;
    return importResults(database, table, league.name, league.matches, options);
}

} // namespace vezal
