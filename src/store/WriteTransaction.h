#pragma once

#include <QString>

namespace vezal {

class Database;

// One checked write: takes the database's write lock before its first read (BEGIN IMMEDIATE), so that
// the checks, the sums and the append of one action see one state even with another process writing the
// same file. A second writer waits for the first (see Waiting.h) and then sees the first one's rows.
// Commits only when asked; leaving the scope otherwise rolls everything back.
//
// Inside a transaction the caller opened already (a bulk import that commits only when it completes, a
// test), it is a savepoint of that one: the caller holds the lock, and leaving the scope without commit
// undoes this part alone.
class WriteTransaction {
public:
    // Throws StoreError naming the file when the lock cannot be had or the file cannot be written, and
    // with the damage refusal on a file found damaged (see Database::damage()).
    explicit WriteTransaction(Database& database);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    // Throws StoreError when the engine refuses the commit; the transaction is rolled back then.
    void commit();

private:
    Database& database_;
    bool nested_ = false;
    bool open_ = false;
};

} // namespace vezal
