#include "windows/LeagueListWindow.h"

#include "common/Names.h"
#include "store/Admin.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/LeagueSourceWindow.h"
#include "windows/WindowKit.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <memory>

namespace vezal {

namespace {
const QString kDeleteTitle = QStringLiteral("   LİG SİL");
const QString kDeleteQuestion =
    QStringLiteral("Seçtiğiniz Lig ve o ligteki tüm takımlar silinecektir. Onaylıyormusunuz ?");
const QString kNoSourceLeague = QStringLiteral("Kaynağını düzenleyeceğiniz ligi listeden seçmelisiniz  ... ");
const QString kNothingSelected =
    QStringLiteral("Liste indeksi sınırların dışında (-1): silinecek ligi listeden seçmediniz.");
} // namespace

LeagueListWindow::LeagueListWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("  LİG LİSTESİ"));
    setDialogTitleBar(this);
    setFont(windowFont());
    setFixedSize(267, 632);

    leagueList = new QListWidget(this);
    leagueList->setObjectName(QStringLiteral("ListBox1"));
    leagueList->setGeometry(0, 0, 267, 538);
    leagueList->setSelectionMode(QAbstractItemView::SingleSelection);

    // The lower panel: name field, the two buttons, the status line.
    nameBox = new QLineEdit(this);
    nameBox->setObjectName(QStringLiteral("Edit1"));
    nameBox->setGeometry(9, 542, 249, 24);
    addButton = new QPushButton(QStringLiteral("Ekle"), this);
    addButton->setObjectName(QStringLiteral("Button1"));
    addButton->setGeometry(9, 570, 75, 25);
    deleteButton = new QPushButton(QStringLiteral("Sil"), this);
    deleteButton->setObjectName(QStringLiteral("Button2"));
    deleteButton->setGeometry(267 - 9 - 75, 570, 75, 25);
    sourceButton = new QPushButton(QStringLiteral("Kaynak..."), this);
    sourceButton->setObjectName(QStringLiteral("SourceButton"));
    sourceButton->setGeometry(96, 570, 75, 25);
    statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    statusBar->setGeometry(0, 632 - 22, 267, 22);

    // Enter presses the focused button, and only that one: no default button takes Enter from the list.
    for (QPushButton* button : {addButton, deleteButton, sourceButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    KeyRule::enterFocuses(nameBox, addButton);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(addButton, &QPushButton::clicked, this, dialogs, [this](bool) { onAdd(); });
    // The list file keeps the whole name, the table its first 20 characters: say so while it is typed.
    connect(nameBox, &QLineEdit::textEdited, this, [this](const QString& text) {
        const bool cut = cutName(text) != text;
        if (cut)
            statusBar->showMessage(QString::fromUtf16(messages::kLeagueNameCut));
        else if (cutShown_)
            statusBar->clearMessage();
        cutShown_ = cut;
    });
    guardedConnect(deleteButton, &QPushButton::clicked, this, dialogs, [this](bool) { onDelete(); });
    guardedConnect(sourceButton, &QPushButton::clicked, this, dialogs, [this](bool) { onSource(); });
}

void LeagueListWindow::setLeagues(const QStringList& names) {
    leagueList->clear();
    leagueList->addItems(names);
    leagueList->setCurrentRow(-1);
}

QStringList LeagueListWindow::listedLeagues() const {
    QStringList names;
    for (int i = 0; i < leagueList->count(); ++i)
        names << leagueList->item(i)->text();
    return names;
}

void LeagueListWindow::showEvent(QShowEvent* event) {
    centreOverMainWindow(this, program_);
    focusName();
    QDialog::showEvent(event);
}

void LeagueListWindow::focusName() {
    nameBox->setFocus(Qt::OtherFocusReason);
}

void LeagueListWindow::onAdd() {
    const QString typed = nameBox->text();
    // Checked against the file as it is now, under its lock: another process may have added leagues.
    if (const auto warning = addLeague(program_.leagueListPath(), typed)) {
        statusBar->showMessage(warning->message);
    } else {
        leagueList->addItem(typed);
        program_.navigation().leagueSelector().loadLeagues();
    }
    nameBox->clear();
    nameBox->setFocus(Qt::OtherFocusReason);
}

void LeagueListWindow::onDelete() {
    if (!program_.dialogs.ask(this, kDeleteTitle, kDeleteQuestion, false))
        return;
    const int row = leagueList->currentRow();
    if (row < 0 || !leagueList->item(row)->isSelected()) {
        program_.dialogs.showError(this, kNothingSelected); // the list's index error: nothing changes
        return;
    }
    const QString league = leagueList->item(row)->text();
    if (const auto refusal =
            deleteLeague(program_.table(), program_.leagueListPath(), league, listedLeagues())) {
        program_.dialogs.warn(this, refusal->message); // another process took it away meanwhile
        return;
    }
    const std::unique_ptr<QListWidgetItem> removed(leagueList->takeItem(row)); // takeItem hands it over
    leagueList->setCurrentRow(-1); // the next league is not selected in its place
    program_.navigation().leagueSelector().loadLeagues();
    nameBox->setFocus(Qt::OtherFocusReason);
}

void LeagueListWindow::onSource() {
    const int row = leagueList->currentRow();
    if (row < 0 || !leagueList->item(row)->isSelected()) {
        program_.dialogs.warn(this, kNoSourceLeague);
        return;
    }
    program_.dialogs.showModal(new LeagueSourceWindow(program_, leagueList->item(row)->text(), this));
}

void LeagueListWindow::done(int result) {
    emptyOnClose();
    QDialog::done(result);
}

void LeagueListWindow::emptyOnClose() {
    nameBox->clear();
    leagueList->clear();
    statusBar->clearMessage();
    showMainWindowAgain(program_);
}

} // namespace vezal
