#pragma once

#include "exchange/SourceFetch.h"
#include "store/SourceTable.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace vezal {

class Database;
class MatchTable;

struct UpdateOptions {
    FetchOptions fetch;
    QDate today = QDate::currentDate(); // the file's dates are judged against it, as the import's are
    // As the import's: returning false cancels the league's import, which then leaves no trace.
    std::function<bool(qsizetype done, qsizetype total)> progress;
    // Whether a league klasman.dat lacks when the write begins is added (a league the user is making from
    // its first file) rather than refused (one deleted while its file came).
    bool addsLeague = false;
};

// What updating one league did.
struct LeagueUpdate {
    QString league;
    std::optional<QString> error; // the league was not updated, and why; nothing of it changed
    bool cancelled = false;       // stopped by the user; nothing of it changed
    qsizetype added = 0;
    qsizetype present = 0;
    qsizetype conflicts = 0;
    qsizetype rejected = 0; // lines the file or the import could not use

    bool updated() const { return !error && !cancelled; }
};

// Reads the league's source and imports it as the import does: rows the table holds are skipped, the rest
// go in as one transaction. When the league has a code and the file a Div column, lines of other codes
// are left out (rejected); a file without a single line of the code is refused. Unless the options add
// it, the league must be in klasman.dat when the write begins (checked under the list's lock): one
// deleted while its file came is refused, not made again. File, network and engine failures come back as the
// error, never thrown.
LeagueUpdate updateLeague(Database& database, MatchTable& table, SourceFetcher& fetcher,
                          const LeagueSource& source, const UpdateOptions& options);

} // namespace vezal
