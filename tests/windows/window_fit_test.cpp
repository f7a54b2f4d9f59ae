// Every window opens whole on the screen the test runs on: CTest runs it on a 1366 x 768 and a 1280 x 720
// screen. With VEZAL_FIT_PICTURES set to a folder, each window's screen is saved there as a picture (run
// under xvfb-run with QT_QPA_PLATFORM=xcb to look at them).
#include "support/TestProgram.h"

#include "windows/AboutBox.h"
#include "windows/BetSlipDialog.h"
#include "windows/BetsWindow.h"
#include "windows/BulletinWindow.h"
#include "windows/CouponWindow.h"
#include "windows/FixtureWindow.h"
#include "windows/HelpWindow.h"
#include "windows/ImportWindow.h"
#include "windows/LeagueListWindow.h"
#include "windows/LeagueSourceWindow.h"
#include "windows/LeagueUpdateWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaceBetDialog.h"
#include "windows/ProgramWindows.h"
#include "windows/RatingChartWindow.h"
#include "windows/ReportWindow.h"
#include "windows/ResultsWindow.h"
#include "windows/TeamListWindow.h"
#include "windows/TrackRecordWindow.h"
#include "windows/WebLeaguesDialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>

namespace vezal {
namespace {

using testing::TestProgram;

// A window to open, and how the program opens it.
struct Opened {
    const char* what;
    std::function<void()> open;
    std::function<QWidget*()> window;
};

class WindowFitTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.writeLeagueFile("T1\r\n");
        app.start();
        ASSERT_EQ(testing::importSixTeamSeason(app.program, "T1"), 30);
        main = app.windows().main();
        main->show();
        main->showLeague("T1");
    }

    // The window shown lies whole within the free area of its screen.
    void expectWhole(QWidget* window, const char* what) {
        ASSERT_TRUE(window) << what;
        QApplication::processEvents();
        ASSERT_TRUE(window->isVisible()) << what;
        QScreen* screen = window->screen();
        ASSERT_TRUE(screen);
        const QRect area = screen->availableGeometry();
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(area.contains(frame))
            << what << ": " << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height()
            << " on " << area.width() << "x" << area.height();
        const QString pictures = qEnvironmentVariable("VEZAL_FIT_PICTURES");
        if (!pictures.isEmpty())
            screen->grabWindow(0).save(QDir(pictures).filePath(QStringLiteral("%1-%2x%3.png")
                                                                   .arg(QString::fromLatin1(what))
                                                                   .arg(area.width())
                                                                   .arg(area.height())));
    }

    void expectEachWhole(std::initializer_list<Opened> windows) {
        for (const Opened& opened : windows) {
            opened.open();
            expectWhole(opened.window(), opened.what);
            opened.window()->close();
        }
    }

    TestProgram app;
    MainWindow* main = nullptr;
};

TEST_F(WindowFitTest, TheWindowsBesideTheMainWindowOpenWhole) {
    expectWhole(main, "main");
    ProgramWindows& windows = app.windows();
    expectEachWhole({
        {"report", [&] { windows.showReport(); },
         [&] {
             return windows.report();
         }},
        {"coupon", [&] { windows.showCoupon(); },
         [&] {
             return windows.coupon();
         }},
        {"help", [&] { windows.showHelp(); },
         [&] {
             return windows.help();
         }},
        {"track-record", [&] { windows.openTrackRecord("T1"); },
         [&] {
             return windows.trackRecord();
         }},
        {"bets", [&] { windows.showBets(); },
         [&] {
             return windows.bets();
         }},
        {"rating-chart", [&] { windows.showRatingChart("Kartal"); },
         [&] {
             return windows.ratingChart();
         }},
        {"bulletin", [&] { windows.openBulletin(); },
         [&] {
             return windows.bulletin();
         }},
    });
}

// The administration windows hide the main window and show themselves over its place.
TEST_F(WindowFitTest, TheAdministrationWindowsOpenWhole) {
    ProgramWindows& windows = app.windows();
    expectEachWhole({
        {"league-list", [&] { windows.openLeagueList({"T1"}); },
         [&] {
             return windows.leagueList();
         }},
        {"team-list", [&] { windows.openTeamList(); },
         [&] {
             return windows.teamList();
         }},
        {"results", [&] { windows.openResults(QDate(2008, 9, 6)); },
         [&] {
             return windows.results();
         }},
        {"about", [&] { windows.openAbout(); },
         [&] {
             return windows.about();
         }},
        {"import", [&] { windows.openImport(); },
         [&] {
             return windows.import();
         }},
        {"fixtures", [&] { windows.openFixtures(); },
         [&] {
             return windows.fixtures();
         }},
    });
}

// The dialogs made for one use: the web leagues, a league's source, the update's counts, the bet dialogs.
TEST_F(WindowFitTest, TheDialogsOpenWhole) {
    Program& program = app.program;
    std::vector<LeagueUpdate> updated(22);
    for (std::size_t i = 0; i < updated.size(); ++i)
        updated[i].league = QStringLiteral("Lig %1").arg(i + 1);
    const std::vector<Selection> selections = {
        {"T1", QDate(2008, 9, 13), "Kartal", "Bolu", BulletinMarket::Home, 2.10},
        {"T1", QDate(2008, 9, 13), "Sivas", "Rize", BulletinMarket::Draw, 3.30},
    };
    struct Case {
        const char* what;
        std::function<QDialog*()> make;
    } cases[] = {
        {"web-leagues",
         [&] {
             return new WebLeaguesDialog(program, main);
         }},
        {"league-source",
         [&] {
             return new LeagueSourceWindow(program, "T1", main);
         }},
        {"update-results",
         [&] {
             return new LeagueUpdateWindow(updated, {"Lig 23"}, main);
         }},
        {"place-bet",
         [&] {
             return new PlaceBetDialog(program, selections, 10, 0.2, main);
         }},
        {"bet-slip",
         [&] {
             return new BetSlipDialog(program, {"1  -  Kartal - Bolu\t :   1", "2  -  Sivas - Rize\t :   0"},
                                      main);
         }},
    };
    for (const Case& c : cases) {
        QDialog* dialog = c.make();
        program.dialogs.showModal(dialog);
        expectWhole(dialog, c.what);
        delete dialog;
    }
}

} // namespace
} // namespace vezal
