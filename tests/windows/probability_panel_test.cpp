// The main window's "Olasılıklar" panel on the example league: the day it predicts, the matches fitted,
// odds that refresh the value line, and a refusal that keeps to the panel.
#include "support/TestProgram.h"

#include "betting/BetLedger.h"
#include "exchange/SampleLeague.h"
#include "windows/MainWindow.h"
#include "windows/MarketsWindow.h"
#include "windows/PlaceBetDialog.h"
#include "windows/ProgramWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::TestProgram;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// "%60,9" or "-%12,4" as a number of percent.
double percentValue(QString text) {
    const bool below = text.startsWith(u'-');
    text.remove(u'-').remove(u'%').replace(u',', u'.');
    return below ? -text.toDouble() : text.toDouble();
}

class ProbabilityPanel : public ::testing::Test {
protected:
    void SetUp() override {
        run.writeLeagueFile(QByteArray());
        run.start();
        main = run.windows().main();
        main->resize(1008, 760);
        main->show();
        ASSERT_FALSE(loadSampleLeague(run.program.database(), run.program.table()).refusal.has_value());
        main->showLeague(utf8("Örnek Lig"));
        ASSERT_EQ(main->loadedLeague(), utf8("Örnek Lig"));
    }
    template <typename T> T* in(const char* name) const {
        return run.find<T>(main, QString::fromLatin1(name));
    }
    QString text(const char* label) const { return in<QLabel>(label)->text(); }
    void choose(const char* box, const char* team) {
        auto* list = in<QComboBox>(box);
        list->setCurrentIndex(list->findText(utf8(team)));
        emit list->activated(list->currentIndex());
    }
    void typeOdds(const char* home, const char* draw, const char* away) {
        in<QLineEdit>("OddsHomeBox")->setText(QString::fromLatin1(home));
        in<QLineEdit>("OddsDrawBox")->setText(QString::fromLatin1(draw));
        in<QLineEdit>("OddsAwayBox")->setText(QString::fromLatin1(away));
    }
    // The three outcome percents of the panel's first line.
    std::array<double, 3> outcomes() const {
        const QRegularExpression shape(utf8("^1: (%[\\d,]+) .*0: (%[\\d,]+) .*2: (%[\\d,]+) "));
        const QRegularExpressionMatch parts = shape.match(text("OutcomeProbabilities"));
        EXPECT_TRUE(parts.hasMatch()) << text("OutcomeProbabilities").toStdString();
        return {percentValue(parts.captured(1)), percentValue(parts.captured(2)),
                percentValue(parts.captured(3))};
    }
    // The value line's three expected values, then the forecast's three percents they rest on.
    std::array<double, 3> valueLine(bool forecast) const {
        const QRegularExpression shape(utf8("^Değer: 1 (-?%[\\d,]+)   0 (-?%[\\d,]+)   2 (-?%[\\d,]+)   "
                                            "\\(tahmin 1 (%[\\d,]+)   0 (%[\\d,]+)   2 (%[\\d,]+)\\)$"));
        const QRegularExpressionMatch parts = shape.match(text("ValueLine"));
        EXPECT_TRUE(parts.hasMatch()) << text("ValueLine").toStdString();
        const int first = forecast ? 4 : 1;
        return {percentValue(parts.captured(first)), percentValue(parts.captured(first + 1)),
                percentValue(parts.captured(first + 2))};
    }
    std::array<double, 3> values() const { return valueLine(false); }
    std::array<double, 3> forecasts() const { return valueLine(true); }

    TestProgram run;
    MainWindow* main = nullptr;
};

TEST_F(ProbabilityPanel, TheFirstPressShowsTheDayTheMatchesFittedAndTheValueOfTheOddsTyped) {
    EXPECT_EQ(in<QDateEdit>("PredictionDayBox")->date(), TestProgram::kToday); // today at start
    // The second season's first day: the first season's 90 matches lie before it.
    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2010, 8, 14));
    choose("ComboBox3", "Galatasaray");
    choose("ComboBox4", "Denizlispor");
    typeOdds("1,25", "3,47", "5,10");
    EXPECT_TRUE(text("ValueLine").isEmpty()); // nothing before "Tahmin"
    QTest::mouseClick(in<QPushButton>("Button1"), Qt::LeftButton);

    EXPECT_EQ(text("FitLine"), utf8("14.08.2010 için, 90 maç"));
    // Each expected value is the forecast's probability times the odds, less the stake; the percents shown
    // are rounded to a tenth, so the value may be off by half a tenth times the odds. The forecast lies
    // between the model's and the odds' own margin-free view.
    const std::array<double, 3> model = outcomes();
    std::array<double, 3> p = forecasts();
    std::array<double, 3> ev = values();
    const double book[] = {1 / 1.25, 1 / 3.47, 1 / 5.10};
    for (int i = 0; i < 3; ++i) {
        const double market = 100 * book[i] / (book[0] + book[1] + book[2]);
        EXPECT_GE(p[std::size_t(i)], std::min(model[std::size_t(i)], market) - 0.1) << i;
        EXPECT_LE(p[std::size_t(i)], std::max(model[std::size_t(i)], market) + 0.1) << i;
    }
    const double odds[] = {1.25, 3.47, 5.10};
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(ev[std::size_t(i)], p[std::size_t(i)] * odds[i] - 100, 0.05 * odds[i] + 0.05) << i;

    // Other odds for the home win: the line follows without another press.
    in<QLineEdit>("OddsHomeBox")->setText(QStringLiteral("2,00"));
    ev = values();
    p = forecasts(); // pooled with the odds' new view
    EXPECT_NEAR(ev[0], p[0] * 2 - 100, 0.05 * 2 + 0.05);
    // Odds half cleared: the odds the table keeps for this match of the league's (1,25 / 3,47 / 5,10, from
    // its file) stand in, as without odds typed.
    in<QLineEdit>("OddsAwayBox")->clear();
    ev = values();
    p = forecasts();
    EXPECT_NEAR(ev[0], p[0] * 1.25 - 100, 0.05 * 1.25 + 0.05);
    // A day without a kept match and no odds typed: no value line, the probabilities stay.
    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2010, 8, 15));
    EXPECT_TRUE(text("ValueLine").isEmpty()) << text("ValueLine").toStdString();
    EXPECT_FALSE(text("OutcomeProbabilities").isEmpty());
}

TEST_F(ProbabilityPanel, AnotherDayRefitsAndARefusalWrapsInsideThePanel) {
    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2010, 8, 14));
    choose("ComboBox3", "Galatasaray");
    choose("ComboBox4", "Denizlispor");
    QTest::mouseClick(in<QPushButton>("Button1"), Qt::LeftButton);
    ASSERT_EQ(text("FitLine"), utf8("14.08.2010 için, 90 maç"));

    // The first season's end, 19.12.2009: all 90 of its matches but the last round's five.
    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2009, 12, 19));
    EXPECT_EQ(text("FitLine"), utf8("19.12.2009 için, 85 maç"));

    // After four rounds (22.08 to 12.09) each team has four matches: too few for the model.
    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2009, 9, 19));
    EXPECT_EQ(text("FitLine"), utf8("19.09.2009 için"));
    auto* refusal = in<QLabel>("OutcomeProbabilities");
    EXPECT_TRUE(refusal->text().contains(utf8("yalnızca 4 maç"))) << refusal->text().toStdString();
    QApplication::processEvents();
    // Wholly inside the panel and below the odds boxes, not behind them.
    QWidget* panel = in<QWidget>("ProbabilityPanel");
    const QRect shown(refusal->mapTo(panel, QPoint(0, 0)), refusal->size());
    EXPECT_TRUE(panel->rect().contains(shown)) << shown.width() << " in " << panel->width();
    const QLineEdit* odds = in<QLineEdit>("OddsAwayBox");
    EXPECT_GE(shown.top(), odds->mapTo(panel, QPoint(0, odds->height())).y());
    EXPECT_GE(refusal->heightForWidth(shown.width()), 0);
    EXPECT_LE(refusal->heightForWidth(shown.width()), shown.height()); // every wrapped line has its room
}

// The main window's room: a twenty-character name fits its table's column, and a wider window gives the
// left half (the tables and the panel) its share.
TEST_F(ProbabilityPanel, TheTablesFitLongNamesAndTheLeftHalfGrowsWithTheWindow) {
    for (const char* name : {"DBGrid1", "DBGrid2"}) {
        auto* grid = in<QTableView>(name);
        const int needed = grid->fontMetrics().horizontalAdvance(utf8("Akhisar Belediyespor"));
        EXPECT_GT(grid->columnWidth(0), needed) << name;
        // The whole row in sight without scrolling.
        int row = 0;
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            if (!grid->isColumnHidden(column))
                row += grid->columnWidth(column);
        EXPECT_LE(row, grid->viewport()->width()) << name;
    }
    QWidget* left = in<QWidget>("Panel3");
    QApplication::processEvents();
    const int before = left->width();
    main->resize(main->width() + 300, main->height());
    QApplication::processEvents();
    // Two parts of three of the 300 pixels, less what the history's least width holds back.
    EXPECT_GE(left->width(), before + 150) << before;
}

// "Bahis Yap" on the panel: one outcome at the odds typed for it, on the panel's day and pairing, the stake
// proposed from the forecast's probability by the bulletin's usual quarter Kelly of 1000, at most 20.
TEST_F(ProbabilityPanel, ABetIsPlacedOnTheOutcomeChosenAtTheOddsTyped) {
    auto* bet = in<QPushButton>("PanelBetButton");
    ASSERT_TRUE(bet);
    const auto dialog = [&] {
        return main->findChild<PlaceBetDialog*>("PlaceBetDialog");
    };
    bet->click(); // before "Tahmin": no pairing
    EXPECT_EQ(run.dialogs.warnings(),
              QStringList{utf8("Öncelikle Tahmin ile bir eşleşme seçmelisiniz  ... ")});
    EXPECT_FALSE(dialog());

    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2010, 8, 14));
    choose("ComboBox3", "Galatasaray");
    choose("ComboBox4", "Denizlispor");
    typeOdds("1,25", "", "12,00");
    QTest::mouseClick(in<QPushButton>("Button1"), Qt::LeftButton);
    // Two odds typed: the forecast pools the model with the odds the table keeps for the match.
    const std::array<double, 3> p = forecasts();

    run.dialogs.clear();
    in<QComboBox>("BetOutcomeBox")->setCurrentIndex(1); // "0", whose box is empty
    bet->click();
    EXPECT_EQ(run.dialogs.warnings(), QStringList{utf8("0 için oran girin  ... ")});
    EXPECT_FALSE(dialog());

    run.dialogs.clear();
    in<QComboBox>("BetOutcomeBox")->setCurrentIndex(2); // "2" at 12,00
    bet->click();
    PlaceBetDialog* slip = dialog();
    ASSERT_TRUE(slip);
    // From the shown percent (a tenth off at most, so the stake within about 0,15):
    // value = p * 12 - 1, stake = 0,25 * value / 11 * 1000 when value > 0,05, capped at 20.
    const double value = p[2] / 100 * 12 - 1;
    ASSERT_GT(value, 0.05) << p[2]; // a stake to propose
    const double proposed = std::min(20.0, 0.25 * value / 11 * 1000);
    auto* stake = run.find<QDoubleSpinBox>(slip, "StakeBox");
    EXPECT_NEAR(stake->value(), proposed, 0.15) << p[2];
    stake->setValue(7.5);
    run.find<QPushButton>(slip, "PlaceButton")->click();
    EXPECT_TRUE(run.dialogs.warnings().isEmpty()) << run.dialogs.warnings().join('\n').toStdString();

    const std::vector<BetRecord> bets = BetLedger(run.program.database()).bets();
    ASSERT_EQ(bets.size(), 1u);
    EXPECT_DOUBLE_EQ(bets[0].stake, 7.5);
    EXPECT_DOUBLE_EQ(bets[0].odds(), 12.00);
    ASSERT_EQ(bets[0].selections.size(), 1u);
    const Selection& s = bets[0].selections[0].selection;
    EXPECT_EQ(s.home, "Galatasaray");
    EXPECT_EQ(s.away, "Denizlispor");
    EXPECT_EQ(s.day, QDate(2010, 8, 14));
    EXPECT_EQ(model::outcomeCode(s.outcome), "2");
    // The panel's own boxes are as they were.
    EXPECT_EQ(in<QLineEdit>("OddsAwayBox")->text(), "12,00");
    EXPECT_EQ(text("FitLine"), utf8("14.08.2010 için, 90 maç"));
}

// "Piyasalar": every market of the pairing from the forecast the panel shows; typed odds give the value at
// once and stay with the pairing and its day.
TEST_F(ProbabilityPanel, TheMarketsWindowPricesEveryMarketAndValuesTheOddsTyped) {
    in<QPushButton>("PanelMarketsButton")->click(); // before "Tahmin": no pairing
    EXPECT_EQ(run.dialogs.warnings(),
              QStringList{utf8("Öncelikle Tahmin ile bir eşleşme seçmelisiniz  ... ")});
    run.dialogs.clear();

    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2010, 8, 14));
    choose("ComboBox3", "Galatasaray");
    choose("ComboBox4", "Denizlispor");
    typeOdds("1,25", "3,47", "5,10");
    QTest::mouseClick(in<QPushButton>("Button1"), Qt::LeftButton);
    const std::array<double, 3> p = forecasts();
    in<QPushButton>("PanelMarketsButton")->click();
    auto* window = main->findChild<MarketsWindow*>("MarketsWindow");
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_EQ(run.find<QLabel>(window, "MarketsPairing")->text(),
              utf8("Galatasaray - Denizlispor   14.08.2010 için"));
    auto* grid = run.find<QTableWidget>(window, "MarketsTable");
    const auto rowOf = [&](const char* code) {
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->item(row, 1)->text() == utf8(code))
                return row;
        ADD_FAILURE() << code;
        return 0;
    };
    const auto cellText = [&](const char* code, int column) {
        return grid->item(rowOf(code), column)->text();
    };
    const auto number = [](QString text) {
        return text.replace(u',', u'.').toDouble();
    };

    // The grid is the forecast's: its signs are the value line's, double chance their sums, and the result
    // market is offered at the panel's odds.
    EXPECT_NEAR(percentValue(cellText("1", 2)), p[0], 0.11);
    EXPECT_NEAR(percentValue(cellText("1X", 2)), p[0] + p[1], 0.2);
    EXPECT_NEAR(percentValue(cellText("X2", 2)), p[1] + p[2], 0.2);
    EXPECT_EQ(cellText("1", 4), "1,25");
    EXPECT_EQ(cellText("2", 4), "5,10");
    EXPECT_TRUE(cellText("UST", 4).isEmpty());
    EXPECT_NEAR(number(cellText("UST", 3)), 100 / percentValue(cellText("UST", 2)), 0.02);

    // Odds typed over a goal line: its value is the chance times the odds, less the stake.
    grid->item(rowOf("UST"), 4)->setText(QStringLiteral("1,90"));
    QCoreApplication::processEvents();
    EXPECT_EQ(cellText("UST", 4), "1,90");
    EXPECT_NEAR(percentValue(cellText("UST", 5)), percentValue(cellText("UST", 2)) * 1.9 - 100, 0.1);
    // A text that is no odds is refused and the price stays.
    grid->item(rowOf("UST"), 4)->setText(QStringLiteral("1,9x"));
    QCoreApplication::processEvents();
    EXPECT_EQ(run.dialogs.warnings(),
              QStringList{utf8("Oran 1'den büyük ve en fazla 1000 olan bir ondalık sayı olmalı (1,44 ya da "
                               "1.44): 1,9x")});
    EXPECT_EQ(cellText("UST", 4), "1,90");
    run.dialogs.clear();

    // Another day is another forecast without the typed price; back on the day, the price is there.
    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2010, 8, 21));
    EXPECT_TRUE(cellText("UST", 4).isEmpty());
    in<QDateEdit>("PredictionDayBox")->setDate(QDate(2010, 8, 14));
    EXPECT_EQ(cellText("UST", 4), "1,90");
    // One market at a time.
    auto* filter = run.find<QComboBox>(window, "MarketsFilter");
    filter->setCurrentIndex(filter->findText(utf8("Asya handikabı")));
    ASSERT_GT(grid->rowCount(), 0);
    for (int row = 0; row < grid->rowCount(); ++row)
        EXPECT_TRUE(grid->item(row, 1)->text().startsWith(QStringLiteral("AH"))) << row;
    filter->setCurrentIndex(0);

    // A bet on the chosen row at its odds, in a market beyond the panel's three signs.
    grid->item(rowOf("AH1-0.75"), 4)->setText(QStringLiteral("2,40"));
    QCoreApplication::processEvents();
    grid->selectRow(rowOf("AH1-0.75"));
    run.find<QPushButton>(window, "MarketsBetButton")->click();
    auto* slip = window->findChild<PlaceBetDialog*>("PlaceBetDialog");
    ASSERT_TRUE(slip);
    run.find<QDoubleSpinBox>(slip, "StakeBox")->setValue(5);
    run.find<QPushButton>(slip, "PlaceButton")->click();
    EXPECT_TRUE(run.dialogs.warnings().isEmpty()) << run.dialogs.warnings().join('\n').toStdString();
    const std::vector<BetRecord> bets = BetLedger(run.program.database()).bets();
    ASSERT_EQ(bets.size(), 1u);
    EXPECT_DOUBLE_EQ(bets[0].odds(), 2.40);
    EXPECT_EQ(model::outcomeCode(bets[0].selections[0].selection.outcome), "AH1-0.75");
    EXPECT_EQ(bets[0].selections[0].selection.day, QDate(2010, 8, 14));
}

} // namespace
} // namespace vezal
