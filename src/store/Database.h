#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace vezal {

class OtherProcessWait;

// The engine adapter: the SQLite file Fvt/Liste.DB under the program folder, reached under one
// connection name. A missing file is created with the empty table (a fresh install); an existing one
// is never restructured or emptied. A statement outside a WriteTransaction runs in autocommit mode, so a
// post or delete is committed and durable when it returns. A statement that finds another process
// writing waits for it as long as it works (see Waiting.h), not a fixed time.
class Database {
public:
    static constexpr const char* kConnectionName = "Mac";

    // Throws StoreError with the engine's message when the file cannot be opened or is not a database, and
    // says so when the disk is full or the folder read-only.
    explicit Database(const QString& programFolder, const QString& connectionName = kConnectionName);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    QSqlDatabase connection() const;
    const QString& filePath() const { return filePath_; }
    const QString& programFolder() const { return programFolder_; }

    // Why this process cannot write the file (a read-only folder, file or file system); none when it can.
    // The file is then opened for reading only, so that listings and advice still work, and every write
    // transaction is refused with this reason.
    const std::optional<QString>& readOnly() const { return readOnly_; }
    // Damage found by the quick check before use (see IntegrityCheck.h), as the refusal every write
    // transaction gives from then on; none while none was found.
    const std::optional<QString>& damage() const { return damage_; }
    void setDamage(std::optional<QString> refusal) { damage_ = std::move(refusal); }

    // Ends the present wait for another writer, if any; why it was given up, if it was.
    std::optional<QString> endWait();
    // The engine's busy handler.
    int onBusy(int attempt);

    // What has been committed to the file so far: two equal stamps mean that nothing changed in between,
    // through this connection or any other (another process's included). Throws StoreError.
    struct ChangeStamp {
        qint64 ownChanges = 0;  // rows changed through this connection
        qint64 dataVersion = 0; // moves with every commit of another connection
        bool operator==(const ChangeStamp&) const = default;
    };
    ChangeStamp changeStamp() const;
    // Whether a transaction of this connection is open.
    bool inTransaction() const;
    // Called whenever a transaction of this connection that wrote ends, committed or rolled back. It is
    // called from inside the engine and must not use the connection; an empty one stops the calls.
    void setTransactionEndObserver(std::function<void()> observer);
    // The engine's commit and rollback hooks.
    void onTransactionEnd();

private:
    std::unique_ptr<OtherProcessWait> busyWait_;
    std::function<void()> transactionEnd_;
    QString programFolder_;
    QString filePath_;
    QString connectionName_;
    std::optional<QString> readOnly_;
    std::optional<QString> damage_;
};

} // namespace vezal
