#pragma once

#include "betting/Bulletin.h"
#include "betting/BulletinChoices.h"
#include "windows/Program.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableWidget;

namespace vezal {

// "Haftanın Bülteni": a fixture file's matches, each outcome with the goals model's and the bookmaker's
// probability, the odds, their value and a stake, beside "Tahmin"'s own signs and score; above them how
// the same rule did on each league's past. The stake settings are kept between starts. Shown beside the
// main window.
class BulletinWindow : public QDialog {
    Q_OBJECT
public:
    explicit BulletinWindow(Program& program, QWidget* parent = nullptr);

    // Reads the league list again and shows the window.
    void open();

    // Where "Web'den Al" reads the coming matches: the site, unless a test gives its own file.
    QString fixturesAddress;

private:
    void onChooseFile();
    void onFetch();
    void onList();
    void onAddToCoupon();
    void onPlaceBet();
    void onRowChosen(int row);
    void fillEvidence(const std::vector<Fixture>& fixtures, const BulletinRule& rule);
    void fillRows(const std::vector<BulletinRow>& rows);
    // BulletinWindowRows.cpp: a row's odds, source, value, flag and stake cells, its colours with them.
    void showPrices(int gridRow, const BulletinRow& row);
    // The odds typed over the row at `place` of the listing `listing`, taken once the cell's editor has
    // closed; a text that is no odds is refused and the old price stays.
    void onOddsTyped(int listing, int place, const QString& text);
    // The listed rows at the odds typed, shown again where they are, the foot with them.
    void priceAgain();
    void showSummary();
    // klasman.dat's leagues after "dosyadaki kod", the league chosen before staying chosen.
    void loadLeagues();
    // The fixture file in its box, kept for the next start.
    void setFile(const QString& path);
    void saveFile(const QString& path);
    // The settings boxes as a rule; none, after a warning, when a box does not hold a usable number.
    std::optional<BulletinRule> readRule();
    void loadSettings();
    void saveSettings(const BulletinRule& rule);
    QString settingsPath() const;

    Program& program_;
    QString path_;
    std::vector<Fixture> fixtures_;          // what the rows point into
    std::vector<const Fixture*> rowFixture_; // by the row's original place
    std::vector<BulletinRow> rows_;          // by the row's original place, at the odds typed
    std::vector<BulletinRow> listedRows_;    // the same at the file's odds
    StakeRule listedStake_;                  // the stakes' rule of the listing
    TypedOdds typed_;                        // until the file is read again
    QString skipped_;                        // the status's skipped codes
    int listing_ = 0;                        // counts the listings, so a late edit of an old one is dropped
    bool filling_ = false;                   // cells written by the window, not typed
    bool listed_ = false;                    // rows are shown, so that a changed setting lists again

    QLineEdit* fileBox = nullptr;         // FileBox: the fixture file
    QPushButton* chooseButton = nullptr;  // ChooseFileButton: "Dosya Seç..."
    QPushButton* fetchButton = nullptr;   // FetchButton: "Web'den Al", the site's coming matches
    QComboBox* leagueBox = nullptr;       // LeagueBox: first "dosyadaki kod", the file's league codes decide
    QComboBox* oddsBox = nullptr;         // OddsBox: "En yüksek", "Ortalama" or a bookmaker's code
    QLineEdit* bankrollBox = nullptr;     // BankrollBox
    QLineEdit* fractionBox = nullptr;     // FractionBox: the fraction of Kelly
    QLineEdit* thresholdBox = nullptr;    // ThresholdBox: least value
    QLineEdit* maxStakeBox = nullptr;     // MaxStakeBox: the most of the bankroll on one bet
    QLineEdit* totalMaxBox = nullptr;     // TotalMaxBox: the most of the bankroll on the whole bulletin
    QLineEdit* bookmakersBox = nullptr;   // BookmakersBox: the bookmakers "En yüksek" takes; empty for all
    QLineEdit* commissionBox = nullptr;   // CommissionBox: the exchange's share of winnings
    QCheckBox* fairBox = nullptr;         // FairRowsBox: "Adil oranlar", the pool's unpriced markets too
    QPushButton* listButton = nullptr;    // ListButton: "Listele"
    QSplitter* split = nullptr;           // EvidenceSplitter: the evidence above the rows
    QTableWidget* evidenceGrid = nullptr; // EvidenceGrid: the rule's past per league and market
    QTableWidget* rowsGrid = nullptr;     // RowsGrid: the rows, sortable, value rows highlighted
    QLabel* statusLabel = nullptr;        // StatusLabel: skipped lines and what is shown
    QLabel* totalLabel = nullptr;         // TotalLabel: the bets, their stake and expected profit
    QPushButton* couponButton = nullptr;  // CouponButton: "Kupona Ekle"
    QPushButton* betButton = nullptr;     // BetButton: "Bahis Yap" on the chosen rows
    QPushButton* closeButton = nullptr;   // CloseButton: "Kapat"
};

} // namespace vezal
