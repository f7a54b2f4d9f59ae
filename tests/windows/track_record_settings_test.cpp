// The Başarı window's settings (the days walked, xi, the value threshold) and its chart of the value bets'
// profit, on a generated league with odds, held against the walk the companion runs with the same options.
#include "support/TestProgram.h"

#include "evidence/ModelTuning.h"
#include "evidence/TrackRecord.h"
#include "exchange/Import.h"
#include "exchange/MatchFile.h"
#include "store/ModelChoiceTable.h"
#include "windows/ProgramWindows.h"
#include "windows/TrackRecordFigures.h"
#include "windows/TrackRecordWindow.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
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

const QString kLeague = QStringLiteral("Kuzey Ligi");
const QString kTuned = utf8("Güney Ligi"); // no matches, a kept xi of 0.0030

// Three rounds of a six-team league from 15.08.2009, three matches a week, with odds that vary from match
// to match so that the model finds value on some and not on others.
QByteArray results() {
    const char* teams[] = {"Kartal", "Bolu", "Sivas", "Yalova", "Hatay", "Rize"};
    const int goals[][2] = {{2, 1}, {0, 0}, {1, 1}, {3, 0}, {0, 2}, {1, 0}, {2, 2}, {0, 1}, {1, 3}, {2, 0}};
    const char* odds[] = {"2.10,3.30,3.60", "2.80,3.20,2.60", "1.70,3.80,5.00", "3.40,3.10,2.20",
                          "2.40,3.00,3.10", "1.95,3.50,4.10", "3.00,3.40,2.35"};
    QByteArray file = "Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\n";
    QDate day(2009, 8, 15);
    int k = 0;
    for (int round = 0; round < 3; ++round)
        for (int home = 0; home < 6; ++home)
            for (int away = 0; away < 6; ++away) {
                if (home == away)
                    continue;
                const int* score = goals[(k * 7 + home + round) % 10];
                file += QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                            .arg(day.toString(QStringLiteral("dd/MM/yyyy")), QString::fromLatin1(teams[home]),
                                 QString::fromLatin1(teams[away]))
                            .arg(score[0])
                            .arg(score[1])
                            .arg(QString::fromLatin1(odds[(k * 3 + away) % 7]))
                            .toUtf8();
                if (++k % 3 == 0)
                    day = day.addDays(7);
            }
    return file;
}

// The model's figures and the counts as the window's table shows them, "Tümü" column only.
QStringList overallColumn(const TrackRecord& record) {
    QStringList texts;
    for (const FigureRow& row : figureRows())
        texts << row.cell(record.overall);
    return texts;
}

class TrackRecordSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(codePage1254(kLeague + QStringLiteral("\r\n") + kTuned + QStringLiteral("\r\n")));
        run.start();
        const MatchFileReading reading = readMatchFile(results(), MatchFileKind::Results, QDate(2026, 1, 1));
        ASSERT_TRUE(reading.rejected.empty());
        importResults(run.program.database(), run.program.table(), kLeague, reading.rows, {});
        ModelChoiceTable(run.program.database()).put(kTuned, {0.0030, 1});
        window = run.windows().trackRecord();
        window->open(kLeague);
    }

    template <typename T> T* in(const char* name) const {
        return run.find<T>(window, QString::fromLatin1(name));
    }
    QString status() const { return in<QLabel>("StatusLabel")->text(); }
    QStringList shownColumn() const {
        auto* grid = in<QTableWidget>("FiguresGrid");
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row)
            texts << (grid->item(row, 0) ? grid->item(row, 0)->text() : QStringLiteral("?"));
        return texts;
    }
    QList<QPointF> valueProfitPoints() const {
        const QList<QAbstractSeries*> series = in<QChartView>("ValueProfitChart")->chart()->series();
        return series.size() == 1 ? static_cast<QXYSeries*>(series[0])->points() : QList<QPointF>{};
    }
    void walk() { QTest::mouseClick(in<QPushButton>("WalkButton"), Qt::LeftButton); }
    void typeInto(QAbstractSpinBox* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
        box->interpretText();
    }
    std::optional<TrackRecord> companion(const QDate& from, const QDate& to, double xi, double threshold) {
        ModelWalk modelWalk;
        modelWalk.fit = leagueFitOptions(run.program.database(), kLeague);
        modelWalk.fit.xi = xi;
        modelWalk.valueThreshold = threshold;
        return trackRecord(run.program.database(), kLeague, from, to, {}, modelWalk);
    }

    TestProgram run;
    TrackRecordWindow* window = nullptr;
};

TEST_F(TrackRecordSettingsTest, TheSettingsReachTheWalkAndEachOfThemCounts) {
    const QDate from(2009, 10, 1);
    const QDate to(2010, 1, 31);
    // Opened on the league: every day, its own xi (never tuned: 0.0019), 5 %.
    EXPECT_FALSE(in<QCheckBox>("FromCheck")->isChecked());
    EXPECT_FALSE(in<QCheckBox>("ToCheck")->isChecked());
    EXPECT_EQ(in<QDoubleSpinBox>("XiBox")->value(), 0.0019);
    EXPECT_EQ(in<QDoubleSpinBox>("ValueThresholdBox")->value(), 5.0);
    const std::optional<TrackRecord> opened = companion({}, {}, 0.0019, 0.05);
    ASSERT_TRUE(opened);
    EXPECT_EQ(shownColumn(), overallColumn(*opened));
    EXPECT_TRUE(status().endsWith(utf8("Ayarlar: ilk maç - son maç, ξ 0,0019, değer eşiği %5,0.")))
        << status().toStdString();

    // A day set in a box closes that end; xi and the threshold typed with a decimal comma.
    in<QDateEdit>("FromBox")->setDate(from);
    in<QDateEdit>("ToBox")->setDate(to);
    EXPECT_TRUE(in<QCheckBox>("FromCheck")->isChecked());
    EXPECT_TRUE(in<QCheckBox>("ToCheck")->isChecked());
    typeInto(in<QDoubleSpinBox>("XiBox"), QStringLiteral("0,004"));
    typeInto(in<QDoubleSpinBox>("ValueThresholdBox"), QStringLiteral("12,5"));
    // Enter in a setting walks, as "Hesapla" does.
    QTest::keyClick(in<QDoubleSpinBox>("ValueThresholdBox"), Qt::Key_Return);
    EXPECT_TRUE(run.dialogs.asked.empty());
    const std::optional<TrackRecord> chosen = companion(from, to, 0.004, 0.125);
    ASSERT_TRUE(chosen);
    ASSERT_GT(chosen->overall.model.valueBets, 0);
    EXPECT_EQ(shownColumn(), overallColumn(*chosen));
    EXPECT_EQ(status(), kLeague + utf8(": %1 maç, %2 tahmin, 1 sezon. Ayarlar: 01.10.2009 - 31.01.2010, "
                                       "ξ 0,0040, değer eşiği %12,5.")
                                      .arg(chosen->overall.matches)
                                      .arg(chosen->overall.predicted()));
    // Each setting left at its default gives other figures: none of them is lost on the way to the walk.
    const struct {
        const char* left;
        std::optional<TrackRecord> record;
    } others[] = {
        {"the days", companion({}, {}, 0.004, 0.125)},
        {"xi", companion(from, to, 0.0019, 0.125)},
        {"the threshold", companion(from, to, 0.004, 0.05)},
    };
    for (const auto& other : others) {
        ASSERT_TRUE(other.record) << other.left;
        EXPECT_NE(overallColumn(*other.record), overallColumn(*chosen)) << other.left;
    }

    // Unchecked again, the days are open: the figures of every day with the same xi and threshold.
    in<QCheckBox>("FromCheck")->setChecked(false);
    in<QCheckBox>("ToCheck")->setChecked(false);
    walk();
    EXPECT_EQ(shownColumn(), overallColumn(*others[0].record));
}

TEST_F(TrackRecordSettingsTest, TheValueProfitChartAddsUpTheValueBetsMatchByMatch) {
    const std::optional<TrackRecord> record = companion({}, {}, 0.0019, 0.05);
    ASSERT_TRUE(record);
    const ModelFigures& model = record->overall.model;
    ASSERT_GT(model.valueBets, 1);
    // A second count: the matches the model staked on, whatever the number of signs.
    int staked = 0;
    for (const TrackedMatch& match : record->matches)
        staked += match.modelVerdicts && match.modelVerdicts->againstOdds &&
                  !match.modelVerdicts->againstOdds->valueSigns.isEmpty();
    const QList<QPointF> points = valueProfitPoints();
    ASSERT_EQ(points.size(), staked);
    for (int i = 0; i < points.size(); ++i)
        EXPECT_EQ(points[i].x(), i + 1);
    EXPECT_NEAR(points.back().y(), model.valueProfit, 1e-9);
    QChart* chart = in<QChartView>("ValueProfitChart")->chart();
    EXPECT_EQ(chart->title(), utf8("Değerli bahislerin birikimli kârı (birim)"));

    // Four charts two by two, each wider than its minimum at the window's own size.
    window->resize(window->size());
    QTest::qWait(0);
    const char* grid[2][2] = {{"HitRateChart", "CalibrationChart"}, {"ProfitChart", "ValueProfitChart"}};
    for (int row = 0; row < 2; ++row) {
        auto* left = in<QChartView>(grid[row][0]);
        auto* right = in<QChartView>(grid[row][1]);
        EXPECT_EQ(left->y(), right->y()) << grid[row][0];
        EXPECT_LT(left->x() + left->width(), right->x()) << grid[row][0];
        EXPECT_GE(left->width(), 360);
        EXPECT_GE(right->width(), 360);
    }
    EXPECT_LT(in<QChartView>("HitRateChart")->y() + in<QChartView>("HitRateChart")->height(),
              in<QChartView>("ProfitChart")->y());
    // All of it on a 1024 x 768 screen, the table scrolling.
    EXPECT_LE(window->minimumSizeHint().width(), 1024);
    EXPECT_LE(window->minimumSizeHint().height(), 740);
}

TEST_F(TrackRecordSettingsTest, AFromDayAfterTheToDayIsRefusedAndTheFiguresStay) {
    const QStringList shown = shownColumn();
    const QString said = status();
    const QList<QPointF> points = valueProfitPoints();
    ASSERT_FALSE(points.isEmpty());
    in<QDateEdit>("FromBox")->setDate({2010, 2, 1});
    in<QDateEdit>("ToBox")->setDate({2010, 1, 31});
    walk();
    EXPECT_EQ(run.dialogs.warnings(),
              QStringList{utf8("Başlangıç tarihi Bitiş tarihinden sonra olamaz  ... ")});
    EXPECT_EQ(shownColumn(), shown);
    EXPECT_EQ(status(), said);
    EXPECT_EQ(valueProfitPoints(), points);
    EXPECT_TRUE(in<QPushButton>("ExportButton")->isEnabled());

    // The same day at both ends is one day walked, not refused.
    run.dialogs.clear();
    in<QDateEdit>("FromBox")->setDate({2010, 1, 31});
    walk();
    EXPECT_TRUE(run.dialogs.asked.empty());
    EXPECT_TRUE(status().contains(QStringLiteral("Ayarlar: 31.01.2010 - 31.01.2010")))
        << status().toStdString();
}

// Another league brings its own xi and all its days; the threshold stays the user's.
TEST_F(TrackRecordSettingsTest, ChoosingALeagueBringsItsOwnXiAndOpensItsDays) {
    in<QDateEdit>("FromBox")->setDate({2009, 10, 1});
    in<QDoubleSpinBox>("ValueThresholdBox")->setValue(8);
    auto* leagues = in<QComboBox>("LeagueBox");
    const struct {
        QString league;
        double xi;
    } choices[] = {{kTuned, 0.0030}, {kLeague, 0.0019}};
    for (const auto& choice : choices) {
        leagues->setCurrentIndex(leagues->findText(choice.league));
        emit leagues->activated(leagues->currentIndex());
        EXPECT_EQ(in<QDoubleSpinBox>("XiBox")->value(), choice.xi) << choice.league.toStdString();
        EXPECT_FALSE(in<QCheckBox>("FromCheck")->isChecked());
        EXPECT_EQ(in<QDoubleSpinBox>("ValueThresholdBox")->value(), 8.0);
    }
    // The league's own days wait in the boxes: its first and last match day.
    EXPECT_EQ(in<QDateEdit>("FromBox")->date(), QDate(2009, 8, 15));
    EXPECT_EQ(in<QDateEdit>("ToBox")->date(), QDate(2010, 3, 6));
}

} // namespace
} // namespace vezal
