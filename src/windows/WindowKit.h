#pragma once

#include "exchange/CsvWriter.h"

#include <QFont>

class QAbstractItemModel;
class QComboBox;
class QLineEdit;
class QProgressDialog;
class QPushButton;
class QString;
class QTableView;
class QWidget;

namespace vezal {

class Dialogs;
class GridModel;
class Program;

// The font of the program's windows; the application lets "Comic Neue" stand in where "Comic Sans MS" is
// missing.
QFont windowFont();

// Places a window centred over another one (or over its screen when there is none). A hidden main window
// (an administration window is open) still has its place on the screen.
void centreOver(QWidget* window, const QWidget* over);
// Over the program's main window.
void centreOverMainWindow(QWidget* window, const Program& program);

// An administration window closing brings the hidden main window back.
void showMainWindowAgain(const Program& program);

// A read-only grid over a model: whole rows, one at a time, compact rows without row numbers.
QTableView* makeGrid(const QString& name, QAbstractItemModel* model, QWidget* parent = nullptr);

// A grid's rows that stop at an engine error go to the error display, once per query.
void reportReadErrors(GridModel* model, QWidget* window, Dialogs& dialogs);

// A dialog of the program: its objectName, caption, the dialog title bar and the window font.
void setUpDialog(QWidget* dialog, const char* objectName, const QString& caption);

// A read-only box for the chosen file's path (FileBox) and its "Dosya Seç..." button (ChooseFileButton).
struct FileChooser {
    QLineEdit* box = nullptr;
    QPushButton* button = nullptr;
};
FileChooser makeFileChooser(QWidget* parent);

// The file dialog's filter for result and fixture files, written the program's way.
inline constexpr const char16_t* kCsvFilter = u"CSV Dosyalar (*.csv, *.txt)|*.csv;*.txt|";

// klasman.dat's leagues, in Turkish order, into a league list with none chosen. Throws StoreError when
// the file cannot be read.
void fillWithLeagues(QComboBox* box, const Program& program);

// A drop-down list without free text.
QComboBox* makeDropDown(const QString& name, QWidget* parent = nullptr);

// Wide enough that the title bar shows the whole title beside its buttons (a progress dialog is narrow).
void fitTitle(QWidget* dialog);

// The form of a CSV file to write (CsvFormBox): the Turkish spreadsheet's first, then plain.
QComboBox* makeCsvFormBox(QWidget* parent);
CsvForm chosenCsvForm(const QComboBox* box);

// A progress dialog of the program: its objectName and title (fitted), the window font, modal to its
// window, shown only when the work lasts longer than showAfterMs, and kept open at the end of its count.
void setUpProgress(QProgressDialog& progress, const char* objectName, const QString& title,
                   int showAfterMs = 500);
// A work's progress reported to the dialog, letting the windows paint; false once it was cancelled.
bool reportProgress(QProgressDialog& progress, qsizetype done, qsizetype total);

// A fixed-size dialog's title bar: the system menu and closing, nothing that would not work.
void setDialogTitleBar(QWidget* dialog);

} // namespace vezal
