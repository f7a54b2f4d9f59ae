#include "windows/MainWindow.h"

#include "common/Names.h"
#include "evidence/Seasons.h"
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
    guardedConnect(seasonBox, &QComboBox::activated, this, dialogs, [this](int) { onSeasonChosen(); });
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
    for (auto [grid, field] : {std::pair{homeTableGrid, "Etkm"}, std::pair{awayTableGrid, "Mtkm"}})
        guardedConnect(grid, &QTableView::doubleClicked, this, dialogs,
                       [this, grid, field](const QModelIndex& index) {
                           program_.navigation().showRatingChart(
                               shownTable(grid).rawValue(index.row(), QString::fromLatin1(field)).toString());
                       });
}

void MainWindow::resetView() {
    for (GridModel* query : {homeTableQuery, awayTableQuery, leagueHistoryQuery, teamHistoryQuery})
        query->clear();
    fillSeasons(QString());
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
            fillSeasons(league);
            showHistoryOf(leagueHistoryQuery);
        } catch (...) {
            // Half a league is no view: the grids show nothing and the loaded league stays.
            for (GridModel* query : {homeTableQuery, awayTableQuery, leagueHistoryQuery, teamHistoryQuery})
                query->clear();
            fillSeasons(QString());
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

// A new league starts on "Tümü": its tables exactly as they are without the filter.
void MainWindow::fillSeasons(const QString& league) {
    QStringList seasons{allSeasons()};
    if (!league.isEmpty())
        seasons << SeasonCalendar(program_.table().matchDays(league)).seasons();
    {
        const QSignalBlocker quiet(seasonBox);
        seasonBox->clear();
        seasonBox->addItems(seasons);
        seasonBox->setCurrentIndex(0);
    }
    showSeasonTables();
}

void MainWindow::onSeasonChosen() {
    showSeasonTables();
}

void MainWindow::showSeasonTables() {
    seasonHomeQuery->clear();
    seasonAwayQuery->clear();
    const bool whole = seasonBox->currentIndex() <= 0 || leagueBox->currentIndex() < 0;
    if (!whole) {
        const QString league = leagueBox->currentText();
        MatchTable& table = program_.table();
        const SeasonCalendar calendar(table.matchDays(league));
        const QDate first = calendar.firstDay(seasonBox->currentText());
        const QDate last = calendar.lastDay(seasonBox->currentText());
        seasonHomeQuery->setQuery(table.homeTable(league, first, last));
        seasonAwayQuery->setQuery(table.awayTable(league, first, last));
    }
    for (auto [grid, shown] : {std::pair{homeTableGrid, whole ? homeTableQuery : seasonHomeQuery},
                               std::pair{awayTableGrid, whole ? awayTableQuery : seasonAwayQuery}}) {
        if (grid->model() != shown) {
            QItemSelectionModel* previous = grid->selectionModel();
            grid->setModel(shown);
            previous->deleteLater();
        }
        shown->applyTo(grid);
    }
}

GridModel& MainWindow::shownTable(QTableView* grid) const {
    return *static_cast<GridModel*>(grid->model());
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
