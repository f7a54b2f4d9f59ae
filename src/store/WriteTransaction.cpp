#include "store/WriteTransaction.h"

#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>
#include <QSqlQuery>

namespace vezal {

namespace {

void run(const Database& database, const char* statement, const char* what) {
    QSqlQuery query(database.connection());
    if (!query.exec(QString::fromLatin1(statement))) {
        const QSqlError error = query.lastError();
        throw engineError(QString::fromUtf8(what).arg(QDir::toNativeSeparators(database.filePath())), error);
    }
}

} // namespace

WriteTransaction::WriteTransaction(Database& database) : database_(database) {
    run(database_, "BEGIN IMMEDIATE", "Kayıt \"%1\" veritabanına yazılamıyor");
    open_ = true;
}

WriteTransaction::~WriteTransaction() {
    if (!open_)
        return;
    QSqlQuery query(database_.connection());
    query.exec(QStringLiteral("ROLLBACK"));
}

void WriteTransaction::commit() {
    // A refused commit leaves the transaction open: the destructor rolls it back.
    run(database_, "COMMIT", "Kayıt \"%1\" veritabanına yazılamıyor");
    open_ = false;
}

} // namespace vezal
