// Dosya > "Verileri Güncelle" and the league window's "Kaynak..." against a server on this machine.
#include "exchange/LeagueSources.h"
#include "exchange/support/LocalServer.h"
#include "store/SourceTable.h"
#include "support/TestProgram.h"
#include "windows/LeagueListWindow.h"
#include "windows/LeagueSourceWindow.h"
#include "windows/LeagueUpdateWindow.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::LocalServer;
using testing::TestProgram;

const QString kSuper = QString::fromUtf8("Süper Lig");
const QString kFirst = QStringLiteral("1. Lig");
const QByteArray kSeason = "Div,Date,Time,HomeTeam,AwayTeam,FTHG,FTAG,FTR,AvgH,AvgD,AvgA\r\n"
                           "T1,09/08/2008,19:00,Kartal,Bolu,2,0,H,1.80,3.50,4.20\r\n"
                           "T1,10/08/2008,19:00,Sivas,Yalova,1,1,D,2.10,3.20,3.40\r\n"
                           "T1,16/08/2008,19:00,Bolu,Sivas,0,3,A,2.50,3.10,2.80\r\n";

class LeagueUpdateWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(kFirst + "\r\n" + kSuper + "\r\n"));
        run.start();
        main = run.windows().main();
        main->show();
    }
    void setSource(const QString& league, const QString& address) {
        ASSERT_EQ(setLeagueSource(run.program.database(), run.leagueFilePath(), league, {QString(), address}),
                  std::nullopt);
    }
    int matches(const QString& league) const {
        int count = 0;
        for (const QString& row : run.rows())
            count += row.section(u'|', 0, 0) == "O" && row.section(u'|', 1, 1) == league;
        return count;
    }
    // The result window's rows, cells joined by "|".
    QStringList resultRows() const {
        auto* window = main->findChild<LeagueUpdateWindow*>("UpdateResults");
        EXPECT_NE(window, nullptr);
        if (!window)
            return {};
        auto* table = run.find<QTableWidget>(window, "UpdateTable");
        QStringList rows;
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
            rows << cells.join(u'|');
        }
        window->close();
        return rows;
    }
    void update() { main->findChild<QAction*>("UpdateAction")->trigger(); }

    TestProgram run;
    MainWindow* main = nullptr;
    LocalServer server;
};

TEST_F(LeagueUpdateWindowTest, EveryLeagueWithASourceIsUpdatedAndItsCountsShown) {
    server.serveFile("/T1.csv", kSeason);
    setSource(kSuper, server.url("/T1.csv"));
    setSource(kFirst, server.url("/T2.csv")); // 404
    update();
    EXPECT_EQ(resultRows(), QStringList({kFirst + "|||||Sunucu HTTP 404 hatası verdi (dosya bulunamadı): " +
                                             server.url("/T2.csv"),
                                         kSuper + "|3|0|0|0|Güncellendi"}));
    EXPECT_EQ(matches(kSuper), 3);
    EXPECT_TRUE(run.dialogs.warnings().isEmpty());
    update();
    EXPECT_EQ(resultRows().value(1), kSuper + "|0|3|0|0|Güncellendi");
    EXPECT_EQ(matches(kSuper), 3);
}

TEST_F(LeagueUpdateWindowTest, WithoutSourcesItSaysWhereToGiveOne) {
    update();
    EXPECT_EQ(
        run.dialogs.warnings(),
        QStringList{"Kaynağı olan bir lig yok; bir ligin kaynağını Ligler penceresinde \"Kaynak...\" ile "
                    "verebilirsiniz  ... "});
    EXPECT_EQ(main->findChild<LeagueUpdateWindow*>("UpdateResults"), nullptr);
}

// "İptal" while the first league's server keeps it waiting: neither league changes.
TEST_F(LeagueUpdateWindowTest, CancelLeavesTheLeagueUnderWayAndTheRestAsTheyWere) {
    server.serve("/bekle.csv", {200, {}, {}, true});
    server.serveFile("/T1.csv", kSeason);
    setSource(kFirst, server.url("/bekle.csv"));
    setSource(kSuper, server.url("/T1.csv"));
    bool pressed = false;
    QTimer::singleShot(300, main, [&] {
        if (auto* progress = main->findChild<QProgressDialog*>("UpdateProgress")) {
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            pressed = true;
        }
    });
    update();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(resultRows(), QStringList({kFirst + "|||||İptal edildi; lig önceki halinde",
                                         kSuper + "|||||Güncellenmedi (iptal)"}));
    EXPECT_EQ(matches(kSuper), 0);
}

// The league window's "Kaynak...": the season address of the program's day, a typed address refused.
TEST_F(LeagueUpdateWindowTest, TheSourceWindowOffersTheSeasonAddressAndSavesIt) {
    main->findChild<QAction*>("Ligler1")->trigger();
    LeagueListWindow* form = run.windows().leagueList();
    auto* list = run.find<QListWidget>(form, "ListBox1");
    QTest::mouseClick(run.find<QPushButton>(form, "SourceButton"), Qt::LeftButton);
    EXPECT_EQ(run.dialogs.warnings(),
              QStringList{"Kaynağını düzenleyeceğiniz ligi listeden seçmelisiniz  ... "});

    list->setCurrentItem(list->findItems(kSuper, Qt::MatchExactly).value(0));
    QTest::mouseClick(run.find<QPushButton>(form, "SourceButton"), Qt::LeftButton);
    auto* window = form->findChild<LeagueSourceWindow*>("LeagueSourceWindow");
    ASSERT_NE(window, nullptr);
    auto* known = run.find<QComboBox>(window, "KnownLeagueBox");
    const int t1 = known->findData("T1");
    ASSERT_GT(t1, 0);
    EXPECT_EQ(known->itemText(t1), "T1  Süper Lig");
    known->setCurrentIndex(t1);
    emit known->activated(t1);
    // The program's day is 14.03.2009: the 2008-09 season.
    EXPECT_EQ(run.find<QLineEdit>(window, "CodeBox")->text(), "T1");
    auto* source = run.find<QLineEdit>(window, "SourceBox");
    EXPECT_EQ(source->text(), "https://www.football-data.co.uk/mmz4281/0809/T1.csv");

    run.dialogs.clear();
    source->setText("ftp://example.org/T1.csv");
    QTest::mouseClick(run.find<QPushButton>(window, "SaveButton"), Qt::LeftButton);
    EXPECT_EQ(run.dialogs.warnings(),
              QStringList{"Kaynak bir http ya da https adresi ya da bir dosyanın tam yolu olmalı: "
                          "ftp://example.org/T1.csv"});
    EXPECT_EQ(SourceTable(run.program.database()).find(kSuper), std::nullopt);

    source->setText("https://www.football-data.co.uk/mmz4281/0809/T1.csv");
    QTest::mouseClick(run.find<QPushButton>(window, "SaveButton"), Qt::LeftButton);
    EXPECT_EQ(SourceTable(run.program.database()).find(kSuper),
              (LeagueSource{kSuper, "T1", "https://www.football-data.co.uk/mmz4281/0809/T1.csv"}));
}

// Enter in the address box saves what is typed; no file chooser comes up.
TEST_F(LeagueUpdateWindowTest, EnterInTheSourceWindowSaves) {
    main->findChild<QAction*>("Ligler1")->trigger();
    LeagueListWindow* form = run.windows().leagueList();
    auto* list = run.find<QListWidget>(form, "ListBox1");
    list->setCurrentItem(list->findItems(kSuper, Qt::MatchExactly).value(0));
    QTest::mouseClick(run.find<QPushButton>(form, "SourceButton"), Qt::LeftButton);
    auto* window = form->findChild<LeagueSourceWindow*>("LeagueSourceWindow");
    ASSERT_NE(window, nullptr);
    run.find<QLineEdit>(window, "CodeBox")->setText("T1");
    auto* source = run.find<QLineEdit>(window, "SourceBox");
    source->setText("https://www.football-data.co.uk/mmz4281/0809/T1.csv");
    run.dialogs.clear();
    QTest::keyClick(source, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(run.dialogs.asked.empty());
    EXPECT_EQ(SourceTable(run.program.database()).find(kSuper),
              (LeagueSource{kSuper, "T1", "https://www.football-data.co.uk/mmz4281/0809/T1.csv"}));
}

} // namespace
} // namespace vezal
