#include "store/BoundStatement.h"

#include "store/Database.h"
#include "store/EngineError.h"

#include <QDir>

namespace vezal {

QSqlQuery runBound(const Database& database, const char* statement, Bindings bindings, const char* what) {
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

} // namespace vezal
