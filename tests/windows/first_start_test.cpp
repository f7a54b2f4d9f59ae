// The first start: a data folder without a league shows the guide in the tables' place, and its actions
// lead to a first league.
#include "support/TestProgram.h"
#include "windows/ImportWindow.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

class FirstStart : public ::testing::Test {
protected:
    void start(const QByteArray& leagueFile) {
        run.writeLeagueFile(leagueFile);
        run.start();
        main = run.windows().main();
        main->show();
    }
    QWidget* guide() const { return run.find<QWidget>(main, QStringLiteral("FirstStartGuide")); }
    QWidget* homeTable() const { return run.find<QTableView>(main, QStringLiteral("DBGrid1")); }
    void click(const char* button) {
        QTest::mouseClick(run.find<QPushButton>(main, QString::fromLatin1(button)), Qt::LeftButton);
    }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(FirstStart, AFolderWithoutALeagueShowsTheGuideInsteadOfTheTables) {
    struct Case {
        const char* what;
        QByteArray leagueFile;
        bool guideShown;
    };
    const Case cases[] = {{"empty klasman.dat", QByteArray(), true},
                          {"one league", codePage1254(utf8("1. Lig\r\n")), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram fresh;
        fresh.writeLeagueFile(c.leagueFile);
        fresh.start();
        MainWindow* window = fresh.windows().main();
        window->show();
        EXPECT_EQ(fresh.find<QWidget>(window, QStringLiteral("FirstStartGuide"))->isVisible(), c.guideShown);
        EXPECT_EQ(fresh.find<QTableView>(window, QStringLiteral("DBGrid1"))->isVisible(), !c.guideShown);
        fresh.stop();
    }
}

TEST_F(FirstStart, TheSampleLeagueLoadsIsShownAndTheGuideGoes) {
    start(QByteArray());
    ASSERT_TRUE(guide()->isVisible());
    click("GuideSampleButton");

    EXPECT_TRUE(run.dialogs.warnings().isEmpty()) << run.dialogs.warnings().join(u'\n').toStdString();
    EXPECT_EQ(main->leagues(), QStringList{utf8("Örnek Lig")});
    EXPECT_EQ(main->loadedLeague(), utf8("Örnek Lig"));
    EXPECT_FALSE(guide()->isVisible());
    EXPECT_TRUE(homeTable()->isVisible());
    // Ten seed rows and 180 matches; the list file names the league.
    EXPECT_EQ(run.rowCount(utf8("Örnek Lig")), 190);
    EXPECT_EQ(run.leagueFileBytes(), codePage1254(utf8("Örnek Lig\r\n")));
    EXPECT_EQ(run.find<QTableView>(main, QStringLiteral("DBGrid1"))->model()->rowCount(), 10);
}

TEST_F(FirstStart, TheImportActionOpensTheImportWindow) {
    start(QByteArray());
    click("GuideImportButton");
    EXPECT_TRUE(run.windows().import()->isVisible());
}

} // namespace
} // namespace vezal
