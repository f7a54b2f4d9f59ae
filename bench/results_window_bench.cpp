// The results window on a table of about a million rows: the first screen when the whole table is shown,
// the memory that costs, and a result entered through the window against the same entry on the core alone.
// Usage: results_window_bench [FOLDER]; FOLDER keeps the generated table for the next run (the core
// benchmark's FOLDER/large table is the same one). Runs on the offscreen platform unless told otherwise.

#include "Measure.h"
#include "WindowBench.h"

#include "store/Admin.h"
#include "store/Database.h"
#include "store/MatchTable.h"
#include "windows/Dialogs.h"
#include "windows/ResultsWindow.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace vezal::bench {
namespace {

void figure(const char* what, const QString& measured, double ratio, double limit) {
    std::printf("%-62s %s  ratio %.2f (limit %.2f)  %s\n", what, measured.toUtf8().constData(), ratio, limit,
                ratio <= limit ? "ok" : "MISSED");
}

// Resident memory of this process in MB.
double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

const QDate kFirstBenchDay(2030, 6, 1); // rows from 2030 on are the benchmarks' own, removed again

struct Opening {
    double milliseconds = 0;
    qint64 rowsRead = 0;
};

// As the main window opens it, with the clock at the seed date: the filter shows every row. The time runs
// until the first screen of rows is painted.
Opening openWholeTable(ResultsWindow& form, SilentDialogs& dialogs) {
    Opening opening;
    opening.milliseconds = timed([&] {
        form.setDates(kSeedDate);
        dialogs.showModal(&form);
        QApplication::processEvents();
        const QPixmap firstScreen = control<QTableView>(form, "DBGrid1")->viewport()->grab();
        if (firstScreen.isNull())
            throw StoreError(QStringLiteral("the grid was not painted"));
    });
    requireQuiet(dialogs, "opening");
    opening.rowsRead = control<QTableView>(form, "DBGrid1")->model()->rowCount();
    return opening;
}

int run(const QString& work) {
    const QString folder = work + QStringLiteral("/large");
    const qint64 rows = tableIn(folder, kLargeShape).rows;
    std::printf("table: %lld rows\n\n", static_cast<long long>(rows));

    // Opening with the filter date at 01.01.2008, the first showing of the process and later ones.
    SilentDialogs dialogs;
    Program program(folder, dialogs, [] { return kSeedDate; });
    ResultsWindow form(program); // created hidden at start, as in the program
    QApplication::processEvents();
    const double before = residentMegabytes();
    const Opening first = openWholeTable(form, dialogs);
    const double grown = residentMegabytes() - before;

    QTableView* grid = control<QTableView>(form, "DBGrid1");
    grid->setFocus();
    for (int page = 0; page < 100; ++page) {
        QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(grid, &pageDown);
    }
    QApplication::processEvents();
    const qint64 rowsAfterScrolling = grid->model()->rowCount();
    const double grownAfterScrolling = residentMegabytes() - before;
    form.close();

    std::vector<double> later;
    for (int i = 0; i < 11; ++i) {
        later.push_back(openWholeTable(form, dialogs).milliseconds);
        form.close();
    }
    const double laterMedian = median(later);

    figure("opening at 01.01.2008, first screen painted (first showing)",
           QStringLiteral("%1 ms").arg(first.milliseconds, 0, 'f', 2), first.milliseconds / 100.0, 1.0);
    figure("opening at 01.01.2008, first screen painted (median of 11)",
           QStringLiteral("%1 ms").arg(laterMedian, 0, 'f', 2), laterMedian / 100.0, 1.0);
    figure("memory grown by the first opening", QStringLiteral("%1 MB").arg(grown, 0, 'f', 1), grown / 50.0,
           1.0);
    std::printf("    rows read: %lld of %lld on opening, %lld after 100 pages down (memory grown %.1f MB)\n",
                static_cast<long long>(first.rowsRead), static_cast<long long>(rows),
                static_cast<long long>(rowsAfterScrolling), grownAfterScrolling);

    // One result entered through the window (Ekle, the grid read again, painted) against the same kind of
    // entry on the core alone; both on league 0, with the filter date at the first bench day.
    const QString league = leagueName(0);
    Program entryProgram(folder, dialogs, [] { return kFirstBenchDay; });
    ResultsWindow window(entryProgram);
    window.setDates(kFirstBenchDay);
    dialogs.showModal(&window);
    auto* leagues = control<QComboBox>(window, "ComboBox1");
    leagues->setCurrentIndex(leagues->findText(league));
    auto* homeTeams = control<QComboBox>(window, "ComboBox2");
    auto* awayTeams = control<QComboBox>(window, "ComboBox3");
    auto* enter = control<QPushButton>(window, "Button1");
    QApplication::processEvents();

    Database coreDatabase(folder, QStringLiteral("BenchCore"));
    MatchTable coreTable(coreDatabase);
    const QStringList teams = coreTable.seedTeams(league);

    std::vector<double> handler, painted, onCore, reread;
    for (int run = -3; run < 41; ++run) { // three warm-up rounds
        const int i = run + 3;
        control<QDateEdit>(window, "DateTimePicker2")->setDate(kFirstBenchDay.addDays(2 * i));
        homeTeams->setCurrentIndex(homeTeams->findText(teams.at(i % teams.size())));
        awayTeams->setCurrentIndex(awayTeams->findText(teams.at((i + 1) % teams.size())));
        control<QLineEdit>(window, "Memo1")->setText(QStringLiteral("2"));
        control<QLineEdit>(window, "Memo2")->setText(QStringLiteral("1"));
        const double click = timed([&] { enter->click(); });
        const double paint = timed([&] { QApplication::processEvents(); });
        requireQuiet(dialogs, "entering through the window");
        if (!control<QLineEdit>(window, "Memo1")->text().isEmpty())
            throw StoreError(QStringLiteral("the window did not take the result"));

        const ResultInput input{league,
                                kFirstBenchDay,
                                kFirstBenchDay.addDays(2 * i + 1),
                                teams.at((i + 2) % teams.size()),
                                teams.at((i + 3) % teams.size()),
                                QStringLiteral("2"),
                                QStringLiteral("1")};
        ResultOutcome outcome;
        const double core = timed([&] { outcome = enterResult(coreTable, input); });
        if (outcome.refusal || !outcome.appendedSr)
            throw StoreError(QStringLiteral("entry refused: ") +
                             (outcome.refusal ? outcome.refusal->message : QString()));

        // What the grid reads again after an entry, on the core alone.
        const double read = timed([&] {
            QSqlQuery shown = coreTable.shownRows(league, kFirstBenchDay);
            while (shown.next()) {
            }
        });
        if (run >= 0) {
            handler.push_back(click);
            painted.push_back(click + paint);
            onCore.push_back(core);
            reread.push_back(read);
        }
    }
    window.close();
    const double coreEntry = median(onCore);
    figure("entering one result: Ekle handler vs core alone (median of 41)",
           QStringLiteral("%1 vs %2 ms").arg(median(handler), 0, 'f', 3).arg(coreEntry, 0, 'f', 3),
           median(handler) / coreEntry, 1.5);
    figure("entering one result: Ekle handler + repaint vs core alone",
           QStringLiteral("%1 vs %2 ms").arg(median(painted), 0, 'f', 3).arg(coreEntry, 0, 'f', 3),
           median(painted) / coreEntry, 1.5);
    std::printf("    of which the league's shown rows read again: %.3f ms (core alone)\n", median(reread));

    removeBenchRows(folder);
    return 0;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    return vezal::bench::runInFolder(args, [](const QString& folder) { return vezal::bench::run(folder); });
}
