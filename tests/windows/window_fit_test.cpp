// Every window opens whole on the screen the test runs on: CTest runs it on a 1366 x 768 and a 1280 x 720
// screen. With VEZAL_FIT_PICTURES set to a folder, each window's screen is saved there as a picture (run
// under xvfb-run with QT_QPA_PLATFORM=xcb to look at them).
#include "support/TestProgram.h"

#include "windows/BetSlipDialog.h"
#include "windows/LeagueSourceWindow.h"
#include "windows/LeagueUpdateWindow.h"
#include "windows/MainWindow.h"
#include "windows/MarketsWindow.h"
#include "windows/PlaceBetDialog.h"
#include "windows/ProgramWindows.h"
#include "windows/WebLeaguesDialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <functional>
#include <gtest/gtest.h>

namespace vezal {
namespace {

// The shown window of that objectName lies whole within the free area of its screen; then it is closed.
void expectWhole(const QString& name, bool close = true) {
    QApplication::processEvents();
    QWidget* window = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets())
        if (candidate->objectName() == name && candidate->isVisible())
            window = candidate;
    ASSERT_TRUE(window) << name.toStdString();
    QScreen* screen = window->screen();
    const QRect area = screen->availableGeometry(), frame = window->frameGeometry();
    EXPECT_TRUE(area.contains(frame))
        << name.toStdString() << ": " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
        << frame.height() << " on " << area.width() << "x" << area.height();
    if (const QString pictures = qEnvironmentVariable("VEZAL_FIT_PICTURES"); !pictures.isEmpty())
        screen->grabWindow(0).save(QDir(pictures).filePath(
            QStringLiteral("%1-%2x%3.png").arg(name).arg(area.width()).arg(area.height())));
    if (close)
        window->close();
}

TEST(WindowFit, EveryWindowOpensWhole) {
    testing::TestProgram app;
    app.writeLeagueFile("T1\r\n");
    app.start();
    ASSERT_EQ(testing::importSixTeamSeason(app.program, "T1"), 30);
    Program& program = app.program;
    ProgramWindows& windows = app.windows();
    MainWindow* main = windows.main();
    main->show();
    main->showLeague("T1");
    expectWhole("Form1", false);

    const std::vector<LeagueUpdate> updated(22); // a row for each of 22 leagues
    const std::vector<Selection> selections = {
        {"T1", QDate(2008, 10, 11), "Kartal", "Bolu", model::MatchResult{model::Result::HomeWin}, 2.10},
        {"T1", QDate(2008, 10, 11), "Sivas", "Rize", model::MatchResult{model::Result::Draw}, 3.30},
    };
    const auto modal = [&](QDialog* dialog) {
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        program.dialogs.showModal(dialog);
    };
    const auto whole = [](const char* name, const std::function<void()>& open) {
        open();
        expectWhole(QString::fromLatin1(name));
    };
    // Beside the main window.
    whole("Form4", [&] { windows.showReport(); });
    whole("Form7", [&] { windows.showHelp(); });
    whole("Form8", [&] { windows.showCoupon(); });
    whole("TrackRecordWindow", [&] { windows.openTrackRecord("T1"); });
    whole("BetsWindow", [&] { windows.showBets(); });
    whole("RatingChartWindow", [&] { windows.showRatingChart("Kartal"); });
    whole("BulletinWindow", [&] { windows.openBulletin(); });
    whole("MarketsWindow", [&] {
        auto* markets = new MarketsWindow(program, main);
        markets->setAttribute(Qt::WA_DeleteOnClose);
        markets->showPairing({"T1",
                              "Kartal",
                              "Bolu",
                              QDate(2008, 10, 11),
                              *model::ScoreGrid::dixonColes(1.5, 1.1, -0.05),
                              std::nullopt,
                              {}});
        markets->show();
    });
    // Over the main window's place.
    whole("Form5", [&] { windows.openLeagueList({"T1"}); });
    whole("Form2", [&] { windows.openTeamList(); });
    whole("Form3", [&] { windows.openResults(QDate(2008, 9, 6)); });
    whole("AboutBox", [&] { windows.openAbout(); });
    whole("ImportWindow", [&] { windows.openImport(); });
    whole("FixtureWindow", [&] { windows.openFixtures(); });
    // Made for one use.
    whole("WebLeaguesDialog", [&] { modal(new WebLeaguesDialog(program, main)); });
    whole("LeagueSourceWindow", [&] { modal(new LeagueSourceWindow(program, "T1", main)); });
    whole("UpdateResults", [&] { modal(new LeagueUpdateWindow(updated, {"Lig 23"}, main)); });
    whole("PlaceBetDialog", [&] { modal(new PlaceBetDialog(program, selections, 10, 0.2, main)); });
    whole("BetSlipDialog", [&] {
        const std::vector<CouponEntry> coupon{{"1  -  Kartal - Bolu\t :   1", {}},
                                              {"2  -  Sivas - Rize\t :   0", {}}};
        modal(new BetSlipDialog(program, coupon, main));
    });
}

} // namespace
} // namespace vezal
