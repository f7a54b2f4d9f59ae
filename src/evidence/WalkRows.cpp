#include "evidence/TrackRecord.h"

#include "common/Names.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Statements.h"

#include <QDir>
#include <QSet>
#include <QSqlQuery>

namespace vezal {

namespace {

QString cannotRead(const Database& database) {
    return QStringLiteral("\"%1\" veritabanı okunamıyor").arg(QDir::toNativeSeparators(database.filePath()));
}

QSqlQuery prepared(Database& database, const char* statement) {
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromLatin1(statement)))
        throw engineError(cannotRead(database), query.lastError());
    return query;
}

void execute(QSqlQuery& query, const Database& database) {
    if (!query.exec())
        throw engineError(cannotRead(database), query.lastError());
}

// The end of the rows, told from an engine error.
void finish(QSqlQuery& query, const Database& database) {
    if (query.lastError().isValid())
        throw engineError(cannotRead(database), query.lastError());
    query.finish();
}

std::optional<int> optionalInt(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    return value.toInt();
}

std::optional<double> optionalReal(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    return value.toDouble();
}

void readStrengths(Database& database, QSqlQuery& query, const QString& placeholder,
                   const QSet<QString>& teams, const QString& last,
                   QHash<QString, std::vector<StrengthRow>>& strengths) {
    for (const QString& team : teams) {
        query.bindValue(placeholder, team);
        query.bindValue(QStringLiteral(":Trh"), last);
        execute(query, database);
        std::vector<StrengthRow>& rows = strengths[team];
        while (query.next())
            rows.push_back({query.value(0).toString(), query.value(1).toDouble()});
        finish(query, database);
    }
}

} // namespace

WalkRows readWalkRows(Database& database, const QString& league, const QDate& to) {
    const QString last =
        to.isValid() ? to.toString(QStringLiteral("yyyy-MM-dd")) : QStringLiteral("9999-12-31");
    WalkRows rows;
    rows.league = cutName(league);

    QSet<QString> homeTeams, awayTeams;
    QSqlQuery query = prepared(database, sql::kLeagueRowsUpTo);
    query.bindValue(QStringLiteral(":Klas"), rows.league);
    query.bindValue(QStringLiteral(":Trh"), last);
    execute(query, database);
    while (query.next()) {
        LeagueRow row;
        row.sr = query.value(0).toLongLong();
        row.day = query.value(1).toString();
        row.home = query.value(2).toString();
        row.away = query.value(3).toString();
        row.games = optionalInt(query.value(4));
        row.homeFor = optionalInt(query.value(5));
        row.homeAgainst = optionalInt(query.value(6));
        row.awayFor = optionalInt(query.value(7));
        row.awayAgainst = optionalInt(query.value(8));
        row.homePoints = optionalReal(query.value(9));
        row.awayPoints = optionalReal(query.value(10));
        homeTeams.insert(row.home);
        awayTeams.insert(row.away);
        rows.leagueRows.push_back(std::move(row));
    }
    finish(query, database);

    QSqlQuery home = prepared(database, sql::kHomeStrengthRowsUpTo);
    readStrengths(database, home, QStringLiteral(":ev"), homeTeams, last, rows.homeStrengths);
    QSqlQuery away = prepared(database, sql::kAwayStrengthRowsUpTo);
    readStrengths(database, away, QStringLiteral(":mis"), awayTeams, last, rows.awayStrengths);

    rows.odds = OddsTable(database).leagueOdds(rows.league);
    rows.statistics = StatisticsTable(database).leagueStatistics(rows.league);
    rows.quotes = QuoteTable(database).leagueQuotes(rows.league);
    rows.market = MarketTable(database).leagueViews(rows.league);
    return rows;
}

} // namespace vezal
