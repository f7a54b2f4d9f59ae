// "Haftanın Bülteni" with "Adil oranlar": the pool's rows listed at once when the box is ticked, their fair
// odds shown where no price is, the pool's odds typed over one valued, staked and bet; the box kept.
#include "support/TestProgram.h"

#include "betting/BetLedger.h"
#include "windows/BulletinWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaceBetDialog.h"
#include "windows/ProgramWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TestProgram;

const QByteArray kFixtures = "Div,Date,Time,HomeTeam,AwayTeam,B365H,B365D,B365A\n"
                             "T1,10/10/2009,15:00,Kartal,Sivas,3.00,4.00,3.00\n";

constexpr int kMarket = 6, kProbability = 7, kOdds = 9, kSource = 10, kValue = 11, kFlag = 12, kStake = 13;

// The percent a probability cell shows, "%65,4", as a fraction.
double shownFraction(const QTableWidgetItem* cell) {
    QString text = cell->text();
    text.remove(QLatin1Char('%')).replace(QLatin1Char(','), QLatin1Char('.'));
    return text.toDouble() / 100;
}

TEST(BulletinWindowFair, TheBoxListsThePoolsRowsAndTypedOddsOverThemAreStakedAndBet) {
    TestProgram app;
    const QString fixturePath = testing::startWithFixtures(app, kFixtures);
    ASSERT_FALSE(fixturePath.isEmpty());

    app.find<QPushButton>(app.windows().main(), "BulletinButton")->click();
    BulletinWindow* window = app.windows().bulletin();
    ASSERT_TRUE(window);
    auto* box = app.find<QCheckBox>(window, "FairRowsBox");
    EXPECT_EQ(box->text(), "Adil oranlar");
    EXPECT_FALSE(box->isChecked());
    app.dialogs.answerNextFileDialog(fixturePath);
    app.find<QPushButton>(window, "ChooseFileButton")->click();
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    ASSERT_EQ(grid->rowCount(), 7);
    EXPECT_EQ(grid->item(5, kOdds)->text(), ""); // KGVAR: no price, and no fair odds without the box

    box->click();
    EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
    ASSERT_EQ(grid->rowCount(), 20);
    const char* codes[] = {"1X",     "12",     "X2",   "DNB1", "DNB2", "ALT1.5", "UST1.5",
                           "ALT3.5", "UST3.5", "TG01", "TG23", "TG45", "TG6"};
    for (int i = 0; i < 13; ++i) {
        SCOPED_TRACE(codes[i]);
        const int row = 7 + i;
        EXPECT_EQ(grid->item(row, kMarket)->text(), codes[i]);
        EXPECT_EQ(grid->item(row, kSource)->text(), "adil");
        EXPECT_EQ(grid->item(row, kValue)->text(), "");
        EXPECT_EQ(grid->item(row, kFlag)->text(), "");
        EXPECT_EQ(grid->item(row, kStake)->text(), "");
        EXPECT_TRUE(grid->item(row, kOdds)->font().italic());
    }
    // The file's prices stay; KGVAR without one now shows its fair odds.
    EXPECT_EQ(grid->item(0, kOdds)->text(), "3,00");
    EXPECT_EQ(grid->item(0, kSource)->text(), "B365");
    EXPECT_EQ(grid->item(5, kSource)->text(), "adil");
    // 1X's fair odds are 1 / (the 1 row's + the 0 row's), to the tenth of a percent each shows.
    const double oneOrDraw =
        shownFraction(grid->item(0, kProbability)) + shownFraction(grid->item(1, kProbability));
    EXPECT_NEAR(shownFraction(grid->item(7, kProbability)), oneOrDraw, 0.0015);
    const double fair = grid->item(7, kOdds)->text().replace(',', '.').toDouble();
    EXPECT_NEAR(fair, 1 / oneOrDraw, 0.01);

    // The pool's 5,00 over 1X: a value whatever 1X's chance beyond 0.264, its quarter Kelly above the
    // largest stake, 2 % of 1000.
    ASSERT_NO_FATAL_FAILURE(testing::typeIntoCell(grid, 7, kOdds, "5,00"));
    EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
    EXPECT_EQ(grid->item(7, kOdds)->text(), "5,00");
    EXPECT_EQ(grid->item(7, kSource)->text(), "elle");
    EXPECT_EQ(grid->item(7, kFlag)->text(), "Evet");
    EXPECT_EQ(grid->item(7, kStake)->text(), "20,00");
    EXPECT_FALSE(grid->item(7, kOdds)->font().italic());

    grid->clearSelection();
    grid->selectRow(7);
    app.find<QPushButton>(window, "BetButton")->click();
    auto* dialog = window->findChild<PlaceBetDialog*>("PlaceBetDialog");
    ASSERT_TRUE(dialog);
    EXPECT_DOUBLE_EQ(app.find<QDoubleSpinBox>(dialog, "StakeBox")->value(), 20);
    app.find<QPushButton>(dialog, "PlaceButton")->click();
    EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
    const std::vector<BetRecord> bets = BetLedger(app.program.database()).bets();
    ASSERT_EQ(bets.size(), 1u);
    EXPECT_EQ(model::outcomeCode(bets[0].selections[0].selection.outcome), "1X");
    EXPECT_DOUBLE_EQ(bets[0].odds(), 5.00);
    delete dialog;

    // Kept for the next start; untaken, the rows are the seven again.
    BulletinWindow again(app.program);
    EXPECT_TRUE(app.find<QCheckBox>(&again, "FairRowsBox")->isChecked());
    box->click();
    EXPECT_EQ(grid->rowCount(), 7);
    BulletinWindow third(app.program);
    EXPECT_FALSE(app.find<QCheckBox>(&third, "FairRowsBox")->isChecked());
}

} // namespace
} // namespace vezal
