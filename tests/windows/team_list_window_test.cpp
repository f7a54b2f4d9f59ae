#include "support/TestProgram.h"
#include "windows/ProgramWindows.h"

#include "rating/MatchRating.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "windows/MainWindow.h"
#include "windows/TeamListWindow.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

const QString kSuper = QString::fromUtf8("Süper Lig");
const QString kFirst = QStringLiteral("1. Lig");
const QString kQuestion =
    QString::fromUtf8("Seçtiğiniz Takım ve Oynadığı Tüm Maçlar Silinecektir. Onaylıyormusunuz ?");

QString message(const char16_t* text) {
    return QString::fromUtf16(text);
}

class TeamListWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(kSuper + QStringLiteral("\r\n") + kFirst + QStringLiteral("\r\n")));
        run.start();
        main = run.windows().main();
        main->show();
        MatchTable& table = run.program.table();
        table.appendSeedRow(kSuper, QStringLiteral("Altay"), 5);
        table.appendSeedRow(kSuper, QStringLiteral("Galatasaray"), 6);
        // Göztepe plays in both leagues.
        for (const QString& league : {kSuper, kFirst}) {
            table.appendSeedRow(league, QString::fromUtf8("Göztepe"), 4);
            table.appendMatchRow(league, QDate(2009, 2, 1), QString::fromUtf8("Göztepe"),
                                 QStringLiteral("Altay"), 1, 0, rateMatch(1, 0, 2.04, 2.45));
        }
        table.appendMatchRow(kSuper, QDate(2009, 2, 8), QStringLiteral("Altay"),
                             QStringLiteral("Galatasaray"), 2, 2, rateMatch(2, 2, 2.55, 2.94));

        main->findChild<QAction*>(QStringLiteral("akmlar1"))->trigger();
        form = run.windows().teamList();
        league = run.find<QComboBox>(form, "ComboBox1");
        grid = run.find<QTableView>(form, "DBGrid1");
        name = run.find<QLineEdit>(form, "Edit1");
        points = run.find<QLineEdit>(form, "Memo1");
        run.dialogs.clear();
    }

    void choose(const QString& chosen) { league->setCurrentIndex(league->findText(chosen)); }
    QStringList teamsShown() const {
        QAbstractItemModel* model = grid->model();
        while (model->canFetchMore({}))
            model->fetchMore({});
        QStringList teams;
        for (int row = 0; row < model->rowCount(); ++row)
            teams << model->index(row, 0).data().toString();
        return teams;
    }
    void ekle() { QTest::mouseClick(run.find<QPushButton>(form, "Button1"), Qt::LeftButton); }
    void sil() { QTest::mouseClick(run.find<QPushButton>(form, "Button2"), Qt::LeftButton); }

    TestProgram run;
    MainWindow* main = nullptr;
    TeamListWindow* form = nullptr;
    QComboBox* league = nullptr;
    QTableView* grid = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* points = nullptr;
};

TEST_F(TeamListWindowTest, OpensWithTheLeaguesOfTheFileAndNoneChosen) {
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(main->isVisible());
    ASSERT_EQ(league->count(), 2);
    EXPECT_EQ(league->itemText(0), kSuper);
    EXPECT_EQ(league->currentIndex(), -1);
    EXPECT_EQ(league->maxVisibleItems(), 24);

    choose(kSuper);
    EXPECT_EQ(teamsShown(), QStringList({QStringLiteral("Altay"), QStringLiteral("Galatasaray"),
                                         QString::fromUtf8("Göztepe")}));
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Takımlar"));
    EXPECT_EQ(form->focusWidget(), name);
}

TEST_F(TeamListWindowTest, TheFiveChecksRunInOrderAndOnlyTheFirstFailureIsShown) {
    struct Case {
        bool chooseLeague;
        QString name;
        QString points;
        const char16_t* warning;
        bool boxesEmptied;
    };
    const Case cases[] = {
        {false, QString(), QString(), messages::kChooseTeamLeague, false},
        {false, QStringLiteral("Bursaspor"), QStringLiteral("5"), messages::kChooseTeamLeague, false},
        {true, QString(), QStringLiteral("9"), messages::kEnterTeamName, false},
        {true, QStringLiteral("Bursaspor"), QStringLiteral("0"), messages::kEnterStartingPoints, false},
        {true, QStringLiteral("Bursaspor"), QStringLiteral(","), messages::kEnterStartingPoints, false},
        {true, QStringLiteral("Bursaspor"), QString(), messages::kEnterStartingPoints, false},
        {true, QStringLiteral("Bursaspor"), QStringLiteral("7,5"), messages::kTooManyPoints, false},
        {true, QStringLiteral("Bursaspor"), QStringLiteral("70"), messages::kTooManyPoints, false},
        {true, QStringLiteral("GALATASARAY"), QStringLiteral("9"), messages::kTooManyPoints, false},
        {true, QStringLiteral("galatasaray"), QStringLiteral("3"), messages::kTeamExists, true},
        {true, QString::fromUtf8("GÖZTEPE"), QStringLiteral("3"), messages::kTeamExists, true},
    };
    const QStringList rowsBefore = run.rows();
    for (const Case& c : cases) {
        SCOPED_TRACE((c.name + u'/' + c.points).toStdString());
        run.dialogs.clear();
        if (c.chooseLeague)
            choose(kSuper);
        else
            league->setCurrentIndex(-1);
        name->setText(c.name);
        points->setText(c.points);
        ekle();

        EXPECT_EQ(run.dialogs.warnings(), QStringList{message(c.warning)});
        EXPECT_EQ(name->text(), c.boxesEmptied ? QString() : c.name);
        EXPECT_EQ(points->text(), c.boxesEmptied ? QString() : c.points);
        if (c.boxesEmptied) {
            EXPECT_EQ(form->focusWidget(), name);
        }
        EXPECT_EQ(run.rows(), rowsBefore);
    }
}

// The name box takes no more than the table keeps, so nothing is cut without the user seeing it.
TEST_F(TeamListWindowTest, TheNameBoxTakesTwentyCharacters) {
    name->insert(QString::fromUtf8("Fenerbahçe Spor Kulübü A.Ş.")); // as typed or pasted
    EXPECT_EQ(name->text(), QString::fromUtf8("Fenerbahçe Spor Kulü"));
}

TEST_F(TeamListWindowTest, SevenPointsAreSplitFiftyOneToFortyNine) {
    choose(kSuper);
    name->setText(QStringLiteral("Bursaspor"));
    points->setText(QStringLiteral("7"));
    ekle();

    EXPECT_TRUE(run.dialogs.asked.empty());
    const auto seed = run.seedPoints(kSuper, QStringLiteral("Bursaspor"));
    ASSERT_TRUE(seed.has_value());
    EXPECT_DOUBLE_EQ(seed->first, 3.57);
    EXPECT_DOUBLE_EQ(seed->second, 3.43);
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(points->text(), QString());
    EXPECT_EQ(form->focusWidget(), name);
    EXPECT_TRUE(teamsShown().contains(QStringLiteral("Bursaspor")));
}

TEST_F(TeamListWindowTest, TheSameNameIsAcceptedInAnotherLeague) {
    choose(kFirst);
    name->setText(QStringLiteral("Galatasaray"));
    points->setText(QStringLiteral("2,5"));
    ekle();
    EXPECT_TRUE(run.dialogs.asked.empty());
    const auto seed = run.seedPoints(kFirst, QStringLiteral("Galatasaray"));
    ASSERT_TRUE(seed.has_value());
    EXPECT_DOUBLE_EQ(seed->first, 2.5 * 0.51);
    EXPECT_EQ(teamsShown(), QStringList({QStringLiteral("Galatasaray"), QString::fromUtf8("Göztepe")}));
}

TEST_F(TeamListWindowTest, DeleteAsksFirstAndRemovesOnlyThatLeaguesRowsOfTheTeam) {
    choose(kSuper);
    const QStringList rowsBefore = run.rows();
    grid->selectRow(2); // Göztepe

    run.dialogs.answerNextQuestion(false);
    sil();
    ASSERT_EQ(run.dialogs.asked.size(), 1);
    const auto& asked = run.dialogs.asked.front();
    EXPECT_EQ(asked.kind, QStringLiteral("ask"));
    EXPECT_EQ(asked.title, QString::fromUtf8("   LİG SİL"));
    EXPECT_EQ(asked.text, kQuestion);
    EXPECT_EQ(asked.extra, QStringLiteral("no"));
    EXPECT_EQ(run.rows(), rowsBefore);

    run.dialogs.answerNextQuestion(true);
    sil();
    const QStringList rows = run.rows();
    // Its seed row and its match in Süper Lig are gone; its rows in 1. Lig stay, as do the others.
    EXPECT_EQ(rows, QStringList({QString::fromUtf8("A|Süper Lig|Altay|Altay"),
                                 QString::fromUtf8("A|Süper Lig|Galatasaray|Galatasaray"),
                                 QString::fromUtf8("A|1. Lig|Göztepe|Göztepe"),
                                 QString::fromUtf8("O|1. Lig|Göztepe|Altay"),
                                 QString::fromUtf8("O|Süper Lig|Altay|Galatasaray")}));
    EXPECT_EQ(teamsShown(), QStringList({QStringLiteral("Altay"), QStringLiteral("Galatasaray")}));
    EXPECT_EQ(form->focusWidget(), name);
}

TEST_F(TeamListWindowTest, ConfirmedDeleteWithoutALeagueRemovesNothing) {
    const QStringList rowsBefore = run.rows();
    run.dialogs.answerNextQuestion(true);
    sil();
    EXPECT_TRUE(run.dialogs.errors().isEmpty());
    EXPECT_EQ(run.rows(), rowsBefore);
}

TEST_F(TeamListWindowTest, EnterMovesFromNameToPointsToEkleWhichItThenPresses) {
    choose(kSuper);
    name->setText(QStringLiteral("Bursaspor"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(form->focusWidget(), points);
    QTest::keyClicks(points, QStringLiteral("-a4.,5x"));
    EXPECT_EQ(points->text(), QStringLiteral("4,5"));
    QTest::keyClick(points, Qt::Key_Backspace);
    EXPECT_EQ(points->text(), QStringLiteral("4,"));
    QTest::keyClick(points, Qt::Key_Return);
    auto* ekleButton = run.find<QPushButton>(form, "Button1");
    EXPECT_EQ(form->focusWidget(), ekleButton);
    EXPECT_EQ(run.rows().size(), 7); // nothing added before Ekle is pressed
    QTest::keyClick(ekleButton, Qt::Key_Return);
    const auto seed = run.seedPoints(kSuper, QStringLiteral("Bursaspor"));
    ASSERT_TRUE(seed.has_value());
    EXPECT_DOUBLE_EQ(seed->first, 4 * 0.51);
}

TEST_F(TeamListWindowTest, ClosingEmptiesTheWindowAndShowsTheMainWindow) {
    choose(kSuper);
    name->setText(QStringLiteral("yarım"));
    points->setText(QStringLiteral("3"));
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(league->count(), 0);
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(points->text(), QString());
    EXPECT_EQ(grid->model()->rowCount(), 0);

    // The league list is read again at the next opening.
    run.writeLeagueFile(codePage1254(kFirst + QStringLiteral("\r\n")));
    main->findChild<QAction*>(QStringLiteral("akmlar1"))->trigger();
    ASSERT_EQ(league->count(), 1);
    EXPECT_EQ(league->itemText(0), kFirst);
}

} // namespace
} // namespace vezal
