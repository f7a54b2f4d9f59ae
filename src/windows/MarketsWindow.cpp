#include "windows/MarketsWindow.h"

#include "common/Names.h"
#include "common/Odds.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/WindowKit.h"
#include "windows/WindowPlace.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  PİYASALAR");
const QString kAllMarkets = QStringLiteral("Bütün piyasalar");
const QString kNoPairing = QStringLiteral("Öncelikle Tahmin ile bir eşleşme seçmelisiniz  ... ");
const QString kNoRow = QStringLiteral("Öncelikle bahis yapılacak sonucu seçmelisiniz  ... ");
const QString kNoOdds = QStringLiteral("%1 için oran girin  ... ");
const QString kOddsTip =
    QStringLiteral("Bahisçinizin bu sonuç için verdiği oranı yazın; değer ve pay hemen hesaplanır");
const QStringList kTitles = {"Piyasa", "Seçim", "Olasılık", "Adil Oran", "Oran", "Değer", "Pay"};
enum Column {
    kMarketColumn,
    kCodeColumn,
    kChanceColumn,
    kFairColumn,
    kOddsColumn,
    kValueColumn,
    kStakeColumn
};
constexpr int kOutcomeRole = Qt::UserRole; // the row's place in priced_

QString decimal(double value) {
    return showDecimal(value, 2);
}

// A push or a half result is spelt out beside the win, so that an Asian line's figure is not misread.
QString chancesTip(const model::OutcomeChances& c) {
    if (c.halfWin == 0 && c.push == 0 && c.halfLoss == 0)
        return {};
    return QStringLiteral("Kazanır %1, yarı kazanır %2, iade %3, yarı kaybeder %4, kaybeder %5")
        .arg(showPercent(100 * c.win), showPercent(100 * c.halfWin), showPercent(100 * c.push),
             showPercent(100 * c.halfLoss), showPercent(100 * c.loss));
}

QTableWidgetItem* cell(const QString& text, bool editable = false) {
    auto* item = new QTableWidgetItem(text);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    return item;
}

} // namespace

MarketsWindow::MarketsWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setUpDialog(this, "MarketsWindow", kCaption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    pairingLabel = new QLabel(this);
    pairingLabel->setObjectName(QStringLiteral("MarketsPairing"));
    marketBox = makeDropDown(QStringLiteral("MarketsFilter"), this);
    marketBox->addItem(kAllMarkets);
    for (const model::Market market : model::kMarkets)
        marketBox->addItem(model::marketName(market));
    grid = new QTableWidget(0, int(kTitles.size()), this);
    grid->setObjectName(QStringLiteral("MarketsTable"));
    grid->setHorizontalHeaderLabels(kTitles);
    grid->horizontalHeaderItem(kOddsColumn)->setToolTip(kOddsTip);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setDefaultSectionSize(74);
    grid->horizontalHeader()->setSectionResizeMode(kMarketColumn, QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(kCodeColumn, QHeaderView::ResizeToContents);
    betButton = new QPushButton(QStringLiteral("Bahis Yap"), this);
    betButton->setObjectName(QStringLiteral("MarketsBetButton"));
    closeButton = new QPushButton(QStringLiteral("Kapat"), this);
    closeButton->setObjectName(QStringLiteral("MarketsCloseButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(pairingLabel, 1);
    top->addWidget(new QLabel(QStringLiteral("Piyasa"), this));
    top->addWidget(marketBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(betButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);
    resize(640, 560);

    for (QPushButton* button : {betButton, closeButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    Dialogs& dialogs = program_.dialogs;
    guardedConnect(betButton, &QPushButton::clicked, this, dialogs, [this](bool) { onBet(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    guardedConnect(marketBox, &QComboBox::currentIndexChanged, this, dialogs, [this](int) { fillRows(); });
    // Taken after the editor has closed, so that a warning does not meet an editor still open.
    connect(grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || item->column() != kOddsColumn)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, row = item->row(), text = item->text()] {
                guarded(program_.dialogs, this, [&] { onOddsTyped(row, text); });
            },
            Qt::QueuedConnection);
    });
    keepPlace(this, program_);
}

QString MarketsWindow::pairingKey() const {
    if (!pairing_)
        return {};
    return pairing_->league + u'\t' + pairing_->home + u'\t' + pairing_->away + u'\t' +
           pairing_->day.toString(Qt::ISODate);
}

void MarketsWindow::showPairing(Pairing pairing) {
    pairingLabel->setText(
        QStringLiteral("%1 - %2   %3 için")
            .arg(visibleText(pairing.home), visibleText(pairing.away), showDate(pairing.day)));
    priced_ = model::priceMarkets(pairing.grid);
    pairing_ = std::move(pairing);
    fillRows();
}

void MarketsWindow::clearPairing() {
    pairing_.reset();
    priced_.clear();
    pairingLabel->clear();
    fillRows();
}

std::optional<double> MarketsWindow::offeredOdds(std::size_t outcome) const {
    const model::MarketOutcome& o = priced_.at(outcome).outcome;
    const auto kept = typed_.find(pairingKey());
    if (kept != typed_.end())
        if (const auto found = kept->second.find(model::outcomeCode(o)); found != kept->second.end())
            return found->second;
    // The result market's offered odds are the ones typed in the panel, unless typed over here.
    if (const auto* sign = std::get_if<model::MatchResult>(&o); sign && pairing_ && pairing_->oneXTwo) {
        const model::ThreeWay& odds = *pairing_->oneXTwo;
        return sign->sign == model::Result::HomeWin ? odds.home
               : sign->sign == model::Result::Draw  ? odds.draw
                                                    : odds.away;
    }
    return std::nullopt;
}

void MarketsWindow::fillRows() {
    filling_ = true;
    grid->setRowCount(0);
    const int chosen = marketBox->currentIndex() - 1; // -1: every market
    for (std::size_t i = 0; i < priced_.size(); ++i) {
        const model::PricedOutcome& p = priced_[i];
        const model::Market market = model::marketOf(p.outcome);
        if (chosen >= 0 && market != model::kMarkets[chosen])
            continue;
        const int row = grid->rowCount();
        grid->insertRow(row);
        QTableWidgetItem* name = cell(model::marketName(market));
        name->setData(kOutcomeRole, qulonglong(i));
        grid->setItem(row, kMarketColumn, name);
        grid->setItem(row, kCodeColumn, cell(model::outcomeCode(p.outcome)));
        QTableWidgetItem* chance = cell(showPercent(100 * p.chances.win));
        chance->setToolTip(chancesTip(p.chances));
        grid->setItem(row, kChanceColumn, chance);
        grid->setItem(row, kFairColumn, cell(p.fair ? decimal(*p.fair) : QStringLiteral("-")));
        for (const int column : {kChanceColumn, kFairColumn, kOddsColumn, kValueColumn, kStakeColumn}) {
            if (!grid->item(row, column))
                grid->setItem(row, column, cell({}, column == kOddsColumn));
            grid->item(row, column)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        showValue(row);
    }
    filling_ = false;
}

void MarketsWindow::showValue(int row) {
    const bool wasFilling = filling_;
    filling_ = true;
    const std::size_t i = grid->item(row, kMarketColumn)->data(kOutcomeRole).toULongLong();
    const std::optional<double> odds = offeredOdds(i);
    QTableWidgetItem* oddsCell = grid->item(row, kOddsColumn);
    oddsCell->setText(odds ? decimal(*odds) : QString());
    QString value, stake;
    bool isValue = false;
    if (odds && pairing_) {
        const model::OutcomeChances& chances = priced_[i].chances;
        const double ev = model::expectedValue(chances, *odds);
        value = showPercent(100 * ev);
        isValue = ev > pairing_->stake.threshold;
        const double proposed = stakeFor(chances, *odds, pairing_->stake);
        stake = proposed > 0 ? decimal(proposed) : QString();
    }
    grid->item(row, kValueColumn)->setText(value);
    grid->item(row, kStakeColumn)->setText(stake);
    for (int column = 0; column < grid->columnCount(); ++column) {
        QFont font = grid->item(row, column)->font();
        font.setBold(isValue);
        grid->item(row, column)->setFont(font);
    }
    filling_ = wasFilling;
}

void MarketsWindow::onOddsTyped(int row, const QString& text) {
    if (!pairing_ || row < 0 || row >= grid->rowCount())
        return;
    const std::size_t i = grid->item(row, kMarketColumn)->data(kOutcomeRole).toULongLong();
    const QString code = model::outcomeCode(priced_.at(i).outcome);
    const QString typed = text.trimmed();
    std::map<QString, double>& kept = typed_[pairingKey()];
    if (typed.isEmpty()) {
        kept.erase(code);
    } else if (const std::optional<double> odds = readOddsValue(typed)) {
        kept[code] = *odds;
    } else {
        showValue(row); // the old price back in its cell
        program_.dialogs.caution(this, QString::fromUtf16(kOddsRefused).arg(typed));
        return;
    }
    showValue(row);
}

void MarketsWindow::onBet() {
    if (!pairing_) {
        program_.dialogs.caution(this, kNoPairing);
        return;
    }
    const int row = grid->currentRow();
    if (row < 0 || !grid->item(row, kMarketColumn)->isSelected()) {
        program_.dialogs.caution(this, kNoRow);
        return;
    }
    const std::size_t i = grid->item(row, kMarketColumn)->data(kOutcomeRole).toULongLong();
    const model::PricedOutcome& p = priced_.at(i);
    const std::optional<double> odds = offeredOdds(i);
    if (!odds) {
        program_.dialogs.caution(this, kNoOdds.arg(model::outcomeCode(p.outcome)));
        grid->setCurrentCell(row, kOddsColumn);
        return;
    }
    if (placeBet)
        placeBet({p.outcome, *odds, p.chances.win, stakeFor(p.chances, *odds, pairing_->stake)});
}

} // namespace vezal
