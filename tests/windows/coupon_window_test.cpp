#include "windows/CouponWindow.h"

#include "betting/BetLedger.h"
#include "store/Admin.h"
#include "windows/BetSlipDialog.h"

#include "support/ScriptedDialogs.h"
#include "support/TestApp.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontMetricsF>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

namespace vezal {
namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<yok>");
}

class CouponWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApp();
        ASSERT_TRUE(folder.isValid());
        renew({});
    }
    // A fresh window holding these lines; it is never shown, so its focus stays where the actions put it.
    void renew(const QStringList& lines) {
        form = std::make_unique<CouponWindow>(program);
        list = form->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        for (const QString& line : lines)
            form->appendLine(line);
    }
    void click(const char* action) { form->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }
    bool listHasFocus() const { return form->focusWidget() == list; }
    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    testing::ScriptedDialogs dialogs;
    Program program{folder.path(), dialogs, [] {
                        return QDate(2024, 5, 1);
                    }};
    std::unique_ptr<CouponWindow> form;
    QListWidget* list = nullptr;
};

TEST_F(CouponWindowTest, OpenReplacesTheListLineForLine) {
    renew({QStringLiteral("eski kupon")});
    QFile coupon(file("kupon.txt"));
    ASSERT_TRUE(coupon.open(QIODevice::WriteOnly));
    coupon.write("\xDE"
                 "ampiyon\r\n\nMa\xE7\r"); // "Şampiyon", "", "Maç"
    coupon.close();
    dialogs.answerNextFileDialog(file("kupon.txt"));
    click("ToolButton6");
    click("ToolButton6"); // cancelled: nothing changes
    EXPECT_EQ(form->lines(),
              (QStringList{QString::fromUtf8("Şampiyon"), QString(), QString::fromUtf8("Maç")}));
    EXPECT_EQ(dialogs.asked.at(0).title, QString::fromUtf8("Dosya Seçiminizi Yapın"));
    EXPECT_EQ(dialogs.asked.at(0).text, QStringLiteral("Text Dosyalar (*.txt)|*.txt|"));
}

TEST_F(CouponWindowTest, SaveCountsEntriesReplacesTheFileAndFocusesTheListEitherWay) {
    const struct {
        QStringList lines;
        bool confirmed;
        QByteArray file;
    } cases[] = {
        {{QString::fromUtf8("1 - Beşiktaş - Göztepe\t1\t2 - 3")},
         true,
         "1 - Be\xFEikta\xFE - G\xF6ztepe\t1\t2 - 3\r\n"},
        {{QString(), QString()}, true, "\r\n\r\n"},
        {{QStringLiteral("1")}, false, "eski\r\n"},
    };
    for (const auto& c : cases) {
        renew(c.lines);
        QFile old(file("kupon.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("eski\r\n");
        old.close();
        dialogs.clear();
        if (c.confirmed)
            dialogs.answerNextFileDialog(file("kupon.txt"));

        click("ToolButton2");

        EXPECT_EQ(readBytes(file("kupon.txt")), c.file);
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Dosya Olarak Kaydet"));
        EXPECT_EQ(dialogs.asked[0].text, QStringLiteral("Text Dosyalar (*.txt)|*.txt"));
        EXPECT_EQ(dialogs.asked[0].extra, QStringLiteral("Kupon1.txt"));
        EXPECT_TRUE(listHasFocus());
    }
}

TEST_F(CouponWindowTest, AnEmptyListIsNotSavedAndTheFocusStays) {
    click("ToolButton2");
    EXPECT_EQ(dialogs.warnings(),
              QStringList{QString::fromUtf8("Programa Herhangibir Tahmin yaptırtmadınız  ... ")});
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_FALSE(listHasFocus());
}

TEST_F(CouponWindowTest, DeletesOnlyTheSelectedEntryOrEverythingWithoutAsking) {
    const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    const struct {
        QStringList lines;
        int selected; // -1: none
        std::vector<const char*> clicks;
        QStringList left;
        bool focus;
    } cases[] = {
        {abc, 1, {"ToolButton4"}, {QStringLiteral("a"), QStringLiteral("c")}, true},
        {abc, -1, {"ToolButton4"}, abc, false},
        {{}, -1, {"ToolButton4"}, {}, false},
        {{QStringLiteral("son")}, 0, {"ToolButton4"}, {}, false},
        // The entry after a deleted one is not taken as chosen.
        {abc, 0, {"ToolButton4", "ToolButton4"}, {QStringLiteral("b"), QStringLiteral("c")}, true},
        {{}, -1, {"ToolButton5"}, {}, false},
        {abc, 2, {"ToolButton5"}, {}, false},
    };
    for (const auto& c : cases) {
        renew(c.lines);
        if (c.selected >= 0)
            list->setCurrentRow(c.selected);
        for (const char* action : c.clicks)
            click(action);
        EXPECT_EQ(form->lines(), c.left) << c.clicks.back() << " " << c.selected;
        EXPECT_EQ(listHasFocus(), c.focus) << c.clicks.back() << " " << c.selected;
    }
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(CouponWindowTest, EscDoesNotCloseItAndClosingKeepsTheList) {
    renew({QStringLiteral("1")});
    form->show();
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    form->close();
    EXPECT_FALSE(form->isVisible());
    form->appendLine(QStringLiteral("2"));
    form->show();
    EXPECT_EQ(form->lines(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
}

TEST_F(CouponWindowTest, TabsStopEveryTwoAverageCharacterWidthsInFifteenPixelRows) {
    renew({QStringLiteral("X"), QStringLiteral("\t\tX")});
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    const auto hint = [&](int row) {
        return list->itemDelegate()->sizeHint(option, list->model()->index(row, 0));
    };
    EXPECT_EQ(hint(1).width() - hint(0).width(),
              2 * qRound(2 * QFontMetricsF(list->font()).averageCharWidth()));
    EXPECT_EQ(hint(0).height(), 15);
}

// The four tool buttons keep their names, pictures' tips and order; the bet comes after them, apart.
TEST_F(CouponWindowTest, TheOldButtonsStayAsTheyWereAndTheBetComesAfterThem) {
    QStringList bar;
    for (QAction* action : form->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->actions())
        bar << (action->isSeparator() ? QStringLiteral("-")
                                      : action->objectName() + u'=' + action->toolTip());
    EXPECT_EQ(
        bar,
        (QStringList{"ToolButton6=Aç", "ToolButton2=Kaydet", "-", QString::fromUtf8("ToolButton4=Satır Sil"),
                     QString::fromUtf8("ToolButton5=Tümünü Sil"), "-", "BetAction=Bahis Olarak Kaydet"}));
}

TEST(CouponLines, TheirMatchAndOutcomeAreRead) {
    const struct {
        const char* line;
        const char* home;
        const char* away;
        const char* outcome;
    } cases[] = {
        {"1  -  Kartal - Bolu\t :   1", "Kartal", "Bolu", "1"},
        {"12  -  Sivas - Rize\t :   ÜST", "Sivas", "Rize", "UST"},
        {"3  -  Hatay - Çorum\t :   ALT", "Hatay", "Çorum", "ALT"},
        {"4  -  Hatay - Çorum\t :   0 - 2", "Hatay", "Çorum", ""},
        {"5  -  Hatay - Çorum\t :   4 - 6  Toplam Gol", "Hatay", "Çorum", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<CouponPick> pick = readCouponLine(QString::fromUtf8(c.line));
        ASSERT_TRUE(pick);
        EXPECT_EQ(pick->home, QString::fromUtf8(c.home));
        EXPECT_EQ(pick->away, QString::fromUtf8(c.away));
        EXPECT_EQ(pick->outcome, QString::fromUtf8(c.outcome));
    }
    EXPECT_FALSE(readCouponLine(QStringLiteral("eski kupon")));
}

TEST_F(CouponWindowTest, TheLinesAreSavedAsOneBetWithTheirOddsAndTheListStays) {
    QFile leagues(file("klasman.dat"));
    ASSERT_TRUE(leagues.open(QIODevice::WriteOnly));
    leagues.write("T1\r\n");
    leagues.close();
    program.openTable();
    for (const char* team : {"Kartal", "Bolu", "Sivas", "Rize", "Hatay", "Çorum"})
        ASSERT_FALSE(registerTeam(program.table(), QStringLiteral("T1"), QString::fromUtf8(team), "5"));
    const QStringList lines = {QString::fromUtf8("1  -  Kartal - Bolu\t :   1"),
                               QString::fromUtf8("2  -  Sivas - Rize\t :   ÜST"),
                               QString::fromUtf8("3  -  Hatay - Çorum\t :   0 - 2")};
    renew(lines);
    click("BetAction");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "modal");
    auto* slip = form->findChild<BetSlipDialog*>(QStringLiteral("BetSlipDialog"));
    ASSERT_TRUE(slip);
    auto* grid = slip->findChild<QTableWidget*>(QStringLiteral("SelectionsGrid"));
    ASSERT_EQ(grid->rowCount(), 3);
    const auto outcome = [&](int row) {
        return static_cast<QComboBox*>(grid->cellWidget(row, 1));
    };
    const auto odds = [&](int row) {
        return static_cast<QDoubleSpinBox*>(grid->cellWidget(row, 2));
    };
    EXPECT_EQ(outcome(0)->currentText(), "1");
    EXPECT_EQ(outcome(1)->currentText(), "UST");
    outcome(2)->setCurrentText("2");
    slip->findChild<QComboBox*>(QStringLiteral("LeagueBox"))->setCurrentIndex(0);
    slip->findChild<QDoubleSpinBox*>(QStringLiteral("StakeBox"))->setValue(10);
    odds(0)->setValue(2.10);
    odds(1)->setValue(1.85);

    // The third line's odds left at 1: refused with the ledger's words, nothing kept.
    auto* place = slip->findChild<QPushButton*>(QStringLiteral("PlaceButton"));
    QTest::mouseClick(place, Qt::LeftButton);
    EXPECT_EQ(dialogs.warnings(),
              QStringList{QString::fromUtf8(
                  "Oran 1'den büyük ve en fazla 1000 olan bir ondalık sayı olmalı (1,44 ya da 1.44): 1")});
    EXPECT_TRUE(BetLedger(program.database()).bets().empty());

    odds(2)->setValue(3.40);
    QTest::mouseClick(place, Qt::LeftButton);
    const std::vector<BetRecord> bets = BetLedger(program.database()).bets();
    ASSERT_EQ(bets.size(), 1u);
    EXPECT_EQ(bets[0].placed, QDate(2024, 5, 1));
    EXPECT_DOUBLE_EQ(bets[0].stake, 10);
    EXPECT_EQ(selectionsText(bets[0]),
              QString::fromUtf8("Kartal-Bolu:1@2.10; Sivas-Rize:UST@1.85; Hatay-Çorum:2@3.40"));
    EXPECT_EQ(bets[0].selections[2].selection.league, "T1");
    EXPECT_EQ(bets[0].selections[2].selection.day, QDate(2024, 5, 1));
    EXPECT_EQ(form->lines(), lines);
}

} // namespace
} // namespace vezal
