#pragma once

#include "windows/Program.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vezal {

// "Fikstür Tahmini": every match of a fixture file predicted as if its two teams were chosen in the main
// window and "Tahmin" pressed with the line's running number as the match number. Each commentary block
// goes to the report and each coupon line to the coupon, by the rules of one press; a pairing the press
// refuses is listed with the press's own warning. Shown modally from the main window.
class FixtureWindow : public QDialog {
    Q_OBJECT
public:
    explicit FixtureWindow(Program& program, QWidget* parent = nullptr);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onChooseFile();
    void onPredict();

    Program& program_;
    QString path_; // the chosen file

    QLineEdit* fileBox = nullptr;         // FileBox: the chosen file, read-only
    QPushButton* chooseButton = nullptr;  // ChooseFileButton: "Dosya Seç..."
    QComboBox* leagueBox = nullptr;       // LeagueBox: the league whose tables predict
    QPushButton* predictButton = nullptr; // PredictButton: "Tahmin Et"
    QListWidget* outcomeList = nullptr;   // OutcomeList: one line per fixture
    QPushButton* closeButton = nullptr;   // CloseButton: "Kapat"
};

} // namespace vezal
