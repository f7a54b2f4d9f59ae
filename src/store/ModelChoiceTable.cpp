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
                                "  GolPayi DOUBLE NOT NULL,\n"
                                "  PiyasaPayi DOUBLE,\n"
                                "  PiyasaXi DOUBLE,\n"
                                "  HavuzPayi DOUBLE\n"
                                ")";
// The columns a table made by an earlier version lacks, added in this order.
constexpr const char* kMarketColumns[] = {"PiyasaPayi", "PiyasaXi", "HavuzPayi"};
constexpr const char* kHasColumn = "select count(*) from pragma_table_info('ModelAyar') where name=:name";
// A league whose last row goes loses its choice: one made again under the same name starts untuned.
constexpr const char* kCreateDeleteTrigger =
    "CREATE TRIGGER IF NOT EXISTS ListeModelAyarSil AFTER DELETE ON Liste\n"
    "WHEN NOT EXISTS (SELECT 1 FROM Liste WHERE Klas=old.Klas)\n"
    "BEGIN\n"
    "  DELETE FROM ModelAyar WHERE Klas=old.Klas;\n"
    "END";
constexpr const char* kExists = "select count(*) from sqlite_master where type='table' and name='ModelAyar'";
constexpr const char* kPut =
    "insert or replace into ModelAyar (Klas,Xi,GolPayi,PiyasaPayi,PiyasaXi,HavuzPayi)\n"
    "values (:Klas,:Xi,:GolPayi,:PiyasaPayi,:PiyasaXi,:HavuzPayi)";
constexpr const char* kFind = "select Xi,GolPayi from ModelAyar where Klas=:Klas";
constexpr const char* kFindAll =
    "select Xi,GolPayi,PiyasaPayi,PiyasaXi,HavuzPayi from ModelAyar where Klas=:Klas";

QVariant orNull(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

std::optional<double> realAt(const QSqlQuery& query, int column) {
    const QVariant value = query.value(column);
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

} // namespace

ModelChoiceTable::ModelChoiceTable(Database& database)
    : database_(database), table_(database, kExists, {kCreate, kCreateDeleteTrigger}) {}

bool ModelChoiceTable::exists() {
    return table_.exists();
}

bool ModelChoiceTable::hasMarketColumns() {
    if (!hasMarketColumns_) {
        QSqlQuery query = runBound(database_, kHasColumn, {{":name", QString::fromLatin1(kMarketColumns[2])}},
                                   kCannotReadDatabase);
        hasMarketColumns_ = query.next() && query.value(0).toLongLong() > 0;
        checkRowsEnd(query, database_);
    }
    return *hasMarketColumns_;
}

void ModelChoiceTable::put(const QString& league, const ModelChoice& choice) {
    table_.ensureExists();
    if (!hasMarketColumns()) {
        for (const char* column : kMarketColumns) {
            QSqlQuery has = runBound(database_, kHasColumn, {{":name", QString::fromLatin1(column)}},
                                     kCannotReadDatabase);
            if (has.next() && has.value(0).toLongLong() > 0)
                continue;
            has.finish();
            const QByteArray alter = QByteArray("ALTER TABLE ModelAyar ADD COLUMN ") + column + " DOUBLE";
            runBound(database_, alter.constData(), {}, kCannotWriteDatabase);
        }
        hasMarketColumns_ = true;
    }
    runBound(database_, kPut,
             {{":Klas", cutName(league)},
              {":Xi", choice.xi},
              {":GolPayi", choice.shotsWeight},
              {":PiyasaPayi", orNull(choice.marketWeight)},
              {":PiyasaXi", orNull(choice.marketXi)},
              {":HavuzPayi", orNull(choice.poolWeight)}},
             kCannotWriteDatabase);
}

std::optional<ModelChoice> ModelChoiceTable::find(const QString& league) {
    if (!exists())
        return std::nullopt;
    const bool market = hasMarketColumns();
    QSqlQuery query =
        runBound(database_, market ? kFindAll : kFind, {{":Klas", cutName(league)}}, kCannotReadDatabase);
    if (!query.next()) {
        checkRowsEnd(query, database_);
        return std::nullopt;
    }
    ModelChoice choice{query.value(0).toDouble(), query.value(1).toDouble()};
    if (market) {
        choice.marketWeight = realAt(query, 2);
        choice.marketXi = realAt(query, 3);
        choice.poolWeight = realAt(query, 4);
    }
    return choice;
}

} // namespace vezal
