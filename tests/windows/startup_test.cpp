#include "support/TestApp.h"
#include "support/TestProgram.h"
#include "windows/ProgramWindows.h"

#include "store/StoreError.h"
#include "windows/AboutBox.h"
#include "windows/CouponWindow.h"
#include "windows/HelpWindow.h"
#include "windows/LeagueListWindow.h"
#include "windows/MainWindow.h"
#include "windows/ReportWindow.h"
#include "windows/ResultsWindow.h"
#include "windows/TeamListWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// The program's windows that exist now, by objectName.
QStringList programWindowNames() {
    QStringList names;
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (QRegularExpression(QStringLiteral("^(Form[1-8]|AboutBox)$"))
                .match(window->objectName())
                .hasMatch())
            names << window->objectName();
    return names;
}

TEST(Startup, CreatesEveryWindowOnceHiddenWithTheMainWindowFirst) {
    TestProgram run;
    run.writeLeagueFile("");
    // Corrupt the table so that the main window's creation reports: at that moment no other window may exist.
    ASSERT_TRUE(QDir(run.folder()).mkpath(QStringLiteral("Fvt")));
    QFile garbage(run.folder() + QStringLiteral("/Fvt/Liste.DB"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    bool othersExisted = true;
    run.dialogs.onAsked = [&](const auto&) {
        othersExisted = !programWindowNames()
                             .filter(QRegularExpression(QStringLiteral("^(Form[2-8]|AboutBox)$")))
                             .isEmpty();
    };
    run.start();
    ASSERT_EQ(run.dialogs.errors().size(), 1);
    EXPECT_FALSE(othersExisted);

    const ProgramWindows& forms = run.windows();
    const std::vector<std::pair<QWidget*, QString>> windows = {
        {forms.main(), "Form1"},   {forms.teamList(), "Form2"},   {forms.results(), "Form3"},
        {forms.report(), "Form4"}, {forms.leagueList(), "Form5"}, {forms.about(), "AboutBox"},
        {forms.help(), "Form7"},   {forms.coupon(), "Form8"}};
    for (const auto& [window, name] : windows) {
        ASSERT_NE(window, nullptr) << name.toStdString();
        EXPECT_EQ(window->objectName(), name);
        EXPECT_FALSE(window->isVisible()) << name.toStdString(); // main() shows the main window itself
    }
    EXPECT_EQ(forms.mainWindow(), forms.main());
    EXPECT_EQ(forms.main()->windowTitle(), MainWindow::initialCaption());
    EXPECT_EQ(forms.teamList()->windowTitle(), QString::fromUtf8("  TAKIM LİSTESİ"));
    EXPECT_EQ(forms.leagueList()->windowTitle(), QString::fromUtf8("  LİG LİSTESİ"));
    EXPECT_EQ(forms.about()->windowTitle(), QString::fromUtf8("Hakkında"));
    EXPECT_EQ(forms.help()->windowTitle(), QString::fromUtf8("Vezal Yardım"));

    run.stop();
    EXPECT_FALSE(run.program.hasWindows());
    EXPECT_TRUE(programWindowNames().isEmpty());
}

// A window whose size is fixed offers no maximise button, which would do nothing.
TEST(Startup, FixedSizeWindowsOfferOnlyWhatWorks) {
    TestProgram run;
    run.writeLeagueFile("");
    run.start();
    const ProgramWindows& windows = run.windows();
    int fixed = 0;
    for (QWidget* window : std::initializer_list<QWidget*>{
             windows.teamList(), windows.results(), windows.leagueList(), windows.about(), windows.help()}) {
        if (window->layout())
            window->layout()->activate();
        ASSERT_EQ(window->minimumSize(), window->maximumSize()) << window->objectName().toStdString();
        ++fixed;
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << window->objectName().toStdString();
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << window->objectName().toStdString();
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint)) << window->objectName().toStdString();
    }
    EXPECT_EQ(fixed, 5);
}

TEST(Startup, FirstStartWithoutTheLeagueFileShowsTheErrorAndWritesAnEmptyFileAtClose) {
    TestProgram run;
    ASSERT_FALSE(run.leagueFileExists());
    run.start();
    MainWindow* main = run.windows().main();
    main->show();

    ASSERT_EQ(run.dialogs.errors().size(), 1);
    EXPECT_TRUE(run.dialogs.errors().front().contains(QStringLiteral("klasman.dat")))
        << run.dialogs.errors().front().toStdString();
    auto* selector = run.find<QComboBox>(main, "ComboBox1");
    EXPECT_EQ(selector->count(), 0);
    EXPECT_EQ(selector->currentIndex(), -1);
    EXPECT_EQ(run.find<QLineEdit>(main, "Edit1")->text(), QString());

    QSignalSpy closed(main, &MainWindow::closed);
    EXPECT_TRUE(main->close());
    EXPECT_EQ(closed.count(), 1);
    ASSERT_TRUE(run.leagueFileExists());
    EXPECT_EQ(run.leagueFileBytes(), QByteArray());
}

TEST(Startup, TheSelectorIsSortedWithoutRegardToCaseAndTheFileIsSavedInItsOrder) {
    TestProgram run;
    const QStringList fileOrder = {QString::fromUtf8("Süper Lig"), QStringLiteral("almanya"),
                                   QString::fromUtf8("İngiltere"), QString::fromUtf8("çek ligi"),
                                   QStringLiteral("Belediye"),     QStringLiteral("Irak")};
    // Lone LF and a last line without line end are read too.
    run.writeLeagueFile(codePage1254(fileOrder.mid(0, 3).join(QStringLiteral("\r\n")) + QStringLiteral("\n") +
                                     fileOrder.mid(3).join(QStringLiteral("\r"))));
    run.start();
    MainWindow* main = run.windows().main();
    main->show();
    ASSERT_TRUE(run.dialogs.asked.empty());

    const QStringList sorted = {QStringLiteral("almanya"),      QStringLiteral("Belediye"),
                                QString::fromUtf8("çek ligi"),  QStringLiteral("Irak"),
                                QString::fromUtf8("İngiltere"), QString::fromUtf8("Süper Lig")};
    auto* selector = run.find<QComboBox>(main, "ComboBox1");
    EXPECT_EQ(itemsOf(selector), sorted);
    EXPECT_EQ(selector->currentIndex(), -1);
    EXPECT_EQ(selector->maxVisibleItems(), 24);
    EXPECT_FALSE(selector->isEditable());
    EXPECT_EQ(main->loadedLeague(), QString());

    ASSERT_TRUE(main->close());
    EXPECT_EQ(run.leagueFileBytes(),
              codePage1254(sorted.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

// vezal-cli adds and deletes leagues while the program is open; the save at close keeps what it did.
TEST(Startup, TheSaveAtCloseKeepsWhatAnotherProcessDidToTheLeagueList) {
    TestProgram run;
    run.writeLeagueFile(codePage1254(QStringLiteral("Belediye\r\nIrak\r\n")));
    run.start();
    MainWindow* main = run.windows().main();
    main->show();

    // Written behind the program's back, as another process would: Irak gone, two leagues added.
    run.writeLeagueFile(codePage1254(QString::fromUtf8("Belediye\r\nZambiya\r\nÇin\r\n")));
    ASSERT_TRUE(main->close());

    EXPECT_EQ(run.leagueFileBytes(), codePage1254(QString::fromUtf8("Belediye\r\nÇin\r\nZambiya\r\n")));
}

// "Çıkış" always ends the program: a save at close that fails is said, and the file stays as it was.
TEST(Startup, AFailedSaveAtCloseIsSaidAndTheProgramEndsAllTheSame) {
    TestProgram run;
    run.writeLeagueFile(codePage1254(QString::fromUtf8("Süper Lig\r\n")));
    run.start();
    MainWindow* main = run.windows().main();
    main->show();
    QSignalSpy closed(main, &MainWindow::closed);

    // A folder where the file should be: the file cannot be created.
    ASSERT_TRUE(QFile::remove(run.leagueFilePath()));
    ASSERT_TRUE(QDir().mkdir(run.leagueFilePath()));
    run.find<QAction>(main, "k1")->trigger();
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(closed.count(), 1);
    ASSERT_EQ(run.dialogs.errors().size(), 1);
    EXPECT_TRUE(run.dialogs.errors().front().contains(QStringLiteral("klasman.dat")));
    EXPECT_TRUE(QFileInfo(run.leagueFilePath()).isDir());
}

// "vezal --dir data": a file dialog, even cancelled, moves the working folder into the data folder; the data
// stays where it was at start.
TEST(Startup, ARelativeDataFolderStaysPutWhenAFileDialogMovesTheWorkingFolder) {
    testing::testApp();
    QTemporaryDir parent;
    ASSERT_TRUE(QDir(parent.path()).mkdir(QStringLiteral("data")));
    const QString data = parent.path() + QStringLiteral("/data");
    QFile(data + QStringLiteral("/klasman.dat")).open(QIODevice::WriteOnly);
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(parent.path()));
    {
        testing::ScriptedDialogs dialogs;
        Program program(QStringLiteral("data"), dialogs, [] { return TestProgram::kToday; });
        ProgramWindows windows(program);
        windows.main()->show();
        windows.report()->findChild<QAction*>(QStringLiteral("ToolButton2"))->trigger(); // cancelled
        QTest::mouseClick(windows.main()->findChild<QPushButton*>(QStringLiteral("GuideSampleButton")),
                          Qt::LeftButton);
        EXPECT_EQ(windows.main()->leagues(), QStringList{QString::fromUtf8("Örnek Lig")});
        QSignalSpy closed(windows.main(), &MainWindow::closed);
        windows.main()->findChild<QAction*>(QStringLiteral("k1"))->trigger();
        EXPECT_EQ(closed.count(), 1);
        EXPECT_EQ(dialogs.errors(), QStringList());
    }
    QDir::setCurrent(started);
    QFile list(data + QStringLiteral("/klasman.dat"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), codePage1254(QString::fromUtf8("Örnek Lig\r\n")));
    EXPECT_TRUE(QFileInfo(data + QStringLiteral("/Fvt/Liste.DB")).isFile());
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/data")));
}

TEST(Startup, ATableThatCannotBeOpenedSkipsTheLeagueListAndTheProgramRunsOn) {
    TestProgram run;
    run.writeLeagueFile("A\r\nB\r\n");
    ASSERT_TRUE(QDir(run.folder()).mkpath(QStringLiteral("Fvt")));
    QFile garbage(run.folder() + QStringLiteral("/Fvt/Liste.DB"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();

    run.start();
    MainWindow* main = run.windows().main();
    main->show();
    ASSERT_EQ(run.dialogs.errors().size(), 1);
    EXPECT_EQ(run.find<QComboBox>(main, "ComboBox1")->count(), 0);
    // Whoever needs the table later hears why it is missing.
    EXPECT_THROW(run.program.table(), StoreError);
    EXPECT_TRUE(main->isVisible());

    // The list was never read: closing must not replace it with the empty selector.
    EXPECT_TRUE(main->close());
    EXPECT_EQ(run.leagueFileBytes(), QByteArray("A\r\nB\r\n"));
}

} // namespace
} // namespace vezal
