#include "windows/Unit3.h"

#include "common/Names.h"
#include "store/Admin.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "windows/Dialogs.h"
#include "windows/GridModel.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  MAÇ SONUÇLARI GİRİŞ");
const QString kEnterCaption = QStringLiteral("Ekle");
const QString kDeleteCaption = QStringLiteral("Sil");
const QString kDeleteTitle = QStringLiteral("   MAÇ SİL");
const QString kDeleteQuestion =
    QStringLiteral("Sileceğiniz maç önceki tarihlere ait ise bugüne kadar bu takım ile ilişkili \r"
                   "tüm puanlamalarda doğru hesaplama yapılamayabilir , Onaylıyormusunuz ?");

QVector<GridColumn> shownColumns() {
    const auto centred = Qt::Alignment(Qt::AlignCenter);
    return {
        {QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80, GridColumn::Format::Date, centred},
        {QStringLiteral("Etkm"), QStringLiteral("Ev Sahibi Takım"), 160},
        {QStringLiteral("Ea"), QStringLiteral("Gol"), 40, GridColumn::Format::Count, centred},
        {QStringLiteral("Mtkm"), QStringLiteral("Misafir Takım"), 160},
        {QStringLiteral("Ey"), QStringLiteral("Gol"), 40, GridColumn::Format::Count, centred},
    };
}

QDateEdit* datePicker(const QString& name, QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setLocale(turkishLocale());
    return picker;
}

QComboBox* dropDownList(const QString& name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    list->setMinimumWidth(150);
    return list;
}

QLineEdit* scoreBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(1);
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(28);
    return box;
}

} // namespace

TForm3::TForm3(Program& program, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      program_(program), model_(new GridModel(shownColumns(), this)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(kCaption);
    setFont(QFont(QStringLiteral("Comic Sans MS"), 8));

    DateTimePicker1 = datePicker(QStringLiteral("DateTimePicker1"), this);
    ComboBox1 = dropDownList(QStringLiteral("ComboBox1"), this);
    ComboBox1->setMaxVisibleItems(24);

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(model_);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->setDefaultSectionSize(20);
    DBGrid1->setMinimumSize(540, 320);

    DateTimePicker2 = datePicker(QStringLiteral("DateTimePicker2"), this);
    ComboBox2 = dropDownList(QStringLiteral("ComboBox2"), this);
    Memo1 = scoreBox(QStringLiteral("Memo1"), this);
    ComboBox3 = dropDownList(QStringLiteral("ComboBox3"), this);
    Memo2 = scoreBox(QStringLiteral("Memo2"), this);
    Button1 = new QPushButton(kEnterCaption, this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(kDeleteCaption, this);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto* upper = new QHBoxLayout;
    upper->addWidget(DateTimePicker1);
    upper->addWidget(ComboBox1);
    upper->addStretch();
    auto* lower = new QHBoxLayout;
    for (QWidget* control :
         {static_cast<QWidget*>(DateTimePicker2), static_cast<QWidget*>(ComboBox2),
          static_cast<QWidget*>(Memo1), static_cast<QWidget*>(ComboBox3), static_cast<QWidget*>(Memo2),
          static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2)})
        lower->addWidget(control);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addWidget(DBGrid1);
    layout->addLayout(lower);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(DateTimePicker1, ComboBox1);
    setTabOrder(ComboBox1, DBGrid1);
    setTabOrder(DBGrid1, DateTimePicker2);
    setTabOrder(DateTimePicker2, ComboBox2);
    setTabOrder(ComboBox2, Memo1);
    setTabOrder(Memo1, ComboBox3);
    setTabOrder(ComboBox3, Memo2);
    setTabOrder(Memo2, Button1);
    setTabOrder(Button1, Button2);

    // The entry sequence: Enter walks date, home team, goals, away team, goals, "Ekle". Enter presses a
    // button only when it has the focus: as the dialog's default button, "Ekle" would enter a result on
    // Enter in the filter date or the league list.
    KeyRule::enterFocuses(DateTimePicker2, ComboBox2);
    KeyRule::enterFocuses(ComboBox2, Memo1);
    KeyRule::enterFocuses(Memo1, ComboBox3, KeyRule::Typed::Digits);
    KeyRule::enterFocuses(ComboBox3, Memo2);
    KeyRule::enterFocuses(Memo2, Button1, KeyRule::Typed::Digits);
    for (QPushButton* button : {Button1, Button2}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(ComboBox1, &QComboBox::currentIndexChanged, this, dialogs,
                   [this](int index) { ComboBox1Change(index); });
    guardedConnect(DateTimePicker1, &QDateEdit::dateChanged, this, dialogs,
                   [this](const QDate& day) { DateTimePicker1Change(day); });
    guardedConnect(Button1, &QPushButton::clicked, this, dialogs, [this](bool) { Button1Click(); });
    guardedConnect(Button2, &QPushButton::clicked, this, dialogs, [this](bool) { Button2Click(); });
}

TForm3::~TForm3() {
    closeView();
}

void TForm3::setDates(const QDate& day) {
    DateTimePicker1->setDate(day);
    DateTimePicker2->setDate(day);
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once per showing: a message box closing over the window must not reset the filter date.
    if (!event->spontaneous())
        FormActivate();
}

void TForm3::done(int result) {
    guarded(program_.dialogs, this, [this] { FormClose(); });
    QDialog::done(result);
    if (program_.forms.mainWindow)
        program_.forms.mainWindow->show();
}

void TForm3::FormActivate() {
    centreOnMainWindow();
    DateTimePicker1->setDate(program_.today());
    // Each step reports its own failure: without klasman.dat the table can still be browsed and pruned.
    guarded(program_.dialogs, this, [this] { loadLeagues(); });
    guarded(program_.dialogs, this, [this] { openView(); });
    ComboBox1->setFocus(Qt::OtherFocusReason);
}

void TForm3::FormClose() {
    closeView();
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
    }
    ComboBox2->clear();
    ComboBox3->clear();
    Memo1->clear();
    Memo2->clear();
}

void TForm3::loadLeagues() {
    const QStringList names = loadLeagueList(leagueListPath(program_.folder));
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->clear();
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(-1); // no league is chosen until the user chooses one
}

void TForm3::openView() {
    closeView();
    database_ = std::make_unique<Database>(program_.folder, QString::fromLatin1(kConnectionName));
    table_ = std::make_unique<MatchTable>(*database_);
    refilter();
}

void TForm3::closeView() {
    // The model's query goes first: a connection is removed only when no query uses it. An empty query,
    // not clear(): clear() leaves a result of the connection behind, which outlives the connection.
    model_->setQuery(QSqlQuery());
    table_.reset();
    database_.reset();
}

void TForm3::refilter() {
    if (!table_)
        return;
    model_->setQuery(table_->shownRows(ComboBox1->currentText(), DateTimePicker1->date()));
    model_->applyTo(DBGrid1);
    makeCurrent(0);
}

void TForm3::makeCurrent(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    int column = 0;
    while (column < model_->columnCount() && DBGrid1->isColumnHidden(column))
        ++column;
    const QModelIndex index = model_->index(row, column);
    DBGrid1->setCurrentIndex(index);
    DBGrid1->scrollTo(index);
}

bool TForm3::locateRow(qint64 sr, bool readFurther) {
    const int srColumn = model_->fieldColumn(QStringLiteral("Sr"));
    if (srColumn < 0)
        return false;
    int row = 0;
    for (;;) {
        for (; row < model_->rowCount(); ++row) {
            if (model_->data(model_->index(row, srColumn), Qt::EditRole).toLongLong() == sr) {
                makeCurrent(row);
                return true;
            }
        }
        if (!readFurther || !model_->canFetchMore())
            return false;
        model_->fetchMore(); // one chunk at a time, and only as far as the row lies
    }
}

void TForm3::centreOnMainWindow() {
    if (const QWidget* main = program_.forms.mainWindow) {
        adjustSize();
        move(main->frameGeometry().center() - rect().center());
    }
}

void TForm3::ComboBox1Change(int index) {
    if (index < 0)
        return;
    ComboBox2->clear();
    ComboBox3->clear();
    refilter();
    if (!table_)
        return;
    QStringList teams = table_->seedTeams(ComboBox1->currentText());
    sortNoCase(teams);
    ComboBox2->addItems(teams);
    ComboBox3->addItems(teams);
    ComboBox2->setCurrentIndex(teams.isEmpty() ? -1 : 0);
    ComboBox3->setCurrentIndex(teams.isEmpty() ? -1 : 0);
    ComboBox2->setFocus(Qt::OtherFocusReason);
}

void TForm3::DateTimePicker1Change(const QDate& day) {
    refilter();
    DateTimePicker2->setDate(day);
}

void TForm3::Button1Click() {
    if (!table_)
        return;
    const ResultInput input{ComboBox1->currentText(),
                            DateTimePicker1->date(),
                            DateTimePicker2->date(),
                            ComboBox2->currentText(),
                            ComboBox3->currentText(),
                            Memo1->text(),
                            Memo2->text()};
    const ResultOutcome outcome = enterResult(*table_, input);
    if (outcome.duplicateSr)
        locateRow(*outcome.duplicateSr, true);
    if (outcome.refusal) {
        program_.dialogs.warn(this, *outcome.refusal);
        return;
    }
    refilter();
    // The new row becomes current when it is among the rows already read (reading on to the end of a
    // large view would cost every row): a wrong entry is then one "Sil" away.
    if (outcome.appendedSr)
        locateRow(*outcome.appendedSr, false);
    Memo1->clear();
    Memo2->clear();
    DateTimePicker2->setFocus(Qt::OtherFocusReason);
}

void TForm3::Button2Click() {
    if (!table_ || model_->rowCount() == 0)
        return;
    const int current = DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().row() : 0;
    const qint64 sr =
        model_->data(model_->index(current, model_->fieldColumn(QStringLiteral("Sr"))), Qt::EditRole)
            .toLongLong();
    if (!program_.dialogs.ask(this, kDeleteTitle, kDeleteQuestion, true))
        return;
    table_->deleteRow(sr);
    refilter();
    // The row after the deleted one takes its place; the rows up to it had been read before.
    while (current >= model_->rowCount() && model_->canFetchMore())
        model_->fetchMore();
    makeCurrent(std::min(current, model_->rowCount() - 1));
}

} // namespace vezal
