#include "windows/TeamListWindow.h"

#include "store/Admin.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "windows/GridModel.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/WindowKit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

namespace vezal {

namespace {
const QString kDeleteTitle = QStringLiteral("   LİG SİL");
const QString kDeleteQuestion =
    QStringLiteral("Seçtiğiniz Takım ve Oynadığı Tüm Maçlar Silinecektir. Onaylıyormusunuz ?");
const QString kTeamField = QStringLiteral("Etkm");
} // namespace

TeamListWindow::TeamListWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("  TAKIM LİSTESİ"));
    setDialogTitleBar(this);
    setFont(windowFont());

    leagueBox = makeDropDown(QStringLiteral("ComboBox1"), this);

    teamList_ = new GridModel({{kTeamField, QStringLiteral("Takımlar"), 200}}, this);
    teamList_->setObjectName(QStringLiteral("Query1"));
    teamGrid = makeGrid(QStringLiteral("DBGrid1"), teamList_, this);
    reportReadErrors(teamList_, this, program_.dialogs);
    teamGrid->horizontalHeader()->setStretchLastSection(true);

    nameLabel = new QLabel(QStringLiteral("Takım Adı"), this);
    nameLabel->setObjectName(QStringLiteral("Label1"));
    nameBox = new QLineEdit(this);
    nameBox->setObjectName(QStringLiteral("Edit1"));
    nameBox->setMaxLength(20); // what the table keeps of a name: nothing is cut without the user seeing it
    pointsLabel = new QLabel(QStringLiteral("Puan"), this);
    pointsLabel->setObjectName(QStringLiteral("Label2"));
    pointsBox = new QLineEdit(this);
    pointsBox->setObjectName(QStringLiteral("Memo1"));
    pointsBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pointsBox->setFixedWidth(60);
    addButton = new QPushButton(QStringLiteral("Ekle"), this);
    addButton->setObjectName(QStringLiteral("Button1"));
    addButton->setFixedSize(75, 25);
    deleteButton = new QPushButton(QStringLiteral("Sil"), this);
    deleteButton->setObjectName(QStringLiteral("Button2"));
    deleteButton->setFixedSize(75, 25);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(leagueBox, 0, 0, 1, 2);
    layout->addWidget(teamGrid, 1, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->addWidget(nameLabel, 2, 0);
    layout->addWidget(pointsLabel, 2, 1);
    layout->addWidget(nameBox, 3, 0);
    layout->addWidget(pointsBox, 3, 1);
    layout->addWidget(addButton, 4, 0, Qt::AlignLeft);
    layout->addWidget(deleteButton, 4, 1, Qt::AlignRight);
    setFixedSize(260, 520);

    // Enter presses the focused button, and only that one: no default button takes Enter elsewhere.
    for (QPushButton* button : {addButton, deleteButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    KeyRule::enterFocuses(nameBox, pointsBox);
    KeyRule::enterFocuses(pointsBox, addButton, KeyRule::Typed::DigitsAndComma);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(leagueBox, &QComboBox::currentIndexChanged, this, dialogs,
                   [this](int) { onLeagueChosen(); });
    guardedConnect(addButton, &QPushButton::clicked, this, dialogs, [this](bool) { onAdd(); });
    guardedConnect(deleteButton, &QPushButton::clicked, this, dialogs, [this](bool) { onDelete(); });
}

TeamListWindow::~TeamListWindow() {
    teamList_->clear();
}

void TeamListWindow::showEvent(QShowEvent* event) {
    centreOverMainWindow(this, program_);
    // Once per showing: a message box closing must not reload the list under the user's choice.
    guarded(program_.dialogs, this, [this] { fillLeagues(); });
    QDialog::showEvent(event);
}

void TeamListWindow::fillLeagues() {
    const QStringList names = loadLeagueList(program_.leagueListPath());
    const QSignalBlocker quiet(leagueBox);
    leagueBox->clear();
    leagueBox->addItems(names);
    leagueBox->setCurrentIndex(-1);
}

void TeamListWindow::onLeagueChosen() {
    listTeams();
    nameBox->setFocus(Qt::OtherFocusReason);
}

void TeamListWindow::listTeams() {
    teamList_->setQuery(program_.table().teamListQuery(leagueBox->currentText()));
    teamList_->applyTo(teamGrid);
    // As on a table view, the first team is the current one until another is clicked.
    if (teamList_->rowCount() > 0)
        teamGrid->selectRow(0);
}

void TeamListWindow::onAdd() {
    const auto refusal =
        registerTeam(program_.table(), leagueBox->currentText(), nameBox->text(), pointsBox->text());
    if (refusal) {
        program_.dialogs.warn(this, *refusal);
        if (refusal->check == Check::TeamExists) {
            nameBox->clear();
            pointsBox->clear();
            nameBox->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    nameBox->clear();
    pointsBox->clear();
    nameBox->setFocus(Qt::OtherFocusReason);
    listTeams();
}

void TeamListWindow::onDelete() {
    if (!program_.dialogs.ask(this, kDeleteTitle, kDeleteQuestion, false))
        return;
    const QModelIndex current = teamGrid->currentIndex();
    // No league or no team: nothing to delete.
    const QString team =
        current.isValid() ? teamList_->rawValue(current.row(), kTeamField).toString() : QString();
    if (!team.isEmpty()) {
        if (const auto refusal = deleteTeam(program_.table(), leagueBox->currentText(), team))
            program_.dialogs.warn(this, refusal->message); // another process deleted it meanwhile
    }
    listTeams();
    nameBox->setFocus(Qt::OtherFocusReason);
}

void TeamListWindow::done(int result) {
    emptyOnClose();
    QDialog::done(result);
}

void TeamListWindow::emptyOnClose() {
    {
        const QSignalBlocker quiet(leagueBox);
        leagueBox->clear();
    }
    nameBox->clear();
    pointsBox->clear();
    teamList_->clear();
    showMainWindowAgain(program_);
}

} // namespace vezal
