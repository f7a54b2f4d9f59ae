#include "store/IntegrityCheck.h"

#include "store/Database.h"
#include "store/EngineError.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <sqlite3.h>

namespace vezal {

namespace {

// Engine steps between two questions: a few milliseconds of work.
constexpr int kStepsPerQuestion = 20000;

int askToGoOn(void* keepGoing) {
    return (*static_cast<const std::function<bool()>*>(keepGoing))() ? 0 : 1;
}

} // namespace

std::optional<QStringList> checkIntegrity(Database& database, const std::function<bool()>& keepGoing) {
    const QVariant handle = database.connection().driver()->handle();
    sqlite3* connection = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
                              ? *static_cast<sqlite3* const*>(handle.constData())
                              : nullptr;
    bool cancelled = false;
    const std::function<bool()> ask = [&] {
        if (keepGoing && !keepGoing())
            cancelled = true;
        return !cancelled;
    };
    if (connection)
        sqlite3_progress_handler(connection, kStepsPerQuestion, askToGoOn,
                                 const_cast<std::function<bool()>*>(&ask));
    QStringList problems;
    {
        QSqlQuery query(database.connection());
        query.setForwardOnly(true);
        if (query.exec(QStringLiteral("PRAGMA integrity_check"))) {
            while (query.next()) {
                const QString line = query.value(0).toString();
                if (line != QLatin1String("ok"))
                    problems << line;
            }
        }
        if (query.lastError().isValid() && !cancelled)
            problems << engineReason(query.lastError());
    }
    if (connection)
        sqlite3_progress_handler(connection, 0, nullptr, nullptr);
    if (cancelled)
        return std::nullopt;
    return problems;
}

} // namespace vezal
