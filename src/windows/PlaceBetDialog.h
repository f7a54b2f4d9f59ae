#pragma once

#include "betting/Bets.h"
#include "windows/Program.h"

#include <QDialog>
#include <optional>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
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
    // The selections' odds as their boxes hold them: a box as it was shown keeps the exact odds given; none,
    // after a warning, for a box that holds no odds.
    std::optional<std::vector<double>> readOdds(bool warn);
    void showTotal();

    Program& program_;
    std::vector<Selection> selections_;
    std::optional<qint64> placed_;
    std::optional<double> probability_;
    std::vector<QString> shownOdds_; // each selection's odds as first shown

    QTableWidget* selectionsGrid = nullptr; // SelectionsGrid: league, day, match, outcome, odds (OddsBox)
    QLabel* totalLabel = nullptr;           // TotalLabel: the bet's odds and probability
    QDoubleSpinBox* stakeBox = nullptr;     // StakeBox: the proposed stake
    QPushButton* placeButton = nullptr;     // PlaceButton: "Kaydet"
    QPushButton* cancelButton = nullptr;    // CancelButton: "Vazgeç"
};

} // namespace vezal
