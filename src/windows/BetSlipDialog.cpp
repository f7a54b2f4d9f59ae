#include "windows/BetSlipDialog.h"

#include "betting/BetLedger.h"
#include "betting/Bets.h"
#include "common/Names.h"
#include "common/Odds.h"
#include "windows/DateBox.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/WindowKit.h"
#include "windows/WindowPlace.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  BAHİS OLARAK KAYDET");
const QString kStakeName = QStringLiteral("Bahis miktarı");
// %1 - %2: the match.
const QString kChooseLeague = QStringLiteral("%1 - %2 maçının ligini seçmelisiniz  ... ");
const QString kChooseOutcome = QStringLiteral("%1 - %2 için bir sonuç seçmelisiniz  ... ");
const QString kEnterOdds = QStringLiteral("%1 - %2 için oran girin  ... ");
const QString kBadOdds = QStringLiteral("%1 - %2: %3");

enum SlipColumn { LeagueColumn, DayColumn, MatchColumn, OutcomeColumn, OddsCell };

QLineEdit* numberBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

std::optional<CouponPick> readCouponLine(const QString& line) {
    static const QRegularExpression shape(QStringLiteral("^.*?  -  (.+) - (.+)\\t :   (.*)$"));
    const QRegularExpressionMatch match = shape.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    QString pick = match.captured(3).trimmed();
    if (pick == QStringLiteral("ÜST"))
        pick = QStringLiteral("UST");
    if (!QStringList{"1", "0", "2", "ALT", "UST", "KGVAR", "KGYOK"}.contains(pick))
        pick.clear();
    return CouponPick{match.captured(1).trimmed(), match.captured(2).trimmed(), pick};
}

BetSlipDialog::BetSlipDialog(Program& program, const std::vector<CouponEntry>& coupon, QWidget* parent)
    : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("BetSlipDialog"));
    setWindowTitle(kCaption);
    setDialogTitleBar(this);
    setFont(windowFont());
    keepPlace(this, program_);

    selectionsGrid = new QTableWidget(0, 5, this);
    selectionsGrid->setObjectName(QStringLiteral("SelectionsGrid"));
    selectionsGrid->setHorizontalHeaderLabels({QStringLiteral("Lig"), QStringLiteral("Tarih"),
                                               QStringLiteral("Maç"), QStringLiteral("Sonuç"),
                                               QStringLiteral("Oran")});
    selectionsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    selectionsGrid->verticalHeader()->hide();
    for (const CouponEntry& entry : coupon) {
        const std::optional<CouponPick> pick = readCouponLine(entry.line);
        if (!pick)
            continue;
        const int row = selectionsGrid->rowCount();
        selectionsGrid->insertRow(row);
        rows_.push_back({pick->home, pick->away, entry.pairing});
        if (entry.pairing) {
            selectionsGrid->setItem(row, LeagueColumn, new QTableWidgetItem(entry.pairing->league));
            selectionsGrid->setItem(row, DayColumn, new QTableWidgetItem(showDate(entry.pairing->day)));
        } else {
            // A line read from a file: its league and day are the user's to tell.
            auto* league = makeDropDown(QString(), selectionsGrid);
            fillWithLeagues(league, program_);
            selectionsGrid->setCellWidget(row, LeagueColumn, league);
            auto* day = makeDateBox(QString(), selectionsGrid);
            day->setDate(program_.today());
            selectionsGrid->setCellWidget(row, DayColumn, day);
        }
        selectionsGrid->setItem(row, MatchColumn,
                                new QTableWidgetItem(pick->home + QStringLiteral(" - ") + pick->away));
        auto* outcome = makeDropDown(QString(), selectionsGrid);
        for (const model::MarketOutcome& market : model::allOutcomes())
            outcome->addItem(model::outcomeCode(market));
        // A double chance or a goals band is no single outcome: none is chosen for the user.
        outcome->setCurrentIndex(pick->outcome.isEmpty() ? -1 : outcome->findText(pick->outcome));
        selectionsGrid->setCellWidget(row, OutcomeColumn, outcome);
        selectionsGrid->setCellWidget(row, OddsCell, numberBox(selectionsGrid));
    }
    selectionsGrid->resizeColumnsToContents();

    stakeBox = numberBox(this);
    stakeBox->setObjectName(QStringLiteral("StakeBox"));
    placeButton = new QPushButton(QStringLiteral("Kaydet"), this);
    placeButton->setObjectName(QStringLiteral("PlaceButton"));
    cancelButton = new QPushButton(QStringLiteral("Vazgeç"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Miktar"), stakeBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(placeButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selectionsGrid, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(620, 380);

    guardedConnect(placeButton, &QPushButton::clicked, this, program_.dialogs, [this](bool) { onPlace(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void BetSlipDialog::onPlace() {
    const auto refuse = [this](const QString& message, QWidget* box) {
        program_.dialogs.caution(this, message);
        if (box)
            box->setFocus(Qt::OtherFocusReason);
    };
    std::vector<Selection> selections;
    for (int row = 0; row < int(rows_.size()); ++row) {
        const Row& r = rows_[std::size_t(row)];
        CouponPairing pairing;
        if (r.pairing) {
            pairing = *r.pairing;
        } else {
            auto* league = static_cast<QComboBox*>(selectionsGrid->cellWidget(row, LeagueColumn));
            if (league->currentIndex() < 0)
                return refuse(kChooseLeague.arg(r.home, r.away), league);
            pairing = {league->currentText(),
                       static_cast<DateBox*>(selectionsGrid->cellWidget(row, DayColumn))->date()};
        }
        auto* outcome = static_cast<QComboBox*>(selectionsGrid->cellWidget(row, OutcomeColumn));
        const std::optional<model::MarketOutcome> market =
            outcome->currentIndex() < 0 ? std::nullopt : model::outcomeFromCode(outcome->currentText());
        if (!market)
            return refuse(kChooseOutcome.arg(r.home, r.away), outcome);
        auto* oddsBox = static_cast<QLineEdit*>(selectionsGrid->cellWidget(row, OddsCell));
        const std::optional<double> odds = readOddsValue(oddsBox->text());
        if (!odds)
            return refuse(
                oddsBox->text().trimmed().isEmpty()
                    ? kEnterOdds.arg(r.home, r.away)
                    : kBadOdds.arg(r.home, r.away, QString::fromUtf16(kOddsRefused).arg(oddsBox->text())),
                oddsBox);
        selections.push_back({pairing.league, pairing.day, r.home, r.away, *market, *odds});
    }
    const std::optional<double> stake = readAmount(stakeBox->text());
    if (!stake)
        return refuse(QString::fromUtf16(kAmountRefused).arg(kStakeName, stakeBox->text()), stakeBox);
    const PlaceOutcome outcome = BetLedger(program_.database()).place(program_.today(), *stake, selections);
    if (!outcome.id)
        return refuse(outcome.refusal, nullptr);
    placed_ = outcome.id;
    accept();
}

} // namespace vezal
