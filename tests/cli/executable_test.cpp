// vezal-cli as a script sees it: the real executable, its bytes on stdout and stderr, its exit status.
#include "support/CliHarness.h"

#include "store/Messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::cliPath;
using testing::Finished;
using testing::runProgram;

class Executable : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApp();
        ASSERT_TRUE(QFile::exists(cliPath())) << cliPath().toStdString();
        ASSERT_TRUE(dir.isValid());
        const Finished init = run({"init"});
        ASSERT_EQ(init.code, 0) << init.err.toStdString();
    }
    Finished run(QStringList args) {
        args.prepend(dir.path());
        args.prepend(QStringLiteral("--dir"));
        return runProgram(cliPath(), args);
    }

    QTemporaryDir dir;
};

TEST_F(Executable, ScriptedSeasonPrintsUtf8Tables) {
    const QStringList steps[] = {
        {"add-league", "Süper Lig"},
        {"add-team", "Süper Lig", "Ankara", "7"},
        {"add-team", "Süper Lig", "İzmir", "5"},
        {"add-result", "Süper Lig", "15.08.2009", "Ankara", "İzmir", "4", "0"},
    };
    for (const QStringList& step : steps) {
        const Finished done = run(step);
        EXPECT_EQ(done.code, 0) << step.join(' ').toStdString() << ": " << done.err.toStdString();
        EXPECT_TRUE(done.out.isEmpty());
        EXPECT_TRUE(done.err.isEmpty());
    }
    const Finished history = run({"history", "Süper Lig"});
    EXPECT_EQ(history.code, 0);
    EXPECT_EQ(history.out, "Tarih\tEtkm\tEa\tMtkm\tEy\n2009-08-15\tAnkara\t4\t\xC4\xB0zmir\t0\n");

    const Finished away = run({"table", "away", "Süper Lig"});
    EXPECT_EQ(away.code, 0);
    EXPECT_TRUE(
        away.out.startsWith("Mtkm\toy\tGol\tygol\tToplam\nAnkara\t\t\t\t3.43\n\xC4\xB0zmir\t1\t0\t4\t"))
        << away.out.toStdString();
}

TEST_F(Executable, EachKindOfEndHasItsStatusAndStream) {
    ASSERT_EQ(run({"add-league", "Süper Lig"}).code, 0);
    const struct {
        QStringList args;
        int code;
        QByteArray err; // empty: only checked to be non-empty
    } cases[] = {
        {{"add-league", "süper lig"}, 1, QString::fromUtf16(messages::kLeagueExists).toUtf8() + '\n'},
        {{"add-team", "Süper Lig", "Ankara", "8"},
         1,
         QString::fromUtf16(messages::kTooManyPoints).toUtf8() + '\n'},
        {{"add-team", "Süper Lig", "Ankara", "x"}, 2, {}},
        {{"delete-league", "Yok"}, 1, QString::fromUtf16(messages::kLeagueNotListed).toUtf8() + '\n'},
        {{"--dir", dir.filePath("yok"), "rows"}, 3, {}},
    };
    for (const auto& c : cases) {
        const Finished done = run(c.args);
        EXPECT_EQ(done.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(done.out.isEmpty());
        if (c.err.isEmpty())
            EXPECT_FALSE(done.err.isEmpty());
        else
            EXPECT_EQ(done.err, c.err);
    }

    const Finished help = runProgram(cliPath(), {"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("\xC3\x87\xC4\xB1k\xC4\xB1\xC5\x9F kodlar\xC4\xB1"))
        << "Çıkış kodları in UTF-8";
    EXPECT_TRUE(help.err.isEmpty());
}

TEST_F(Executable, WithoutDirItWorksBesideItself) {
    const QString copy = dir.filePath(QStringLiteral("vezal-cli"));
    ASSERT_TRUE(QFile::copy(cliPath(), copy));
    ASSERT_TRUE(QFile::setPermissions(copy, QFile::permissions(cliPath())));
    QFile list(dir.filePath(QStringLiteral("klasman.dat")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("\xDE"
               "ampiyonlar\r\nAfyon\r\n"); // Şampiyonlar in Windows-1254
    list.close();

    const Finished leagues = runProgram(copy, {"leagues"});
    EXPECT_EQ(leagues.code, 0) << leagues.err.toStdString();
    EXPECT_EQ(leagues.out, "Klas\n\xC5\x9E"
                           "ampiyonlar\nAfyon\n");
}

} // namespace
} // namespace vezal
