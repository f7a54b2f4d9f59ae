#pragma once

#include "windows/Program.h"

#include <QIcon>
#include <QSize>
#include <QStringList>
#include <optional>

class QAction;
class QToolBar;
class QWidget;

namespace vezal {

// What the report window and the coupon window, the tool windows beside the main window, share: the same text
// files, dialogs and texts, and the same kind of tool bar.
namespace toolwindow {

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
bool chooseAndWrite(Program& program, QWidget* parent, const QStringList& lines, const QString& defaultName);

// A tool window has the system menu and minimising in its title bar, no maximising.
inline constexpr Qt::WindowFlags kTitleBar = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                             Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                             Qt::WindowCloseButtonHint;

// What both windows set up alike: objectName, caption, the window font, the size, and that closing one
// only hides it (it never ends the program; only the main window does).
void setUp(QWidget& window, const char* objectName, const QString& caption, QSize size);

// What a tool button does, and so its picture.
enum class Picture { Open, Save, Print, Close, DeleteLine, DeleteAll };

// The flat tool bar at the top of the window, and one picture button on it with its tool tip. The
// pictures are the desktop icon theme's, with the program's own where the theme has none.
QToolBar* addToolBar(QWidget& window);
QAction* addToolButton(QToolBar& bar, const char* name, Picture picture, const char16_t* tip);
QIcon pictureOf(Picture picture);

} // namespace toolwindow

} // namespace vezal
