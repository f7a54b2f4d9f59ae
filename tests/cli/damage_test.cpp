// What vezal-cli says about a database it cannot read whole: a damaged page, a full disk.
#include "support/CliHarness.h"

#include "cli/Cli.h"
#include "rating/MatchRating.h"
#include "store/Database.h"
#include "store/MatchTable.h"
#include "store/WriteTransaction.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace vezal {
namespace {

using testing::cliPath;
using testing::ProgramFolder;

quint32 bigEndian(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

// The child pages of a b-tree whose root is an interior page, in key order (the file format's page
// header: type, cell count at 3, right-most child at 8, cell offsets from 12; a cell starts with its child).
std::vector<quint32> childPages(const QByteArray& file, qsizetype pageSize, quint32 root) {
    const qsizetype page = (root - 1) * pageSize;
    const quint8 type = quint8(file[page]);
    EXPECT_TRUE(type == 0x05 || type == 0x02) << "root page " << root << " is not an interior page";
    std::vector<quint32> children;
    const quint32 cells = bigEndian(file, page + 3, 2);
    for (quint32 i = 0; i < cells; ++i)
        children.push_back(bigEndian(file, page + bigEndian(file, page + 12 + 2 * i, 2), 4));
    children.push_back(bigEndian(file, page + 8, 4));
    return children;
}

TEST(DamagedDatabase, AListingThatCannotBeReadWholeExitsThree) {
    ProgramFolder folder;
    folder.ok({"add-league", "Lig"});
    quint32 tableRoot = 0;
    quint32 indexRoot = 0;
    {
        Database database(folder.path(), QStringLiteral("Builder"));
        MatchTable table(database);
        WriteTransaction transaction(database);
        const int teams = 30;
        for (int t = 0; t < teams; ++t)
            table.appendSeedRow("Lig", QStringLiteral("Takım %1").arg(t, 2, 10, QLatin1Char('0')), 5);
        for (int m = 0; m < 600; ++m)
            table.appendMatchRow("Lig", QDate(2009, 8, 1).addDays(m / 10),
                                 QStringLiteral("Takım %1").arg(m % teams, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("Takım %1").arg((m + 7) % teams, 2, 10, QLatin1Char('0')), 1,
                                 0, rateMatch(1, 0, 2.5, 2.5));
        transaction.commit();
        QSqlQuery roots(database.connection());
        ASSERT_TRUE(
            roots.exec("select name, rootpage from sqlite_master where name in ('Liste', 'ListeKlasEtkm')"));
        while (roots.next())
            (roots.value(0).toString() == "Liste" ? tableRoot : indexRoot) = roots.value(1).toUInt();
    } // closing writes the log back into the file

    const QString path = folder.file("Fvt/Liste.DB");
    ASSERT_FALSE(QFile::exists(path + "-wal"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll();
    const qsizetype pageSize = bigEndian(bytes, 16, 2);
    // A page type no page has, in the middle of the rows in Sr order and of the league's team index.
    for (const quint32 root : {tableRoot, indexRoot}) {
        const std::vector<quint32> children = childPages(bytes, pageSize, root);
        ASSERT_GE(children.size(), 3u) << "the b-tree is too small to have a middle";
        ASSERT_TRUE(file.seek((children[children.size() / 2] - 1) * pageSize));
        ASSERT_EQ(file.write("\xFF", 1), 1);
    }
    file.close();

    const QString reading =
        QStringLiteral("\"%1\" veritabanı okunamıyor: ").arg(QDir::toNativeSeparators(path));
    for (const QStringList& args :
         {QStringList{"rows"}, QStringList{"teams", "Lig"}, QStringList{"table", "home", "Lig"},
          QStringList{"predict", "Lig", "Takım 01", "Takım 02"}}) {
        const auto result = folder.run(args);
        EXPECT_EQ(result.code, kExitFailure) << args.join(' ').toStdString();
        EXPECT_TRUE(result.err.startsWith(reading)) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("malformed")) << result.err.toStdString();
    }
}

// A leaf of the table that lost three of its cells reads without an error, three rows short; the check
// finds it through the indexes, which still hold those rows.
TEST(DamagedDatabase, TheCheckFindsWhatAReadDoesNotNotice) {
    ProgramFolder folder;
    folder.ok({"add-league", "Lig"});
    quint32 tableRoot = 0;
    {
        Database database(folder.path(), QStringLiteral("Builder"));
        MatchTable table(database);
        WriteTransaction transaction(database);
        for (int m = 0; m < 600; ++m)
            table.appendMatchRow("Lig", QDate(2009, 8, 1).addDays(m / 10),
                                 QStringLiteral("Ev %1").arg(m % 20), QStringLiteral("Konuk %1").arg(m % 20),
                                 1, 0, rateMatch(1, 0, 2.5, 2.5));
        transaction.commit();
        QSqlQuery root(database.connection());
        ASSERT_TRUE(root.exec("select rootpage from sqlite_master where name='Liste'") && root.next());
        tableRoot = root.value(0).toUInt();
    }
    EXPECT_EQ(folder.run({"check"}).out, "sağlam\n");
    EXPECT_EQ(folder.run({"check"}).code, kExitOk);

    const QString path = folder.file("Fvt/Liste.DB");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll();
    const qsizetype pageSize = bigEndian(bytes, 16, 2);
    const qsizetype leaf = (childPages(bytes, pageSize, tableRoot).front() - 1) * pageSize;
    ASSERT_EQ(quint8(bytes[leaf]), 0x0D) << "not a table leaf";
    const quint32 cells = bigEndian(bytes, leaf + 3, 2);
    const char lowered[2] = {char((cells - 3) >> 8), char((cells - 3) & 0xFF)};
    ASSERT_TRUE(file.seek(leaf + 3));
    ASSERT_EQ(file.write(lowered, 2), 2);
    file.close();

    const auto listing = folder.run({"rows"});
    EXPECT_EQ(listing.code, kExitOk);
    EXPECT_EQ(testing::cells(listing.out).size(), 1 + 600 - 3);
    const auto check = folder.run({"check"});
    EXPECT_EQ(check.code, kExitFailure);
    EXPECT_EQ(check.out, "");
    EXPECT_TRUE(
        check.err.startsWith(QStringLiteral("\"%1\" veritabanında ").arg(QDir::toNativeSeparators(path))))
        << check.err.toStdString();
    EXPECT_TRUE(check.err.contains("wrong # of entries in index ListeKlasTarih")) << check.err.toStdString();
}

// A tmpfs of its own, filled up, in a user and mount namespace: skipped where the machine allows none.
TEST(FullDisk, OpeningSaysTheDiskIsFullAndLeavesNoEmptyCompanionFiles) {
    testing::testApp();
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty())
        GTEST_SKIP() << "no unshare";
    QTemporaryDir disk;
    QTemporaryDir results;
    ASSERT_TRUE(disk.isValid() && results.isValid());
    const QString script = QStringLiteral(R"(set -e
mount -t tmpfs -o size=256k tmpfs "$1" || exit 77
"$3" --dir "$1" init
"$3" --dir "$1" add-league Lig
dd if=/dev/zero of="$1/fill" bs=4096 2>/dev/null || true
set +e
"$3" --dir "$1" rows >"$2/out" 2>"$2/err"
echo $? >"$2/code"
ls -A "$1/Fvt" >"$2/files"
)");
    QProcess run;
    run.start(unshare, {"-rm", "sh", "-c", script, "sh", disk.path(), results.path(), cliPath()});
    ASSERT_TRUE(run.waitForFinished(60000));
    if (run.exitCode() == 77 || (run.exitCode() != 0 && run.readAllStandardError().contains("unshare")))
        GTEST_SKIP() << "no tmpfs of our own here";
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    const auto contents = [&](const char* name) {
        QFile result(results.filePath(name));
        return result.open(QIODevice::ReadOnly) ? QString::fromUtf8(result.readAll()) : QString();
    };
    EXPECT_EQ(contents("code"), "3\n");
    EXPECT_EQ(contents("out"), "");
    EXPECT_EQ(contents("err"), QStringLiteral("\"%1/Fvt/Liste.DB\" veritabanı açılamıyor: diskte yer kalmadı "
                                              "(disk I/O error)\n")
                                   .arg(QDir::toNativeSeparators(disk.path())));
    EXPECT_EQ(contents("files"), "Liste.DB\n");
}

} // namespace
} // namespace vezal
