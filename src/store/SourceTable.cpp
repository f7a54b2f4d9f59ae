#include "store/SourceTable.h"

#include "common/Names.h"
#include "store/BoundStatement.h"
#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace vezal {

namespace {

constexpr const char* kCreate = "CREATE TABLE IF NOT EXISTS Kaynak (\n"
                                "  Klas TEXT NOT NULL PRIMARY KEY,\n"
                                "  Kod TEXT NOT NULL,\n"
                                "  Adres TEXT NOT NULL\n"
                                ")";
constexpr const char* kExists = "select count(*) from sqlite_master where type='table' and name='Kaynak'";
constexpr const char* kPut = "insert or replace into Kaynak (Klas,Kod,Adres) values (:Klas,:Kod,:Adres)";
constexpr const char* kRemove = "delete from Kaynak where Klas=:Klas";
constexpr const char* kFind = "select Klas,Kod,Adres from Kaynak where Klas=:Klas";
constexpr const char* kAll = "select Klas,Kod,Adres from Kaynak";

// Every row of an executed query; its end told from an engine error.
std::vector<LeagueSource> rowsOf(QSqlQuery& query, const Database& database) {
    std::vector<LeagueSource> rows;
    while (query.next())
        rows.push_back({query.value(0).toString(), query.value(1).toString(), query.value(2).toString()});
    if (query.lastError().isValid())
        throw engineError(
            QString::fromUtf8(kCannotReadDatabase).arg(QDir::toNativeSeparators(database.filePath())),
            query.lastError());
    return rows;
}

} // namespace

SourceTable::SourceTable(Database& database) : database_(database), table_(database, kExists, {kCreate}) {}

bool SourceTable::exists() {
    return table_.exists();
}

void SourceTable::ensureExists() {
    table_.ensureExists();
}

void SourceTable::put(const LeagueSource& source) {
    if (source.code.isEmpty() && source.address.isEmpty()) {
        remove(source.league);
        return;
    }
    ensureExists();
    // A null text would be bound as NULL.
    const auto notNull = [](const QString& text) {
        return text.isNull() ? QStringLiteral("") : text;
    };
    runBound(database_, kPut,
             {{":Klas", source.league}, {":Kod", notNull(source.code)}, {":Adres", notNull(source.address)}},
             kCannotWriteDatabase);
}

void SourceTable::remove(const QString& league) {
    if (exists())
        runBound(database_, kRemove, {{":Klas", league}}, kCannotWriteDatabase);
}

std::optional<LeagueSource> SourceTable::find(const QString& league) {
    if (!exists())
        return std::nullopt;
    QSqlQuery query = runBound(database_, kFind, {{":Klas", league}}, kCannotReadDatabase);
    std::vector<LeagueSource> rows = rowsOf(query, database_);
    if (rows.empty())
        return std::nullopt;
    return rows.front();
}

std::vector<LeagueSource> SourceTable::all() {
    if (!exists())
        return {};
    QSqlQuery query = runBound(database_, kAll, {}, kCannotReadDatabase);
    std::vector<LeagueSource> rows = rowsOf(query, database_);
    std::sort(rows.begin(), rows.end(),
              [](const LeagueSource& a, const LeagueSource& b) { return lessNoCase(a.league, b.league); });
    return rows;
}

} // namespace vezal
