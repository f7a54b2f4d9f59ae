#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vezal {

class Database;

struct Relisting {
    QStringList added;              // the names put back, in the table's order
    std::optional<QString> failure; // why the list could not be saved; the rows stay where they are

    // What to tell the user: the names put back, or the failure; nothing when all was in order.
    QStringList notices() const;
};

// Every league with rows in the table is listed in klasman.dat: a league the table holds and the list
// lacks (a writer killed between the commit of its rows and the save of its list) is added back at the
// end of the list, under the list's lock. A name the list could not hold as a league of its own (empty,
// alike to a listed one in its first 20 characters, outside the code page) is left alone. A list that
// cannot be read is left alone too: whoever reads it next says why. Run when the data is opened.
Relisting relistLeaguesWithRows(Database& database, const QString& leagueListPath);

} // namespace vezal
