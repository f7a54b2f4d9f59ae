#pragma once

#include <QStringList>
#include <functional>
#include <optional>

namespace vezal {

class Database;

// SQLite's integrity check of the whole database file: the table Liste, its indexes, the program's own
// tables and the file's page accounting. Damage that a read does not notice (a page that lost some of its
// rows) shows here. Returns the problems the engine names, none when the file is sound; an error that
// stops the check is one more problem. keepGoing is asked now and then; false cancels and returns none.
std::optional<QStringList> checkIntegrity(Database& database, const std::function<bool()>& keepGoing = {});

} // namespace vezal
