#include "windows/TrackRecordWindow.h"

#include "common/Names.h"
#include "evidence/PerMatchCsv.h"
#include "store/FileTargets.h"
#include "store/LeagueListFile.h"
#include "windows/ChartKit.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/TrackRecordFigures.h"
#include "windows/WindowKit.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>
#include <functional>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  BAŞARI");
const QString kNoLeague = QStringLiteral("Öncelikle Lig Seçimini Yapmalısınız  ... ");
const QString kChoose = QStringLiteral("Bir lig seçip \"Hesapla\" düğmesine basın.");
const QString kShown = QStringLiteral("%1: %2 maç, %3 tahmin, %4 sezon.");
const QString kCancelled = QStringLiteral("Hesaplama iptal edildi: gösterilecek bir sonuç yok.");
const QString kSaved = QStringLiteral("Maçlar tek tek kaydedildi: %1");
const QString kProgress = QStringLiteral("Tahminler ligin geçmiş maçlarıyla karşılaştırılıyor  ... ");
const QString kCancel = QStringLiteral("İptal");
const QString kSaveTitle = QStringLiteral("Başarı Dosyası Olarak Kaydet");
const QString kSaveFilter = QStringLiteral("CSV Dosyalar (*.csv)|*.csv");
const QString kSaveName = QStringLiteral("basari.csv");
const QString kNothingToSave = QStringLiteral("Öncelikle bir ligin başarısını hesaplamalısınız  ... ");
const QString kAll = QStringLiteral("Tümü");
const QString kHitRateTitle = QStringLiteral("Sezonlara göre ilk işaret isabeti");
const QString kProfitTitle = QStringLiteral("Sabit bahis: her tahminin ilk işaretine 1 birim");
const QString kNoOdds = QStringLiteral("Sabit bahis: oranı kayıtlı maç yok");

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
    statusLabel = new QLabel(kChoose, this);
    statusLabel->setObjectName(QStringLiteral("StatusLabel"));

    figuresGrid = new QTableWidget(0, 1, this);
    figuresGrid->setObjectName(QStringLiteral("FiguresGrid"));
    figuresGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    figuresGrid->setSelectionMode(QAbstractItemView::NoSelection);
    figuresGrid->horizontalHeader()->setFont(windowFont());
    figuresGrid->verticalHeader()->setFont(windowFont());
    figuresGrid->verticalHeader()->setDefaultSectionSize(figuresGrid->fontMetrics().height() + 4);
    // As tall as its rows, so that the charts get the rest.
    figuresGrid->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    figuresGrid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    hitRateChart = chartkit::makeChartView(QStringLiteral("HitRateChart"), this);
    profitChart = chartkit::makeChartView(QStringLiteral("ProfitChart"), this);
    calibrationChart = chartkit::makeChartView(QStringLiteral("CalibrationChart"), this);
    exportButton = new QPushButton(QStringLiteral("Dışa Aktar..."), this);
    exportButton->setObjectName(QStringLiteral("ExportButton"));
    closeButton = new QPushButton(QStringLiteral("Kapat"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));

    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Lig"), this));
    choices->addWidget(leagueBox);
    choices->addWidget(walkButton);
    choices->addSpacing(12);
    choices->addWidget(statusLabel, 1);
    auto* charts = new QHBoxLayout;
    charts->addWidget(hitRateChart);
    charts->addWidget(profitChart);
    charts->addWidget(calibrationChart);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(figuresGrid);
    layout->addLayout(charts, 1);
    layout->addLayout(buttons);
    resize(980, 780);

    for (QPushButton* button : {walkButton, exportButton, closeButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    KeyRule::install(leagueBox, KeyRule::Typed::Anything, [this] { walkButton->click(); });

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(walkButton, &QPushButton::clicked, this, dialogs, [this](bool) { onWalk(); });
    guardedConnect(exportButton, &QPushButton::clicked, this, dialogs, [this](bool) { onExport(); });
    // Figures of another league than the chosen one are not left standing.
    connect(leagueBox, &QComboBox::activated, this, [this](int) {
        if (record_ && record_->league != leagueBox->currentText())
            clearRecord(kChoose);
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
        show();
        centreOverMainWindow(this, program_);
    }
    raise();
    activateWindow();
    leagueBox->setFocus(Qt::OtherFocusReason);
    if (index >= 0)
        onWalk();
    else
        clearRecord(kChoose);
}

void TrackRecordWindow::loadLeagues() {
    fillWithLeagues(leagueBox, program_);
}

void TrackRecordWindow::onWalk() {
    if (walking_)
        return;
    if (leagueBox->currentIndex() < 0) {
        program_.dialogs.warn(this, kNoLeague);
        return;
    }
    const QString league = leagueBox->currentText();
    clearRecord(QString());

    // Shown only for a walk that lasts; the windows keep painting meanwhile.
    QProgressDialog progress(kProgress, kCancel, 0, 0, this);
    progress.setObjectName(QStringLiteral("TrackRecordProgress"));
    progress.setWindowTitle(kCaption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const WalkProgress report = [&progress](qsizetype done, qsizetype total) {
        progress.setMaximum(int(total));
        progress.setValue(int(done));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    std::optional<TrackRecord> record;
    {
        const Busy busy(walking_, {leagueBox, walkButton, exportButton});
        record = trackRecord(program_.database(), league, {}, {}, report, ModelWalk{});
    }
    progress.close();
    if (!record) {
        clearRecord(kCancelled);
        return;
    }
    record_ = std::move(record);
    showRecord();
}

void TrackRecordWindow::onExport() {
    if (!record_) {
        program_.dialogs.warn(this, kNothingToSave);
        return;
    }
    const QString path = program_.dialogs.saveFileName(this, kSaveTitle, kSaveFilter, kSaveName);
    if (path.isEmpty())
        return;
    if (const auto refusal = irregularTargetRefusal(path)) {
        program_.dialogs.warn(this, *refusal);
        return;
    }
    savePerMatchCsv(*record_, path);
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
    exportButton->setEnabled(false);
    statusLabel->setText(status);
}

void TrackRecordWindow::showRecord() {
    fillGrid();
    fillHitRateChart();
    fillProfitChart();
    fillCalibrationChart();
    exportButton->setEnabled(true);
    const TrackFigures& overall = record_->overall;
    statusLabel->setText(kShown.arg(record_->league, countText(overall.matches),
                                    countText(overall.predicted()), countText(int(record_->seasons.size()))));
}

void TrackRecordWindow::fillGrid() {
    std::vector<const TrackFigures*> columns = {&record_->overall};
    QStringList titles = {kAll};
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
    figuresGrid->resizeColumnsToContents();
}

void TrackRecordWindow::fillHitRateChart() {
    QChart* chart = hitRateChart->chart();
    chart->setTitle(kHitRateTitle);
    const std::vector<SeasonFigures>& seasons = record_->seasons;
    // One point per season that counted the figure.
    const auto perSeason = [&seasons](Tally TrackFigures::*figure) {
        QList<QPointF> points;
        for (std::size_t i = 0; i < seasons.size(); ++i)
            if (const std::optional<double> percent = (seasons[i].figures.*figure).percent())
                points.append(QPointF(double(i), *percent));
        return points;
    };
    chartkit::addLine(chart, QStringLiteral("Vezal ilk işaret"), chartkit::kNavy,
                      perSeason(&TrackFigures::firstSign));
    chartkit::addLine(chart, QStringLiteral("Hep ev sahibi"), chartkit::kMaroon,
                      perSeason(&TrackFigures::alwaysHome));
    chartkit::addLine(chart, QStringLiteral("Bahisçinin favorisi"), chartkit::kTeal,
                      perSeason(&TrackFigures::bookmakerFavourite));

    auto* seasonAxis = new QCategoryAxis;
    seasonAxis->setTitleText(QStringLiteral("Sezon"));
    seasonAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    seasonAxis->setStartValue(-0.5);
    for (std::size_t i = 0; i < seasons.size(); ++i)
        seasonAxis->append(seasons[i].season, double(i));
    seasonAxis->setRange(-0.5, std::max<double>(0.5, double(seasons.size()) - 0.5));
    if (seasons.size() > 6)
        seasonAxis->setLabelsAngle(-45);
    chartkit::attachAxis(chart, seasonAxis, Qt::AlignBottom);
    QValueAxis* rateAxis = chartkit::makeValueAxis(QStringLiteral("İsabet (%)"), QStringLiteral("%.0f"));
    rateAxis->setRange(0, 100);
    rateAxis->setTickCount(6);
    chartkit::attachAxis(chart, rateAxis, Qt::AlignLeft);
}

void TrackRecordWindow::fillProfitChart() {
    QChart* chart = profitChart->chart();
    chart->setTitle(record_->overall.bets > 0 ? kProfitTitle : kNoOdds);
    QList<QPointF> points;
    double low = 0;
    double high = 0;
    for (std::size_t i = 0; i < record_->matches.size(); ++i) {
        const double profit = record_->matches[i].cumulativeProfit;
        points.append(QPointF(double(i + 1), profit));
        low = std::min(low, profit);
        high = std::max(high, profit);
    }
    chartkit::addLine(chart, QStringLiteral("Toplam kâr"), chartkit::kNavy, points);

    QValueAxis* matchAxis = chartkit::makeValueAxis(QStringLiteral("Maç"), QStringLiteral("%.0f"));
    matchAxis->setRange(0, std::max<double>(1, double(points.size())));
    matchAxis->applyNiceNumbers();
    chartkit::attachAxis(chart, matchAxis, Qt::AlignBottom);
    QValueAxis* profitAxis = chartkit::makeValueAxis(QStringLiteral("Kâr (birim)"), QStringLiteral("%.1f"));
    profitAxis->setRange(low - 0.5, high + 0.5);
    profitAxis->applyNiceNumbers();
    chartkit::attachAxis(chart, profitAxis, Qt::AlignLeft);
}

// Every outcome the model gave a probability for, by its probability in ten bins: how often it happened
// against how likely the model said it was. A calibrated model keeps to the diagonal.
void TrackRecordWindow::fillCalibrationChart() {
    QChart* chart = calibrationChart->chart();
    chart->setTitle(QStringLiteral("Model olasılıkları ve gerçekleşen (%)"));
    QList<QPointF> points;
    for (const CalibrationBin& bin : record_->overall.model.calibration)
        if (bin.meanPredicted() && bin.observed())
            points.append(QPointF(100 * *bin.meanPredicted(), 100 * *bin.observed()));
    chartkit::addLine(chart, QStringLiteral("Model"), chartkit::kNavy, points);
    chartkit::addLine(chart, QStringLiteral("Tam isabet"), chartkit::kMaroon,
                      {QPointF(0, 0), QPointF(100, 100)});
    for (Qt::Alignment side : {Qt::AlignBottom, Qt::AlignLeft}) {
        QValueAxis* axis = chartkit::makeValueAxis(
            side == Qt::AlignBottom ? QStringLiteral("Olasılık (%)") : QStringLiteral("Gerçekleşen (%)"),
            QStringLiteral("%.0f"));
        axis->setRange(0, 100);
        axis->setTickCount(6);
        chartkit::attachAxis(chart, axis, side);
    }
}

} // namespace vezal
