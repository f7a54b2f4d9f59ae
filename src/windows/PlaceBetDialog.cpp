#include "windows/PlaceBetDialog.h"

#include "betting/BetLedger.h"
#include "common/Names.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/WindowKit.h"
#include "windows/WindowPlace.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  BAHİS YAP");
const QString kOdds = QStringLiteral("Oran: %1");
const QString kProbability = QStringLiteral("   Olasılık: %1");
const QString kIndependent = QStringLiteral(" (seçimler bağımsız sayılır)");

} // namespace

PlaceBetDialog::PlaceBetDialog(Program& program, std::vector<Selection> selections, double proposedStake,
                               std::optional<double> probability, QWidget* parent)
    : QDialog(parent), program_(program), selections_(std::move(selections)) {
    setObjectName(QStringLiteral("PlaceBetDialog"));
    setWindowTitle(kCaption);
    setDialogTitleBar(this);
    setFont(windowFont());
    keepPlace(this, program_);
    const QLocale turkish = turkishLocale();

    selectionsGrid = new QTableWidget(0, 5, this);
    selectionsGrid->setObjectName(QStringLiteral("SelectionsGrid"));
    selectionsGrid->setHorizontalHeaderLabels({QStringLiteral("Lig"), QStringLiteral("Tarih"),
                                               QStringLiteral("Maç"), QStringLiteral("Sonuç"),
                                               QStringLiteral("Oran")});
    selectionsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    selectionsGrid->verticalHeader()->hide();
    double odds = 1;
    for (const Selection& s : selections_) {
        const int row = selectionsGrid->rowCount();
        selectionsGrid->insertRow(row);
        const QString cells[] = {s.league, showDate(s.day), s.home + QStringLiteral(" - ") + s.away,
                                 marketCode(s.market), turkish.toString(s.odds, 'f', 2)};
        for (int column = 0; column < 5; ++column)
            selectionsGrid->setItem(row, column, new QTableWidgetItem(cells[column]));
        odds *= s.odds;
    }
    selectionsGrid->resizeColumnsToContents();

    QString total = kOdds.arg(turkish.toString(odds, 'f', 2));
    if (probability)
        total += kProbability.arg(turkish.toString(*probability, 'f', 4)) +
                 (selections_.size() > 1 ? kIndependent : QString());
    totalLabel = new QLabel(total, this);
    totalLabel->setObjectName(QStringLiteral("TotalLabel"));
    stakeBox = new QDoubleSpinBox(this);
    stakeBox->setObjectName(QStringLiteral("StakeBox"));
    stakeBox->setLocale(turkish);
    stakeBox->setRange(0, 1e9);
    stakeBox->setDecimals(2);
    stakeBox->setGroupSeparatorShown(false);
    stakeBox->setValue(proposedStake);

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
    layout->addWidget(totalLabel);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(560, 300);

    guardedConnect(placeButton, &QPushButton::clicked, this, program_.dialogs, [this](bool) { onPlace(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void PlaceBetDialog::onPlace() {
    const PlaceOutcome outcome =
        BetLedger(program_.database()).place(program_.today(), stakeBox->value(), selections_);
    if (!outcome.id) {
        program_.dialogs.caution(this, outcome.refusal);
        return;
    }
    placed_ = outcome.id;
    accept();
}

} // namespace vezal
