// The import and fixture windows as a user goes on from the main window: they start on its league, the
// lines an import left out stay in sight and can be saved, and a fixture file's names match the league's
// in any letter case.
#include "support/TestProgram.h"
#include "windows/FixtureWindow.h"
#include "windows/ImportWindow.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Lines 3 and 5 are left out (a day that does not exist, the same team twice); four matches go in.
const QByteArray kSeason = "Date,HomeTeam,AwayTeam,FTHG,FTAG\r\n"
                           "01/08/09,Kartal,Bolu,2,1\r\n"
                           "31/02/09,Corum,Izmir,1,1\r\n"
                           "08/08/09,Bolu,Corum,0,2\r\n"
                           "08/08/09,Bolu,Bolu,1,0\r\n"
                           "15/08/09,Izmir,Kartal,1,3\r\n"
                           "15/08/09,Corum,Bolu,1,1\r\n";

class ImportAndFixtureStart : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(utf8("1. Lig\r\n")));
        run.start();
        main = run.windows().main();
        main->show();
    }
    QString write(const char* name, const QByteArray& bytes) {
        const QString path = run.folder() + u'/' + QString::fromLatin1(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }
    void trigger(const char* action) { main->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }
    template <typename T> T* in(QWidget* window, const char* name) const {
        return run.find<T>(window, QString::fromLatin1(name));
    }
    void click(QWidget* window, const char* button) {
        QTest::mouseClick(in<QPushButton>(window, button), Qt::LeftButton);
    }
    static QStringList items(const QListWidget* list) {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    // Imports kSeason into "Ege Ligi", which the main window then shows.
    ImportWindow* importSeason() {
        trigger("ImportAction");
        ImportWindow* window = run.windows().import();
        run.dialogs.answerNextFileDialog(write("sezon.csv", kSeason));
        click(window, "ChooseFileButton");
        in<QComboBox>(window, "LeagueBox")->setEditText(utf8("Ege Ligi"));
        click(window, "ImportButton");
        return window;
    }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(ImportAndFixtureStart, TheLinesLeftOutStayAfterAktarAndCanBeSaved) {
    ImportWindow* window = importSeason();
    ASSERT_EQ(in<QLabel>(window, "CountsLabel")->text(),
              utf8("Aktarıldı: 4 maç eklendi, 0 maç zaten kayıtlıydı, 2 satır okunamadı."));
    const QStringList leftOut = items(in<QListWidget>(window, "RejectedList"));
    ASSERT_EQ(leftOut.size(), 2);
    EXPECT_TRUE(leftOut[0].startsWith(utf8("Satır 3: Tarih okunamadı"))) << leftOut[0].toStdString();
    EXPECT_EQ(leftOut[1], utf8("Satır 5: Ev sahibi ve misafir takım aynı: Bolu"));

    const QString saved = run.folder() + QStringLiteral("/okunamayan.txt");
    run.dialogs.answerNextFileDialog(saved);
    ASSERT_TRUE(in<QPushButton>(window, "SaveRejectedButton")->isEnabled());
    click(window, "SaveRejectedButton");
    // UTF-8 with its byte-order mark, CR LF after each line.
    EXPECT_EQ(read(saved), "\xEF\xBB\xBF" + leftOut[0].toUtf8() + "\r\n" + leftOut[1].toUtf8() + "\r\n");
}

TEST_F(ImportAndFixtureStart, BothWindowsStartOnTheMainWindowsLeague) {
    run.windows().import()->close();
    ASSERT_EQ(main->loadedLeague(), QString()); // nothing shown yet: both start without a league
    trigger("ImportAction");
    EXPECT_EQ(in<QComboBox>(run.windows().import(), "LeagueBox")->currentText(), QString());
    run.windows().import()->close();

    importSeason();
    run.windows().import()->close();
    ASSERT_EQ(main->loadedLeague(), utf8("Ege Ligi"));
    trigger("ImportAction");
    EXPECT_EQ(in<QComboBox>(run.windows().import(), "LeagueBox")->currentText(), utf8("Ege Ligi"));
    run.windows().import()->close();
    trigger("FixturesAction");
    EXPECT_EQ(in<QComboBox>(run.windows().fixtures(), "LeagueBox")->currentText(), utf8("Ege Ligi"));
}

TEST_F(ImportAndFixtureStart, FixtureNamesMatchInAnyCaseAndAnUnknownTeamIsNamed) {
    importSeason();
    run.windows().import()->close();
    trigger("FixturesAction");
    FixtureWindow* fixtures = run.windows().fixtures();
    run.dialogs.answerNextFileDialog(write("fikstur.csv", "Date,HomeTeam,AwayTeam\r\n"
                                                          "22/08/09,KARTAL,corum\r\n"
                                                          "22/08/09,Izmir,Yozgat\r\n"
                                                          "22/08/09,YOZGAT,bolu\r\n"));
    click(fixtures, "ChooseFileButton");
    click(fixtures, "PredictButton");
    const QStringList outcomes = items(in<QListWidget>(fixtures, "OutcomeList"));
    ASSERT_EQ(outcomes.size(), 3);
    // The league's spelling in the coupon line, as a press in the main window writes it.
    EXPECT_TRUE(outcomes[0].startsWith(utf8("1  -  Kartal - Corum\t :   "))) << outcomes[0].toStdString();
    const QString unknown =
        utf8("Öncelikle tahminde bulunacağınız takımları doğru seçiniz: ligde \"%1\" adlı "
             "bir takım yok  ...");
    EXPECT_EQ(outcomes[1], utf8("2  -  Izmir - Yozgat\t:  ") + unknown.arg(QStringLiteral("Yozgat")));
    EXPECT_EQ(outcomes[2], utf8("3  -  YOZGAT - bolu\t:  ") + unknown.arg(QStringLiteral("YOZGAT")));
}

} // namespace
} // namespace vezal
