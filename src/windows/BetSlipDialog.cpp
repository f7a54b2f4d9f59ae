#include "windows/BetSlipDialog.h"

#include "betting/BetLedger.h"
#include "betting/Bets.h"
#include "windows/DateBox.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/WindowKit.h"
#include "windows/WindowPlace.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  BAHİS OLARAK KAYDET");
const QString kNoLeague = QStringLiteral("Öncelikle Lig Seçimini Yapmalısınız  ... ");

} // namespace

std::optional<CouponPick> readCouponLine(const QString& line) {
    static const QRegularExpression shape(QStringLiteral("^.*?  -  (.+) - (.+)\\t :   (.*)$"));
    const QRegularExpressionMatch match = shape.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    QString pick = match.captured(3).trimmed();
    if (pick == QStringLiteral("ÜST"))
        pick = QStringLiteral("UST");
    if (!QStringList{"1", "0", "2", "ALT", "UST"}.contains(pick))
        pick.clear();
    return CouponPick{match.captured(1).trimmed(), match.captured(2).trimmed(), pick};
}

BetSlipDialog::BetSlipDialog(Program& program, const QStringList& couponLines, QWidget* parent)
    : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("BetSlipDialog"));
    setWindowTitle(kCaption);
    setDialogTitleBar(this);
    setFont(windowFont());
    keepPlace(this, program_);

    leagueBox = makeDropDown(QStringLiteral("LeagueBox"), this);
    fillWithLeagues(leagueBox, program_);
    dayBox = new DateBox(this);
    dayBox->setObjectName(QStringLiteral("DayBox"));
    dayBox->setDate(program_.today());
    stakeBox = new QDoubleSpinBox(this);
    stakeBox->setObjectName(QStringLiteral("StakeBox"));
    stakeBox->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    stakeBox->setRange(0, 1e9);
    stakeBox->setDecimals(2);
    stakeBox->setGroupSeparatorShown(false);

    selectionsGrid = new QTableWidget(0, 3, this);
    selectionsGrid->setObjectName(QStringLiteral("SelectionsGrid"));
    selectionsGrid->setHorizontalHeaderLabels(
        {QStringLiteral("Maç"), QStringLiteral("Sonuç"), QStringLiteral("Oran")});
    selectionsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    selectionsGrid->verticalHeader()->hide();
    for (const QString& line : couponLines) {
        const std::optional<CouponPick> pick = readCouponLine(line);
        if (!pick)
            continue;
        const int row = selectionsGrid->rowCount();
        selectionsGrid->insertRow(row);
        homes_ << pick->home;
        aways_ << pick->away;
        selectionsGrid->setItem(row, 0,
                                new QTableWidgetItem(pick->home + QStringLiteral(" - ") + pick->away));
        auto* outcome = new QComboBox(selectionsGrid);
        for (const BulletinMarket market : kBulletinMarkets)
            outcome->addItem(marketCode(market));
        if (!pick->outcome.isEmpty())
            outcome->setCurrentText(pick->outcome);
        selectionsGrid->setCellWidget(row, 1, outcome);
        auto* odds = new QDoubleSpinBox(selectionsGrid);
        odds->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
        odds->setRange(1, 1000);
        odds->setDecimals(2);
        selectionsGrid->setCellWidget(row, 2, odds);
    }
    selectionsGrid->resizeColumnsToContents();

    placeButton = new QPushButton(QStringLiteral("Kaydet"), this);
    placeButton->setObjectName(QStringLiteral("PlaceButton"));
    cancelButton = new QPushButton(QStringLiteral("Vazgeç"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Lig"), leagueBox);
    form->addRow(QStringLiteral("Maç günü"), dayBox);
    form->addRow(QStringLiteral("Miktar"), stakeBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(placeButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(selectionsGrid, 1);
    layout->addLayout(buttons);
    resize(520, 380);

    guardedConnect(placeButton, &QPushButton::clicked, this, program_.dialogs, [this](bool) { onPlace(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void BetSlipDialog::onPlace() {
    if (leagueBox->currentIndex() < 0) {
        program_.dialogs.caution(this, kNoLeague);
        return;
    }
    std::vector<Selection> selections;
    for (int row = 0; row < selectionsGrid->rowCount(); ++row) {
        const auto* outcome = static_cast<QComboBox*>(selectionsGrid->cellWidget(row, 1));
        const auto* odds = static_cast<QDoubleSpinBox*>(selectionsGrid->cellWidget(row, 2));
        selections.push_back({leagueBox->currentText(), dayBox->date(), homes_[row], aways_[row],
                              marketFromCode(outcome->currentText()).value_or(BulletinMarket::Home),
                              odds->value()});
    }
    const PlaceOutcome outcome =
        BetLedger(program_.database()).place(program_.today(), stakeBox->value(), selections);
    if (!outcome.id) {
        program_.dialogs.caution(this, outcome.refusal);
        return;
    }
    placed_ = outcome.id;
    accept();
}

} // namespace vezal
