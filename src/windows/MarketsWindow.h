#pragma once

#include "betting/Value.h"
#include "model/Pricing.h"
#include "model/ScoreGrid.h"
#include "windows/Program.h"

#include <QDate>
#include <QDialog>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vezal {

// "Piyasalar": every market of the pairing the "Olasılıklar" panel shows, priced from the forecast's score
// grid, with a cell to type the odds on offer: the value and the stake follow at once. Typed odds stay with
// the pairing and its day while the program runs, so that going back to a pairing finds them again.
class MarketsWindow : public QDialog {
    Q_OBJECT
public:
    struct Pairing {
        QString league;
        QString home;
        QString away;
        QDate day;
        model::ScoreGrid grid;
        std::optional<model::ThreeWay> oneXTwo; // the panel's odds, the result market's offered odds
        StakeRule stake;
    };

    explicit MarketsWindow(Program& program, QWidget* parent = nullptr);

    void showPairing(Pairing pairing);
    // No pairing to price (the panel refused one): the rows go, the typed odds stay.
    void clearPairing();

    // "Bahis Yap" on the chosen row at its odds, with the stake proposed.
    struct Bet {
        model::MarketOutcome outcome;
        double odds = 0;
        double probability = 0; // the outcome's chance of a win
        double stake = 0;
    };
    std::function<void(const Bet&)> placeBet;

private:
    void fillRows();
    void showValue(int gridRow);
    void onOddsTyped(int gridRow, const QString& text);
    void onBet();
    QString pairingKey() const;
    std::optional<double> offeredOdds(std::size_t outcome) const;

    Program& program_;
    std::optional<Pairing> pairing_;
    std::vector<model::PricedOutcome> priced_;
    // Per pairing and day, the odds typed per outcome code.
    std::map<QString, std::map<QString, double>> typed_;
    bool filling_ = false;

    QLabel* pairingLabel = nullptr;     // MarketsPairing: the pairing and its day
    QComboBox* marketBox = nullptr;     // MarketsFilter: one market or all of them
    QTableWidget* grid = nullptr;       // MarketsTable
    QPushButton* betButton = nullptr;   // MarketsBetButton: "Bahis Yap"
    QPushButton* closeButton = nullptr; // MarketsCloseButton: "Kapat"
};

} // namespace vezal
