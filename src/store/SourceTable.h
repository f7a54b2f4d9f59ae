#pragma once

#include "store/BoundStatement.h"

#include <QString>
#include <optional>
#include <vector>

namespace vezal {

class Database;

// Where a league's season file comes from: its code in the file (Div, "E0") and the address or file path
// it is read from. Either may be empty.
struct LeagueSource {
    QString league; // the whole name, as klasman.dat holds it
    QString code;
    QString address;

    bool operator==(const LeagueSource&) const = default;
};

// The leagues' sources, kept beside Liste in a table of their own (Kaynak), one row per league. The league
// is kept whole rather than cut to 20 characters: the update imports under this name, which must be the
// name klasman.dat lists. Writes belong in the caller's WriteTransaction; engine failures throw StoreError.
class SourceTable {
public:
    explicit SourceTable(Database& database);

    bool exists();
    // Creates the table when missing; part of the caller's transaction when one is open.
    void ensureExists();

    // Replaces the league's row; a source with neither a code nor an address removes it.
    void put(const LeagueSource& source);
    void remove(const QString& league);
    std::optional<LeagueSource> find(const QString& league);
    // Every row, in Turkish order of the league names.
    std::vector<LeagueSource> all();

private:
    Database& database_;
    TableBeside table_;
};

} // namespace vezal
