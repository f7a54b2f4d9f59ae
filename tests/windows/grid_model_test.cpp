// A grid's rows that stop at an engine error (a damaged page, say) are not passed off as all there is.
#include "store/StoreError.h"
#include "support/TestApp.h"
#include "windows/GridModel.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace vezal {
namespace {

// fails_at(n, x): x, until n reaches the row given in x's place; there the engine reports an error, as it
// does when a row's page cannot be read.
void failsAt(sqlite3_context* context, int, sqlite3_value** values) {
    if (sqlite3_value_int(values[0]) >= sqlite3_value_int(values[1]))
        sqlite3_result_error(context, "database disk image is malformed", -1);
    else
        sqlite3_result_int(context, sqlite3_value_int(values[0]));
}

class GridModelReading : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApp();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open());
        sqlite3* handle = *static_cast<sqlite3* const*>(db.driver()->handle().constData());
        ASSERT_EQ(
            sqlite3_create_function(handle, "fails_at", 2, SQLITE_UTF8, nullptr, failsAt, nullptr, nullptr),
            SQLITE_OK);
        QSqlQuery make(db);
        ASSERT_TRUE(make.exec(QStringLiteral("create table t(n integer)")));
        ASSERT_TRUE(make.exec(QStringLiteral("with recursive c(n) as (select 0 union all select n + 1 from c "
                                             "where n < 999) insert into t select n from c")));
    }
    void TearDown() override {
        model.clear();
        QSqlDatabase::database(kName, false).close();
        QSqlDatabase::removeDatabase(kName);
    }
    // Rows 0 .. 999 of which the engine cannot read the one at `failing` and after.
    void show(int failing) {
        QSqlQuery query(QSqlDatabase::database(kName));
        query.prepare(QStringLiteral("select fails_at(n, :failing) as Etkm from t"));
        query.bindValue(QStringLiteral(":failing"), failing);
        ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
        model.setQuery(std::move(query));
    }

    static inline const QString kName = QStringLiteral("GridModelTest");
    GridModel model{{{QStringLiteral("Etkm"), QStringLiteral("Takım"), 100}}};
};

TEST_F(GridModelReading, AnErrorPastTheFirstChunkIsReportedOnceAndStopsTheWholeReads) {
    QSignalSpy failed(&model, &GridModel::readFailed);
    show(600);
    EXPECT_EQ(failed.count(), 0); // the first chunk reads whole
    EXPECT_THROW(model.fetchAll(), StoreError);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_TRUE(failed.at(0).at(0).toString().contains(QStringLiteral("malformed")));
    EXPECT_LT(model.rowCount(), 1000);
    EXPECT_THROW(model.findRow(QStringLiteral("Etkm"), QStringLiteral("999")), StoreError);
    EXPECT_EQ(failed.count(), 1); // once per query
    // A row before the damage is found as usual.
    EXPECT_EQ(model.findRow(QStringLiteral("Etkm"), QStringLiteral("5")), 5);
}

TEST_F(GridModelReading, WholeRowsReadWithoutAWord) {
    QSignalSpy failed(&model, &GridModel::readFailed);
    show(5000);
    model.fetchAll();
    EXPECT_EQ(model.rowCount(), 1000);
    EXPECT_EQ(model.findRow(QStringLiteral("Etkm"), QStringLiteral("nothing")), std::nullopt);
    EXPECT_EQ(failed.count(), 0);
    EXPECT_TRUE(model.readError().isEmpty());
}

} // namespace
} // namespace vezal
