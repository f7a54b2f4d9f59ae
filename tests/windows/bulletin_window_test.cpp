// "Haftanın Bülteni", opened from the main window and driven by objectName with scripted dialogs, on a
// league imported from a CSV file.
#include "support/TestProgram.h"

#include "betting/BetLedger.h"
#include "common/Names.h"
#include "windows/BulletinWindow.h"
#include "windows/CouponWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaceBetDialog.h"
#include "windows/ProgramWindows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <optional>
#include <sys/stat.h>
#include <tuple>

namespace vezal {
namespace {

using testing::TestProgram;

// A "%21,7" or "-%48,7" cell as the number it shows, 21.7 or -48.7.
double percentCell(QTableWidget* grid, int row, int column) {
    QString text = grid->item(row, column)->text();
    return text.remove('%').replace(',', '.').toDouble();
}

// Two fixtures of T1 with long odds on both sides, so that at least one outcome has value and others not.
const QByteArray kFixtures = "Div,Date,Time,HomeTeam,AwayTeam,B365H,B365D,B365A,B365>2.5,B365<2.5\n"
                             "T1,10/10/2009,15:00,Kartal,Sivas,3.00,4.00,3.00,1.50,2.80\n"
                             "T1,10/10/2009,19:00,Rize,Bolu,1.30,6.00,9.00,2.60,1.45\n"
                             "E0,10/10/2009,12:30,Arsenal,Leeds,1.5,4,6,,\n";

class BulletinWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixturePath = testing::startWithFixtures(app, kFixtures);
        ASSERT_FALSE(fixturePath.isEmpty());
    }

    BulletinWindow* openFromMainWindow() {
        MainWindow* main = app.windows().main();
        QPushButton* button = app.find<QPushButton>(main, "BulletinButton");
        if (!button)
            return nullptr;
        button->click();
        return app.windows().bulletin();
    }

    // Choosing the file lists it.
    void list(BulletinWindow* window) {
        app.dialogs.answerNextFileDialog(fixturePath);
        app.find<QPushButton>(window, "ChooseFileButton")->click();
    }

    TestProgram app;
    QString fixturePath;
};

TEST_F(BulletinWindowTest, ListsRowsHighlightsValueAndSorts) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(app.find<QAction>(app.windows().main(), "BulletinAction"));
    // The usual settings; a thousand without a group separator, which would read as a decimal mark.
    EXPECT_EQ(app.find<QLineEdit>(window, "BankrollBox")->text(), "1000");
    EXPECT_EQ(app.find<QLineEdit>(window, "FractionBox")->text(), "0,25");
    EXPECT_EQ(app.find<QLineEdit>(window, "MaxStakeBox")->text(), "0,02");
    list(window);
    EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    ASSERT_EQ(grid->rowCount(), 14);
    // The file's order until a header is clicked: Kartal - Sivas's seven rows, then Rize - Bolu's.
    EXPECT_EQ(grid->item(0, 3)->text(), "Kartal");
    EXPECT_EQ(grid->item(0, 6)->text(), "1");
    EXPECT_EQ(grid->item(7, 3)->text(), "Rize");
    EXPECT_TRUE(app.find<QLabel>(window, "StatusLabel")->text().contains("E0 (1)"));
    // Evidence: 1X2 and UO for T1; the league keeps no over/under odds.
    auto* evidence = app.find<QTableWidget>(window, "EvidenceGrid");
    ASSERT_EQ(evidence->rowCount(), 2);
    EXPECT_EQ(evidence->item(1, 2)->text(), "-");

    int values = 0, others = 0;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QString flag = grid->item(row, 12)->text();
        const bool highlighted = grid->item(row, 0)->background().style() != Qt::NoBrush;
        EXPECT_EQ(highlighted, flag == "Evet") << row;
        EXPECT_EQ(grid->item(row, 10)->text(), grid->item(row, 9)->text().isEmpty() ? "" : "B365") << row;
        // A quarter Kelly of 1000 at odds up to 9 with value above 0.05 is at least 0.25 * 0.05 / 8 * 1000;
        // only one outcome of a market keeps it.
        const double stake = grid->item(row, 13)->text().replace(',', '.').toDouble();
        if (flag == "Evet" && stake > 0) {
            EXPECT_GE(stake, 1.56) << row;
        }
        if (flag != "Evet") {
            EXPECT_EQ(stake, 0) << row;
        }
        values += flag == "Evet";
        others += flag == "Hayır";
        // Turkish percents, as the rest of the program writes them: the sign first, a comma, one decimal.
        EXPECT_TRUE(QRegularExpression("^%\\d{1,3},\\d$").match(grid->item(row, 7)->text()).hasMatch())
            << grid->item(row, 7)->text().toStdString();
        EXPECT_FALSE(grid->item(row, 5)->text().isEmpty()); // "Tahmin"'s signs and score
        // The forecast ("Olasılık") is the model's own where the file gives the market no odds, and lies
        // between the model's and the book's where it does.
        const double forecast = percentCell(grid, row, 7), model = percentCell(grid, row, 14);
        if (grid->item(row, 8)->text().isEmpty()) {
            EXPECT_EQ(forecast, model) << row;
        } else {
            const double book = percentCell(grid, row, 8);
            EXPECT_GE(forecast, std::min(model, book) - 0.1) << row;
            EXPECT_LE(forecast, std::max(model, book) + 0.1) << row;
        }
    }
    EXPECT_GT(values, 0);
    // The league keeps no closing odds: nothing to hold its bets against.
    ASSERT_EQ(evidence->columnCount(), 10);
    for (int column : {7, 8, 9})
        EXPECT_EQ(evidence->item(0, column)->text(), "-") << column;
    EXPECT_GT(others, 0);

    // Sorted by the number, not the text: "%9,5" below "%10,2".
    grid->sortItems(7, Qt::AscendingOrder);
    for (int row = 1; row < grid->rowCount(); ++row)
        EXPECT_LE(percentCell(grid, row - 1, 7), percentCell(grid, row, 7)) << row;
}

TEST_F(BulletinWindowTest, DoubleClickPredictsInTheMainWindowAndCouponTakesTheLine) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    list(window);
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    ASSERT_EQ(grid->rowCount(), 14);
    grid->sortItems(3, Qt::DescendingOrder); // Rize - Bolu first
    ASSERT_EQ(grid->item(0, 3)->text(), "Rize");
    emit grid->cellDoubleClicked(0, 0);
    MainWindow* main = app.windows().main();
    EXPECT_EQ(main->loadedLeague(), "T1");
    EXPECT_EQ(app.find<QComboBox>(main, "ComboBox3")->currentText(), "Rize");
    EXPECT_EQ(app.find<QComboBox>(main, "ComboBox4")->currentText(), "Bolu");
    const QString sign = app.find<QLineEdit>(main, "Memo9")->text();
    EXPECT_FALSE(sign.isEmpty());
    EXPECT_TRUE(grid->item(0, 5)->text().startsWith(sign));
    // On the fixture's own day, at the file's 1,30, 6,00 and 9,00.
    EXPECT_EQ(app.find<QDateEdit>(main, "PredictionDayBox")->date(), QDate(2009, 10, 10));
    QStringList odds;
    for (const char* box : {"OddsHomeBox", "OddsDrawBox", "OddsAwayBox"})
        odds << app.find<QLineEdit>(main, box)->text();
    EXPECT_EQ(odds, (QStringList{"1,30", "6,00", "9,00"}));
    EXPECT_FALSE(app.find<QLabel>(main, "ValueLine")->text().isEmpty()); // valued at them
}

TEST_F(BulletinWindowTest, CouponTakesTheChosenOutcomes) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    list(window);
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    ASSERT_EQ(grid->rowCount(), 14);
    CouponWindow* coupon = app.windows().coupon();
    ASSERT_TRUE(coupon->lines().isEmpty());
    app.find<QPushButton>(window, "CouponButton")->click();
    EXPECT_EQ(app.dialogs.warnings(), QStringList{"Öncelikle kupona eklenecek maçları seçmelisiniz  ... "});
    // Rows 0 and 4 are Kartal - Sivas's "1" and over (file order), in the prediction's shape.
    grid->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->selectRow(0);
    grid->selectRow(4);
    app.find<QPushButton>(window, "CouponButton")->click();
    EXPECT_EQ(coupon->lines(), (QStringList{QString::fromUtf8("  -  Kartal - Sivas\t :   1"),
                                            QString::fromUtf8("  -  Kartal - Sivas\t :   ÜST")}));
    // The line keeps its fixture's league and day, for a bet on it.
    EXPECT_EQ(coupon->entries().at(0).pairing, (CouponPairing{"T1", QDate(2009, 10, 10)}));
    grid->selectRow(13); // Rize - Bolu's "KGYOK"; the first two stay chosen and are not added again
    app.find<QPushButton>(window, "CouponButton")->click();
    ASSERT_EQ(coupon->lines().size(), 3);
    EXPECT_EQ(coupon->lines().at(2), QString::fromUtf8("  -  Rize - Bolu\t :   KGYOK"));
}

// The settings and the file are there again at the next start.
TEST_F(BulletinWindowTest, SettingsAreKeptBetweenStartsAndBadOnesWarned) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    app.find<QLineEdit>(window, "BankrollBox")->setText("500");
    app.find<QLineEdit>(window, "ThresholdBox")->setText("0,1");
    app.find<QComboBox>(window, "OddsBox")->setCurrentIndex(1);
    app.find<QLineEdit>(window, "BookmakersBox")->setText("B365");
    app.find<QLineEdit>(window, "CommissionBox")->setText("0,02");
    app.find<QLineEdit>(window, "TotalMaxBox")->setText("0,2");
    list(window);
    app.stop();
    app.start();
    window = openFromMainWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(app.find<QLineEdit>(window, "BankrollBox")->text(), "500");
    EXPECT_EQ(app.find<QLineEdit>(window, "ThresholdBox")->text(), "0,1");
    EXPECT_EQ(app.find<QComboBox>(window, "OddsBox")->currentIndex(), 1);
    EXPECT_EQ(app.find<QLineEdit>(window, "BookmakersBox")->text(), "B365");
    EXPECT_EQ(app.find<QLineEdit>(window, "CommissionBox")->text(), "0,02");
    EXPECT_EQ(app.find<QLineEdit>(window, "TotalMaxBox")->text(), "0,2");
    // The file too, ready to list.
    EXPECT_EQ(app.find<QLineEdit>(window, "FileBox")->text(), QDir::toNativeSeparators(fixturePath));
    app.find<QPushButton>(window, "ListButton")->click();
    EXPECT_EQ(app.find<QTableWidget>(window, "RowsGrid")->rowCount(), 14);

    app.find<QLineEdit>(window, "FractionBox")->setText("1,5");
    app.dialogs.clear();
    list(window);
    EXPECT_EQ(app.dialogs.warnings(), QStringList{"Kelly payı için geçerli bir sayı girin  ... "});
}

// The grid's Turkish number as a double.
double cell(QTableWidget* grid, int row, int column) {
    return grid->item(row, column)->text().replace(',', '.').toDouble();
}

TEST_F(BulletinWindowTest, BetOnChosenRowsIsPlacedWithTheirOddsAndProposedStake) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    list(window);
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    ASSERT_EQ(grid->rowCount(), 14);
    auto* bet = app.find<QPushButton>(window, "BetButton");
    ASSERT_TRUE(bet);
    const auto openDialog = [&] {
        return window->findChild<PlaceBetDialog*>("PlaceBetDialog");
    };
    bet->click();
    EXPECT_EQ(app.dialogs.warnings(), QStringList{"Öncelikle bahis yapılacak sonuçları seçmelisiniz  ... "});
    grid->setSelectionMode(QAbstractItemView::MultiSelection);

    struct Case {
        const char* name;
        std::vector<int> rows;
        QString warning; // a refusal, and then no dialog and no bet
        QString total;   // the dialog's odds line
        double odds = 0; // of the bet placed
    } cases[] = {
        // Kartal - Sivas "1" and "0": one match twice.
        {"same match", {0, 1}, "Bir kupona aynı maçtan iki seçim konamaz: Kartal - Sivas", {}, 0},
        // "KGVAR": the file gives no odds for it.
        {"no odds", {5}, "Oranı olmayan bir sonuca bahis yapılamaz: Kartal - Sivas", {}, 0},
        // Kartal - Sivas "1" at the file's 3,00, placed at the 3,20 typed in the dialog.
        {"single", {0}, {}, "Oran: 3,00", 3.20},
        // Kartal - Sivas "1" at 3,00 and Rize - Bolu "1" at 1,30: 3,00 * 1,30 = 3,90.
        {"coupon", {0, 7}, {}, "Oran: 3,90", 3.90},
    };
    int placed = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.dialogs.clear();
        grid->clearSelection();
        for (int row : c.rows)
            grid->selectRow(row);
        bet->click();
        PlaceBetDialog* dialog = openDialog();
        if (!c.warning.isEmpty()) {
            EXPECT_EQ(app.dialogs.warnings(), QStringList{c.warning});
            EXPECT_FALSE(dialog);
            EXPECT_EQ(BetLedger(app.program.database()).bets().size(), static_cast<std::size_t>(placed));
            continue;
        }
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(app.find<QLabel>(dialog, "TotalLabel")->text().startsWith(c.total));
        auto* stake = app.find<QDoubleSpinBox>(dialog, "StakeBox");
        double proposed = 0, within = 0.03;
        if (c.rows.size() == 1) {
            proposed = cell(grid, c.rows[0], 13); // the row's own stake
        } else {
            // A quarter Kelly of 1000 at the product odds and probability, at most 2 % of it, nothing
            // below 5 % value: worked from the shown probabilities, "%70,9" and "%42,6" (0,7086 and 0,4259
            // unrounded): 0,709 * 0,426 = 0,302; value 0,302 * 3,90 - 1 = 0,178; 0,25 * 0,178 / 2,90 * 1000
            // = 15,3, under the cap of 20. Each shown to 0,0005: the product to 0,0006, the value to
            // 0,0023, the stake to 0,2.
            const double p = percentCell(grid, 0, 7) / 100 * percentCell(grid, 7, 7) / 100;
            const double value = p * 3.90 - 1;
            proposed = value > 0.05 ? std::min(20.0, 0.25 * value / 2.90 * 1000) : 0;
            within = 0.2;
        }
        EXPECT_NEAR(stake->value(), proposed, within);
        stake->setValue(12.5);    // the user's own stake
        if (c.rows.size() == 1) { // and the odds the user gets: first a slip, then 3,20
            auto* odds = app.find<QLineEdit>(dialog, "OddsBox");
            ASSERT_TRUE(odds);
            odds->setText("3,2,0");
            app.find<QPushButton>(dialog, "PlaceButton")->click();
            EXPECT_EQ(app.dialogs.warnings(),
                      QStringList{QString::fromUtf8("Oran 1'den büyük ve en fazla 1000 olan bir ondalık sayı "
                                                    "olmalı (1,44 ya da 1.44): 3,2,0")});
            EXPECT_EQ(BetLedger(app.program.database()).bets().size(), static_cast<std::size_t>(placed));
            app.dialogs.clear();
            odds->clear();
            QTest::keyClicks(odds, "3,20");
            EXPECT_TRUE(app.find<QLabel>(dialog, "TotalLabel")->text().startsWith("Oran: 3,20"));
        }
        app.find<QPushButton>(dialog, "PlaceButton")->click();
        EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
        ++placed;
        const std::vector<BetRecord> bets = BetLedger(app.program.database()).bets();
        ASSERT_EQ(bets.size(), static_cast<std::size_t>(placed));
        const BetRecord& last = bets.back();
        EXPECT_DOUBLE_EQ(last.stake, 12.5);
        EXPECT_NEAR(last.odds(), c.odds, 1e-9);
        ASSERT_EQ(last.selections.size(), c.rows.size());
        EXPECT_EQ(last.selections[0].selection.home, "Kartal");
        EXPECT_EQ(last.selections[0].selection.away, "Sivas");
        EXPECT_EQ(last.selections[0].selection.day, QDate(2009, 10, 10));
        EXPECT_EQ(model::outcomeCode(last.selections[0].selection.outcome), "1");
        delete dialog; // closed, it waits for the event loop
    }
    EXPECT_EQ(placed, 2);
}

// Kartal - Sivas with Bet365's and the exchange's 1X2: net of 5 % the exchange's 3.20, 4.20, 3.10 are
// 1 + 2.2 * 0.95 = 3.09, 1 + 3.2 * 0.95 = 4.04 and 1 + 2.1 * 0.95 = 2.995, below Bet365's 3.00.
TEST_F(BulletinWindowTest, BookmakersCommissionAndTheLimitReachTheRowsAndTheFoot) {
    QFile file(fixturePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Div,Date,Time,HomeTeam,AwayTeam,B365H,B365D,B365A,BFEH,BFED,BFEA\n"
               "T1,10/10/2009,15:00,Kartal,Sivas,3.00,4.00,3.00,3.20,4.20,3.10\n"
               "T1,10/10/2009,19:00,Rize,Bolu,1.30,6.00,9.00,1.30,6.00,9.00\n");
    file.close();
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    auto* bookmakers = app.find<QLineEdit>(window, "BookmakersBox");
    for (const auto& [typed, odds, columns] :
         {std::tuple{"", QStringList{"3,09", "4,04", "3,00"}, QStringList{"BFE", "BFE", "B365"}},
          std::tuple{"b365", QStringList{"3,00", "4,00", "3,00"}, QStringList{"B365", "B365", "B365"}}}) {
        bookmakers->setText(QString::fromLatin1(typed));
        list(window);
        ASSERT_EQ(grid->rowCount(), 14);
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ((QStringList{grid->item(row, 9)->text(), grid->item(row, 10)->text()}),
                      (QStringList{odds[row], columns[row]}))
                << typed << ' ' << row;
    }

    // The foot counts and sums the Pay column; a limit of half of it scales every stake down.
    auto* foot = app.find<QLabel>(window, "TotalLabel");
    const auto staked = [&] {
        std::vector<double> stakes;
        for (int row = 0; row < grid->rowCount(); ++row)
            stakes.push_back(cell(grid, row, 13));
        return stakes;
    };
    const auto footStarts = [&](const std::vector<double>& stakes) {
        const auto bets = std::count_if(stakes.begin(), stakes.end(), [](double s) { return s > 0; });
        const double sum = std::accumulate(stakes.begin(), stakes.end(), 0.0);
        EXPECT_TRUE(foot->text().startsWith(QString::fromUtf8("%1 bahis, toplam pay %2, beklenen kâr ")
                                                .arg(bets)
                                                .arg(turkishLocale().toString(sum, 'f', 2))))
            << foot->text().toStdString();
        return sum;
    };
    const std::vector<double> before = staked();
    const double total = footStarts(before);
    ASSERT_GT(total, 0);
    const double limit = std::floor(total / 2 * 100) / 100;
    auto* totalMax = app.find<QLineEdit>(window, "TotalMaxBox");
    totalMax->setText(turkishLocale().toString(limit / 1000, 'f', 6));
    QTest::keyClick(totalMax, Qt::Key_Return);
    const std::vector<double> after = staked();
    for (std::size_t row = 0; row < after.size(); ++row) {
        EXPECT_LE(after[row], before[row] * limit / total + 1e-9) << row;
        EXPECT_GT(after[row], before[row] * limit / total - 0.01) << row;
    }
    EXPECT_LE(footStarts(after), limit + 1e-9);

    app.dialogs.clear();
    bookmakers->setText("WH");
    app.find<QPushButton>(window, "ListButton")->click();
    EXPECT_EQ(app.dialogs.warnings(),
              QStringList{
                  QString::fromUtf8("Dosyada bu bahisçinin oranı yok: WH; dosyadaki bahisçiler: B365, BFE")});
}

// Odds typed over Kartal - Sivas's "1" (the file's 3,00): its value and stake follow, and "Bahis Yap"
// takes them; a text that is no odds leaves the old price; "Listele" keeps them, the file chosen again
// drops them.
TEST_F(BulletinWindowTest, TypedOddsPriceTheRowAgainUntilTheFileIsReadAgain) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    list(window);
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    ASSERT_EQ(grid->rowCount(), 14);
    ASSERT_EQ(grid->item(0, 9)->text(), "3,00");
    testing::typeIntoCell(grid, 0, 9, "6.5");
    ASSERT_TRUE(app.dialogs.errors().isEmpty()) << app.dialogs.errors().join(QChar(10)).toStdString();
    EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
    const auto typedShown = [&] {
        EXPECT_EQ((QStringList{grid->item(0, 9)->text(), grid->item(0, 10)->text()}),
                  (QStringList{"6,50", "elle"}));
        EXPECT_TRUE(grid->item(0, 9)->font().bold());
        // Value p * 6,50 - 1 from the shown forecast (to 0,0005: the value to 0,0033 and its cell's
        // rounding); well above the draw's and the away's at the file's 4,00 and 3,00, so the home alone
        // keeps a stake of the market: a quarter Kelly, at most 20.
        const double p = percentCell(grid, 0, 7) / 100;
        EXPECT_NEAR(percentCell(grid, 0, 11) / 100, p * 6.5 - 1, 0.004);
        EXPECT_EQ(grid->item(0, 12)->text(), "Evet");
        EXPECT_NEAR(cell(grid, 0, 13), std::min(20.0, 0.25 * (p * 6.5 - 1) / 5.5 * 1000), 0.2);
        EXPECT_EQ(cell(grid, 1, 13) + cell(grid, 2, 13), 0);
    };
    typedShown();
    // The foot sums the new stakes.
    double sum = 0;
    for (int row = 0; row < grid->rowCount(); ++row)
        sum += cell(grid, row, 13);
    EXPECT_TRUE(
        app.find<QLabel>(window, "TotalLabel")
            ->text()
            .contains(QString::fromUtf8("toplam pay %1,").arg(turkishLocale().toString(sum, 'f', 2))));

    testing::typeIntoCell(grid, 0, 9, "6,5x");
    EXPECT_EQ(app.dialogs.warnings(),
              QStringList{QString::fromUtf8(
                  "Oran 1'den büyük ve en fazla 1000 olan bir ondalık sayı olmalı (1,44 ya da 1.44): 6,5x")});
    typedShown();

    grid->selectRow(0);
    app.find<QPushButton>(window, "BetButton")->click();
    auto* dialog = window->findChild<PlaceBetDialog*>("PlaceBetDialog");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(app.find<QLabel>(dialog, "TotalLabel")->text().startsWith("Oran: 6,50"));
    delete dialog;

    app.find<QPushButton>(window, "ListButton")->click();
    typedShown();
    list(window); // the file chosen again
    EXPECT_EQ((QStringList{grid->item(0, 9)->text(), grid->item(0, 10)->text()}),
              (QStringList{"3,00", "B365"}));
    EXPECT_FALSE(grid->item(0, 9)->font().bold());
}

// A click on a column's header, as the user clicks it.
void clickHeader(QTableWidget* grid, int column) {
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5));
}

// A column's cells from the top as numbers ("%9,5" is 9.5), an empty cell as none.
QList<std::optional<double>> column(QTableWidget* grid, int column) {
    QList<std::optional<double>> cells;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QString text = grid->item(row, column) ? grid->item(row, column)->text() : QString();
        cells << (text.isEmpty() ? std::nullopt
                                 : std::optional(text.remove('%').replace(',', '.').toDouble()));
    }
    return cells;
}

// The first click on a number column puts the highest first, the second the lowest; the four outcomes
// without odds (both fixtures' KGVAR and KGYOK) stay last either way. "Listele" keeps the order and goes
// to the top.
TEST_F(BulletinWindowTest, NumberColumnsSortBestFirstWithEmptyCellsLast) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    list(window);
    window->resize(1000, 360); // fewer rows in sight than the fourteen
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    // Değer, Oran, Bahisçi, Pay.
    for (const int number : {11, 9, 8, 13}) {
        for (const bool highestFirst : {true, false}) {
            clickHeader(grid, number);
            const QList<std::optional<double>> cells = column(grid, number);
            EXPECT_EQ(cells.count(std::nullopt), 4) << number;
            EXPECT_EQ(cells.mid(10), QList<std::optional<double>>(4, std::nullopt)) << number;
            const QList<std::optional<double>> numbers = cells.mid(0, 10);
            EXPECT_TRUE(highestFirst ? std::is_sorted(numbers.rbegin(), numbers.rend())
                                     : std::is_sorted(numbers.begin(), numbers.end()))
                << number << (highestFirst ? " highest first" : " lowest first");
        }
    }
    clickHeader(grid, 11);
    const QList<std::optional<double>> sorted = column(grid, 11);
    QScrollBar* scroll = grid->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    scroll->setValue(scroll->maximum());
    app.find<QPushButton>(window, "ListButton")->click();
    EXPECT_EQ(column(grid, 11), sorted);
    EXPECT_EQ(scroll->value(), 0);
}

// A changed number lists again on Enter, saying meanwhile that the rows are stale; a choice lists again at
// once. The league box's first choice gives each line its own code back.
TEST_F(BulletinWindowTest, ChangedSettingsListAgain) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    list(window);
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    auto* status = app.find<QLabel>(window, "StatusLabel");
    const QString listed = status->text();
    const QList<std::optional<double>> stakes = column(grid, 13); // at a bankroll of 1000
    auto* bankroll = app.find<QLineEdit>(window, "BankrollBox");
    bankroll->selectAll();
    QTest::keyClicks(bankroll, "500");
    EXPECT_TRUE(status->text().startsWith(QString::fromUtf8("Ayarlar değişti, satırlar eski ayarlarla")));
    EXPECT_EQ(column(grid, 13), stakes); // not listed yet
    QTest::keyClick(bankroll, Qt::Key_Return);
    EXPECT_EQ(status->text(), listed);
    // Each stake a share of the bankroll: half, each to the cent it is rounded to.
    const QList<std::optional<double>> halved = column(grid, 13);
    ASSERT_EQ(halved.size(), stakes.size());
    for (qsizetype row = 0; row < stakes.size(); ++row)
        EXPECT_NEAR(halved[row].value_or(0), stakes[row].value_or(0) / 2, 0.011) << row;

    // T1 for every line: Arsenal - Leeds too, refused for its unknown teams; the file's codes skip it.
    auto* leagues = app.find<QComboBox>(window, "LeagueBox");
    EXPECT_EQ(leagues->itemText(0), QString::fromUtf8("dosyadaki kod"));
    for (const auto& [choice, rows] : {std::pair{1, 15}, std::pair{0, 14}}) {
        leagues->setCurrentIndex(choice);
        emit leagues->activated(choice);
        EXPECT_EQ(grid->rowCount(), rows) << choice;
        EXPECT_EQ(status->text().contains("E0 (1)"), choice == 0) << choice;
    }
}

// Three leagues' evidence, six rows, all in sight above the movable border.
TEST_F(BulletinWindowTest, TheEvidenceShowsAllItsRows) {
    app.writeLeagueFile("T1\r\nT2\r\nT3\r\n");
    QFile file(fixturePath);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("T2,11/10/2008,15:00,Van,Mersin,2.00,3.00,4.00,,\nT3,11/10/"
               "2008,15:00,Tokat,Aydin,2.00,3.00,4.00,,\n");
    file.close();
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    list(window);
    QApplication::processEvents();
    auto* evidence = app.find<QTableWidget>(window, "EvidenceGrid");
    ASSERT_EQ(evidence->rowCount(), 6);
    EXPECT_GE(evidence->viewport()->height(), evidence->verticalHeader()->length());
    EXPECT_EQ(app.find<QSplitter>(window, "EvidenceSplitter")->indexOf(evidence), 0);
}

// "Web'den Al" keeps what it read as the folder's fikstur.csv and lists it; a source that cannot be read
// warns and leaves the file that was there and the rows shown.
TEST_F(BulletinWindowTest, WebFetchKeepsTheFileAndListsItAndAFailureKeepsWhatWasThere) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    const QString source = app.folder() + "/kaynak.csv";
    QFile::rename(fixturePath, source);
    window->fixturesAddress = source;
    app.find<QPushButton>(window, "FetchButton")->click();
    EXPECT_TRUE(app.dialogs.warnings().isEmpty()) << app.dialogs.warnings().join('\n').toStdString();
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    EXPECT_EQ(grid->rowCount(), 14);
    QFile kept(fixturePath);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), kFixtures);
    kept.close();

    window->fixturesAddress = app.folder() + "/yok.csv";
    app.find<QPushButton>(window, "FetchButton")->click();
    ASSERT_EQ(app.dialogs.warnings().size(), 1);
    EXPECT_TRUE(app.dialogs.warnings().front().startsWith(QString::fromUtf8("Gelecek maçlar alınamadı: ")));
    EXPECT_EQ(grid->rowCount(), 14);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), kFixtures);
}

// A pipe would hold the window until something wrote to it, a folder is no file: both are refused at once,
// chosen as the file or fetched as the address, and the list stays as it was.
TEST_F(BulletinWindowTest, APipeOrAFolderIsRefusedAtOnce) {
    BulletinWindow* window = openFromMainWindow();
    ASSERT_TRUE(window);
    list(window);
    auto* grid = app.find<QTableWidget>(window, "RowsGrid");
    ASSERT_EQ(grid->rowCount(), 14);
    const QString pipe = app.folder() + "/boru.csv";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString notAFile =
        QString::fromUtf8("\" sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur");
    for (const QString& path : {pipe, app.folder()}) {
        SCOPED_TRACE(path.toStdString());
        app.dialogs.clear();
        app.dialogs.answerNextFileDialog(path);
        app.find<QPushButton>(window, "ChooseFileButton")->click(); // a chosen file is listed at once
        EXPECT_EQ(app.dialogs.warnings(), QStringList{'"' + path + notAFile});
        app.dialogs.clear();
        window->fixturesAddress = path;
        app.find<QPushButton>(window, "FetchButton")->click();
        EXPECT_EQ(app.dialogs.warnings(),
                  QStringList{QString::fromUtf8("Gelecek maçlar alınamadı: ") + '"' + path + notAFile});
        EXPECT_EQ(grid->rowCount(), 14);
    }
}

} // namespace
} // namespace vezal
