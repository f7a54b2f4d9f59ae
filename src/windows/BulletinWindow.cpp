#include "windows/BulletinWindow.h"

#include "betting/BetLedger.h"
#include "betting/BettingMessages.h"
#include "betting/Evidence.h"
#include "common/Names.h"
#include "common/Odds.h"
#include "exchange/LeaguePredictor.h"
#include "exchange/LeagueSources.h"
#include "exchange/SourceFetch.h"
#include "prediction/Coupon.h"
#include "store/LeagueListFile.h"
#include "store/SourceTable.h"
#include "store/TextLines.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/PlaceBetDialog.h"
#include "windows/WindowKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <map>
#include <set>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  HAFTANIN BÜLTENİ");
const QString kChooseTitle = QStringLiteral("Fikstür Dosyasını Seçin");
const QString kNoFile = QStringLiteral("Öncelikle fikstür dosyasını seçmelisiniz  ... ");
const QString kShown = QStringLiteral("%1 maç, %2 değerli sonuç.");
const QString kSkipped = QStringLiteral(" Ligi olmayan kodlar atlandı: %1.");
const QString kStale =
    QStringLiteral("Ayarlar değişti, satırlar eski ayarlarla: Enter ya da \"Listele\" yeniden listeler.");
const QString kFileCodes = QStringLiteral("dosyadaki kod");
const QString kFetchedFile = QStringLiteral("fikstur.csv");
const QString kFetching = QStringLiteral("Gelecek maçlar alınıyor: %1  ... ");
const QString kNotFetched = QStringLiteral("Gelecek maçlar alınamadı: %1");
const QString kTotals = QStringLiteral("%1 bahis, toplam pay %2, beklenen kâr %3");
const QStringList kRowTitles = {"Tarih",  "Saat",  "Lig",      "Ev Sahibi", "Misafir",
                                "Tahmin", "Sonuç", "Olasılık", "Bahisçi",   "Oran",
                                "Kaynak", "Değer", "Değerli",  "Pay",       "Model"};
// The rule's past yield, then what its bets were worth at the closing prices ("BD": expected value).
const QStringList kEvidenceTitles = {"Lig",   "Pazar", "Bahis",          "Kazanan",  "Getiri %",
                                     "Alt %", "Üst %", "Kapanışta BD %", "BD alt %", "BD üst %"};
const QStringList kOddsChoices = {"En yüksek", "Ortalama", "PS", "B365", "BW", "IW", "WH", "VC", "1XB", "BF"};
// The probabilities, the odds, the value and the stake: the highest first on the first click.
constexpr int kNumberColumns[] = {7, 8, 9, 11, 13, 14};
constexpr int kOddsColumn = 9;
const QString kOddsTip = QStringLiteral(
    "Oranın üstüne kendi bahisçinizin oranını yazabilirsiniz; boş bırakılırsa dosyadaki oran kullanılır");

QLineEdit* numberBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaximumWidth(90);
    return box;
}

QTableWidget* table(const char* name, const QStringList& titles, QWidget* parent) {
    auto* grid = new QTableWidget(0, static_cast<int>(titles.size()), parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setHorizontalHeaderLabels(titles);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    return grid;
}

} // namespace

BulletinWindow::BulletinWindow(Program& program, QWidget* parent)
    : QDialog(parent), fixturesAddress(QString::fromUtf16(kFootballDataFixtures)), program_(program) {
    setUpDialog(this, "BulletinWindow", kCaption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    const FileChooser chooser = makeFileChooser(this);
    fileBox = chooser.box;
    chooseButton = chooser.button;
    leagueBox = makeDropDown(QStringLiteral("LeagueBox"), this);
    oddsBox = makeDropDown(QStringLiteral("OddsBox"), this);
    oddsBox->addItems(kOddsChoices);
    bankrollBox = numberBox("BankrollBox", this);
    fractionBox = numberBox("FractionBox", this);
    thresholdBox = numberBox("ThresholdBox", this);
    maxStakeBox = numberBox("MaxStakeBox", this);
    totalMaxBox = numberBox("TotalMaxBox", this);
    commissionBox = numberBox("CommissionBox", this);
    bookmakersBox = new QLineEdit(this);
    bookmakersBox->setObjectName(QStringLiteral("BookmakersBox"));
    bookmakersBox->setPlaceholderText(QStringLiteral("hepsi"));
    bookmakersBox->setToolTip(QStringLiteral(
        "\"En yüksek\" oranın alındığı bahisçiler, virgülle: B365, PS; boş bırakılırsa hepsi"));
    fetchButton = new QPushButton(QStringLiteral("Web'den Al"), this);
    fetchButton->setObjectName(QStringLiteral("FetchButton"));
    fetchButton->setToolTip(QStringLiteral("football-data.co.uk'un bu haftaki maçlarını oranlarıyla alır"));
    fairBox = new QCheckBox(QStringLiteral("Adil oranlar"), this);
    fairBox->setObjectName(QStringLiteral("FairRowsBox"));
    fairBox->setToolTip(
        QStringLiteral("Dosyada oranı olmayan havuz pazarlarını (1X, DNB1, ALT1.5, TG23 ...) "
                       "adil oranlarıyla listeler; havuzun oranını üstlerine yazabilirsiniz"));
    listButton = new QPushButton(QStringLiteral("Listele"), this);
    listButton->setObjectName(QStringLiteral("ListButton"));
    evidenceGrid = table("EvidenceGrid", kEvidenceTitles, this);
    rowsGrid = table("RowsGrid", kRowTitles, this);
    rowsGrid->setMinimumSize(900, 160);
    // The odds cell is typed over on a key or a click on the chosen row; a double click shows the fixture.
    rowsGrid->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    rowsGrid->horizontalHeaderItem(kOddsColumn)->setToolTip(kOddsTip);
    for (const int column : kNumberColumns)
        rowsGrid->horizontalHeaderItem(column)->setData(Qt::InitialSortOrderRole, Qt::DescendingOrder);
    rowsGrid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    // The evidence above the rows, the border between them movable: it starts with all its rows shown.
    split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("EvidenceSplitter"));
    split->setChildrenCollapsible(false);
    split->addWidget(evidenceGrid);
    split->addWidget(rowsGrid);
    split->setStretchFactor(1, 1);
    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("StatusLabel"));
    totalLabel = new QLabel(this);
    totalLabel->setObjectName(QStringLiteral("TotalLabel"));
    couponButton = new QPushButton(QStringLiteral("Kupona Ekle"), this);
    couponButton->setObjectName(QStringLiteral("CouponButton"));
    betButton = new QPushButton(QStringLiteral("Bahis Yap"), this);
    betButton->setObjectName(QStringLiteral("BetButton"));
    closeButton = new QPushButton(QStringLiteral("Kapat"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(QStringLiteral("Dosya"), this), 0, 0);
    choices->addWidget(fileBox, 0, 1, 1, 8);
    choices->addWidget(chooseButton, 0, 9);
    choices->addWidget(fetchButton, 0, 10);
    choices->addWidget(new QLabel(QStringLiteral("Lig"), this), 1, 0);
    choices->addWidget(leagueBox, 1, 1, 1, 2);
    choices->addWidget(new QLabel(QStringLiteral("Oran"), this), 1, 3);
    choices->addWidget(oddsBox, 1, 4, 1, 2);
    choices->addWidget(new QLabel(QStringLiteral("Bahisçiler"), this), 1, 6);
    choices->addWidget(bookmakersBox, 1, 7, 1, 2);
    choices->addWidget(new QLabel(QStringLiteral("Komisyon"), this), 1, 9);
    choices->addWidget(commissionBox, 1, 10);
    const std::pair<const char*, QLineEdit*> boxes[] = {{"Kasa", bankrollBox},
                                                        {"Kelly payı", fractionBox},
                                                        {"Değer eşiği", thresholdBox},
                                                        {"En çok pay", maxStakeBox},
                                                        {"Toplam en çok", totalMaxBox}};
    int column = 0;
    for (const auto& [label, box] : boxes) {
        choices->addWidget(new QLabel(QString::fromUtf8(label), this), 2, column++);
        choices->addWidget(box, 2, column++);
    }
    choices->addWidget(fairBox, 2, column);
    choices->addWidget(listButton, 2, column + 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(statusLabel, 1);
    buttons->addWidget(totalLabel);
    buttons->addWidget(couponButton);
    buttons->addWidget(betButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    for (QPushButton* button :
         {chooseButton, fetchButton, listButton, couponButton, betButton, closeButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    Dialogs& dialogs = program_.dialogs;
    guardedConnect(chooseButton, &QPushButton::clicked, this, dialogs, [this](bool) { onChooseFile(); });
    guardedConnect(fetchButton, &QPushButton::clicked, this, dialogs, [this](bool) { onFetch(); });
    guardedConnect(listButton, &QPushButton::clicked, this, dialogs, [this](bool) { onList(); });
    guardedConnect(couponButton, &QPushButton::clicked, this, dialogs, [this](bool) { onAddToCoupon(); });
    guardedConnect(betButton, &QPushButton::clicked, this, dialogs, [this](bool) { onPlaceBet(); });
    guardedConnect(rowsGrid, &QTableWidget::cellDoubleClicked, this, dialogs,
                   [this](int row, int) { onRowChosen(row); });
    // Taken after the editor has closed, so that a warning does not meet an editor still open.
    connect(rowsGrid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || item->column() != kOddsColumn)
            return;
        const int place = item->data(Qt::UserRole + 1).toInt();
        QMetaObject::invokeMethod(
            this,
            [this, listing = listing_, place, text = item->text()] {
                guarded(program_.dialogs, this, [&] { onOddsTyped(listing, place, text); });
            },
            Qt::QueuedConnection);
    });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    // A choice lists again at once; a number on Enter, as a half-typed one is no number yet, and each
    // listing fits the model and walks the evidence again. Meanwhile the rows say they are stale.
    for (QComboBox* box : {leagueBox, oddsBox})
        guardedConnect(box, &QComboBox::activated, this, dialogs, [this](int) {
            if (listed_)
                onList();
        });
    guardedConnect(fairBox, &QCheckBox::toggled, this, dialogs, [this](bool) {
        if (listed_)
            onList();
    });
    for (QLineEdit* box :
         {bankrollBox, fractionBox, thresholdBox, maxStakeBox, totalMaxBox, bookmakersBox, commissionBox}) {
        KeyRule::install(box, KeyRule::Typed::Anything,
                         [this] { guarded(program_.dialogs, this, [this] { onList(); }); });
        connect(box, &QLineEdit::textEdited, this, [this] {
            if (listed_)
                statusLabel->setText(kStale);
        });
    }
    loadSettings();
}

void BulletinWindow::loadLeagues() {
    const QString chosen = leagueBox->currentIndex() > 0 ? leagueBox->currentText() : QString();
    fillWithLeagues(leagueBox, program_);
    const QSignalBlocker quiet(leagueBox);
    leagueBox->insertItem(0, kFileCodes);
    leagueBox->setCurrentIndex(chosen.isEmpty() ? 0 : std::max(0, leagueBox->findText(chosen)));
}

void BulletinWindow::open() {
    guarded(program_.dialogs, this, [this] { loadLeagues(); });
    if (!isVisible()) {
        adjustSize();
        centreOverMainWindow(this, program_);
    }
    show();
    raise();
}

void BulletinWindow::onChooseFile() {
    const QString path = program_.dialogs.openFileName(this, kChooseTitle, QString::fromUtf16(kCsvFilter));
    if (path.isEmpty())
        return;
    setFile(path);
    onList();
}

void BulletinWindow::setFile(const QString& path) {
    path_ = path;
    typed_.clear(); // the file read again: its own prices
    fileBox->setText(QDir::toNativeSeparators(path));
    saveFile(path);
}

// The coming matches into the data folder's fikstur.csv, then listed: a failed fetch keeps the file
// that was there.
void BulletinWindow::onFetch() {
    QProgressDialog progress(kFetching.arg(fixturesAddress), QStringLiteral("İptal"), 0, 0, this);
    setUpProgress(progress, "FetchProgress", kCaption, 300);
    FetchOptions options;
    options.keepGoing = [&progress] {
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    SourceFetcher fetcher;
    const Fetched fetched = fetcher.fetch(fixturesAddress, options);
    progress.close();
    if (fetched.cancelled)
        return;
    if (!fetched.body) {
        program_.dialogs.caution(this, kNotFetched.arg(fetched.error));
        return;
    }
    const QString path = QDir(program_.folder).filePath(kFetchedFile);
    // A week's matches are a few hundred KB, and the fetch's limit bounds them.
    textlines::writeBytes(path, fetched.body->readAll());
    setFile(path);
    onList();
}

void BulletinWindow::onList() {
    if (path_.isEmpty()) {
        program_.dialogs.caution(this, kNoFile);
        return;
    }
    std::optional<BulletinRule> rule = readRule();
    if (!rule)
        return;
    saveSettings(*rule);
    if (const auto refusal = inputFileRefusal(path_)) {
        program_.dialogs.caution(this, *refusal);
        return;
    }
    const MatchFileReading reading = readMatchFileAt(path_, MatchFileKind::Fixtures, program_.today());
    if (reading.refusal) {
        program_.dialogs.caution(this, *reading.refusal);
        return;
    }
    std::optional<QString> league;
    if (leagueBox->currentIndex() > 0)
        league = leagueBox->currentText();
    else if (!reading.rows.empty() &&
             std::all_of(reading.rows.begin(), reading.rows.end(),
                         [](const MatchLine& line) { return line.division.isEmpty(); })) {
        program_.dialogs.caution(this, QString::fromUtf16(messages::kNoLeagueCodeColumn));
        return;
    }
    const BookmakerReading bookmakers = readBookmakers(bookmakersBox->text(), oddsSourcesOf(reading.rows));
    if (bookmakers.refusal) {
        program_.dialogs.caution(this, *bookmakers.refusal);
        bookmakersBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    rule->odds.bookmakers = bookmakers.codes;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    FixtureSorting sorting = sortFixtures(reading.rows, loadLeagueList(program_.leagueListPath()), league,
                                          SourceTable(program_.database()).all());
    spellAsRegistered(program_.database(), sorting.fixtures);
    rowsGrid->setRowCount(0);
    fixtures_ = std::move(sorting.fixtures);
    fillEvidence(fixtures_, *rule);
    listedRows_ = bulletinRows(program_.database(), fixtures_, *rule);
    listedStake_ = rule->stake;
    ++listing_;
    fillRows(withTypedOdds(listedRows_, typed_, listedStake_));
    skipped_.clear();
    if (!sorting.skipped.empty()) {
        QStringList codes;
        for (const auto& [code, count] : sorting.skipped)
            codes << QStringLiteral("%1 (%2)").arg(code.isEmpty() ? QStringLiteral("-") : code).arg(count);
        skipped_ = kSkipped.arg(codes.join(QStringLiteral(", ")));
    }
    showSummary();
    listed_ = true;
}

void BulletinWindow::showSummary() {
    const auto values =
        std::count_if(rows_.begin(), rows_.end(), [](const BulletinRow& r) { return r.isValue; });
    statusLabel->setText(kShown.arg(fixtures_.size()).arg(values) + skipped_);
    const BulletinTotals totals = bulletinTotals(rows_);
    totalLabel->setText(kTotals.arg(totals.bets)
                            .arg(turkishLocale().toString(totals.stake, 'f', 2),
                                 turkishLocale().toString(totals.expectedProfit, 'f', 2)));
}

} // namespace vezal
