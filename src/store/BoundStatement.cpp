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

TableBeside::TableBeside(const Database& database, const char* count, std::vector<const char*> make)
    : database_(database), count_(count), make_(std::move(make)) {}

bool TableBeside::exists() {
    if (!known_) {
        QSqlQuery query = runBound(database_, count_, {}, kCannotReadDatabase);
        known_ = query.next() && query.value(0).toLongLong() > 0;
    }
    return known_;
}

void TableBeside::ensureExists() {
    if (exists())
        return;
    for (const char* statement : make_)
        runBound(database_, statement, {}, kCannotWriteDatabase);
    known_ = true;
}

} // namespace vezal
