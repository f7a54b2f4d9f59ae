#pragma once

#include "betting/Bets.h"
#include "windows/Program.h"

#include <QDialog>
#include <optional>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vezal {

// Selections already known with their odds, and a proposed stake the user confirms or changes. "Kaydet"
// places the bet (the ledger's checks refuse with their words) and closes the window.
class PlaceBetDialog : public QDialog {
    Q_OBJECT
public:
    // `probability`: the model's probability of the whole bet, shown when known.
    PlaceBetDialog(Program& program, std::vector<Selection> selections, double proposedStake,
                   std::optional<double> probability, QWidget* parent = nullptr);

    std::optional<qint64> placedBet() const { return placed_; }

private:
    void onPlace();

    Program& program_;
    std::vector<Selection> selections_;
    std::optional<qint64> placed_;

    QTableWidget* selectionsGrid = nullptr; // SelectionsGrid: league, day, match, outcome, odds
    QLabel* totalLabel = nullptr;           // TotalLabel: the bet's odds and probability
    QDoubleSpinBox* stakeBox = nullptr;     // StakeBox: the proposed stake
    QPushButton* placeButton = nullptr;     // PlaceButton: "Kaydet"
    QPushButton* cancelButton = nullptr;    // CancelButton: "Vazgeç"
};

} // namespace vezal
