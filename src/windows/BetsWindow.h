#pragma once

#include "betting/Bets.h"
#include "store/Database.h"
#include "windows/Program.h"

#include <QDialog>
#include <optional>
#include <vector>

class QChartView;
class QDoubleSpinBox;
class QLabel;
class QComboBox;
class QPushButton;
class QTableWidget;

namespace vezal {

// "Bahislerim": the bets placed, open ones first, each settled from the table as it is: read when the
// window is opened, again while it is shown whenever the program writes results or bets, and when it is
// activated after another process wrote; the starting bankroll, the totals, the bankroll over time and the
// figures per league and per market; the bets to a CSV file for a spreadsheet. Shown beside the main window.
class BetsWindow : public QDialog {
    Q_OBJECT
public:
    explicit BetsWindow(Program& program, QWidget* parent = nullptr);
    ~BetsWindow() override;

    // Reads the bets again and shows the window.
    void open();
    // Reads the bets again.
    void refresh();

protected:
    // Activated, it reads the bets again when another process has written since it last read them.
    bool event(QEvent* event) override;

private:
    // Reads the bets again unless nothing was committed since they were read; not inside a transaction
    // still open (its end is told again).
    void refreshIfChanged();
    void fillBets();
    void fillTotals();
    void fillChart();
    void fillGroups(QTableWidget* grid, const std::vector<LedgerGroup>& groups);
    std::optional<qint64> chosenBet() const;
    void onBankroll();
    void onVoid();
    void onDelete();
    void onExport();

    Program& program_;
    std::vector<BetRecord> bets_;
    double bankroll_ = 0;
    std::optional<Database::ChangeStamp> readAt_; // what the file held when the bets were read

    QDoubleSpinBox* bankrollBox = nullptr; // BankrollBox: the starting bankroll, kept with the bets
    QLabel* totalsLabel = nullptr;       // TotalsLabel: bets, won, lost, staked, profit, yield, CLV, balance
    QTableWidget* betsGrid = nullptr;    // BetsGrid: one row per bet
    QChartView* bankrollChart = nullptr; // BankrollChart: the balance after each settling day
    QTableWidget* leagueGrid = nullptr;  // LeagueGrid: the figures per league
    QTableWidget* marketGrid = nullptr;  // MarketGrid: the figures per market
    QPushButton* voidButton = nullptr;   // VoidButton: "İptal Et", the chosen bet void
    QPushButton* deleteButton = nullptr; // DeleteButton: "Sil", the chosen bet
    QComboBox* csvFormBox = nullptr;     // CsvFormBox: the export's form, Turkish spreadsheet or plain
    QPushButton* exportButton = nullptr; // ExportButton: "Dışa Aktar...", the bets as CSV
    QPushButton* closeButton = nullptr;  // CloseButton: "Kapat"
};

} // namespace vezal
