// "Haftanın Bülteni" on a fixture file with Asian handicap odds: the two sides' rows after the seven, under
// their codes, and no bet on them, which the ledger does not keep.
#include "support/TestProgram.h"

#include "betting/BetLedger.h"
#include "windows/BulletinWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaceBetDialog.h"
#include "windows/ProgramWindows.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TestProgram;

// Kartal - Sivas with 1X2 and Asian odds at -0.75; Rize - Bolu at the zero line with Asian odds alone,
// Pinnacle's home odds "1" paying nothing back.
const QByteArray kFixtures =
    "Div,Date,Time,HomeTeam,AwayTeam,B365H,B365D,B365A,AHh,B365AHH,B365AHA,PAHH,PAHA\n"
    "T1,10/10/2009,15:00,Kartal,Sivas,3.00,4.00,3.00,-0.75,2.05,1.85,2.10,1.80\n"
    "T1,10/10/2009,19:00,Rize,Bolu,,,,0,1.95,1.95,1,2.02\n";

TEST(BulletinWindowAsian, TheSidesFollowTheSevenRowsAndAreBetAtTheirLine) {
    TestProgram app;
    const QString fixturePath = testing::startWithFixtures(app, kFixtures);
    ASSERT_FALSE(fixturePath.isEmpty());

    app.find<QPushButton>(app.windows().main(), "BulletinButton")->click();
    BulletinWindow* window = app.windows().bulletin();
    ASSERT_TRUE(window);
    app.dialogs.answerNextFileDialog(fixturePath);
    app.find<QPushButton>(window, "ChooseFileButton")->click();
    EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    ASSERT_EQ(grid->rowCount(), 18);
    const struct {
        int row;
        const char* home;
        const char* market;
        const char* odds; // the best bookmaker's
        const char* source;
    } expected[] = {
        {0, "Kartal", "1", "3,00", "B365"},
        {6, "Kartal", "KGYOK", "", ""},
        {7, "Kartal", "AH1-0.75", "2,10", "PS"},
        {8, "Kartal", "AH2+0.75", "1,85", "B365"},
        {9, "Rize", "1", "", ""},
        {16, "Rize", "AH1+0", "1,95", "B365"},
        {17, "Rize", "AH2+0", "2,02", "PS"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(grid->item(e.row, 3)->text(), e.home) << e.row;
        EXPECT_EQ(grid->item(e.row, 6)->text(), e.market) << e.row;
        EXPECT_EQ(grid->item(e.row, 9)->text(), e.odds) << e.row;
        EXPECT_EQ(grid->item(e.row, 10)->text(), e.source) << e.row;
    }
    // On the zero line a side wins where its team wins and the draw gives the stake back: without 1X2
    // odds to pool with, AH1+0 shows the home win's probability and AH2+0 the away win's.
    EXPECT_EQ(grid->item(16, 7)->text(), grid->item(9, 7)->text());
    EXPECT_EQ(grid->item(17, 7)->text(), grid->item(11, 7)->text());
    EXPECT_NE(grid->item(16, 7)->text(), grid->item(17, 7)->text());

    app.dialogs.clear();
    grid->selectRow(7);
    app.find<QPushButton>(window, "BetButton")->click();
    auto* dialog = window->findChild<PlaceBetDialog*>("PlaceBetDialog");
    ASSERT_TRUE(dialog);
    app.find<QDoubleSpinBox>(dialog, "StakeBox")->setValue(10);
    app.find<QPushButton>(dialog, "PlaceButton")->click();
    EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
    const std::vector<BetRecord> bets = BetLedger(app.program.database()).bets();
    ASSERT_EQ(bets.size(), 1u);
    EXPECT_EQ(model::outcomeCode(bets[0].selections[0].selection.outcome), "AH1-0.75");
    EXPECT_DOUBLE_EQ(bets[0].odds(), 2.10);
    delete dialog;
}

} // namespace
} // namespace vezal
