#include "windows/MainWindow.h"

#include "prediction/Coupon.h"

#include "prediction/Panel.h"
#include "windows/DateBox.h"
#include "windows/GridModel.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <optional>

// The comparison panel: choosing the two teams, "Tahmin", and the report and coupon it feeds.
namespace vezal {

namespace {

LeagueTableRow tableRow(const GridModel& model, int row) {
    const auto value = [&](const char* field) {
        return model.rawValue(row, QString::fromLatin1(field));
    };
    return {value("Toplam"), value("oy"), value("Gol"), value("ygol")};
}

// The grid's current row, highlighted and in sight.
void makeCurrent(QTableView* grid, int row) {
    const QModelIndex index = grid->model()->index(row, 0);
    grid->setCurrentIndex(index);
    grid->scrollTo(index);
}

// The team's row of a league table, made current in its grid; none when the table does not hold it.
// The figures come from the whole league's table (the prediction's own sums); the grid marks the team
// in the table it shows, which a season filter may have left it out of.
std::optional<LeagueTableRow> pickRow(GridModel& query, QTableView* grid, const QString& field,
                                      const QString& team) {
    const auto found = query.findRow(field, team);
    if (!found)
        return std::nullopt;
    auto* shown = static_cast<GridModel*>(grid->model());
    if (shown == &query)
        makeCurrent(grid, *found);
    else if (const auto shownRow = shown->findRow(field, team))
        makeCurrent(grid, *shownRow);
    else
        grid->setCurrentIndex(QModelIndex());
    return tableRow(query, *found);
}

// The team of a clicked table row becomes the chooser's choice, without the chooser's own signal.
bool chooseClickedTeam(QTableView* grid, GridModel& query, const QString& field, QComboBox* chooser) {
    const int row = grid->currentIndex().row();
    if (query.rowCount() == 0 || row < 0)
        return false;
    const QString team = query.rawValue(row, field).toString();
    const QSignalBlocker quiet(chooser);
    chooser->setCurrentIndex(chooser->findText(team));
    return true;
}

Chooser chooserOf(const QComboBox* box) {
    return {box->currentText(), box->currentIndex() >= 0};
}

void setIfChanged(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

} // namespace

void MainWindow::connectPanel() {
    Dialogs& dialogs = program_.dialogs;
    guardedConnect(homeTeamBox, &QComboBox::activated, this, dialogs, [this](int) { onHomeTeamChosen(); });
    guardedConnect(awayTeamBox, &QComboBox::activated, this, dialogs, [this](int) { onAwayTeamChosen(); });
    // Odds belong to one pairing: another team, by hand or by a new league, empties them.
    for (QComboBox* team : {homeTeamBox, awayTeamBox})
        connect(team, &QComboBox::currentTextChanged, this, [this] { clearOdds(); });
    guardedConnect(homeTableGrid, &QTableView::clicked, this, dialogs,
                   [this](const QModelIndex&) { onHomeTableClicked(); });
    guardedConnect(awayTableGrid, &QTableView::clicked, this, dialogs,
                   [this](const QModelIndex&) { onAwayTableClicked(); });
    guardedConnect(predictButton, &QPushButton::clicked, this, dialogs, [this](bool) { onPredict(); });
    guardedConnect(commentaryButton, &QPushButton::clicked, this, dialogs, [this](bool) { onCommentary(); });
    guardedConnect(couponButton, &QPushButton::clicked, this, dialogs, [this](bool) { onCoupon(); });

    // Choose, Enter, choose, Enter, Enter: a prediction from the keyboard.
    KeyRule::enterFocuses(homeTeamBox, awayTeamBox);
    KeyRule::enterFocuses(awayTeamBox, predictButton);
    for (QPushButton* button : {predictButton, commentaryButton, couponButton})
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
}

ComparisonPanel MainWindow::readPanel() const {
    ComparisonPanel panel;
    panel.homeTeam = chooserOf(homeTeamBox);
    panel.awayTeam = chooserOf(awayTeamBox);
    panel.matchNumber = matchNumberBox->text();
    for (auto [boxes, figures] : {std::pair{&homeBoxes, &panel.home}, {&awayBoxes, &panel.away}})
        *figures = {boxes->points->text(), boxes->games->text(), boxes->goalsFor->text(),
                    boxes->goalsAgainst->text()};
    panel.firstSign = firstSignBox->text();
    panel.secondSign = secondSignBox->text();
    panel.thirdSign = thirdSignBox->text();
    panel.underOver = underOverBox->text();
    panel.score = {scoreBoxes.home->text(), scoreBoxes.away->text()};
    for (std::size_t i = 0; i < alternativeBoxes.size(); ++i)
        panel.alternatives[i] = {alternativeBoxes[i].home->text(), alternativeBoxes[i].away->text()};
    panel.goalsBand = goalsBandBox->text();
    return panel;
}

void MainWindow::writePanel(const ComparisonPanel& panel) {
    setIfChanged(matchNumberBox, panel.matchNumber);
    for (auto [boxes, figures] : {std::pair{&homeBoxes, &panel.home}, {&awayBoxes, &panel.away}}) {
        setIfChanged(boxes->points, figures->points);
        setIfChanged(boxes->games, figures->games);
        setIfChanged(boxes->goalsFor, figures->goalsFor);
        setIfChanged(boxes->goalsAgainst, figures->goalsAgainst);
    }
    setIfChanged(firstSignBox, panel.firstSign);
    setIfChanged(secondSignBox, panel.secondSign);
    setIfChanged(thirdSignBox, panel.thirdSign);
    setIfChanged(underOverBox, panel.underOver);
    setIfChanged(scoreBoxes.home, panel.score.home);
    setIfChanged(scoreBoxes.away, panel.score.away);
    for (std::size_t i = 0; i < alternativeBoxes.size(); ++i) {
        setIfChanged(alternativeBoxes[i].home, panel.alternatives[i].home);
        setIfChanged(alternativeBoxes[i].away, panel.alternatives[i].away);
    }
    setIfChanged(goalsBandBox, panel.goalsBand);
}

void MainWindow::clearPanel() {
    writePanel(ComparisonPanel{});
    clearProbabilities();
}

void MainWindow::onHomeTeamChosen() {
    ComparisonPanel panel = readPanel();
    clearProbabilities();
    showHomeTeam(panel,
                 pickRow(*homeTableQuery, homeTableGrid, QStringLiteral("Etkm"), homeTeamBox->currentText()));
    writePanel(panel);
}

void MainWindow::onAwayTeamChosen() {
    ComparisonPanel panel = readPanel();
    clearProbabilities();
    showAwayTeam(panel,
                 pickRow(*awayTableQuery, awayTableGrid, QStringLiteral("Mtkm"), awayTeamBox->currentText()));
    writePanel(panel);
}

void MainWindow::onHomeTableClicked() {
    if (chooseClickedTeam(homeTableGrid, shownTable(homeTableGrid), QStringLiteral("Etkm"), homeTeamBox))
        onHomeTeamChosen();
}

void MainWindow::onAwayTableClicked() {
    if (chooseClickedTeam(awayTableGrid, shownTable(awayTableGrid), QStringLiteral("Mtkm"), awayTeamBox))
        onAwayTeamChosen();
}

void MainWindow::onPredict() {
    if (program_.refusesAdvice(this))
        return;
    ComparisonPanel panel = readPanel();
    const QString home = panel.homeTeam.text;
    const QString away = panel.awayTeam.text;
    TahminOutcome outcome;
    try {
        outcome = pressTahmin(
            panel, totalGoals_, [this, &home] { return program_.table().homeOpponentStrength(home); },
            [this, &away] { return program_.table().awayOpponentStrength(away); });
    } catch (...) {
        writePanel(panel); // what was written before the failing lookup stays
        throw;
    }
    writePanel(panel);
    if (outcome.refusal) {
        clearProbabilities();
        program_.dialogs.warn(this, *outcome.refusal);
        return;
    }
    showProbabilities(home, away);
    QStringList commentary = outcome.commentary;
    if (const QString line = probabilityLine(); !line.isEmpty())
        commentary.insert(commentary.size() - 1, line); // before the block's closing rule
    addToReport(commentary);
    addToCoupon(outcome.couponLine);
}

void MainWindow::addToReport(const QStringList& lines) {
    program_.navigation().addToReport(lines);
}

void MainWindow::addToCoupon(const QString& line) {
    // The pairing is of the league on view, predicted for the panel's day.
    program_.navigation().addToCoupon(line, {loadedLeague(), predictionDayBox->date()});
}

void MainWindow::onCommentary() {
    onReports();
}

void MainWindow::onCoupon() {
    program_.navigation().showCoupon();
}

} // namespace vezal
