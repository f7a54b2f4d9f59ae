// Several real vezal-cli processes writing one folder at once. Where a race would need luck to show, the
// test holds the lock the writers need while they start, so that each of them has done whatever it does
// without the lock before any of them may write.
#include "support/CliHarness.h"

#include "cli/Cli.h"
#include "rating/MatchRating.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "store/WriteTransaction.h"

#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vezal {
namespace {

using testing::cliPath;
using testing::Finished;
using testing::ProgramFolder;

// Long enough for every started process to reach the database or the list under a sanitizer, shorter
// than the time a writer waits for a lock.
constexpr unsigned long kHoldMs = 2000;

class Processes {
public:
    void start(const QString& folder, const QStringList& args) {
        auto process = std::make_unique<QProcess>();
        process->start(cliPath(), QStringList{QStringLiteral("--dir"), folder} + args);
        processes_.push_back(std::move(process));
    }
    std::vector<Finished> finish() {
        std::vector<Finished> done;
        for (auto& process : processes_) {
            EXPECT_TRUE(process->waitForFinished(60000)) << process->errorString().toStdString();
            EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
            done.push_back(
                {process->exitCode(), process->readAllStandardOutput(), process->readAllStandardError()});
        }
        processes_.clear();
        return done;
    }

private:
    std::vector<std::unique_ptr<QProcess>> processes_;
};

QByteArray line(const char16_t* message) {
    return QString::fromUtf16(message).toUtf8() + '\n';
}

// One winner, every other one refused with the duplicate's words.
void expectOneWinner(const std::vector<Finished>& done, const char16_t* refusal) {
    int winners = 0;
    for (const Finished& f : done) {
        if (f.code == kExitOk) {
            ++winners;
            continue;
        }
        EXPECT_EQ(f.code, kExitRefused) << f.err.toStdString();
        EXPECT_EQ(f.err, line(refusal));
    }
    EXPECT_EQ(winners, 1);
}

class Concurrency : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(cliPath())) << cliPath().toStdString();
        folder.ok({"add-league", "Lig"});
        for (const char* team : {"Kartal", "Bolu", "Sivas"})
            folder.ok({"add-team", "Lig", team, "5"});
    }
    // How many rows hold exactly these cells (Tur, Klas, Tarih, Etkm, Mtkm).
    qsizetype rowsLike(const QStringList& cells) const {
        qsizetype count = 0;
        for (const QStringList& row : testing::cells(folder.ok({"rows"})))
            if (row.mid(1, cells.size()) == cells)
                ++count;
        return count;
    }

    ProgramFolder folder;
    Processes processes;
};

TEST_F(Concurrency, OneMatchEnteredByManyProcessesAtOnceIsStoredOnce) {
    for (const char* day : {"2009-08-15", "2009-08-22"}) {
        SCOPED_TRACE(day);
        {
            Database holder(folder.path(), QStringLiteral("Holder"));
            WriteTransaction hold(holder);
            for (int i = 0; i < 4; ++i)
                processes.start(folder.path(), {"add-result", "Lig", day, "Kartal", "Bolu", "1", "0"});
            QThread::msleep(kHoldMs);
        }
        expectOneWinner(processes.finish(), messages::kMatchExists);
        EXPECT_EQ(rowsLike({"O", "Lig", day, "Kartal", "Bolu"}), 1);
    }
}

TEST_F(Concurrency, OneTeamRegisteredByManyProcessesAtOnceIsStoredOnce) {
    for (const char* team : {"Rize", "Muş"}) {
        SCOPED_TRACE(team);
        {
            Database holder(folder.path(), QStringLiteral("Holder"));
            WriteTransaction hold(holder);
            for (int i = 0; i < 4; ++i)
                processes.start(folder.path(), {"add-team", "Lig", QString::fromUtf8(team), "4"});
            QThread::msleep(kHoldMs);
        }
        expectOneWinner(processes.finish(), messages::kTeamExists);
        EXPECT_EQ(rowsLike({"A", "Lig", "2008-01-01", QString::fromUtf8(team)}), 1);
    }
}

// Without a lock on its reads the entry rates its match from sums taken before the other writer's row
// was committed.
TEST_F(Concurrency, ARatingWaitsForARowBeingCommitted) {
    const SeedSplit kartal = splitStartingPoints(5);
    const SeedSplit bolu = splitStartingPoints(5);
    const SeedSplit sivas = splitStartingPoints(5);
    const RatingTransfer first = rateMatch(2, 0, kartal.etp, bolu.mtp);
    {
        Database holder(folder.path(), QStringLiteral("Holder"));
        MatchTable table(holder);
        WriteTransaction hold(holder);
        table.appendMatchRow("Lig", {2009, 8, 15}, "Kartal", "Bolu", 2, 0, first);
        processes.start(folder.path(), {"add-result", "Lig", "22.08.2009", "Kartal", "Sivas", "1", "1"});
        QThread::msleep(kHoldMs);
        hold.commit();
    }
    const std::vector<Finished> done = processes.finish();
    ASSERT_EQ(done[0].code, kExitOk) << done[0].err.toStdString();

    // Kartal's home rating before the 22nd: its seed plus what it took on the 15th.
    const RatingTransfer second = rateMatch(1, 1, kartal.etp + first.etp, sivas.mtp);
    const auto rows = testing::cells(folder.ok({"rows"}));
    ASSERT_EQ(rows.size(), 6);
    ASSERT_EQ(rows[5].mid(3, 3), (QStringList{"2009-08-22", "Kartal", "Sivas"}));
    EXPECT_DOUBLE_EQ(rows[5][11].toDouble(), second.etp);
    EXPECT_DOUBLE_EQ(rows[5][12].toDouble(), second.mtp);
}

// The first bets make the ledger's tables: every writer finds them made once and gets a number of its own.
TEST_F(Concurrency, BetsPlacedByManyProcessesAtOnceAreAllKept) {
    constexpr int kWriters = 6;
    {
        Database holder(folder.path(), QStringLiteral("Holder"));
        WriteTransaction hold(holder);
        for (int i = 1; i <= kWriters; ++i)
            processes.start(folder.path(), {"bet", "add", "--stake", QString::number(i), "--placed",
                                            "01.08.2009", "Lig|15.08.2009|Kartal|Bolu|1|2.5"});
        QThread::msleep(kHoldMs);
    }
    QSet<QByteArray> numbers;
    for (const Finished& f : processes.finish()) {
        EXPECT_EQ(f.code, kExitOk) << f.err.toStdString();
        numbers.insert(f.out);
    }
    QSet<QByteArray> expected;
    for (int i = 1; i <= kWriters; ++i)
        expected.insert("bet\t" + QByteArray::number(i) + "\n");
    EXPECT_EQ(numbers, expected);
    QSet<QString> stakes;
    const auto listed = testing::cells(folder.ok({"bets"}));
    ASSERT_EQ(listed.size(), kWriters + 1);
    for (qsizetype row = 1; row < listed.size(); ++row)
        stakes.insert(listed[row][2]);
    EXPECT_EQ(stakes, (QSet<QString>{"1.00", "2.00", "3.00", "4.00", "5.00", "6.00"}));
}

TEST_F(Concurrency, LeaguesAddedByManyProcessesAtOnceAllSurvive) {
    const QString path = leagueListPath(folder.path());
    const QByteArray before = folder.leagueFileBytes();
    QStringList added;
    {
        const LeagueListLock hold(path);
        for (int i = 0; i < 20; ++i) {
            added << QStringLiteral("Lig %1").arg(QChar(u'A' + i));
            processes.start(folder.path(), {"add-league", added.last()});
        }
        QThread::msleep(kHoldMs);
        EXPECT_EQ(folder.leagueFileBytes(), before) << "a writer did not wait for the lock";
    }
    for (const Finished& f : processes.finish())
        EXPECT_EQ(f.code, kExitOk) << f.err.toStdString();
    EXPECT_EQ(loadLeagueList(path), QStringList{"Lig"} + added);
}

// The main window's save at close, while other processes add leagues: theirs stay, the one deleted in the
// window stays deleted.
TEST_F(Concurrency, TheWindowsSaveKeepsLeaguesAddedMeanwhile) {
    const QString path = leagueListPath(folder.path());
    folder.ok({"add-league", "Zonguldak"});
    const QStringList readAtStart = loadLeagueList(path); // Lig, Zonguldak
    QStringList added;
    {
        const LeagueListLock hold(path);
        for (int i = 0; i < 10; ++i) {
            added << QStringLiteral("Kupa %1").arg(i);
            processes.start(folder.path(), {"add-league", added.last()});
        }
        QThread::msleep(kHoldMs);
    }
    // The window's user deleted Zonguldak and added Afyon.
    mergeAndSaveLeagueList(path, {"Afyon", "Lig"}, readAtStart);
    for (const Finished& f : processes.finish())
        EXPECT_EQ(f.code, kExitOk) << f.err.toStdString();
    EXPECT_EQ(loadLeagueList(path), QStringList({"Afyon"}) + added + QStringList{"Lig"});
}

// A folder with a league list but no database yet: every process finds the table, none fails on making it.
TEST_F(Concurrency, ANewDatabaseOpenedByManyProcessesAtOnceIsMadeOnce) {
    ProgramFolder fresh(ProgramFolder::Start::LeagueListOnly);
    for (int i = 0; i < 8; ++i)
        processes.start(fresh.path(), {"rows"});
    for (const Finished& f : processes.finish()) {
        EXPECT_EQ(f.code, kExitOk) << f.err.toStdString();
        EXPECT_EQ(f.out,
                  "Sr\tTur\tKlas\tTarih\tEtkm\tMtkm\tOyun\tEa\tEy\tMa\tMy\tEtp\tMtp\tErakip\tMrakip\n");
    }
}

} // namespace
} // namespace vezal
