#pragma once

#include "windows/Program.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace vezal {

// The league list window "  LİG LİSTESİ": leagues are added to klasman.dat here and deleted from it and
// from the table. Shown modally from the main window, which fills its list first.
class LeagueListWindow : public QDialog {
    Q_OBJECT
public:
    explicit LeagueListWindow(Program& program, QWidget* parent = nullptr);

    // The list's items, replaced, in the order given (the file's order).
    void setLeagues(const QStringList& names);
    QStringList listedLeagues() const;

    // Every way of closing (close button, Escape) comes through here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void focusName();
    void onAdd();
    void onDelete();
    void onSource();
    void emptyOnClose();

    Program& program_;
    QListWidget* leagueList = nullptr;   // ListBox1: the league names, file order
    QLineEdit* nameBox = nullptr;        // Edit1: name of a new league
    QPushButton* addButton = nullptr;    // Button1: "Ekle", add the typed league
    QPushButton* deleteButton = nullptr; // Button2: "Sil", delete the selected league
    QPushButton* sourceButton = nullptr; // SourceButton: "Kaynak...", the selected league's source
    bool cutShown_ = false; // the status line says that the typed name is longer than the table keeps
    QStatusBar* statusBar = nullptr; // StatusBar1: the last warning
};

} // namespace vezal
