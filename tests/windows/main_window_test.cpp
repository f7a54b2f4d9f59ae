// The main window at work: league tables and history, the comparison panel, "Tahmin" with its commentary
// and coupon line, driven by objectName with scripted dialogs.
#include "support/TestProgram.h"
#include "windows/ProgramWindows.h"

#include "common/Names.h"
#include "rating/MatchRating.h"
#include "store/Admin.h"
#include "store/MatchTable.h"
#include "windows/CouponWindow.h"
#include "windows/LeagueListWindow.h"
#include "windows/MainWindow.h"
#include "windows/ReportWindow.h"
#include "windows/ResultsWindow.h"
#include "windows/TeamListWindow.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

const QString kEge = QStringLiteral("Ege Ligi");
const QString kMarmara = QStringLiteral("Marmara");
const QString kChooseTeams =
    QString::fromUtf8("Öncelikle tahminde bulunacağınız takımları doğru seçiniz  ... ");
const QString kHomeWithoutGames =
    QString::fromUtf8("Seçtiğiniz ev sahibi takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ");
const QString kAwayWithoutGames =
    QString::fromUtf8("Seçtiğiniz misafir takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ");

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QStringList items(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

// Every row of a grid as its shown cells joined by "|", after reading them all.
QStringList gridRows(const QTableView* grid) {
    QAbstractItemModel* model = grid->model();
    // A model that never had a query claims more rows it never gives.
    for (int before = -1; model->rowCount() != before && model->canFetchMore({});) {
        before = model->rowCount();
        model->fetchMore({});
    }
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            if (!grid->isColumnHidden(column))
                cells << model->index(row, column).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

class MainWindowAtWork : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(kEge + QStringLiteral("\r\n") + kMarmara + QStringLiteral("\r\n")));
        run.start();
        main = run.windows().main();
        main->show();
    }

    MatchTable& table() { return run.program.table(); }
    void team(const QString& league, const char* name, const char* points) {
        ASSERT_EQ(registerTeam(table(), league, utf8(name), QString::fromLatin1(points)), std::nullopt)
            << name;
    }
    void result(const QString& league, const QDate& day, const char* home, const char* away, int homeGoals,
                int awayGoals) {
        const ResultOutcome outcome =
            enterResult(table(), {league, kSeedDate, day, utf8(home), utf8(away), QString::number(homeGoals),
                                  QString::number(awayGoals)});
        ASSERT_EQ(outcome.refusal, std::nullopt) << home << " - " << away;
    }
    // Ege Ligi: four teams, six results; Marmara: two teams, no result.
    void season() {
        team(kEge, "Kartal", "6");
        team(kEge, "Bolu", "5");
        team(kEge, "Çorum", "4,5");
        team(kEge, "İzmir", "3");
        result(kEge, {2009, 2, 1}, "Kartal", "Bolu", 2, 1);
        result(kEge, {2009, 2, 1}, "Çorum", "İzmir", 1, 1);
        result(kEge, {2009, 2, 8}, "Bolu", "Çorum", 0, 2);
        result(kEge, {2009, 2, 8}, "İzmir", "Kartal", 1, 3);
        result(kEge, {2009, 2, 15}, "Kartal", "Çorum", 1, 1);
        result(kEge, {2009, 2, 15}, "Bolu", "İzmir", 2, 0);
        team(kMarmara, "Altay", "7");
        team(kMarmara, "Sakarya", "3,5");
    }

    template <typename T> T* find(const char* name) const {
        return run.find<T>(main, QString::fromLatin1(name));
    }
    QComboBox* list(const char* name) const { return find<QComboBox>(name); }
    QTableView* grid(const char* name) const { return find<QTableView>(name); }
    QLineEdit* memo(int n) const { return run.find<QLineEdit>(main, QStringLiteral("Memo%1").arg(n)); }
    QString text(int n) const { return memo(n)->text(); }

    // As a user picks an item: the list's own choice signal follows.
    void choose(QComboBox* box, const QString& item) {
        const int index = box->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void chooseLeague(const QString& league) { choose(list("ComboBox1"), league); }
    void press(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void clickRow(QTableView* view, int row) {
        const QModelIndex index = view->model()->index(row, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    int rowOf(QTableView* view, const QString& team) {
        const QStringList rows = gridRows(view);
        for (int row = 0; row < rows.size(); ++row)
            if (rows[row].section(u'|', 0, 0) == team)
                return row;
        ADD_FAILURE() << "no row " << team.toStdString();
        return -1;
    }
    // Figure boxes of one side: Puanlar|Oyun|A|Y.
    QString figures(bool home) const {
        const int first = home ? 1 : 2;
        return QStringList{text(first), text(first + 2), text(first + 4), text(first + 6)}.join(u'|');
    }
    QStringList reportLines() const { return run.windows().report()->lines(); }
    QStringList couponLines() const { return run.windows().coupon()->lines(); }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(MainWindowAtWork, ALeagueWithoutMatchesListsEveryTeamWithItsSeedShareAndNoHistory) {
    season();
    chooseLeague(kMarmara);
    EXPECT_EQ(gridRows(grid("DBGrid1")), QStringList({utf8("Altay||||3,570"), utf8("Sakarya||||1,785")}));
    EXPECT_EQ(gridRows(grid("DBGrid2")), QStringList({utf8("Altay||||3,430"), utf8("Sakarya||||1,715")}));
    EXPECT_EQ(gridRows(grid("DBGrid3")), QStringList());
    EXPECT_EQ(main->loadedLeague(), kMarmara);

    // A team with only its seed row: its rating and empty counts; the prediction refuses it.
    choose(list("ComboBox3"), QStringLiteral("Altay"));
    choose(list("ComboBox4"), QStringLiteral("Sakarya"));
    EXPECT_EQ(figures(true), utf8("3,570|||"));
    EXPECT_EQ(figures(false), utf8("1,715|||"));
    press("Button1");
    EXPECT_EQ(run.dialogs.warnings(), QStringList{kHomeWithoutGames});
    EXPECT_EQ(run.dialogs.asked.back().extra, QString())
        << "the prediction's refusal keeps its question mark";
}

TEST_F(MainWindowAtWork, TablesHistoryAndTeamListsOfALeagueWithMatches) {
    season();
    // Bursa has played away only, on the cut-off day.
    team(kEge, "Bursa", "2");
    result(kEge, {2008, 1, 2}, "Kartal", "Bursa", 1, 0);
    chooseLeague(kEge);

    const QStringList home = gridRows(grid("DBGrid1"));
    ASSERT_EQ(home.size(), 5);
    EXPECT_TRUE(home.contains(QStringLiteral("Bursa||||1,020"))) << home.join(u'\n').toStdString();
    EXPECT_TRUE(home.filter(QRegularExpression(QStringLiteral("^Kartal\\|3\\|4\\|2\\|"))).size() == 1)
        << home.join(u'\n').toStdString();
    const QStringList away = gridRows(grid("DBGrid2"));
    ASSERT_EQ(away.size(), 5);
    EXPECT_EQ(away.filter(QRegularExpression(QStringLiteral("^Bursa\\|1\\|0\\|1\\|"))).size(), 1)
        << away.join(u'\n').toStdString();
    // Highest rating first.
    for (const QStringList& rows : {home, away})
        for (qsizetype i = 1; i < rows.size(); ++i)
            EXPECT_GE(turkishLocale().toDouble(rows[i - 1].section(u'|', 4)),
                      turkishLocale().toDouble(rows[i].section(u'|', 4)))
                << rows.join(u'\n').toStdString();

    // Newest first; the match of the cut-off day is there, no seed row (01.01.2008) ever is.
    const QStringList history = gridRows(grid("DBGrid3"));
    ASSERT_EQ(history.size(), 7);
    EXPECT_TRUE(history.front().startsWith(QStringLiteral("15.02.2009|")));
    EXPECT_EQ(history.back(), QStringLiteral("02.01.2008|Kartal|1|Bursa|0"));
    EXPECT_FALSE(history.join(u'\n').contains(QStringLiteral("01.01.2008")));

    // One list of every team of both tables, Turkish order, nothing chosen, focus on the home chooser.
    const QStringList teams = {QStringLiteral("Bolu"), QStringLiteral("Bursa"), QStringLiteral("Çorum"),
                               QStringLiteral("İzmir"), QStringLiteral("Kartal")};
    for (const char* name : {"ComboBox2", "ComboBox3", "ComboBox4"}) {
        EXPECT_EQ(items(list(name)), teams) << name;
        EXPECT_EQ(list(name)->currentIndex(), -1) << name;
    }
    EXPECT_EQ(main->focusWidget(), list("ComboBox3"));
}

TEST_F(MainWindowAtWork, TeamFilterNarrowsTheHistoryAndTheButtonsWaitForTheirChoice) {
    season();
    // Without a league "Tüm Maçlar" has nothing to show.
    press("Button5");
    EXPECT_EQ(gridRows(grid("DBGrid3")), QStringList());
    EXPECT_TRUE(run.dialogs.asked.empty());

    chooseLeague(kEge);
    const QStringList league = gridRows(grid("DBGrid3"));
    // Right after a league change no team is chosen: the three team buttons change nothing.
    for (const char* button : {"Button3", "Button4", "Button7"}) {
        press(button);
        EXPECT_EQ(gridRows(grid("DBGrid3")), league) << button;
    }

    struct Case {
        const char* button; // null: the choice in the team filter itself
        QStringList rows;
    };
    const QStringList both = {QStringLiteral("15.02.2009|Bolu|2|İzmir|0"),
                              QStringLiteral("08.02.2009|Bolu|0|Çorum|2"),
                              QStringLiteral("01.02.2009|Kartal|2|Bolu|1")};
    choose(list("ComboBox2"), QStringLiteral("Bolu"));
    EXPECT_EQ(gridRows(grid("DBGrid3")), both);
    for (const Case& c : {Case{"Button4", {both[0], both[1]}}, Case{"Button7", {both[2]}},
                          Case{"Button3", both}, Case{"Button5", league}}) {
        press(c.button);
        EXPECT_EQ(gridRows(grid("DBGrid3")), c.rows) << c.button;
    }
    // The filter keeps its team after "Tüm Maçlar".
    press("Button7");
    EXPECT_EQ(gridRows(grid("DBGrid3")), QStringList{both[2]});
}

TEST_F(MainWindowAtWork, ChoosingTheShownLeagueAgainKeepsThePanelAndAViewResetRebuilds) {
    season();
    chooseLeague(kEge);
    choose(list("ComboBox3"), QStringLiteral("Kartal"));
    memo(25)->setText(QStringLiteral("12"));
    const QString kartal = figures(true);
    ASSERT_FALSE(kartal.isEmpty());

    chooseLeague(kEge);
    EXPECT_EQ(figures(true), kartal);
    EXPECT_EQ(text(25), QStringLiteral("12"));
    EXPECT_EQ(list("ComboBox3")->currentText(), QStringLiteral("Kartal"));

    // A result entered while the view is reset shows after the league is chosen again.
    main->findChild<QAction*>(QStringLiteral("SonuGiri1"))->trigger();
    run.windows().results()->close();
    result(kEge, {2009, 2, 22}, "Kartal", "İzmir", 4, 0);
    chooseLeague(kEge);
    EXPECT_EQ(text(25), QString());
    EXPECT_EQ(gridRows(grid("DBGrid3")).front(), QStringLiteral("22.02.2009|Kartal|4|İzmir|0"));
}

TEST_F(MainWindowAtWork, NameSpellingsAndPointFormats) {
    // Two spellings of one name differing in case: listed once, as the home table meets it first.
    table().appendMatchRow(kEge, {2009, 1, 5}, QStringLiteral("KARŞIYAKA"), QStringLiteral("Altay"), 0, 0,
                           RatingTransfer{1234.5, -2.25, 1, 1});
    table().appendMatchRow(kEge, {2009, 1, 12}, QStringLiteral("Altay"), QStringLiteral("Karşıyaka"), 0, 0,
                           RatingTransfer{-0.5, 0.75, 1, 1});
    chooseLeague(kEge);
    EXPECT_EQ(items(list("ComboBox3")), QStringList({QStringLiteral("Altay"), QStringLiteral("KARŞIYAKA")}));
    EXPECT_EQ(items(list("ComboBox2")), items(list("ComboBox4")));
    EXPECT_EQ(gridRows(grid("DBGrid1")), QStringList({QStringLiteral("KARŞIYAKA|1|0|0|1.234,500"),
                                                      QStringLiteral("Altay|1|0|0|-0,500")}));
    EXPECT_TRUE(gridRows(grid("DBGrid2")).contains(QStringLiteral("Altay|1|0|0|-2,250")));

    // The rating box has no thousands separator; the spelling found in neither table leaves its side empty.
    choose(list("ComboBox3"), QStringLiteral("KARŞIYAKA"));
    EXPECT_EQ(figures(true), QStringLiteral("1234,500|1|0|0"));
    choose(list("ComboBox4"), QStringLiteral("KARŞIYAKA"));
    EXPECT_EQ(figures(false), QStringLiteral("|||"));
    choose(list("ComboBox4"), QStringLiteral("Altay"));
    EXPECT_EQ(figures(false), QStringLiteral("-2,250|1|0|0"));
}

TEST_F(MainWindowAtWork, GridClicksPickTheTeamAndEmptyThePredictionOfThatChoice) {
    season();
    // An empty grid ignores clicks.
    clickRow(grid("DBGrid1"), 0);
    EXPECT_EQ(list("ComboBox3")->currentIndex(), -1);

    chooseLeague(kEge);
    clickRow(grid("DBGrid1"), rowOf(grid("DBGrid1"), QStringLiteral("Kartal")));
    EXPECT_EQ(list("ComboBox3")->currentText(), QStringLiteral("Kartal"));
    const QString kartal = figures(true);
    EXPECT_TRUE(kartal.endsWith(QStringLiteral("|2|3|2"))) << kartal.toStdString();

    choose(list("ComboBox4"), QStringLiteral("Bolu"));
    EXPECT_EQ(grid("DBGrid2")->currentIndex().row(), rowOf(grid("DBGrid2"), QStringLiteral("Bolu")));
    memo(25)->setText(QStringLiteral("7"));
    press("Button1");
    ASSERT_FALSE(text(9).isEmpty());

    // Another away team from the away grid: the home side stays, prediction and match number go.
    clickRow(grid("DBGrid2"), rowOf(grid("DBGrid2"), utf8("Çorum")));
    EXPECT_EQ(list("ComboBox4")->currentText(), utf8("Çorum"));
    EXPECT_EQ(list("ComboBox3")->currentText(), QStringLiteral("Kartal"));
    EXPECT_EQ(figures(true), kartal);
    EXPECT_TRUE(figures(false).endsWith(QStringLiteral("|2|3|1"))) << figures(false).toStdString();
    for (int n = 9; n <= 21; ++n)
        EXPECT_EQ(text(n), QString()) << n;
    EXPECT_EQ(text(25), QString());

    // So does a new home choice, from its chooser.
    memo(25)->setText(QStringLiteral("8"));
    choose(list("ComboBox3"), QStringLiteral("Bolu"));
    EXPECT_EQ(text(25), QString());
    EXPECT_TRUE(figures(false).endsWith(QStringLiteral("|2|3|1")));
}

TEST_F(MainWindowAtWork, MatchNumberBoxAndTheKeyboardRoadToTahmin) {
    season();
    QLineEdit* number = memo(25);
    EXPECT_EQ(number->maxLength(), 3);
    EXPECT_TRUE(number->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(number->toolTip(), utf8("Vezal Maç Nosu Girin"));

    chooseLeague(kEge);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QComboBox* home = list("ComboBox3");
    home->setFocus();
    choose(home, QStringLiteral("Kartal"));
    QTest::keyClick(home, Qt::Key_Return);
    ASSERT_TRUE(list("ComboBox4")->hasFocus());
    choose(list("ComboBox4"), QStringLiteral("Bolu"));
    QTest::keyClick(list("ComboBox4"), Qt::Key_Return);
    ASSERT_TRUE(find<QPushButton>("Button1")->hasFocus());
    QTest::keyClick(find<QPushButton>("Button1"), Qt::Key_Return);
    EXPECT_FALSE(text(9).isEmpty());
    EXPECT_EQ(couponLines().size(), 1);
}

TEST_F(MainWindowAtWork, TahminRefusesInTheOrderOfItsChecksAndComposesNothing) {
    season();
    team(kEge, "Ödemiş", "2");
    chooseLeague(kEge);
    struct Case {
        const char* home; // null: nothing chosen
        const char* away;
        QString message;
    };
    const Case cases[] = {
        {nullptr, nullptr, kChooseTeams},      {"Kartal", nullptr, kChooseTeams},
        {nullptr, "Bolu", kChooseTeams},       {"Kartal", "Kartal", kChooseTeams},
        {"Ödemiş", "Ödemiş", kChooseTeams}, // equal names come first, before the games
        {"Ödemiş", "Bolu", kHomeWithoutGames}, {"Kartal", "Ödemiş", kAwayWithoutGames},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.home ? c.home : "-") + " / " + (c.away ? c.away : "-"));
        chooseLeague(kMarmara);
        chooseLeague(kEge); // nothing chosen, empty panel
        if (c.home)
            choose(list("ComboBox3"), utf8(c.home));
        if (c.away)
            choose(list("ComboBox4"), utf8(c.away));
        // Leftovers of an earlier prediction: the alternatives stay, the rest is emptied.
        for (int n = 9; n <= 21; ++n)
            memo(n)->setText(QStringLiteral("x"));
        run.dialogs.clear();
        press("Button1");
        EXPECT_EQ(run.dialogs.warnings(), QStringList{c.message});
        for (int n : {9, 10, 11, 12, 13, 14, 21})
            EXPECT_EQ(text(n), QString()) << n;
        for (int n = 15; n <= 20; ++n)
            EXPECT_EQ(text(n), QStringLiteral("x")) << n;
    }
    EXPECT_EQ(reportLines().join(QString()), QString());
    EXPECT_EQ(couponLines(), QStringList());
}

TEST_F(MainWindowAtWork, SameMatchTwiceAppendsTwoBlocksAndOneCouponLine) {
    season();
    chooseLeague(kEge);
    choose(list("ComboBox3"), QStringLiteral("Kartal"));
    choose(list("ComboBox4"), QStringLiteral("Bolu"));
    memo(25)->setText(QStringLiteral("7"));
    press("Button1");
    const QStringList block = reportLines();
    ASSERT_GE(block.size(), 3);
    EXPECT_EQ(block.front(), QStringLiteral("7  -  KARTAL  -  BOLU"));
    EXPECT_EQ(block.back(), QString(135, u'-'));
    const QStringList coupon = couponLines();
    ASSERT_EQ(coupon.size(), 1);
    EXPECT_TRUE(coupon.front().startsWith(QStringLiteral("7  -  Kartal - Bolu\t :   ")));

    press("Button1");
    EXPECT_EQ(reportLines(), block + block);
    EXPECT_EQ(couponLines(), coupon);
    EXPECT_TRUE(run.dialogs.asked.empty());

    // Another match number is another coupon line; each keeps the league on view and the day predicted.
    memo(25)->setText(QStringLiteral("8"));
    find<QDateEdit>("PredictionDayBox")->setDate(QDate(2009, 3, 21));
    press("Button1");
    EXPECT_EQ(couponLines().size(), 2);
    const std::vector<CouponEntry> entries = run.windows().coupon()->entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].pairing, (CouponPairing{kEge, TestProgram::kToday}));
    EXPECT_EQ(entries[1].pairing, (CouponPairing{kEge, QDate(2009, 3, 21)}));

    // "Yorum" and "Kupon" only show their windows.
    EXPECT_FALSE(run.windows().report()->isVisible());
    press("Button6");
    press("Button2");
    EXPECT_TRUE(run.windows().report()->isVisible());
    EXPECT_TRUE(run.windows().coupon()->isVisible());
    EXPECT_EQ(couponLines().size(), 2);
    EXPECT_EQ(reportLines().size(), 3 * block.size());
}

// What vezal-cli predict prints for the same table.
struct Predicted {
    QStringList boxes; // Memo9 .. Memo21
    QStringList commentary;
    QString coupon;
};

Predicted companionPredict(const QString& folder, const QStringList& pairing, const QString& matchNo) {
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vezal-cli"),
              QStringList{QStringLiteral("--dir"), folder, QStringLiteral("predict")} + pairing +
                  QStringList{QStringLiteral("--match-no"), matchNo});
    EXPECT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n');
    Predicted printed;
    QString section;
    for (const QString& line : lines) {
        if (line.startsWith(u'[') && line.endsWith(u']'))
            section = line;
        else if (section == QStringLiteral("[prediction]"))
            printed.boxes << line.section(u'\t', 1);
        else if (section == QStringLiteral("[commentary]"))
            printed.commentary << line;
        else if (section == QStringLiteral("[coupon]") && printed.coupon.isEmpty())
            printed.coupon = line;
    }
    return printed;
}

TEST_F(MainWindowAtWork, TheWholeRoadThroughTheWindowsGivesWhatTheCompanionPredicts) {
    const ProgramWindows& forms = run.windows();
    const QString league = QStringLiteral("Akdeniz");

    // League list window.
    main->findChild<QAction*>(QStringLiteral("Ligler1"))->trigger();
    run.find<QLineEdit>(forms.leagueList(), "Edit1")->setText(league);
    QTest::mouseClick(run.find<QPushButton>(forms.leagueList(), "Button1"), Qt::LeftButton);
    forms.leagueList()->close();
    ASSERT_TRUE(items(list("ComboBox1")).contains(league));

    // Team list window.
    main->findChild<QAction*>(QStringLiteral("akmlar1"))->trigger();
    auto* teamLeague = run.find<QComboBox>(forms.teamList(), "ComboBox1");
    teamLeague->setCurrentIndex(teamLeague->findText(league));
    for (const auto& [name, points] :
         {std::pair{"Antalya", "6"}, {"Mersin", "5"}, {"Adana", "4,5"}, {"Hatay", "3"}}) {
        run.find<QLineEdit>(forms.teamList(), "Edit1")->setText(utf8(name));
        run.find<QLineEdit>(forms.teamList(), "Memo1")->setText(QString::fromLatin1(points));
        QTest::mouseClick(run.find<QPushButton>(forms.teamList(), "Button1"), Qt::LeftButton);
    }
    forms.teamList()->close();

    // Results window.
    main->findChild<QAction*>(QStringLiteral("SonuGiri1"))->trigger();
    auto* resultLeague = run.find<QComboBox>(forms.results(), "ComboBox1");
    resultLeague->setCurrentIndex(resultLeague->findText(league));
    struct Played {
        QDate day;
        const char* home;
        const char* away;
        const char* homeGoals;
        const char* awayGoals;
    };
    for (const Played& p :
         {Played{{2009, 2, 1}, "Antalya", "Mersin", "2", "1"},
          Played{{2009, 2, 1}, "Adana", "Hatay", "1", "1"}, Played{{2009, 2, 8}, "Mersin", "Adana", "0", "2"},
          Played{{2009, 2, 8}, "Hatay", "Antalya", "1", "3"},
          Played{{2009, 2, 15}, "Antalya", "Adana", "1", "1"},
          Played{{2009, 2, 15}, "Mersin", "Hatay", "2", "0"}}) {
        run.find<QDateEdit>(forms.results(), "DateTimePicker2")->setDate(p.day);
        auto* homeTeam = run.find<QComboBox>(forms.results(), "ComboBox2");
        auto* awayTeam = run.find<QComboBox>(forms.results(), "ComboBox3");
        homeTeam->setCurrentIndex(homeTeam->findText(utf8(p.home)));
        awayTeam->setCurrentIndex(awayTeam->findText(utf8(p.away)));
        run.find<QLineEdit>(forms.results(), "Memo1")->setText(QString::fromLatin1(p.homeGoals));
        run.find<QLineEdit>(forms.results(), "Memo2")->setText(QString::fromLatin1(p.awayGoals));
        QTest::mouseClick(run.find<QPushButton>(forms.results(), "Button1"), Qt::LeftButton);
    }
    forms.results()->close();
    ASSERT_EQ(run.dialogs.warnings(), QStringList());
    ASSERT_EQ(run.rowCount(league), 10);

    // The main window: league, a pick from each grid, the match number, "Tahmin".
    ASSERT_TRUE(main->isVisible());
    chooseLeague(league);
    clickRow(grid("DBGrid1"), rowOf(grid("DBGrid1"), QStringLiteral("Antalya")));
    clickRow(grid("DBGrid2"), rowOf(grid("DBGrid2"), QStringLiteral("Mersin")));
    QTest::keyClicks(memo(25), QStringLiteral("1234"));
    EXPECT_EQ(text(25), QStringLiteral("123"));
    const QStringList reportBefore = reportLines();
    press("Button1");

    const Predicted expected = companionPredict(
        run.folder(), {league, QStringLiteral("Antalya"), QStringLiteral("Mersin")}, QStringLiteral("123"));
    ASSERT_EQ(expected.boxes.size(), 13);
    for (int n = 9; n <= 21; ++n)
        EXPECT_EQ(text(n), expected.boxes[n - 9]) << "Memo" << n;
    EXPECT_FALSE(text(9).isEmpty());
    EXPECT_FALSE(text(21).isEmpty());
    ASSERT_FALSE(expected.commentary.isEmpty());
    EXPECT_TRUE(reportBefore.join(QString()).isEmpty());
    EXPECT_EQ(reportLines(), expected.commentary);
    EXPECT_EQ(couponLines(), QStringList{expected.coupon});
    EXPECT_EQ(run.dialogs.warnings(), QStringList());
}

} // namespace
} // namespace vezal

namespace vezal {
namespace {

// The rows vezal-cli table prints, header left out.
QList<QStringList> companionTable(const QString& folder, const QStringList& arguments) {
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vezal-cli"),
              QStringList{QStringLiteral("--dir"), folder, QStringLiteral("table")} + arguments);
    EXPECT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    QList<QStringList> rows;
    for (const QString& line :
         QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        rows << line.split(u'\t');
    for (QStringList& row : rows) // points to two decimals, as the grid
        if (row.size() == 5 && !row[4].isEmpty() && row[0] != QLatin1String("Etkm") &&
            row[0] != QLatin1String("Mtkm"))
            row[4] = QString::number(row[4].toDouble(), 'f', 2);
    if (!rows.isEmpty())
        rows.removeFirst();
    return rows;
}

// A grid's rows as the companion writes them: names and counts as stored, points to two decimals.
QList<QStringList> gridAsCompanion(const QTableView* grid) {
    QAbstractItemModel* model = grid->model();
    while (model->canFetchMore({}))
        model->fetchMore({});
    QList<QStringList> rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 5; ++column) {
            const QVariant value = model->index(row, column).data(Qt::EditRole);
            cells << (value.isNull() ? QString()
                      : column == 4  ? QString::number(value.toDouble(), 'f', 2)
                                     : value.toString());
        }
        rows << cells;
    }
    return rows;
}

QStringList teamsOf(const QList<QStringList>& rows) {
    QStringList teams;
    for (const QStringList& row : rows)
        teams << row.value(0);
    teams.sort();
    return teams;
}

// Two seasons with a summer break between: Uşak plays only the first, Çorum only the second, İzmir never.
class SeasonFilter : public MainWindowAtWork {
protected:
    void twoSeasons() {
        for (auto [name, points] :
             {std::pair{"Kartal", "6"}, {"Bolu", "5"}, {"Çorum", "4,5"}, {"İzmir", "3"}, {"Uşak", "2"}})
            team(kEge, name, points);
        result(kEge, {2008, 9, 1}, "Kartal", "Bolu", 2, 1);
        result(kEge, {2008, 9, 8}, "Uşak", "Kartal", 0, 1);
        result(kEge, {2009, 8, 20}, "Bolu", "Kartal", 1, 1);
        result(kEge, {2009, 8, 27}, "Çorum", "Bolu", 2, 0);
    }
};

TEST_F(SeasonFilter, OneSeasonSumsWhatTheCompanionPrintsAndTumuStaysTheWholeTable) {
    twoSeasons();
    chooseLeague(kEge);
    QComboBox* seasons = list("SeasonBox");
    EXPECT_EQ(items(seasons), (QStringList{utf8("Tümü"), "2008-09", "2009-10"}));
    EXPECT_EQ(seasons->currentText(), utf8("Tümü"));

    const QList<QStringList> wholeHome = gridAsCompanion(grid("DBGrid1"));
    EXPECT_EQ(wholeHome, companionTable(run.folder(), {"home", kEge}));
    EXPECT_EQ(teamsOf(wholeHome),
              (QStringList{"Bolu", "Kartal", utf8("Uşak"), utf8("Çorum"), utf8("İzmir")}));

    choose(seasons, "2009-10");
    const QList<QStringList> home = gridAsCompanion(grid("DBGrid1"));
    const QList<QStringList> away = gridAsCompanion(grid("DBGrid2"));
    EXPECT_EQ(home, companionTable(run.folder(), {"home", kEge, "--season", "2009-10"}));
    EXPECT_EQ(away, companionTable(run.folder(), {"away", kEge, "--season", "2009-10"}));
    // Bolu, Kartal and Çorum played in 2009-10; Uşak and İzmir did not.
    EXPECT_EQ(teamsOf(home), (QStringList{"Bolu", "Kartal", utf8("Çorum")}));
    EXPECT_EQ(teamsOf(away), (QStringList{"Bolu", "Kartal", utf8("Çorum")}));
    for (const QStringList& row : home) {
        if (row[0] == QLatin1String("Kartal")) { // no home match that season: its seed row alone, 6 x 0,51
            EXPECT_EQ(row, (QStringList{"Kartal", "", "", "", "3.06"}));
        } else if (row[0] == QLatin1String("Bolu")) { // 1-1 with Kartal
            EXPECT_EQ(row.mid(0, 4), (QStringList{"Bolu", "1", "1", "1"}));
        }
    }
    for (const QStringList& row : away) {
        if (row[0] == QLatin1String("Bolu")) { // 0-2 at Çorum
            EXPECT_EQ(row.mid(0, 4), (QStringList{"Bolu", "1", "0", "2"}));
        }
    }

    // The panel keeps the whole league's sums: Kartal's two home games, not the season's none.
    choose(list("ComboBox3"), "Kartal");
    EXPECT_EQ(text(3), "1");
    const QString seasonPoints = text(1);
    choose(seasons, utf8("Tümü"));
    EXPECT_EQ(gridAsCompanion(grid("DBGrid1")), wholeHome);
    choose(list("ComboBox3"), "Kartal");
    EXPECT_EQ(text(1), seasonPoints);
}

} // namespace
} // namespace vezal
