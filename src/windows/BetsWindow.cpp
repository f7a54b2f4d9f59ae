#include "windows/BetsWindow.h"

#include "betting/BetLedger.h"
#include "betting/BettingMessages.h"
#include "windows/ChartKit.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/WindowKit.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDir>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  BAHİSLERİM");
const QStringList kBetColumns = {QStringLiteral("No"),   QStringLiteral("Tarih"),  QStringLiteral("Seçimler"),
                                 QStringLiteral("Oran"), QStringLiteral("Miktar"), QStringLiteral("Durum"),
                                 QStringLiteral("Kâr"),  QStringLiteral("CLV %")};
const QStringList kGroupColumns = {QStringLiteral("Bahis"),    QStringLiteral("Kazanan"),
                                   QStringLiteral("Kaybeden"), QStringLiteral("Yatırılan"),
                                   QStringLiteral("Kâr"),      QStringLiteral("Verim %")};
const QString kTotals = QStringLiteral("Bahis: %1   Açık: %2   Kazanan: %3   Kaybeden: %4   Yatırılan: %5   "
                                       "Kâr: %6   Verim: %7   Ortalama CLV: %8   Kasa: %9");
const QString kHalfTotals = QStringLiteral("   Yarı kazanan: %1   İade: %2   Yarı kaybeden: %3");
const QString kCouponNote =
    QStringLiteral("Kuponun oranı seçimlerinin oranlarının çarpımıdır; maçlar birbirinden "
                   "bağımsız sayılır, iptal edilen seçimin oranı 1 sayılır.");
const QString kChooseBet = QStringLiteral("Öncelikle bir bahis seçmelisiniz  ... ");
const QString kDeleteTitle = QStringLiteral("Bahis Sil");
const QString kDeleteQuestion = QStringLiteral("%1 numaralı bahis silinsin mi?");
const QString kVoidTitle = QStringLiteral("Bahis İptal");
const QString kVoidQuestion = QStringLiteral("%1 numaralı bahis iptal edilsin mi? Miktarı geri sayılır.");
const QString kVoidWhich =
    QStringLiteral("%1 numaralı kuponun nesi iptal edilsin? İptal edilen seçimin oranı 1 sayılır.");
const QString kWholeCoupon = QStringLiteral("Bütün kupon");
const QString kSaveTitle = QStringLiteral("Bahisleri Dosya Olarak Kaydet");
const QString kSaveFilter = QStringLiteral("CSV Dosyalar (*.csv)|*.csv");
const QString kSaveName = QStringLiteral("bahislerim.csv");
const QString kChartTitle = QStringLiteral("Kasa");

QLocale turkish() {
    return QLocale(QLocale::Turkish, QLocale::Turkey);
}

// A figure no bet within the bounds can reach (one stored before them) shows as unknown, never as "inf".
QString number(double value, int decimals = 2) {
    return std::isfinite(value) ? turkish().toString(value, 'f', decimals) : QStringLiteral("-");
}

QString percent(const std::optional<double>& value, int decimals) {
    return value ? QStringLiteral("%") + number(*value, decimals) : QStringLiteral("-");
}

QTableWidget* makeTable(const QString& name, const QStringList& titles, QWidget* parent) {
    auto* grid = new QTableWidget(0, int(titles.size()), parent);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels(titles);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setFont(windowFont());
    grid->verticalHeader()->hide();
    return grid;
}

QTableWidgetItem* cell(const QString& text, bool right = false) {
    auto* item = new QTableWidgetItem(text);
    if (right)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// One selection as the grid shows it: the match, its day, the pick and its odds, and what came of it.
QString selectionLine(const SelectionState& s) {
    QString line =
        QStringLiteral("%1 - %2 (%3, %4) %5 @ %6")
            .arg(s.selection.home, s.selection.away, s.selection.league,
                 s.selection.day.toString(QStringLiteral("dd.MM.yyyy")), s.code(), number(s.selection.odds));
    if (s.voided)
        line += QStringLiteral(" — ") + statusText(BetStatus::Void);
    else if (s.score)
        line += QStringLiteral(" — %1-%2").arg(s.score->first).arg(s.score->second);
    if (const QString reason = s.openReason(); !reason.isEmpty())
        line += QStringLiteral(" — ") + reason;
    return line;
}

} // namespace

BetsWindow::BetsWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("BetsWindow"));
    setWindowTitle(kCaption);
    setDialogTitleBar(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setFont(windowFont());
    setSizeGripEnabled(true);

    bankrollBox = new QDoubleSpinBox(this);
    bankrollBox->setObjectName(QStringLiteral("BankrollBox"));
    bankrollBox->setLocale(turkish());
    bankrollBox->setRange(0, 1e9);
    bankrollBox->setDecimals(2);
    bankrollBox->setGroupSeparatorShown(false);
    totalsLabel = new QLabel(this);
    totalsLabel->setObjectName(QStringLiteral("TotalsLabel"));
    betsGrid = makeTable(QStringLiteral("BetsGrid"), kBetColumns, this);
    betsGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    betsGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    bankrollChart = chartkit::makeChartView(QStringLiteral("BankrollChart"), this);
    leagueGrid =
        makeTable(QStringLiteral("LeagueGrid"), QStringList{QStringLiteral("Lig")} + kGroupColumns, this);
    marketGrid =
        makeTable(QStringLiteral("MarketGrid"), QStringList{QStringLiteral("Sonuç")} + kGroupColumns, this);
    for (QTableWidget* grid : {leagueGrid, marketGrid})
        grid->setSelectionMode(QAbstractItemView::NoSelection);
    voidButton = new QPushButton(QStringLiteral("İptal Et"), this);
    voidButton->setObjectName(QStringLiteral("VoidButton"));
    deleteButton = new QPushButton(QStringLiteral("Sil"), this);
    deleteButton->setObjectName(QStringLiteral("DeleteButton"));
    csvFormBox = makeCsvFormBox(this);
    exportButton = new QPushButton(QStringLiteral("Dışa Aktar..."), this);
    exportButton->setObjectName(QStringLiteral("ExportButton"));
    closeButton = new QPushButton(QStringLiteral("Kapat"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Başlangıç kasası"), this));
    top->addWidget(bankrollBox);
    top->addSpacing(12);
    top->addWidget(totalsLabel, 1);
    auto* groups = new QVBoxLayout;
    groups->addWidget(leagueGrid);
    groups->addWidget(marketGrid);
    auto* lower = new QHBoxLayout;
    lower->addWidget(bankrollChart, 1);
    lower->addLayout(groups, 1);
    auto* buttons = new QHBoxLayout;
    auto* note = new QLabel(kCouponNote, this);
    note->setObjectName(QStringLiteral("CouponNote"));
    buttons->addWidget(note, 1);
    for (QPushButton* button : {voidButton, deleteButton, exportButton, closeButton}) {
        button->setAutoDefault(false);
        if (button == exportButton)
            buttons->addWidget(csvFormBox);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(betsGrid, 1);
    layout->addLayout(lower, 1);
    layout->addLayout(buttons);
    resize(1100, 800);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(bankrollBox, &QDoubleSpinBox::editingFinished, this, dialogs, [this] { onBankroll(); });
    guardedConnect(voidButton, &QPushButton::clicked, this, dialogs, [this](bool) { onVoid(); });
    guardedConnect(deleteButton, &QPushButton::clicked, this, dialogs, [this](bool) { onDelete(); });
    guardedConnect(exportButton, &QPushButton::clicked, this, dialogs, [this](bool) { onExport(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    guardedConnect(&program_.changes(), &DataChanges::changed, this, dialogs, [this] {
        if (isVisible())
            refreshIfChanged();
    });
}

// The bankroll box, losing the focus while the window is taken apart, must not reach the window then.
BetsWindow::~BetsWindow() {
    bankrollBox->disconnect(this);
}

bool BetsWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && isVisible())
        guarded(program_.dialogs, this, [this] { refreshIfChanged(); });
    return QDialog::event(event);
}

void BetsWindow::refreshIfChanged() {
    const Database& database = program_.database();
    if (database.inTransaction() || (readAt_ && *readAt_ == database.changeStamp()))
        return;
    refresh();
}

void BetsWindow::open() {
    refresh();
    if (!isVisible())
        centreOverMainWindow(this, program_);
    show();
    raise();
    activateWindow();
}

void BetsWindow::refresh() {
    BetLedger ledger(program_.database());
    readAt_ = program_.database().changeStamp();
    bets_ = ledger.bets();
    bankroll_ = ledger.startingBankroll();
    // Open bets first, each part in the order placed.
    std::stable_sort(bets_.begin(), bets_.end(), [](const BetRecord& a, const BetRecord& b) {
        return (a.status() == BetStatus::Open) > (b.status() == BetStatus::Open);
    });
    {
        const QSignalBlocker quiet(bankrollBox);
        bankrollBox->setValue(bankroll_);
    }
    fillBets();
    fillTotals();
    fillChart();
    fillGroups(leagueGrid, totalsPerLeague(bets_));
    fillGroups(marketGrid, totalsPerMarket(bets_));
}

void BetsWindow::fillBets() {
    betsGrid->setRowCount(int(bets_.size()));
    for (int row = 0; row < int(bets_.size()); ++row) {
        const BetRecord& bet = bets_[std::size_t(row)];
        QStringList selections;
        QStringList clvs;
        for (const SelectionState& s : bet.selections) {
            selections << selectionLine(s);
            clvs << (s.clv ? number(*s.clv * 100) : QStringLiteral("-"));
        }
        const std::optional<double> clv = bet.clv();
        betsGrid->setItem(row, 0, cell(QString::number(bet.id), true));
        betsGrid->setItem(row, 1, cell(bet.placed.toString(QStringLiteral("dd.MM.yyyy"))));
        betsGrid->setItem(row, 2, cell(selections.join(QLatin1Char('\n'))));
        betsGrid->setItem(row, 3, cell(number(bet.odds()), true));
        betsGrid->setItem(row, 4, cell(number(bet.stake), true));
        betsGrid->setItem(row, 5, cell(statusText(bet.status())));
        betsGrid->setItem(row, 6, cell(number(bet.profit()), true));
        betsGrid->setItem(row, 7,
                          cell(bet.selections.size() == 1 ? (clv ? number(*clv * 100) : QString())
                                                          : clvs.join(QLatin1Char('\n')),
                               true));
    }
    betsGrid->resizeColumnsToContents();
    betsGrid->resizeRowsToContents();
}

void BetsWindow::fillTotals() {
    const LedgerTotals t = ledgerTotals(bets_, bankroll_);
    totalsLabel->setText(kTotals.arg(t.bets).arg(t.open).arg(t.won).arg(t.lost).arg(
        number(t.staked), number(t.profit), percent(t.yieldPercent, 1), percent(t.meanClvPercent, 2),
        number(t.bankroll)));
    // Only the markets with pushes and half results have them: the line stays short without.
    if (t.halfWon + t.pushed + t.halfLost > 0)
        totalsLabel->setText(totalsLabel->text() + kHalfTotals.arg(t.halfWon).arg(t.pushed).arg(t.halfLost));
}

void BetsWindow::fillChart() {
    QChart* chart = bankrollChart->chart();
    chartkit::clearChart(chart);
    chart->setTitle(kChartTitle);
    const std::vector<BankrollPoint> curve = bankrollCurve(bets_, bankroll_);
    QList<QPointF> points;
    double low = bankroll_, high = bankroll_;
    for (const BankrollPoint& point : curve) {
        points.append(QPointF(double(point.day.startOfDay().toMSecsSinceEpoch()), point.balance));
        low = std::min(low, point.balance);
        high = std::max(high, point.balance);
    }
    chartkit::addLine(chart, QStringLiteral("Kasa"), chartkit::kNavy, points);
    auto* days = new QDateTimeAxis;
    days->setFormat(QStringLiteral("dd.MM.yyyy"));
    days->setTitleText(QStringLiteral("Tarih"));
    if (!curve.empty()) {
        const QDate first = curve.front().day, last = std::max(curve.back().day, first.addDays(1));
        days->setRange(first.startOfDay(), last.startOfDay());
        // At most a tick a day, so that no day is written twice.
        days->setTickCount(int(std::min<qint64>(5, first.daysTo(last) + 1)));
    } else {
        days->setLabelsVisible(false); // no bet, no day to write
    }
    chartkit::attachAxis(chart, days, Qt::AlignBottom);
    QValueAxis* balance = chartkit::makeValueAxis(QStringLiteral("Kasa"), QStringLiteral("%.2f"));
    balance->setRange(low, high > low ? high : low + 1);
    balance->applyNiceNumbers();
    chartkit::attachAxis(chart, balance, Qt::AlignLeft);
}

void BetsWindow::fillGroups(QTableWidget* grid, const std::vector<LedgerGroup>& groups) {
    grid->setRowCount(int(groups.size()));
    for (int row = 0; row < int(groups.size()); ++row) {
        const LedgerGroup& group = groups[std::size_t(row)];
        const LedgerTotals& t = group.totals;
        grid->setItem(row, 0, cell(group.name));
        grid->setItem(row, 1, cell(QString::number(t.bets), true));
        grid->setItem(row, 2, cell(QString::number(t.won), true));
        grid->setItem(row, 3, cell(QString::number(t.lost), true));
        grid->setItem(row, 4, cell(number(t.staked), true));
        grid->setItem(row, 5, cell(number(t.profit), true));
        grid->setItem(row, 6, cell(t.yieldPercent ? number(*t.yieldPercent, 1) : QStringLiteral("-"), true));
    }
    grid->resizeColumnsToContents();
}

std::optional<qint64> BetsWindow::chosenBet() const {
    const int row = betsGrid->currentRow();
    if (row < 0 || row >= int(bets_.size()) || betsGrid->selectedItems().isEmpty())
        return std::nullopt;
    return bets_[std::size_t(row)].id;
}

void BetsWindow::onBankroll() {
    if (bankrollBox->value() == bankroll_)
        return;
    BetLedger(program_.database()).setStartingBankroll(bankrollBox->value());
    refresh();
}

void BetsWindow::onVoid() {
    const std::optional<qint64> id = chosenBet();
    if (!id) {
        program_.dialogs.caution(this, kChooseBet);
        return;
    }
    const auto bet =
        std::find_if(bets_.cbegin(), bets_.cend(), [&](const BetRecord& b) { return b.id == *id; });
    std::optional<int> selection;
    if (bet != bets_.cend() && bet->selections.size() > 1) {
        // A coupon: the whole of it, or the one selection whose match was not played as bet.
        QStringList choices = {kWholeCoupon};
        std::vector<int> numbers = {0};
        for (const SelectionState& s : bet->selections)
            if (!s.voided) {
                choices << QStringLiteral("%1: %2").arg(s.number).arg(selectionLine(s));
                numbers.push_back(s.number);
            }
        const std::optional<int> chosen =
            program_.dialogs.choose(this, kVoidTitle, kVoidWhich.arg(*id), choices);
        if (!chosen || *chosen < 0 || *chosen >= int(numbers.size()))
            return;
        if (*chosen > 0)
            selection = numbers[std::size_t(*chosen)];
    } else if (!program_.dialogs.ask(this, kVoidTitle, kVoidQuestion.arg(*id), false)) {
        return;
    }
    if (const std::optional<QString> refusal = BetLedger(program_.database()).voidBet(*id, selection))
        program_.dialogs.caution(this, *refusal);
    refresh();
}

void BetsWindow::onDelete() {
    const std::optional<qint64> id = chosenBet();
    if (!id) {
        program_.dialogs.caution(this, kChooseBet);
        return;
    }
    if (!program_.dialogs.ask(this, kDeleteTitle, kDeleteQuestion.arg(*id), false))
        return;
    if (!BetLedger(program_.database()).remove(*id))
        program_.dialogs.caution(this, QString::fromUtf16(messages::kNoSuchBet).arg(*id));
    refresh();
}

void BetsWindow::onExport() {
    const QString path = program_.dialogs.saveFileName(this, kSaveTitle, kSaveFilter, kSaveName);
    if (path.isEmpty())
        return;
    // In the order placed, as a spreadsheet would sort them.
    std::vector<BetRecord> placed = bets_;
    std::sort(placed.begin(), placed.end(),
              [](const BetRecord& a, const BetRecord& b) { return a.id < b.id; });
    saveCsvBytes(ledgerCsv(placed, chosenCsvForm(csvFormBox)), path);
}

} // namespace vezal
