#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vezal {

class Program;

// "  LİG KAYNAĞI": where a league's season file is read from by "Verileri Güncelle", and its code in the
// file. The well-known leagues' drop-down fills both with this season's address.
class LeagueSourceWindow : public QDialog {
    Q_OBJECT
public:
    // Reads the league's source from the database; throws StoreError when it cannot.
    LeagueSourceWindow(Program& program, const QString& league, QWidget* parent = nullptr);

private:
    void onKnownLeague(int index);
    void onChooseFile();
    void onSave();

    Program& program_;
    QString league_;
    QComboBox* knownLeagueBox = nullptr;     // KnownLeagueBox: football-data.co.uk's leagues
    QLineEdit* codeBox = nullptr;            // CodeBox: the league's code in the file (Div)
    QLineEdit* sourceBox = nullptr;          // SourceBox: address or file path
    QPushButton* chooseFileButton = nullptr; // ChooseFileButton
    QPushButton* saveButton = nullptr;       // SaveButton: "Kaydet"
    QPushButton* cancelButton = nullptr;     // CancelButton: "Vazgeç"
};

} // namespace vezal
