// vezal-cli on a data folder it may read but not write, and on a file system mounted read-only: the
// listings and the advice run, every change is refused naming the folder, and nothing says otherwise.
#include "support/CliHarness.h"

#include "cli/Cli.h"
#include "store/Database.h"
#include "store/MatchTable.h"
#include "store/support/TestLeague.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vezal {
namespace {

using testing::cliPath;
using testing::Finished;
using testing::ProgramFolder;
using namespace Qt::Literals::StringLiterals;

// The exit code a wrapper gives when it could not set the test's stage up.
constexpr int kNoStage = 77;

// A league of 20 teams and 600 matches, a fixture file and a file to import, beside the data.
void fill(const ProgramFolder& folder) {
    folder.ok({"add-league", "Lig"});
    testing::appendTestLeague(folder.path(), "Lig", QDate(2009, 8, 1));
    for (const auto& [name, bytes] :
         {std::pair{"fikstur.csv",
                    "Div,Date,HomeTeam,AwayTeam,B365H,B365D,B365A\nLig,01/06/2011,T01,T02,1.80,3.60,"
                    "4.50\n"},
          std::pair{"yeni.csv", "Date,HomeTeam,AwayTeam,FTHG,FTAG\n01/06/2011,T01,T02,1,0\n"}}) {
        QFile file(folder.file(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
}

// Each command the user may give, and whether it changes the data.
struct Command {
    QStringList args;
    bool changes;
};
std::vector<Command> commandsOn(const ProgramFolder& folder) {
    return {
        {{"leagues"}, false},
        {{"rows"}, false},
        {{"table", "home", "Lig"}, false},
        {{"bets"}, false},
        {{"check"}, false},
        {{"init"}, false},
        {{"probabilities", "Lig", "T01", "T02"}, false},
        {{"bulletin", folder.file("fikstur.csv")}, false},
        {{"add-league", "Yeni"}, true},
        {{"add-team", "Lig", "Yeni", "5"}, true},
        {{"add-result", "Lig", "01.06.2011", "T01", "T02", "1", "0"}, true},
        {{"delete-team", "Lig", "T03"}, true},
        {{"bet", "add", "--stake", "5", "--placed", "01.06.2011", "Lig|01.06.2011|T01|T02|1|1.9"}, true},
        {{"import", "Lig", folder.file("yeni.csv")}, true},
    };
}

void expectReadOnly(const ProgramFolder& folder, const std::function<Finished(const QStringList&)>& run,
                    const QString& why) {
    const QString rowsBefore = folder.ok({"rows"});
    for (const Command& c : commandsOn(folder)) {
        const QStringList args = QStringList{"--dir", folder.path()} + c.args;
        const Finished result = run(args);
        if (result.code == kNoStage)
            GTEST_SKIP() << "no stage here: " << result.err.toStdString();
        const QString err = QString::fromUtf8(result.err);
        SCOPED_TRACE(c.args.join(u' ').toStdString() + ": " + err.toStdString());
        if (c.changes) {
            EXPECT_EQ(result.code, kExitFailure);
            // The reason ends the line that says what could not be done.
            const QStringList lines = err.split(u'\n');
            EXPECT_TRUE(std::any_of(lines.cbegin(), lines.cend(), [&](const QString& line) {
                return line.endsWith(u": "_s + why.arg(folder.path())) ||
                       line.endsWith(u": "_s + why.arg(folder.file("Fvt")));
            }));
        } else {
            EXPECT_EQ(result.code, kExitOk);
            EXPECT_EQ(err, QString());
        }
    }
    EXPECT_EQ(folder.ok({"rows"}), rowsBefore);
}

// Runs vezal-cli with no more rights over the folder than its owner has. Root's override of the rights does
// not reach into a user namespace of its own, so root runs it there.
Finished runAsOwner(const QStringList& args) {
    if (geteuid() != 0)
        return testing::runProgram(cliPath(), args);
    const QString unshare = QStandardPaths::findExecutable("unshare");
    Finished result = unshare.isEmpty() ? Finished{kNoStage, {}, "no unshare"}
                                        : testing::runProgram(unshare, QStringList{"-U", cliPath()} + args);
    if (result.err.startsWith("unshare:"))
        result.code = kNoStage;
    return result;
}

void setWritable(const ProgramFolder& folder, bool writable) {
    const QFile::Permissions read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions write = writable ? QFile::WriteOwner : QFile::Permissions();
    for (const QString& path : {folder.file("Fvt/Liste.DB"), folder.file("klasman.dat")})
        QFile::setPermissions(path, read | write);
    for (const QString& path : {folder.file("Fvt"), folder.path()})
        QFile::setPermissions(path, read | QFile::ExeOwner | write);
}

TEST(ReadOnlyFolder, ListingsAndAdviceRunAndChangesAreRefused) {
    ProgramFolder folder;
    fill(folder);
    setWritable(folder, false);
    expectReadOnly(folder, runAsOwner, QString::fromUtf8("\"%1\" klasörü salt okunur"));
    setWritable(folder, true);
}

// A writer at work keeps the engine's shared memory beside the file: a reader that may not write reads
// through it, and so sees the writer's last commit, still in the log.
TEST(ReadOnlyFolder, AReaderSeesWhatAWriterAtWorkCommitted) {
    ProgramFolder folder;
    folder.ok({"add-league", "Lig"});
    Database writer(folder.path(), QStringLiteral("Writer"));
    MatchTable table(writer);
    table.appendSeedRow("Lig", "Altay", 5);
    table.appendSeedRow("Lig", "Bursa", 5);
    ASSERT_GT(QFileInfo(writer.filePath() + "-wal").size(), 0);
    setWritable(folder, false);
    const Finished teams = runAsOwner({"--dir", folder.path(), "teams", "Lig"});
    setWritable(folder, true);
    if (teams.code == kNoStage)
        GTEST_SKIP() << teams.err.toStdString();
    EXPECT_EQ(teams.code, kExitOk) << teams.err.toStdString();
    EXPECT_EQ(teams.out, "Etkm\nAltay\nBursa\n");
}

// A read-only mount of the folder, made in a mount namespace of its own.
TEST(ReadOnlyFileSystem, ListingsAndAdviceRunAndChangesAreRefused) {
    ProgramFolder folder;
    fill(folder);
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty())
        GTEST_SKIP() << "no unshare";
    const QString stage = QStringLiteral(R"(mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" || exit 77
shift
exec "$@")");
    expectReadOnly(
        folder,
        [&](const QStringList& args) {
            return testing::runProgram(
                unshare, QStringList{"-rm", "sh", "-c", stage, "sh", folder.path(), cliPath()} + args);
        },
        QString::fromUtf8("\"%1\" klasörü salt okunur bir dosya sisteminde"));
}

} // namespace
} // namespace vezal
