#pragma once

#include <QDate>
#include <QString>
#include <functional>

class QWidget;

namespace vezal {

class Dialogs;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TAboutBox;
class TForm7;
class TForm8;

// The single instance of every window, filled in creation order; a window reaches the others here.
struct Forms {
    QWidget* mainWindow = nullptr; // Form1, for the windows that only show it again or centre on it
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TAboutBox* AboutBox = nullptr;
    TForm7* Form7 = nullptr;
    TForm8* Form8 = nullptr;
};

// What every window is given: the program folder (klasman.dat, Fvt/), the dialogs, the clock and the
// other windows. main() passes the executable's folder, the real dialogs and the system clock; tests a
// temporary folder, scripted dialogs and a fixed day.
struct Program {
    QString folder;
    Dialogs& dialogs;
    std::function<QDate()> today;
    Forms forms;
};

} // namespace vezal
