#include "support/TestProgram.h"
#include "windows/ProgramWindows.h"

#include "store/Database.h"
#include "store/MatchTable.h"
#include "windows/AboutBox.h"
#include "windows/HelpWindow.h"
#include "windows/LeagueListWindow.h"
#include "windows/MainWindow.h"
#include "windows/ReportWindow.h"
#include "windows/ResultsWindow.h"
#include "windows/TeamListWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

const QString kLeagues = QString::fromUtf8("Süper Lig\r\n1. Lig\r\n");

QStringList modalsAsked(const TestProgram& run) {
    QStringList names;
    for (const auto& asked : run.dialogs.asked)
        if (asked.kind == "modal")
            names << asked.title;
    return names;
}

QStringList panelBoxes() {
    QStringList names;
    for (int n = 1; n <= 21; ++n)
        names << QStringLiteral("Memo%1").arg(n);
    return names << QStringLiteral("Memo25");
}

class MainWindowMenu : public ::testing::Test {
protected:
    void start(const QByteArray& leagueFile) {
        run.writeLeagueFile(leagueFile);
        run.start();
        main = run.windows().main();
        main->show();
    }
    void trigger(const char* action) {
        QAction* found = main->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(found, nullptr) << action;
        found->trigger();
    }
    // A league shown with its team lists and a prediction in the panel, as a later league choice leaves it.
    void fillView() {
        run.find<QComboBox>(main, "ComboBox1")->setCurrentIndex(1);
        run.find<QLineEdit>(main, "Edit1")->setText(QString::fromUtf8("Süper Lig"));
        for (const char* list : {"ComboBox2", "ComboBox3", "ComboBox4"}) {
            auto* box = run.find<QComboBox>(main, list);
            box->addItems({QStringLiteral("Altay"), QStringLiteral("Bursaspor")});
            box->setCurrentIndex(1);
        }
        for (const QString& name : panelBoxes())
            run.find<QLineEdit>(main, name)->setText(QStringLiteral("9"));
    }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(MainWindowMenu, MenuHoldsEveryItemAndSeparatorInOrder) {
    start(codePage1254(kLeagues));
    const QList<QAction*> menus = main->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    // The captions as shown, the Alt letter marked by "&".
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Dosya"));
    EXPECT_EQ(menus[1]->text(), QString::fromUtf8("&Yardım"));

    const auto itemsOf = [](QAction* menu) {
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            items << item->objectName() + u'=' + (item->isSeparator() ? QStringLiteral("-") : item->text());
        return items;
    };
    EXPECT_EQ(itemsOf(menus[0]),
              QStringList({QStringLiteral("Ligler1=&Ligler"), QString::fromUtf8("akmlar1=&Takımlar"),
                           QStringLiteral("N2=-"), QString::fromUtf8("SonuGiri1=&Sonuç Giriş"),
                           QStringLiteral("YorumRaporlar1=&Raporlar"),
                           QString::fromUtf8("ImportAction=Sonuçları &İçe Aktar..."),
                           QString::fromUtf8("FixturesAction=&Fikstür Tahmini..."),
                           QString::fromUtf8("TrackRecordAction=&Başarı..."),
                           QString::fromUtf8("UpdateAction=Verileri &Güncelle"),
                           QString::fromUtf8("WebLeaguesAction=&Web'den Lig Al..."),
                           QString::fromUtf8("BulletinAction=Haftanın B&ülteni ..."),
                           QString::fromUtf8("BetsAction=Ba&hislerim..."),
                           QString::fromUtf8("CheckDatabaseAction=Veritabanını &Denetle ..."),
                           QStringLiteral("N1=-"), QString::fromUtf8("k1=Çı&kış")}));
    EXPECT_EQ(itemsOf(menus[1]),
              QStringList({QString::fromUtf8("Hakknda1=&Hakkında"), QString::fromUtf8("Yardm2=&Yardım")}));

    // No two items of a menu share their Alt letter.
    for (QAction* menu : menus) {
        QStringList letters;
        for (QAction* item : menu->menu()->actions())
            if (!item->isSeparator())
                letters << item->text().section(u'&', 1).left(1).toLower();
        letters.removeDuplicates();
        EXPECT_EQ(letters.size(), menu->menu()->actions().size() - (menu == menus[0] ? 2 : 0));
    }
}

TEST_F(MainWindowMenu, VeritabaniniDenetleSaysASoundDatabaseIsSound) {
    start(codePage1254(kLeagues));
    run.dialogs.clear();
    main->findChild<QAction*>(QStringLiteral("CheckDatabaseAction"))->trigger();
    ASSERT_EQ(run.dialogs.asked.size(), 1u);
    EXPECT_EQ(run.dialogs.asked[0].kind, "inform");
    EXPECT_EQ(run.dialogs.asked[0].title, QString::fromUtf8("Veritabanını Denetle"));
    EXPECT_EQ(run.dialogs.asked[0].text,
              QString::fromUtf8("\"%1/Fvt/Liste.DB\" veritabanı: sağlam").arg(run.folder()));
}

// Rows of a league the list lacks, as an import killed between its commit and its list save leaves them.
TEST_F(MainWindowMenu, OpeningListsALeagueFoundOnlyInTheTableAndSaysSo) {
    {
        Database before(run.folder(), QStringLiteral("Before"));
        MatchTable(before).appendSeedRow(QStringLiteral("Eski Lig"), QStringLiteral("Altay"), 5);
    }
    start(codePage1254(kLeagues));
    EXPECT_EQ(run.leagueFileBytes(), codePage1254(kLeagues) + "Eski Lig\r\n");
    EXPECT_EQ(run.find<QStatusBar>(main, "StatusBar1")->currentMessage(),
              QString::fromUtf8(
                  "Maçları tabloda olup lig listesinde (klasman.dat) olmayan lig listeye eklendi: Eski Lig"));
    EXPECT_EQ(run.find<QComboBox>(main, "ComboBox1")->findText(QStringLiteral("Eski Lig")),
              1); // after "1. Lig"
}

TEST_F(MainWindowMenu, F10AndAltLettersReachTheMenusFromTheKeyboard) {
    start(codePage1254(kLeagues));
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_F10);
    EXPECT_EQ(main->menuBar()->activeAction(), main->menuBar()->actions().constFirst());
    QTest::keyClick(main->menuBar(), Qt::Key_Escape);

    QTest::keyClick(main, Qt::Key_Y, Qt::AltModifier);
    QMenu* help = main->menuBar()->actions().at(1)->menu();
    EXPECT_TRUE(help->isVisible());
    QTest::keyClick(help, Qt::Key_H); // Hakkında
    EXPECT_EQ(modalsAsked(run), QStringList{QStringLiteral("AboutBox")});
}

TEST_F(MainWindowMenu, WithAnEmptySelectorOnlyLiglerOpensItsWindowAndTheMainWindowStays) {
    start(QByteArray());
    for (const char* action : {"akmlar1", "SonuGiri1"}) {
        trigger(action);
        EXPECT_TRUE(main->isVisible()) << action;
    }
    EXPECT_FALSE(run.windows().teamList()->isVisible());
    EXPECT_FALSE(run.windows().results()->isVisible());
    EXPECT_TRUE(run.dialogs.asked.empty());

    trigger("Ligler1");
    EXPECT_EQ(modalsAsked(run), QStringList{QStringLiteral("Form5")});
    EXPECT_TRUE(run.windows().leagueList()->isVisible());
    EXPECT_TRUE(main->isVisible());
    run.windows().leagueList()->close();
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainWindowMenu, EachAdministrationWindowResetsTheViewHidesAndIsShownModally) {
    struct Case {
        const char* action;
        const char* window;
    };
    for (const Case& c : {Case{"Ligler1", "Form5"}, Case{"akmlar1", "Form2"}, Case{"SonuGiri1", "Form3"}}) {
        SCOPED_TRACE(c.action);
        if (!main)
            start(codePage1254(kLeagues));
        run.dialogs.clear();
        fillView();
        trigger(c.action);

        EXPECT_EQ(modalsAsked(run), QStringList{QString::fromLatin1(c.window)});
        EXPECT_FALSE(main->isVisible());
        auto* selector = run.find<QComboBox>(main, "ComboBox1");
        EXPECT_EQ(selector->currentIndex(), -1);
        EXPECT_EQ(selector->count(), 2);
        for (const char* list : {"ComboBox2", "ComboBox3", "ComboBox4"})
            EXPECT_EQ(run.find<QComboBox>(main, list)->count(), 0) << list;
        for (const QString& name : panelBoxes())
            EXPECT_EQ(run.find<QLineEdit>(main, name)->text(), QString()) << name.toStdString();
        EXPECT_EQ(main->loadedLeague(), QString());

        // The administration window shows the main window again when it closes.
        QWidget* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String(c.window))
                window = top;
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isVisible());
        window->close();
        EXPECT_TRUE(main->isVisible());
    }
}

TEST_F(MainWindowMenu, SonucGirisSetsTheResultsWindowsDatesToToday) {
    start(codePage1254(kLeagues));
    const QList<QDateEdit*> pickers = run.windows().results()->findChildren<QDateEdit*>();
    for (QDateEdit* picker : pickers)
        picker->setDate(QDate(2008, 5, 5));
    trigger("SonuGiri1");
    ASSERT_FALSE(pickers.isEmpty());
    for (QDateEdit* picker : pickers)
        EXPECT_EQ(picker->date(), TestProgram::kToday) << picker->objectName().toStdString();
}

TEST_F(MainWindowMenu, LiglerWithAnUnreadableLeagueFileShowsTheErrorAndTheMainWindowAgain) {
    for (const QByteArray& atStart : {codePage1254(kLeagues), QByteArray()}) {
        TestProgram fresh;
        fresh.writeLeagueFile(atStart);
        fresh.start();
        MainWindow* shell = fresh.windows().main();
        shell->show();
        ASSERT_TRUE(QFile::remove(fresh.leagueFilePath()));

        shell->findChild<QAction*>(QStringLiteral("Ligler1"))->trigger();
        ASSERT_EQ(fresh.dialogs.errors().size(), 1);
        EXPECT_TRUE(fresh.dialogs.errors().front().contains(QStringLiteral("klasman.dat")));
        EXPECT_EQ(modalsAsked(fresh), QStringList());
        EXPECT_FALSE(fresh.windows().leagueList()->isVisible());
        EXPECT_TRUE(shell->isVisible());
    }
}

TEST_F(MainWindowMenu, TheCaptionScrollsOneCharacterPerTickAndComesBackAfterAllOfThem) {
    start(codePage1254(kLeagues));
    const QString initial = main->windowTitle();
    ASSERT_TRUE(initial.startsWith(QStringLiteral("   FUTBOL  VEZAL  2.0   -  ")));
    ASSERT_TRUE(initial.endsWith(QStringLiteral("   -")));

    main->scrollCaption();
    EXPECT_TRUE(main->windowTitle().startsWith(QStringLiteral("  FUTBOL")));
    EXPECT_EQ(main->windowTitle(), initial.mid(1) + u' ');
    for (qsizetype tick = 1; tick < initial.size(); ++tick) {
        main->scrollCaption();
        ASSERT_FALSE(main->windowTitle().isEmpty());
        if (tick < initial.size() - 1) {
            EXPECT_NE(main->windowTitle(), initial) << tick;
        }
    }
    EXPECT_EQ(main->windowTitle(), initial);
}

TEST_F(MainWindowMenu, TheCaptionTimerTicksEveryHalfSecondAlsoWhileHidden) {
    start(codePage1254(kLeagues));
    auto* timer = main->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 500);
    main->hide();
    const QString before = main->windowTitle();
    QDeadlineTimer deadline(3000);
    while (main->windowTitle() == before && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(main->windowTitle(), before.mid(1) + before.front());
}

TEST_F(MainWindowMenu, CompanionWindowsShowBesideTheMainWindow) {
    start(codePage1254(kLeagues));
    const ProgramWindows& forms = run.windows();

    trigger("YorumRaporlar1");
    EXPECT_TRUE(forms.report()->isVisible());
    trigger("Yardm2");
    EXPECT_TRUE(forms.help()->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(modalsAsked(run), QStringList());

    // Chosen again, the help window is only brought forward: where the user put it, it stays.
    forms.help()->move(forms.help()->pos() + QPoint(40, 30));
    const QPoint placed = forms.help()->pos();
    trigger("Yardm2");
    EXPECT_TRUE(forms.help()->isVisible());
    EXPECT_EQ(forms.help()->pos(), placed);

    trigger("Hakknda1");
    EXPECT_EQ(modalsAsked(run), QStringList{QStringLiteral("AboutBox")});
}

TEST_F(MainWindowMenu, CikisClosesTheProgramAndSavesTheLeagueList) {
    start(codePage1254(QString::fromUtf8("Süper Lig\r\n1. Lig\r\n")));
    QSignalSpy closed(main, &MainWindow::closed);
    trigger("k1");
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(run.leagueFileBytes(), codePage1254(QString::fromUtf8("1. Lig\r\nSüper Lig\r\n")));
}

TEST_F(MainWindowMenu, ComparisonPanelBoxesAndTabOrder) {
    start(codePage1254(kLeagues));
    for (const QString& name : panelBoxes()) {
        auto* box = run.find<QLineEdit>(main, name);
        const bool matchNumber = name == QStringLiteral("Memo25");
        EXPECT_EQ(box->isReadOnly(), !matchNumber) << name.toStdString();
        EXPECT_EQ(box->focusPolicy() == Qt::NoFocus, !matchNumber) << name.toStdString();
    }
    EXPECT_EQ(run.find<QLineEdit>(main, "Memo25")->maxLength(), 3);

    const QStringList order = {"ComboBox3", "ComboBox4", "Button1", "Button6", "Button2", "Memo25"};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = run.find<QWidget>(main, order[i])->nextInFocusChain();
        while (next && next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        EXPECT_EQ(next ? next->objectName() : QString(), order[i + 1]);
    }
}

} // namespace
} // namespace vezal
