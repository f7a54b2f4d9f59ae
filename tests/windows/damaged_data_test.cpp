// The program on a database the quick check at start finds damaged: the windows that advise or change the
// data refuse in the warning box and point to the whole check, the reading windows still open.
#include "store/support/DamagedFile.h"
#include "store/support/TestLeague.h"
#include "support/TestProgram.h"
#include "windows/BetsWindow.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"
#include "windows/ReportWindow.h"

#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

class DamagedData : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(QStringLiteral("Lig\r\n")));
        testing::appendTestLeague(run.folder(), QStringLiteral("Lig"), QDate(2009, 8, 1));
        const QString path = run.folder() + QStringLiteral("/Fvt/Liste.DB");
        const std::vector<quint32> pages = testing::treePages(path, QStringLiteral("ListeKlasTarih"));
        ASSERT_GE(pages.size(), 3u);
        testing::overwrite(path, pages[1], 1500, QByteArray(200, 'A'));
        run.start();
        main = run.windows().main();
        main->show();
    }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(DamagedData, AdviceAndChangesRefuseAndTheReadingWindowsOpen) {
    ASSERT_TRUE(run.dialogs.asked.empty()) << run.dialogs.asked.front().text.toStdString();
    const QString heading = QString::fromUtf8("\"%1/Fvt/Liste.DB\" veritabanında ").arg(run.folder());
    const QString ending = QString::fromUtf8("Hasarlı veritabanıyla tahmin yapılmaz, kayıt yazılmaz.\n"
                                             "Ayrıntılar için: Dosya > Veritabanını Denetle ...");
    for (const char* refused :
         {"Ligler1", "akmlar1", "SonuGiri1", "ImportAction", "FixturesAction", "TrackRecordAction",
          "UpdateAction", "WebLeaguesAction", "BulletinAction", "Button1"}) {
        SCOPED_TRACE(refused);
        run.dialogs.clear();
        if (auto* action = main->findChild<QAction*>(QString::fromLatin1(refused)))
            action->trigger();
        else
            run.find<QPushButton>(main, QString::fromLatin1(refused))->click();
        ASSERT_EQ(run.dialogs.asked.size(), 1u);
        EXPECT_EQ(run.dialogs.asked[0].kind, QStringLiteral("warn"));
        EXPECT_EQ(run.dialogs.asked[0].extra, QStringLiteral("warning icon"));
        EXPECT_TRUE(run.dialogs.asked[0].text.startsWith(heading)) << run.dialogs.asked[0].text.toStdString();
        EXPECT_TRUE(run.dialogs.asked[0].text.endsWith(ending)) << run.dialogs.asked[0].text.toStdString();
        EXPECT_TRUE(main->isVisible());
    }

    // The whole check of the menu finds it too, and the advice stays refused.
    run.dialogs.clear();
    main->findChild<QAction*>(QStringLiteral("CheckDatabaseAction"))->trigger();
    main->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    ASSERT_EQ(run.dialogs.asked.size(), 2u);
    EXPECT_EQ(run.dialogs.asked[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(run.dialogs.asked[0].text.startsWith(heading));
    EXPECT_TRUE(run.dialogs.asked[1].text.endsWith(ending));

    run.dialogs.clear();
    main->findChild<QAction*>(QStringLiteral("BetsAction"))->trigger();
    main->findChild<QAction*>(QStringLiteral("YorumRaporlar1"))->trigger();
    EXPECT_TRUE(run.windows().bets()->isVisible());
    EXPECT_TRUE(run.windows().report()->isVisible());
    EXPECT_TRUE(run.dialogs.asked.empty()) << run.dialogs.asked.front().text.toStdString();
}

} // namespace
} // namespace vezal
