#include "support/TestProgram.h"
#include "windows/ProgramWindows.h"

#include "rating/MatchRating.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "windows/LeagueListWindow.h"
#include "windows/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

const QString kSuper = QString::fromUtf8("Süper Lig");
const QString kFirst = QStringLiteral("1. Lig");
const QString kZiraat = QString::fromUtf8("Ziraat Kupası");
const QString kQuestion =
    QString::fromUtf8("Seçtiğiniz Lig ve o ligteki tüm takımlar silinecektir. Onaylıyormusunuz ?");

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QByteArray fileOf(const QStringList& names) {
    QByteArray bytes;
    for (const QString& name : names)
        bytes += codePage1254(name) + "\r\n";
    return bytes;
}

class LeagueListWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The file in an order of its own: the window keeps it, the selector sorts it.
        run.writeLeagueFile(fileOf({kZiraat, kSuper, kFirst}));
        run.start();
        main = run.windows().main();
        main->show();
        MatchTable& table = run.program.table();
        for (const QString& league : {kSuper, kFirst}) {
            table.appendSeedRow(league, QStringLiteral("Altay"), 5);
            table.appendSeedRow(league, QStringLiteral("Bursaspor"), 4);
            table.appendMatchRow(league, QDate(2009, 2, 1), QStringLiteral("Altay"),
                                 QStringLiteral("Bursaspor"), 2, 1, rateMatch(2, 1, 2.55, 1.96));
        }
        main->findChild<QAction*>(QStringLiteral("Ligler1"))->trigger();
        form = run.windows().leagueList();
        list = run.find<QListWidget>(form, "ListBox1");
        name = run.find<QLineEdit>(form, "Edit1");
        status = run.find<QStatusBar>(form, "StatusBar1");
        selector = run.find<QComboBox>(main, "ComboBox1");
        run.dialogs.clear();
    }

    QStringList listed() const { return form->listedLeagues(); }
    void add(const QString& typed) {
        name->setText(typed);
        QTest::mouseClick(run.find<QPushButton>(form, "Button1"), Qt::LeftButton);
    }
    void select(const QString& league) {
        const QList<QListWidgetItem*> found = list->findItems(league, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.front());
    }
    void pressSil() { QTest::mouseClick(run.find<QPushButton>(form, "Button2"), Qt::LeftButton); }

    TestProgram run;
    MainWindow* main = nullptr;
    LeagueListWindow* form = nullptr;
    QListWidget* list = nullptr;
    QLineEdit* name = nullptr;
    QStatusBar* status = nullptr;
    QComboBox* selector = nullptr;
};

TEST_F(LeagueListWindowTest, OpensOverAHiddenMainWindowWithTheFileInItsOrder) {
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(listed(), QStringList({kZiraat, kSuper, kFirst}));
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(form->focusWidget(), name);
    EXPECT_EQ(status->currentMessage(), QString());
    EXPECT_EQ(form->size(), QSize(267, 632));
}

TEST_F(LeagueListWindowTest, RefusedNamesWarnInTheStatusLineAndStoreNothing) {
    struct Case {
        QString typed;
        const char16_t* warning;
    };
    const QByteArray fileBefore = run.leagueFileBytes();
    for (const Case& c : {Case{QString::fromUtf8("süper LİG"), messages::kLeagueExists},
                          Case{QString::fromUtf8("1. LİG"), messages::kLeagueExists},
                          Case{QStringLiteral("   "), messages::kLeagueNameEmpty},
                          Case{QStringLiteral(" \t "), messages::kLeagueNameEmpty},
                          Case{QString(), messages::kLeagueNameEmpty}}) {
        SCOPED_TRACE(c.typed.toStdString());
        status->clearMessage();
        add(c.typed);
        EXPECT_EQ(status->currentMessage(), QString::fromUtf16(c.warning));
        EXPECT_EQ(name->text(), QString());
        EXPECT_EQ(form->focusWidget(), name);
        EXPECT_EQ(listed(), QStringList({kZiraat, kSuper, kFirst}));
        EXPECT_EQ(run.leagueFileBytes(), fileBefore);
        EXPECT_EQ(selector->count(), 3);
    }
    EXPECT_TRUE(run.dialogs.asked.empty());
}

// Typing past the 20 characters the table keeps is said at once; the file keeps the whole name.
TEST_F(LeagueListWindowTest, ANameLongerThanTheTableKeepsIsSaidWhileTyped) {
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Avrupa Sampiyonlar Ligi"));
    EXPECT_EQ(status->currentMessage(), QString::fromUtf16(messages::kLeagueNameCut));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(status->currentMessage(), QString()); // exactly 20 now
}

TEST_F(LeagueListWindowTest, AnAddedLeagueGoesToTheListsEndAndToItsSortedPlaceInSelectorAndFile) {
    status->showMessage(QString::fromUtf16(messages::kLeagueExists));
    const QString spaced = QStringLiteral(" ") + kSuper; // a leading blank makes another name
    add(spaced);
    add(QStringLiteral("Almanya"));

    EXPECT_EQ(listed(), QStringList({kZiraat, kSuper, kFirst, spaced, QStringLiteral("Almanya")}));
    const QStringList sorted = {spaced, kFirst, QStringLiteral("Almanya"), kSuper, kZiraat};
    EXPECT_EQ(itemsOf(selector), sorted);
    EXPECT_EQ(selector->currentIndex(), -1);
    EXPECT_EQ(run.leagueFileBytes(), fileOf(sorted));
    EXPECT_EQ(status->currentMessage(), QString::fromUtf16(messages::kLeagueExists)); // left as it was
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(form->focusWidget(), name);
}

TEST_F(LeagueListWindowTest, EnterInTheNameFieldMovesToEkleAndASecondEnterAddsTheLeague) {
    name->setText(QStringLiteral("Almanya"));
    QTest::keyClick(name, Qt::Key_Return);
    auto* ekle = run.find<QPushButton>(form, "Button1");
    EXPECT_EQ(form->focusWidget(), ekle);
    EXPECT_EQ(listed().size(), 3);
    QTest::keyClick(ekle, Qt::Key_Return);
    EXPECT_EQ(listed().last(), QStringLiteral("Almanya"));
}

TEST_F(LeagueListWindowTest, DeleteAnsweredNoChangesNothing) {
    select(kSuper);
    const QByteArray fileBefore = run.leagueFileBytes();
    const QStringList rowsBefore = run.rows();
    run.dialogs.answerNextQuestion(false);
    pressSil();

    ASSERT_EQ(run.dialogs.asked.size(), 1);
    const auto& asked = run.dialogs.asked.front();
    EXPECT_EQ(asked.kind, QStringLiteral("ask"));
    EXPECT_EQ(asked.title, QString::fromUtf8("   LİG SİL"));
    EXPECT_EQ(asked.text, kQuestion);
    EXPECT_EQ(asked.extra, QStringLiteral("no")); // No is the default button
    EXPECT_EQ(listed(), QStringList({kZiraat, kSuper, kFirst}));
    EXPECT_EQ(run.leagueFileBytes(), fileBefore);
    EXPECT_EQ(run.rows(), rowsBefore);
}

TEST_F(LeagueListWindowTest, DeleteWithNothingSelectedShowsTheIndexErrorAndChangesNothing) {
    const QByteArray fileBefore = run.leagueFileBytes();
    const QStringList rowsBefore = run.rows();
    run.dialogs.answerNextQuestion(true);
    pressSil();

    ASSERT_EQ(run.dialogs.errors().size(), 1);
    EXPECT_TRUE(run.dialogs.errors().front().contains(QStringLiteral("-1")));
    EXPECT_EQ(listed(), QStringList({kZiraat, kSuper, kFirst}));
    EXPECT_EQ(run.leagueFileBytes(), fileBefore);
    EXPECT_EQ(run.rows(), rowsBefore);
    EXPECT_EQ(selector->count(), 3);
}

TEST_F(LeagueListWindowTest, DeleteRemovesTheLeaguesRowsAndSavesTheListInTheWindowsOrder) {
    add(QStringLiteral("Almanya"));
    selector->setCurrentIndex(0);
    ASSERT_EQ(run.rowCount(kSuper), 3);
    ASSERT_EQ(run.rowCount(kFirst), 3);

    select(kSuper);
    run.dialogs.answerNextQuestion(true);
    pressSil();

    EXPECT_TRUE(run.dialogs.errors().isEmpty());
    EXPECT_EQ(run.rowCount(kSuper), 0);
    EXPECT_EQ(run.rowCount(kFirst), 3);
    const QStringList windowOrder = {kZiraat, kFirst, QStringLiteral("Almanya")};
    EXPECT_EQ(listed(), windowOrder);
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(run.leagueFileBytes(), fileOf(windowOrder));
    EXPECT_EQ(itemsOf(selector), QStringList({kFirst, QStringLiteral("Almanya"), kZiraat}));
    EXPECT_EQ(selector->currentIndex(), -1);
    EXPECT_EQ(form->focusWidget(), name);
}

TEST_F(LeagueListWindowTest, AFileThatCannotBeWrittenStopsTheAddAtTheFailingStep) {
    ASSERT_TRUE(QFile::remove(run.leagueFilePath()));
    ASSERT_TRUE(QDir().mkdir(run.leagueFilePath()));
    add(QStringLiteral("Almanya"));
    ASSERT_EQ(run.dialogs.errors().size(), 1);
    EXPECT_TRUE(run.dialogs.errors().front().contains(QStringLiteral("klasman.dat")));
    EXPECT_EQ(name->text(), QStringLiteral("Almanya")); // the steps after the save are not done
    ASSERT_TRUE(QDir().rmdir(run.leagueFilePath()));
}

TEST_F(LeagueListWindowTest, ClosingEmptiesTheWindowAndShowsTheMainWindow) {
    name->setText(QStringLiteral("yarım"));
    add(QStringLiteral("   "));
    name->setText(QStringLiteral("yarım"));
    form->close();

    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(status->currentMessage(), QString());

    // Escape closes the same way.
    main->findChild<QAction*>(QStringLiteral("Ligler1"))->trigger();
    ASSERT_TRUE(form->isVisible());
    EXPECT_EQ(list->count(), 3);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main->isVisible());
}

// Another process holding the list: after a second the notice, then either the wait ends by itself or the
// user cancels it, and nothing is written.
TEST_F(LeagueListWindowTest, AnAddWaitingForAnotherProcessSaysSoAndCanBeCancelled) {
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        run.dialogs.clear();
        const QByteArray before = run.leagueFileBytes();
        std::optional<LeagueListLock> other(std::in_place, run.leagueFilePath());
        int calls = 0;
        run.dialogs.onWaiting = [&] {
            if (++calls < 20)
                return true;
            other.reset(); // the other process is done
            return !cancel;
        };
        QElapsedTimer clock;
        clock.start();
        add(QStringLiteral("Yeni"));
        EXPECT_GE(clock.elapsed(), 1000);
        std::vector<QString> kinds;
        for (const auto& asked : run.dialogs.asked)
            kinds.push_back(asked.kind);
        if (cancel) {
            EXPECT_EQ(kinds, (std::vector<QString>{"waiting", "waited", "error"}));
            EXPECT_EQ(run.dialogs.errors(), QStringList{QString::fromUtf16(messages::kWaitCancelled)});
            EXPECT_EQ(run.leagueFileBytes(), before);
        } else {
            EXPECT_EQ(kinds, (std::vector<QString>{"waiting", "waited"}));
            EXPECT_TRUE(listed().contains(QStringLiteral("Yeni")));
            EXPECT_TRUE(run.leagueFileBytes().contains("Yeni\r\n"));
        }
        EXPECT_EQ(run.dialogs.asked[0].text, QString::fromUtf8("Başka bir işlem sürüyor, bekleniyor ..."));
        run.dialogs.onWaiting = nullptr;
    }
}

} // namespace
} // namespace vezal
