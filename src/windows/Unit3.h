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

class Database;
class GridModel;
class MatchTable;

// The results window: played matches are entered here and wrong ones deleted. It reads and writes the
// table through a connection of its own, open only while the window is shown.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    // The window's own connection, beside the main window's.
    static constexpr const char* kConnectionName = "MacSonuc";

    explicit TForm3(Program& program, QWidget* parent = nullptr);
    ~TForm3() override;

    // The main window sets both date pickers (filter date and entry date) before showing the window.
    void setDates(const QDate& day);

    // Every way of closing (close button, Escape) ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void FormClose();
    void ComboBox1Change(int index);
    void DateTimePicker1Change(const QDate& day);
    void Button1Click();
    void Button2Click();

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

    QDateEdit* DateTimePicker1; // DateTimePicker1: filter date, the first day shown
    QComboBox* ComboBox1;       // ComboBox1: chosen league
    QTableView* DBGrid1;        // DBGrid1: the shown rows, read-only
    QDateEdit* DateTimePicker2; // DateTimePicker2: entry date, the match day of a new result
    QComboBox* ComboBox2;       // ComboBox2: home team
    QLineEdit* Memo1;           // Memo1: home goals, one digit
    QComboBox* ComboBox3;       // ComboBox3: away team
    QLineEdit* Memo2;           // Memo2: away goals, one digit
    QPushButton* Button1;       // Button1: "Ekle", enter the result
    QPushButton* Button2;       // Button2: "Sil", delete the current row
};

} // namespace vezal
