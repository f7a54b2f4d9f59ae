#include "store/Database.h"

#include "common/Names.h"

#include "store/EngineError.h"
#include "store/FolderAccess.h"
#include "store/Messages.h"
#include "store/Statements.h"
#include "store/StoreError.h"
#include "store/Waiting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QUrl>
#include <iterator>
#include <sqlite3.h>

namespace vezal {

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

// Below this the engine cannot make its shared-memory file (32 KiB) or grow its log: an I/O error on
// opening is then the full disk's doing.
constexpr qint64 kRoomToOpen = 1024 * 1024;

bool diskNearlyFull(const QString& folder) {
    const QStorageInfo disk(folder);
    return disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < kRoomToOpen;
}

// The engine's companion files, made beside the database when it is opened, and the size of one that
// holds nothing yet: the engine marks a new shared-memory file with 3 bytes before it sizes it.
struct Companion {
    const char* suffix;
    qint64 emptySize;
};
constexpr Companion kCompanions[] = {{"-wal", 0}, {"-shm", 3}};

// "COLLATE TURKCE": the program's one comparison of names (Turkish order, case aside), for the lists
// that the engine sorts.
int compareTurkish(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareNoCase(QString::fromUtf8(static_cast<const char*>(a), lengthA),
                         QString::fromUtf8(static_cast<const char*>(b), lengthB));
}

sqlite3* handleOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw StoreError(QStringLiteral("SQLite bağlantısına ulaşılamıyor"));
    return *static_cast<sqlite3* const*>(handle.constData());
}

void addTurkishCollation(sqlite3* connection) {
    if (sqlite3_create_collation_v2(connection, "TURKCE", SQLITE_UTF8, nullptr, compareTurkish, nullptr) !=
        SQLITE_OK)
        throw StoreError(QStringLiteral("SQLite bağlantısına Türkçe sıralama eklenemedi"));
}

int busyHandler(void* database, int attempt) {
    return static_cast<Database*>(database)->onBusy(attempt);
}

// A read-only WAL file whose folder holds no shared-memory file: no process has it open (a writer would
// have made one) and the engine, unable to make one itself, can read it only as a file nobody changes.
// Not when the log holds commits the file lacks: those would be left out.
bool readableAsItLies(const QString& filePath) {
    const QFileInfo log(filePath + QStringLiteral("-wal"));
    return !QFileInfo::exists(filePath + QStringLiteral("-shm")) && (!log.exists() || log.size() == 0);
}

QString immutableAddress(const QString& filePath) {
    return QUrl::fromLocalFile(filePath).toString(QUrl::FullyEncoded) +
           QStringLiteral("?mode=ro&immutable=1");
}

int commitHook(void* database) {
    static_cast<Database*>(database)->onTransactionEnd();
    return 0; // the commit goes on
}

void rollbackHook(void* database) {
    static_cast<Database*>(database)->onTransactionEnd();
}

} // namespace

Database::Database(const QString& programFolder, const QString& connectionName)
    : programFolder_(programFolder), filePath_(programFolder + QStringLiteral("/Fvt/Liste.DB")),
      connectionName_(connectionName) {
    const QString cannotOpen = QStringLiteral("%1 veritabanı açılamıyor").arg(quoted(filePath_));
    if (QSqlDatabase::contains(connectionName_))
        throw StoreError(cannotOpen + QStringLiteral(": \"%1\" bağlantısı zaten açık").arg(connectionName_));
    const QString folder = programFolder_ + QStringLiteral("/Fvt");
    makeFolders(folder, QStringLiteral("%1 veritabanı klasörü oluşturulamıyor").arg(quoted(folder)));
    readOnly_ = readOnlyFolder(folder);
    if (!readOnly_)
        readOnly_ = readOnlyFile(filePath_);
    if (readOnly_ && !QFileInfo::exists(filePath_))
        throw StoreError(cannotOpen + QStringLiteral(": ") + *readOnly_);

    const auto failure = [&](const QSqlError& error) {
        if (readOnly_)
            return StoreError(cannotOpen + QStringLiteral(": %1 (%2)").arg(*readOnly_, engineWords(error)));
        if (diskNearlyFull(folder))
            return StoreError(
                cannotOpen +
                QStringLiteral(": %1 (%2)").arg(QString::fromUtf16(messages::kDiskFull), engineWords(error)));
        return engineError(cannotOpen, error);
    };

    // Until the constructor succeeds the destructor does not run: a failure removes the connection here,
    // and the companion files that this failed opening made and left empty (one that was there before, or
    // that holds anything, is the engine's to keep).
    struct Guard {
        QString name;
        QString filePath;
        bool companionExisted[std::size(kCompanions)] = {};
        bool keep = false;
        ~Guard() {
            if (keep)
                return;
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
            for (std::size_t i = 0; i < std::size(kCompanions); ++i) {
                const QFileInfo companion(filePath + QLatin1String(kCompanions[i].suffix));
                if (!companionExisted[i] && companion.isFile() && !companion.isSymLink() &&
                    companion.size() <= kCompanions[i].emptySize)
                    QFile::remove(companion.filePath());
            }
        }
    } guard{connectionName_, filePath_};
    for (std::size_t i = 0; i < std::size(kCompanions); ++i)
        guard.companionExisted[i] = QFileInfo::exists(filePath_ + QLatin1String(kCompanions[i].suffix));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        if (!db.isValid())
            throw StoreError(cannotOpen + QStringLiteral(": SQLite sürücüsü yüklenemedi"));
        // Read only where this process cannot write: the engine then takes the other writers' shared
        // memory as it finds it, so that their commits are seen.
        const auto open = [&](bool asItLies) {
            db.close();
            if (readOnly_)
                db.setConnectOptions(asItLies ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI")
                                              : QStringLiteral("QSQLITE_OPEN_READONLY"));
            db.setDatabaseName(asItLies ? immutableAddress(filePath_) : filePath_);
            if (!db.open())
                throw failure(db.lastError());
            sqlite3* connection = handleOf(db);
            addTurkishCollation(connection);
            // In place of the driver's fixed time-out.
            sqlite3_busy_handler(connection, busyHandler, this);
        };
        open(false);

        const auto run = [&](const QString& statement) {
            QSqlQuery query(db);
            const bool done = query.exec(statement);
            if (const std::optional<QString> givenUp = endWait())
                throw StoreError(cannotOpen + QStringLiteral(": ") + *givenUp);
            if (!done)
                throw failure(query.lastError());
            QVariant first;
            if (query.next())
                first = query.value(0);
            else if (query.lastError().isValid())
                throw failure(query.lastError());
            query.finish();
            return first;
        };
        const auto objectCount = [&] {
            return run(QStringLiteral("select count(*) from sqlite_master")).toLongLong();
        };

        // The first read of the file: a file that is not a database fails here, before anything is written.
        qint64 objects = 0;
        try {
            objects = objectCount();
        } catch (const StoreError&) {
            if (!readOnly_ || !readableAsItLies(filePath_))
                throw;
            open(true);
            objects = objectCount();
        }
        if (objects == 0 && readOnly_)
            throw StoreError(cannotOpen + QStringLiteral(": ") + *readOnly_);
        if (objects == 0) {
            // A new file, or one whose creation was cut off before its first commit: nothing in it to lose.
            // WAL commits with one synced write, and the mode stays with the file.
            run(QStringLiteral("PRAGMA journal_mode=WAL"));
            run(QStringLiteral("PRAGMA synchronous=FULL"));
            // Two processes may open a new folder at once: the schema is made under the write lock, by
            // whichever comes first.
            run(QStringLiteral("BEGIN IMMEDIATE"));
            try {
                if (objectCount() == 0) {
                    run(QString::fromLatin1(sql::kCreateTable));
                    for (const char* index : sql::kCreateIndexes)
                        run(QString::fromLatin1(index));
                }
                run(QStringLiteral("COMMIT"));
            } catch (...) {
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                throw;
            }
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

std::optional<QString> Database::endWait() {
    if (!busyWait_)
        return std::nullopt;
    const std::optional<QString> givenUp = busyWait_->givenUp();
    busyWait_.reset();
    return givenUp;
}

int Database::onBusy(int attempt) {
    if (attempt == 0 || !busyWait_)
        busyWait_ = std::make_unique<OtherProcessWait>();
    return busyWait_->pause() ? 1 : 0;
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(connectionName_, false);
}

Database::ChangeStamp Database::changeStamp() const {
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next())
        throw engineError(QStringLiteral("%1 veritabanı okunamıyor").arg(quoted(filePath_)),
                          query.lastError());
    return {sqlite3_total_changes64(handleOf(connection())), query.value(0).toLongLong()};
}

bool Database::inTransaction() const {
    return sqlite3_get_autocommit(handleOf(connection())) == 0;
}

void Database::setTransactionEndObserver(std::function<void()> observer) {
    transactionEnd_ = std::move(observer);
    sqlite3* handle = handleOf(connection());
    sqlite3_commit_hook(handle, transactionEnd_ ? commitHook : nullptr, this);
    sqlite3_rollback_hook(handle, transactionEnd_ ? rollbackHook : nullptr, this);
}

void Database::onTransactionEnd() {
    if (transactionEnd_)
        transactionEnd_();
}

} // namespace vezal
