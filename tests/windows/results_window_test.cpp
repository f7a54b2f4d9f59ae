#include "windows/ResultsWindow.h"

#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "support/ScriptedDialogs.h"
#include "support/StandInNavigation.h"
#include "support/TestApp.h"
#include "support/TestProgram.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace vezal {
namespace {

using testing::ScriptedDialogs;

const QDate kToday(2009, 3, 14);
const QString kSuperLig = QString::fromUtf8("Süper Lig");
const QString kFirstLig = QStringLiteral("1. Lig");
const QString kEmptyLig = QString::fromUtf8("Boş Lig");
const QString kDeleteQuestion =
    QString::fromUtf8("Sileceğiniz maç önceki tarihlere ait ise bugüne kadar bu takım ile ilişkili \r"
                      "tüm puanlamalarda doğru hesaplama yapılamayabilir , Onaylıyormusunuz ?");

QString message(const char16_t* text) {
    return QString::fromUtf16(text);
}

class ResultsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::testApp();
        ASSERT_TRUE(folder.isValid());
        saveLeagueList(leagueListPath(folder.path()), {kSuperLig, kFirstLig, kEmptyLig});
        database = std::make_unique<Database>(folder.path(), QStringLiteral("Test"));
        table = std::make_unique<MatchTable>(*database);
        // Out of order, and with a lower-case and a Turkish initial, to see the lists sorted.
        for (const auto& [team, points] : {std::pair{"Denizlispor", 3.0},
                                           {"Altay", 7.0},
                                           {"bandırmaspor", 2.0},
                                           {"Çaykur Rizespor", 4.0},
                                           {"Bursaspor", 5.0}})
            table->appendSeedRow(kSuperLig, QString::fromUtf8(team), points);
        table->appendSeedRow(kFirstLig, QStringLiteral("Göztepe"), 4);
        mainWindow = std::make_unique<QWidget>();
        navigation = std::make_unique<testing::StandInNavigation>(mainWindow.get());
        program.setNavigation(navigation.get());
        form = std::make_unique<ResultsWindow>(program);
    }

    void TearDown() override {
        form.reset();
        program.setNavigation(nullptr);
        navigation.reset();
        mainWindow.reset();
        table.reset();
        database.reset();
    }

    // As the main window opens it: both dates today, then shown modally.
    void open() {
        form->setDates(kToday);
        dialogs.showModal(form.get());
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    template <typename T> T* find(const char* name) const {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QDateEdit* filterDate() const { return find<QDateEdit>("DateTimePicker1"); }
    QDateEdit* entryDate() const { return find<QDateEdit>("DateTimePicker2"); }
    QComboBox* leagues() const { return find<QComboBox>("ComboBox1"); }
    QComboBox* homeTeams() const { return find<QComboBox>("ComboBox2"); }
    QComboBox* awayTeams() const { return find<QComboBox>("ComboBox3"); }
    QLineEdit* homeGoals() const { return find<QLineEdit>("Memo1"); }
    QLineEdit* awayGoals() const { return find<QLineEdit>("Memo2"); }
    QTableView* grid() const { return find<QTableView>("DBGrid1"); }
    QPushButton* enterButton() const { return find<QPushButton>("Button1"); }
    QPushButton* deleteButton() const { return find<QPushButton>("Button2"); }
    QSqlQueryModel* gridModel() const { return qobject_cast<QSqlQueryModel*>(grid()->model()); }

    void chooseLeague(const QString& league) { leagues()->setCurrentIndex(leagues()->findText(league)); }

    void fillEntry(const QDate& day, const char* home, const char* away, const char* homeScore,
                   const char* awayScore) {
        entryDate()->setDate(day);
        homeTeams()->setCurrentIndex(homeTeams()->findText(QString::fromUtf8(home)));
        awayTeams()->setCurrentIndex(awayTeams()->findText(QString::fromUtf8(away)));
        homeGoals()->setText(QString::fromLatin1(homeScore));
        awayGoals()->setText(QString::fromLatin1(awayScore));
    }

    void enter(const QDate& day, const char* home, const char* away, const char* homeScore,
               const char* awayScore) {
        fillEntry(day, home, away, homeScore, awayScore);
        QTest::mouseClick(enterButton(), Qt::LeftButton);
    }

    // Every row of Liste as "Tur|Klas|Tarih|Etkm|Mtkm|Ea|Ey|Ma|My", in Sr order.
    QStringList listeRows() const {
        QSqlQuery query = table->allRows();
        QStringList rows;
        while (query.next()) {
            const QSqlRecord r = query.record();
            QStringList cells;
            for (const char* column : {"Tur", "Klas", "Tarih", "Etkm", "Mtkm", "Ea", "Ey", "Ma", "My"})
                cells << r.value(QString::fromLatin1(column)).toString();
            rows << cells.join(u'|');
        }
        return rows;
    }
    int listeCount() const { return int(listeRows().size()); }

    // The grid's visible cells of a row, "date|home|goals|away|goals".
    QString gridRow(int row) const {
        QStringList cells;
        for (int column = 0; column < gridModel()->columnCount(); ++column)
            if (!grid()->isColumnHidden(column))
                cells << gridModel()->index(row, column).data().toString();
        return cells.join(u'|');
    }
    QString currentGridRow() const { return gridRow(grid()->currentIndex().row()); }
    // Every row, after reading them all.
    QStringList gridRows() const {
        while (gridModel()->canFetchMore())
            gridModel()->fetchMore();
        QStringList rows;
        for (int row = 0; row < gridModel()->rowCount(); ++row)
            rows << gridRow(row);
        return rows;
    }
    static QStringList items(const QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<testing::StandInNavigation> navigation;
    Program program{folder.path(), dialogs, [] {
                        return kToday;
                    }};
    std::unique_ptr<Database> database;
    std::unique_ptr<MatchTable> table;
    std::unique_ptr<ResultsWindow> form;
};

TEST_F(ResultsWindowTest, OpensWithTodayTheLeaguesOfTheFileAndNoRowShown) {
    form->setDates(QDate(2011, 7, 7));
    dialogs.showModal(form.get());
    dialogs.answerNextQuestion(true);

    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("  MAÇ SONUÇLARI GİRİŞ"));
    EXPECT_EQ(filterDate()->date(), kToday);
    EXPECT_EQ(entryDate()->date(), kToday);
    EXPECT_EQ(filterDate()->displayFormat(), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(items(leagues()), (QStringList{kSuperLig, kFirstLig, kEmptyLig}));
    EXPECT_EQ(leagues()->currentIndex(), -1);
    EXPECT_EQ(homeTeams()->count(), 0);
    QStringList titles;
    for (int column = 0; column < gridModel()->columnCount(); ++column)
        if (!grid()->isColumnHidden(column))
            titles << gridModel()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(titles,
              (QStringList{QStringLiteral("Tarih"), QString::fromUtf8("Ev Sahibi Takım"),
                           QStringLiteral("Gol"), QStringLiteral("Misafir Takım"), QStringLiteral("Gol")}));
    // Seed rows exist, but no league is chosen and today is past the seed date; "Sil" then asks nothing.
    EXPECT_TRUE(gridRows().isEmpty());
    deleteButton()->click();
    EXPECT_EQ(dialogs.asked.size(), 1u); // the showing itself
    EXPECT_EQ(listeCount(), 6);
}

// Both date boxes show their widest date whole in the window's font: "30.08.2009" was cut to "30.08.200".
TEST_F(ResultsWindowTest, DateBoxesShowTheirWholeDate) {
    open();
    for (QDateEdit* box : {filterDate(), entryDate()}) {
        box->setDate(QDate(2009, 8, 30));
        auto* text = box->findChild<QLineEdit*>();
        ASSERT_NE(text, nullptr);
        QStyleOptionFrame frame;
        frame.initFrom(text);
        frame.rect = text->rect();
        const QRect shown = text->style()->subElementRect(QStyle::SE_LineEditContents, &frame, text);
        const int needed = text->fontMetrics().horizontalAdvance(QStringLiteral("30.08.2009"));
        EXPECT_GE(shown.width() - 2, needed) << box->objectName().toStdString() << " " << shown.width();
        EXPECT_EQ(text->text(), QStringLiteral("30.08.2009"));
    }
}

// A click into a date box and digits typed set the date; a day that does not exist is refused with a
// warning, not quietly made another day.
TEST_F(ResultsWindowTest, DatesTypedAfterAClickAndImpossibleDaysRefused) {
    open();
    QDateEdit* box = entryDate();
    auto* text = box->findChild<QLineEdit*>();
    const auto clickAt = [&](int character) {
        const int x = text->fontMetrics().horizontalAdvance(text->text().left(character)) + 3;
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(x, text->height() / 2));
        QApplication::processEvents(); // the section is selected once the click is done
    };
    struct Case {
        const char* what;
        QDate before;
        int clickAt; // character of the text clicked
        const char* typed;
        QDate after;
        const char* warning; // the date quoted in the warning, or none
    };
    const Case cases[] = {
        {"day", QDate(2009, 2, 1), 0, "15", QDate(2009, 2, 15), nullptr},
        {"month", QDate(2009, 2, 1), 3, "08", QDate(2009, 8, 1), nullptr},
        {"whole date", QDate(2009, 2, 1), 0, "15.08.2010", QDate(2010, 8, 15), nullptr},
        {"31 February", QDate(2009, 2, 1), 0, "31", QDate(2009, 2, 1), "31.02.2009"},
        {"29 February of a common year", QDate(2009, 2, 1), 0, "29", QDate(2009, 2, 1), "29.02.2009"},
        {"29 February of a leap year", QDate(2008, 2, 1), 0, "29", QDate(2008, 2, 29), nullptr},
        {"month 13", QDate(2009, 2, 1), 3, "13", QDate(2009, 2, 1), "01.13.2009"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.clear();
        box->setDate(c.before);
        box->setFocus();
        clickAt(c.clickAt);
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        EXPECT_EQ(box->date(), c.after);
        const QStringList expected =
            c.warning ? QStringList{QString::fromUtf8("Böyle bir tarih yok: %1 , Kontrol Ediniz  ... ")
                                        .arg(QString::fromLatin1(c.warning))}
                      : QStringList{};
        EXPECT_EQ(dialogs.warnings(), expected);
    }
}

TEST_F(ResultsWindowTest, ChoosingALeagueFillsBothTeamListsSortedWithTheFirstChosen) {
    open();
    chooseLeague(kSuperLig);

    const QStringList sorted{QStringLiteral("Altay"), QString::fromUtf8("bandırmaspor"),
                             QStringLiteral("Bursaspor"), QString::fromUtf8("Çaykur Rizespor"),
                             QStringLiteral("Denizlispor")};
    for (QComboBox* list : {homeTeams(), awayTeams()}) {
        EXPECT_EQ(items(list), sorted) << list->objectName().toStdString();
        EXPECT_EQ(list->currentText(), QStringLiteral("Altay"));
    }
    EXPECT_EQ(QApplication::focusWidget(), homeTeams());

    // Another league replaces the lists; one without teams leaves them empty.
    chooseLeague(kFirstLig);
    EXPECT_EQ(homeTeams()->count(), 1);
    EXPECT_EQ(awayTeams()->currentText(), QStringLiteral("Göztepe"));
    chooseLeague(kEmptyLig);
    EXPECT_EQ(homeTeams()->count(), 0);
    EXPECT_EQ(awayTeams()->count(), 0);
}

TEST_F(ResultsWindowTest, FilterDateChangeRefiltersAndCopiesIntoTheEntryDateOnly) {
    open();
    chooseLeague(kSuperLig);
    enter(QDate(2009, 3, 20), "Altay", "Bursaspor", "1", "0");
    enter(QDate(2009, 3, 27), "Bursaspor", "Altay", "2", "2");

    filterDate()->setDate(QDate(2009, 3, 21));
    EXPECT_EQ(entryDate()->date(), QDate(2009, 3, 21));
    EXPECT_EQ(gridRows(), (QStringList{QStringLiteral("27.03.2009|Bursaspor|2|Altay|2")}));
    entryDate()->setDate(QDate(2009, 4, 2));
    EXPECT_EQ(filterDate()->date(), QDate(2009, 3, 21));

    // A result before the filter date is stored but not shown.
    enter(QDate(2009, 3, 1), "Altay", "Denizlispor", "3", "1");
    EXPECT_EQ(listeRows().last(), QString::fromUtf8("O|Süper Lig|2009-03-01|Altay|Denizlispor|3|1|1|3"));
    EXPECT_EQ(gridRows().size(), 1);
    filterDate()->setDate(QDate(2009, 3, 1));
    EXPECT_EQ(gridRows().size(), 3);
    EXPECT_EQ(dialogs.warnings(), QStringList());
}

TEST_F(ResultsWindowTest, EarlyFilterDateShowsTheWholeTableAndSilDeletesASeedRow) {
    open();
    chooseLeague(kSuperLig);
    enter(QDate(2009, 3, 14), "Altay", "Bursaspor", "2", "0");
    filterDate()->setDate(QDate(2008, 1, 1));

    // Every row of every league and both kinds: five and one seed rows, one match.
    ASSERT_EQ(gridRows().size(), 7);
    EXPECT_EQ(gridRows().at(5), QString::fromUtf8("01.01.2008|Göztepe||Göztepe|"));

    // "No" deletes nothing; "Yes" deletes the current row, here a seed row of another league.
    grid()->setCurrentIndex(gridModel()->index(5, 1));
    dialogs.clear();
    deleteButton()->click();
    EXPECT_EQ(listeCount(), 7);
    dialogs.answerNextQuestion(true);
    deleteButton()->click();

    ASSERT_EQ(dialogs.asked.size(), 2u);
    for (const auto& asked : dialogs.asked) {
        EXPECT_EQ(asked.kind, QStringLiteral("ask"));
        EXPECT_EQ(asked.title, QString::fromUtf8("   MAÇ SİL"));
        EXPECT_EQ(asked.text, kDeleteQuestion);
        EXPECT_EQ(asked.extra, QStringLiteral("yes"));
    }
    const QStringList rows = listeRows();
    EXPECT_EQ(rows.size(), 6);
    EXPECT_FALSE(rows.join(u'\n').contains(QStringLiteral("Göztepe")));
    EXPECT_EQ(gridRows().size(), 6);
    // The row after the deleted one takes its place.
    EXPECT_EQ(currentGridRow(), QStringLiteral("14.03.2009|Altay|2|Bursaspor|0"));
}

TEST_F(ResultsWindowTest, RefusedEntriesShowTheFirstFailingCheckAndChangeNothing) {
    struct Case {
        const char* what;
        const char* league;
        QDate day;
        const char* home;
        const char* away;
        const char* homeScore;
        const char* awayScore;
        const char16_t* refusal;
    };
    const QDate day(2009, 3, 14);
    const Case cases[] = {
        // The date is checked before anything else, even with nothing else given.
        {"seed date", "", QDate(2008, 1, 1), "", "", "", "", messages::kEntryDateTooEarly},
        {"before the seed date", "Süper Lig", QDate(2007, 5, 5), "Altay", "Bursaspor", "1", "0",
         messages::kEntryDateTooEarly},
        {"no league", "", day, "", "", "1", "0", messages::kChooseLeague},
        {"league without teams", "Boş Lig", day, "", "", "1", "0", messages::kChooseHomeTeam},
        {"empty home score", "Süper Lig", day, "Altay", "Bursaspor", "", "0", messages::kBadScore},
        {"empty away score", "Süper Lig", day, "Altay", "Bursaspor", "2", "", messages::kBadScore},
        {"same teams", "Süper Lig", day, "Denizlispor", "Denizlispor", "2", "1", messages::kSameTeams},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.clear();
        chooseLeague(QString::fromUtf8(c.league));
        fillEntry(c.day, c.home, c.away, c.homeScore, c.awayScore);
        const QStringList before = listeRows();

        QTest::mouseClick(enterButton(), Qt::LeftButton);

        EXPECT_EQ(dialogs.warnings(), (QStringList{message(c.refusal)}));
        EXPECT_EQ(listeRows(), before);
        EXPECT_EQ(homeGoals()->text(), QString::fromLatin1(c.homeScore));
        EXPECT_EQ(awayGoals()->text(), QString::fromLatin1(c.awayScore));
        EXPECT_EQ(entryDate()->date(), c.day);
    }
}

TEST_F(ResultsWindowTest, TheCutOffDateIsAcceptedAndTheBoxesAreReadyForTheNextResult) {
    open();
    filterDate()->setDate(QDate(2008, 1, 2));
    chooseLeague(kSuperLig);
    fillEntry(QDate(2008, 1, 2), "Altay", "Bursaspor", "1", "1");

    QTest::mouseClick(enterButton(), Qt::LeftButton);

    EXPECT_TRUE(dialogs.warnings().isEmpty());
    EXPECT_EQ(listeRows().last(), QString::fromUtf8("O|Süper Lig|2008-01-02|Altay|Bursaspor|1|1|1|1"));
    EXPECT_EQ(homeGoals()->text(), QString());
    EXPECT_EQ(awayGoals()->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), entryDate());
    EXPECT_EQ(leagues()->currentText(), kSuperLig);
    EXPECT_EQ(entryDate()->date(), QDate(2008, 1, 2));
    EXPECT_EQ(homeTeams()->currentText(), QStringLiteral("Altay"));
    EXPECT_EQ(awayTeams()->currentText(), QStringLiteral("Bursaspor"));
    EXPECT_EQ(currentGridRow(), QStringLiteral("02.01.2008|Altay|1|Bursaspor|1"));
}

TEST_F(ResultsWindowTest, SamePairingOnTheSameDayIsRefusedAtTheStoredRowAndTheReverseAccepted) {
    open();
    chooseLeague(kSuperLig);
    enter(kToday, "Altay", "Bursaspor", "1", "0");
    enter(kToday, "Denizlispor", "Altay", "0", "0");
    grid()->setCurrentIndex(gridModel()->index(1, 1));
    const QStringList before = listeRows();

    enter(kToday, "Altay", "Bursaspor", "2", "2");

    EXPECT_EQ(dialogs.warnings(), (QStringList{message(messages::kMatchExists)}));
    EXPECT_EQ(listeRows(), before);
    EXPECT_EQ(currentGridRow(), QStringLiteral("14.03.2009|Altay|1|Bursaspor|0"));
    EXPECT_EQ(homeGoals()->text(), QStringLiteral("2"));

    dialogs.clear();
    enter(kToday, "Bursaspor", "Altay", "2", "2");
    EXPECT_TRUE(dialogs.warnings().isEmpty());
    EXPECT_EQ(listeRows().size(), before.size() + 1);
}

TEST_F(ResultsWindowTest, ScoreBoxesTakeOneCentredDigit) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {{"7", "7"}, {"a5", "5"}, {"-,3", "3"}, {"42", "4"}, {"x", ""}};
    open();
    for (QLineEdit* box : {homeGoals(), awayGoals()}) {
        EXPECT_EQ(box->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        for (const Case& c : cases) {
            box->clear();
            QTest::keyClicks(box, QString::fromLatin1(c.typed));
            EXPECT_EQ(box->text(), QString::fromLatin1(c.kept)) << c.typed;
        }
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), QString());
    }
}

TEST_F(ResultsWindowTest, ClosingEmptiesTheWindowClosesItsViewAndShowsTheMainWindow) {
    open();
    chooseLeague(kSuperLig);
    homeGoals()->setText(QStringLiteral("1"));
    awayGoals()->setText(QStringLiteral("2"));
    ASSERT_TRUE(QSqlDatabase::contains(QString::fromLatin1(ResultsWindow::kConnectionName)));

    form->close();

    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_EQ(leagues()->count(), 0);
    EXPECT_EQ(homeTeams()->count(), 0);
    EXPECT_EQ(awayTeams()->count(), 0);
    EXPECT_EQ(homeGoals()->text(), QString());
    EXPECT_EQ(awayGoals()->text(), QString());
    EXPECT_FALSE(QSqlDatabase::contains(QString::fromLatin1(ResultsWindow::kConnectionName)));

    // The next showing starts afresh, with the league list read again.
    saveLeagueList(leagueListPath(folder.path()), {kFirstLig});
    open();
    EXPECT_EQ(leagues()->count(), 1);
    chooseLeague(kFirstLig);
    EXPECT_EQ(homeTeams()->currentText(), QStringLiteral("Göztepe"));
    EXPECT_TRUE(dialogs.errors().isEmpty());
}

TEST_F(ResultsWindowTest, MissingLeagueListIsReportedAndTheTableCanStillBeBrowsed) {
    ASSERT_TRUE(QFile::remove(leagueListPath(folder.path())));
    open();

    ASSERT_EQ(dialogs.errors().size(), 1);
    EXPECT_TRUE(dialogs.errors().first().contains(QStringLiteral("klasman.dat")));
    EXPECT_EQ(leagues()->count(), 0);
    filterDate()->setDate(QDate(2007, 12, 31));
    EXPECT_EQ(gridRows().size(), 6);
}

TEST_F(ResultsWindowTest, LargeTableIsReadAChunkAtATime) {
    database->connection().transaction();
    for (int i = 0; i < 3000; ++i)
        table->appendSeedRow(kFirstLig, QStringLiteral("Takım %1").arg(i), 1);
    database->connection().commit();
    open();

    filterDate()->setDate(QDate(2008, 1, 1));

    const int read = gridModel()->rowCount();
    EXPECT_GT(read, 0);
    EXPECT_LT(read, 1000);
    EXPECT_TRUE(gridModel()->canFetchMore());
    EXPECT_EQ(currentGridRow(), QString::fromUtf8("01.01.2008|Denizlispor||Denizlispor|"));
}

// Only "Ekle" itself enters a result: Enter elsewhere in the window presses nothing.
TEST_F(ResultsWindowTest, EnterOutsideTheEntrySequencePressesNoButton) {
    open();
    chooseLeague(kSuperLig);
    fillEntry(kToday, "Altay", "Bursaspor", "1", "0");
    const int before = listeCount();

    for (QWidget* control : {static_cast<QWidget*>(filterDate()), static_cast<QWidget*>(leagues()),
                             static_cast<QWidget*>(grid())}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter);
    }

    EXPECT_EQ(listeCount(), before);
    EXPECT_EQ(dialogs.warnings(), QStringList());
    EXPECT_EQ(homeGoals()->text(), QStringLiteral("1"));
}

// A user enters a short season with the keyboard alone.
TEST_F(ResultsWindowTest, SeasonTypedThroughTheEntrySequence) {
    open();
    QTest::keyClick(leagues(), Qt::Key_Down); // the first league of the file
    ASSERT_EQ(leagues()->currentText(), kSuperLig);

    // After the league choice the home list has the focus, after each entry the entry date: Enter on
    // the date keeps it, typing replaces it. A team is picked with Home and Down in the sorted list.
    const auto pickTeam = [](QWidget* list, int position) {
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(list, Qt::Key_Down);
    };
    const auto typeMatch = [&](const char* day, int home, const char* homeScore, int away,
                               const char* awayScore) {
        if (QApplication::focusWidget() == entryDate()) {
            QTest::keyClicks(entryDate(), QString::fromLatin1(day));
            QTest::keyClick(entryDate(), Qt::Key_Return);
        }
        ASSERT_EQ(QApplication::focusWidget(), homeTeams());
        pickTeam(homeTeams(), home);
        QTest::keyClick(homeTeams(), Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), homeGoals());
        QTest::keyClicks(homeGoals(), QString::fromLatin1(homeScore));
        QTest::keyClick(homeGoals(), Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), awayTeams());
        pickTeam(awayTeams(), away);
        QTest::keyClick(awayTeams(), Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), awayGoals());
        QTest::keyClicks(awayGoals(), QString::fromLatin1(awayScore));
        QTest::keyClick(awayGoals(), Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), enterButton());
        QTest::keyClick(enterButton(), Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), entryDate());
    };
    enum { Altay, Bandirmaspor, Bursaspor, Caykur, Denizlispor };

    typeMatch("", Altay, "2", Bursaspor, "1");
    typeMatch("", Denizlispor, "0", Caykur, "0");
    typeMatch("21.03.2009", Bursaspor, "4", Denizlispor, "3");
    typeMatch("", Caykur, "1", Altay, "5");

    EXPECT_EQ(dialogs.warnings(), QStringList());
    const QStringList matches = listeRows().mid(6);
    EXPECT_EQ(matches, (QStringList{
                           QString::fromUtf8("O|Süper Lig|2009-03-14|Altay|Bursaspor|2|1|1|2"),
                           QString::fromUtf8("O|Süper Lig|2009-03-14|Denizlispor|Çaykur Rizespor|0|0|0|0"),
                           QString::fromUtf8("O|Süper Lig|2009-03-21|Bursaspor|Denizlispor|4|3|3|4"),
                           QString::fromUtf8("O|Süper Lig|2009-03-21|Çaykur Rizespor|Altay|1|5|5|1"),
                       }));
    // The first match, worked out by hand: home seeded 7, away seeded 5, a home win.
    QSqlQuery first = table->allRows();
    ASSERT_TRUE(first.seek(6));
    EXPECT_NEAR(first.record().value(QStringLiteral("Etp")).toDouble(), 0.1848, 1e-12);
    EXPECT_NEAR(first.record().value(QStringLiteral("Mtp")).toDouble(), -0.1848, 1e-12);
    EXPECT_EQ(gridRows().size(), 4);
}

} // namespace
} // namespace vezal
