#include "windows/MainWindow.h"

#include "betting/Bets.h"
#include "betting/BettingMessages.h"
#include "betting/Value.h"
#include "common/Odds.h"
#include "evidence/PairingProbabilities.h"
#include "model/LeagueForecast.h"
#include "windows/DateBox.h"
#include "windows/Dialogs.h"
#include "windows/MarketsWindow.h"
#include "windows/PlaceBetDialog.h"
#include "windows/Program.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSettings>

// "Bahis Yap" on the "Olasılıklar" panel: one outcome of the pairing the panel shows, at the odds typed
// for it, on the panel's day.
namespace vezal {

namespace {

const QString kNoPairing = QStringLiteral("Öncelikle Tahmin ile bir eşleşme seçmelisiniz  ... ");
const QString kNoOdds = QStringLiteral("%1 için oran girin  ... ");

} // namespace

StakeRule MainWindow::keptStakeRule() const {
    const QSettings settings(QDir(program_.folder).filePath(QStringLiteral("bulten.ini")),
                             QSettings::IniFormat);
    StakeRule rule;
    rule.bankroll = settings.value(QStringLiteral("bankroll"), rule.bankroll).toDouble();
    rule.kellyFraction = settings.value(QStringLiteral("kelly"), rule.kellyFraction).toDouble();
    rule.threshold = settings.value(QStringLiteral("threshold"), rule.threshold).toDouble();
    rule.maxStake = settings.value(QStringLiteral("maxStake"), rule.maxStake).toDouble();
    return rule;
}

void MainWindow::onPanelBet() {
    if (!panelModel_) {
        program_.dialogs.caution(this, kNoPairing);
        return;
    }
    const int chosen = std::max(0, betOutcomeBox->currentIndex());
    const BulletinMarket markets[] = {BulletinMarket::Home, BulletinMarket::Draw, BulletinMarket::Away};
    QLineEdit* box = oddsBoxes[static_cast<std::size_t>(chosen)];
    const std::optional<double> odds = readOddsValue(box->text().trimmed());
    if (!odds) {
        program_.dialogs.caution(this, kNoOdds.arg(betOutcomeBox->currentText()));
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QDate day = predictionDayBox->date();
    // The stake rests on the forecast at the odds typed, as the value line beside it does.
    const PairingProbabilities opinion = pairingProbabilities(program_.database(), *panelModel_, panelLeague_,
                                                              panelHome_, panelAway_, day, panelOdds());
    std::optional<double> probability;
    if (!opinion.refusal) {
        const model::ThreeWay& p = opinion.pooled.outcome;
        probability = chosen == 0 ? p.home : chosen == 1 ? p.draw : p.away;
    }
    const double stake = probability ? stakeFor(*probability, *odds, keptStakeRule()) : 0;
    std::vector<Selection> selections = {{panelLeague_, day, panelHome_, panelAway_, markets[chosen], *odds}};
    auto* dialog = new PlaceBetDialog(program_, std::move(selections), stake, probability, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    program_.dialogs.showModal(dialog);
}

void MainWindow::onMarkets() {
    if (!panelGrid_) {
        program_.dialogs.caution(this, kNoPairing);
        return;
    }
    if (!marketsWindow_) {
        marketsWindow_ = new MarketsWindow(program_, this);
        marketsWindow_->placeBet = [this](const MarketsWindow::Bet& bet) {
            placeMarketBet(bet.outcome, bet.odds, bet.probability, bet.stake);
        };
    }
    marketsWindow_->show();
    showMarkets();
    marketsWindow_->raise();
    marketsWindow_->activateWindow();
}

void MainWindow::showMarkets() {
    if (!marketsWindow_ || !marketsWindow_->isVisible())
        return;
    if (!panelGrid_) {
        marketsWindow_->clearPairing();
        return;
    }
    marketsWindow_->showPairing({panelLeague_, panelHome_, panelAway_, predictionDayBox->date(), *panelGrid_,
                                 panelOdds(), keptStakeRule()});
}

void MainWindow::placeMarketBet(const model::MarketOutcome& outcome, double odds, double probability,
                                double stake) {
    const std::optional<BulletinMarket> market = marketFromCode(model::outcomeCode(outcome));
    if (!market) {
        program_.dialogs.caution(
            marketsWindow_, QString::fromUtf16(messages::kMarketNotBet).arg(model::outcomeCode(outcome)));
        return;
    }
    std::vector<Selection> selections = {
        {panelLeague_, predictionDayBox->date(), panelHome_, panelAway_, *market, odds}};
    auto* dialog = new PlaceBetDialog(program_, std::move(selections), stake, probability, marketsWindow_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    program_.dialogs.showModal(dialog);
}

} // namespace vezal
