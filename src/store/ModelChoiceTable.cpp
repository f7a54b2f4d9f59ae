#include "store/ModelChoiceTable.h"

#include "common/Names.h"
#include "store/BoundStatement.h"
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

} // namespace

ModelChoiceTable::ModelChoiceTable(Database& database)
    : database_(database), table_(database, kExists, {kCreate, kCreateDeleteTrigger}) {}

bool ModelChoiceTable::exists() {
    return table_.exists();
}

void ModelChoiceTable::put(const QString& league, const ModelChoice& choice) {
    table_.ensureExists();
    runBound(database_, kPut,
             {{":Klas", cutName(league)}, {":Xi", choice.xi}, {":GolPayi", choice.shotsWeight}},
             kCannotWriteDatabase);
}

std::optional<ModelChoice> ModelChoiceTable::find(const QString& league) {
    if (!exists())
        return std::nullopt;
    QSqlQuery query = runBound(database_, kFind, {{":Klas", cutName(league)}}, kCannotReadDatabase);
    if (!query.next()) {
        if (query.lastError().isValid())
            throw engineError(
                QString::fromUtf8(kCannotReadDatabase).arg(QDir::toNativeSeparators(database_.filePath())),
                query.lastError());
        return std::nullopt;
    }
    return ModelChoice{query.value(0).toDouble(), query.value(1).toDouble()};
}

} // namespace vezal
