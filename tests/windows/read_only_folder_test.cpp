// The program on a data folder it may read but not write: it opens, shows the leagues and predicts, the
// windows that only change the data say why they stay shut, and it ends without a word.
#include "store/support/TestLeague.h"
#include "support/ScriptedDialogs.h"
#include "support/TestApp.h"
#include "support/TestProgram.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vezal {
namespace {

constexpr const char* kFolderVariable = "VEZAL_READ_ONLY_FOLDER";

// Run by the test below in a process of its own that may not write the folder.
TEST(ReadOnlyFolderChild, DISABLED_RunsOnTheFolder) {
    testing::testApp();
    const QString folder = qEnvironmentVariable(kFolderVariable);
    ASSERT_FALSE(folder.isEmpty());
    testing::ScriptedDialogs dialogs;
    Program program(folder, dialogs, [] { return testing::TestProgram::kToday; });
    ProgramWindows windows(program);
    MainWindow* main = windows.main();
    main->show();
    EXPECT_TRUE(dialogs.asked.empty()) << dialogs.asked.front().text.toStdString();
    EXPECT_EQ(main->leagues(), QStringList{QStringLiteral("Lig")});

    windows.predictPairing(QStringLiteral("Lig"), QStringLiteral("T01"), QStringLiteral("T02"));
    EXPECT_EQ(main->findChild<QTableView*>(QStringLiteral("DBGrid1"))->model()->rowCount(), 20);
    EXPECT_FALSE(main->findChild<QLineEdit*>(QStringLiteral("Memo9"))->text().isEmpty());
    EXPECT_TRUE(dialogs.asked.empty()) << dialogs.asked.front().text.toStdString();

    const QString refusal =
        QString::fromUtf8("Veriler değiştirilemez: \"%1/Fvt\" klasörü salt okunur  ... ").arg(folder);
    for (const char* action : {"Ligler1", "akmlar1", "SonuGiri1", "ImportAction", "UpdateAction"}) {
        dialogs.clear();
        main->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        EXPECT_EQ(dialogs.warnings(), QStringList{refusal}) << action;
        EXPECT_TRUE(main->isVisible()) << action;
    }

    dialogs.clear();
    QSignalSpy closed(main, &MainWindow::closed);
    main->findChild<QAction*>(QStringLiteral("k1"))->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(dialogs.asked.empty()) << dialogs.asked.front().text.toStdString();
}

// Root's override of the files' rights does not reach into a user namespace of its own: as root, the
// child runs there.
TEST(ReadOnlyFolder, TheProgramReadsAndPredictsAndRefusesChanges) {
    testing::testApp();
    QTemporaryDir dir;
    const QString folder = dir.path();
    {
        QFile list(folder + QStringLiteral("/klasman.dat"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("Lig\r\n");
    }
    testing::appendTestLeague(folder, QStringLiteral("Lig"), QDate(2008, 3, 1));
    QStringList command{QCoreApplication::applicationFilePath(),
                        QStringLiteral("--gtest_filter=ReadOnlyFolderChild.*"),
                        QStringLiteral("--gtest_also_run_disabled_tests")};
    if (geteuid() == 0) {
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        if (unshare.isEmpty())
            GTEST_SKIP() << "no unshare to shed root's rights";
        command = QStringList{unshare, QStringLiteral("-U")} + command;
    }
    const QFile::Permissions read = QFile::ReadOwner | QFile::ExeOwner;
    for (const QString& path : {folder + QStringLiteral("/Fvt"), folder})
        ASSERT_TRUE(QFile::setPermissions(path, read));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kFolderVariable), folder);
    child.setProcessEnvironment(environment);
    child.start(command.takeFirst(), command);
    const bool finished = child.waitForFinished(60000);
    for (const QString& path : {folder, folder + QStringLiteral("/Fvt")})
        QFile::setPermissions(path, read | QFile::WriteOwner);
    ASSERT_TRUE(finished);
    const QByteArray output = child.readAllStandardOutput() + child.readAllStandardError();
    if (output.startsWith("unshare:"))
        GTEST_SKIP() << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

} // namespace
} // namespace vezal
