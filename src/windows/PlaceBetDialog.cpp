#include "windows/PlaceBetDialog.h"

#include "betting/BetLedger.h"
#include "common/Names.h"
#include "common/Odds.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/WindowKit.h"
#include "windows/WindowPlace.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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
    : QDialog(parent), program_(program), selections_(std::move(selections)), probability_(probability) {
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
    for (const Selection& s : selections_) {
        const int row = selectionsGrid->rowCount();
        selectionsGrid->insertRow(row);
        const QString cells[] = {s.league, showDate(s.day), s.home + QStringLiteral(" - ") + s.away,
                                 model::outcomeCode(s.outcome)};
        for (int column = 0; column < 4; ++column)
            selectionsGrid->setItem(row, column, new QTableWidgetItem(cells[column]));
        // The odds one gets may differ from those shown: the user's to change.
        auto* box = new QLineEdit(turkish.toString(s.odds, 'f', 2), selectionsGrid);
        box->setObjectName(QStringLiteral("OddsBox"));
        box->setAlignment(Qt::AlignRight);
        shownOdds_.push_back(box->text());
        selectionsGrid->setCellWidget(row, 4, box);
        connect(box, &QLineEdit::textEdited, this, [this] { showTotal(); });
    }
    selectionsGrid->resizeColumnsToContents();

    totalLabel = new QLabel(this);
    totalLabel->setObjectName(QStringLiteral("TotalLabel"));
    showTotal();
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

std::optional<std::vector<double>> PlaceBetDialog::readOdds(bool warn) {
    std::vector<double> odds;
    for (std::size_t i = 0; i < selections_.size(); ++i) {
        auto* box = static_cast<QLineEdit*>(selectionsGrid->cellWidget(int(i), 4));
        const QString text = box->text().trimmed();
        const std::optional<double> typed =
            text == shownOdds_[i] ? std::optional(selections_[i].odds) : readOddsValue(text);
        if (!typed) {
            if (warn) {
                program_.dialogs.caution(this, QString::fromUtf16(kOddsRefused).arg(text));
                box->setFocus(Qt::OtherFocusReason);
            }
            return std::nullopt;
        }
        odds.push_back(*typed);
    }
    return odds;
}

void PlaceBetDialog::showTotal() {
    const QLocale turkish = turkishLocale();
    const std::optional<std::vector<double>> odds = readOdds(false);
    double product = 1;
    for (const double o : odds.value_or(std::vector<double>{}))
        product *= o;
    QString total = kOdds.arg(odds ? turkish.toString(product, 'f', 2) : QStringLiteral("-"));
    if (probability_)
        total += kProbability.arg(turkish.toString(*probability_, 'f', 4)) +
                 (selections_.size() > 1 ? kIndependent : QString());
    totalLabel->setText(total);
}

void PlaceBetDialog::onPlace() {
    const std::optional<std::vector<double>> odds = readOdds(true);
    if (!odds)
        return;
    for (std::size_t i = 0; i < selections_.size(); ++i)
        selections_[i].odds = (*odds)[i];
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
