#pragma once

#include "store/BoundStatement.h"

#include <QSqlQuery>
#include <QString>
#include <optional>

namespace vezal {

class Database;

// The goals model's time decay and goals' share chosen for a league.
struct ModelChoice {
    double xi = 0;
    double shotsWeight = 0;
};

// The choices kept per league in a table of their own (ModelAyar), one row a league, the name cut to 20
// characters. A league never tuned has no row, and a trigger on Liste drops a league's row with the
// league's last match or team row. Engine failures throw StoreError.
class ModelChoiceTable {
public:
    explicit ModelChoiceTable(Database& database);

    bool exists();
    // Replaces the league's choice, creating the table first when needed.
    void put(const QString& league, const ModelChoice& choice);
    // None when the league was never tuned.
    std::optional<ModelChoice> find(const QString& league);

private:
    Database& database_;
    TableBeside table_;
};

} // namespace vezal
