#pragma once

#include <QString>
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

// SQLite's quick check: every page and b-tree of the file as the full check walks them, without matching
// each index to its table, its costly part. Fast enough to run before every advice and every write; the
// problems, as checkIntegrity gives them.
QStringList quickCheck(Database& database);

// The refusal of an advice or a write on a damaged database: kDatabaseDamaged, the first problems, what
// is refused and where to look further (seeMore).
QString damageMessage(const Database& database, const QStringList& problems, const QString& seeMore);

// The quick check before the data is used: on damage the database refuses every write from then on (see
// Database::damage()), and the refusal comes back for the caller to refuse its advice with.
std::optional<QString> checkBeforeUse(Database& database, const QString& seeMore);

} // namespace vezal
