#include "store/BoundStatement.h"

#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>

namespace vezal {

namespace {

[[noreturn]] void fail(const QSqlQuery& query, const Database& database, const char* what) {
    throw engineError(QString::fromUtf8(what).arg(QDir::toNativeSeparators(database.filePath())),
                      query.lastError());
}

} // namespace

QSqlQuery prepareStatement(const Database& database, const char* statement, const char* what) {
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromLatin1(statement)))
        fail(query, database, what);
    return query;
}

void runPrepared(QSqlQuery& query, const Database& database, const char* what) {
    if (!query.exec())
        fail(query, database, what);
}

QSqlQuery runBound(const Database& database, const char* statement, Bindings bindings, const char* what) {
    QSqlQuery query = prepareStatement(database, statement, what);
    for (const auto& [placeholder, value] : bindings)
        query.bindValue(QString::fromLatin1(placeholder), value);
    runPrepared(query, database, what);
    return query;
}

void checkRowsEnd(const QSqlQuery& query, const Database& database) {
    if (query.lastError().isValid())
        fail(query, database, kCannotReadDatabase);
}

} // namespace vezal
