#include "windows/WindowKit.h"

#include "windows/Dialogs.h"
#include "windows/GridModel.h"
#include "windows/Program.h"

#include "common/Names.h"
#include "store/LeagueListFile.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>
#include <algorithm>

namespace vezal {

QFont windowFont() {
    return QFont(QStringLiteral("Comic Sans MS"), 8);
}

void centreOver(QWidget* window, const QWidget* over) {
    QRect area;
    if (over && over->testAttribute(Qt::WA_WState_Created))
        area = over->frameGeometry();
    else if (const QScreen* screen = window->screen())
        area = screen->availableGeometry();
    else
        return;
    const QSize size = window->frameGeometry().size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void centreOverMainWindow(QWidget* window, const Program& program) {
    centreOver(window, program.hasWindows() ? program.navigation().mainWindow() : nullptr);
}

void showMainWindowAgain(const Program& program) {
    if (program.hasWindows())
        if (QWidget* main = program.navigation().mainWindow())
            main->show();
}

QTableView* makeGrid(const QString& name, QAbstractItemModel* model, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->horizontalHeader()->setFont(windowFont());
    return grid;
}

void reportReadErrors(GridModel* model, QWidget* window, Dialogs& dialogs) {
    QObject::connect(model, &GridModel::readFailed, window,
                     [window, &dialogs](const QString& message) { dialogs.showError(window, message); });
}

void setUpDialog(QWidget* dialog, const char* objectName, const QString& caption) {
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setWindowTitle(caption);
    setDialogTitleBar(dialog);
    dialog->setFont(windowFont());
}

FileChooser makeFileChooser(QWidget* parent) {
    FileChooser chooser{new QLineEdit(parent), new QPushButton(QStringLiteral("Dosya Seç..."), parent)};
    chooser.box->setObjectName(QStringLiteral("FileBox"));
    chooser.box->setReadOnly(true);
    chooser.button->setObjectName(QStringLiteral("ChooseFileButton"));
    return chooser;
}

void fillWithLeagues(QComboBox* box, const Program& program) {
    QStringList names = loadLeagueList(program.leagueListPath());
    sortNoCase(names);
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(names);
    box->setCurrentIndex(-1);
}

QComboBox* makeDropDown(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(false);
    box->setMaxVisibleItems(24);
    return box;
}

void setDialogTitleBar(QWidget* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

void fitTitle(QWidget* dialog) {
    // The title bar's font is the desktop's; the window's own, a size larger, stands in for it, and the
    // room of the icon and three buttons is added.
    QFont font = dialog->font();
    font.setPointSizeF(font.pointSizeF() + 1);
    const int title = QFontMetrics(font).horizontalAdvance(dialog->windowTitle().trimmed());
    dialog->setMinimumWidth(std::max(dialog->minimumWidth(), title + 160));
}

QComboBox* makeCsvFormBox(QWidget* parent) {
    QComboBox* box = makeDropDown(QStringLiteral("CsvFormBox"), parent);
    box->addItems({QStringLiteral("Türkçe (; ve virgül)"), QStringLiteral("Düz (, ve nokta)")});
    box->setToolTip(QStringLiteral("Türkçe biçimi Türkçe ayarlı tablo programları doğrudan açar"));
    return box;
}

CsvForm chosenCsvForm(const QComboBox* box) {
    return box->currentIndex() == 1 ? CsvForm::Plain : CsvForm::Turkish;
}

void setUpProgress(QProgressDialog& progress, const char* objectName, const QString& title, int showAfterMs) {
    progress.setObjectName(QString::fromLatin1(objectName));
    // Turkish writes the sign before the number: "%40".
    auto* bar = new QProgressBar(&progress);
    bar->setFormat(QStringLiteral("%%p"));
    progress.setBar(bar); // the dialog owns it
    progress.setWindowTitle(title);
    progress.setFont(windowFont());
    fitTitle(&progress);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(showAfterMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
}

bool reportProgress(QProgressDialog& progress, qsizetype done, qsizetype total) {
    progress.setMaximum(int(total));
    progress.setValue(int(done));
    QApplication::processEvents();
    return !progress.wasCanceled();
}

} // namespace vezal
