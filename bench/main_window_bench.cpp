// The main window on a table of about a million rows: a league change with both tables, the history and
// the team lists filled, and a "Tahmin" press with its commentary and coupon line.
// Usage: main_window_bench [FOLDER]; FOLDER keeps the generated table for the next run (the other
// benchmarks' FOLDER/large table is the same one). Runs on the offscreen platform unless told otherwise.

#include "Measure.h"
#include "WindowBench.h"

#include "store/StoreError.h"
#include "windows/Dialogs.h"
#include "windows/MainWindow.h"
#include "windows/Program.h"
#include "windows/ProgramWindows.h"
#include "windows/ReportWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace vezal::bench {
namespace {

void figure(const char* what, double milliseconds, double limit) {
    std::printf("%-66s %8.3f ms  (limit %.0f ms)  %s\n", what, milliseconds, limit,
                milliseconds <= limit ? "ok" : "MISSED");
}

// As a user picks an item.
void choose(QComboBox* box, const QString& item) {
    const int index = box->findText(item);
    if (index < 0)
        throw StoreError(QStringLiteral("no item ") + item);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

int run(const QString& work) {
    const QString folder = work + QStringLiteral("/large");
    const qint64 rows = tableIn(folder, kLargeShape).rows;
    std::printf("table: %lld rows, %d leagues of %d teams\n\n", static_cast<long long>(rows),
                kLargeShape.leagues, kLargeShape.teamsPerLeague);

    SilentDialogs dialogs;
    Program program(folder, dialogs, [] { return kSeedDate; });
    ProgramWindows windows(program);
    MainWindow& main = *windows.main();
    main.show();
    QApplication::processEvents();
    requireQuiet(dialogs, "start");

    auto* leagues = control<QComboBox>(main, "ComboBox1");
    auto* grid1 = control<QTableView>(main, "DBGrid1");
    auto* grid3 = control<QTableView>(main, "DBGrid3");
    std::vector<double> change, changePainted;
    for (int run = -3; run < 41; ++run) { // three warm-up rounds; every choice is another league
        const QString league = leagueName((run + 3) % 2 == 0 ? 0 : 137);
        const double handler = timed([&] { choose(leagues, league); });
        const double paint = timed([&] {
            QApplication::processEvents();
            if (grid3->viewport()->grab().isNull())
                throw StoreError(QStringLiteral("the history was not painted"));
        });
        requireQuiet(dialogs, "league change");
        if (grid1->model()->rowCount() != kLargeShape.teamsPerLeague ||
            control<QComboBox>(main, "ComboBox3")->count() != kLargeShape.teamsPerLeague)
            throw StoreError(QStringLiteral("the league was not shown: ") + league);
        if (run >= 0) {
            change.push_back(handler);
            changePainted.push_back(handler + paint);
        }
    }
    figure("league change, tables, history and team lists (median of 41)", median(change), 50);
    figure("league change and the window painted (median of 41)", median(changePainted), 50);

    choose(leagues, leagueName(0));
    choose(control<QComboBox>(main, "ComboBox3"), teamName(0, 0));
    choose(control<QComboBox>(main, "ComboBox4"), teamName(0, 1));
    control<QLineEdit>(main, "Memo25")->setText(QStringLiteral("7"));
    auto* tahmin = control<QPushButton>(main, "Button1");
    std::vector<double> press;
    for (int run = -3; run < 41; ++run) {
        const double handler = timed([&] { tahmin->click(); });
        requireQuiet(dialogs, "Tahmin");
        if (control<QLineEdit>(main, "Memo9")->text().isEmpty())
            throw StoreError(QStringLiteral("no prediction"));
        if (run >= 0)
            press.push_back(handler);
    }
    figure("Tahmin with commentary and coupon line (median of 41)", median(press), 20);
    std::printf("    report lines after %d presses: %lld\n", 44,
                static_cast<long long>(windows.report()->lines().size()));
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
