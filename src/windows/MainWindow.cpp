#include "windows/MainWindow.h"

#include "common/Names.h"
#include "model/LeagueForecast.h"
#include "store/FolderAccess.h"
#include "store/LeagueListFile.h"
#include "store/StoreError.h"
#include "windows/GridModel.h"
#include "windows/GuardedConnect.h"
#include "windows/Maker.h"
#include "windows/WindowKit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

namespace vezal {

QString MainWindow::initialCaption() {
    return QStringLiteral("   FUTBOL  VEZAL  2.0   -  ") + QString::fromUtf16(maker::kCredit) +
           QStringLiteral("   -  ") + QString::fromUtf16(maker::kWebAddress) + QStringLiteral("   -");
}

MainWindow::MainWindow(Program& program, QWidget* parent) : QMainWindow(parent), program_(program) {
    setObjectName(QStringLiteral("Form1"));
    // Maximisable: both halves grow with the window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(initialCaption());
    setFont(windowFont());

    buildMenu();
    buildLayout();
    connectLeagueView();
    connectPanel();
    buildStatusLine();
    for (GridModel* query : {homeTableQuery, awayTableQuery, leagueHistoryQuery, teamHistoryQuery})
        reportReadErrors(query, this, program_.dialogs);

    captionTimer = new QTimer(this);
    captionTimer->setObjectName(QStringLiteral("Timer1"));
    captionTimer->setInterval(500);
    connect(captionTimer, &QTimer::timeout, this, [this] { scrollCaption(); });
    captionTimer->start();

    // Outer 1016 x 703 on the original frame, and below it the probabilities; the client area is what Qt
    // sizes.
    resize(598 + 410, 41 + 408 + 181 + kProbabilityPanelHeight + 19 + menuBar()->sizeHint().height());
    centreOver(this, nullptr);

    openData();
}

MainWindow::~MainWindow() {
    // The grids' queries go before the connection they run on, which the program closes after the windows.
    for (GridModel* query : {homeTableQuery, awayTableQuery, leagueHistoryQuery, teamHistoryQuery})
        query->clear();
}

void MainWindow::openData() {
    QStringList notices;
    try {
        notices = program_.openTable();
    } catch (const StoreError& error) {
        program_.dialogs.showError(this, error.message());
        return; // without the table there is nothing to show the leagues with
    }
    if (!notices.isEmpty())
        statusLine->showMessage(notices.join(QLatin1Char(' ')));
    guarded(program_.dialogs, this, [this] { loadLeagues(); });
    loadedLeagueBox->setText(leagueBox->currentText());
}

QStringList MainWindow::leagues() const {
    QStringList names;
    for (int i = 0; i < leagueBox->count(); ++i)
        names << leagueBox->itemText(i);
    return names;
}

void MainWindow::loadLeagues() {
    const QStringList names = loadLeagueList(program_.leagueListPath());
    leaguesInFile_ = names;
    QStringList sorted = names;
    sortNoCase(sorted);
    const QSignalBlocker quiet(leagueBox);
    leagueBox->clear();
    leagueBox->addItems(sorted);
    leagueBox->setCurrentIndex(-1);
    leagueListRead_ = true;
    showGuideWhenEmpty();
}

void MainWindow::showLeague(const QString& name) {
    loadLeagues();
    const int index = leagueBox->findText(name);
    if (index < 0)
        return;
    leagueBox->setCurrentIndex(index);
    loadedLeagueBox->clear(); // the league's rows changed: its view is built anew
    onLeagueChosen();
}

void MainWindow::saveLeagues() {
    // A league another process added while the program ran stays; one deleted there or here stays gone.
    leaguesInFile_ = mergeAndSaveLeagueList(program_.leagueListPath(), leagues(), leaguesInFile_);
    leagueListRead_ = true; // the file now holds the selector
}

QString MainWindow::loadedLeague() const {
    return loadedLeagueBox->text();
}

void MainWindow::scrollCaption() {
    const QString caption = windowTitle();
    if (caption.size() > 1)
        setWindowTitle(caption.mid(1) + caption.front());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A list that exists but was never read (the table or the file failed at start) would be replaced by
    // the empty selector: it is left as it is. A missing one is written. On a folder that cannot be written
    // the selector, which holds only what the file held, is not saved. A save that fails is said, and the
    // program ends all the same with the file as it was: "Çıkış" always ends it.
    const bool mayWrite = (leagueListRead_ || !QFileInfo::exists(program_.leagueListPath())) &&
                          !readOnlyFolder(program_.folder);
    guarded(program_.dialogs, this, [&] {
        if (mayWrite)
            saveLeagues();
    });
    event->accept();
    emit closed();
}

} // namespace vezal
