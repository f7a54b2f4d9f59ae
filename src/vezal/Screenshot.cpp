// vezal-screenshot PROGRAM_FOLDER OUTPUT_FOLDER: README's pictures of the main window, the team list window,
// the track record window, a team's rating chart and, when PROGRAM_FOLDER holds fikstur.csv, the week's
// bulletin over it, taken from the program's own windows on the data of PROGRAM_FOLDER; for a folder
// without a league, the main window's first start alone. Run by
// scripts/screenshot.sh.
#include "Application.h"
#include "store/MatchTable.h"
#include "windows/BetsWindow.h"
#include "windows/BulletinWindow.h"
#include "windows/Dialogs.h"
#include "windows/ImportWindow.h"
#include "windows/MainWindow.h"
#include "windows/MarketsWindow.h"
#include "windows/Program.h"
#include "windows/ProgramWindows.h"
#include "windows/RatingChartWindow.h"
#include "windows/ResultsWindow.h"
#include "windows/TeamListWindow.h"
#include "windows/TrackRecordWindow.h"
#include "windows/WebLeaguesDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTextStream>

namespace {

// Nobody answers: modal windows are shown without waiting, and every message goes to the error stream.
class UnattendedDialogs : public vezal::Dialogs {
public:
    void warn(QWidget*, const QString& text) override { report(text); }
    void caution(QWidget*, const QString& text) override { report(text); }
    bool ask(QWidget*, const QString&, const QString& text, bool) override {
        report(text);
        return false;
    }
    std::optional<int> choose(QWidget*, const QString&, const QString& text, const QStringList&) override {
        report(text);
        return std::nullopt;
    }
    void showError(QWidget*, const QString& text) override { report(text); }
    void inform(QWidget*, const QString&, const QString& text) override { report(text); }
    // Nothing else writes the screenshot's own folder: a wait is waited out.
    bool showWaiting(QWidget*, const QString&) override { return true; }
    void endWaiting() override {}
    QString openFileName(QWidget*, const QString&, const QString&) override { return fileToOpen; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    void showModal(QDialog* dialog) override { dialog->show(); }
    void openAddress(const QString&) override {}

    int reported = 0;
    QString fileToOpen;

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
    if (!box || index < 0 || index >= box->count())
        return;
    box->setCurrentIndex(index);
    emit box->activated(index);
    emit box->textActivated(box->itemText(index));
}

// The home table's leader at home against the away table's best other team, match number 1, "Tahmin".
void predictLeaders(QWidget* main) {
    auto* home = main->findChild<QTableView*>(QStringLiteral("DBGrid1"));
    auto* away = main->findChild<QTableView*>(QStringLiteral("DBGrid2"));
    if (!home || !away || home->model()->rowCount() == 0 || away->model()->rowCount() < 2)
        return;
    const QString leader = home->model()->index(0, 0).data().toString();
    QString guest = away->model()->index(0, 0).data().toString();
    if (guest == leader)
        guest = away->model()->index(1, 0).data().toString();
    auto* homeChooser = main->findChild<QComboBox*>(QStringLiteral("ComboBox3"));
    auto* awayChooser = main->findChild<QComboBox*>(QStringLiteral("ComboBox4"));
    choose(homeChooser, homeChooser->findText(leader));
    choose(awayChooser, awayChooser->findText(guest));
    main->findChild<QLineEdit*>(QStringLiteral("Memo25"))->setText(QStringLiteral("1"));
    if (auto* tahmin = main->findChild<QPushButton*>(QStringLiteral("Button1")))
        tahmin->click();
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
    vezal::Program program(QDir(args.at(1)).absolutePath(), dialogs, [] { return QDate::currentDate(); });
    vezal::ProgramWindows windows(program);
    vezal::MainWindow* main = windows.main();
    main->show();
    // A folder without a league: the first start's guide, and nothing else to show.
    // and the web's leagues, two of them ticked.
    if (main->leagues().isEmpty()) {
        bool saved = save(main, output.filePath(QStringLiteral("first-start.png")));
        main->findChild<QPushButton*>(QStringLiteral("GuideWebButton"))->click();
        if (auto* web = main->findChild<vezal::WebLeaguesDialog*>()) {
            auto* list = web->findChild<QListWidget*>(QStringLiteral("WebLeagueList"));
            for (const char* name : {"Premier League", "Süper Lig"})
                for (QListWidgetItem* item : list->findItems(QString::fromUtf8(name), Qt::MatchExactly))
                    item->setCheckState(Qt::Checked);
            saved = save(web, output.filePath(QStringLiteral("web-leagues.png"))) && saved;
            web->close();
        }
        return saved && dialogs.reported == 0 ? 0 : 1;
    }
    // The league with the most teams, in the main window and in the team list window.
    auto* selector = main->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    int fullest = 0;
    qsizetype most = -1;
    for (int i = 0; i < selector->count(); ++i) {
        const qsizetype count = program.table().teamList(selector->itemText(i)).size();
        if (count > most) {
            most = count;
            fullest = i;
        }
    }
    // With the league's tables and a prediction of its two leaders, once choosing a league shows them;
    // until then, as after start.
    choose(selector, fullest);
    if (main->loadedLeague().isEmpty())
        selector->setCurrentIndex(-1);
    predictLeaders(main);
    bool ok = save(main, output.filePath(QStringLiteral("main-window.png")));
    // Every market of the same pairing, with the odds of a few typed as a bettor would.
    if (auto* marketsButton = main->findChild<QPushButton*>(QStringLiteral("PanelMarketsButton"))) {
        marketsButton->click();
        if (auto* markets = main->findChild<vezal::MarketsWindow*>(QStringLiteral("MarketsWindow"))) {
            auto* rows = markets->findChild<QTableWidget*>(QStringLiteral("MarketsTable"));
            const std::pair<const char*, const char*> typed[] = {{"1", "1,55"},   {"0", "4,10"},
                                                                 {"2", "5,75"},   {"1X", "1,12"},
                                                                 {"UST", "1,80"}, {"AH1-0.75", "1,95"}};
            for (const auto& [code, odds] : typed)
                for (int row = 0; row < rows->rowCount(); ++row)
                    if (rows->item(row, 1)->text() == QString::fromLatin1(code))
                        rows->item(row, 4)->setText(QString::fromLatin1(odds));
            settle();
            ok = save(markets, output.filePath(QStringLiteral("markets.png"))) && ok;
            markets->close();
        }
    }
    const QString league = selector->currentText();
    // The tables of the last season alone.
    if (auto* seasons = main->findChild<QComboBox*>(QStringLiteral("SeasonBox")); seasons->count() > 1) {
        choose(seasons, seasons->count() - 1);
        ok = save(main, output.filePath(QStringLiteral("season-filter.png"))) && ok;
        choose(seasons, 0);
    }
    auto* homeTable = main->findChild<QTableView*>(QStringLiteral("DBGrid1"));
    const QString leader =
        homeTable->model()->rowCount() > 0 ? homeTable->model()->index(0, 0).data().toString() : QString();

    main->findChild<QAction*>(QStringLiteral("akmlar1"))->trigger();
    vezal::TeamListWindow* teams = windows.teamList();
    choose(teams->findChild<QComboBox*>(QStringLiteral("ComboBox1")), fullest);
    ok = save(teams, output.filePath(QStringLiteral("team-list.png"))) && ok;
    teams->close();

    // The same league's track record, and the home table leader's points over time.
    windows.openTrackRecord(league);
    ok = save(windows.trackRecord(), output.filePath(QStringLiteral("track-record.png"))) && ok;
    windows.trackRecord()->close();
    windows.showRatingChart(leader);
    ok = save(windows.ratingChart(), output.filePath(QStringLiteral("rating-chart.png"))) && ok;
    windows.ratingChart()->close();
    windows.showBets();
    ok = save(windows.bets(), output.filePath(QStringLiteral("bets.png"))) && ok;
    windows.bets()->close();

    // The results window on the league, its date boxes on the widest day of the month.
    windows.openResults(QDate(2010, 8, 30));
    vezal::ResultsWindow* results = windows.results();
    choose(results->findChild<QComboBox*>(QStringLiteral("ComboBox1")), fullest);
    ok = save(results, output.filePath(QStringLiteral("results-window.png"))) && ok;
    results->close();

    // The week's bulletin of the fixture file, for the same league, sorted by value.
    const QString fixtures = QDir(program.folder).filePath(QStringLiteral("fikstur.csv"));
    if (QFileInfo::exists(fixtures)) {
        dialogs.fileToOpen = fixtures;
        windows.openBulletin();
        vezal::BulletinWindow* bulletin = windows.bulletin();
        auto* leagues = bulletin->findChild<QComboBox*>(QStringLiteral("LeagueBox"));
        leagues->setCurrentIndex(leagues->findText(league));
        bulletin->findChild<QPushButton*>(QStringLiteral("ChooseFileButton"))->click();
        bulletin->findChild<QPushButton*>(QStringLiteral("ListButton"))->click();
        bulletin->resize(1180, 640);
        ok = save(bulletin, output.filePath(QStringLiteral("bulletin.png"))) && ok;
    }

    // Last, as it adds to the data: a season file with faulty lines into "1. Lig", the left-out lines in
    // sight.
    const QString season = QDir(program.folder).filePath(QStringLiteral("ikinci-lig.csv"));
    if (QFileInfo::exists(season)) {
        windows.openImport();
        vezal::ImportWindow* import = windows.import();
        dialogs.fileToOpen = season;
        import->findChild<QPushButton*>(QStringLiteral("ChooseFileButton"))->click();
        auto* leagues = import->findChild<QComboBox*>(QStringLiteral("LeagueBox"));
        leagues->setCurrentText(QStringLiteral("1. Lig"));
        import->findChild<QPushButton*>(QStringLiteral("ImportButton"))->click();
        ok = save(import, output.filePath(QStringLiteral("import-window.png"))) && ok;
    }
    return ok && dialogs.reported == 0 ? 0 : 1;
}
