#include "store/WriteTransaction.h"

#include "store/Database.h"
#include "store/EngineError.h"
#include "store/StoreError.h"

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

constexpr const char* kCannotWrite = "Kayıt \"%1\" veritabanına yazılamıyor";

} // namespace

WriteTransaction::WriteTransaction(Database& database)
    : database_(database), nested_(database.inTransaction()) {
    const QString what = QString::fromUtf8(kCannotWrite).arg(QDir::toNativeSeparators(database_.filePath()));
    if (database_.readOnly())
        throw StoreError(what + QStringLiteral(": ") + *database_.readOnly());
    // Whatever is written on a damaged file may rest on rows the damage hid or changed.
    if (database_.damage())
        throw StoreError(*database_.damage());
    QSqlQuery query(database_.connection());
    const bool begun = query.exec(QString::fromLatin1(nested_ ? "SAVEPOINT vezal_write" : "BEGIN IMMEDIATE"));
    const std::optional<QString> givenUp = database_.endWait();
    if (!begun && givenUp)
        throw StoreError(what + QStringLiteral(": ") + *givenUp);
    if (!begun)
        throw engineError(what, query.lastError());
    open_ = true;
}

WriteTransaction::~WriteTransaction() {
    if (!open_)
        return;
    QSqlQuery query(database_.connection());
    if (nested_) {
        query.exec(QStringLiteral("ROLLBACK TO vezal_write"));
        query.exec(QStringLiteral("RELEASE vezal_write"));
    } else {
        query.exec(QStringLiteral("ROLLBACK"));
    }
}

void WriteTransaction::commit() {
    // A refused commit leaves the transaction open: the destructor rolls it back.
    run(database_, nested_ ? "RELEASE vezal_write" : "COMMIT", kCannotWrite);
    open_ = false;
}

} // namespace vezal
