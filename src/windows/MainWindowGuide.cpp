#include "windows/MainWindow.h"

#include "exchange/SampleLeague.h"
#include "windows/Dialogs.h"
#include "windows/FirstStartGuide.h"
#include "windows/GuardedConnect.h"
#include "windows/WebLeaguesDialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QStackedWidget>

// The first start: without a league the tables' place shows the ways to one.
namespace vezal {

QWidget* MainWindow::buildTablesOrGuide(QWidget* tables) {
    tablesOrGuide = new QStackedWidget;
    tablesOrGuide->setObjectName(QStringLiteral("TablesOrGuide"));
    guide = new FirstStartGuide;
    tablesOrGuide->addWidget(tables);
    tablesOrGuide->addWidget(guide);
    Dialogs& dialogs = program_.dialogs;
    guardedConnect(guide->importButton, &QPushButton::clicked, this, dialogs, [this](bool) { onImport(); });
    guardedConnect(guide->sampleButton, &QPushButton::clicked, this, dialogs,
                   [this](bool) { onLoadSample(); });
    guardedConnect(guide->webButton, &QPushButton::clicked, this, dialogs, [this](bool) { onWebLeagues(); });
    return tablesOrGuide;
}

void MainWindow::showGuideWhenEmpty() {
    tablesOrGuide->setCurrentIndex(leagueBox->count() == 0 ? 1 : 0);
}

void MainWindow::onWebLeagues() {
    if (program_.refusesChanges(this))
        return;
    program_.dialogs.showModal(new WebLeaguesDialog(program_, this));
}

void MainWindow::onLoadSample() {
    if (program_.refusesChanges(this))
        return;
    const ImportOutcome outcome = loadSampleLeague(program_.database(), program_.table());
    if (outcome.refusal) {
        program_.dialogs.caution(this, *outcome.refusal);
        return;
    }
    showLeague(QString::fromUtf16(kSampleLeagueName));
}

} // namespace vezal
