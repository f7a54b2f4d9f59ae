#include "windows/TrackRecordWindow.h"

#include "common/Names.h"
#include "evidence/ModelTuning.h"
#include "evidence/PerMatchCsv.h"
#include "store/FileTargets.h"
#include "store/LeagueListFile.h"
#include "windows/ChartKit.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/TrackRecordFigures.h"
#include "windows/WindowKit.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  BAŞARI");
const QString kNoLeague = QStringLiteral("Öncelikle Lig Seçimini Yapmalısınız  ... ");
const QString kChoose = QStringLiteral("Bir lig seçip \"Hesapla\" düğmesine basın.");
const QString kShown = QStringLiteral("%1: %2 maç, %3 tahmin, %4 sezon.");
const QString kCancelled = QStringLiteral("Hesaplama iptal edildi: gösterilecek bir sonuç yok.");
const QString kCancelledKept = QStringLiteral("Hesaplama iptal edildi; önceki sonuç duruyor. %1");
const QString kSaved = QStringLiteral("Maçlar tek tek kaydedildi: %1");
const QString kProgress = QStringLiteral("Tahminler ligin geçmiş maçlarıyla karşılaştırılıyor  ... ");
const QString kCancel = QStringLiteral("İptal");
const QString kTuneProgress = QStringLiteral("Gol modeli ligin geçmiş sezonlarına göre ayarlanıyor  ... ");
const QString kTuned = QStringLiteral("Gol modeli ayarlandı: xi %1, gol payı %2.");
const QString kNotTuned =
    QStringLiteral("Gol modeli ayarlanamadı: tahmin edilebilen maç yok ya da iptal edildi.");
const QString kSaveTitle = QStringLiteral("Başarı Dosyası Olarak Kaydet");
const QString kSaveFilter = QStringLiteral("CSV Dosyalar (*.csv)|*.csv");
const QString kSaveName = QStringLiteral("basari.csv");
const QString kNothingToSave = QStringLiteral("Öncelikle bir ligin başarısını hesaplamalısınız  ... ");
constexpr int kLabelMargin = 8;

// Ends the window's busy state however the walk ends.
class Busy {
public:
    Busy(bool& flag, std::initializer_list<QWidget*> controls) : flag_(flag), controls_(controls) {
        flag_ = true;
        for (QWidget* control : controls_)
            control->setEnabled(false);
    }
    ~Busy() {
        flag_ = false;
        for (QWidget* control : controls_)
            control->setEnabled(true);
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
    std::vector<QWidget*> controls_;
};

} // namespace

TrackRecordWindow::TrackRecordWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setObjectName(QStringLiteral("TrackRecordWindow"));
    setWindowTitle(kCaption);
    setDialogTitleBar(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setFont(windowFont());
    setSizeGripEnabled(true);

    leagueBox = makeDropDown(QStringLiteral("LeagueBox"), this);
    leagueBox->setMinimumWidth(180);
    walkButton = new QPushButton(QStringLiteral("Hesapla"), this);
    walkButton->setObjectName(QStringLiteral("WalkButton"));
    tuneButton = new QPushButton(QStringLiteral("Ayarla"), this);
    tuneButton->setObjectName(QStringLiteral("TuneButton"));
    statusLabel = new QLabel(kChoose, this);
    statusLabel->setObjectName(QStringLiteral("StatusLabel"));

    figuresGrid = new QTableWidget(0, 1, this);
    figuresGrid->setObjectName(QStringLiteral("FiguresGrid"));
    figuresGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    figuresGrid->setSelectionMode(QAbstractItemView::NoSelection);
    figuresGrid->horizontalHeader()->setFont(windowFont());
    figuresGrid->verticalHeader()->setFont(windowFont());
    figuresGrid->verticalHeader()->setDefaultSectionSize(figuresGrid->fontMetrics().height() + 4);

    hitRateChart = chartkit::makeChartView(QStringLiteral("HitRateChart"), this);
    profitChart = chartkit::makeChartView(QStringLiteral("ProfitChart"), this);
    calibrationChart = chartkit::makeChartView(QStringLiteral("CalibrationChart"), this);
    valueProfitChart = chartkit::makeChartView(QStringLiteral("ValueProfitChart"), this);
    exportButton = new QPushButton(QStringLiteral("Dışa Aktar..."), this);
    exportButton->setObjectName(QStringLiteral("ExportButton"));
    closeButton = new QPushButton(QStringLiteral("Kapat"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));

    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Lig"), this));
    choices->addWidget(leagueBox);
    choices->addWidget(walkButton);
    choices->addWidget(tuneButton);
    choices->addSpacing(12);
    choices->addWidget(statusLabel, 1);
    // Two by two: four side by side would leave each too narrow for its axis titles.
    auto* chartPane = new QWidget(this);
    const QSize chartMinimum(340, 220);
    for (QChartView* view : {hitRateChart, calibrationChart, profitChart, valueProfitChart})
        view->setMinimumSize(chartMinimum);
    auto* charts = new QGridLayout(chartPane);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->addWidget(hitRateChart, 0, 0);
    charts->addWidget(calibrationChart, 0, 1);
    charts->addWidget(profitChart, 1, 0);
    charts->addWidget(valueProfitChart, 1, 1);
    // The table above the charts, the border between them movable: all of the table's rows and four
    // charts are taller than a screen, so the table starts with half of its rows and scrolls.
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("FiguresSplitter"));
    split->setChildrenCollapsible(false);
    split->addWidget(figuresGrid);
    split->addWidget(chartPane);
    split->setStretchFactor(1, 1);
    const int tableHeight = figuresGrid->horizontalHeader()->sizeHint().height() +
                            14 * figuresGrid->verticalHeader()->defaultSectionSize() + 4;
    split->setSizes({tableHeight, 2 * chartMinimum.height()});
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addLayout(buildExportChoices());
    buttons->addWidget(exportButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(buildSettings());
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    resize(1000, 900);

    for (QPushButton* button : {walkButton, tuneButton, exportButton, closeButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    // Enter in the league or any setting walks with what is chosen.
    for (QWidget* box : std::initializer_list<QWidget*>{leagueBox, fromBox, toBox, xiBox, valueThresholdBox})
        KeyRule::install(box, KeyRule::Typed::Anything, [this] { walkButton->click(); });

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(walkButton, &QPushButton::clicked, this, dialogs, [this](bool) { onWalk(); });
    guardedConnect(tuneButton, &QPushButton::clicked, this, dialogs, [this](bool) { onTune(); });
    guardedConnect(exportButton, &QPushButton::clicked, this, dialogs, [this](bool) { onExport(); });
    guardedConnect(figuresExportButton, &QPushButton::clicked, this, dialogs,
                   [this](bool) { onExportFigures(); });
    // Figures of another league than the chosen one are not left standing.
    connect(leagueBox, &QComboBox::activated, this, [this](int) {
        if (record_ && record_->league != leagueBox->currentText())
            clearRecord(kChoose);
        resetSettings(leagueBox->currentText());
    });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    clearRecord(kChoose);
}

void TrackRecordWindow::open(const QString& league) {
    if (walking_)
        return;
    if (league.isEmpty() && isVisible()) {
        raise();
        activateWindow();
        return;
    }
    loadLeagues();
    const int index = leagueBox->findText(league);
    {
        const QSignalBlocker quiet(leagueBox);
        leagueBox->setCurrentIndex(index);
    }
    if (!isVisible()) {
        centreOverMainWindow(this, program_);
        show();
    }
    raise();
    activateWindow();
    leagueBox->setFocus(Qt::OtherFocusReason);
    if (index >= 0) {
        resetSettings(league);
        onWalk();
    } else
        clearRecord(kChoose);
}

void TrackRecordWindow::loadLeagues() {
    fillWithLeagues(leagueBox, program_);
}

void TrackRecordWindow::onWalk() {
    if (walking_)
        return;
    if (leagueBox->currentIndex() < 0) {
        program_.dialogs.caution(this, kNoLeague);
        return;
    }
    const QString league = leagueBox->currentText();
    resetSettings(league);
    const std::optional<WalkSettings> settings = chosenSettings(league);
    if (!settings)
        return;
    const QString shown = statusLabel->text();

    // Shown only for a walk that lasts; the windows keep painting meanwhile.
    QProgressDialog progress(kProgress, kCancel, 0, 0, this);
    setUpProgress(progress, "TrackRecordProgress", kCaption);
    const WalkProgress report = [&progress](qsizetype done, qsizetype total) {
        return reportProgress(progress, done, total);
    };
    std::optional<TrackRecord> record;
    {
        const Busy busy(walking_, {leagueBox, walkButton, tuneButton, exportButton, figuresExportButton,
                                   fromCheck, fromBox, toCheck, toBox, xiBox, valueThresholdBox});
        record = trackRecord(program_.database(), league, settings->from, settings->to, report,
                             settings->modelWalk);
    }
    progress.close();
    if (!record) {
        // What was shown stays: a run given up costs nothing already computed.
        if (record_)
            statusLabel->setText(kCancelledKept.arg(shown));
        else
            clearRecord(kCancelled);
        return;
    }
    clearRecord(QString());
    record_ = std::move(record);
    showRecord();
    statusLabel->setText(statusLabel->text() + QLatin1Char(' ') + settingsText(*settings));
}

// Chooses the league's xi and goals' share from its past, keeps them, and walks again with them.
void TrackRecordWindow::onTune() {
    if (walking_)
        return;
    if (leagueBox->currentIndex() < 0) {
        program_.dialogs.caution(this, kNoLeague);
        return;
    }
    const QString league = leagueBox->currentText();
    QProgressDialog progress(kTuneProgress, kCancel, 0, 0, this);
    setUpProgress(progress, "TuneProgress", kCaption);
    const WalkProgress report = [&progress](qsizetype done, qsizetype total) {
        return reportProgress(progress, done, total);
    };
    std::optional<ModelTuning> tuning;
    {
        const Busy busy(walking_, {leagueBox, walkButton, tuneButton, exportButton, fromCheck, fromBox,
                                   toCheck, toBox, xiBox, valueThresholdBox});
        // Only the matches up to "Bitiş", when it is ticked, as vezal-cli tune --to.
        tuning =
            tuneLeague(program_.database(), league, toCheck->isChecked() ? toBox->date() : QDate(), report);
    }
    progress.close();
    if (!tuning) {
        statusLabel->setText(kNotTuned);
        return;
    }
    xiBox->setValue(tuning->choice.xi);
    onWalk();
    const QLocale turkish = turkishLocale();
    statusLabel->setText(statusLabel->text() + QLatin1Char(' ') +
                         kTuned.arg(turkish.toString(tuning->choice.xi, 'f', 4),
                                    turkish.toString(tuning->choice.shotsWeight, 'g', 3)));
}

void TrackRecordWindow::onExport() {
    if (!record_) {
        program_.dialogs.caution(this, kNothingToSave);
        return;
    }
    const QString path = program_.dialogs.saveFileName(this, kSaveTitle, kSaveFilter, kSaveName);
    if (path.isEmpty())
        return;
    if (const auto refusal = irregularTargetRefusal(path)) {
        program_.dialogs.caution(this, *refusal);
        return;
    }
    savePerMatchCsv(*record_, path, chosenCsvForm());
    statusLabel->setText(kSaved.arg(QDir::toNativeSeparators(path)));
}

void TrackRecordWindow::clearRecord(const QString& status) {
    record_.reset();
    figuresGrid->clear();
    figuresGrid->setRowCount(0);
    figuresGrid->setColumnCount(0);
    chartkit::clearChart(hitRateChart->chart());
    chartkit::clearChart(profitChart->chart());
    chartkit::clearChart(calibrationChart->chart());
    chartkit::clearChart(valueProfitChart->chart());
    exportButton->setEnabled(false);
    figuresExportButton->setEnabled(false);
    statusLabel->setText(status);
}

void TrackRecordWindow::showRecord() {
    fillGrid();
    fillHitRateChart();
    fillProfitChart();
    fillCalibrationChart();
    fillValueProfitChart();
    exportButton->setEnabled(true);
    figuresExportButton->setEnabled(true);
    const TrackFigures& overall = record_->overall;
    statusLabel->setText(kShown.arg(record_->league, countText(overall.matches),
                                    countText(overall.predicted()), countText(int(record_->seasons.size()))));
}

void TrackRecordWindow::fillGrid() {
    std::vector<const TrackFigures*> columns = {&record_->overall};
    QStringList titles = {QString::fromUtf16(kAllSeasons)};
    for (const SeasonFigures& season : record_->seasons) {
        columns.push_back(&season.figures);
        titles << season.season;
    }
    const std::vector<FigureRow>& rows = figureRows();
    figuresGrid->setColumnCount(int(columns.size()));
    figuresGrid->setRowCount(int(rows.size()));
    figuresGrid->setHorizontalHeaderLabels(titles);
    QStringList labels;
    for (int row = 0; row < int(rows.size()); ++row) {
        labels << QString::fromUtf16(rows[std::size_t(row)].label);
        for (int column = 0; column < int(columns.size()); ++column) {
            auto* item = new QTableWidgetItem(rows[std::size_t(row)].cell(*columns[std::size_t(column)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            figuresGrid->setItem(row, column, item);
        }
    }
    figuresGrid->setVerticalHeaderLabels(labels);
    // Room on both sides of the longest label, so that none touches its edge.
    const QFontMetrics metrics(figuresGrid->verticalHeader()->font());
    int widest = 0;
    for (const QString& label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    figuresGrid->verticalHeader()->setMinimumWidth(widest + 2 * kLabelMargin);
    figuresGrid->resizeColumnsToContents();
}

} // namespace vezal
