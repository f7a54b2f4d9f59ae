#pragma once

#include "windows/Program.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vezal {

// The about box "Hakkında": the product, the maker and two links; shown modally.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(Program& program, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onOk();
    void onWebPage();
    void onMail();

    Program& program_;
    QLabel* iconLabel = nullptr;     // ProgramIcon: the program's icon, top left
    QLabel* productLabel = nullptr;  // ProductName: "Futbol Vezal  2.0"
    QLabel* initialsLabel = nullptr; // the maker's initials
    QLabel* creditLabel = nullptr;   // the maker's credit
    QLabel* webPageLabel = nullptr;  // Label1: the web page address, opens it
    QLabel* mailLabel = nullptr;     // Label2: the mail address, writes a mail and closes the box
    QLabel* rightsLabel1 = nullptr;  // Label3: first rights line
    QLabel* rightsLabel2 = nullptr;  // Label4: second rights line
    QLabel* folderLabel = nullptr;   // DataFolderLabel: the data folder in use, in full in its tool tip
    QPushButton* okButton = nullptr; // OKButton: "OK", the default button, closes the box
};

} // namespace vezal
