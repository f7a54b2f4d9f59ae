#pragma once

#include "store/BoundStatement.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <optional>
#include <vector>

namespace vezal {

class Database;

// Home, draw and away odds of one match, as a bookmaker's file gave them.
struct MatchOdds {
    double home = 0;
    double draw = 0;
    double away = 0;
};

// One match's kept odds with the key it is kept under (the day as yyyy-MM-dd text, as Liste holds it).
struct KeptOdds {
    QString day;
    QString home;
    QString away;
    MatchOdds odds;
};

// The odds of match rows, kept beside Liste in a table of their own (Oran), keyed like the match row by
// league, day, home and away team. Liste itself never changes shape for them: a trigger on Liste removes
// a match's odds with its row, so every delete of a row, a team or a league takes its odds along, in the
// same statement. Names are cut to 20 characters, as Liste keeps them. Engine failures throw StoreError.
//
// It remembers that the table exists once it has made it: let it live no longer than the transaction
// that may have made it, and destroy it before the Database.
class OddsTable {
public:
    explicit OddsTable(Database& database);

    // Creates the table and its trigger when missing; part of the caller's transaction when one is open.
    void ensureExists();
    bool exists();

    // Replaces the odds of the match, creating the table first when needed.
    void put(const QString& league, const QDate& day, const QString& home, const QString& away,
             const MatchOdds& odds);
    // The match's odds; none when the table or the row is missing.
    std::optional<MatchOdds> find(const QString& league, const QDate& day, const QString& home,
                                  const QString& away);

    // Every kept odds of the league, in no particular order; none when the table is missing.
    std::vector<KeptOdds> leagueOdds(const QString& league);

private:
    Database& database_;
    TableBeside table_;
    std::optional<QSqlQuery> put_;
};

} // namespace vezal
