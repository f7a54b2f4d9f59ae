#include "windows/Unit5.h"

#include "store/Admin.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/Unit1.h"

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
const QString kNothingSelected =
    QStringLiteral("Liste indeksi sınırların dışında (-1): silinecek ligi listeden seçmediniz.");
} // namespace

TForm5::TForm5(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("  LİG LİSTESİ"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setFixedSize(267, 632);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(0, 0, 267, 538);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    // The lower panel: name field, the two buttons, the status line.
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(9, 542, 249, 24);
    Button1 = new QPushButton(QStringLiteral("Ekle"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(9, 570, 75, 25);
    Button2 = new QPushButton(QStringLiteral("Sil"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(267 - 9 - 75, 570, 75, 25);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 632 - 22, 267, 22);

    // Enter presses the focused button, and only that one: no default button takes Enter from the list.
    for (QPushButton* button : {Button1, Button2}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    KeyRule::enterFocuses(Edit1, Button1);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(Button1, &QPushButton::clicked, this, dialogs, [this](bool) { Button1Click(); });
    guardedConnect(Button2, &QPushButton::clicked, this, dialogs, [this](bool) { Button2Click(); });
}

void TForm5::setLeagues(const QStringList& names) {
    ListBox1->clear();
    ListBox1->addItems(names);
    ListBox1->setCurrentRow(-1);
}

QStringList TForm5::listedLeagues() const {
    QStringList names;
    for (int i = 0; i < ListBox1->count(); ++i)
        names << ListBox1->item(i)->text();
    return names;
}

void TForm5::showEvent(QShowEvent* event) {
    centreOver(this, program_.forms.mainWindow);
    FormActivate();
    QDialog::showEvent(event);
}

void TForm5::FormActivate() {
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TForm5::Button1Click() {
    const QString typed = Edit1->text();
    if (const auto warning = checkNewLeague(listedLeagues(), typed)) {
        StatusBar1->showMessage(*warning);
    } else {
        ListBox1->addItem(typed);
        TForm1* main = program_.forms.Form1;
        main->addLeague(typed);
        main->saveLeagues();
    }
    Edit1->clear();
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TForm5::Button2Click() {
    if (!program_.dialogs.ask(this, kDeleteTitle, kDeleteQuestion, false))
        return;
    const int row = ListBox1->currentRow();
    if (row < 0 || !ListBox1->item(row)->isSelected()) {
        program_.dialogs.showError(this, kNothingSelected); // the list's index error: nothing changes
        return;
    }
    const QString league = ListBox1->item(row)->text();
    TForm1* main = program_.forms.Form1;

    main->Table1().deleteLeague(league);
    const std::unique_ptr<QListWidgetItem> removed(ListBox1->takeItem(row)); // takeItem hands it over
    ListBox1->setCurrentRow(-1); // the next league is not selected in its place
    saveLeagueList(leagueListPath(program_.folder), listedLeagues());
    main->loadLeagues();
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TForm5::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TForm5::FormClose() {
    Edit1->clear();
    ListBox1->clear();
    StatusBar1->clearMessage();
    if (program_.forms.mainWindow)
        program_.forms.mainWindow->show();
}

} // namespace vezal
