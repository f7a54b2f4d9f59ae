#pragma once

#include "windows/Program.h"

#include <QDialog>
#include <QStringList>
#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace vezal {

class DateBox;

// The coupon's lines as a bet: the league and day of their matches, each line's outcome and odds, and the
// stake. "Kaydet" places the bet (the ledger's checks refuse with their words) and closes the window.
class BetSlipDialog : public QDialog {
    Q_OBJECT
public:
    BetSlipDialog(Program& program, const QStringList& couponLines, QWidget* parent = nullptr);

    // The bet placed, once "Kaydet" has placed one.
    std::optional<qint64> placedBet() const { return placed_; }

private:
    void onPlace();

    Program& program_;
    QStringList homes_;
    QStringList aways_;
    std::optional<qint64> placed_;

    QComboBox* leagueBox = nullptr;         // LeagueBox: the league of the matches
    DateBox* dayBox = nullptr;              // DayBox: their day
    QTableWidget* selectionsGrid = nullptr; // SelectionsGrid: match, outcome (a drop-down), odds
    QDoubleSpinBox* stakeBox = nullptr;     // StakeBox
    QPushButton* placeButton = nullptr;     // PlaceButton: "Kaydet"
    QPushButton* cancelButton = nullptr;    // CancelButton: "Vazgeç"
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
