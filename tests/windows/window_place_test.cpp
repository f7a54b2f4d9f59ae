// A window's size, place and maximised state kept between starts in the data folder, and brought whole into
// the screen (1920 x 1080 here) when what was kept does not fit.
#include "support/TestProgram.h"

#include "windows/BetsWindow.h"
#include "windows/ProgramWindows.h"
#include "windows/TrackRecordWindow.h"
#include "windows/WindowPlace.h"

#include <QApplication>
#include <QSettings>
#include <gtest/gtest.h>

namespace vezal {
namespace {

TEST(WindowPlace, AFrameIsMovedAndShrunkIntoTheArea) {
    const QRect laptop(0, 0, 1366, 728); // 1366 x 768 with a 40 pixel panel below
    const struct {
        QRect area, frame, expected;
    } cases[] = {
        {laptop, {100, 50, 800, 600}, {100, 50, 800, 600}},
        // 1000 x 900 above the screen: as tall as the area, its top at 0.
        {laptop, {183, -67, 1000, 900}, {183, 0, 1000, 728}},
        // Its right edge at 1499, moved to end at 1365: 1366 - 600 = 766.
        {laptop, {900, 100, 600, 400}, {766, 100, 600, 400}},
        // On a second screen at x 1366, under a panel of 32 pixels above.
        {{1366, 32, 1280, 688}, {1300, 0, 500, 400}, {1366, 32, 500, 400}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitFrameInto(c.frame, c.area), c.expected) << c.frame.x() << "," << c.frame.y();
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
    void restart() {
        app.stop();
        app.start();
    }
    testing::TestProgram app;
};

TEST_F(WindowPlaceTest, SizePlaceAndMaximisedStateComeBackAfterAStart) {
    BetsWindow* bets = openBets();
    bets->move(120, 60);
    bets->resize(1200, 560);
    bets->close();
    restart();
    bets = openBets();
    EXPECT_EQ(QRect(bets->pos(), bets->size()), QRect(120, 60, 1200, 560));
    // Kept in the data folder under the window's objectName: the frame's corner and the inside's size.
    EXPECT_EQ(QSettings(placesPath(app.folder()), QSettings::IniFormat).value("BetsWindow/place").toRect(),
              QRect(120, 60, 1200, 560));
    // Left open as the program ends: kept all the same.
    bets->move(300, 200);
    restart();
    bets = openBets();
    EXPECT_EQ(bets->pos(), QPoint(300, 200));

    app.windows().openTrackRecord(QString());
    TrackRecordWindow* record = app.windows().trackRecord();
    record->setGeometry(50, 40, 1000, 700);
    record->showMaximized();
    record->close();
    restart();
    app.windows().openTrackRecord(QString());
    record = app.windows().trackRecord();
    EXPECT_TRUE(record->isMaximized());
    record->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(record->size(), QSize(1000, 700));
}

// Kept on a larger screen, or on one since gone right of and below this one: brought whole onto it. The
// test platform draws a frame of 2 pixels round the inside: 1200 x 500 is 1204 x 504 in all, moved to end
// at 1919 and 1079, at 1920 - 1204 and 1080 - 504.
TEST_F(WindowPlaceTest, APlaceThatNoLongerFitsIsBroughtIn) {
    const std::pair<QRect, QRect> cases[] = {{{-400, -300, 3000, 2000}, {0, 0, 1920, 1080}},
                                             {{2500, 1500, 1200, 500}, {716, 576, 1204, 504}}};
    for (const auto& [kept, expected] : cases) {
        QSettings(placesPath(app.folder()), QSettings::IniFormat).setValue("BetsWindow/place", kept);
        restart();
        BetsWindow* bets = openBets();
        EXPECT_EQ(bets->frameGeometry(), expected) << kept.x();
        bets->close();
    }
}

} // namespace
} // namespace vezal
