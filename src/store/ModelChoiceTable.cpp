#include "store/ModelChoiceTable.h"

#include "common/Names.h"
#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>
#include <QVariant>

namespace vezal {

namespace {

constexpr const char* kCreate = "CREATE TABLE IF NOT EXISTS ModelAyar (\n"
                                "  Klas VARCHAR(20) NOT NULL PRIMARY KEY,\n"
                                "  Xi DOUBLE NOT NULL,\n"
                                "  GolPayi DOUBLE NOT NULL\n"
                                ")";
// A league whose last row goes loses its choice: one made again under the same name starts untuned.
constexpr const char* kCreateDeleteTrigger =
    "CREATE TRIGGER IF NOT EXISTS ListeModelAyarSil AFTER DELETE ON Liste\n"
    "WHEN NOT EXISTS (SELECT 1 FROM Liste WHERE Klas=old.Klas)\n"
    "BEGIN\n"
    "  DELETE FROM ModelAyar WHERE Klas=old.Klas;\n"
    "END";
constexpr const char* kExists = "select count(*) from sqlite_master where type='table' and name='ModelAyar'";
constexpr const char* kPut = "insert or replace into ModelAyar (Klas,Xi,GolPayi) values (:Klas,:Xi,:GolPayi)";
constexpr const char* kFind = "select Xi,GolPayi from ModelAyar where Klas=:Klas";
constexpr const char* kCannotRead = "\"%1\" veritabanı okunamıyor";
constexpr const char* kCannotWrite = "Kayıt \"%1\" veritabanına yazılamıyor";

QSqlQuery run(const Database& database, const char* statement,
              std::initializer_list<std::pair<const char*, QVariant>> bindings, const char* what) {
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    bool ok = query.prepare(QString::fromLatin1(statement));
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

} // namespace

ModelChoiceTable::ModelChoiceTable(Database& database) : database_(database) {}

bool ModelChoiceTable::exists() {
    if (known_)
        return true;
    QSqlQuery query = run(database_, kExists, {}, kCannotRead);
    known_ = query.next() && query.value(0).toLongLong() > 0;
    return known_;
}

void ModelChoiceTable::put(const QString& league, const ModelChoice& choice) {
    if (!exists()) {
        run(database_, kCreate, {}, kCannotWrite);
        run(database_, kCreateDeleteTrigger, {}, kCannotWrite);
        known_ = true;
    }
    run(database_, kPut, {{":Klas", cutName(league)}, {":Xi", choice.xi}, {":GolPayi", choice.shotsWeight}},
        kCannotWrite);
}

std::optional<ModelChoice> ModelChoiceTable::find(const QString& league) {
    if (!exists())
        return std::nullopt;
    QSqlQuery query = run(database_, kFind, {{":Klas", cutName(league)}}, kCannotRead);
    if (!query.next()) {
        if (query.lastError().isValid())
            throw engineError(
                QString::fromUtf8(kCannotRead).arg(QDir::toNativeSeparators(database_.filePath())),
                query.lastError());
        return std::nullopt;
    }
    return ModelChoice{query.value(0).toDouble(), query.value(1).toDouble()};
}

} // namespace vezal
