// The first start: a data folder without a league shows the guide in the tables' place, and its actions
// lead to a first league.
#include "evidence/TrackRecord.h"
#include "store/SourceTable.h"
#include "support/TestProgram.h"
#include "windows/ImportWindow.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"
#include "windows/WebLeaguesDialog.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

class FirstStart : public ::testing::Test {
protected:
    void start(const QByteArray& leagueFile) {
        run.writeLeagueFile(leagueFile);
        run.start();
        main = run.windows().main();
        main->show();
    }
    QWidget* guide() const { return run.find<QWidget>(main, QStringLiteral("FirstStartGuide")); }
    QWidget* homeTable() const { return run.find<QTableView>(main, QStringLiteral("DBGrid1")); }
    void click(const char* button, QWidget* window = nullptr) {
        QTest::mouseClick(run.find<QPushButton>(window ? window : main, QString::fromLatin1(button)),
                          Qt::LeftButton);
    }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(FirstStart, AFolderWithoutALeagueShowsTheGuideInsteadOfTheTables) {
    struct Case {
        const char* what;
        QByteArray leagueFile;
        bool guideShown;
    };
    const Case cases[] = {{"empty klasman.dat", QByteArray(), true},
                          {"one league", codePage1254(utf8("1. Lig\r\n")), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram fresh;
        fresh.writeLeagueFile(c.leagueFile);
        fresh.start();
        MainWindow* window = fresh.windows().main();
        window->show();
        EXPECT_EQ(fresh.find<QWidget>(window, QStringLiteral("FirstStartGuide"))->isVisible(), c.guideShown);
        EXPECT_EQ(fresh.find<QTableView>(window, QStringLiteral("DBGrid1"))->isVisible(), !c.guideShown);
        fresh.stop();
    }
}

TEST_F(FirstStart, TheSampleLeagueLoadsIsShownAndTheGuideGoes) {
    start(QByteArray());
    ASSERT_TRUE(guide()->isVisible());
    click("GuideSampleButton");

    EXPECT_TRUE(run.dialogs.warnings().isEmpty()) << run.dialogs.warnings().join(u'\n').toStdString();
    EXPECT_EQ(main->leagues(), QStringList{utf8("Örnek Lig")});
    EXPECT_EQ(main->loadedLeague(), utf8("Örnek Lig"));
    EXPECT_FALSE(guide()->isVisible());
    EXPECT_TRUE(homeTable()->isVisible());
    // Ten seed rows and 180 matches; the list file names the league.
    EXPECT_EQ(run.rowCount(utf8("Örnek Lig")), 190);
    EXPECT_EQ(run.leagueFileBytes(), codePage1254(utf8("Örnek Lig\r\n")));
    EXPECT_EQ(run.find<QTableView>(main, QStringLiteral("DBGrid1"))->model()->rowCount(), 10);
}

TEST_F(FirstStart, TheImportActionOpensTheImportWindow) {
    start(QByteArray());
    click("GuideImportButton");
    EXPECT_TRUE(run.windows().import()->isVisible());
}

// The web way: the ticked league is listed, keeps this season's file as its source, and gets the seasons
// asked for, oldest first; lines of another league's code in a file are left out.
TEST_F(FirstStart, TheWebActionTakesTheTickedLeagueWithItsPastSeasons) {
    start(QByteArray());
    click("GuideWebButton");
    auto* dialog = main->findChild<WebLeaguesDialog*>();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->isVisible());

    // The test program's today is 14.03.2009: this season is 2008-09, the one before 2007-08, whose days
    // before 2008 the program refuses.
    const std::pair<const char*, QByteArray> files[] = {
        {"T1-2007-08.csv", "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                           "T1,05/01/2008,Kartal,Bolu,2,0\n"
                           "T1,12/01/2008,Bolu,Sivas,1,1\n"
                           "E0,12/01/2008,Arsenal,Leeds,1,0\n"},
        {"T1-2008-09.csv", "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                           "T1,16/08/2008,Sivas,Kartal,0,3\n"},
    };
    for (const auto& [name, bytes] : files) {
        QFile file(run.folder() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    dialog->addressOf = [this](const QString& code, const QDate& day) {
        return QStringLiteral("%1/%2-%3.csv").arg(run.folder(), code, seasonOf(day));
    };

    click("TakeButton", dialog);
    EXPECT_EQ(run.dialogs.warnings(),
              QStringList{utf8("Önce almak istediğiniz ligleri işaretlemelisiniz  ... ")});
    auto* list = run.find<QListWidget>(dialog, QStringLiteral("WebLeagueList"));
    const auto found = list->findItems(utf8("Süper Lig"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    found.front()->setCheckState(Qt::Checked);
    run.find<QSpinBox>(dialog, QStringLiteral("PastSeasonsBox"))->setValue(1);
    click("TakeButton", dialog);

    EXPECT_EQ(run.dialogs.warnings().size(), 1) << run.dialogs.warnings().join(u'\n').toStdString();
    EXPECT_EQ(main->leagues(), QStringList{utf8("Süper Lig")});
    EXPECT_EQ(main->loadedLeague(), utf8("Süper Lig"));
    EXPECT_FALSE(guide()->isVisible());
    const auto source = SourceTable(run.program.database()).find(utf8("Süper Lig"));
    ASSERT_TRUE(source);
    EXPECT_EQ(source->code, QStringLiteral("T1"));
    EXPECT_EQ(source->address, run.folder() + "/T1-2008-09.csv");
    // Three seed rows and the three T1 matches.
    EXPECT_EQ(run.rowCount(utf8("Süper Lig")), 6);
    EXPECT_EQ(run.dialogs.asked.back().kind, QStringLiteral("modal"));
    EXPECT_EQ(run.dialogs.asked.back().title, QStringLiteral("UpdateResults"));
}

// A click on a league's box ticks it once, as a click beside it on its line does; a second unticks it.
TEST_F(FirstStart, AClickOnTheBoxOrItsLineTicksTheLeagueOnce) {
    start(QByteArray());
    click("GuideWebButton");
    auto* list = run.find<QListWidget>(main->findChild<WebLeaguesDialog*>(), QStringLiteral("WebLeagueList"));
    QListWidgetItem* item = list->item(1);
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    const QPoint onText(box.right() + 40, box.center().y());
    const std::pair<QPoint, Qt::CheckState> clicks[] = {{box.center(), Qt::Checked},
                                                        {box.center(), Qt::Unchecked},
                                                        {onText, Qt::Checked},
                                                        {onText, Qt::Unchecked}};
    for (const auto& [at, after] : clicks) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(item->checkState(), after) << at.x();
    }
}

// With no network (here: files that are not there) a ticked league leaves no list line, no source and no
// row; the update's window says why and the guide stays.
TEST_F(FirstStart, AWebLeagueWhoseFilesDoNotComeIsTakenBack) {
    start(QByteArray());
    click("GuideWebButton");
    auto* dialog = main->findChild<WebLeaguesDialog*>();
    ASSERT_TRUE(dialog);
    dialog->addressOf = [this](const QString& code, const QDate& day) {
        return QStringLiteral("%1/yok/%2-%3.csv").arg(run.folder(), code, seasonOf(day));
    };
    run.find<QListWidget>(dialog, QStringLiteral("WebLeagueList"))
        ->findItems(utf8("Süper Lig"), Qt::MatchExactly)
        .front()
        ->setCheckState(Qt::Checked);
    click("TakeButton", dialog);

    EXPECT_EQ(main->leagues(), QStringList());
    EXPECT_TRUE(guide()->isVisible());
    EXPECT_EQ(run.leagueFileBytes(), QByteArray());
    EXPECT_FALSE(SourceTable(run.program.database()).find(utf8("Süper Lig")));
    EXPECT_EQ(run.rowCount(utf8("Süper Lig")), 0);
    auto* table = main->findChild<QTableWidget*>(QStringLiteral("UpdateTable"));
    ASSERT_TRUE(table);
    const int last = table->rowCount() - 1;
    EXPECT_EQ(table->item(last, 0)->text(), utf8("Süper Lig"));
    EXPECT_EQ(table->item(last, 5)->text(), utf8("Hiçbir dosyası alınamadı; lig listeye eklenmedi"));
}

} // namespace
} // namespace vezal
