#pragma once

#include "store/BoundStatement.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <optional>
#include <vector>

namespace vezal {

class Database;

// What the market's odds said of one past match, margin removed: from its closing odds where kept, else
// from those taken before, with the goal means the probabilities imply.
struct MarketView {
    bool closing = false;
    QString source; // the quotes' source: "Avg", "PS", "B365", ...
    double home = 0, draw = 0, away = 0;
    std::optional<double> under25;              // at most two goals, where the market priced it
    std::optional<double> homeGoals, awayGoals; // both or none
};

// One match's view with its key (the day as yyyy-MM-dd text, as Liste holds it).
struct KeptMarketView {
    QString day;
    QString home;
    QString away;
    std::optional<MarketView> view; // none: the match's odds were looked at and give no view
};

// The market's view of each match kept beside Liste in a table of its own (Piyasa), keyed like the match
// row and removed with it by a trigger on Liste. A match whose odds give no view keeps an empty row, so
// that it is not looked at again. Names are cut to 20 characters. Engine failures throw StoreError. Let
// it live no longer than the transaction that may have made it.
class MarketTable {
public:
    explicit MarketTable(Database& database);

    void ensureExists();
    bool exists();

    // Replaces the match's view, creating the table first when needed.
    void put(const QString& league, const QDate& day, const QString& home, const QString& away,
             const std::optional<MarketView>& view);
    // Every kept row of the league, in no particular order; none when the table is missing.
    std::vector<KeptMarketView> leagueViews(const QString& league);
    // The league's match rows with odds kept (in Oran or Oranlar) and no row here, by day.
    std::vector<KeptMarketView> matchesWithoutView(const QString& league);

private:
    Database& database_;
    TableBeside table_;
    std::optional<QSqlQuery> put_;
};

} // namespace vezal
