#pragma once

#include <QSqlQuery>
#include <QVariant>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vezal {

class Database;

// What an engine failure says about the file, "%1" its path.
inline constexpr const char* kCannotReadDatabase = "\"%1\" veritabanı okunamıyor";
inline constexpr const char* kCannotWriteDatabase = "Kayıt \"%1\" veritabanına yazılamıyor";

using Bindings = std::initializer_list<std::pair<const char*, QVariant>>;

// Prepares the statement, binds the named values and runs it, forward only. Throws StoreError with
// `what` (kCannotReadDatabase or kCannotWriteDatabase) and the engine's reason on failure.
QSqlQuery runBound(const Database& database, const char* statement, Bindings bindings, const char* what);

// The same in steps, for a statement prepared once and run many times with other values.
QSqlQuery prepareStatement(const Database& database, const char* statement, const char* what);
void runPrepared(QSqlQuery& query, const Database& database, const char* what);
// Every loop over rows tells their end from an engine error: this throws for the error.
void checkRowsEnd(const QSqlQuery& query, const Database& database);

// A table kept beside Liste and made on its first write. Once it has seen or made the table it does not ask
// again: let it live no longer than the transaction or connection it serves.
class TableBeside {
public:
    // count: a statement whose first value is above 0 when the table exists; make: what makes it.
    TableBeside(const Database& database, const char* count, std::vector<const char*> make);

    bool exists();
    void ensureExists();

private:
    const Database& database_;
    const char* count_;
    std::vector<const char*> make_;
    bool known_ = false;
};

} // namespace vezal
