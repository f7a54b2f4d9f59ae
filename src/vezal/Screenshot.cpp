// vezal-screenshot PROGRAM_FOLDER OUTPUT_FOLDER: README's pictures of the main window and the team list
// window, taken from the program's own windows on the data of PROGRAM_FOLDER. Run by scripts/screenshot.sh.
#include "Application.h"
#include "store/MatchTable.h"
#include "windows/Dialogs.h"
#include "windows/Program.h"
#include "windows/Unit1.h"
#include "windows/Unit2.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTextStream>

namespace {

// Nobody answers: modal windows are shown without waiting, and every message goes to the error stream.
class UnattendedDialogs : public vezal::Dialogs {
public:
    void warn(QWidget*, const QString& text) override { report(text); }
    bool ask(QWidget*, const QString&, const QString& text, bool) override {
        report(text);
        return false;
    }
    void showError(QWidget*, const QString& text) override { report(text); }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    void showModal(QDialog* dialog) override { dialog->show(); }
    void openAddress(const QString&) override {}

    int reported = 0;

private:
    void report(const QString& text) {
        QTextStream(stderr) << text << '\n';
        ++reported;
    }
};

void settle() {
    for (int round = 0; round < 10; ++round)
        QCoreApplication::processEvents();
}

// Chooses an item the way a user would, so that whatever the window does on a choice runs.
void choose(QComboBox* box, int index) {
    if (!box || index >= box->count())
        return;
    box->setCurrentIndex(index);
    emit box->activated(index);
    emit box->textActivated(box->itemText(index));
}

bool save(QWidget* window, const QString& path) {
    settle();
    const bool saved = window->grab().save(path);
    if (!saved)
        QTextStream(stderr) << path << " yazılamadı\n";
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator qtTranslator;
    vezal::setUpApplication(app, qtTranslator);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "Kullanım: vezal-screenshot PROGRAM_KLASÖRÜ ÇIKTI_KLASÖRÜ\n";
        return 2;
    }
    const QDir output(args.at(2));

    UnattendedDialogs dialogs;
    vezal::Program program{QDir(args.at(1)).absolutePath(), dialogs, [] { return QDate::currentDate(); }, {}};
    vezal::Windows windows(program);
    vezal::TForm1* main = program.forms.Form1;
    main->show();
    // With the league's tables, once choosing a league shows them; until then, as after start.
    auto* selector = main->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    choose(selector, 0);
    if (main->loadedLeague().isEmpty())
        selector->setCurrentIndex(-1);
    bool ok = save(main, output.filePath(QStringLiteral("main-window.png")));

    main->findChild<QAction*>(QStringLiteral("akmlar1"))->trigger();
    // The league with the most teams.
    vezal::TForm2* teams = program.forms.Form2;
    auto* leagues = teams->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    int fullest = 0;
    qsizetype most = -1;
    for (int i = 0; i < leagues->count(); ++i) {
        const qsizetype count = main->Table1().teamList(leagues->itemText(i)).size();
        if (count > most) {
            most = count;
            fullest = i;
        }
    }
    choose(leagues, fullest);
    ok = save(teams, output.filePath(QStringLiteral("team-list.png"))) && ok;
    return ok && dialogs.reported == 0 ? 0 : 1;
}
