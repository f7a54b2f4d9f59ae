#pragma once

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
    return text;
}

// "<what>: <the engine's reason>", for a StoreError.
inline StoreError engineError(const QString& what, const QSqlError& error) {
    return StoreError(what + QStringLiteral(": ") + engineReason(error));
}

} // namespace vezal
