#include "support/TempProgram.h"

#include "store/Database.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "store/StoreError.h"
#include "store/Waiting.h"
#include "store/WriteTransaction.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vezal {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::fileBytes;
using testing::readAll;
using testing::StoreTest;
using testing::writeBytes;

QString scalar(Database& database, const QString& statement) {
    QSqlQuery query(database.connection());
    EXPECT_TRUE(query.exec(statement)) << statement.toStdString();
    return query.next() ? query.value(0).toString() : QString();
}

// The message a failed open gives, or an empty text when it opened.
QString openError(const QString& folder) {
    try {
        Database database(folder);
    } catch (const StoreError& error) {
        return error.message();
    }
    return {};
}

TEST(Database, FirstStartCreatesTheTableUnderFvt) {
    QTemporaryDir dir;
    Database database(dir.path());
    EXPECT_EQ(database.filePath(), dir.path() + u"/Fvt/Liste.DB"_s);
    EXPECT_TRUE(QFile::exists(database.filePath()));
    EXPECT_TRUE(QSqlDatabase::contains(u"Mac"_s));

    QSqlQuery columns(database.connection());
    ASSERT_TRUE(columns.exec(u"PRAGMA table_info(Liste)"_s));
    QStringList layout;
    while (columns.next())
        layout << columns.value(1).toString() + u' ' + columns.value(2).toString();
    EXPECT_EQ(layout,
              (QStringList{u"Sr INTEGER"_s, u"Tur VARCHAR(1)"_s, u"Klas VARCHAR(20)"_s, u"Tarih DATE"_s,
                           u"Etkm VARCHAR(20)"_s, u"Mtkm VARCHAR(20)"_s, u"Oyun SMALLINT"_s, u"Ea SMALLINT"_s,
                           u"Ey SMALLINT"_s, u"Ma SMALLINT"_s, u"My SMALLINT"_s, u"Etp DOUBLE"_s,
                           u"Mtp DOUBLE"_s, u"Erakip DOUBLE"_s, u"Mrakip DOUBLE"_s}));

    QSqlQuery indexes(database.connection());
    ASSERT_TRUE(
        indexes.exec(u"select group_concat(ii.name) from sqlite_master m, pragma_index_info(m.name) ii "
                     "where m.type='index' and m.tbl_name='Liste' group by m.name order by 1"_s));
    QStringList indexed;
    while (indexes.next())
        indexed << indexes.value(0).toString();
    EXPECT_EQ(indexed, (QStringList{u"Etkm,Tarih,Etp,Erakip"_s, u"Klas,Etkm,Oyun,Ea,Ey,Etp"_s,
                                    u"Klas,Mtkm,Oyun,Ma,My,Mtp"_s, u"Klas,Tarih,Etkm,Ea,Mtkm,Ey"_s,
                                    u"Mtkm,Tarih,Mtp,Mrakip"_s}));

    EXPECT_EQ(scalar(database, u"PRAGMA journal_mode"_s), u"wal"_s);
    EXPECT_EQ(scalar(database, u"PRAGMA synchronous"_s), u"2"_s); // FULL
}

TEST(Database, TheFileKeepsItsDurableModeWhenOpenedAgain) {
    QTemporaryDir dir;
    { Database created(dir.path()); }
    Database database(dir.path());
    EXPECT_EQ(scalar(database, u"PRAGMA journal_mode"_s), u"wal"_s);
    EXPECT_EQ(scalar(database, u"PRAGMA synchronous"_s), u"2"_s);
    EXPECT_EQ(scalar(database, u"select count(*) from sqlite_master where type='index'"_s), u"5"_s);
}

TEST(Database, SrNeverReusesANumber) {
    testing::TempProgram program;
    MatchTable& table = program.table();
    const qint64 first = table.appendSeedRow(u"Lig"_s, u"A"_s, 5);
    const qint64 second = table.appendSeedRow(u"Lig"_s, u"B"_s, 5);
    table.deleteRow(second);
    EXPECT_GT(table.appendSeedRow(u"Lig"_s, u"C"_s, 5), second);
    EXPECT_LT(first, second);
}

TEST(Database, AnExistingFileIsNeitherRestructuredNorEmptied) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"Fvt"_s);
    const QString path = dir.path() + u"/Fvt/Liste.DB"_s;
    const QString schema =
        u"CREATE TABLE Liste (Sr INTEGER PRIMARY KEY, Tur TEXT, Klas TEXT, Tarih TEXT, "
        "Etkm TEXT, Mtkm TEXT, Oyun INTEGER, Ea INTEGER, Ey INTEGER, Ma INTEGER, My INTEGER, "
        "Etp REAL, Mtp REAL, Erakip REAL, Mrakip REAL)"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"setup"_s);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(schema));
        ASSERT_TRUE(query.exec(u"insert into Liste (Tur,Klas,Tarih,Etkm,Mtkm,Etp,Mtp) "
                               "values ('A','Eski','2008-01-01','T','T',1.5,1.0)"_s));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(u"setup"_s);

    Database database(dir.path());
    EXPECT_EQ(scalar(database, u"select sql from sqlite_master where name='Liste'"_s), schema);
    EXPECT_EQ(scalar(database, u"select count(*) from sqlite_master"_s), u"1"_s); // no index added
    EXPECT_EQ(scalar(database, u"PRAGMA journal_mode"_s), u"delete"_s);
    EXPECT_EQ(scalar(database, u"PRAGMA synchronous"_s), u"3"_s); // EXTRA: the commit survives a power cut
    MatchTable table(database);
    EXPECT_EQ(table.teamList(u"Eski"_s), QStringList{u"T"_s});
}

TEST(Database, RefusesWhatItCannotUseAndTouchesNothing) {
    const QByteArray notADatabase = QByteArray("Bu bir veritaban\xFD de\xF0il.\r\n").repeated(200);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"not a database", notADatabase, "file is not a database"},
        {"damaged header", QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\x55'), "not a database"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(u"Fvt"_s);
        const QString path = dir.path() + u"/Fvt/Liste.DB"_s;
        writeBytes(path, c.bytes);
        const QString message = openError(dir.path());
        EXPECT_TRUE(message.startsWith(u"\"%1\" veritabanı açılamıyor: "_s.arg(path)))
            << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.reason))) << message.toStdString();
        EXPECT_EQ(fileBytes(path), c.bytes);
        EXPECT_FALSE(QSqlDatabase::contains(u"Mac"_s)); // the next attempt starts clean
    }
}

TEST(Database, ADatabaseWithoutTheTableIsNotTakenOver) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"Fvt"_s);
    const QString path = dir.path() + u"/Fvt/Liste.DB"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"setup"_s);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(u"create table Baska (x)"_s));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(u"setup"_s);
    const QByteArray before = fileBytes(path);
    EXPECT_EQ(openError(dir.path()), u"\"%1\" veritabanı açılamıyor: dosyada Liste tablosu yok"_s.arg(path));
    EXPECT_EQ(fileBytes(path), before);
}

TEST(Database, AFileCutOffBeforeItsFirstCommitIsMadeAgain) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(u"Fvt"_s);
    writeBytes(dir.path() + u"/Fvt/Liste.DB"_s, QByteArray());
    Database database(dir.path());
    EXPECT_EQ(scalar(database, u"select count(*) from Liste"_s), u"0"_s);
}

TEST(Database, FolderThatCannotBeMadeNamesThePathAndTheReason) {
    QTemporaryDir dir;
    writeBytes(dir.filePath(u"vezal"_s), "bir dosya");
    const QString message = openError(dir.filePath(u"vezal"_s));
    EXPECT_EQ(message,
              u"\"%1/vezal/Fvt\" veritabanı klasörü oluşturulamıyor: yoldaki bir ad klasör değil"_s.arg(dir.path()));
    EXPECT_EQ(fileBytes(dir.filePath(u"vezal"_s)), "bir dosya");
}

TEST(Database, OneConnectionPerName) {
    QTemporaryDir dir;
    Database first(dir.path());
    const QString message = openError(dir.path());
    EXPECT_TRUE(message.endsWith(u"\"Mac\" bağlantısı zaten açık"_s)) << message.toStdString();
    MatchTable table(first); // the first one still works
    EXPECT_GT(table.appendSeedRow(u"Lig"_s, u"A"_s, 5), 0);
    Database other(dir.path(), u"Diger"_s);
    EXPECT_EQ(MatchTable(other).teamList(u"Lig"_s), QStringList{u"A"_s});
}

// A writer finding another one at work waits for it, telling the observer, until the other is done or the
// observer gives the wait up; then the observer hears that the wait is over.
TEST(Database, AWriterWaitsForAnotherAndTellsTheObserver) {
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel);
        testing::TempProgram program;
        std::optional<Database> other(std::in_place, program.folder(), u"Other"_s);
        std::optional<WriteTransaction> working(std::in_place, *other);

        struct Observer : WaitObserver {
            std::function<bool(qint64)> onWait;
            qint64 last = 0;
            int over = 0;
            bool keepWaiting(qint64 waitedMs) override {
                last = waitedMs;
                return onWait(waitedMs);
            }
            void waitOver() override { ++over; }
        } observer;
        // Past the 300th millisecond the other writer is done, or the wait is given up.
        observer.onWait = [&](qint64 waited) {
            if (waited < 300)
                return true;
            working.reset();
            return !cancel;
        };
        const WaitObserverScope scope(observer);
        QString failure;
        try {
            WriteTransaction mine(program.database());
            mine.commit();
        } catch (const StoreError& error) {
            failure = error.message();
        }
        EXPECT_GE(observer.last, 300);
        EXPECT_EQ(observer.over, 1);
        if (cancel)
            EXPECT_TRUE(failure.endsWith(QString::fromUtf16(messages::kWaitCancelled)))
                << failure.toStdString();
        else
            EXPECT_EQ(failure, QString());
    }
}

// The disk refuses the write (a file size limit stands in for a full disk, root included): the append
// fails with the engine's words and every row posted before is still there.
TEST_F(StoreTest, FailedWriteKeepsEveryRowPostedBefore) {
    for (int i = 0; i < 20; ++i)
        program.seed(u"Lig"_s, u"Takım %1"_s.arg(i), u"5"_s);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    try {
        for (int i = 0; i < 200; ++i)
            table().appendSeedRow(u"Lig"_s, u"Yeni %1"_s.arg(i), 5);
    } catch (const StoreError& error) {
        message = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(message.startsWith(u"Kayıt \"%1\" veritabanına yazılamıyor: "_s.arg(program.databasePath())))
        << message.toStdString();

    program.close();
    program.open();
    const QStringList teams = table().teamList(u"Lig"_s);
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(teams.contains(u"Takım %1"_s.arg(i))) << i;
}

TEST_F(StoreTest, DamagedPagesGiveTheEnginesError) {
    QSqlDatabase connection = program.database().connection();
    ASSERT_TRUE(connection.transaction());
    for (int i = 0; i < 300; ++i)
        program.seed(u"Lig %1"_s.arg(i % 7), u"Takım %1"_s.arg(i), u"5"_s);
    ASSERT_TRUE(connection.commit());
    connection = QSqlDatabase();
    program.close();
    QFile file(program.databasePath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_GT(file.size(), 3 * 4096);
    file.seek(4096);
    file.write(QByteArray(file.size() - 4096, '\x55'));
    file.close();

    program.open();
    try {
        table().homeRatingBefore(u"Takım 5"_s, QDate(2024, 1, 1));
        table().teamList(u"Lig 3"_s);
        FAIL() << "read damaged pages without a word";
    } catch (const StoreError& error) {
        EXPECT_TRUE(
            error.message().startsWith(u"\"%1\" veritabanı okunamıyor: "_s.arg(program.databasePath())))
            << error.what();
        EXPECT_TRUE(error.message().contains(u"malformed"_s)) << error.what();
    }
}

// A row is in the file when the append returns: a process killed right after it loses nothing.
TEST(Database, AnAppendedRowSurvivesAKill) {
    QTemporaryDir dir;
    { Database created(dir.path()); }
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        try {
            Database database(dir.path());
            MatchTable table(database);
            const qint64 sr = table.appendSeedRow(u"Lig"_s, u"Kalıcı"_s, 6);
            if (write(ready[1], &sr, sizeof sr) != sizeof sr)
                _exit(2);
        } catch (...) {
            _exit(1);
        }
        for (;;)
            pause();
    }
    close(ready[1]);
    qint64 sr = 0;
    const bool appended = read(ready[0], &sr, sizeof sr) == sizeof sr;
    close(ready[0]);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(appended) << "the child could not append";
    EXPECT_TRUE(WIFSIGNALED(status));

    Database database(dir.path());
    QSqlQuery query = MatchTable(database).allRows();
    const auto rows = readAll(query);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].mid(0, 6), (QStringList{QString::number(sr), u"A"_s, u"Lig"_s, u"2008-01-01"_s,
                                              u"Kalıcı"_s, u"Kalıcı"_s}));
}

} // namespace
} // namespace vezal
