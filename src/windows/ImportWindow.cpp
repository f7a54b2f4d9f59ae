#include "windows/ImportWindow.h"

#include "common/Names.h"
#include "exchange/Import.h"
#include "store/LeagueListFile.h"
#include "store/TextLines.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/WindowKit.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  SONUÇLARI İÇE AKTAR");
const QString kChooseTitle = QStringLiteral("İçe Aktarılacak Dosyayı Seçin");
const QString kSaveRejectedTitle = QStringLiteral("Okunamayan Satırları Kaydet");
const QString kSaveRejectedName = QStringLiteral("okunamayan-satirlar.txt");
const QString kNoFile = QStringLiteral("Öncelikle içe aktarılacak dosyayı seçmelisiniz  ... ");
const QString kNoLeague = QStringLiteral("Sonuçların ekleneceği ligi seçmeli ya da yazmalısınız  ... ");
const QString kNothingToAdd = QStringLiteral("Dosyada tabloya eklenecek yeni bir maç yok  ... ");
const QString kProgress = QStringLiteral("Sonuçlar içe aktarılıyor  ... ");
const QString kCancel = QStringLiteral("İptal");
const QString kCancelled =
    QStringLiteral("İçe aktarma iptal edildi: maç tablosu ve lig listesi önceki halinde  ... ");
const QString kDone =
    QStringLiteral("Aktarıldı: %1 maç eklendi, %2 maç zaten kayıtlıydı, %3 satır okunamadı.");
// Added where lines contradict the table or each other: nothing of them was written.
const QString kConflictsDone = QStringLiteral(" %1 satır kayıtlı maçla çelişti, değiştirilmedi.");
const QString kConflictsCount = QStringLiteral("     Çelişen: %1");
// A file of many bad lines lists the first of each kind.
const QString kMoreLines = QStringLiteral("... ve %1 satır daha (her türden ilk %2 satır listelendi)");
constexpr int kPreviewRows = 20;

QString countsText(qsizetype added, qsizetype present, qsizetype rejected, qsizetype conflicts = 0) {
    return QStringLiteral("Eklenecek: %1     Zaten kayıtlı: %2     Okunamayan: %3")
               .arg(added)
               .arg(present)
               .arg(rejected) +
           (conflicts > 0 ? kConflictsCount.arg(conflicts) : QString());
}

// Rejected lines, conflicts and remarks, in file order.

QString oddsText(const std::optional<MatchOdds>& odds) {
    if (!odds)
        return {};
    const QLocale turkish = turkishLocale();
    return QStringLiteral("%1 / %2 / %3")
        .arg(turkish.toString(odds->home, 'f', 2), turkish.toString(odds->draw, 'f', 2),
             turkish.toString(odds->away, 'f', 2));
}

} // namespace

ImportWindow::ImportWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
    setUpDialog(this, "ImportWindow", kCaption);
    const FileChooser chooser = makeFileChooser(this);
    fileBox = chooser.box;
    chooseButton = chooser.button;
    leagueBox = new QComboBox(this);
    leagueBox->setObjectName(QStringLiteral("LeagueBox"));
    leagueBox->setEditable(true);
    leagueBox->setInsertPolicy(QComboBox::NoInsert);
    leagueBox->setMaxVisibleItems(24);
    pointsBox = new QLineEdit(QStringLiteral("3,5"), this);
    pointsBox->setObjectName(QStringLiteral("PointsBox"));
    pointsBox->setMaxLength(5);
    pointsBox->setToolTip(QStringLiteral("Ligde olmayan takımların başlangıç puanı"));

    previewGrid = new QTableWidget(0, 5, this);
    previewGrid->setObjectName(QStringLiteral("PreviewGrid"));
    previewGrid->setHorizontalHeaderLabels({QStringLiteral("Tarih"), QStringLiteral("Ev Sahibi Takım"),
                                            QStringLiteral("Misafir Takım"), QStringLiteral("Skor"),
                                            QStringLiteral("Oranlar 1 / 0 / 2")});
    previewGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    previewGrid->verticalHeader()->hide();
    previewGrid->horizontalHeader()->setStretchLastSection(true);
    previewGrid->setMinimumSize(560, 220);
    countsLabel = new QLabel(countsText(0, 0, 0), this);
    countsLabel->setObjectName(QStringLiteral("CountsLabel"));
    rejectedList = new QListWidget(this);
    rejectedList->setObjectName(QStringLiteral("RejectedList"));
    rejectedList->setMinimumHeight(100);
    saveRejectedButton = new QPushButton(QStringLiteral("Okunamayanları Kaydet ..."), this);
    saveRejectedButton->setObjectName(QStringLiteral("SaveRejectedButton"));
    saveRejectedButton->setEnabled(false);
    importButton = new QPushButton(QStringLiteral("Aktar"), this);
    importButton->setObjectName(QStringLiteral("ImportButton"));
    closeButton = new QPushButton(QStringLiteral("Kapat"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(QStringLiteral("Dosya"), this), 0, 0);
    choices->addWidget(fileBox, 0, 1);
    choices->addWidget(chooseButton, 0, 2);
    choices->addWidget(new QLabel(QStringLiteral("Lig"), this), 1, 0);
    choices->addWidget(leagueBox, 1, 1, 1, 2);
    choices->addWidget(new QLabel(QStringLiteral("Başlangıç Puanı"), this), 2, 0);
    choices->addWidget(pointsBox, 2, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveRejectedButton);
    buttons->addStretch(1);
    buttons->addWidget(importButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(previewGrid, 1);
    layout->addWidget(countsLabel);
    layout->addWidget(new QLabel(QStringLiteral("Okunamayan satırlar"), this));
    layout->addWidget(rejectedList);
    layout->addLayout(buttons);

    // Enter moves along: file, league, points, "Aktar"; a button takes Enter only when it has the focus.
    for (QPushButton* button : {chooseButton, saveRejectedButton, importButton, closeButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    KeyRule::enterFocuses(leagueBox, pointsBox);
    KeyRule::enterFocuses(pointsBox, importButton, KeyRule::Typed::DigitsAndComma);

    Dialogs& dialogs = program_.dialogs;
    guardedConnect(chooseButton, &QPushButton::clicked, this, dialogs, [this](bool) { onChooseFile(); });
    guardedConnect(leagueBox, &QComboBox::currentTextChanged, this, dialogs,
                   [this](const QString&) { preview(); });
    guardedConnect(pointsBox, &QLineEdit::editingFinished, this, dialogs, [this] { preview(); });
    guardedConnect(importButton, &QPushButton::clicked, this, dialogs, [this](bool) { onImport(); });
    guardedConnect(saveRejectedButton, &QPushButton::clicked, this, dialogs,
                   [this](bool) { onSaveRejected(); });
    connect(rejectedList->model(), &QAbstractItemModel::rowsInserted, this,
            [this] { saveRejectedButton->setEnabled(rejectedList->count() > 0); });
    connect(rejectedList->model(), &QAbstractItemModel::modelReset, this,
            [this] { saveRejectedButton->setEnabled(rejectedList->count() > 0); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

// The list's model resets while the window is taken apart; the window must not answer it then.
ImportWindow::~ImportWindow() {
    rejectedList->model()->disconnect(this);
}

void ImportWindow::showEvent(QShowEvent* event) {
    // The leagues as klasman.dat holds them now, sorted as every list of the program.
    guarded(program_.dialogs, this, [this] {
        fillWithLeagues(leagueBox, program_);
        const QSignalBlocker quiet(leagueBox);
        // On the main window's league, so that a season more goes where the user is looking.
        leagueBox->setEditText(program_.hasWindows() ? program_.navigation().leagueSelector().loadedLeague()
                                                     : QString());
    });
    adjustSize();
    centreOverMainWindow(this, program_);
    chooseButton->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void ImportWindow::done(int result) {
    clear();
    QDialog::done(result);
}

void ImportWindow::clear() {
    reading_ = {};
    fileBox->clear();
    previewGrid->setRowCount(0);
    rejectedList->clear();
    countsLabel->setText(countsText(0, 0, 0));
}

void ImportWindow::onChooseFile() {
    const QString path = program_.dialogs.openFileName(this, kChooseTitle, QString::fromUtf16(kCsvFilter));
    if (path.isEmpty())
        return;
    clear();
    if (const auto refusal = inputFileRefusal(path)) {
        program_.dialogs.caution(this, *refusal);
        return;
    }
    fileBox->setText(QDir::toNativeSeparators(path));
    reading_ = readMatchFileAt(path, MatchFileKind::Results, program_.today());
    if (reading_.refusal) {
        const QString refusal = *reading_.refusal;
        clear();
        program_.dialogs.caution(this, refusal);
        return;
    }
    previewGrid->setRowCount(int(std::min<std::size_t>(reading_.rows.size(), kPreviewRows)));
    for (int row = 0; row < previewGrid->rowCount(); ++row) {
        const MatchLine& line = reading_.rows[std::size_t(row)];
        const QStringList cells = {showDate(line.day), line.home, line.away,
                                   QStringLiteral("%1 - %2").arg(line.homeGoals).arg(line.awayGoals),
                                   oddsText(line.odds)};
        for (int column = 0; column < cells.size(); ++column)
            previewGrid->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    previewGrid->resizeColumnsToContents();
    preview();
    leagueBox->setFocus(Qt::OtherFocusReason);
}

std::optional<double> ImportWindow::startingPoints() {
    const QString typed = pointsBox->text().trimmed();
    return typed.isEmpty() ? std::nullopt : std::optional<double>(readNumber(typed));
}

void ImportWindow::preview() {
    rejectedList->clear();
    const QString league = leagueBox->currentText();
    if (fileBox->text().isEmpty() || league.trimmed().isEmpty()) {
        showCounts(0, 0, reading_.rejected.count());
        showRejected({&reading_.rejected, &reading_.notes});
        return;
    }
    ImportOptions options;
    options.dryRun = true;
    options.startingPoints = startingPoints().value_or(0);
    const ImportOutcome outcome =
        importResults(program_.database(), program_.table(), league, reading_.rows, options);
    showCounts(outcome.added, outcome.present, reading_.rejected.count() + outcome.rejected.count(),
               outcome.conflicts.count());
    showRejected({&reading_.rejected, &outcome.rejected, &outcome.conflicts, &reading_.notes});
    if (outcome.refusal)
        rejectedList->insertItem(0, *outcome.refusal);
}

void ImportWindow::showCounts(qsizetype added, qsizetype present, qsizetype rejected, qsizetype conflicts) {
    countsLabel->setText(countsText(added, present, rejected, conflicts));
}

void ImportWindow::showRejected(std::initializer_list<const LineNotes*> parts) {
    std::vector<RejectedLine> sorted;
    qsizetype unlisted = 0;
    for (const LineNotes* part : parts) {
        sorted.insert(sorted.end(), part->lines().begin(), part->lines().end());
        unlisted += part->count() - qsizetype(part->lines().size());
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const RejectedLine& a, const RejectedLine& b) { return a.line < b.line; });
    for (const RejectedLine& line : sorted)
        rejectedList->addItem(QStringLiteral("Satır %1: %2").arg(line.line).arg(line.reason));
    if (unlisted > 0)
        rejectedList->addItem(kMoreLines.arg(unlisted).arg(LineNotes::kKept));
}

void ImportWindow::onImport() {
    if (fileBox->text().isEmpty()) {
        program_.dialogs.caution(this, kNoFile);
        return;
    }
    const QString league = leagueBox->currentText();
    if (league.trimmed().isEmpty()) {
        program_.dialogs.caution(this, kNoLeague);
        return;
    }
    ImportOptions options;
    options.startingPoints = startingPoints().value_or(0);

    // Shown only for an import that lasts; the window keeps painting meanwhile.
    QProgressDialog progress(kProgress, kCancel, 0, int(reading_.rows.size()), this);
    setUpProgress(progress, "ImportProgress", kCaption);
    options.progress = [&progress](qsizetype done, qsizetype total) {
        return reportProgress(progress, done, total);
    };

    const ImportOutcome outcome =
        importResults(program_.database(), program_.table(), league, reading_.rows, options);
    progress.close();
    if (outcome.refusal) {
        program_.dialogs.caution(this, *outcome.refusal);
        return;
    }
    if (outcome.cancelled) {
        program_.dialogs.caution(this, kCancelled);
        return;
    }
    const qsizetype rejected = reading_.rejected.count() + outcome.rejected.count();
    if (outcome.added == 0 && !outcome.leagueAdded) {
        program_.dialogs.caution(this, kNothingToAdd);
        return;
    }
    // The file is in: a second "Aktar" would find every match present. The lines left out stay in sight.
    QString done = kDone.arg(outcome.added).arg(outcome.present).arg(rejected);
    if (!outcome.conflicts.empty())
        done += kConflictsDone.arg(outcome.conflicts.count());
    // The reading goes with clear(): the lines left out are listed from copies.
    const MatchFileReading reading = std::move(reading_);
    clear();
    countsLabel->setText(done);
    showRejected({&reading.rejected, &outcome.rejected, &outcome.conflicts, &reading.notes});
    if (program_.hasWindows())
        program_.navigation().leagueSelector().showLeague(league);
}

void ImportWindow::onSaveRejected() {
    if (rejectedList->count() == 0)
        return;
    const QString path = program_.dialogs.saveFileName(
        this, kSaveRejectedTitle, QStringLiteral("Text Dosyalar (*.txt)|*.txt|"), kSaveRejectedName);
    if (path.isEmpty())
        return;
    QStringList lines;
    for (int row = 0; row < rejectedList->count(); ++row)
        lines << rejectedList->item(row)->text();
    textlines::writeUnicode(path, lines);
}

} // namespace vezal
