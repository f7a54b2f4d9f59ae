#include "windows/Unit2.h"

#include "store/Admin.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "windows/GridModel.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/Unit1.h"

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

TForm2::TForm2(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("  TAKIM LİSTESİ"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(windowFont());

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    ComboBox1->setMaxVisibleItems(24);

    teamList_ = new GridModel({{kTeamField, QStringLiteral("Takımlar"), 200}}, this);
    teamList_->setObjectName(QStringLiteral("Query1"));
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(teamList_);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 4); // compact rows
    DBGrid1->horizontalHeader()->setStretchLastSection(true);

    Label1 = new QLabel(QStringLiteral("Takım Adı"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label2 = new QLabel(QStringLiteral("Puan"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Memo1 = new QLineEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Memo1->setFixedWidth(60);
    Button1 = new QPushButton(QStringLiteral("Ekle"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedSize(75, 25);
    Button2 = new QPushButton(QStringLiteral("Sil"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setFixedSize(75, 25);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(ComboBox1, 0, 0, 1, 2);
    layout->addWidget(DBGrid1, 1, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->addWidget(Label1, 2, 0);
    layout->addWidget(Label2, 2, 1);
    layout->addWidget(Edit1, 3, 0);
    layout->addWidget(Memo1, 3, 1);
    layout->addWidget(Button1, 4, 0, Qt::AlignLeft);
    layout->addWidget(Button2, 4, 1, Qt::AlignRight);
    setFixedSize(260, 520);

    // Enter presses the focused button, and only that one: no default button takes Enter elsewhere.
    for (QPushButton* button : {Button1, Button2}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    KeyRule::enterFocuses(Edit1, Memo1);
    KeyRule::enterFocuses(Memo1, Button1, KeyRule::Typed::DigitsAndComma);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(ComboBox1, &QComboBox::currentIndexChanged, this, dialogs,
                   [this](int) { ComboBox1Change(); });
    guardedConnect(Button1, &QPushButton::clicked, this, dialogs, [this](bool) { Button1Click(); });
    guardedConnect(Button2, &QPushButton::clicked, this, dialogs, [this](bool) { Button2Click(); });
}

TForm2::~TForm2() {
    teamList_->clear();
}

void TForm2::showEvent(QShowEvent* event) {
    centreOver(this, program_.forms.mainWindow);
    // Once per showing: a message box closing must not reload the list under the user's choice.
    guarded(program_.dialogs, this, [this] { FormActivate(); });
    QDialog::showEvent(event);
}

void TForm2::FormActivate() {
    const QStringList names = loadLeagueList(leagueListPath(program_.folder));
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->clear();
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(-1);
}

void TForm2::ComboBox1Change() {
    listTeams();
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TForm2::listTeams() {
    teamList_->setQuery(program_.forms.Form1->Table1().teamListQuery(ComboBox1->currentText()));
    teamList_->applyTo(DBGrid1);
    // As on a table view, the first team is the current one until another is clicked.
    if (teamList_->rowCount() > 0)
        DBGrid1->selectRow(0);
}

void TForm2::Button1Click() {
    const auto refusal =
        registerTeam(program_.forms.Form1->Table1(), ComboBox1->currentText(), Edit1->text(), Memo1->text());
    if (refusal) {
        program_.dialogs.warn(this, *refusal);
        if (*refusal == QString::fromUtf16(messages::kTeamExists)) {
            Edit1->clear();
            Memo1->clear();
            Edit1->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    Edit1->clear();
    Memo1->clear();
    Edit1->setFocus(Qt::OtherFocusReason);
    listTeams();
}

void TForm2::Button2Click() {
    if (!program_.dialogs.ask(this, kDeleteTitle, kDeleteQuestion, false))
        return;
    const QModelIndex current = DBGrid1->currentIndex();
    const int column = teamList_->fieldColumn(kTeamField);
    // No league or no team: the name is empty and nothing matches it.
    const QString team =
        current.isValid() && column >= 0
            ? teamList_->data(teamList_->index(current.row(), column), Qt::EditRole).toString()
            : QString();
    program_.forms.Form1->Table1().deleteTeam(ComboBox1->currentText(), team);
    listTeams();
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TForm2::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TForm2::FormClose() {
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
    }
    Edit1->clear();
    Memo1->clear();
    teamList_->clear();
    if (program_.forms.mainWindow)
        program_.forms.mainWindow->show();
}

} // namespace vezal
