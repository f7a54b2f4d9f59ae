#include "windows/MainWindow.h"
#include "windows/WindowKit.h"

#include "store/Database.h"
#include "store/IntegrityCheck.h"
#include "store/LeagueListFile.h"
#include "store/Messages.h"
#include "store/StoreError.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/LeagueUpdateWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QShortcut>

// The menu: every other window is opened from here.
namespace vezal {

namespace {
constexpr const char16_t* kCheckTitle = u"Veritabanını Denetle";
} // namespace

void MainWindow::buildMenu() {
    // Every caption has its Alt letter (shown underlined); F10 opens the menu bar.
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&Dosya"));
    fileMenu->setObjectName(QStringLiteral("Dosya1"));
    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Yardım"));
    helpMenu->setObjectName(QStringLiteral("Yardm1"));

    const auto item = [this](QMenu* menu, const char* name, const QString& caption,
                             void (MainWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        guardedConnect(action, &QAction::triggered, this, program_.dialogs,
                       [this, handler](bool) { (this->*handler)(); });
        return action;
    };
    const auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    leaguesAction = item(fileMenu, "Ligler1", QStringLiteral("&Ligler"), &MainWindow::onLeagues);
    teamsAction = item(fileMenu, "akmlar1", QStringLiteral("&Takımlar"), &MainWindow::onTeams);
    separator(fileMenu, "N2");
    resultsAction = item(fileMenu, "SonuGiri1", QStringLiteral("&Sonuç Giriş"), &MainWindow::onResults);
    reportsAction = item(fileMenu, "YorumRaporlar1", QStringLiteral("&Raporlar"), &MainWindow::onReports);
    importAction =
        item(fileMenu, "ImportAction", QStringLiteral("Sonuçları &İçe Aktar..."), &MainWindow::onImport);
    fixturesAction =
        item(fileMenu, "FixturesAction", QStringLiteral("&Fikstür Tahmini..."), &MainWindow::onFixtures);
    trackRecordAction =
        item(fileMenu, "TrackRecordAction", QStringLiteral("&Başarı..."), &MainWindow::onTrackRecord);
    updateAction =
        item(fileMenu, "UpdateAction", QStringLiteral("Verileri &Güncelle"), &MainWindow::onUpdateLeagues);
    webLeaguesAction =
        item(fileMenu, "WebLeaguesAction", QStringLiteral("&Web'den Lig Al..."), &MainWindow::onWebLeagues);
    bulletinAction =
        item(fileMenu, "BulletinAction", QStringLiteral("Haftanın B&ülteni ..."), &MainWindow::onBulletin);
    betsAction = item(fileMenu, "BetsAction", QStringLiteral("Ba&hislerim..."), &MainWindow::onBets);
    checkDatabaseAction = item(fileMenu, "CheckDatabaseAction", QStringLiteral("Veritabanını &Denetle ..."),
                               &MainWindow::onCheckDatabase);
    separator(fileMenu, "N1");
    exitAction = item(fileMenu, "k1", QStringLiteral("Çı&kış"), &MainWindow::onExit);
    aboutAction = item(helpMenu, "Hakknda1", QStringLiteral("&Hakkında"), &MainWindow::onAbout);
    auto* openMenuBar = new QShortcut(QKeySequence(Qt::Key_F10), this);
    openMenuBar->setObjectName(QStringLiteral("MenuBarShortcut"));
    connect(openMenuBar, &QShortcut::activated, this, [this] {
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });
    helpAction = item(helpMenu, "Yardm2", QStringLiteral("&Yardım"), &MainWindow::onHelp);
}

void MainWindow::onLeagues() {
    if (program_.refusesChanges(this))
        return;
    const bool hidden = leagueBox->count() > 0;
    if (hidden) {
        resetView();
        hide();
    }
    QStringList names;
    try {
        names = loadLeagueList(program_.leagueListPath());
    } catch (const StoreError&) {
        // The league list window will not come to show the main window again.
        if (hidden)
            show();
        throw;
    }
    program_.navigation().openLeagueList(names);
}

void MainWindow::onTeams() {
    if (leagueBox->count() == 0 || program_.refusesChanges(this))
        return;
    resetView();
    hide();
    program_.navigation().openTeamList();
}

void MainWindow::onResults() {
    if (leagueBox->count() == 0 || program_.refusesChanges(this))
        return;
    resetView();
    hide();
    program_.navigation().openResults(program_.today());
}

void MainWindow::onReports() {
    program_.navigation().showReport();
}

void MainWindow::onExit() {
    close();
}

void MainWindow::onAbout() {
    program_.navigation().openAbout();
}

void MainWindow::onHelp() {
    program_.navigation().showHelp();
}

void MainWindow::onImport() {
    if (program_.refusesChanges(this))
        return;
    program_.navigation().openImport();
}

void MainWindow::onFixtures() {
    if (program_.refusesAdvice(this))
        return;
    program_.navigation().openFixtures();
}

void MainWindow::onBets() {
    program_.navigation().showBets();
}

void MainWindow::onTrackRecord() {
    if (program_.refusesAdvice(this))
        return;
    program_.navigation().openTrackRecord(leagueBox->currentIndex() >= 0 ? leagueBox->currentText()
                                                                         : QString());
}

void MainWindow::onUpdateLeagues() {
    if (program_.refusesChanges(this) || !updateLeaguesWithProgress(this, program_))
        return;
    // New rows, perhaps a new league: the view shows what the table holds now.
    if (leagueBox->currentIndex() >= 0)
        program_.navigation().leagueSelector().showLeague(leagueBox->currentText());
    else
        program_.navigation().leagueSelector().loadLeagues();
}

void MainWindow::onCheckDatabase() {
    QProgressDialog progress(QString::fromUtf16(messages::kDatabaseChecking), QStringLiteral("İptal"), 0, 0,
                             this);
    setUpProgress(progress, "CheckProgress", QString::fromUtf16(kCheckTitle));
    Database& database = program_.database();
    const std::optional<QStringList> problems = checkIntegrity(database, [&progress] {
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.close();
    if (!problems)
        return;
    program_.keepCheckVerdict(*problems);
    const QString file = QDir::toNativeSeparators(database.filePath());
    if (problems->isEmpty()) {
        program_.dialogs.inform(this, QString::fromUtf16(kCheckTitle),
                                QString::fromUtf16(messages::kDatabaseChecked)
                                    .arg(file, QString::fromUtf16(messages::kDatabaseSound)));
        return;
    }
    program_.dialogs.showError(
        this, QString::fromUtf16(messages::kDatabaseDamaged).arg(file).arg(problems->size()) +
                  QLatin1Char('\n') + problems->join(QLatin1Char('\n')));
}

} // namespace vezal
