#include "windows/CouponWindow.h"

#include "betting/BetLedger.h"
#include "common/Names.h"
#include "store/Admin.h"
#include "windows/BetSlipDialog.h"

#include "support/ScriptedDialogs.h"
#include "support/TestApp.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <functional>
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

// Each line the program made keeps the league and day of its pairing; a line read from a file asks for
// them. Nothing is taken for the user: no outcome for a double chance, no odds, no stake. Every refusal
// keeps the slip open and writes nothing.
TEST_F(CouponWindowTest, EachLineIsSavedWithItsOwnLeagueAndDay) {
    QFile leagues(file("klasman.dat"));
    ASSERT_TRUE(leagues.open(QIODevice::WriteOnly));
    leagues.write("Premier League\r\nT1\r\n");
    leagues.close();
    program.openTable();
    for (const char* team : {"Kartal", "Bolu", "Sivas", "Rize"})
        ASSERT_FALSE(registerTeam(program.table(), QStringLiteral("T1"), QString::fromUtf8(team), "5"));
    for (const char* team : {"Arsenal", "Chelsea"})
        ASSERT_FALSE(
            registerTeam(program.table(), QStringLiteral("Premier League"), QString::fromUtf8(team), "5"));
    const QStringList lines = {QString::fromUtf8("1  -  Kartal - Bolu\t :   1"),
                               QString::fromUtf8("2  -  Arsenal - Chelsea\t :   ÜST"),
                               QString::fromUtf8("3  -  Sivas - Rize\t :   0 - 2")};
    renew({});
    form->appendLine(lines[0], CouponPairing{QStringLiteral("T1"), QDate(2024, 5, 4)});
    form->appendLine(lines[1], CouponPairing{QStringLiteral("Premier League"), QDate(2024, 5, 5)});
    form->appendLine(lines[2]); // as a coupon file gives it
    click("BetAction");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "modal");
    auto* slip = form->findChild<BetSlipDialog*>(QStringLiteral("BetSlipDialog"));
    ASSERT_TRUE(slip);
    auto* grid = slip->findChild<QTableWidget*>(QStringLiteral("SelectionsGrid"));
    ASSERT_EQ(grid->rowCount(), 3);
    const auto text = [&](int row, int column) {
        return grid->item(row, column) ? grid->item(row, column)->text() : QStringLiteral("<kutu>");
    };
    EXPECT_EQ((QStringList{text(0, 0), text(0, 1), text(1, 0), text(1, 1), text(2, 0), text(2, 1)}),
              (QStringList{"T1", "04.05.2024", "Premier League", "05.05.2024", "<kutu>", "<kutu>"}));
    auto* league = static_cast<QComboBox*>(grid->cellWidget(2, 0));
    auto* day = static_cast<QDateEdit*>(grid->cellWidget(2, 1));
    EXPECT_EQ(league->currentIndex(), -1);
    EXPECT_EQ(day->date(), QDate(2024, 5, 1));
    const auto outcome = [&](int row) {
        return static_cast<QComboBox*>(grid->cellWidget(row, 3));
    };
    const auto odds = [&](int row) {
        return static_cast<QLineEdit*>(grid->cellWidget(row, 4));
    };
    auto* stake = slip->findChild<QLineEdit*>(QStringLiteral("StakeBox"));
    EXPECT_EQ((QStringList{outcome(0)->currentText(), outcome(1)->currentText(), outcome(2)->currentText()}),
              (QStringList{"1", "UST", ""}));
    EXPECT_EQ((QStringList{odds(0)->text(), odds(1)->text(), odds(2)->text(), stake->text()}),
              (QStringList{"", "", "", ""}));

    auto* place = slip->findChild<QPushButton*>(QStringLiteral("PlaceButton"));
    const struct {
        std::function<void()> change;
        const char* warning;
    } steps[] = {
        {[] {}, "Kartal - Bolu için oran girin  ... "},
        {[&] { odds(0)->setText("1"); }, "Kartal - Bolu: Oran 1'den büyük ve en fazla 1000 olan bir ondalık "
                                         "sayı olmalı (1,44 ya da 1.44): 1"},
        {[&] {
             odds(0)->setText("2,10");
             odds(1)->setText("1.85");
         },
         "Sivas - Rize maçının ligini seçmelisiniz  ... "},
        {[&] { league->setCurrentIndex(league->findText("Premier League")); },
         "Sivas - Rize için bir sonuç seçmelisiniz  ... "},
        {[&] {
             outcome(2)->setCurrentIndex(outcome(2)->findText("2"));
             odds(2)->setText("3,40");
         },
         "Bahis miktarı sıfırdan büyük, en fazla 1 milyar ve en çok iki ondalıklı bir sayı olmalı (25,50 ya "
         "da "
         "25.50): "},
        // The ledger's own checks: the league the user chose has not these teams.
        {[&] { stake->setText("10"); }, "Premier League liginde \"Sivas\" adlı bir takım yok; bahis ligde "
                                        "kayıtlı takımların maçına yapılır."},
        {[&] {
             league->setCurrentIndex(league->findText("T1"));
             day->setDate(QDate(2024, 4, 30));
         },
         "Bahis maçtan sonra yapılamaz: Sivas - Rize maçı 30.04.2024 tarihinde, bahis 01.05.2024 tarihli."},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.warning);
        dialogs.clear();
        step.change();
        QTest::mouseClick(place, Qt::LeftButton);
        EXPECT_EQ(dialogs.warnings(), QStringList{QString::fromUtf8(step.warning)});
        EXPECT_TRUE(BetLedger(program.database()).bets().empty());
        EXPECT_FALSE(slip->placedBet());
    }

    day->setDate(QDate(2024, 5, 6));
    dialogs.clear();
    QTest::mouseClick(place, Qt::LeftButton);
    EXPECT_TRUE(dialogs.warnings().isEmpty());
    const std::vector<BetRecord> bets = BetLedger(program.database()).bets();
    ASSERT_EQ(bets.size(), 1u);
    EXPECT_EQ(slip->placedBet(), bets[0].id);
    EXPECT_EQ(bets[0].placed, QDate(2024, 5, 1));
    EXPECT_DOUBLE_EQ(bets[0].stake, 10);
    EXPECT_EQ(selectionsText(bets[0]),
              QString::fromUtf8("Kartal-Bolu:1@2.10; Arsenal-Chelsea:UST@1.85; Sivas-Rize:2@3.40"));
    QStringList pairings;
    for (const SelectionState& s : bets[0].selections)
        pairings << s.selection.league + u' ' + showDate(s.selection.day);
    EXPECT_EQ(pairings, (QStringList{"T1 04.05.2024", "Premier League 05.05.2024", "T1 06.05.2024"}));
    EXPECT_EQ(form->lines(), lines);
}

// A file's lines replace the list and know no pairing; the program's own keep theirs.
TEST_F(CouponWindowTest, OnlyTheProgramsLinesKeepTheirPairing) {
    renew({});
    form->appendLine(QStringLiteral("a"), CouponPairing{QStringLiteral("T1"), QDate(2024, 5, 4)});
    form->appendLine(QStringLiteral("b"));
    std::vector<CouponEntry> entries = form->entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].pairing, (CouponPairing{QStringLiteral("T1"), QDate(2024, 5, 4)}));
    EXPECT_FALSE(entries[1].pairing);

    QFile coupon(file("kupon.txt"));
    ASSERT_TRUE(coupon.open(QIODevice::WriteOnly));
    coupon.write("a\r\n");
    coupon.close();
    dialogs.answerNextFileDialog(file("kupon.txt"));
    click("ToolButton6");
    entries = form->entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].line, "a");
    EXPECT_FALSE(entries[0].pairing);
}

} // namespace
} // namespace vezal
