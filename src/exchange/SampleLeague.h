#pragma once

#include "exchange/Import.h"

#include <QHash>
#include <QString>
#include <vector>

namespace vezal {

class Database;
class MatchTable;

// The example league a new user can load to try the program before importing a real one: ten teams over
// two seasons of a double round robin, with results and the bookmaker's odds drawn from the teams' order
// (the first the strongest) and a fixed sequence, so that every load gives the same league.
inline constexpr const char16_t* kSampleLeagueName = u"Örnek Lig";

struct SampleLeague {
    QString name;
    QHash<QString, double> startingPoints; // per team
    std::vector<MatchLine> matches;        // in the order they were played
};

SampleLeague sampleLeague();

// Imports the example league as the import window would (all or nothing); a second load adds nothing.
ImportOutcome loadSampleLeague(Database& database, MatchTable& table);

} // namespace vezal
