#include "store/OddsTable.h"

#include "common/Names.h"
#include "store/BoundStatement.h"
#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>
#include <QSqlQuery>
#include <QVariant>

namespace vezal {

namespace {

constexpr const char* kCreateOdds = "CREATE TABLE IF NOT EXISTS Oran (\n"
                                    "  Klas VARCHAR(20) NOT NULL,\n"
                                    "  Tarih DATE NOT NULL,\n"
                                    "  Etkm VARCHAR(20) NOT NULL,\n"
                                    "  Mtkm VARCHAR(20) NOT NULL,\n"
                                    "  Oran1 DOUBLE NOT NULL,\n"
                                    "  Oran0 DOUBLE NOT NULL,\n"
                                    "  Oran2 DOUBLE NOT NULL,\n"
                                    "  PRIMARY KEY (Klas, Tarih, Etkm, Mtkm)\n"
                                    ")";
// Seed rows never have odds; only a match row's delete needs the lookup.
constexpr const char* kCreateDeleteTrigger =
    "CREATE TRIGGER IF NOT EXISTS ListeOranSil AFTER DELETE ON Liste\n"
    "WHEN old.Tur='O'\n"
    "BEGIN\n"
    "  DELETE FROM Oran WHERE Klas=old.Klas AND Tarih=old.Tarih\n"
    "    AND Etkm=old.Etkm AND Mtkm=old.Mtkm;\n"
    "END";
constexpr const char* kOddsExist = "select count(*) from sqlite_master where type='table' and name='Oran'";
constexpr const char* kPutOdds = "insert or replace into Oran (Klas,Tarih,Etkm,Mtkm,Oran1,Oran0,Oran2)\n"
                                 "values (:Klas,:Tarih,:Etkm,:Mtkm,:Oran1,:Oran0,:Oran2)";
constexpr const char* kFindOdds = "select Oran1,Oran0,Oran2 from Oran\n"
                                  "where Klas=:Klas and Tarih=:Tarih and Etkm=:Etkm and Mtkm=:Mtkm";
constexpr const char* kLeagueOdds = "select Tarih,Etkm,Mtkm,Oran1,Oran0,Oran2 from Oran where Klas=:Klas";

QSqlQuery run(const Database& database, const QString& statement,
              std::initializer_list<std::pair<const char*, QVariant>> bindings, const char* what) {
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    bool ok = query.prepare(statement);
    if (ok) {
        for (const auto& [placeholder, value] : bindings)
            query.bindValue(QString::fromLatin1(placeholder), value);
        ok = query.exec();
    }
    if (!ok)
        throw engineError(QString::fromUtf8(what).arg(QDir::toNativeSeparators(database.filePath())),
                          query.lastError());
    return query;
}

QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

OddsTable::OddsTable(Database& database)
    : database_(database), table_(database, kOddsExist, {kCreateOdds, kCreateDeleteTrigger}) {}

bool OddsTable::exists() {
    return table_.exists();
}

void OddsTable::ensureExists() {
    table_.ensureExists();
}

void OddsTable::put(const QString& league, const QDate& day, const QString& home, const QString& away,
                    const MatchOdds& odds) {
    ensureExists();
    if (!put_) {
        put_.emplace(database_.connection());
        if (!put_->prepare(QString::fromLatin1(kPutOdds)))
            throw engineError(
                QString::fromUtf8(kCannotWriteDatabase).arg(QDir::toNativeSeparators(database_.filePath())),
                put_->lastError());
    }
    QSqlQuery& query = *put_;
    query.bindValue(QStringLiteral(":Klas"), cutName(league));
    query.bindValue(QStringLiteral(":Tarih"), isoDay(day));
    query.bindValue(QStringLiteral(":Etkm"), cutName(home));
    query.bindValue(QStringLiteral(":Mtkm"), cutName(away));
    query.bindValue(QStringLiteral(":Oran1"), odds.home);
    query.bindValue(QStringLiteral(":Oran0"), odds.draw);
    query.bindValue(QStringLiteral(":Oran2"), odds.away);
    if (!query.exec())
        throw engineError(
            QString::fromUtf8(kCannotWriteDatabase).arg(QDir::toNativeSeparators(database_.filePath())),
            query.lastError());
    query.finish();
}

std::optional<MatchOdds> OddsTable::find(const QString& league, const QDate& day, const QString& home,
                                         const QString& away) {
    if (!exists())
        return std::nullopt;
    QSqlQuery query = run(database_, QString::fromLatin1(kFindOdds),
                          {{":Klas", cutName(league)},
                           {":Tarih", isoDay(day)},
                           {":Etkm", cutName(home)},
                           {":Mtkm", cutName(away)}},
                          kCannotReadDatabase);
    if (!query.next()) {
        // No row is no odds; an engine error is not.
        if (query.lastError().isValid())
            throw engineError(
                QString::fromUtf8(kCannotReadDatabase).arg(QDir::toNativeSeparators(database_.filePath())),
                query.lastError());
        return std::nullopt;
    }
    return MatchOdds{query.value(0).toDouble(), query.value(1).toDouble(), query.value(2).toDouble()};
}

std::vector<KeptOdds> OddsTable::leagueOdds(const QString& league) {
    std::vector<KeptOdds> kept;
    if (!exists())
        return kept;
    QSqlQuery query =
        run(database_, QString::fromLatin1(kLeagueOdds), {{":Klas", cutName(league)}}, kCannotReadDatabase);
    while (query.next())
        kept.push_back({query.value(0).toString(),
                        query.value(1).toString(),
                        query.value(2).toString(),
                        {query.value(3).toDouble(), query.value(4).toDouble(), query.value(5).toDouble()}});
    if (query.lastError().isValid())
        throw engineError(
            QString::fromUtf8(kCannotReadDatabase).arg(QDir::toNativeSeparators(database_.filePath())),
            query.lastError());
    return kept;
}

} // namespace vezal
