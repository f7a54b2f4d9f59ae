#pragma once

#include "store/BoundStatement.h"

#include <QSqlQuery>
#include <QString>
#include <optional>

namespace vezal {

class Database;

// The goals model's settings chosen for a league: its time decay and goals' share, and, where the league
// kept odds when it was tuned, the market's share and decay and the model's weight in the pool.
struct ModelChoice {
    double xi = 0;
    double shotsWeight = 0;
    std::optional<double> marketWeight{};
    std::optional<double> marketXi{};
    std::optional<double> poolWeight{};
};

// The choices kept per league in a table of their own (ModelAyar), one row a league, the name cut to 20
// characters. A league never tuned has no row, and a trigger on Liste drops a league's row with the
// league's last match or team row. A table made before the market's settings were kept gains their
// columns on the first write; until then its rows read without them. Engine failures throw StoreError.
class ModelChoiceTable {
public:
    explicit ModelChoiceTable(Database& database);

    bool exists();
    // Replaces the league's choice, creating the table first when needed.
    void put(const QString& league, const ModelChoice& choice);
    // None when the league was never tuned.
    std::optional<ModelChoice> find(const QString& league);

private:
    bool hasMarketColumns();

    Database& database_;
    TableBeside table_;
    std::optional<bool> hasMarketColumns_;
};

} // namespace vezal
