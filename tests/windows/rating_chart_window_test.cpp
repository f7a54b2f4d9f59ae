// A team's rating chart, opened by double-clicking the team in the main window's tables, on rows whose
// rating transfers are chosen by hand.
#include "support/TestProgram.h"

#include "store/MatchTable.h"
#include "windows/MainWindow.h"
#include "windows/ProgramWindows.h"
#include "windows/RatingChartWindow.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::codePage1254;
using testing::TestProgram;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

const QString kSuper = utf8("Süper Lig");
const QString kFirst = QStringLiteral("1. Lig");

qreal at(int year, int month, int day) {
    return qreal(QDate(year, month, day).startOfDay().toMSecsSinceEpoch());
}

class RatingChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(kSuper + QStringLiteral("\r\n") + kFirst + QStringLiteral("\r\n")));
        run.start();
        // Seeds split 51 / 49: Kartal 7 -> 3.57 / 3.43 here and 4 -> 2.04 / 1.96 in 1. Lig, so 5.61 at home
        // and 5.39 away in all; Bolu 5 -> 2.55 / 2.45; Sivas 3, never playing.
        MatchTable& table = run.program.table();
        table.appendSeedRow(kSuper, QStringLiteral("Kartal"), 7);
        table.appendSeedRow(kSuper, QStringLiteral("Bolu"), 5);
        table.appendSeedRow(kSuper, QStringLiteral("Sivas"), 3);
        table.appendSeedRow(kFirst, QStringLiteral("Kartal"), 4);
        table.appendSeedRow(kFirst, utf8("Çorum"), 4);
        const auto play = [&](const QString& league, const QDate& day, const char* home, const char* away,
                              double etp, double mtp) {
            table.appendMatchRow(league, day, utf8(home), utf8(away), 1, 0, {etp, mtp, 0, 0});
        };
        play(kSuper, {2009, 8, 15}, "Kartal", "Bolu", 0.5, -0.5);   // Kartal 6.11 home, Bolu 1.95 away
        play(kFirst, {2009, 8, 22}, "Çorum", "Kartal", -0.3, 0.3);  // Kartal 5.69 away
        play(kSuper, {2009, 8, 29}, "Bolu", "Kartal", 0.25, -0.25); // Bolu 2.80 home, Kartal 5.44 away

        main = run.windows().main();
        main->show();
        auto* selector = main->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        const int index = selector->findText(kSuper);
        ASSERT_GE(index, 0);
        selector->setCurrentIndex(index);
        emit selector->activated(index);
    }

    // Double-clicks the row of a team in one of the main window's tables.
    void doubleClick(const char* gridName, const QString& team) {
        auto* grid = run.find<QTableView>(main, QString::fromLatin1(gridName));
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            const QModelIndex index = grid->model()->index(row, 0);
            if (index.data().toString() != team)
                continue;
            // As the platform delivers it: the second press comes as the double click.
            const QPoint centre = grid->visualRect(index).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre);
            return;
        }
        ADD_FAILURE() << "no row " << team.toStdString() << " in " << gridName;
    }
    RatingChartWindow* window() const { return run.windows().ratingChart(); }
    QChart* chart() const { return run.find<QChartView>(window(), QStringLiteral("RatingChart"))->chart(); }
    static QList<QPointF> pointsOf(QAbstractSeries* series) {
        return static_cast<QXYSeries*>(series)->points();
    }
    static void expectPoints(QAbstractSeries* series, const QList<QPointF>& expected) {
        const QList<QPointF> points = pointsOf(series);
        ASSERT_EQ(points.size(), expected.size()) << series->name().toStdString();
        for (qsizetype i = 0; i < points.size(); ++i) {
            EXPECT_EQ(points[i].x(), expected[i].x()) << i;
            EXPECT_NEAR(points[i].y(), expected[i].y(), 1e-12) << i;
        }
    }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(RatingChartWindowTest, ATeamOfTheHomeTableChartsItsRatingsOverEveryLeague) {
    doubleClick("DBGrid1", QStringLiteral("Kartal"));
    ASSERT_TRUE(window()->isVisible());
    EXPECT_EQ(chart()->title(), QStringLiteral("Kartal"));
    const QList<QAbstractSeries*> lines = chart()->series();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0]->name(), utf8("İç saha puanı"));
    EXPECT_EQ(lines[1]->name(), utf8("Dış saha puanı"));
    // The 1. Lig game on the 22nd moves its away points too.
    expectPoints(lines[0], {{at(2009, 8, 15), 6.11}, {at(2009, 8, 22), 6.11}, {at(2009, 8, 29), 6.11}});
    expectPoints(lines[1], {{at(2009, 8, 15), 5.39}, {at(2009, 8, 22), 5.69}, {at(2009, 8, 29), 5.44}});

    QStringList titles;
    for (QAbstractAxis* axis : chart()->axes())
        titles << axis->titleText();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Tarih"), QStringLiteral("Puan")}));
    const auto days = chart()->axes(Qt::Horizontal);
    ASSERT_EQ(days.size(), 1);
    EXPECT_EQ(static_cast<QDateTimeAxis*>(days[0])->format(), QStringLiteral("dd.MM.yyyy"));
}

TEST_F(RatingChartWindowTest, TheAwayTableAndATeamWithoutMatches) {
    // Bolu: 2.55 / 2.45, -0.5 away on the 15th, +0.25 at home on the 29th.
    doubleClick("DBGrid2", QStringLiteral("Bolu"));
    ASSERT_TRUE(window()->isVisible());
    EXPECT_EQ(chart()->title(), QStringLiteral("Bolu"));
    ASSERT_EQ(chart()->series().size(), 2);
    expectPoints(chart()->series()[0], {{at(2009, 8, 15), 2.55}, {at(2009, 8, 29), 2.80}});
    expectPoints(chart()->series()[1], {{at(2009, 8, 15), 1.95}, {at(2009, 8, 29), 1.95}});

    // The same window, drawn again for a team that has only its seed row.
    doubleClick("DBGrid1", QStringLiteral("Sivas"));
    EXPECT_EQ(chart()->title(), QStringLiteral("Sivas"));
    ASSERT_EQ(chart()->series().size(), 2);
    EXPECT_TRUE(pointsOf(chart()->series()[0]).isEmpty());
    EXPECT_TRUE(pointsOf(chart()->series()[1]).isEmpty());
    EXPECT_EQ(run.find<QLabel>(window(), QStringLiteral("NoteLabel"))->text(),
              utf8("Sivas henüz hiç maç oynamadı."));
    EXPECT_TRUE(run.dialogs.asked.empty());
}

} // namespace
} // namespace vezal
