#include "store/PlayedMatches.h"

#include "common/Names.h"
#include "store/BoundStatement.h"
#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>
#include <QSqlQuery>
#include <QVariant>

namespace vezal {

namespace {

constexpr const char* kLeagueMatches = "select Tarih,Etkm,Mtkm,Ea,Ey from Liste\n"
                                       "where Klas=:Klas and Tur='O'\n"
                                       "order by Tarih,Sr";
constexpr const char* kLeagueTeams = "select Etkm from Liste where Tur='A' and Klas=:Klas order by Sr";

} // namespace

std::vector<PlayedMatchRow> leagueMatchRows(Database& database, const QString& league) {
    const auto fail = [&](const QSqlQuery& query) {
        return engineError(
            QString::fromUtf8(kCannotReadDatabase).arg(QDir::toNativeSeparators(database.filePath())),
            query.lastError());
    };
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromLatin1(kLeagueMatches)))
        throw fail(query);
    query.bindValue(QStringLiteral(":Klas"), cutName(league));
    if (!query.exec())
        throw fail(query);
    std::vector<PlayedMatchRow> rows;
    while (query.next())
        rows.push_back({QDate::fromString(query.value(0).toString(), Qt::ISODate), query.value(1).toString(),
                        query.value(2).toString(), query.value(3).toInt(), query.value(4).toInt()});
    // next() is false at the end of the rows and on an engine error alike.
    if (query.lastError().isValid())
        throw fail(query);
    return rows;
}

QStringList registeredTeams(const Database& database, const QString& league) {
    QSqlQuery query = runBound(database, kLeagueTeams, {{":Klas", cutName(league)}}, kCannotReadDatabase);
    QStringList teams;
    while (query.next())
        teams << query.value(0).toString();
    checkRowsEnd(query, database);
    return teams;
}

} // namespace vezal
