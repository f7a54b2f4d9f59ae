#pragma once

#include "windows/Program.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vezal {

class GridModel;

// The team list window "  TAKIM LİSTESİ": teams are registered in a league with their starting points and
// deleted with their matches. Shown modally from the main window.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(Program& program, QWidget* parent = nullptr);
    ~TForm2() override;

    // Every way of closing (close button, Escape) comes through here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void ComboBox1Change();
    void Button1Click();
    void Button2Click();
    void FormClose();
    void listTeams();

    Program& program_;
    GridModel* teamList_ = nullptr; // the league's teams, one column Etkm

    QComboBox* ComboBox1 = nullptr; // ComboBox1: the league whose teams are shown and added to
    QTableView* DBGrid1 = nullptr;  // DBGrid1: the league's teams; its current row is the team to delete
    QLabel* Label1 = nullptr;       // Label1: "Takım Adı"
    QLineEdit* Edit1 = nullptr;     // Edit1: name of the team to add
    QLabel* Label2 = nullptr;       // Label2: "Puan"
    QLineEdit* Memo1 = nullptr;     // Memo1: starting points, digits and the comma only
    QPushButton* Button1 = nullptr; // Button1: "Ekle", register the team
    QPushButton* Button2 = nullptr; // Button2: "Sil", delete the team and its matches
};

} // namespace vezal
