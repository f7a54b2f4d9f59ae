#pragma once

#include "store/Messages.h"
#include "store/StoreError.h"

#include <QSqlError>
#include <QString>

namespace vezal {

// The engine's own words for a failure, as the user is shown them.
inline QString engineReason(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("bilinmeyen veritabanı hatası");
    // SQLITE_FULL: said in the program's words, the engine's after them.
    if (error.nativeErrorCode() == QLatin1String("13"))
        text = QString::fromUtf16(messages::kDiskFull) + QStringLiteral(" (") + text + QLatin1Char(')');
    // SQLITE_READONLY: a file opened for reading, or one that went read-only under the program.
    if (error.nativeErrorCode() == QLatin1String("8"))
        text =
            QString::fromUtf16(messages::kDatabaseReadOnly) + QStringLiteral(" (") + text + QLatin1Char(')');
    return text;
}

// "<what>: <the engine's reason>", for a StoreError.
inline StoreError engineError(const QString& what, const QSqlError& error) {
    return StoreError(what + QStringLiteral(": ") + engineReason(error));
}

} // namespace vezal
