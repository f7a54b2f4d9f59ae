#include "windows/MainWindow.h"

#include <QComboBox>
#include <QPushButton>

// A pairing chosen elsewhere (the bulletin), predicted in the main window as the user would.
namespace vezal {

void MainWindow::predictPairing(const QString& league, const QString& home, const QString& away) {
    show();
    raise();
    activateWindow();
    if (loadedLeague() != league)
        showLeague(league);
    if (loadedLeague() != league)
        return;
    const int homeIndex = homeTeamBox->findText(home);
    const int awayIndex = awayTeamBox->findText(away);
    if (homeIndex < 0 || awayIndex < 0)
        return;
    homeTeamBox->setCurrentIndex(homeIndex);
    onHomeTeamChosen();
    awayTeamBox->setCurrentIndex(awayIndex);
    onAwayTeamChosen();
    predictButton->click();
}

void MainWindow::onBulletin() {
    if (program_.refusesAdvice(this))
        return;
    program_.navigation().openBulletin();
}

} // namespace vezal
