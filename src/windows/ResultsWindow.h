#pragma once

#include "windows/Program.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vezal {

class DateBox;

class Database;
class GridModel;
class MatchTable;

// The results window: played matches are entered here and wrong ones deleted. It reads and writes the
// table through a connection of its own, open only while the window is shown.
class ResultsWindow : public QDialog {
    Q_OBJECT
public:
    // The window's own connection, beside the main window's.
    static constexpr const char* kConnectionName = "MacSonuc";

    explicit ResultsWindow(Program& program, QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // The main window sets both date pickers (filter date and entry date) before showing the window.
    void setDates(const QDate& day);

    // Every way of closing (close button, Escape) ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onShown();
    void closeDown();
    void onLeagueChosen(int index);
    void onFilterDateChanged(const QDate& day);
    void onEnter();
    void onDelete();

    void loadLeagues();
    void openView();
    void closeView();
    // Reads the shown rows again from the first one.
    void refilter();
    // Makes the row with this Sr current; reads further rows only when allowed to.
    bool locateRow(qint64 sr, bool readFurther);
    void makeCurrent(int row);
    void centreOnMainWindow();

    Program& program_;
    std::unique_ptr<Database> database_; // open while the window is shown
    std::unique_ptr<MatchTable> table_;  // over database_
    GridModel* model_;                   // the shown rows, read lazily

    DateBox* filterDateBox;    // DateTimePicker1: filter date, the first day shown
    QComboBox* leagueBox;      // ComboBox1: chosen league
    QTableView* rowGrid;       // DBGrid1: the shown rows, read-only
    DateBox* dayBox;           // DateTimePicker2: entry date, the match day of a new result
    QComboBox* homeTeamBox;    // ComboBox2: home team
    QLineEdit* homeGoalsBox;   // Memo1: home goals, one digit
    QComboBox* awayTeamBox;    // ComboBox3: away team
    QLineEdit* awayGoalsBox;   // Memo2: away goals, one digit
    QPushButton* enterButton;  // Button1: "Ekle", enter the result
    QPushButton* deleteButton; // Button2: "Sil", delete the current row
};

} // namespace vezal
