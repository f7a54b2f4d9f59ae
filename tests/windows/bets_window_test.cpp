// The "Bahislerim" window, opened from the Dosya menu and driven by objectName with scripted dialogs, on
// bets whose figures are worked out by hand.
#include "support/TestProgram.h"

#include "betting/BetLedger.h"
#include "store/Admin.h"
#include "store/Database.h"
#include "store/MatchTable.h"
#include "store/QuoteTable.h"
#include "windows/BetsWindow.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTimeAxis>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSqlQuery>
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

const QString kLeague = utf8("Süper Lig");

Selection pick(const QDate& day, const char* home, const char* away, const char* code, double odds) {
    return {kLeague, day, utf8(home), utf8(away), model::outcomeFromCode(utf8(code)).value(), odds};
}

class BetsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(kLeague + QStringLiteral("\r\n")));
        run.start();
        MatchTable& table = run.program.table();
        for (const char* team : {"Kartal", "Bolu", "Sivas", "Rize"})
            ASSERT_FALSE(registerTeam(table, kLeague, utf8(team), QStringLiteral("5")));
        for (const auto& [home, away, homeGoals, awayGoals] :
             {std::tuple{"Kartal", "Bolu", "2", "0"}, std::tuple{"Sivas", "Rize", "1", "1"}}) {
            const ResultOutcome outcome = enterResult(
                table, {kLeague, kDay, kDay, utf8(home), utf8(away), utf8(homeGoals), utf8(awayGoals)});
            ASSERT_FALSE(outcome.refusal);
        }
        QuoteTable(run.program.database())
            .put(kLeague, kDay, utf8("Kartal"), utf8("Bolu"),
                 {{QStringLiteral("Avg"), true, QuoteOutcome::Home, 2.00},
                  {QStringLiteral("Avg"), true, QuoteOutcome::Draw, 3.50},
                  {QStringLiteral("Avg"), true, QuoteOutcome::Away, 4.00}});
        BetLedger ledger(run.program.database());
        const QDate placed(2009, 8, 10);
        ledger.place(placed, 10, {pick(kDay, "Kartal", "Bolu", "1", 2.10)});
        ledger.place(placed, 20, {pick(kDay, "Sivas", "Rize", "ALT", 1.80)});
        ledger.place(placed, 5,
                     {pick(kDay, "Kartal", "Bolu", "2", 4.00), pick(kDay, "Sivas", "Rize", "0", 3.00)});
        ledger.place(placed, 10, {pick(kDay.addDays(7), "Kartal", "Sivas", "1", 1.90)});

        main = run.windows().main();
        main->show();
        window = run.windows().bets();
        openFromMenu();
    }
    void openFromMenu() { run.find<QAction>(main, QStringLiteral("BetsAction"))->trigger(); }

    template <typename T> T* in(const char* name) const {
        return run.find<T>(window, QString::fromLatin1(name));
    }
    QList<QStringList> rows(const char* grid, int columns) const {
        auto* table = in<QTableWidget>(grid);
        QList<QStringList> texts;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < columns; ++column)
                cells << table->item(row, column)->text();
            texts << cells;
        }
        return texts;
    }
    QString totals() const { return in<QLabel>("TotalsLabel")->text(); }
    void choose(int row) {
        auto* grid = in<QTableWidget>("BetsGrid");
        grid->setCurrentCell(row, 0);
        grid->selectRow(row);
    }

    static inline const QDate kDay{2009, 8, 15};
    TestProgram run;
    MainWindow* main = nullptr;
    BetsWindow* window = nullptr;
};

TEST_F(BetsWindowTest, OpenBetsComeFirstWithTheirFiguresInTurkish) {
    ASSERT_TRUE(window->isVisible());
    // No, Tarih, Oran, Miktar, Durum, Kâr, CLV % (the selections aside). Kartal 2-0 Bolu, Sivas 1-1 Rize;
    // CLV of bet 1: 2.10 * 14/29 - 1 = 1.38 % (average closing 2.00 3.50 4.00: 1/2 over 29/28); the coupon
    // shows its selections' own, Bolu at 4.00 * 7/29 - 1 = -1/29 = -3.45 %, Sivas-Rize none.
    const auto figures = [&] {
        QList<QStringList> picked;
        for (const QStringList& row : rows("BetsGrid", 8))
            picked << QStringList{row[0], row[1], row[3], row[4], row[5], row[6], row[7]};
        return picked;
    };
    EXPECT_EQ(figures(), (QList<QStringList>{
                             {"4", "10.08.2009", "1,90", "10,00", utf8("açık"), "0,00", ""},
                             {"1", "10.08.2009", "2,10", "10,00", utf8("kazandı"), "11,00", "1,38"},
                             {"2", "10.08.2009", "1,80", "20,00", utf8("kazandı"), "16,00", ""},
                             {"3", "10.08.2009", "12,00", "5,00", utf8("kaybetti"), "-5,00", "-3,45\n-"}}));
    EXPECT_EQ(rows("BetsGrid", 3)[3][2], utf8("Kartal - Bolu (Süper Lig, 15.08.2009) 2 @ 4,00 — 2-0\n"
                                              "Sivas - Rize (Süper Lig, 15.08.2009) 0 @ 3,00 — 1-1"));
    // 35 staked on the settled bets, 22 won: 62.86 %.
    EXPECT_EQ(totals(),
              utf8("Bahis: 4   Açık: 1   Kazanan: 2   Kaybeden: 1   Yatırılan: 35,00   Kâr: 22,00   "
                   "Verim: %62,9   Ortalama CLV: %1,38   Kasa: 22,00"));
    EXPECT_EQ(rows("LeagueGrid", 7),
              (QList<QStringList>{{"Kupon", "1", "0", "1", "5,00", "-5,00", "-100,0"},
                                  {kLeague, "3", "2", "0", "30,00", "27,00", "90,0"}}));
    EXPECT_EQ(rows("MarketGrid", 7),
              (QList<QStringList>{{"1", "2", "1", "0", "10,00", "11,00", "110,0"},
                                  {"ALT", "1", "1", "0", "20,00", "16,00", "80,0"},
                                  {"Kupon", "1", "0", "1", "5,00", "-5,00", "-100,0"}}));

    // The starting bankroll is kept with the bets and moves the balance and the chart.
    auto* bankroll = in<QDoubleSpinBox>("BankrollBox");
    bankroll->setFocus();
    bankroll->selectAll();
    QTest::keyClicks(bankroll, "1000");
    QTest::keyClick(bankroll, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(BetLedger(run.program.database()).startingBankroll(), 1000);
    EXPECT_TRUE(totals().endsWith(utf8("Kasa: 1.022,00"))) << totals().toStdString();
    const QList<QAbstractSeries*> series = in<QChartView>("BankrollChart")->chart()->series();
    ASSERT_EQ(series.size(), 1);
    const QList<QPointF> points = static_cast<QLineSeries*>(series[0])->points();
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(points[0], QPointF(double(QDate(2009, 8, 10).startOfDay().toMSecsSinceEpoch()), 1000));
    EXPECT_EQ(points[1], QPointF(double(kDay.startOfDay().toMSecsSinceEpoch()), 1022));
}

TEST_F(BetsWindowTest, ADeletedResultReopensItsBetWhenTheWindowIsShownAgain) {
    std::optional<qint64> sr;
    QSqlQuery query = run.program.table().shownRows(kLeague, {2009, 8, 15});
    while (query.next())
        if (query.value(2).toString() == "Kartal" && query.value(4).toString() == "Bolu")
            sr = query.value(0).toLongLong();
    ASSERT_TRUE(sr);
    run.program.table().deleteRow(*sr);
    openFromMenu();
    // Bet 1 and the coupon lost on Kartal-Bolu are open again; the open ones first, in the order placed.
    const QList<QStringList> grid = rows("BetsGrid", 6);
    ASSERT_EQ(grid.size(), 4);
    EXPECT_EQ((QStringList{grid[0][0], grid[1][0], grid[2][0], grid[3][0]}),
              (QStringList{"1", "3", "4", "2"}));
    for (int row : {0, 1, 2})
        EXPECT_EQ(grid[row][5], utf8("açık"));
    EXPECT_EQ(grid[0][2], utf8("Kartal - Bolu (Süper Lig, 15.08.2009) 1 @ 2,10 — maç silindi"));
    EXPECT_EQ(grid[3][5], utf8("kazandı"));
}

// Shown, the window follows whatever the program writes, through any window or action; what another
// process writes (here a connection of its own on the same file, which is all the file can tell apart) it
// reads when it is activated.
TEST_F(BetsWindowTest, AnOpenWindowFollowsTheProgramsWritesAndAnotherProcessWhenActivated) {
    const auto status = [&](const char* id) {
        for (const QStringList& row : rows("BetsGrid", 6))
            if (row[0] == QLatin1String(id))
                return row[5];
        return QStringLiteral("<yok>");
    };
    const auto activate = [&] {
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(window, &activation);
    };
    ASSERT_EQ(status("4"), utf8("açık"));

    // Kartal 1-0 Sivas, a week on: bet 4's home win is won.
    const QDate later = kDay.addDays(7);
    ASSERT_FALSE(
        enterResult(run.program.table(), {kLeague, later, later, utf8("Kartal"), utf8("Sivas"), "1", "0"})
            .refusal);
    QCoreApplication::processEvents();
    EXPECT_EQ(status("4"), utf8("kazandı"));

    // A bet placed anywhere in the program shows, open ones first.
    const QDate third = kDay.addDays(14);
    ASSERT_TRUE(BetLedger(run.program.database())
                    .place({2009, 8, 20}, 10, {pick(third, "Bolu", "Rize", "1", 2.00)})
                    .id);
    QCoreApplication::processEvents();
    ASSERT_EQ(rows("BetsGrid", 1).size(), 5);
    EXPECT_EQ(rows("BetsGrid", 1)[0][0], "5");

    // Bolu 0-2 Rize from elsewhere: nothing the program did, so nothing moves until the window is activated.
    {
        Database other(run.folder(), QStringLiteral("BaskaSurec"));
        MatchTable table(other);
        ASSERT_FALSE(
            enterResult(table, {kLeague, third, third, utf8("Bolu"), utf8("Rize"), "0", "2"}).refusal);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(status("5"), utf8("açık"));
    activate();
    EXPECT_EQ(status("5"), "kaybetti");

    // Activated with nothing new, it keeps what the user chose.
    choose(2);
    activate();
    EXPECT_EQ(in<QTableWidget>("BetsGrid")->currentRow(), 2);
    EXPECT_FALSE(in<QTableWidget>("BetsGrid")->selectedItems().isEmpty());
}

TEST_F(BetsWindowTest, VoidDeleteAndExport) {
    // Nothing chosen: a warning, nothing asked.
    run.dialogs.clear();
    QTest::mouseClick(in<QPushButton>("VoidButton"), Qt::LeftButton);
    EXPECT_EQ(run.dialogs.warnings(), QStringList{utf8("Öncelikle bir bahis seçmelisiniz  ... ")});

    // A coupon: the whole of it or one selection. Cancelled, nothing changes.
    choose(3);
    QTest::mouseClick(in<QPushButton>("VoidButton"), Qt::LeftButton);
    ASSERT_EQ(run.dialogs.asked.back().kind, "choose");
    const QStringList offered = run.dialogs.asked.back().extra.split(u'|');
    ASSERT_EQ(offered.size(), 3);
    EXPECT_EQ(offered[0], utf8("Bütün kupon"));
    EXPECT_TRUE(offered[1].startsWith(utf8("1: Kartal - Bolu"))) << offered[1].toStdString();
    EXPECT_EQ(rows("BetsGrid", 6)[3][5], "kaybetti");
    // Its lost away win voided, the drawn match alone wins it: 5 * (3.00 - 1).
    choose(3);
    run.dialogs.answerNextChoice(1);
    QTest::mouseClick(in<QPushButton>("VoidButton"), Qt::LeftButton);
    EXPECT_EQ(rows("BetsGrid", 6)[3][5], utf8("kazandı"));
    EXPECT_EQ(rows("BetsGrid", 7)[3][6], "10,00");
    choose(3);
    run.dialogs.answerNextChoice(0);
    QTest::mouseClick(in<QPushButton>("VoidButton"), Qt::LeftButton);
    EXPECT_EQ(run.dialogs.asked.back().extra.split(u'|').size(), 2); // the voided one is not offered again
    EXPECT_EQ(rows("BetsGrid", 6)[3][5], "iptal");
    choose(0); // the open bet 4, answered No: it stays
    QTest::mouseClick(in<QPushButton>("DeleteButton"), Qt::LeftButton);
    EXPECT_EQ(rows("BetsGrid", 1).size(), 4);
    choose(0);
    run.dialogs.answerNextQuestion(true);
    QTest::mouseClick(in<QPushButton>("DeleteButton"), Qt::LeftButton);
    EXPECT_EQ(rows("BetsGrid", 1), (QList<QStringList>{{"1"}, {"2"}, {"3"}}));

    // Both forms, every field quoted: the Turkish one is the default.
    const QString path = run.folder() + QStringLiteral("/bahis.csv");
    const std::pair<int, QByteArray> forms[] = {
        {0,
         QByteArray("\xEF\xBB\xBF") +
             utf8("\"No\";\"Tarih\";\"Miktar\";\"Oran\";\"Durum\";\"Kâr\";\"CLV %\";\"Seçimler\"\r\n"
                  "\"1\";\"10.08.2009\";\"10,00\";\"2,10\";\"kazandı\";\"11,00\";\"1,38\";"
                  "\"Süper Lig|15.08.2009|Kartal|Bolu|1|2,10\"\r\n"
                  "\"2\";\"10.08.2009\";\"20,00\";\"1,80\";\"kazandı\";\"16,00\";\"\";"
                  "\"Süper Lig|15.08.2009|Sivas|Rize|ALT|1,80\"\r\n"
                  "\"3\";\"10.08.2009\";\"5,00\";\"12,00\";\"iptal\";\"0,00\";\"\";"
                  "\"Süper Lig|15.08.2009|Kartal|Bolu|2|4,00; Süper Lig|15.08.2009|Sivas|Rize|0|3,00\"\r\n")
                 .toUtf8()},
        {1, utf8("\"No\",\"Tarih\",\"Miktar\",\"Oran\",\"Durum\",\"Kâr\",\"CLV %\",\"Seçimler\"\r\n"
                 "\"1\",\"2009-08-10\",\"10.00\",\"2.10\",\"kazandı\",\"11.00\",\"1.38\","
                 "\"Süper Lig|2009-08-15|Kartal|Bolu|1|2.10\"\r\n"
                 "\"2\",\"2009-08-10\",\"20.00\",\"1.80\",\"kazandı\",\"16.00\",\"\","
                 "\"Süper Lig|2009-08-15|Sivas|Rize|ALT|1.80\"\r\n"
                 "\"3\",\"2009-08-10\",\"5.00\",\"12.00\",\"iptal\",\"0.00\",\"\","
                 "\"Süper Lig|2009-08-15|Kartal|Bolu|2|4.00; Süper Lig|2009-08-15|Sivas|Rize|0|3.00\"\r\n")
                .toUtf8()},
    };
    for (const auto& [form, bytes] : forms) {
        in<QComboBox>("CsvFormBox")->setCurrentIndex(form);
        run.dialogs.answerNextFileDialog(path);
        QTest::mouseClick(in<QPushButton>("ExportButton"), Qt::LeftButton);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes) << form;
    }
}

// The chart's date axis writes no day twice: from the day placed, 10.08.2009, to the matches' 15.08.2009,
// five ticks 1,25 days apart (10, 11, 12, 13 and 15 August); without a bet, no day at all.
TEST_F(BetsWindowTest, TheBankrollChartWritesNoDayTwice) {
    const auto dateAxis = [&] {
        return qobject_cast<QDateTimeAxis*>(
            in<QChartView>("BankrollChart")->chart()->axes(Qt::Horizontal).value(0));
    };
    ASSERT_TRUE(dateAxis());
    EXPECT_EQ(dateAxis()->tickCount(), 5);
    EXPECT_TRUE(dateAxis()->labelsVisible());
    BetLedger ledger(run.program.database());
    for (const BetRecord& bet : ledger.bets())
        ASSERT_TRUE(ledger.remove(bet.id));
    openFromMenu();
    ASSERT_TRUE(dateAxis());
    EXPECT_FALSE(dateAxis()->labelsVisible());
}

} // namespace
} // namespace vezal
