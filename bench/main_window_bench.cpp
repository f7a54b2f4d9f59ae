// The main window on a table of about a million rows: a league change with both tables, the history and
// the team lists filled, and a "Tahmin" press with its commentary and coupon line.
// Usage: main_window_bench [FOLDER]; FOLDER keeps the generated table for the next run (the other
// benchmarks' FOLDER/large table is the same one). Runs on the offscreen platform unless told otherwise.

#include "TableGenerator.h"

#include "store/StoreError.h"
#include "windows/Dialogs.h"
#include "windows/Program.h"
#include "windows/Unit1.h"
#include "windows/Unit4.h"

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

using Clock = std::chrono::steady_clock;

double timed(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void figure(const char* what, double milliseconds, double limit) {
    std::printf("%-66s %8.3f ms  (limit %.0f ms)  %s\n", what, milliseconds, limit,
                milliseconds <= limit ? "ok" : "MISSED");
}

// Answers nothing; a warning or error means the run is void.
class SilentDialogs : public Dialogs {
public:
    void warn(QWidget*, const QString& text) override { complaints << text; }
    bool ask(QWidget*, const QString&, const QString&, bool) override { return false; }
    void showError(QWidget*, const QString& text) override { complaints << text; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    void showModal(QDialog* dialog) override { dialog->show(); }
    void openAddress(const QString&) override {}

    QStringList complaints;
};

void requireQuiet(const SilentDialogs& dialogs, const char* during) {
    if (!dialogs.complaints.isEmpty())
        throw StoreError(
            QStringLiteral("%1: %2").arg(QString::fromLatin1(during), dialogs.complaints.first()));
}

const TableShape kShape{250, 20, 10};

qint64 expectedRows() {
    const qint64 teams = qint64(kShape.leagues) * kShape.teamsPerLeague;
    return teams + teams * (kShape.teamsPerLeague - 1) * kShape.seasons;
}

// The kept table when it is the generated one, otherwise a new one.
qint64 tableIn(const QString& folder) {
    const QString path = folder + QStringLiteral("/Fvt/Liste.DB");
    if (QFileInfo::exists(path)) {
        SqliteConnection db = sqliteOpen(path);
        sqliteExec(db.get(), "delete from Liste where Tarih>='2030-01-01'"); // other benchmarks' rows
        SqliteStatement count = sqlitePrepare(db.get(), "select count(*) from Liste");
        sqlite3_step(count.get());
        if (sqlite3_column_int64(count.get(), 0) == expectedRows())
            return expectedRows();
        count.reset();
        db.reset();
        QDir(folder).removeRecursively();
    }
    const GeneratedTable made = generateTable(folder, kShape);
    std::printf("generated %lld rows in %.1f s (%s)\n", static_cast<long long>(made.rows), made.seconds,
                folder.toUtf8().constData());
    return made.rows;
}

template <typename T> T* control(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw StoreError(QStringLiteral("no control ") + QString::fromLatin1(name));
    return found;
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
    const qint64 rows = tableIn(folder);
    std::printf("table: %lld rows, %d leagues of %d teams\n\n", static_cast<long long>(rows), kShape.leagues,
                kShape.teamsPerLeague);

    SilentDialogs dialogs;
    Program program{folder, dialogs, [] { return kSeedDate; }, {}};
    Windows windows(program);
    TForm1& main = *program.forms.Form1;
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
        if (grid1->model()->rowCount() != kShape.teamsPerLeague ||
            control<QComboBox>(main, "ComboBox3")->count() != kShape.teamsPerLeague)
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
                static_cast<long long>(program.forms.Form4->lines().size()));
    return 0;
}

} // namespace
} // namespace vezal::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    try {
        if (args.size() > 1)
            return vezal::bench::run(args.at(1));
        QTemporaryDir temporary;
        return vezal::bench::run(temporary.path());
    } catch (const vezal::StoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
