#pragma once

#include "exchange/MatchFile.h"
#include "windows/Program.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace vezal {

// "Sonuçları İçe Aktar": a season's results from a CSV file into a league. Before anything is written
// it shows the file's first rows as read, what would be added, what the table already holds and which
// lines cannot be used and why; "Aktar" then imports all or nothing, with a progress dialog that can
// cancel. Shown modally from the main window, whose view shows the league afterwards.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ImportWindow(Program& program, QWidget* parent = nullptr);
    ~ImportWindow() override;

    // Every way of closing comes through here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onChooseFile();
    // Reads the file and counts again (a dry run) whenever the file, the league or the points change.
    void preview();
    void onImport();
    void onSaveRejected();
    void showCounts(qsizetype added, qsizetype present, qsizetype rejected, qsizetype conflicts = 0);
    // The lines each list keeps, in line order, and how many more there are.
    void showRejected(std::initializer_list<const LineNotes*> parts);
    // The starting points typed, or none (with the warning shown) when they cannot be used.
    std::optional<double> startingPoints();
    void clear();

    Program& program_;
    MatchFileReading reading_; // the chosen file as read

    QLineEdit* fileBox = nullptr;              // FileBox: the chosen file, read-only
    QPushButton* chooseButton = nullptr;       // ChooseFileButton: "Dosya Seç..."
    QComboBox* leagueBox = nullptr;            // LeagueBox: a league of klasman.dat, or a new name typed
    QLineEdit* pointsBox = nullptr;            // PointsBox: starting points of the teams the league lacks
    QTableWidget* previewGrid = nullptr;       // PreviewGrid: the file's first rows as read
    QLabel* countsLabel = nullptr;             // CountsLabel: to add, already present, rejected, conflicts
    QListWidget* rejectedList = nullptr;       // RejectedList: "Satır N: reason", conflicts and remarks too
    QPushButton* saveRejectedButton = nullptr; // SaveRejectedButton: the refused lines to a text file
    QPushButton* importButton = nullptr;       // ImportButton: "Aktar"
    QPushButton* closeButton = nullptr;        // CloseButton: "Kapat"
};

} // namespace vezal
