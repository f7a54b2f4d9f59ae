// Writers of one folder at once, killed half-way, or on a full disk: the league list and the table's rows
// always agree, and nothing is lost. Real vezal-cli processes; where a race would need luck, the test holds
// the lock a writer needs while the others start.
#include "support/CliHarness.h"

#include "cli/Cli.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/WriteTransaction.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace vezal {
namespace {

using testing::cliPath;
using testing::Finished;
using testing::ProgramFolder;

constexpr unsigned long kHoldMs = 2000;

class Processes {
public:
    QProcess& start(const QString& folder, const QStringList& args) {
        auto process = std::make_unique<QProcess>();
        process->start(cliPath(), QStringList{QStringLiteral("--dir"), folder} + args);
        EXPECT_TRUE(process->waitForStarted());
        processes_.push_back(std::move(process));
        return *processes_.back();
    }
    std::vector<Finished> finish() {
        std::vector<Finished> done;
        for (auto& process : processes_) {
            EXPECT_TRUE(process->waitForFinished(120000)) << process->errorString().toStdString();
            done.push_back(
                {process->exitCode(), process->readAllStandardOutput(), process->readAllStandardError()});
        }
        processes_.clear();
        return done;
    }

private:
    std::vector<std::unique_ptr<QProcess>> processes_;
};

// A season of a league of its own: every team meets every other at home on its own day, names prefixed so
// that two leagues share no team. 20 teams give 380 lines.
QByteArray season(const QString& prefix, int teams = 20) {
    QByteArray csv = "Date,HomeTeam,AwayTeam,FTHG,FTAG\n";
    int match = 0;
    for (int home = 0; home < teams; ++home)
        for (int away = 0; away < teams; ++away) {
            if (home == away)
                continue;
            const QDate day = QDate(2010, 8, 1).addDays(match++ / 10);
            csv += QStringLiteral("%1,%2 %3,%2 %4,%5,%6\n")
                       .arg(day.toString(u"dd/MM/yyyy"), prefix)
                       .arg(home)
                       .arg(away)
                       .arg((home + away) % 4)
                       .arg(home % 3)
                       .toUtf8();
        }
    return csv;
}

// What the folder holds, read without vezal-cli (which would list leagues found unlisted).
struct State {
    QByteArray list;
    std::map<QString, qsizetype> rowsPerLeague; // match and seed rows
};

State stateOf(const QString& folder) {
    State state;
    QFile file(leagueListPath(folder));
    if (file.open(QIODevice::ReadOnly))
        state.list = file.readAll();
    Database database(folder, QStringLiteral("Looker"));
    QSqlQuery query(database.connection());
    EXPECT_TRUE(query.exec("select Klas, count(*) from Liste group by Klas"));
    while (query.next())
        state.rowsPerLeague[query.value(0).toString()] = query.value(1).toLongLong();
    return state;
}

QStringList listed(const State& state) {
    return splitLeagueNames(state.list);
}

QString write(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder + QLatin1Char('/') + name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
}

class Writers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(cliPath())) << cliPath().toStdString();
        folder.ok({"init"});
    }
    QString path() const { return folder.path(); }
    ProgramFolder folder;
    Processes processes;
};

// 380 lines: 380 match rows and 20 seed rows.
constexpr qsizetype kSeasonRows = 400;

TEST_F(Writers, ImportsIntoNewLeaguesAtOnceAreAllListedWithAllTheirRows) {
    const QStringList leagues = {"Birinci", "İkinci", "Üçüncü"};
    {
        const LeagueListLock hold(leagueListPath(path()));
        for (const QString& league : leagues)
            processes.start(path(), {"import", league, write(path(), league + ".csv", season(league))});
        QThread::msleep(kHoldMs);
    }
    for (const Finished& f : processes.finish())
        EXPECT_EQ(f.code, kExitOk) << f.err.toStdString();
    const State state = stateOf(path());
    EXPECT_EQ(listed(state), leagues);
    for (const QString& league : leagues)
        EXPECT_EQ(state.rowsPerLeague.count(league) ? state.rowsPerLeague.at(league) : 0, kSeasonRows)
            << league.toStdString();
}

// The test holds both locks while the writers start, then lets the list go, and the table a second later:
// a writer that read the list before its lock would now save an old copy of it.
TEST_F(Writers, WritersDuringAnImportAreKeptAndNoneWaitsForTheOtherForever) {
    folder.ok({"add-league", "Lig"});
    folder.ok({"add-league", "Eski"});
    folder.ok({"import", "Lig", write(path(), "lig.csv", season("Lig", 4))});
    folder.ok({"import", "Eski", write(path(), "eski.csv", season("Eski", 4))});
    const State before = stateOf(path());
    std::optional<LeagueListLock> holdList(std::in_place, leagueListPath(path()));
    std::optional<Database> holder(std::in_place, path(), QStringLiteral("Holder"));
    std::optional<WriteTransaction> holdTable(std::in_place, *holder);
    processes.start(path(), {"import", "Yeni", write(path(), "yeni.csv", season("Yeni"))});
    QThread::msleep(500);
    processes.start(path(), {"add-league", "Kupa"});
    processes.start(path(), {"delete-league", "Eski"});
    QThread::msleep(kHoldMs);
    holdList.reset();
    QThread::msleep(1000);
    holdTable.reset();
    holder.reset();
    for (const Finished& f : processes.finish())
        EXPECT_EQ(f.code, kExitOk) << f.err.toStdString();
    const State after = stateOf(path());
    EXPECT_EQ(listed(after), (QStringList{"Kupa", "Lig", "Yeni"}));
    EXPECT_EQ(after.rowsPerLeague.count("Eski"), 0u);
    EXPECT_EQ(after.rowsPerLeague.at("Lig"), before.rowsPerLeague.at("Lig"));
    EXPECT_EQ(after.rowsPerLeague.at("Yeni"), kSeasonRows);
}

// Another writer holding the list and the table for longer than a fixed time-out (once 5 s for the table,
// 15 s for the list) is waited for.
TEST_F(Writers, WritersWaitForAWriterThatTakesLong) {
    folder.ok({"add-league", "Lig"});
    folder.ok({"add-team", "Lig", "Kartal", "5"});
    folder.ok({"add-team", "Lig", "Bolu", "5"});
    QElapsedTimer waited;
    {
        const LeagueListLock holdList(leagueListPath(path()));
        Database holder(path(), QStringLiteral("Holder"));
        WriteTransaction holdTable(holder);
        processes.start(path(), {"add-result", "Lig", "15.08.2009", "Kartal", "Bolu", "1", "0"});
        processes.start(path(), {"add-league", "Kupa"});
        waited.start();
        QThread::msleep(16000);
    }
    const std::vector<Finished> done = processes.finish();
    EXPECT_GE(waited.elapsed(), 16000);
    for (const Finished& f : done) {
        EXPECT_EQ(f.code, kExitOk) << f.err.toStdString();
        EXPECT_EQ(f.err, "");
    }
    const State after = stateOf(path());
    EXPECT_EQ(after.rowsPerLeague.at("Lig"), 3);
    EXPECT_EQ(listed(after), (QStringList{"Kupa", "Lig"}));
}

// Killed at many moments of an import into a new league, and opened again: the league is listed exactly
// when its rows are in the table, and its rows are all there or none.
TEST_F(Writers, AnImportKilledAtAnyMomentLeavesListAndRowsAgreeing) {
    const QString file = write(path(), "a.csv", season("A"));
    // Timed as the killed ones run: a process of its own, start-up included.
    QElapsedTimer clock;
    clock.start();
    processes.start(path(), {"import", "Ölçü", file});
    ASSERT_EQ(processes.finish().at(0).code, kExitOk);
    const qint64 whole = std::max<qint64>(clock.elapsed(), 20);
    int killedBefore = 0, killedAfter = 0;
    for (int i = 0; i < 40; ++i) {
        const QString league = QStringLiteral("Lig %1").arg(i);
        const QString own = write(path(), "b.csv", season(league));
        // Most of the kills from the last quarter on, where the list and the commit are written.
        const qint64 delay = i < 8 ? whole * i / 8 : whole * 3 / 4 + whole * (i - 8) / 40;
        QProcess& import = processes.start(path(), {"import", league, own});
        QThread::usleep(static_cast<unsigned long>(delay * 1000));
        ::kill(static_cast<pid_t>(import.processId()), SIGKILL);
        processes.finish();

        const State cut = stateOf(path());
        const qsizetype rows = cut.rowsPerLeague.count(league) ? cut.rowsPerLeague.at(league) : 0;
        ASSERT_TRUE(rows == 0 || rows == kSeasonRows) << i << ": " << rows << " rows";
        (rows == 0 ? killedBefore : killedAfter)++;
        ASSERT_FALSE(rows == 0 && listed(cut).contains(league)) << i << ": listed without its rows";

        folder.run({"rows"}); // opens the data
        const State opened = stateOf(path());
        EXPECT_EQ(listed(opened).contains(league), rows == kSeasonRows) << i;
        folder.ok({"add-league", "x"}); // a save clears what a killed save left
        folder.ok({"delete-league", "x"});
        EXPECT_EQ(QDir(path()).entryList({"klasman.dat.*"}, QDir::Files), QStringList{"klasman.dat.lock"})
            << i;
    }
    EXPECT_GT(killedBefore, 0);
    EXPECT_GT(killedAfter, 0);
}

// An unlisted league's rows, as a kill between commit and list save leaves them, are listed again when the
// data is opened, at the end of the list and with a line on stderr.
TEST_F(Writers, OpeningListsALeagueFoundOnlyInTheTable) {
    folder.ok({"add-league", "Zafer"});
    folder.ok({"import", "Akın", write(path(), "a.csv", season("A", 3))});
    folder.writeLeagueFile("Zafer\r\n");
    const testing::CliRun opened = folder.run({"teams", "Akın"});
    EXPECT_EQ(opened.code, kExitOk);
    EXPECT_EQ(opened.err,
              "Maçları tabloda olup lig listesinde (klasman.dat) olmayan lig listeye eklendi: Akın\n");
    EXPECT_EQ(folder.leagueFileBytes(), "Zafer\r\nAk\xFDn\r\n");
    EXPECT_EQ(folder.run({"rows"}).err, ""); // said once
}

// A tmpfs of its own, filled to several levels: an import into a new league and a league's deletion either
// go through whole or leave klasman.dat and the table as they were. Skipped where no tmpfs can be mounted.
TEST(FullDisk, WritersLeaveListAndTableAsTheyWereOrGoThroughWhole) {
    testing::testApp();
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty())
        GTEST_SKIP() << "no unshare";
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    write(work.path(), "lig.csv", season("Lig", 12));
    write(work.path(), "eski.csv", season("Eski", 12));
    write(work.path(), "yeni.csv", season("Yeni", 24));
    // For each free room in KB: the exit codes and, before and after, the list's bytes and the rows.
    const QString script = QStringLiteral(R"(
disk="$1/disk"; mkdir -p "$disk"; mount -t tmpfs -o size=3m tmpfs "$disk" || exit 77
snap() { cp "$d/klasman.dat" "$1/list-$free-$2" 2>/dev/null; rm -rf "$1/v"; cp -r "$d" "$1/v"
         "$3" --dir "$1/v" rows >"$1/rows-$free-$2" 2>/dev/null; }
for free in 8 64 192 384 768 1536; do
  rm -rf "$disk"/*; d="$disk/v"; mkdir "$d"
  "$2" --dir "$d" init && "$2" --dir "$d" add-league Eski || exit 1
  "$2" --dir "$d" import Lig "$1/lig.csv" >/dev/null && "$2" --dir "$d" import Eski "$1/eski.csv" >/dev/null || exit 1
  avail=$(df -k --output=avail "$disk" | tail -1); fill=$((avail - free))
  [ $fill -gt 0 ] && dd if=/dev/zero of="$disk/fill" bs=1k count=$fill 2>/dev/null
  snap "$1" 0 "$2"
  "$2" --dir "$d" import Yeni "$1/yeni.csv" >/dev/null 2>"$1/err-$free-1"; echo $? >"$1/code-$free-1"
  snap "$1" 1 "$2"
  "$2" --dir "$d" delete-league Eski 2>"$1/err-$free-2"; echo $? >"$1/code-$free-2"
  snap "$1" 2 "$2"
done
)");
    QProcess run;
    run.start(unshare, {"-rm", "sh", "-c", script, "sh", work.path(), cliPath()});
    ASSERT_TRUE(run.waitForFinished(300000));
    if (run.exitCode() == 77 || (run.exitCode() != 0 && run.readAllStandardError().contains("unshare")))
        GTEST_SKIP() << "no tmpfs of our own here";
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    const auto contents = [&](const QString& name) {
        QFile result(work.filePath(name));
        return result.open(QIODevice::ReadOnly) ? result.readAll() : QByteArray("(missing)");
    };
    const auto rowsOf = [](const QByteArray& rows, const char* league) {
        return rows.count(QByteArray("\t") + league + "\t");
    };
    int refused = 0;
    for (const int free : {8, 64, 192, 384, 768, 1536}) {
        SCOPED_TRACE(free);
        const auto name = [&](const char* what, int step) {
            return QStringLiteral("%1-%2-%3").arg(what).arg(free).arg(step);
        };
        const QByteArray list0 = contents(name("list", 0)), rows0 = contents(name("rows", 0));
        ASSERT_EQ(list0, "Eski\r\nLig\r\n");
        // The import: whole, or nothing at all.
        const QByteArray list1 = contents(name("list", 1)), rows1 = contents(name("rows", 1));
        if (contents(name("code", 1)) == "0\n") {
            EXPECT_EQ(list1, "Eski\r\nLig\r\nYeni\r\n");
            EXPECT_EQ(rowsOf(rows1, "Yeni"), 24 * 23 + 24);
        } else {
            ++refused;
            EXPECT_EQ(contents(name("code", 1)), "3\n");
            EXPECT_TRUE(contents(name("err", 1)).contains("diskte yer kalmad\xc4\xb1"))
                << contents(name("err", 1)).toStdString();
            EXPECT_EQ(list1, list0);
            EXPECT_EQ(rows1, rows0);
        }
        // The deletion: the league and its rows go together or stay together.
        const QByteArray list2 = contents(name("list", 2)), rows2 = contents(name("rows", 2));
        const bool gone = !splitLeagueNames(list2).contains("Eski");
        EXPECT_EQ(gone, contents(name("code", 2)) == "0\n") << contents(name("err", 2)).toStdString();
        EXPECT_EQ(rowsOf(rows2, "Eski"), gone ? 0 : rowsOf(rows1, "Eski"));
        EXPECT_EQ(rowsOf(rows1, "Eski"), 12 * 11 + 12);
    }
    EXPECT_GT(refused, 0) << "the disk never filled";
}

} // namespace
} // namespace vezal
