#include "windows/MainWindow.h"

#include "common/Names.h"
#include "windows/DateBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

// A pairing chosen elsewhere (the bulletin), predicted in the main window as the user would.
namespace vezal {

void MainWindow::predictPairing(const PairingToPredict& pairing) {
    const QString& league = pairing.league;
    show();
    raise();
    activateWindow();
    if (loadedLeague() != league)
        showLeague(league);
    if (loadedLeague() != league)
        return;
    const int homeIndex = homeTeamBox->findText(pairing.home);
    const int awayIndex = awayTeamBox->findText(pairing.away);
    if (homeIndex < 0 || awayIndex < 0)
        return;
    homeTeamBox->setCurrentIndex(homeIndex);
    onHomeTeamChosen();
    awayTeamBox->setCurrentIndex(awayIndex);
    onAwayTeamChosen();
    // After the teams, whose choice empties the odds.
    if (pairing.day.isValid())
        predictionDayBox->setDate(pairing.day);
    for (std::size_t i = 0; i < oddsBoxes.size(); ++i)
        oddsBoxes[i]->setText(pairing.odds[i] ? turkishLocale().toString(*pairing.odds[i], 'f', 2)
                                              : QString());
    predictButton->click();
}

void MainWindow::onBulletin() {
    if (program_.refusesAdvice(this))
        return;
    program_.navigation().openBulletin();
}

} // namespace vezal
