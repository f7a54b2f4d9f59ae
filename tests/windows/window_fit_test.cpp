// Every window opens whole on the screen the test runs on: CTest runs it on a 1366 x 768 and a 1280 x 720
// screen. With VEZAL_FIT_PICTURES set to a folder, each window's screen is saved there as a picture (run
// under xvfb-run with QT_QPA_PLATFORM=xcb to look at them).
#include "support/TestProgram.h"

#include "exchange/Import.h"
#include "exchange/MatchFile.h"
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

namespace vezal {
namespace {

using testing::TestProgram;

const QStringList kTeams = {"Kartal", "Bolu", "Sivas", "Çorum", "Rize", "İzmir"};

// Six Saturdays of three matches from 02.08.2008, with 1X2 odds.
QByteArray season() {
    QByteArray csv = "Date,HomeTeam,AwayTeam,FTHG,FTAG,AvgH,AvgD,AvgA\n";
    for (int week = 0; week < 6; ++week)
        for (int i = 0; i < 3; ++i)
            csv += QStringLiteral("%1,%2,%3,%4,%5,2.10,3.30,3.40\n")
                       .arg(QDate(2008, 8, 2).addDays(7 * week).toString("dd/MM/yyyy"),
                            kTeams[(i + week) % 6], kTeams[(5 - i + week) % 6])
                       .arg((week + i) % 3)
                       .arg(week % 2)
                       .toUtf8();
    return csv;
}

class WindowFitTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.writeLeagueFile("T1\r\n");
        app.start();
        const MatchFileReading reading = readMatchFile(season(), MatchFileKind::Results, QDate(2025, 3, 1));
        ImportOptions options;
        options.startingPoints = 5;
        ASSERT_EQ(
            importResults(app.program.database(), app.program.table(), "T1", reading.rows, options).added,
            18);
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

    TestProgram app;
    MainWindow* main = nullptr;
};

TEST_F(WindowFitTest, TheWindowsBesideTheMainWindowOpenWhole) {
    expectWhole(main, "main");
    ProgramWindows& windows = app.windows();
    struct Case {
        const char* what;
        std::function<void()> open;
        std::function<QWidget*()> window;
    } cases[] = {
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
    };
    for (const Case& c : cases) {
        c.open();
        expectWhole(c.window(), c.what);
        c.window()->close();
    }
}

// The administration windows hide the main window and show themselves over its place.
TEST_F(WindowFitTest, TheAdministrationWindowsOpenWhole) {
    ProgramWindows& windows = app.windows();
    struct Case {
        const char* what;
        std::function<void()> open;
        std::function<QWidget*()> window;
    } cases[] = {
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
    };
    for (const Case& c : cases) {
        c.open();
        expectWhole(c.window(), c.what);
        c.window()->close();
    }
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
