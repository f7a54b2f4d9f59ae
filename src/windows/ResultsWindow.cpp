#include "windows/ResultsWindow.h"

#include "common/Names.h"
#include "store/Admin.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "windows/DateBox.h"
#include "windows/Dialogs.h"
#include "windows/GridModel.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/WindowKit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
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

DateBox* datePicker(const QString& name, QWidget* parent) {
    return makeDateBox(name, parent);
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

ResultsWindow::ResultsWindow(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), model_(new GridModel(shownColumns(), this)) {
    setObjectName(QStringLiteral("Form3"));
    setDialogTitleBar(this); // its size is fixed: no maximise button that would do nothing
    setWindowTitle(kCaption);
    setFont(windowFont());

    filterDateBox = datePicker(QStringLiteral("DateTimePicker1"), this);
    leagueBox = dropDownList(QStringLiteral("ComboBox1"), this);
    leagueBox->setMaxVisibleItems(24);

    rowGrid = makeGrid(QStringLiteral("DBGrid1"), model_, this);
    reportReadErrors(model_, this, program_.dialogs);
    // The row indicator column of the table it stands for, and its taller rows.
    rowGrid->verticalHeader()->show();
    rowGrid->verticalHeader()->setDefaultSectionSize(20);
    rowGrid->setMinimumSize(540, 320);

    dayBox = datePicker(QStringLiteral("DateTimePicker2"), this);
    for (DateBox* box : {filterDateBox, dayBox})
        connect(box, &DateBox::impossibleDate, this, [this](const QString& typed) {
            program_.dialogs.warn(this, QString::fromUtf16(messages::kImpossibleDate).arg(typed));
        });
    homeTeamBox = dropDownList(QStringLiteral("ComboBox2"), this);
    homeGoalsBox = scoreBox(QStringLiteral("Memo1"), this);
    awayTeamBox = dropDownList(QStringLiteral("ComboBox3"), this);
    awayGoalsBox = scoreBox(QStringLiteral("Memo2"), this);
    enterButton = new QPushButton(kEnterCaption, this);
    enterButton->setObjectName(QStringLiteral("Button1"));
    deleteButton = new QPushButton(kDeleteCaption, this);
    deleteButton->setObjectName(QStringLiteral("Button2"));

    auto* upper = new QHBoxLayout;
    upper->addWidget(filterDateBox);
    upper->addWidget(leagueBox);
    upper->addStretch();
    auto* lower = new QHBoxLayout;
    for (QWidget* control : {static_cast<QWidget*>(dayBox), static_cast<QWidget*>(homeTeamBox),
                             static_cast<QWidget*>(homeGoalsBox), static_cast<QWidget*>(awayTeamBox),
                             static_cast<QWidget*>(awayGoalsBox), static_cast<QWidget*>(enterButton),
                             static_cast<QWidget*>(deleteButton)})
        lower->addWidget(control);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addWidget(rowGrid);
    layout->addLayout(lower);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(filterDateBox, leagueBox);
    setTabOrder(leagueBox, rowGrid);
    setTabOrder(rowGrid, dayBox);
    setTabOrder(dayBox, homeTeamBox);
    setTabOrder(homeTeamBox, homeGoalsBox);
    setTabOrder(homeGoalsBox, awayTeamBox);
    setTabOrder(awayTeamBox, awayGoalsBox);
    setTabOrder(awayGoalsBox, enterButton);
    setTabOrder(enterButton, deleteButton);

    // The entry sequence: Enter walks date, home team, goals, away team, goals, "Ekle". Enter presses a
    // button only when it has the focus: as the dialog's default button, "Ekle" would enter a result on
    // Enter in the filter date or the league list.
    KeyRule::enterFocuses(dayBox, homeTeamBox);
    KeyRule::enterFocuses(homeTeamBox, homeGoalsBox);
    KeyRule::enterFocuses(homeGoalsBox, awayTeamBox, KeyRule::Typed::Digits);
    KeyRule::enterFocuses(awayTeamBox, awayGoalsBox);
    KeyRule::enterFocuses(awayGoalsBox, enterButton, KeyRule::Typed::Digits);
    for (QPushButton* button : {enterButton, deleteButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(leagueBox, &QComboBox::currentIndexChanged, this, dialogs,
                   [this](int index) { onLeagueChosen(index); });
    guardedConnect(filterDateBox, &QDateEdit::dateChanged, this, dialogs,
                   [this](const QDate& day) { onFilterDateChanged(day); });
    guardedConnect(enterButton, &QPushButton::clicked, this, dialogs, [this](bool) { onEnter(); });
    guardedConnect(deleteButton, &QPushButton::clicked, this, dialogs, [this](bool) { onDelete(); });
}

ResultsWindow::~ResultsWindow() {
    closeView();
}

void ResultsWindow::setDates(const QDate& day) {
    filterDateBox->setDate(day);
    dayBox->setDate(day);
}

void ResultsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once per showing: a message box closing over the window must not reset the filter date.
    if (!event->spontaneous())
        onShown();
}

void ResultsWindow::done(int result) {
    guarded(program_.dialogs, this, [this] { closeDown(); });
    QDialog::done(result);
    showMainWindowAgain(program_);
}

void ResultsWindow::onShown() {
    centreOnMainWindow();
    filterDateBox->setDate(program_.today());
    // Each step reports its own failure: without klasman.dat the table can still be browsed and pruned.
    guarded(program_.dialogs, this, [this] { loadLeagues(); });
    guarded(program_.dialogs, this, [this] { openView(); });
    leagueBox->setFocus(Qt::OtherFocusReason);
}

void ResultsWindow::closeDown() {
    closeView();
    {
        const QSignalBlocker quiet(leagueBox);
        leagueBox->clear();
    }
    homeTeamBox->clear();
    awayTeamBox->clear();
    homeGoalsBox->clear();
    awayGoalsBox->clear();
}

void ResultsWindow::loadLeagues() {
    const QStringList names = loadLeagueList(program_.leagueListPath());
    const QSignalBlocker quiet(leagueBox);
    leagueBox->clear();
    leagueBox->addItems(names);
    leagueBox->setCurrentIndex(-1); // no league is chosen until the user chooses one
}

void ResultsWindow::openView() {
    closeView();
    database_ = std::make_unique<Database>(program_.folder, QString::fromLatin1(kConnectionName));
    table_ = std::make_unique<MatchTable>(*database_);
    refilter();
}

void ResultsWindow::closeView() {
    // The model's query goes first: a connection is removed only when no query uses it. An empty query,
    // not clear(): clear() leaves a result of the connection behind, which outlives the connection.
    model_->setQuery(QSqlQuery());
    table_.reset();
    database_.reset();
}

void ResultsWindow::refilter() {
    if (!table_)
        return;
    model_->setQuery(table_->shownRows(leagueBox->currentText(), filterDateBox->date()));
    model_->applyTo(rowGrid);
    makeCurrent(0);
}

void ResultsWindow::makeCurrent(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    int column = 0;
    while (column < model_->columnCount() && rowGrid->isColumnHidden(column))
        ++column;
    const QModelIndex index = model_->index(row, column);
    rowGrid->setCurrentIndex(index);
    rowGrid->scrollTo(index);
}

bool ResultsWindow::locateRow(qint64 sr, bool readFurther) {
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

void ResultsWindow::centreOnMainWindow() {
    adjustSize();
    centreOverMainWindow(this, program_);
}

void ResultsWindow::onLeagueChosen(int index) {
    if (index < 0)
        return;
    homeTeamBox->clear();
    awayTeamBox->clear();
    refilter();
    if (!table_)
        return;
    QStringList teams = table_->seedTeams(leagueBox->currentText());
    sortNoCase(teams);
    homeTeamBox->addItems(teams);
    awayTeamBox->addItems(teams);
    homeTeamBox->setCurrentIndex(teams.isEmpty() ? -1 : 0);
    awayTeamBox->setCurrentIndex(teams.isEmpty() ? -1 : 0);
    homeTeamBox->setFocus(Qt::OtherFocusReason);
}

void ResultsWindow::onFilterDateChanged(const QDate& day) {
    refilter();
    dayBox->setDate(day);
}

void ResultsWindow::onEnter() {
    if (!table_)
        return;
    const ResultInput input{leagueBox->currentText(),   filterDateBox->date(),      dayBox->date(),
                            homeTeamBox->currentText(), awayTeamBox->currentText(), homeGoalsBox->text(),
                            awayGoalsBox->text()};
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
    homeGoalsBox->clear();
    awayGoalsBox->clear();
    dayBox->setFocus(Qt::OtherFocusReason);
}

void ResultsWindow::onDelete() {
    if (!table_ || model_->rowCount() == 0)
        return;
    const int current = rowGrid->currentIndex().isValid() ? rowGrid->currentIndex().row() : 0;
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
