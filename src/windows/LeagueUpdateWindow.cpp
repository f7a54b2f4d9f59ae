#include "windows/LeagueUpdateWindow.h"

#include "common/Names.h"
#include "store/SourceTable.h"
#include "windows/Dialogs.h"
#include "windows/Program.h"
#include "windows/WindowKit.h"
#include "windows/WindowPlace.h"

#include <QApplication>
#include <QHeaderView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  VERİLERİ GÜNCELLE");
const QString kNoSources = QStringLiteral("Kaynağı olan bir lig yok; bir ligin kaynağını Ligler penceresinde "
                                          "\"Kaynak...\" ile verebilirsiniz  ... ");
const QString kProgress = QStringLiteral("%1 güncelleniyor (%2 / %3)  ... ");
const QString kCancel = QStringLiteral("İptal");
const QString kUpdated = QStringLiteral("Güncellendi");
const QString kCancelled = QStringLiteral("İptal edildi; lig önceki halinde");
const QString kNotReached = QStringLiteral("Güncellenmedi (iptal)");
const QStringList kHeaders = {QStringLiteral("Lig"),        QStringLiteral("Eklenen"),
                              QStringLiteral("Kayıtlı"),    QStringLiteral("Çelişen"),
                              QStringLiteral("Okunamayan"), QStringLiteral("Durum")};

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

LeagueUpdateWindow::LeagueUpdateWindow(const std::vector<LeagueUpdate>& done, const QStringList& notReached,
                                       QWidget* parent)
    : QDialog(parent) {
    setUpDialog(this, "UpdateResults", kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    table = new QTableWidget(int(done.size() + notReached.size()), int(kHeaders.size()), this);
    table->setObjectName(QStringLiteral("UpdateTable"));
    table->setHorizontalHeaderLabels(kHeaders);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    const QLocale turkish = turkishLocale();
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    int row = 0;
    for (const LeagueUpdate& league : done) {
        table->setItem(row, 0, cell(league.league));
        if (league.updated()) {
            table->setItem(row, 1, cell(turkish.toString(league.added), right));
            table->setItem(row, 2, cell(turkish.toString(league.present), right));
            table->setItem(row, 3, cell(turkish.toString(league.conflicts), right));
            table->setItem(row, 4, cell(turkish.toString(league.rejected), right));
            table->setItem(row, 5, cell(kUpdated));
        } else {
            for (int column = 1; column <= 4; ++column)
                table->setItem(row, column, cell(QString()));
            table->setItem(row, 5, cell(league.cancelled ? kCancelled : league.error.value_or(QString())));
        }
        ++row;
    }
    for (const QString& league : notReached) {
        table->setItem(row, 0, cell(league));
        for (int column = 1; column <= 4; ++column)
            table->setItem(row, column, cell(QString()));
        table->setItem(row, 5, cell(kNotReached));
        ++row;
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    auto* close = new QPushButton(QStringLiteral("Tamam"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(720, 120 + 24 * table->rowCount());
}

bool updateLeaguesWithProgress(QWidget* parent, Program& program, const FetchOptions& fetch) {
    std::vector<UpdateStep> steps;
    for (const LeagueSource& source : SourceTable(program.database()).all())
        if (!source.address.isEmpty())
            steps.push_back({source, QString()});
    if (steps.empty()) {
        program.dialogs.caution(parent, kNoSources);
        return false;
    }
    return runUpdateSteps(parent, program, steps, fetch);
}

bool UpdateRun::added() const {
    return std::any_of(done.cbegin(), done.cend(),
                       [](const LeagueUpdate& league) { return league.added > 0; });
}

UpdateRun readUpdateSteps(QWidget* parent, Program& program, const std::vector<UpdateStep>& steps,
                          const FetchOptions& fetch) {
    const int total = int(steps.size());
    QProgressDialog progress(QString(), kCancel, 0, total, parent);
    setUpProgress(progress, "UpdateProgress", kCaption, 0);

    UpdateOptions options;
    options.today = program.today();
    options.fetch = fetch;
    options.fetch.keepGoing = [&progress] {
        return !progress.wasCanceled();
    };
    options.progress = [&progress](qsizetype, qsizetype) {
        QApplication::processEvents();
        return !progress.wasCanceled();
    };

    SourceFetcher fetcher;
    UpdateRun run;
    for (int i = 0; i < total; ++i) {
        const UpdateStep& step = steps[std::size_t(i)];
        const QString caption = step.caption.isEmpty() ? step.source.league : step.caption;
        if (progress.wasCanceled()) {
            run.notReached << caption;
            continue;
        }
        progress.setLabelText(kProgress.arg(caption).arg(i + 1).arg(total));
        progress.setValue(i);
        run.done.push_back(updateLeague(program.database(), program.table(), fetcher, step.source, options));
        run.done.back().league = caption;
    }
    progress.setValue(total);
    progress.close();
    return run;
}

void showUpdateRun(QWidget* parent, Program& program, const UpdateRun& run) {
    auto* shown = new LeagueUpdateWindow(run.done, run.notReached, parent);
    keepPlace(shown, program);
    program.dialogs.showModal(shown);
}

bool runUpdateSteps(QWidget* parent, Program& program, const std::vector<UpdateStep>& steps,
                    const FetchOptions& fetch) {
    const UpdateRun run = readUpdateSteps(parent, program, steps, fetch);
    showUpdateRun(parent, program, run);
    return run.added();
}

} // namespace vezal
