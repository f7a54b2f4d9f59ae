#include "windows/BulletinWindow.h"

#include "betting/BetLedger.h"
#include "common/Odds.h"
#include "exchange/LeaguePredictor.h"
#include "prediction/Coupon.h"
#include "windows/Dialogs.h"
#include "windows/PlaceBetDialog.h"

#include <QTableWidget>
#include <algorithm>
#include <map>
#include <memory>

// What the user does with the rows: types his own odds over them, predicts, coupons and bets the ones
// chosen.
namespace vezal {

namespace {

const QString kNothingChosen = QStringLiteral("Öncelikle kupona eklenecek maçları seçmelisiniz  ... ");
const QString kNoBetChosen = QStringLiteral("Öncelikle bahis yapılacak sonuçları seçmelisiniz  ... ");
const QString kNoOdds = QStringLiteral("Oranı olmayan bir sonuca bahis yapılamaz: %1 - %2");

// The places in the rows of the rows chosen, in the list's order.
std::vector<int> chosenPlaces(const QTableWidget& grid) {
    std::vector<int> chosen;
    for (const QModelIndex& index : grid.selectionModel()->selectedRows())
        chosen.push_back(grid.item(index.row(), 0)->data(Qt::UserRole + 1).toInt());
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

} // namespace

void BulletinWindow::onOddsTyped(int listing, int place, const QString& text) {
    if (listing != listing_ || place < 0 || place >= int(rows_.size()))
        return;
    const OutcomeKey key = outcomeKey(rows_[std::size_t(place)]);
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        typed_.erase(key);
    } else if (const std::optional<double> odds = readOddsValue(typed)) {
        typed_[key] = *odds;
    } else {
        priceAgain(); // the old price back in its cell
        program_.dialogs.caution(this, QString::fromUtf16(kOddsRefused).arg(typed));
        return;
    }
    priceAgain();
}

void BulletinWindow::priceAgain() {
    rows_ = withTypedOdds(listedRows_, typed_, listedStake_);
    // The sort the user chose holds over the new figures.
    rowsGrid->setSortingEnabled(false);
    for (int row = 0; row < rowsGrid->rowCount(); ++row)
        if (const QTableWidgetItem* item = rowsGrid->item(row, 0))
            showPrices(row, rows_.at(std::size_t(item->data(Qt::UserRole + 1).toInt())));
    rowsGrid->setSortingEnabled(true);
    showSummary();
}

void BulletinWindow::onRowChosen(int row) {
    const QTableWidgetItem* item = rowsGrid->item(row, 0);
    if (!item || !program_.hasWindows())
        return;
    const Fixture* fixture = rowFixture_.at(static_cast<std::size_t>(item->data(Qt::UserRole + 1).toInt()));
    PairingToPredict pairing{fixture->league, fixture->home, fixture->away, fixture->day, {}};
    // The odds the rows show for its 1, 0 and 2: the chosen rule's, or typed.
    const BulletinMarket threeWay[] = {BulletinMarket::Home, BulletinMarket::Draw, BulletinMarket::Away};
    for (const BulletinRow& row : rows_)
        for (std::size_t i = 0; i < std::size(threeWay); ++i)
            if (row.fixture == fixture && !row.reason && row.market == bulletinOutcome(threeWay[i]))
                pairing.odds[i] = rowOdds(row);
    program_.navigation().predictPairing(pairing);
}

void BulletinWindow::onAddToCoupon() {
    const std::vector<int> chosen = chosenPlaces(*rowsGrid);
    if (chosen.empty()) {
        program_.dialogs.caution(this, kNothingChosen);
        return;
    }
    std::map<QString, std::unique_ptr<LeaguePredictor>> predictors;
    bool added = false;
    for (const int place : chosen) {
        const BulletinRow& row = rows_.at(static_cast<std::size_t>(place));
        const Fixture* fixture = row.fixture;
        if (!program_.hasWindows())
            break;
        if (!row.reason) {
            // The outcome chosen, not the prediction's own signs.
            program_.navigation().addToCoupon(couponLineOf(row), {fixture->league, fixture->day});
            added = true;
            continue;
        }
        // A whole fixture without an outcome: the prediction's line, as the main window makes it.
        auto& predictor = predictors[fixture->league];
        if (!predictor)
            predictor = std::make_unique<LeaguePredictor>(program_.table(), fixture->league);
        const PairingPrediction p = predictor->predict(fixture->home, fixture->away, QString());
        if (p.refusal)
            continue;
        program_.navigation().addToCoupon(p.couponLine, {fixture->league, fixture->day});
        added = true;
    }
    if (added)
        program_.navigation().showCoupon();
}

void BulletinWindow::onPlaceBet() {
    const std::vector<int> chosen = chosenPlaces(*rowsGrid);
    if (chosen.empty()) {
        program_.dialogs.caution(this, kNoBetChosen);
        return;
    }
    std::vector<Selection> selections;
    double odds = 1, probability = 1;
    for (const int place : chosen) {
        const BulletinRow& r = rows_.at(static_cast<std::size_t>(place));
        const Fixture& f = *r.fixture;
        const std::optional<double> taken = r.reason ? std::nullopt : rowOdds(r); // typed or the file's
        if (!taken) {
            program_.dialogs.caution(this, kNoOdds.arg(f.home, f.away));
            return;
        }
        selections.push_back({f.league, f.day, f.home, f.away, r.market, *taken});
        odds *= *taken;
        probability *= r.probability;
    }
    // The stake does not matter yet: a coupon that cannot be placed is refused before any is asked.
    if (const std::optional<QString> refusal = checkBet(program_.today(), 1, selections)) {
        program_.dialogs.caution(this, *refusal);
        return;
    }
    const std::optional<BulletinRule> rule = readRule();
    if (!rule)
        return;
    // A coupon is staked as one bet at its product odds and probability, the selections independent.
    const double stake = selections.size() == 1
                             ? rows_.at(static_cast<std::size_t>(chosen.front())).stake.value_or(0)
                             : stakeFor(probability, odds, rule->stake);
    auto* dialog = new PlaceBetDialog(program_, std::move(selections), stake, probability, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    program_.dialogs.showModal(dialog);
}

} // namespace vezal
