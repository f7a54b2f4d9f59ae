#pragma once

#include "windows/Program.h"

#include <QStringList>
#include <QWidget>

class QAction;
class QKeyEvent;
class QPlainTextEdit;
class QPrinter;
class QToolBar;

namespace vezal {

// The report window: the commentaries of the predictions in an editable text area that the user can
// load, save and print. Closing only hides it.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReportWindow(Program& program, QWidget* parent = nullptr);

    // Adds each line as a new line at the end of the report, whether the window is shown or not.
    void appendLines(const QStringList& lines);
    // The report text line by line, the user's edits included.
    QStringList lines() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool handleWindowKey(QKeyEvent* event); // true when the key was the window's own
    void onOpen();
    void onSave();
    void onPrint();
    QString printHeader() const;
    void onHide();

    Program& program_;
    QToolBar* toolBar;          // ToolBar1: the four actions
    QAction* openAction;        // ToolButton2: "Aç", open a report file
    QAction* saveAction;        // ToolButton4: "Kaydet", save the report
    QAction* printAction;       // ToolButton6: "Yazdır", print the report
    QAction* hideAction;        // ToolButton7: "Çıkış", hide the window
    QPlainTextEdit* reportText; // Memo1: the report text
    bool placed_ = false;       // centred once; afterwards the user's placement stays
};

} // namespace vezal
