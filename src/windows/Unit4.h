#pragma once

#include "windows/Program.h"

#include <QStringList>
#include <QStyle>
#include <QWidget>
#include <optional>

class QAction;
class QKeyEvent;
class QPlainTextEdit;
class QPrinter;
class QToolBar;

namespace vezal {

// What the report window and the coupon window share: the same text files, dialogs and texts, and the
// same kind of tool bar.
namespace companion {

inline constexpr const char16_t* kNothingToSave = u"Programa Herhangibir Tahmin yaptırtmadınız  ... ";
inline constexpr const char16_t* kOpenTitle = u"Dosya Seçiminizi Yapın";
inline constexpr const char16_t* kOpenFilter = u"Text Dosyalar (*.txt)|*.txt|";
inline constexpr const char16_t* kSaveTitle = u"Dosya Olarak Kaydet";
inline constexpr const char16_t* kSaveFilter = u"Text Dosyalar (*.txt)|*.txt";

// The program folder becomes the working folder and the open dialog asks for a file; its lines, or
// nothing when the user cancels. A file that cannot be read throws StoreError.
std::optional<QStringList> chooseAndRead(Program& program, QWidget* parent);

// Refuses lines that the Turkish code page cannot hold (a warning, nothing written), else makes the
// program folder the working folder, asks for a file and replaces it with the lines. False when refused
// or cancelled. A file that cannot be written throws StoreError.
bool chooseAndWrite(Program& program, QWidget* parent, const QStringList& lines,
                    const QString& defaultSuffix);

// Places a companion window in the middle of the main window, as it is first shown.
void centreOnMainWindow(QWidget& window, const Program& program);

// A companion window has the system menu and minimising in its title bar, no maximising.
inline constexpr Qt::WindowFlags kTitleBar = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                             Qt::WindowCloseButtonHint;

// The flat tool bar at the top of the window, and one picture button on it with its tool tip. The
// pictures are the style's own, which follow the desktop's icon theme where there is one.
QToolBar* addToolBar(QWidget& window);
QAction* addToolButton(QToolBar& bar, const char* name, QStyle::StandardPixmap picture, const char16_t* tip);

} // namespace companion

// The report window: the commentaries of the predictions in an editable text area that the user can
// load, save and print. Closing only hides it.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(Program& program, QWidget* parent = nullptr);

    // Adds each line as a new line at the end of the report, whether the window is shown or not.
    void appendLines(const QStringList& lines);
    // The report text line by line, the user's edits included.
    QStringList lines() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool FormKeyPress(QKeyEvent* event); // true when the key was the window's own
    void ToolButton2Click();
    void ToolButton4Click();
    void ToolButton6Click();
    void ToolButton7Click();

    Program& program_;
    QToolBar* ToolBar1;    // ToolBar1: the four actions
    QAction* ToolButton2;  // ToolButton2: "Aç", open a report file
    QAction* ToolButton4;  // ToolButton4: "Kaydet", save the report
    QAction* ToolButton6;  // ToolButton6: "Yazdır", print the report
    QAction* ToolButton7;  // ToolButton7: "Çıkış", hide the window
    QPlainTextEdit* Memo1; // Memo1: the report text
    bool placed_ = false;  // centred once; afterwards the user's placement stays
};

} // namespace vezal
