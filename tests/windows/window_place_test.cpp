// A window's size, place and maximised state kept between starts in the data folder, and brought whole into
// the screen (1920 x 1080 here) when what was kept does not fit.
#include "support/TestProgram.h"

#include "windows/BetsWindow.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"
#include "windows/TrackRecordWindow.h"
#include "windows/WindowPlace.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TestProgram;

TEST(WindowPlace, AFrameIsMovedAndShrunkIntoTheArea) {
    // A 1366 x 768 screen with a 40 pixel panel below: x 0..1365, y 0..727.
    const QRect laptop(0, 0, 1366, 728);
    struct Case {
        const char* name;
        QRect area;
        QRect frame;
        QRect expected;
    } cases[] = {
        {"inside stays", laptop, {100, 50, 800, 600}, {100, 50, 800, 600}},
        // 1000 x 900 centred above the screen: as tall as the area, its top at 0; 183 + 1000 fits.
        {"above and too tall", laptop, {183, -67, 1000, 900}, {183, 0, 1000, 728}},
        // Its right edge at 1499: moved left to end at 1365, 1366 - 600 = 766.
        {"past the right edge", laptop, {900, 100, 600, 400}, {766, 100, 600, 400}},
        {"wider than the screen", laptop, {-10, 10, 2000, 300}, {0, 10, 1366, 300}},
        // A panel above: the area starts at y 32, 736 high.
        {"under a top panel", {0, 32, 1366, 736}, {10, 0, 400, 300}, {10, 32, 400, 300}},
        // A second screen right of the first: x 1366..2645.
        {"on the second screen", {1366, 0, 1280, 720}, {1300, 100, 500, 400}, {1366, 100, 500, 400}},
        {"past its bottom", {1366, 0, 1280, 720}, {2000, 500, 500, 400}, {2000, 320, 500, 400}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitFrameInto(c.frame, c.area), c.expected) << c.name;
}

class WindowPlaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.writeLeagueFile("");
        app.start();
    }

    BetsWindow* openBets() {
        app.windows().showBets();
        QApplication::processEvents();
        return app.windows().bets();
    }

    TrackRecordWindow* openTrackRecord() {
        app.windows().openTrackRecord(QString());
        QApplication::processEvents();
        return app.windows().trackRecord();
    }

    void restart() {
        app.stop();
        app.start();
    }

    TestProgram app;
};

TEST_F(WindowPlaceTest, SizeAndPlaceComeBackAfterAStart) {
    BetsWindow* bets = openBets();
    bets->move(120, 60);
    bets->resize(1200, 560);
    bets->close();
    restart();
    bets = openBets();
    EXPECT_EQ(bets->pos(), QPoint(120, 60));
    EXPECT_EQ(bets->size(), QSize(1200, 560));
    EXPECT_FALSE(bets->isMaximized());
    // Kept in the data folder, under the window's objectName.
    const QSettings kept(placesPath(app.folder()), QSettings::IniFormat);
    EXPECT_EQ(kept.value("BetsWindow/place").toRect(), QRect(120, 60, 1200, 560));

    // Moved again and left open as the program ends: the last place is kept all the same.
    bets->move(300, 200);
    restart();
    bets = openBets();
    EXPECT_EQ(bets->pos(), QPoint(300, 200));
    EXPECT_EQ(bets->size(), QSize(1200, 560));
}

TEST_F(WindowPlaceTest, AMaximisedWindowOpensMaximisedAndReturnsToItsSize) {
    TrackRecordWindow* window = openTrackRecord();
    window->move(50, 40);
    window->resize(1000, 700);
    window->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(window->isMaximized());
    window->close();
    restart();
    window = openTrackRecord();
    EXPECT_TRUE(window->isMaximized());
    window->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(window->pos(), QPoint(50, 40));
    EXPECT_EQ(window->size(), QSize(1000, 700));
}

// A place kept on a larger screen or one since gone opens whole on this one (1920 x 1080).
TEST_F(WindowPlaceTest, APlaceThatNoLongerFitsIsBroughtIn) {
    struct Case {
        const char* name;
        QRect kept;
        QRect expected;
    } cases[] = {
        {"above and left, larger than the screen", {-400, -300, 3000, 2000}, {0, 0, 1920, 1080}},
        // Right of and below this screen. The test platform draws a frame of 2 pixels round the inside:
        // 1204 x 504 in all, moved to end at 1919 and 1079, at 1920 - 1204 and 1080 - 504.
        {"on a screen since gone", {2500, 1500, 1200, 500}, {716, 576, 1204, 504}},
    };
    for (const Case& c : cases) {
        {
            QSettings kept(placesPath(app.folder()), QSettings::IniFormat);
            kept.setValue("BetsWindow/place", c.kept);
        }
        restart();
        BetsWindow* bets = openBets();
        EXPECT_EQ(bets->frameGeometry(), c.expected) << c.name;
        EXPECT_TRUE(bets->screen()->availableGeometry().contains(bets->frameGeometry())) << c.name;
        bets->close();
    }
}

} // namespace
} // namespace vezal
