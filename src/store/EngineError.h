#pragma once

#include "store/StoreError.h"
#include "store/SystemErrors.h"

#include <QSqlError>
#include <QString>

namespace vezal {

// The engine's reason for a failure, as the user is shown them: in Turkish words where they are known.
inline QString engineReason(const QSqlError& error) {
    return engineErrorText(error);
}

// "<what>: <the engine's reason>", for a StoreError.
inline StoreError engineError(const QString& what, const QSqlError& error) {
    return StoreError(what + QStringLiteral(": ") + engineReason(error));
}

} // namespace vezal
