// What vezal-cli says about a database it cannot read whole: a damaged page, a full disk.
#include "support/CliHarness.h"

#include "store/support/DamagedFile.h"
#include "store/support/TestLeague.h"

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

TEST(DamagedDatabase, AListingThatCannotBeReadWholeExitsThree) {
    ProgramFolder folder;
    folder.ok({"add-league", "Lig"});
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
    } // closing writes the log back into the file

    const QString path = folder.file("Fvt/Liste.DB");
    ASSERT_FALSE(QFile::exists(path + "-wal"));
    // A page type no page has, in the middle of the rows in Sr order and of the league's team index.
    for (const char* tree : {"Liste", "ListeKlasEtkm"}) {
        const std::vector<quint32> pages = testing::treePages(path, tree);
        ASSERT_GE(pages.size(), 4u) << "the b-tree is too small to have a middle";
        testing::overwrite(path, pages[1 + (pages.size() - 1) / 2], 0, "\xFF");
    }

    const QString reading =
        QStringLiteral("\"%1\" veritabanı okunamıyor: ").arg(QDir::toNativeSeparators(path));
    for (const QStringList& args :
         {QStringList{"rows"}, QStringList{"teams", "Lig"}, QStringList{"table", "home", "Lig"}}) {
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
    {
        Database database(folder.path(), QStringLiteral("Builder"));
        MatchTable table(database);
        WriteTransaction transaction(database);
        for (int m = 0; m < 600; ++m)
            table.appendMatchRow("Lig", QDate(2009, 8, 1).addDays(m / 10),
                                 QStringLiteral("Ev %1").arg(m % 20), QStringLiteral("Konuk %1").arg(m % 20),
                                 1, 0, rateMatch(1, 0, 2.5, 2.5));
        transaction.commit();
    }
    EXPECT_EQ(folder.run({"check"}).out, "sağlam\n");
    EXPECT_EQ(folder.run({"check"}).code, kExitOk);

    const QString path = folder.file("Fvt/Liste.DB");
    const quint32 leaf = testing::treePages(path, "Liste").at(1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.read(testing::pageSize(path) * leaf).right(testing::pageSize(path));
    file.close();
    ASSERT_EQ(quint8(page[0]), 0x0D) << "not a table leaf";
    const int cells = (quint8(page[3]) << 8) | quint8(page[4]);
    const char lowered[2] = {char((cells - 3) >> 8), char((cells - 3) & 0xFF)};
    testing::overwrite(path, leaf, 3, QByteArray(lowered, 2));

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

// 200 bytes of a page of the league's date index overwritten: the quick check finds it before any advice
// or write, which then refuse without a word written; the listings still read, to see and export.
TEST(DamagedDatabase, AdviceAndWritesRefuseADamagedFileAndListingsStillRead) {
    ProgramFolder folder;
    folder.ok({"add-league", "Lig"});
    testing::appendTestLeague(folder.path(), "Lig", QDate(2009, 8, 1));
    const QString path = folder.file("Fvt/Liste.DB");
    const std::vector<quint32> pages = testing::treePages(path, "ListeKlasTarih");
    ASSERT_GE(pages.size(), 3u);
    testing::overwrite(path, pages[1], 1500, QByteArray(200, 'A'));
    const QString fixtures = folder.file("fikstur.csv");
    {
        QFile file(fixtures);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Div,Date,HomeTeam,AwayTeam,B365H,B365D,B365A\nLig,01/06/2011,T01,T02,1.80,3.60,4.50\n");
    }
    const QString rowsBefore = folder.ok({"rows"});
    ASSERT_EQ(folder.run({"check"}).code, kExitFailure) << "the bytes did not damage the index";

    const QString damaged = QStringLiteral("\"%1\" veritabanında ").arg(QDir::toNativeSeparators(path));
    const QString refused = QString::fromUtf8(
        "Hasarlı veritabanıyla tahmin yapılmaz, kayıt yazılmaz.\nAyrıntılar için: vezal-cli check\n");
    for (const QStringList& args :
         {QStringList{"bulletin", fixtures}, QStringList{"probabilities", "Lig", "T01", "T02"},
          QStringList{"predict", "Lig", "T01", "T02"},
          QStringList{"bet", "add", "--stake", "5", "Lig|01.06.2011|T01|T02|1|1.9"},
          QStringList{"add-result", "Lig", "01.06.2011", "T01", "T02", "1", "0"},
          QStringList{"delete-team", "Lig", "T03"}, QStringList{"add-team", "Lig", "Yeni", "5"}}) {
        const auto result = folder.run(args);
        EXPECT_EQ(result.code, kExitFailure) << args.join(' ').toStdString();
        EXPECT_EQ(result.out, "") << args.join(' ').toStdString();
        EXPECT_TRUE(result.err.startsWith(damaged)) << result.err.toStdString();
        EXPECT_TRUE(result.err.endsWith(refused)) << result.err.toStdString();
    }
    for (const QStringList& args :
         {QStringList{"bets"}, QStringList{"teams", "Lig"}, QStringList{"table", "home", "Lig"}})
        EXPECT_EQ(folder.run(args).code, kExitOk) << args.join(' ').toStdString();
    EXPECT_EQ(folder.ok({"rows"}), rowsBefore);
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
