#include "store/MatchTable.h"

#include "common/Names.h"
#include "store/BoundStatement.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Statements.h"

#include <QDir>
#include <QVariant>
#include <initializer_list>
#include <utility>

namespace vezal {

namespace {

using Bindings = std::initializer_list<std::pair<const char*, QVariant>>;

// Dates are stored as ISO text, so that text order is day order.
QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

QVariant name(const QString& text) {
    return cutName(text);
}

void bind(QSqlQuery& query, Bindings bindings) {
    for (const auto& [placeholder, value] : bindings)
        query.bindValue(QString::fromLatin1(placeholder), value);
}

// Runs a prepared statement; a failure carries the engine's words and what was being done.
void execute(QSqlQuery& query, const Database& database, const char* what) {
    if (!query.exec()) {
        const QString path = QDir::toNativeSeparators(database.filePath());
        const QSqlError error = query.lastError();
        query.finish();
        throw engineError(QString::fromUtf8(what).arg(path), error);
    }
}

constexpr const char* kCannotWrite = "Kayıt \"%1\" veritabanına yazılamıyor";
constexpr const char* kCannotDelete = "Kayıt \"%1\" veritabanından silinemiyor";

// Binds and runs a freshly prepared select, handed back ready to read.
QSqlQuery select(QSqlQuery query, const Database& database, Bindings bindings) {
    bind(query, bindings);
    execute(query, database, kCannotReadDatabase);
    return query;
}

} // namespace

MatchTable::MatchTable(Database& database) : database_(database) {}

QSqlQuery MatchTable::prepare(const QString& statement, Traversal traversal) {
    QSqlQuery query(database_.connection());
    query.setForwardOnly(traversal == Traversal::ForwardOnly);
    if (!query.prepare(statement))
        throw engineError(
            QString::fromUtf8(kCannotReadDatabase).arg(QDir::toNativeSeparators(database_.filePath())),
            query.lastError());
    return query;
}

QSqlQuery& MatchTable::cached(Cached which, const char* statement) {
    auto& slot = cached_[which];
    if (!slot)
        slot = prepare(QString::fromLatin1(statement));
    return *slot;
}

bool MatchTable::nextRow(QSqlQuery& query) const {
    if (query.next())
        return true;
    if (query.lastError().isValid()) {
        const QSqlError error = query.lastError();
        query.finish();
        throw engineError(
            QString::fromUtf8(kCannotReadDatabase).arg(QDir::toNativeSeparators(database_.filePath())),
            error);
    }
    return false;
}

double MatchTable::sumOrZero(QSqlQuery& query) {
    execute(query, database_, kCannotReadDatabase);
    double sum = 0;
    if (nextRow(query))
        sum = query.value(1).toDouble(); // null (no value to sum) reads as 0
    query.finish();
    return sum;
}

std::optional<qint64> MatchTable::firstSr(QSqlQuery& query) {
    execute(query, database_, kCannotReadDatabase);
    std::optional<qint64> sr;
    if (nextRow(query))
        sr = query.value(0).toLongLong();
    query.finish();
    return sr;
}

int MatchTable::executeDelete(QSqlQuery& query) {
    execute(query, database_, kCannotDelete);
    const int count = query.numRowsAffected();
    query.finish();
    return count;
}

qint64 MatchTable::appendSeedRow(const QString& league, const QString& team, double startingPoints) {
    const SeedSplit split = splitStartingPoints(startingPoints);
    QSqlQuery& query = cached(AppendSeed, sql::kAppendSeedRow);
    bind(query, {{":Klas", name(league)},
                 {":Tarih", isoDay(kSeedDate)},
                 {":Etkm", name(team)},
                 {":Mtkm", name(team)},
                 {":Etp", split.etp},
                 {":Mtp", split.mtp}});
    execute(query, database_, kCannotWrite);
    const qint64 sr = query.lastInsertId().toLongLong();
    query.finish();
    return sr;
}

qint64 MatchTable::appendMatchRow(const QString& league, const QDate& day, const QString& home,
                                  const QString& away, int homeGoals, int awayGoals,
                                  const RatingTransfer& transfer) {
    QSqlQuery& query = cached(AppendMatch, sql::kAppendMatchRow);
    bind(query, {{":Klas", name(league)},
                 {":Tarih", isoDay(day)},
                 {":Etkm", name(home)},
                 {":Mtkm", name(away)},
                 {":Ea", homeGoals},
                 {":Ey", awayGoals},
                 {":Ma", awayGoals},
                 {":My", homeGoals},
                 {":Etp", transfer.etp},
                 {":Mtp", transfer.mtp},
                 {":Erakip", transfer.erakip},
                 {":Mrakip", transfer.mrakip}});
    execute(query, database_, kCannotWrite);
    const qint64 sr = query.lastInsertId().toLongLong();
    query.finish();
    return sr;
}

double MatchTable::homeRatingBefore(const QString& team, const QDate& day) {
    QSqlQuery& query = cached(HomeRating, sql::kHomeRatingBefore);
    bind(query, {{":Trh1", isoDay(day)}, {":Etkm1", name(team)}});
    return sumOrZero(query);
}

double MatchTable::awayRatingBefore(const QString& team, const QDate& day) {
    QSqlQuery& query = cached(AwayRating, sql::kAwayRatingBefore);
    bind(query, {{":Trh2", isoDay(day)}, {":Mtkm1", name(team)}});
    return sumOrZero(query);
}

std::vector<RatingStep> MatchTable::ratingHistory(const QString& team) {
    QSqlQuery query = select(prepare(QString::fromLatin1(sql::kTeamRatingRows)), database_,
                             {{":ev", name(team)}, {":mis", name(team)}});
    std::vector<RatingStep> steps;
    double home = 0;
    double away = 0;
    QString day;
    bool played = false; // whether the team had a match on that day, not only its seed row
    const auto closeDay = [&] {
        if (played)
            steps.push_back({QDate::fromString(day, Qt::ISODate), home, away});
    };
    while (nextRow(query)) {
        const QString rowDay = query.value(0).toString();
        if (rowDay != day) {
            closeDay();
            day = rowDay;
            played = false;
        }
        played = played || query.value(1).toString() != QLatin1String("A");
        home += query.value(2).toDouble(); // null reads as 0, as the sums skip it
        away += query.value(3).toDouble();
    }
    closeDay();
    return steps;
}

double MatchTable::homeOpponentStrength(const QString& team) {
    QSqlQuery& query = cached(HomeStrength, sql::kHomeOpponentStrength);
    bind(query, {{":ev", name(team)}});
    return sumOrZero(query);
}

double MatchTable::awayOpponentStrength(const QString& team) {
    QSqlQuery& query = cached(AwayStrength, sql::kAwayOpponentStrength);
    bind(query, {{":mis", name(team)}});
    return sumOrZero(query);
}

QSqlQuery MatchTable::teamListQuery(const QString& league, Traversal traversal) {
    return select(prepare(QString::fromLatin1(sql::kTeamList), traversal), database_,
                  {{":klasman", name(league)}});
}

QStringList MatchTable::teamList(const QString& league) {
    QSqlQuery query = teamListQuery(league, Traversal::ForwardOnly);
    QStringList teams;
    while (nextRow(query))
        teams << query.value(0).toString();
    return teams;
}

QStringList MatchTable::seedTeams(const QString& league) {
    QSqlQuery query =
        select(prepare(QString::fromLatin1(sql::kSeedTeams)), database_, {{":Klas1", name(league)}});
    QStringList teams;
    while (nextRow(query))
        teams << query.value(1).toString();
    return teams;
}

bool MatchTable::isRegistered(const QString& league, const QString& team) {
    QSqlQuery& query = cached(Registered, sql::kIsRegistered);
    bind(query, {{":Etkm", name(team)}, {":Tarih", isoDay(kSeedDate)}, {":Klas", name(league)}});
    return firstSr(query).has_value();
}

int MatchTable::deleteTeam(const QString& league, const QString& team) {
    QSqlQuery& query = cached(DeleteTeam, sql::kDeleteTeam);
    bind(query, {{":klasman", name(league)}, {":ev", name(team)}, {":mis", name(team)}});
    return executeDelete(query);
}

int MatchTable::deleteLeague(const QString& league) {
    QSqlQuery& query = cached(DeleteLeague, sql::kDeleteLeague);
    bind(query, {{":klasman", name(league)}});
    return executeDelete(query);
}

void MatchTable::deleteRow(qint64 sr) {
    QSqlQuery& query = cached(DeleteRow, sql::kDeleteRow);
    bind(query, {{":Sr", sr}});
    executeDelete(query);
}

QSqlQuery MatchTable::homeTable(const QString& league, Traversal traversal) {
    return select(prepare(QString::fromLatin1(sql::kHomeTable), traversal), database_,
                  {{":klasman", name(league)}});
}

QSqlQuery MatchTable::awayTable(const QString& league, Traversal traversal) {
    return select(prepare(QString::fromLatin1(sql::kAwayTable), traversal), database_,
                  {{":klasman", name(league)}});
}

QSqlQuery MatchTable::homeTable(const QString& league, const QDate& first, const QDate& last,
                                Traversal traversal) {
    return select(prepare(QString::fromLatin1(sql::kHomeTableOfSeason), traversal), database_,
                  {{":klasman", name(league)},
                   {":ilk", isoDay(first)},
                   {":son", isoDay(last)},
                   {":tohum", isoDay(kSeedDate)}});
}

QSqlQuery MatchTable::awayTable(const QString& league, const QDate& first, const QDate& last,
                                Traversal traversal) {
    return select(prepare(QString::fromLatin1(sql::kAwayTableOfSeason), traversal), database_,
                  {{":klasman", name(league)},
                   {":ilk", isoDay(first)},
                   {":son", isoDay(last)},
                   {":tohum", isoDay(kSeedDate)}});
}

std::vector<QDate> MatchTable::matchDays(const QString& league) {
    QSqlQuery query = select(prepare(QString::fromLatin1(sql::kMatchDays)), database_,
                             {{":klasman", name(league)}, {":trh", isoDay(kCutOffDate)}});
    std::vector<QDate> days;
    while (nextRow(query))
        days.push_back(QDate::fromString(query.value(0).toString(), Qt::ISODate));
    return days;
}

QSqlQuery MatchTable::leagueHistory(const QString& league, Traversal traversal) {
    return select(prepare(QString::fromLatin1(sql::kLeagueHistory), traversal), database_,
                  {{":klasman", name(league)}, {":trh", isoDay(kCutOffDate)}});
}

QSqlQuery MatchTable::teamHistory(const QString& league, const QString& team, HistorySide side,
                                  Traversal traversal) {
    const char* statement = side == HistorySide::Home   ? sql::kTeamHistoryHome
                            : side == HistorySide::Away ? sql::kTeamHistoryAway
                                                        : sql::kTeamHistoryBoth;
    QSqlQuery query = prepare(QString::fromLatin1(statement), traversal);
    bind(query, {{":klasman", name(league)}, {":trh", isoDay(kCutOffDate)}});
    if (side != HistorySide::Away)
        query.bindValue(QStringLiteral(":ev"), name(team));
    if (side != HistorySide::Home)
        query.bindValue(QStringLiteral(":mis"), name(team));
    execute(query, database_, kCannotReadDatabase);
    return query;
}

namespace {
// On or before the seed date the results window's filter lets every row through.
bool showsEveryRow(const QDate& filterDate) {
    return !filterDate.isValid() || filterDate <= kSeedDate;
}
} // namespace

QSqlQuery MatchTable::shownRows(const QString& league, const QDate& filterDate, Traversal traversal) {
    if (showsEveryRow(filterDate))
        return select(prepare(QString::fromLatin1(sql::kShownRowsAll), traversal), database_, {});
    return select(prepare(QString::fromLatin1(sql::kShownRowsOfLeague), traversal), database_,
                  {{":Klas", name(league)}, {":Trh", isoDay(filterDate)}});
}

std::optional<qint64> MatchTable::findShownMatch(const QString& league, const QDate& filterDate,
                                                 const QDate& day, const QString& home, const QString& away) {
    if (showsEveryRow(filterDate)) {
        QSqlQuery& query = cached(FindAll, sql::kFindShownMatchAll);
        bind(query, {{":Tarih", isoDay(day)}, {":Etkm", name(home)}, {":Mtkm", name(away)}});
        return firstSr(query);
    }
    if (day < filterDate)
        return std::nullopt;
    QSqlQuery& query = cached(FindOfLeague, sql::kFindShownMatchOfLeague);
    bind(query,
         {{":Klas", name(league)}, {":Tarih", isoDay(day)}, {":Etkm", name(home)}, {":Mtkm", name(away)}});
    return firstSr(query);
}

QSqlQuery MatchTable::allRows(Traversal traversal) {
    return select(prepare(QString::fromLatin1(sql::kAllRows), traversal), database_, {});
}

} // namespace vezal
