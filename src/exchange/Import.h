#pragma once

#include "exchange/MatchFile.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace vezal {

class Database;
class MatchTable;

struct ImportOptions {
    double startingPoints = 3.5;               // for every team the league does not have yet
    QHash<QString, double> teamStartingPoints; // per team, by its name in any letter case
    bool dryRun = false;                       // count and check only; nothing is written
    // Whether a league klasman.dat lacks is added; when not, it is refused (an update must not bring back
    // a league deleted while its file came).
    bool addsLeague = true;
    // Called as rows are done; returning false cancels the import, which then leaves no trace.
    std::function<bool(qsizetype done, qsizetype total)> progress;
};

struct ImportOutcome {
    std::optional<QString> refusal; // the import cannot start (league name, starting points); nothing written
    bool cancelled = false;         // stopped by the progress callback; nothing written
    qsizetype added = 0;            // match rows appended (or, in a dry run, that would be)
    qsizetype present = 0;          // rows whose league, day, home and away team the table already had
    LineNotes rejected;             // rows of a team that could not be registered
    // Lines naming a stored match with another score, or a match an earlier line named: nothing changes.
    LineNotes conflicts;
    QStringList registered;   // teams registered in the league, in the order of the file
    bool leagueAdded = false; // the league was added to klasman.dat (a dry run: would be)
};

// Enters the rows as the results window would, one day after the other (a day's rows in file order),
// each rated on the sums strictly before its day, rows dated before stored ones included. A row the
// table already holds for the league, day and teams is left out. Teams the league lacks are registered
// first with their starting points, and a league klasman.dat lacks is added to it, with the checks of the
// team and league windows.
//
// All or nothing: the league list's lock, then one write transaction; the new klasman.dat is written whole
// before the commit and put in place after it. A file without one usable line writes nothing, not even
// the league (leagueAdded is false then). On an engine or file failure, a full disk included, throws
// StoreError whose message says that nothing changed.
ImportOutcome importResults(Database& database, MatchTable& table, const QString& league,
                            const std::vector<MatchLine>& rows, const ImportOptions& options);

} // namespace vezal
