#pragma once

#include "evidence/PerMatchCsv.h"
#include "evidence/TrackRecord.h"
#include "windows/Program.h"

#include <QDialog>
#include <optional>

class QChartView;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLayout;
class QPushButton;
class QTableWidget;

namespace vezal {

// "Başarı": how "Tahmin" would have done on a league's past, figure by figure over all seasons and per
// season, beside what always backing the home side or the bookmaker's favourite would have got; the
// first-sign hit rate per season, the flat-stake profit and the model's value bets' profit match by match
// as charts; the matches one by one to a CSV file. The walk's days, the model's xi and the value
// threshold are chosen on a line of settings, as vezal-cli track-record takes them. Shown beside the main
// window.
class TrackRecordWindow : public QDialog {
    Q_OBJECT
public:
    explicit TrackRecordWindow(Program& program, QWidget* parent = nullptr);

    // Reads the league list again and shows the window; a league of the list is chosen and walked. Without
    // one, a shown window stays as it is and a hidden one opens with nothing chosen.
    void open(const QString& league);

private:
    void loadLeagues();
    void onWalk();
    void onTune();
    void onExport();

    // TrackRecordExport.cpp: the figures table to a CSV file, and the form of both files.
    QLayout* buildExportChoices();
    CsvForm chosenCsvForm() const;
    void onExportFigures();

    // TrackRecordSettings.cpp: the line of settings and what it asks the walk for.
    struct WalkSettings {
        QDate from; // null: open
        QDate to;
        ModelWalk modelWalk;
    };
    QLayout* buildSettings();
    void resetSettings(const QString& league);
    std::optional<WalkSettings> chosenSettings(const QString& league); // none: refused, with a warning
    QString settingsText(const WalkSettings& settings) const;

    void showRecord();
    void clearRecord(const QString& status);
    void fillGrid();
    void fillHitRateChart();
    void fillProfitChart();
    void fillCalibrationChart();
    void fillValueProfitChart();

    Program& program_;
    std::optional<TrackRecord> record_; // what the window shows
    bool walking_ = false;
    QString settingsLeague_; // the league the settings were last reset for

    QComboBox* leagueBox = nullptr;         // LeagueBox: the leagues of klasman.dat, sorted
    QPushButton* walkButton = nullptr;      // WalkButton: "Hesapla"
    QPushButton* tuneButton = nullptr;      // TuneButton: "Ayarla", the goals model's xi and goals' share
    QLabel* statusLabel = nullptr;          // StatusLabel: what is shown, or why nothing is
    QTableWidget* figuresGrid = nullptr;    // FiguresGrid: one row per figure, "Tümü" then each season
    QChartView* hitRateChart = nullptr;     // HitRateChart: first-sign hit rate per season, with baselines
    QChartView* profitChart = nullptr;      // ProfitChart: cumulative flat-stake profit
    QChartView* calibrationChart = nullptr; // CalibrationChart: the model's probabilities against outcomes
    QChartView* valueProfitChart = nullptr; // ValueProfitChart: cumulative profit of the model's value bets
    QCheckBox* fromCheck = nullptr;  // FromCheck: "Başlangıç"; unchecked, the walk starts at the first day
    QDateEdit* fromBox = nullptr;    // FromBox
    QCheckBox* toCheck = nullptr;    // ToCheck: "Bitiş"; unchecked, the walk goes to the last day
    QDateEdit* toBox = nullptr;      // ToBox
    QDoubleSpinBox* xiBox = nullptr; // XiBox: "ξ", the goals model's time decay per day
    QDoubleSpinBox* valueThresholdBox = nullptr; // ValueThresholdBox: "Değer eşiği %"
    QPushButton* exportButton = nullptr;         // ExportButton: "Dışa Aktar...", the per-match CSV
    QPushButton* figuresExportButton = nullptr; // FiguresExportButton: "Tabloyu Dışa Aktar...", the figures
    QComboBox* csvFormBox = nullptr;            // CsvFormBox: Turkish spreadsheet (first) or plain CSV
    QPushButton* closeButton = nullptr;         // CloseButton: "Kapat"
};

} // namespace vezal
