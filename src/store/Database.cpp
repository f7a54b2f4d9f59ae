#include "store/Database.h"

#include "store/EngineError.h"
#include "store/Statements.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <filesystem>
#include <system_error>

namespace vezal {

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

// Made with the standard library, which, unlike QDir::mkpath, tells why a folder cannot be made.
void makeFolder(const QString& folder) {
    std::error_code error;
    const std::filesystem::path path(folder.toStdU16String());
    if (std::filesystem::is_directory(path, error))
        return;
    std::filesystem::create_directories(path, error);
    if (!error && std::filesystem::is_directory(path))
        return;
    const QString reason =
        error ? QString::fromLocal8Bit(error.message()) : QStringLiteral("aynı adda bir dosya var");
    throw StoreError(QStringLiteral("%1 veritabanı klasörü oluşturulamıyor: %2").arg(quoted(folder), reason));
}

} // namespace

Database::Database(const QString& programFolder, const QString& connectionName)
    : programFolder_(programFolder), filePath_(programFolder + QStringLiteral("/Fvt/Liste.DB")),
      connectionName_(connectionName) {
    const QString cannotOpen = QStringLiteral("%1 veritabanı açılamıyor").arg(quoted(filePath_));
    if (QSqlDatabase::contains(connectionName_))
        throw StoreError(cannotOpen + QStringLiteral(": \"%1\" bağlantısı zaten açık").arg(connectionName_));
    makeFolder(programFolder_ + QStringLiteral("/Fvt"));

    // Until the constructor succeeds the destructor does not run: a failure removes the connection here.
    struct Guard {
        QString name;
        bool keep = false;
        ~Guard() {
            if (keep)
                return;
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    } guard{connectionName_};

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        if (!db.isValid())
            throw StoreError(cannotOpen + QStringLiteral(": SQLite sürücüsü yüklenemedi"));
        db.setDatabaseName(filePath_);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            throw engineError(cannotOpen, db.lastError());

        const auto run = [&](const QString& statement) {
            QSqlQuery query(db);
            if (!query.exec(statement))
                throw engineError(cannotOpen, query.lastError());
            QVariant first;
            if (query.next())
                first = query.value(0);
            query.finish();
            return first;
        };

        // The first read of the file: a file that is not a database fails here, before anything is written.
        const qint64 objects = run(QStringLiteral("select count(*) from sqlite_master")).toLongLong();
        if (objects == 0) {
            // A new file, or one whose creation was cut off before its first commit: nothing in it to lose.
            // WAL commits with one synced write, and the mode stays with the file.
            run(QStringLiteral("PRAGMA journal_mode=WAL"));
            run(QStringLiteral("PRAGMA synchronous=FULL"));
            if (!db.transaction())
                throw engineError(cannotOpen, db.lastError());
            try {
                run(QString::fromLatin1(sql::kCreateTable));
                for (const char* index : sql::kCreateIndexes)
                    run(QString::fromLatin1(index));
            } catch (...) {
                db.rollback();
                throw;
            }
            if (!db.commit())
                throw engineError(cannotOpen, db.lastError());
        } else {
            const qint64 tables =
                run(QStringLiteral("select count(*) from sqlite_master where type='table' and name='Liste'"))
                    .toLongLong();
            if (tables == 0)
                throw StoreError(cannotOpen + QStringLiteral(": dosyada Liste tablosu yok"));
            // An existing file keeps its journal mode. In WAL mode FULL syncs the log at every commit; with
            // a rollback journal EXTRA also syncs the folder, so that the commit survives a power cut.
            const bool wal =
                run(QStringLiteral("PRAGMA journal_mode")).toString().compare(u"wal", Qt::CaseInsensitive) ==
                0;
            run(wal ? QStringLiteral("PRAGMA synchronous=FULL") : QStringLiteral("PRAGMA synchronous=EXTRA"));
        }
    }
    guard.keep = true;
}

Database::~Database() {
    QSqlDatabase::database(connectionName_, false).close();
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(connectionName_, false);
}

} // namespace vezal
