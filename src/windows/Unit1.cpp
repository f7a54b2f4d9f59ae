#include "windows/Unit1.h"

#include "common/Names.h"
#include "prediction/Coupon.h"
#include "prediction/Panel.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/StoreError.h"
#include "windows/GridModel.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/Unit2.h"
#include "windows/Unit3.h"
#include "windows/Unit4.h"
#include "windows/Unit5.h"
#include "windows/Unit6.h"
#include "windows/Unit7.h"
#include "windows/Unit8.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace vezal {

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kMaroon(0x80, 0x00, 0x00);

QLabel* makeCaption(const QString& text, const QColor& colour, QWidget* parent = nullptr) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QLineEdit* makeBox(const char* name, Qt::Alignment alignment, int width) {
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(alignment);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus); // the tab key skips the panel's result boxes
    box->setFixedWidth(width);
    return box;
}

QComboBox* makeList(const char* name, int width) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(false);
    box->setMaxVisibleItems(24);
    box->setFixedWidth(width);
    return box;
}

QPushButton* makeButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QTableView* makeGrid(const char* name, GridModel* model) {
    auto* grid = new QTableView;
    grid->setObjectName(QString::fromLatin1(name));
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4); // compact rows
    grid->horizontalHeader()->setFont(windowFont());
    return grid;
}

QVector<GridColumn> tableColumns(const QString& teamField, const QString& teamTitle) {
    const auto centred = Qt::AlignCenter;
    return {{teamField, teamTitle, 100, GridColumn::Format::Text, Qt::AlignLeft | Qt::AlignVCenter},
            {QStringLiteral("oy"), QStringLiteral("Oyun"), 35, GridColumn::Format::Count, centred},
            {QStringLiteral("Gol"), QStringLiteral("A"), 35, GridColumn::Format::Count, centred},
            {QStringLiteral("ygol"), QStringLiteral("Y"), 35, GridColumn::Format::Count, centred},
            {QStringLiteral("Toplam"), QStringLiteral("Puan"), 53, GridColumn::Format::Points, centred}};
}

QVector<GridColumn> historyColumns() {
    const auto centred = Qt::AlignCenter;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    return {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 70, GridColumn::Format::Date, centred},
            {QStringLiteral("Etkm"), QStringLiteral("Ev Sahibi Takım"), 116, GridColumn::Format::Text, left},
            {QStringLiteral("Ea"), QStringLiteral("Gol"), 35, GridColumn::Format::Count, centred},
            {QStringLiteral("Mtkm"), QStringLiteral("Misafir Takım"), 117, GridColumn::Format::Text, left},
            {QStringLiteral("Ey"), QStringLiteral("Gol"), 35, GridColumn::Format::Count, centred}};
}

// Rows come in chunks; the team lists and the lookups need them all.
void fetchAll(GridModel& model) {
    // A model that never had a query says it has more, and fetching gives nothing.
    for (int before = -1; model.rowCount() != before && model.canFetchMore();) {
        before = model.rowCount();
        model.fetchMore();
    }
}

QString fieldText(const GridModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::EditRole).toString();
}

// The row whose team field is exactly the name (case counts), fetching further rows as needed.
std::optional<int> findTeamRow(GridModel& model, const QString& field, const QString& team) {
    const int column = model.fieldColumn(field);
    if (column < 0)
        return std::nullopt;
    for (int row = 0;; ++row) {
        if (row >= model.rowCount()) {
            if (!model.canFetchMore())
                return std::nullopt;
            model.fetchMore();
            if (row >= model.rowCount())
                return std::nullopt;
        }
        if (fieldText(model, row, column) == team)
            return row;
    }
}

LeagueTableRow tableRow(const GridModel& model, int row) {
    const auto value = [&](const char* field) {
        return model.data(model.index(row, model.fieldColumn(QString::fromLatin1(field))), Qt::EditRole);
    };
    return {value("Toplam"), value("oy"), value("Gol"), value("ygol")};
}

// The grid's current row, highlighted and in sight.
void makeCurrent(QTableView* grid, int row) {
    const QModelIndex index = grid->model()->index(row, 0);
    grid->setCurrentIndex(index);
    grid->scrollTo(index);
}

// Adds each name of the team field that the list does not hold yet, in any spelling of case.
void collectTeams(GridModel& model, const QString& field, QStringList& teams) {
    fetchAll(model);
    const int column = model.fieldColumn(field);
    if (column < 0)
        return;
    for (int row = 0; row < model.rowCount(); ++row)
        addOnceNoCase(teams, fieldText(model, row, column));
}

void replaceItems(QComboBox* list, const QStringList& items) {
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

} // namespace

QFont windowFont() {
    return QFont(QStringLiteral("Comic Sans MS"), 8);
}

void centreOver(QWidget* window, const QWidget* over) {
    QRect area;
    // A hidden main window (an administration window is open) still has its place on the screen.
    if (over && over->testAttribute(Qt::WA_WState_Created))
        area = over->frameGeometry();
    else if (const QScreen* screen = window->screen())
        area = screen->availableGeometry();
    else
        return;
    const QSize size = window->frameGeometry().size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

QString TForm1::initialCaption() {
    return QStringLiteral("   FUTBOL  VEZAL  2.0   -  ") + QString::fromUtf16(maker::kCredit) +
           QStringLiteral("   -  ") + QString::fromUtf16(maker::kWebAddress) + QStringLiteral("   -");
}

TForm1::TForm1(Program& program, QWidget* parent) : QMainWindow(parent), program_(program) {
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(initialCaption());
    setFont(windowFont());

    buildMenu();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Panel1"));
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(buildTopBar());
    auto* blocks = new QHBoxLayout;
    blocks->setSpacing(0);
    blocks->addWidget(buildLeftBlock());
    blocks->addWidget(buildRightBlock(), 1);
    rows->addLayout(blocks, 1);
    setCentralWidget(central);
    // Within the window, once every control has its place.
    setTabOrder(ComboBox3, ComboBox4);
    setTabOrder(ComboBox4, Button1);
    setTabOrder(Button1, Button6);
    setTabOrder(Button6, Button2);
    setTabOrder(Button2, Memo25);
    memos_ = {nullptr, Memo1,  Memo2,  Memo3,  Memo4,   Memo5,   Memo6,   Memo7,  Memo8,
              Memo9,   Memo10, Memo11, Memo12, Memo13,  Memo14,  Memo15,  Memo16, Memo17,
              Memo18,  Memo19, Memo20, Memo21, nullptr, nullptr, nullptr, Memo25};
    connectLeagueView();
    connectPanel();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFont(QFont(QStringLiteral("Tahoma"), 8));
    StatusBar1->setFixedHeight(19);
    StatusBar1->addWidget(new QLabel(QString::fromUtf16(maker::kWebAddress)), 1);
    setStatusBar(StatusBar1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();

    // Outer 1016 x 703 on the original frame; the client area is what Qt sizes.
    resize(598 + 410, 41 + 408 + 181 + 19 + menuBar()->sizeHint().height());
    centreOver(this, nullptr);

    FormCreate();
}

TForm1::~TForm1() {
    // The grids' queries go before the connection they run on.
    for (GridModel* query : {Query1, Query2, Query3, Query4})
        query->clear();
}

void TForm1::buildMenu() {
    QMenu* Dosya1 = menuBar()->addMenu(QStringLiteral("Dosya"));
    Dosya1->setObjectName(QStringLiteral("Dosya1"));
    QMenu* Yardm1 = menuBar()->addMenu(QStringLiteral("Yardım"));
    Yardm1->setObjectName(QStringLiteral("Yardm1"));

    const auto item = [this](QMenu* menu, const char* name, const QString& caption,
                             void (TForm1::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        guardedConnect(action, &QAction::triggered, this, program_.dialogs,
                       [this, handler](bool) { (this->*handler)(); });
        return action;
    };
    const auto separator = [](QMenu* menu, const char* name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };

    Ligler1 = item(Dosya1, "Ligler1", QStringLiteral("Ligler"), &TForm1::Ligler1Click);
    akmlar1 = item(Dosya1, "akmlar1", QStringLiteral("Takımlar"), &TForm1::akmlar1Click);
    N2 = separator(Dosya1, "N2");
    SonuGiri1 = item(Dosya1, "SonuGiri1", QStringLiteral("Sonuç Giriş"), &TForm1::SonuGiri1Click);
    YorumRaporlar1 = item(Dosya1, "YorumRaporlar1", QStringLiteral("Raporlar"), &TForm1::YorumRaporlar1Click);
    N1 = separator(Dosya1, "N1");
    k1 = item(Dosya1, "k1", QStringLiteral("Çıkış"), &TForm1::k1Click);
    Hakknda1 = item(Yardm1, "Hakknda1", QStringLiteral("Hakkında"), &TForm1::Hakknda1Click);
    Yardm2 = item(Yardm1, "Yardm2", QStringLiteral("Yardım"), &TForm1::Yardm2Click);
}

QWidget* TForm1::buildTopBar() {
    auto* bar = new QFrame;
    bar->setObjectName(QStringLiteral("Panel2"));
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setFixedHeight(41);
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(8, 0, 8, 0);

    QLabel* caption = makeCaption(QStringLiteral("LİG SEÇ"), kNavy);
    caption->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = makeList("ComboBox1", 145);
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setVisible(false);

    line->addWidget(caption);
    line->addWidget(ComboBox1);
    line->addStretch(1);
    line->addWidget(Edit1);
    return bar;
}

QWidget* TForm1::buildLeftBlock() {
    auto* block = new QWidget;
    block->setObjectName(QStringLiteral("Panel3"));
    block->setFixedWidth(598);
    auto* rows = new QVBoxLayout(block);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);

    Query1 = new GridModel(tableColumns(QStringLiteral("Etkm"), QStringLiteral("Ev Sahibi Takım")), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    Query2 = new GridModel(tableColumns(QStringLiteral("Mtkm"), QStringLiteral("Misafir Takım")), this);
    Query2->setObjectName(QStringLiteral("Query2"));

    auto* tables = new QHBoxLayout;
    tables->setSpacing(0);
    const auto half = [](const QString& title, QTableView* grid) {
        auto* column = new QVBoxLayout;
        column->setSpacing(0);
        QLabel* header = makeCaption(title, kMaroon);
        header->setAlignment(Qt::AlignCenter);
        header->setFrameStyle(QFrame::Panel | QFrame::Raised);
        header->setFixedHeight(22);
        column->addWidget(header);
        column->addWidget(grid, 1);
        return column;
    };
    DBGrid1 = makeGrid("DBGrid1", Query1);
    DBGrid2 = makeGrid("DBGrid2", Query2);
    tables->addLayout(half(QStringLiteral("İÇ SAHA TABLOSU"), DBGrid1));
    tables->addLayout(half(QStringLiteral("DIŞ SAHA TABLOSU"), DBGrid2));
    rows->addLayout(tables, 1);
    rows->addWidget(buildComparisonPanel());
    return block;
}

QWidget* TForm1::buildComparisonPanel() {
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("ScrollBox2"));
    panel->setFixedHeight(181);
    auto* frames = new QVBoxLayout(panel);
    frames->setContentsMargins(4, 4, 4, 4);
    frames->setSpacing(4);

    // Upper frame: the two teams, their figures, the three buttons.
    auto* upper = new QFrame;
    upper->setObjectName(QStringLiteral("Panel4"));
    upper->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* grid = new QGridLayout(upper);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(3);

    const Qt::Alignment centred = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    Memo25 = new QLineEdit;
    Memo25->setObjectName(QStringLiteral("Memo25"));
    Memo25->setAlignment(centred);
    Memo25->setMaxLength(3);
    Memo25->setToolTip(QStringLiteral("Vezal Maç Nosu Girin"));
    Memo25->setFixedWidth(40);
    ComboBox3 = makeList("ComboBox3", 160);
    ComboBox4 = makeList("ComboBox4", 160);
    Memo1 = makeBox("Memo1", right, 64);
    Memo2 = makeBox("Memo2", right, 64);
    Memo3 = makeBox("Memo3", centred, 40);
    Memo4 = makeBox("Memo4", centred, 40);
    Memo5 = makeBox("Memo5", centred, 40);
    Memo6 = makeBox("Memo6", centred, 40);
    Memo7 = makeBox("Memo7", centred, 40);
    Memo8 = makeBox("Memo8", centred, 40);
    Button1 = makeButton("Button1", QStringLiteral("Tahmin"));
    Button6 = makeButton("Button6", QStringLiteral("Yorum"));
    Button2 = makeButton("Button2", QStringLiteral("Kupon"));

    grid->addWidget(new QLabel(QStringLiteral("Maç No ")), 0, 0);
    grid->addWidget(Memo25, 0, 1, Qt::AlignLeft);
    int column = 2;
    for (const char* title : {"Puanlar", "Oyun", "A", "Y"}) {
        auto* label = new QLabel(QString::fromUtf8(title));
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, 0, column++);
    }
    grid->addWidget(new QLabel(QStringLiteral("Ev Sahibi")), 1, 0);
    grid->addWidget(ComboBox3, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Misafir")), 2, 0);
    grid->addWidget(ComboBox4, 2, 1);
    column = 2;
    for (QLineEdit* box : {Memo1, Memo3, Memo5, Memo7})
        grid->addWidget(box, 1, column++);
    column = 2;
    for (QLineEdit* box : {Memo2, Memo4, Memo6, Memo8})
        grid->addWidget(box, 2, column++);
    grid->setColumnStretch(6, 1);
    grid->addWidget(Button1, 0, 7);
    grid->addWidget(Button6, 1, 7);
    grid->addWidget(Button2, 2, 7);

    // Lower frame: the prediction boxes on one row under their captions.
    auto* lower = new QFrame;
    lower->setObjectName(QStringLiteral("Panel5"));
    lower->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* line = new QGridLayout(lower);
    line->setContentsMargins(8, 2, 8, 4);
    line->setVerticalSpacing(1);
    line->setHorizontalSpacing(3);

    QLabel* title = makeCaption(QStringLiteral("TAHMİN"), Qt::red);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    Memo9 = makeBox("Memo9", centred, 22);
    Memo10 = makeBox("Memo10", centred, 22);
    Memo11 = makeBox("Memo11", centred, 22);
    Memo12 = makeBox("Memo12", centred, 128);
    Memo21 = makeBox("Memo21", centred, 48);
    Memo13 = makeBox("Memo13", centred, 26);
    Memo14 = makeBox("Memo14", centred, 26);
    Memo15 = makeBox("Memo15", centred, 22);
    Memo16 = makeBox("Memo16", centred, 22);
    Memo17 = makeBox("Memo17", centred, 22);
    Memo18 = makeBox("Memo18", centred, 22);
    Memo19 = makeBox("Memo19", centred, 22);
    Memo20 = makeBox("Memo20", centred, 22);

    column = 0;
    line->addWidget(title, 1, column++);
    const auto group = [&](const QString& caption, std::initializer_list<QWidget*> widgets) {
        auto* label = new QLabel(caption);
        label->setAlignment(Qt::AlignCenter);
        line->addWidget(label, 0, column, 1, int(widgets.size()));
        for (QWidget* widget : widgets)
            line->addWidget(widget, 1, column++);
    };
    group(QStringLiteral("Maç Sonucu"), {Memo9, Memo10, Memo11});
    group(QStringLiteral("Altı - Üstü"), {Memo12});
    group(QStringLiteral("Toplam Gol"), {Memo21});
    group(QString(), {Memo13, Memo14});
    group(QStringLiteral("Alternatif Skorlar"),
          {new QLabel(QStringLiteral("-")), Memo15, Memo16, new QLabel(QStringLiteral("-")), Memo17, Memo18,
           new QLabel(QStringLiteral("-")), Memo19, Memo20});
    line->setColumnStretch(column, 1);

    lower->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    frames->addWidget(upper, 1);
    frames->addWidget(lower);

    return panel;
}

QWidget* TForm1::buildRightBlock() {
    auto* block = new QWidget;
    block->setObjectName(QStringLiteral("Panel6"));
    block->setMinimumWidth(410);
    auto* rows = new QVBoxLayout(block);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);

    auto* header = new QFrame;
    header->setObjectName(QStringLiteral("Panel7"));
    header->setFrameStyle(QFrame::Panel | QFrame::Raised);
    header->setFixedHeight(25);
    auto* line = new QHBoxLayout(header);
    line->setContentsMargins(4, 0, 4, 0);
    line->setSpacing(3);
    QLabel* caption = makeCaption(QStringLiteral("Takım Seç"), kNavy);
    caption->setObjectName(QStringLiteral("Label2"));
    ComboBox2 = makeList("ComboBox2", 114);
    Button3 = makeButton("Button3", QStringLiteral("Hepsi"));
    Button4 = makeButton("Button4", QStringLiteral("İç"));
    Button7 = makeButton("Button7", QStringLiteral("Dış"));
    Button5 = makeButton("Button5", QStringLiteral("Tüm Maçlar"));
    line->addWidget(caption);
    line->addWidget(ComboBox2);
    for (const auto& [button, width] :
         {std::pair{Button3, 50}, {Button4, 36}, {Button7, 40}, {Button5, 76}}) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, kMaroon);
        button->setPalette(palette);
        button->setFixedSize(width, 21);
        line->addWidget(button);
    }
    line->addStretch(1);

    Query3 = new GridModel(historyColumns(), this);
    Query3->setObjectName(QStringLiteral("Query3"));
    Query4 = new GridModel(historyColumns(), this);
    Query4->setObjectName(QStringLiteral("Query4"));
    DBGrid3 = makeGrid("DBGrid3", Query3);

    ListBox1 = new QListWidget;
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setVisible(false);

    rows->addWidget(header);
    rows->addWidget(DBGrid3, 1);
    rows->addWidget(ListBox1);
    return block;
}

void TForm1::FormCreate() {
    try {
        database_ = std::make_unique<Database>(program_.folder);
        table_ = std::make_unique<MatchTable>(*database_);
    } catch (const StoreError& error) {
        table_.reset();
        database_.reset();
        tableError_ = error.message();
        program_.dialogs.showError(this, tableError_);
        return; // without the table there is nothing to show the leagues with
    }
    guarded(program_.dialogs, this, [this] { loadLeagues(); });
    Edit1->setText(ComboBox1->currentText());
}

MatchTable& TForm1::Table1() {
    if (!table_)
        throw StoreError(tableError_);
    return *table_;
}

QStringList TForm1::leagues() const {
    QStringList names;
    for (int i = 0; i < ComboBox1->count(); ++i)
        names << ComboBox1->itemText(i);
    return names;
}

void TForm1::addLeague(const QString& name) {
    const QStringList names = leagues();
    // After its equals, so that names equal without regard to case keep the order they came in.
    const auto place = std::upper_bound(names.begin(), names.end(), name, lessNoCase);
    const int selected = ComboBox1->currentIndex();
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->insertItem(int(place - names.begin()), name);
    if (selected < 0)
        ComboBox1->setCurrentIndex(-1); // a first item would otherwise become the selection
}

void TForm1::loadLeagues() {
    const QStringList names = loadLeagueList(leagueListPath(program_.folder));
    QStringList sorted = names;
    sortNoCase(sorted);
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->clear();
    ComboBox1->addItems(sorted);
    ComboBox1->setCurrentIndex(-1);
    leagueListRead_ = true;
}

void TForm1::saveLeagues() {
    saveLeagueList(leagueListPath(program_.folder), leagues());
    leagueListRead_ = true; // the file now holds the selector
}

QString TForm1::loadedLeague() const {
    return Edit1->text();
}

void TForm1::resetView() {
    for (GridModel* query : {Query1, Query2, Query3, Query4})
        query->clear();
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->setCurrentIndex(-1);
    }
    for (QComboBox* list : {ComboBox2, ComboBox3, ComboBox4}) {
        const QSignalBlocker quiet(list);
        list->clear();
    }
    Temizle1();
    Edit1->setText(ComboBox1->currentText());
}

void TForm1::Temizle1() {
    ComparisonPanel panel = readPanel();
    panel.Temizle1();
    writePanel(panel);
}

void TForm1::Temizle2() {
    ComparisonPanel panel = readPanel();
    panel.Temizle2();
    writePanel(panel);
}

void TForm1::Temizle3() {
    ComparisonPanel panel = readPanel();
    panel.Temizle3();
    writePanel(panel);
}

ComparisonPanel TForm1::readPanel() const {
    ComparisonPanel panel;
    for (int n : ComparisonPanel::kMemoNumbers)
        panel.memo(n) = memos_[std::size_t(n)]->text();
    panel.comboBox3 = {ComboBox3->currentText(), ComboBox3->currentIndex() >= 0};
    panel.comboBox4 = {ComboBox4->currentText(), ComboBox4->currentIndex() >= 0};
    return panel;
}

void TForm1::writePanel(const ComparisonPanel& panel) {
    for (int n : ComparisonPanel::kMemoNumbers) {
        QLineEdit* box = memos_[std::size_t(n)];
        if (box->text() != panel.memo(n))
            box->setText(panel.memo(n));
    }
}

void TForm1::connectLeagueView() {
    Dialogs& dialogs = program_.dialogs;
    // A user's choice only: the program's own changes of these lists run nothing.
    guardedConnect(ComboBox1, &QComboBox::activated, this, dialogs, [this](int) { ComboBox1Change(); });
    guardedConnect(ComboBox2, &QComboBox::activated, this, dialogs, [this](int) { ComboBox2Change(); });
    guardedConnect(Button3, &QPushButton::clicked, this, dialogs, [this](bool) { Button3Click(); });
    guardedConnect(Button4, &QPushButton::clicked, this, dialogs, [this](bool) { Button4Click(); });
    guardedConnect(Button7, &QPushButton::clicked, this, dialogs, [this](bool) { Button7Click(); });
    guardedConnect(Button5, &QPushButton::clicked, this, dialogs, [this](bool) { Button5Click(); });
}

void TForm1::connectPanel() {
    Dialogs& dialogs = program_.dialogs;
    guardedConnect(ComboBox3, &QComboBox::activated, this, dialogs, [this](int) { ComboBox3Change(); });
    guardedConnect(ComboBox4, &QComboBox::activated, this, dialogs, [this](int) { ComboBox4Change(); });
    guardedConnect(DBGrid1, &QTableView::clicked, this, dialogs,
                   [this](const QModelIndex&) { DBGrid1CellClick(); });
    guardedConnect(DBGrid2, &QTableView::clicked, this, dialogs,
                   [this](const QModelIndex&) { DBGrid2CellClick(); });
    guardedConnect(Button1, &QPushButton::clicked, this, dialogs, [this](bool) { Button1Click(); });
    guardedConnect(Button6, &QPushButton::clicked, this, dialogs, [this](bool) { Button6Click(); });
    guardedConnect(Button2, &QPushButton::clicked, this, dialogs, [this](bool) { Button2Click(); });

    // Choose, Enter, choose, Enter, Enter: a prediction from the keyboard.
    KeyRule::enterFocuses(ComboBox3, ComboBox4);
    KeyRule::enterFocuses(ComboBox4, Button1);
    for (QPushButton* button : {Button1, Button6, Button2})
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
}

void TForm1::ComboBox1Change() {
    const QString league = ComboBox1->currentText();
    if (league != loadedLeague()) {
        Temizle1();
        try {
            Query4->clear();
            MatchTable& table = Table1();
            Query1->setQuery(table.homeTable(league));
            Query1->applyTo(DBGrid1);
            Query2->setQuery(table.awayTable(league));
            Query2->applyTo(DBGrid2);
            Query3->setQuery(table.leagueHistory(league));
            fillTeamLists();
            showHistoryOf(Query3);
        } catch (...) {
            // Half a league is no view: the grids show nothing and the loaded league stays.
            for (GridModel* query : {Query1, Query2, Query3, Query4})
                query->clear();
            throw;
        }
        ComboBox3->setFocus(Qt::OtherFocusReason);
    }
    Edit1->setText(league);
}

void TForm1::fillTeamLists() {
    QStringList teams;
    collectTeams(*Query1, QStringLiteral("Etkm"), teams);
    collectTeams(*Query2, QStringLiteral("Mtkm"), teams);
    sortNoCase(teams);
    for (QComboBox* list : {ComboBox2, ComboBox3, ComboBox4})
        replaceItems(list, teams);
}

void TForm1::showHistoryOf(GridModel* query) {
    if (DBGrid3->model() != query) {
        QItemSelectionModel* previous = DBGrid3->selectionModel();
        DBGrid3->setModel(query);
        previous->deleteLater(); // the view leaves its old selection model behind
    }
    query->applyTo(DBGrid3);
}

void TForm1::ComboBox2Change() {
    showTeamHistory(HistorySide::Both);
}

void TForm1::Button3Click() {
    showTeamHistory(HistorySide::Both);
}

void TForm1::Button4Click() {
    showTeamHistory(HistorySide::Home);
}

void TForm1::Button7Click() {
    showTeamHistory(HistorySide::Away);
}

void TForm1::showTeamHistory(HistorySide side) {
    if (ComboBox1->currentIndex() < 0 || ComboBox2->currentIndex() < 0)
        return;
    Query4->clear();
    showHistoryOf(Query4);
    Query4->setQuery(Table1().teamHistory(ComboBox1->currentText(), ComboBox2->currentText(), side));
    Query4->applyTo(DBGrid3);
}

void TForm1::Button5Click() {
    if (ComboBox1->currentIndex() < 0)
        return;
    Query3->clear();
    showHistoryOf(Query3);
    Query3->setQuery(Table1().leagueHistory(ComboBox1->currentText()));
    Query3->applyTo(DBGrid3);
}

void TForm1::ComboBox3Change() {
    ComparisonPanel panel = readPanel();
    std::optional<LeagueTableRow> row;
    if (const auto found = findTeamRow(*Query1, QStringLiteral("Etkm"), ComboBox3->currentText())) {
        makeCurrent(DBGrid1, *found);
        row = tableRow(*Query1, *found);
    }
    showHomeTeam(panel, row);
    writePanel(panel);
}

void TForm1::ComboBox4Change() {
    ComparisonPanel panel = readPanel();
    std::optional<LeagueTableRow> row;
    if (const auto found = findTeamRow(*Query2, QStringLiteral("Mtkm"), ComboBox4->currentText())) {
        makeCurrent(DBGrid2, *found);
        row = tableRow(*Query2, *found);
    }
    showAwayTeam(panel, row);
    writePanel(panel);
}

void TForm1::DBGrid1CellClick() {
    const int row = DBGrid1->currentIndex().row();
    if (Query1->rowCount() == 0 || row < 0)
        return;
    const QString team = fieldText(*Query1, row, Query1->fieldColumn(QStringLiteral("Etkm")));
    {
        const QSignalBlocker quiet(ComboBox3);
        ComboBox3->setCurrentIndex(ComboBox3->findText(team));
    }
    ComboBox3Change();
}

void TForm1::DBGrid2CellClick() {
    const int row = DBGrid2->currentIndex().row();
    if (Query2->rowCount() == 0 || row < 0)
        return;
    const QString team = fieldText(*Query2, row, Query2->fieldColumn(QStringLiteral("Mtkm")));
    {
        const QSignalBlocker quiet(ComboBox4);
        ComboBox4->setCurrentIndex(ComboBox4->findText(team));
    }
    ComboBox4Change();
}

void TForm1::Button1Click() {
    ComparisonPanel panel = readPanel();
    const QString home = panel.comboBox3.text;
    const QString away = panel.comboBox4.text;
    TahminOutcome outcome;
    try {
        outcome = pressTahmin(
            panel, totalGoals_, [this, &home] { return Table1().homeOpponentStrength(home); },
            [this, &away] { return Table1().awayOpponentStrength(away); });
    } catch (...) {
        writePanel(panel); // what was written before the failing lookup stays
        throw;
    }
    writePanel(panel);
    if (outcome.refusal) {
        program_.dialogs.warn(this, *outcome.refusal);
        return;
    }
    yorum(outcome.commentary);
    kupon(outcome.couponLine);
}

void TForm1::yorum(const QStringList& lines) {
    program_.forms.Form4->appendLines(lines);
}

void TForm1::kupon(const QString& line) {
    QStringList coupon = program_.forms.Form8->lines();
    if (addCouponLine(coupon, line))
        program_.forms.Form8->appendLine(line);
}

void TForm1::Button6Click() {
    YorumRaporlar1Click();
}

void TForm1::Button2Click() {
    program_.forms.Form8->show();
    program_.forms.Form8->raise();
}

void TForm1::Timer1Timer() {
    const QString caption = windowTitle();
    if (caption.size() > 1)
        setWindowTitle(caption.mid(1) + caption.front());
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A list that exists but was never read (the table or the file failed at start) would be replaced by
    // the empty selector: it is left as it is. A missing one is written.
    const bool mayWrite = leagueListRead_ || !QFileInfo::exists(leagueListPath(program_.folder));
    bool saved = !mayWrite;
    guarded(program_.dialogs, this, [&] {
        if (!mayWrite)
            return;
        saveLeagues();
        saved = true;
    });
    if (!saved) {
        event->ignore(); // the league list would be lost: the program keeps running
        return;
    }
    event->accept();
    emit closed();
}

void TForm1::Ligler1Click() {
    const bool hidden = ComboBox1->count() > 0;
    if (hidden) {
        resetView();
        hide();
    }
    QStringList names;
    try {
        names = loadLeagueList(leagueListPath(program_.folder));
    } catch (const StoreError&) {
        // The league list window will not come to show the main window again.
        if (hidden)
            show();
        throw;
    }
    program_.forms.Form5->setLeagues(names);
    program_.dialogs.showModal(program_.forms.Form5);
}

void TForm1::akmlar1Click() {
    if (ComboBox1->count() == 0)
        return;
    resetView();
    hide();
    program_.dialogs.showModal(program_.forms.Form2);
}

void TForm1::SonuGiri1Click() {
    if (ComboBox1->count() == 0)
        return;
    resetView();
    hide();
    program_.forms.Form3->setDates(program_.today());
    program_.dialogs.showModal(program_.forms.Form3);
}

void TForm1::YorumRaporlar1Click() {
    program_.forms.Form4->show();
    program_.forms.Form4->raise();
}

void TForm1::k1Click() {
    close();
}

void TForm1::Hakknda1Click() {
    program_.dialogs.showModal(program_.forms.AboutBox);
}

void TForm1::Yardm2Click() {
    program_.forms.Form7->showOrRaise();
}

Windows::Windows(Program& program) : program_(program) {
    Forms& forms = program.forms;
    form1_ = std::make_unique<TForm1>(program);
    forms.Form1 = form1_.get();
    forms.mainWindow = form1_.get();
    form2_ = std::make_unique<TForm2>(program);
    forms.Form2 = form2_.get();
    form3_ = std::make_unique<TForm3>(program);
    forms.Form3 = form3_.get();
    form4_ = std::make_unique<TForm4>(program);
    forms.Form4 = form4_.get();
    form5_ = std::make_unique<TForm5>(program);
    forms.Form5 = form5_.get();
    aboutBox_ = std::make_unique<TAboutBox>(program);
    forms.AboutBox = aboutBox_.get();
    form7_ = std::make_unique<TForm7>(program);
    forms.Form7 = form7_.get();
    form8_ = std::make_unique<TForm8>(program);
    forms.Form8 = form8_.get();
}

Windows::~Windows() {
    Forms& forms = program_.forms;
    form8_.reset();
    forms.Form8 = nullptr;
    form7_.reset();
    forms.Form7 = nullptr;
    aboutBox_.reset();
    forms.AboutBox = nullptr;
    form5_.reset();
    forms.Form5 = nullptr;
    form4_.reset();
    forms.Form4 = nullptr;
    form3_.reset();
    forms.Form3 = nullptr;
    form2_.reset();
    forms.Form2 = nullptr;
    forms.mainWindow = nullptr;
    forms.Form1 = nullptr;
    form1_.reset();
}

} // namespace vezal
