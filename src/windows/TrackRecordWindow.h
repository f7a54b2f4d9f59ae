#pragma once

#include "evidence/PerMatchCsv.h"
#include "evidence/TrackRecord.h"
#include "windows/Program.h"

#include <QDialog>
#include <optional>

class QChartView;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QTableWidget;

namespace vezal {

// "Başarı": how "Tahmin" would have done on a league's past, figure by figure over all seasons and per
// season, beside what always backing the home side or the bookmaker's favourite would have got; the
// first-sign hit rate per season and the flat-stake profit match by match as charts; the matches one by
// one to a CSV file. Shown beside the main window.
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
    void showRecord();
    void clearRecord(const QString& status);
    void fillGrid();
    void fillHitRateChart();
    void fillProfitChart();
    void fillCalibrationChart();

    Program& program_;
    std::optional<TrackRecord> record_; // what the window shows
    bool walking_ = false;

    QComboBox* leagueBox = nullptr;         // LeagueBox: the leagues of klasman.dat, sorted
    QPushButton* walkButton = nullptr;      // WalkButton: "Hesapla"
    QPushButton* tuneButton = nullptr;      // TuneButton: "Ayarla", the goals model's xi and goals' share
    QLabel* statusLabel = nullptr;          // StatusLabel: what is shown, or why nothing is
    QTableWidget* figuresGrid = nullptr;    // FiguresGrid: one row per figure, "Tümü" then each season
    QChartView* hitRateChart = nullptr;     // HitRateChart: first-sign hit rate per season, with baselines
    QChartView* profitChart = nullptr;      // ProfitChart: cumulative flat-stake profit
    QChartView* calibrationChart = nullptr; // CalibrationChart: the model's probabilities against outcomes
    QPushButton* exportButton = nullptr;    // ExportButton: "Dışa Aktar...", the per-match CSV
    QPushButton* figuresExportButton = nullptr; // FiguresExportButton: "Tabloyu Dışa Aktar...", the figures
    QComboBox* csvFormBox = nullptr;            // CsvFormBox: Turkish spreadsheet (first) or plain CSV
    QPushButton* closeButton = nullptr;         // CloseButton: "Kapat"
};

} // namespace vezal
