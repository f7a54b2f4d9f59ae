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
class TeamListWindow : public QDialog {
    Q_OBJECT
public:
    explicit TeamListWindow(Program& program, QWidget* parent = nullptr);
    ~TeamListWindow() override;

    // Every way of closing (close button, Escape) comes through here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillLeagues();
    void onLeagueChosen();
    void onAdd();
    void onDelete();
    void emptyOnClose();
    void listTeams();

    Program& program_;
    GridModel* teamList_ = nullptr; // the league's teams, one column Etkm

    QComboBox* leagueBox = nullptr;      // ComboBox1: the league whose teams are shown and added to
    QTableView* teamGrid = nullptr;      // DBGrid1: the league's teams; its current row is the team to delete
    QLabel* nameLabel = nullptr;         // Label1: "Takım Adı"
    QLineEdit* nameBox = nullptr;        // Edit1: name of the team to add
    QLabel* pointsLabel = nullptr;       // Label2: "Puan"
    QLineEdit* pointsBox = nullptr;      // Memo1: starting points, digits and the comma only
    QPushButton* addButton = nullptr;    // Button1: "Ekle", register the team
    QPushButton* deleteButton = nullptr; // Button2: "Sil", delete the team and its matches
};

} // namespace vezal
