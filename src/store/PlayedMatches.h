#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace vezal {

class Database;

// One match row of Liste (Tur 'O'): its day, teams and goals.
struct PlayedMatchRow {
    QDate day;
    QString home;
    QString away;
    int homeGoals = 0;
    int awayGoals = 0;
};

// The league's match rows, oldest day first, read once from first to last. The league name is cut as
// the table keeps it. Engine failures, during the reading too, throw StoreError.
std::vector<PlayedMatchRow> leagueMatchRows(Database& database, const QString& league);

// The teams registered in the league (its seed rows), in the table's order and spelling.
QStringList registeredTeams(const Database& database, const QString& league);

} // namespace vezal
