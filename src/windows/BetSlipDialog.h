#pragma once

#include "prediction/Coupon.h"
#include "windows/Program.h"

#include <QDialog>
#include <QStringList>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vezal {

// The coupon's lines as a bet: each line's league, day, outcome and odds, and the stake. A line the
// program made keeps its pairing's league and day; only a line read from a file asks for them. "Kaydet"
// places the bet (the ledger's checks refuse with their words) and closes the window.
class BetSlipDialog : public QDialog {
    Q_OBJECT
public:
    BetSlipDialog(Program& program, const std::vector<CouponEntry>& coupon, QWidget* parent = nullptr);

    // The bet placed, once "Kaydet" has placed one.
    std::optional<qint64> placedBet() const { return placed_; }

private:
    struct Row {
        QString home;
        QString away;
        std::optional<CouponPairing> pairing;
    };
    void onPlace();

    Program& program_;
    std::vector<Row> rows_;
    std::optional<qint64> placed_;

    // SelectionsGrid: league and day (a drop-down and a date box where the line does not know them),
    // match, outcome (a drop-down), odds (a box).
    QTableWidget* selectionsGrid = nullptr;
    QLineEdit* stakeBox = nullptr;       // StakeBox
    QPushButton* placeButton = nullptr;  // PlaceButton: "Kaydet"
    QPushButton* cancelButton = nullptr; // CancelButton: "Vazgeç"
};

// The home team, the away team and the outcome a coupon line names ("1  -  Kartal - Bolu\t :   1"):
// a single sign, or "ALT" / "ÜST"; none for a line of another shape.
struct CouponPick {
    QString home;
    QString away;
    QString outcome; // "1" "0" "2" "ALT" "UST", or empty for a double chance or a goals band
};
std::optional<CouponPick> readCouponLine(const QString& line);

} // namespace vezal
