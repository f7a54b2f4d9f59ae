#pragma once

#include "store/BoundStatement.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace vezal {

class Database;

// What a results file says about a match beyond its score and 1X2 odds; each figure only where the file
// gives it.
struct MatchStatistics {
    std::optional<int> homeShots, awayShots;
    std::optional<int> homeShotsOnTarget, awayShotsOnTarget;
    std::optional<int> homeCorners, awayCorners;
    std::optional<int> homeYellowCards, awayYellowCards;
    std::optional<int> homeRedCards, awayRedCards;
    std::optional<double> over25Odds, under25Odds;           // both or none
    std::optional<int> halfTimeHomeGoals, halfTimeAwayGoals; // both or none

    bool isEmpty() const;
};

// One match's kept statistics with its key (the day as yyyy-MM-dd text, as Liste holds it).
struct KeptStatistics {
    QString day;
    QString home;
    QString away;
    MatchStatistics statistics;
};

// Match statistics kept beside Liste in a table of their own (Istatistik), keyed like the match row, and
// removed with it by a trigger on Liste, as the odds are. Names are cut to 20 characters. Engine failures
// throw StoreError. Like OddsTable, let it live no longer than the transaction that may have made it.
// A table made before the half-time score was kept gains its two columns on the first write; until then
// its rows read without one.
class StatisticsTable {
public:
    explicit StatisticsTable(Database& database);

    void ensureExists();
    bool exists();

    // Replaces the match's statistics, creating the table first when needed.
    void put(const QString& league, const QDate& day, const QString& home, const QString& away,
             const MatchStatistics& statistics);
    std::optional<MatchStatistics> find(const QString& league, const QDate& day, const QString& home,
                                        const QString& away);
    // Keeps a half-time score for a match whose row holds none, leaving its other figures alone.
    void keepHalfTime(const QString& league, const QDate& day, const QString& home, const QString& away,
                      int homeGoals, int awayGoals);
    // Every kept row of the league, in no particular order; none when the table is missing.
    std::vector<KeptStatistics> leagueStatistics(const QString& league);
    // The goals before half-time and in all of the league's played matches with a kept half-time score.
    std::pair<long long, long long> halfTimeGoals(const QString& league);

private:
    bool hasHalfTime();
    QString columns();

    Database& database_;
    TableBeside table_;
    std::optional<QSqlQuery> put_;
    std::optional<bool> hasHalfTime_;
};

} // namespace vezal
