#include "windows/MainWindow.h"

#include "common/Names.h"
#include "windows/GridModel.h"
#include "windows/Maker.h"
#include "windows/WindowKit.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

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
    QComboBox* box = makeDropDown(QString::fromLatin1(name));
    box->setFixedWidth(width);
    return box;
}

QPushButton* makeButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// Room for a name of the 20 characters the table keeps ("Akhisar Belediyespor") in the window's font.
int teamColumnWidth() {
    const QFontMetrics metrics(windowFont());
    return std::max(metrics.horizontalAdvance(QStringLiteral("Akhisar Belediyespor")),
                    kNameLength * metrics.averageCharWidth()) +
           12;
}

QVector<GridColumn> tableColumns(const QString& teamField, const QString& teamTitle) {
    const auto centred = Qt::AlignCenter;
    return {
        {teamField, teamTitle, teamColumnWidth(), GridColumn::Format::Text, Qt::AlignLeft | Qt::AlignVCenter},
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

} // namespace

void MainWindow::buildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Panel1"));
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(buildTopBar());
    auto* blocks = new QHBoxLayout;
    blocks->setSpacing(0);
    // Both halves grow with the window, the left one (the tables and the panel) twice as fast.
    blocks->addWidget(buildLeftBlock(), 2);
    blocks->addWidget(buildRightBlock(), 1);
    rows->addLayout(blocks, 1);
    setCentralWidget(central);
    // Within the window, once every control has its place.
    setTabOrder(homeTeamBox, awayTeamBox);
    setTabOrder(awayTeamBox, predictButton);
    setTabOrder(predictButton, commentaryButton);
    setTabOrder(commentaryButton, couponButton);
    setTabOrder(couponButton, matchNumberBox);
}

QWidget* MainWindow::buildTopBar() {
    auto* bar = new QFrame;
    bar->setObjectName(QStringLiteral("Panel2"));
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setFixedHeight(41);
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(8, 0, 8, 0);

    QLabel* caption = makeCaption(QStringLiteral("LİG SEÇ"), kNavy);
    caption->setObjectName(QStringLiteral("Label1"));
    leagueBox = makeList("ComboBox1", 145);
    loadedLeagueBox = new QLineEdit;
    loadedLeagueBox->setObjectName(QStringLiteral("Edit1"));
    loadedLeagueBox->setVisible(false);

    line->addWidget(caption);
    line->addWidget(leagueBox);
    trackRecordButton = makeButton("TrackRecordButton", QStringLiteral("Başarı"));
    line->addWidget(trackRecordButton);
    bulletinButton = makeButton("BulletinButton", QStringLiteral("Bülten"));
    line->addWidget(bulletinButton);
    line->addStretch(1);
    line->addWidget(loadedLeagueBox);
    return bar;
}

QWidget* MainWindow::buildLeftBlock() {
    auto* block = new QWidget;
    block->setObjectName(QStringLiteral("Panel3"));
    // Never narrower than the original frame, and wide enough for both tables' columns side by side.
    const int tableWidth = teamColumnWidth() + 3 * 35 + 53 + 24; // the columns, frame and scroll bar
    block->setMinimumWidth(std::max(598, 2 * tableWidth));
    auto* rows = new QVBoxLayout(block);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);

    homeTableQuery =
        new GridModel(tableColumns(QStringLiteral("Etkm"), QStringLiteral("Ev Sahibi Takım")), this);
    homeTableQuery->setObjectName(QStringLiteral("Query1"));
    awayTableQuery =
        new GridModel(tableColumns(QStringLiteral("Mtkm"), QStringLiteral("Misafir Takım")), this);
    awayTableQuery->setObjectName(QStringLiteral("Query2"));
    seasonHomeQuery =
        new GridModel(tableColumns(QStringLiteral("Etkm"), QStringLiteral("Ev Sahibi Takım")), this);
    seasonHomeQuery->setObjectName(QStringLiteral("SeasonHomeQuery"));
    seasonAwayQuery =
        new GridModel(tableColumns(QStringLiteral("Mtkm"), QStringLiteral("Misafir Takım")), this);
    seasonAwayQuery->setObjectName(QStringLiteral("SeasonAwayQuery"));

    auto* tables = new QHBoxLayout;
    tables->setContentsMargins(0, 0, 0, 0);
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
    homeTableGrid = makeGrid(QStringLiteral("DBGrid1"), homeTableQuery);
    awayTableGrid = makeGrid(QStringLiteral("DBGrid2"), awayTableQuery);
    tables->addLayout(half(QStringLiteral("İÇ SAHA TABLOSU"), homeTableGrid));
    tables->addLayout(half(QStringLiteral("DIŞ SAHA TABLOSU"), awayTableGrid));
    auto* seasonLine = new QHBoxLayout;
    seasonLine->setContentsMargins(4, 2, 4, 2);
    seasonBox = makeList("SeasonBox", 90);
    seasonBox->addItem(allSeasons());
    seasonLine->addWidget(new QLabel(QStringLiteral("Sezon")));
    seasonLine->addWidget(seasonBox);
    seasonLine->addStretch(1);
    auto* tablesPage = new QWidget;
    auto* page = new QVBoxLayout(tablesPage);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addLayout(seasonLine);
    page->addLayout(tables, 1);
    rows->addWidget(buildTablesOrGuide(tablesPage), 1);
    rows->addWidget(buildComparisonPanel());
    rows->addWidget(buildProbabilityPanel());
    return block;
}

QWidget* MainWindow::buildComparisonPanel() {
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
    matchNumberBox = new QLineEdit;
    matchNumberBox->setObjectName(QStringLiteral("Memo25"));
    matchNumberBox->setAlignment(centred);
    matchNumberBox->setMaxLength(3);
    matchNumberBox->setToolTip(QStringLiteral("Vezal Maç Nosu Girin"));
    matchNumberBox->setFixedWidth(40);
    homeTeamBox = makeList("ComboBox3", 160);
    awayTeamBox = makeList("ComboBox4", 160);
    homeBoxes.points = makeBox("Memo1", right, 64);
    awayBoxes.points = makeBox("Memo2", right, 64);
    homeBoxes.games = makeBox("Memo3", centred, 40);
    awayBoxes.games = makeBox("Memo4", centred, 40);
    homeBoxes.goalsFor = makeBox("Memo5", centred, 40);
    awayBoxes.goalsFor = makeBox("Memo6", centred, 40);
    homeBoxes.goalsAgainst = makeBox("Memo7", centred, 40);
    awayBoxes.goalsAgainst = makeBox("Memo8", centred, 40);
    predictButton = makeButton("Button1", QStringLiteral("Tahmin"));
    commentaryButton = makeButton("Button6", QStringLiteral("Yorum"));
    couponButton = makeButton("Button2", QStringLiteral("Kupon"));

    grid->addWidget(new QLabel(QStringLiteral("Maç No ")), 0, 0);
    grid->addWidget(matchNumberBox, 0, 1, Qt::AlignLeft);
    int column = 2;
    for (const char* title : {"Puanlar", "Oyun", "A", "Y"}) {
        auto* label = new QLabel(QString::fromUtf8(title));
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, 0, column++);
    }
    grid->addWidget(new QLabel(QStringLiteral("Ev Sahibi")), 1, 0);
    grid->addWidget(homeTeamBox, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Misafir")), 2, 0);
    grid->addWidget(awayTeamBox, 2, 1);
    column = 2;
    for (QLineEdit* box : {homeBoxes.points, homeBoxes.games, homeBoxes.goalsFor, homeBoxes.goalsAgainst})
        grid->addWidget(box, 1, column++);
    column = 2;
    for (QLineEdit* box : {awayBoxes.points, awayBoxes.games, awayBoxes.goalsFor, awayBoxes.goalsAgainst})
        grid->addWidget(box, 2, column++);
    grid->setColumnStretch(6, 1);
    grid->addWidget(predictButton, 0, 7);
    grid->addWidget(commentaryButton, 1, 7);
    grid->addWidget(couponButton, 2, 7);

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
    firstSignBox = makeBox("Memo9", centred, 22);
    secondSignBox = makeBox("Memo10", centred, 22);
    thirdSignBox = makeBox("Memo11", centred, 22);
    underOverBox = makeBox("Memo12", centred, 128);
    goalsBandBox = makeBox("Memo21", centred, 48);
    scoreBoxes.home = makeBox("Memo13", centred, 26);
    scoreBoxes.away = makeBox("Memo14", centred, 26);
    alternativeBoxes[0].home = makeBox("Memo15", centred, 22);
    alternativeBoxes[0].away = makeBox("Memo16", centred, 22);
    alternativeBoxes[1].home = makeBox("Memo17", centred, 22);
    alternativeBoxes[1].away = makeBox("Memo18", centred, 22);
    alternativeBoxes[2].home = makeBox("Memo19", centred, 22);
    alternativeBoxes[2].away = makeBox("Memo20", centred, 22);

    column = 0;
    line->addWidget(title, 1, column++);
    const auto group = [&](const QString& caption, std::initializer_list<QWidget*> widgets) {
        auto* label = new QLabel(caption);
        label->setAlignment(Qt::AlignCenter);
        line->addWidget(label, 0, column, 1, int(widgets.size()));
        for (QWidget* widget : widgets)
            line->addWidget(widget, 1, column++);
    };
    group(QStringLiteral("Maç Sonucu"), {firstSignBox, secondSignBox, thirdSignBox});
    group(QStringLiteral("Altı - Üstü"), {underOverBox});
    group(QStringLiteral("Toplam Gol"), {goalsBandBox});
    group(QString(), {scoreBoxes.home, scoreBoxes.away});
    group(QStringLiteral("Alternatif Skorlar"),
          {new QLabel(QStringLiteral("-")), alternativeBoxes[0].home, alternativeBoxes[0].away,
           new QLabel(QStringLiteral("-")), alternativeBoxes[1].home, alternativeBoxes[1].away,
           new QLabel(QStringLiteral("-")), alternativeBoxes[2].home, alternativeBoxes[2].away});
    line->setColumnStretch(column, 1);

    lower->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    frames->addWidget(upper, 1);
    frames->addWidget(lower);

    return panel;
}

QWidget* MainWindow::buildRightBlock() {
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
    teamFilterBox = makeList("ComboBox2", 114);
    teamMatchesButton = makeButton("Button3", QStringLiteral("Hepsi"));
    teamHomeMatchesButton = makeButton("Button4", QStringLiteral("İç"));
    teamAwayMatchesButton = makeButton("Button7", QStringLiteral("Dış"));
    leagueMatchesButton = makeButton("Button5", QStringLiteral("Tüm Maçlar"));
    line->addWidget(caption);
    line->addWidget(teamFilterBox);
    for (const auto& [button, width] : {std::pair{teamMatchesButton, 50},
                                        {teamHomeMatchesButton, 36},
                                        {teamAwayMatchesButton, 40},
                                        {leagueMatchesButton, 76}}) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, kMaroon);
        button->setPalette(palette);
        button->setFixedSize(width, 21);
        line->addWidget(button);
    }
    line->addStretch(1);

    leagueHistoryQuery = new GridModel(historyColumns(), this);
    leagueHistoryQuery->setObjectName(QStringLiteral("Query3"));
    teamHistoryQuery = new GridModel(historyColumns(), this);
    teamHistoryQuery->setObjectName(QStringLiteral("Query4"));
    historyGrid = makeGrid(QStringLiteral("DBGrid3"), leagueHistoryQuery);

    rows->addWidget(header);
    rows->addWidget(historyGrid, 1);
    return block;
}

void MainWindow::buildStatusLine() {
    statusLine = new QStatusBar(this);
    statusLine->setObjectName(QStringLiteral("StatusBar1"));
    statusLine->setFont(QFont(QStringLiteral("Tahoma"), 8));
    statusLine->setFixedHeight(19);
    statusLine->addWidget(new QLabel(QString::fromUtf16(maker::kWebAddress)), 1);
    setStatusBar(statusLine);
}

} // namespace vezal
