#pragma once

#include "rating/MatchRating.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace vezal {

class Database;

inline const QDate kSeedDate{2008, 1, 1};   // every team seed row
inline const QDate kCutOffDate{2008, 1, 2}; // the first day a match may have

enum class HistorySide { Both, Home, Away };

// A team's ratings at the end of a day on which it played: the home rating and the away rating that
// homeRatingBefore and awayRatingBefore give for the next day.
struct RatingStep {
    QDate day;
    double home = 0;
    double away = 0;
};

// How a returned query is read: a grid model needs to scroll; reading once from first to last row is
// cheaper forward only (no row is kept after it is passed).
enum class Traversal { Scrollable, ForwardOnly };

// Every statement and row operation the program sends to the table Liste. Names are cut to the 20
// characters the table keeps, in what is stored and in what looks rows up. Engine failures throw
// StoreError with the engine's message.
//
// The query-returning operations hand back an executed, scrollable query, ready for a grid model
// (QSqlQueryModel::setQuery) or for reading row by row. Their column names are those of the statements:
// home table Etkm, oy, Gol, ygol, Toplam; away table Mtkm, oy, Gol, ygol, Toplam; histories Tarih, Etkm,
// Ea, Mtkm, Ey; shown rows Sr, Tarih, Etkm, Ea, Mtkm, Ey. Dates come back as yyyy-MM-dd text.
//
// The table keeps prepared statements on the database's connection: destroy it before the Database.
class MatchTable {
public:
    explicit MatchTable(Database& database);

    Database& database() const { return database_; }

    // Steps a query this table handed out: false after its last row. A row the engine cannot read (a
    // damaged page) is not the end of the rows: it throws StoreError with the engine's message, so that
    // a partial listing never passes for a whole one.
    bool nextRow(QSqlQuery& query) const;

    // Appends; return the new row's Sr.
    qint64 appendSeedRow(const QString& league, const QString& team, double startingPoints);
    qint64 appendMatchRow(const QString& league, const QDate& day, const QString& home, const QString& away,
                          int homeGoals, int awayGoals, const RatingTransfer& transfer);

    // Ratings over every league and both row kinds, strictly before the day; no row gives 0.
    double homeRatingBefore(const QString& team, const QDate& day);
    double awayRatingBefore(const QString& team, const QDate& day);

    // The team's ratings after each day it played, over every league, in day order; none without matches.
    std::vector<RatingStep> ratingHistory(const QString& team);

    // Opponent-strength sums over every league; no row gives 0.
    double homeOpponentStrength(const QString& team);
    double awayOpponentStrength(const QString& team);

    // Team list of the team list window: distinct Etkm of the league, ordered by Etkm.
    QSqlQuery teamListQuery(const QString& league, Traversal traversal = Traversal::Scrollable);
    QStringList teamList(const QString& league);
    // Team names of the league's seed rows, in the table's order (results window's team lists).
    QStringList seedTeams(const QString& league);
    // Whether the league has a seed row under exactly this team name (case matters).
    bool isRegistered(const QString& league, const QString& team);

    // Return the number of rows deleted.
    int deleteTeam(const QString& league, const QString& team);
    int deleteLeague(const QString& league);
    void deleteRow(qint64 sr);

    // The league view: standings by points, highest first; histories newest first, matches only.
    QSqlQuery homeTable(const QString& league, Traversal traversal = Traversal::Scrollable);
    QSqlQuery awayTable(const QString& league, Traversal traversal = Traversal::Scrollable);
    // The same tables over one season's days, first to last: the match rows of those days and the seed
    // rows of the teams that played in them.
    QSqlQuery homeTable(const QString& league, const QDate& first, const QDate& last,
                        Traversal traversal = Traversal::Scrollable);
    QSqlQuery awayTable(const QString& league, const QDate& first, const QDate& last,
                        Traversal traversal = Traversal::Scrollable);
    // The league's match days, each once, in day order.
    std::vector<QDate> matchDays(const QString& league);
    QSqlQuery leagueHistory(const QString& league, Traversal traversal = Traversal::Scrollable);
    QSqlQuery teamHistory(const QString& league, const QString& team, HistorySide side,
                          Traversal traversal = Traversal::Scrollable);

    // The rows the results window shows: every row when the filter date is on or before the seed
    // date, otherwise the league's rows from the filter date on; in the table's own order.
    QSqlQuery shownRows(const QString& league, const QDate& filterDate,
                        Traversal traversal = Traversal::Scrollable);
    // The first of those rows with exactly this day, home and away team.
    std::optional<qint64> findShownMatch(const QString& league, const QDate& filterDate, const QDate& day,
                                         const QString& home, const QString& away);

    // Every row in Sr order, all fifteen columns.
    QSqlQuery allRows(Traversal traversal = Traversal::Scrollable);

private:
    // Statements run on every result entry or league change, prepared once.
    enum Cached {
        AppendSeed,
        AppendMatch,
        HomeRating,
        AwayRating,
        HomeStrength,
        AwayStrength,
        FindAll,
        FindOfLeague,
        Registered,
        DeleteTeam,
        DeleteLeague,
        DeleteRow,
        CachedCount
    };
    QSqlQuery& cached(Cached which, const char* statement);
    QSqlQuery prepare(const QString& statement, Traversal traversal = Traversal::ForwardOnly);
    double sumOrZero(QSqlQuery& query);
    std::optional<qint64> firstSr(QSqlQuery& query);
    int executeDelete(QSqlQuery& query);

    Database& database_;
    std::array<std::optional<QSqlQuery>, CachedCount> cached_;
};

} // namespace vezal
