#pragma once

#include "store/Admin.h"
#include "store/Database.h"
#include "store/MatchTable.h"

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vezal::testing {

// One row of Liste as the file holds it.
struct StoredRow {
    qint64 sr = 0;
    QString tur, klas, tarih, etkm, mtkm;
    QVariant oyun, ea, ey, ma, my, etp, mtp, erakip, mrakip;
};

// A program folder of its own in a temporary folder, with the database opened on it.
class TempProgram {
public:
    TempProgram();
    ~TempProgram();

    QString folder() const { return dir_.path(); }
    QString databasePath() const { return folder() + QStringLiteral("/Fvt/Liste.DB"); }
    Database& database() { return *database_; }
    MatchTable& table() { return *table_; }

    void close();
    void open();

    // Every row, in Sr order.
    std::vector<StoredRow> rows();

    // Registers a team; fails the test when refused.
    void seed(const QString& league, const QString& team, const QString& points);
    // Enters a result with the filter date on the match day; returns the outcome.
    ResultOutcome enter(const QString& league, const QDate& day, const QString& home, const QString& away,
                        const QString& homeScore, const QString& awayScore);

private:
    QTemporaryDir dir_;
    std::unique_ptr<Database> database_;
    std::unique_ptr<MatchTable> table_;
};

class StoreTest : public ::testing::Test {
protected:
    TempProgram program;
    MatchTable& table() { return program.table(); }
};

// Reads a whole file, or an empty array when it is missing.
QByteArray fileBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

// Reads every row of a query into texts, null values as "-".
std::vector<QStringList> readAll(QSqlQuery& query);

} // namespace vezal::testing
