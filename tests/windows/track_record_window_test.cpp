// The "Başarı" window, opened from the main window and driven by objectName with scripted dialogs, on a
// small league whose figures are worked out by hand.
#include "support/TestProgram.h"

#include "evidence/PerMatchCsv.h"
#include "evidence/TrackRecord.h"
#include "store/Admin.h"
#include "store/OddsTable.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"
#include "windows/TrackRecordWindow.h"

#include <QAbstractAxis>
#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

const QString kLeague = QStringLiteral("Süper Lig");

// The leagues in the file's order; the window lists them in Turkish order.
const char* const kLeagueFile = "Süper Lig\r\nÇukurova\r\n1. Lig\r\nEge Ligi\r\n";

// İzmir (6,4), Çorum, Bolu, Kartal (5 each); Sivas and Hatay (3) play at home only on the last days.
// Only 22.08.2009 is predicted: on the 15th nobody has played, and Çorum, Sivas and Hatay have no home
// game when they host. İzmir-Çorum 2-2 predicted "0" "1", "ÜST", "4 - 6", 2-3 at odds 2.10 / 3.20 / 3.50;
// Kartal-Bolu 0-3 predicted "0" "2", "ÜST", "4 - 6", 1-4 without odds.
// 30.06.2010 is the last day of 2009-10 (six matches); after 37 days without a match, the summer break,
// 07.08.2010 is the first of 2010-11 (one).
void playHandLeague(Program& program) {
    MatchTable& table = program.table();
    for (const auto& [team, points] : {std::pair{"İzmir", "6,4"},
                                       {"Çorum", "5"},
                                       {"Bolu", "5"},
                                       {"Kartal", "5"},
                                       {"Sivas", "3"},
                                       {"Hatay", "3"}}) {
        const std::optional<Refusal> refusal = registerTeam(table, kLeague, utf8(team), utf8(points));
        ASSERT_FALSE(refusal) << refusal->message.toStdString();
    }
    const struct {
        QDate day;
        const char* home;
        const char* away;
        const char* homeGoals;
        const char* awayGoals;
    } results[] = {
        {{2009, 8, 15}, "İzmir", "Bolu", "1", "3"},  {{2009, 8, 15}, "Kartal", "Çorum", "2", "4"},
        {{2009, 8, 22}, "İzmir", "Çorum", "2", "2"}, {{2009, 8, 22}, "Kartal", "Bolu", "0", "3"},
        {{2009, 8, 22}, "Çorum", "İzmir", "1", "0"}, {{2010, 6, 30}, "Sivas", "Kartal", "0", "0"},
        {{2010, 8, 7}, "Hatay", "Bolu", "2", "1"},
    };
    for (const auto& r : results) {
        const ResultOutcome outcome = enterResult(
            table, {kLeague, r.day, r.day, utf8(r.home), utf8(r.away), utf8(r.homeGoals), utf8(r.awayGoals)});
        ASSERT_FALSE(outcome.refusal) << outcome.refusal->message.toStdString();
    }
    OddsTable odds(program.database());
    odds.put(kLeague, {2009, 8, 22}, utf8("İzmir"), utf8("Çorum"), {2.10, 3.20, 3.50});
    odds.put(kLeague, {2009, 8, 15}, utf8("İzmir"), QStringLiteral("Bolu"), {1.80, 3.40, 4.50});
}

class TrackRecordWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(utf8(kLeagueFile)));
        run.start();
        ASSERT_NO_FATAL_FAILURE(playHandLeague(run.program));
        main = run.windows().main();
        main->show();
        window = run.windows().trackRecord();
    }

    template <typename T> T* in(QWidget* parent, const char* name) const {
        return run.find<T>(parent, QString::fromLatin1(name));
    }
    void chooseInMain(const QString& league) {
        auto* selector = in<QComboBox>(main, "ComboBox1");
        const int index = selector->findText(league);
        ASSERT_GE(index, 0);
        selector->setCurrentIndex(index);
        emit selector->activated(index);
    }
    // Opens the window for the main window's league, as its button does.
    void openForLeague() {
        chooseInMain(kLeague);
        QTest::mouseClick(in<QPushButton>(main, "TrackRecordButton"), Qt::LeftButton);
    }

    QTableWidget* grid() const { return in<QTableWidget>(window, "FiguresGrid"); }
    QString status() const { return in<QLabel>(window, "StatusLabel")->text(); }
    QStringList columnTitles() const {
        QStringList titles;
        for (int column = 0; column < grid()->columnCount(); ++column)
            titles << grid()->horizontalHeaderItem(column)->text();
        return titles;
    }
    // A figure's row across the columns.
    QStringList cells(const char* figure) const {
        for (int row = 0; row < grid()->rowCount(); ++row) {
            if (grid()->verticalHeaderItem(row)->text() != utf8(figure))
                continue;
            QStringList texts;
            for (int column = 0; column < grid()->columnCount(); ++column)
                texts << grid()->item(row, column)->text();
            return texts;
        }
        ADD_FAILURE() << "no row " << figure;
        return {};
    }
    QChart* chart(const char* name) const { return in<QChartView>(window, name)->chart(); }

    TestProgram run;
    MainWindow* main = nullptr;
    TrackRecordWindow* window = nullptr;
};

TEST_F(TrackRecordWindowTest, TheGridShowsEachFigureOverallAndPerSeasonInTurkish) {
    openForLeague();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), utf8("  BAŞARI"));
    EXPECT_EQ(in<QComboBox>(window, "LeagueBox")->currentText(), kLeague);
    // Which walk: every day, the league's own xi (never tuned), the usual threshold.
    EXPECT_EQ(
        status(),
        utf8("Süper Lig: 7 maç, 2 tahmin, 2 sezon. Ayarlar: ilk maç - son maç, ξ 0,0019, değer eşiği %5,0."));
    EXPECT_TRUE(run.dialogs.asked.empty());

    EXPECT_EQ(columnTitles(),
              (QStringList{utf8("Tümü"), QStringLiteral("2009-10"), QStringLiteral("2010-11")}));
    // Two of seven predicted; both in 2009-10, of its six.
    const std::map<const char*, QStringList> expected = {
        {"Maç", {"7", "6", "1"}},
        {"Tahmin edilen", {"2 / 7  (%28,6)", "2 / 6  (%33,3)", "0 / 1  (%0,0)"}},
        // "0" right for İzmir-Çorum, wrong for Kartal-Bolu; the double chance right for both.
        {"İlk işaret", {"1 / 2  (%50,0)", "1 / 2  (%50,0)", "0 / 0"}},
        {"Çifte şans", {"2 / 2  (%100,0)", "2 / 2  (%100,0)", "0 / 0"}},
        {"Tek işaret", {"0 / 0", "0 / 0", "0 / 0"}},
        {"Alt / Üst (kesin)", {"2 / 2  (%100,0)", "2 / 2  (%100,0)", "0 / 0"}},
        // 4 goals in "4 - 6", 3 goals not; neither score right; no home win.
        {"Gol aralığı", {"1 / 2  (%50,0)", "1 / 2  (%50,0)", "0 / 0"}},
        {"Skor", {"0 / 2  (%0,0)", "0 / 2  (%0,0)", "0 / 0"}},
        {"Hep ev sahibi", {"0 / 2  (%0,0)", "0 / 2  (%0,0)", "0 / 0"}},
        // Odds for İzmir-Çorum only: the favourite 1 (2.10) wrong, the top two 1 and 0 right.
        {"Bahisçinin favorisi", {"0 / 1  (%0,0)", "0 / 1  (%0,0)", "0 / 0"}},
        {"Bahisçinin ilk ikisi", {"1 / 1  (%100,0)", "1 / 1  (%100,0)", "0 / 0"}},
        // The unit on "0" at 3.20 wins 2.20: a yield of 220 %.
        {"Bahis (1 birim)", {"1", "1", "0"}},
        {"Kazanan bahis", {"1 / 1  (%100,0)", "1 / 1  (%100,0)", "0 / 0"}},
        {"Kâr (birim)", {"2,20", "2,20", "0,00"}},
        {"Getiri", {"%220,0", "%220,0", "-"}},
    };
    for (const auto& [figure, texts] : expected) {
        QStringList want;
        for (const QString& text : texts)
            want << text;
        EXPECT_EQ(cells(figure), want) << figure;
    }
}

TEST_F(TrackRecordWindowTest, TheChartsDrawTheSeasonsAndTheProfitMatchByMatch) {
    openForLeague();
    QChart* hitRate = chart("HitRateChart");
    const QList<QAbstractSeries*> lines = hitRate->series();
    ASSERT_EQ(lines.size(), 3);
    const auto pointsOf = [](QAbstractSeries* series) {
        return static_cast<QXYSeries*>(series)->points();
    };
    // 2010-11 (x = 1) predicted nothing, so no line has a point there.
    const struct {
        const char* name;
        QList<QPointF> points;
    } hitRateLines[] = {
        {"Vezal ilk işaret", {{0, 50.0}}},
        {"Hep ev sahibi", {{0, 0.0}}},
        {"Bahisçinin favorisi", {{0, 0.0}}},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i]->name(), utf8(hitRateLines[i].name));
        EXPECT_EQ(pointsOf(lines[i]), hitRateLines[i].points) << hitRateLines[i].name;
    }
    const auto axisTitles = [](QChart* c) {
        QStringList titles;
        for (QAbstractAxis* axis : c->axes())
            titles << axis->titleText();
        return titles;
    };
    EXPECT_EQ(axisTitles(hitRate), (QStringList{QStringLiteral("Sezon"), utf8("İsabet (%)")}));
    EXPECT_EQ(hitRate->locale().decimalPoint(), QStringLiteral(","));
    EXPECT_TRUE(hitRate->localizeNumbers());

    // Flat until İzmir-Çorum, the third match walked, then 2.20 to the end.
    QChart* profit = chart("ProfitChart");
    ASSERT_EQ(profit->series().size(), 1);
    EXPECT_EQ(pointsOf(profit->series()[0]),
              (QList<QPointF>{{1, 0}, {2, 0}, {3, 2.2}, {4, 2.2}, {5, 2.2}, {6, 2.2}, {7, 2.2}}));
    EXPECT_EQ(axisTitles(profit), (QStringList{utf8("Maç"), utf8("Kâr (birim)")}));

    // No team has the five matches the goals model needs: its line is empty beside the diagonal.
    QChart* calibration = chart("CalibrationChart");
    ASSERT_EQ(calibration->series().size(), 2);
    EXPECT_TRUE(pointsOf(calibration->series()[0]).isEmpty());
    EXPECT_EQ(pointsOf(calibration->series()[1]), (QList<QPointF>{{0, 0}, {100, 100}}));
    EXPECT_EQ(axisTitles(calibration), (QStringList{utf8("Olasılık (%)"), utf8("Gerçekleşen (%)")}));
    // Nor can it bet on value: its chart says so, with no line.
    QChart* valueProfit = chart("ValueProfitChart");
    EXPECT_EQ(valueProfit->title(), utf8("Değerli bahis: oranı kayıtlı tahmin yok"));
    ASSERT_EQ(valueProfit->series().size(), 1);
    EXPECT_TRUE(pointsOf(valueProfit->series()[0]).isEmpty());
    EXPECT_EQ(axisTitles(valueProfit), (QStringList{utf8("Değerli bahisli maç"), utf8("Kâr (birim)")}));
}

TEST_F(TrackRecordWindowTest, ExportWritesThePerMatchFileOfTheShownWalk) {
    openForLeague();
    const QString path = run.folder() + QStringLiteral("/basari.csv");
    run.dialogs.answerNextFileDialog(path);
    QTest::mouseClick(in<QPushButton>(window, "ExportButton"), Qt::LeftButton);

    ASSERT_EQ(run.dialogs.asked.size(), 1u);
    const auto& asked = run.dialogs.asked.front();
    EXPECT_EQ(asked.kind, "save");
    EXPECT_EQ(asked.text, QStringLiteral("CSV Dosyalar (*.csv)|*.csv"));
    EXPECT_EQ(asked.extra, QStringLiteral("basari.csv"));
    const std::optional<TrackRecord> record =
        trackRecord(run.program.database(), kLeague, {}, {}, {}, ModelWalk{});
    ASSERT_TRUE(record);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The Turkish form unless the plain one is chosen: the mark, ";" and decimal commas (İzmir - Çorum's
    // odds 2,10 / 3,20 / 3,50 as the shortest text of each).
    const QByteArray turkish = file.readAll();
    EXPECT_TRUE(turkish.startsWith("\xEF\xBB\xBF\"Tarih\";\"Sezon\";\"Ev Sahibi\";"));
    EXPECT_TRUE(turkish.contains(utf8("\"İzmir\";\"Çorum\"").toUtf8()));
    EXPECT_TRUE(turkish.contains("\"2,1\";\"3,2\";\"3,5\""));
    EXPECT_EQ(turkish, perMatchCsv(*record, CsvForm::Turkish));
    EXPECT_TRUE(status().endsWith(QStringLiteral("basari.csv"))) << status().toStdString();
    file.close();
    in<QComboBox>(window, "CsvFormBox")->setCurrentIndex(1);
    run.dialogs.answerNextFileDialog(path);
    QTest::mouseClick(in<QPushButton>(window, "ExportButton"), Qt::LeftButton);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray plain = file.readAll();
    EXPECT_TRUE(plain.startsWith("\"Tarih\",\"Sezon\",\"Ev Sahibi\","));
    EXPECT_TRUE(plain.contains("\"2.1\",\"3.2\",\"3.5\""));
    EXPECT_EQ(plain, perMatchCsv(*record));
    file.close();

    // A cancelled save dialog writes nothing.
    QFile::remove(path);
    QTest::mouseClick(in<QPushButton>(window, "ExportButton"), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(path));
}

// A pipe or a folder chosen as the file would be replaced by a regular file, or block: refused.
TEST_F(TrackRecordWindowTest, ExportRefusesATargetThatIsNoFile) {
    openForLeague();
    const QString pipe = run.folder() + QStringLiteral("/boru.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& target : {pipe, run.folder()}) {
        run.dialogs.clear();
        run.dialogs.answerNextFileDialog(target);
        QTest::mouseClick(in<QPushButton>(window, "ExportButton"), Qt::LeftButton);
        EXPECT_EQ(
            run.dialogs.warnings(),
            QStringList{QLatin1Char('"') + target +
                        utf8("\" sıradan bir dosya değil (klasör, aygıt ya da boru); üzerine yazılmaz")});
    }
    EXPECT_FALSE(QFileInfo(pipe).isFile());
}

// The figures as numbers a spreadsheet sums (those of the grid test above): a tally's hits, counted and
// percent in lines of their own, a percent without its sign, nothing for the table's "-"; in either form.
TEST_F(TrackRecordWindowTest, TheFiguresTableIsExportedAsNumbersInEitherForm) {
    openForLeague();
    const QString path = run.folder() + QStringLiteral("/tablo.csv");
    const auto exported = [&] {
        run.dialogs.answerNextFileDialog(path);
        QTest::mouseClick(in<QPushButton>(window, "FiguresExportButton"), Qt::LeftButton);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromUtf8(file.readAll()).remove(QChar(0xFEFF)).split(QStringLiteral("\r\n"));
    };
    QStringList lines = exported();
    ASSERT_EQ(lines.size(), 1 + 43 + 2 * 16 + 1); // titles, 43 figures (16 tallies), the end after the last
    // The Asian handicap's lines come last: this league keeps no Asian odds, so none was counted.
    EXPECT_EQ(lines.mid(lines.size() - 10, 3),
              QStringList({utf8("\"Asya handikabı değer bahsi (tutan)\";\"0\";\"0\";\"0\""),
                           utf8("\"Asya handikabı değer bahsi (sayılan)\";\"0\";\"0\";\"0\""),
                           utf8("\"Asya handikabı değer bahsi (%)\";\"\";\"\";\"\"")}));
    EXPECT_EQ(lines.mid(0, 5),
              QStringList({utf8("\"\";\"Tümü\";\"2009-10\";\"2010-11\""), utf8("\"Maç\";\"7\";\"6\";\"1\""),
                           utf8("\"Tahmin edilen (tutan)\";\"2\";\"2\";\"0\""),
                           utf8("\"Tahmin edilen (sayılan)\";\"7\";\"6\";\"1\""),
                           utf8("\"Tahmin edilen (%)\";\"28,6\";\"33,3\";\"0,0\"")}));
    EXPECT_TRUE(lines.contains(utf8("\"İlk işaret (%)\";\"50,0\";\"50,0\";\"\"")));
    EXPECT_TRUE(lines.contains(utf8("\"Getiri (%)\";\"220,0\";\"220,0\";\"\"")));
    in<QComboBox>(window, "CsvFormBox")->setCurrentIndex(1);
    lines = exported();
    EXPECT_EQ(lines[4], utf8("\"Tahmin edilen (%)\",\"28.6\",\"33.3\",\"0.0\""));
    EXPECT_TRUE(lines.contains(utf8("\"Kâr (birim)\",\"2.20\",\"2.20\",\"0.00\"")));
}

TEST_F(TrackRecordWindowTest, ACancelledWalkKeepsTheFiguresShownAndWithoutThemShowsNothing) {
    openForLeague();
    ASSERT_GT(grid()->rowCount(), 0);
    const int rows = grid()->rowCount();
    const int columns = grid()->columnCount();
    const QString first = cells("İlk işaret").join(u'|');
    const QString shown = status();
    // The progress dialog's cancel button, pressed as soon as the walk lets events through.
    const auto cancelSoon = [this] {
        QTimer::singleShot(0, window, [this] {
            if (auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("TrackRecordProgress")))
                progress->cancel();
        });
    };
    cancelSoon();
    QTest::mouseClick(in<QPushButton>(window, "WalkButton"), Qt::LeftButton);

    // A second walk given up: the first one's figures, charts and export stay.
    EXPECT_EQ(status(), utf8("Hesaplama iptal edildi; önceki sonuç duruyor. ") + shown);
    EXPECT_EQ(grid()->rowCount(), rows);
    EXPECT_EQ(grid()->columnCount(), columns);
    EXPECT_EQ(cells("İlk işaret").join(u'|'), first);
    EXPECT_FALSE(chart("HitRateChart")->series().isEmpty());
    EXPECT_TRUE(in<QPushButton>(window, "ExportButton")->isEnabled());
    // The two seasons, short enough for the axis.
    auto* seasons = qobject_cast<QCategoryAxis*>(chart("HitRateChart")->axes(Qt::Horizontal).value(0));
    ASSERT_NE(seasons, nullptr);
    EXPECT_EQ(seasons->categoriesLabels(), (QStringList{QStringLiteral("09-10"), QStringLiteral("10-11")}));

    // With nothing shown before, a walk given up shows nothing.
    auto* leagues = in<QComboBox>(window, "LeagueBox");
    leagues->setCurrentIndex(leagues->findText(QStringLiteral("1. Lig")));
    emit leagues->activated(leagues->currentIndex());
    ASSERT_EQ(grid()->rowCount(), 0); // choosing another league cleared the figures
    leagues->setCurrentIndex(leagues->findText(kLeague));
    emit leagues->activated(leagues->currentIndex());
    ASSERT_EQ(grid()->rowCount(), 0);
    cancelSoon();
    QTest::mouseClick(in<QPushButton>(window, "WalkButton"), Qt::LeftButton);
    EXPECT_EQ(status(), utf8("Hesaplama iptal edildi: gösterilecek bir sonuç yok."));
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(grid()->columnCount(), 0);
    EXPECT_TRUE(chart("HitRateChart")->series().isEmpty());
    EXPECT_TRUE(chart("ProfitChart")->series().isEmpty());
    EXPECT_FALSE(in<QPushButton>(window, "ExportButton")->isEnabled());
    EXPECT_TRUE(in<QComboBox>(window, "LeagueBox")->isEnabled());
    EXPECT_TRUE(run.dialogs.asked.empty());
}

TEST_F(TrackRecordWindowTest, WithoutALeagueTheWindowListsTheLeaguesAndEnterWalks) {
    main->findChild<QAction*>(QStringLiteral("TrackRecordAction"))->trigger();
    ASSERT_TRUE(window->isVisible());
    auto* leagues = in<QComboBox>(window, "LeagueBox");
    QStringList items;
    for (int i = 0; i < leagues->count(); ++i)
        items << leagues->itemText(i);
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("1. Lig"), utf8("Çukurova"), QStringLiteral("Ege Ligi"), kLeague}));
    EXPECT_EQ(leagues->currentIndex(), -1);
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_FALSE(in<QPushButton>(window, "ExportButton")->isEnabled());

    // Enter with nothing chosen warns; with a league chosen it walks.
    QTest::keyClick(leagues, Qt::Key_Return);
    EXPECT_EQ(run.dialogs.warnings(), QStringList{utf8("Öncelikle Lig Seçimini Yapmalısınız  ... ")});
    leagues->setCurrentIndex(leagues->findText(kLeague));
    QTest::keyClick(leagues, Qt::Key_Return);
    EXPECT_EQ(cells("İlk işaret").value(0), QStringLiteral("1 / 2  (%50,0)"));

    // A league without matches walks to nothing, and choosing another league clears the figures.
    leagues->setCurrentIndex(leagues->findText(utf8("Çukurova")));
    emit leagues->activated(leagues->currentIndex());
    EXPECT_EQ(grid()->rowCount(), 0);
    QTest::keyClick(leagues, Qt::Key_Return);
    EXPECT_EQ(
        status(),
        utf8("Çukurova: 0 maç, 0 tahmin, 0 sezon. Ayarlar: ilk maç - son maç, ξ 0,0019, değer eşiği %5,0."));
    EXPECT_EQ(columnTitles(), QStringList{utf8("Tümü")});
    EXPECT_EQ(cells("İlk işaret"), QStringList{QStringLiteral("0 / 0")});

    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace vezal
