#pragma once

#include "windows/Program.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vezal {

// The maker's details: the about box shows them, the main window's caption and status bar name them.
namespace maker {
inline constexpr const char16_t* kInitials = u"VZ";
inline constexpr const char16_t* kCredit = u"Vezal";
inline constexpr const char16_t* kCreditLine = u"Futbol tahmin programı: Vezal";
inline constexpr const char16_t* kWebAddress = u"www.vezal.example";
inline constexpr const char16_t* kWebPage = u"http://www.vezal.example/index.asp";
inline constexpr const char16_t* kMailAddress = u"bilgi@vezal.example";
inline constexpr const char16_t* kRights1 = u"Tüm hakları saklıdır.";
inline constexpr const char16_t* kRights2 = u"Tahminler yalnızca bilgi içindir.";
} // namespace maker

// The about box "Hakkında": the product, the maker and two links; shown modally.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(Program& program, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OKButtonClick();
    void Label1Click();
    void Label2Click();

    Program& program_;
    QLabel* ProgramIcon = nullptr;   // ProgramIcon: the program's icon, top left
    QLabel* ProductName = nullptr;   // ProductName: "Futbol Vezal  2.0"
    QLabel* Initials = nullptr;      // the maker's initials
    QLabel* Credit = nullptr;        // the maker's credit
    QLabel* Label1 = nullptr;        // Label1: the web page address, opens it
    QLabel* Label2 = nullptr;        // Label2: the mail address, writes a mail and closes the box
    QLabel* Label3 = nullptr;        // Label3: first rights line
    QLabel* Label4 = nullptr;        // Label4: second rights line
    QPushButton* OKButton = nullptr; // OKButton: "OK", the default button, closes the box
};

} // namespace vezal
