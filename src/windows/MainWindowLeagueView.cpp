#include "windows/MainWindow.h"

#include "common/Names.h"
#include "windows/GridModel.h"
#include "windows/GuardedConnect.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

// The league view: both tables of the chosen league, its match history and the team lists.
namespace vezal {

namespace {

// Adds each name of the team field that the list does not hold yet, in any spelling of case.
void collectTeams(GridModel& model, const QString& field, QStringList& teams) {
    model.fetchAll();
    for (int row = 0; row < model.rowCount(); ++row)
        addOnceNoCase(teams, model.rawValue(row, field).toString());
}

void replaceItems(QComboBox* list, const QStringList& items) {
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

} // namespace

void MainWindow::connectLeagueView() {
    Dialogs& dialogs = program_.dialogs;
    // A user's choice only: the program's own changes of these lists run nothing.
    guardedConnect(leagueBox, &QComboBox::activated, this, dialogs, [this](int) { onLeagueChosen(); });
    guardedConnect(teamFilterBox, &QComboBox::activated, this, dialogs,
                   [this](int) { onTeamFilterChosen(); });
    guardedConnect(teamMatchesButton, &QPushButton::clicked, this, dialogs,
                   [this](bool) { onTeamMatches(); });
    guardedConnect(teamHomeMatchesButton, &QPushButton::clicked, this, dialogs,
                   [this](bool) { onTeamHomeMatches(); });
    guardedConnect(teamAwayMatchesButton, &QPushButton::clicked, this, dialogs,
                   [this](bool) { onTeamAwayMatches(); });
    guardedConnect(leagueMatchesButton, &QPushButton::clicked, this, dialogs,
                   [this](bool) { onLeagueMatches(); });
    guardedConnect(trackRecordButton, &QPushButton::clicked, this, dialogs,
                   [this](bool) { onTrackRecord(); });
    guardedConnect(bulletinButton, &QPushButton::clicked, this, dialogs, [this](bool) { onBulletin(); });
    // A team of either table: its points over time.
    for (auto [grid, query, field] : {std::tuple{homeTableGrid, homeTableQuery, "Etkm"},
                                      std::tuple{awayTableGrid, awayTableQuery, "Mtkm"}})
        guardedConnect(grid, &QTableView::doubleClicked, this, dialogs,
                       [this, query, field](const QModelIndex& index) {
                           program_.navigation().showRatingChart(
                               query->rawValue(index.row(), QString::fromLatin1(field)).toString());
                       });
}

void MainWindow::resetView() {
    for (GridModel* query : {homeTableQuery, awayTableQuery, leagueHistoryQuery, teamHistoryQuery})
        query->clear();
    {
        const QSignalBlocker quiet(leagueBox);
        leagueBox->setCurrentIndex(-1);
    }
    for (QComboBox* list : {teamFilterBox, homeTeamBox, awayTeamBox}) {
        const QSignalBlocker quiet(list);
        list->clear();
    }
    clearPanel();
    loadedLeagueBox->setText(leagueBox->currentText());
}

void MainWindow::onLeagueChosen() {
    const QString league = leagueBox->currentText();
    if (league != loadedLeague()) {
        clearPanel();
        try {
            teamHistoryQuery->clear();
            MatchTable& table = program_.table();
            homeTableQuery->setQuery(table.homeTable(league));
            homeTableQuery->applyTo(homeTableGrid);
            awayTableQuery->setQuery(table.awayTable(league));
            awayTableQuery->applyTo(awayTableGrid);
            leagueHistoryQuery->setQuery(table.leagueHistory(league));
            fillTeamLists();
            showHistoryOf(leagueHistoryQuery);
        } catch (...) {
            // Half a league is no view: the grids show nothing and the loaded league stays.
            for (GridModel* query : {homeTableQuery, awayTableQuery, leagueHistoryQuery, teamHistoryQuery})
                query->clear();
            throw;
        }
        homeTeamBox->setFocus(Qt::OtherFocusReason);
    }
    loadedLeagueBox->setText(league);
}

void MainWindow::fillTeamLists() {
    QStringList teams;
    collectTeams(*homeTableQuery, QStringLiteral("Etkm"), teams);
    collectTeams(*awayTableQuery, QStringLiteral("Mtkm"), teams);
    sortNoCase(teams);
    for (QComboBox* list : {teamFilterBox, homeTeamBox, awayTeamBox})
        replaceItems(list, teams);
}

void MainWindow::showHistoryOf(GridModel* query) {
    if (historyGrid->model() != query) {
        QItemSelectionModel* previous = historyGrid->selectionModel();
        historyGrid->setModel(query);
        previous->deleteLater(); // the view leaves its old selection model behind
    }
    query->applyTo(historyGrid);
}

void MainWindow::onTeamFilterChosen() {
    showTeamHistory(HistorySide::Both);
}

void MainWindow::onTeamMatches() {
    showTeamHistory(HistorySide::Both);
}

void MainWindow::onTeamHomeMatches() {
    showTeamHistory(HistorySide::Home);
}

void MainWindow::onTeamAwayMatches() {
    showTeamHistory(HistorySide::Away);
}

void MainWindow::showTeamHistory(HistorySide side) {
    if (leagueBox->currentIndex() < 0 || teamFilterBox->currentIndex() < 0)
        return;
    teamHistoryQuery->clear();
    showHistoryOf(teamHistoryQuery);
    teamHistoryQuery->setQuery(
        program_.table().teamHistory(leagueBox->currentText(), teamFilterBox->currentText(), side));
    teamHistoryQuery->applyTo(historyGrid);
}

void MainWindow::onLeagueMatches() {
    if (leagueBox->currentIndex() < 0)
        return;
    leagueHistoryQuery->clear();
    showHistoryOf(leagueHistoryQuery);
    leagueHistoryQuery->setQuery(program_.table().leagueHistory(leagueBox->currentText()));
    leagueHistoryQuery->applyTo(historyGrid);
}

} // namespace vezal
