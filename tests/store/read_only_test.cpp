// A data folder this process may read but not write: everything reads, every change is refused in the
// program's words, and a writer at work elsewhere is still seen.
#include "support/TempProgram.h"

#include "store/Admin.h"
#include "store/Database.h"
#include "store/FolderAccess.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vezal {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kNoUserNamespace = 77;

// A process of the test's own making, talking to it a line at a time.
class Child {
public:
    // Runs body in a forked process; with ownerOnly, with no more rights than the files' owner has: as root
    // in a user namespace of its own, which root's override of the files' modes does not reach.
    Child(bool ownerOnly, const std::function<void(Child&)>& body) {
        int down[2], up[2];
        EXPECT_EQ(pipe(down), 0);
        EXPECT_EQ(pipe(up), 0);
        pid_ = fork();
        if (pid_ == 0) {
            close(down[1]);
            close(up[0]);
            in_ = down[0];
            out_ = up[1];
            if (ownerOnly && geteuid() == 0 && unshare(CLONE_NEWUSER) != 0)
                _exit(kNoUserNamespace);
            try {
                body(*this);
            } catch (const StoreError& error) {
                send(u"StoreError: "_s + error.message());
            }
            _exit(0);
        }
        close(down[0]);
        close(up[1]);
        in_ = up[0];
        out_ = down[1];
    }
    ~Child() {
        close(in_);
        close(out_);
        if (pid_ > 0 && !waited_)
            waitpid(pid_, nullptr, 0);
    }

    void send(const QString& line) {
        const QByteArray bytes = line.toUtf8() + '\n';
        EXPECT_EQ(write(out_, bytes.constData(), size_t(bytes.size())), bytes.size());
    }
    // The next line; empty once the other side has ended.
    QString receive() {
        QByteArray line;
        char c = 0;
        while (read(in_, &c, 1) == 1 && c != '\n')
            line += c;
        return QString::fromUtf8(line);
    }
    // Its exit status; kNoUserNamespace when it could not shed root's rights.
    int wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    bool waited_ = false;
};

void setMode(const QString& path, QFile::Permissions mode) {
    ASSERT_TRUE(QFile::setPermissions(path, mode)) << path.toStdString();
}
const QFile::Permissions kReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner;
const QFile::Permissions kWritableFolder = kReadOnlyFolder | QFile::WriteOwner;

QString teamsAndRefusal(const QString& folder) {
    Database database(folder, u"ReadOnly"_s);
    MatchTable table(database);
    QString refusal;
    try {
        registerTeam(table, u"Lig"_s, u"Yeni"_s, u"5"_s);
    } catch (const StoreError& error) {
        refusal = error.message();
    }
    return table.teamList(u"Lig"_s).join(u',') + u" | "_s + refusal;
}

TEST(ReadOnly, TheTableReadsAndAWriteIsRefusedWithTheReason) {
    testing::TempProgram program;
    program.seed(u"Lig"_s, u"Altay"_s, u"5"_s);
    program.close(); // the engine's companion files go with the last connection
    const QString fvt = program.folder() + u"/Fvt"_s;
    const QString file = program.databasePath();
    const QString cannotWrite = u"Kayıt \"%1\" veritabanına yazılamıyor: "_s.arg(file);
    const struct {
        const char* what;
        QString readOnly; // the folder or file made read-only
        QString expected;
    } cases[] = {
        {"the folder", fvt, u"Altay | "_s + cannotWrite + u"\"%1\" klasörü salt okunur"_s.arg(fvt)},
        {"the file", file, u"Altay | "_s + cannotWrite + u"\"%1\" dosyası salt okunur"_s.arg(file)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const bool folder = c.readOnly == fvt;
        setMode(c.readOnly, folder ? kReadOnlyFolder : QFile::ReadOwner);
        Child reader(true, [&](Child& self) { self.send(teamsAndRefusal(program.folder())); });
        const QString answer = reader.receive();
        const int status = reader.wait();
        setMode(c.readOnly, folder ? kWritableFolder : QFile::ReadOwner | QFile::WriteOwner);
        if (status == kNoUserNamespace)
            GTEST_SKIP() << "root cannot shed its rights here (no user namespace)";
        EXPECT_EQ(answer, c.expected);
    }
    program.open();
    EXPECT_EQ(program.table().teamList(u"Lig"_s), QStringList{u"Altay"_s});
}

// A writer that holds the file open keeps the engine's shared memory beside it: a reader that may not write
// reads through it, and so sees what the writer commits after the reader opened the file.
TEST(ReadOnly, AReaderSeesWhatAWriterAtWorkCommits) {
    QTemporaryDir dir;
    {
        Database database(dir.path());
        MatchTable(database).appendSeedRow(u"Lig"_s, u"Altay"_s, 5);
    }
    Child writer(false, [&](Child& self) {
        Database database(dir.path(), u"Writer"_s);
        MatchTable table(database);
        table.teamList(u"Lig"_s); // opens the log and the shared memory
        self.send(u"open"_s);
        self.receive();
        table.appendSeedRow(u"Lig"_s, u"Bursa"_s, 5);
        self.send(u"committed"_s);
        self.receive();
    });
    ASSERT_EQ(writer.receive(), u"open"_s);
    const QString fvt = dir.path() + u"/Fvt"_s;
    setMode(fvt, kReadOnlyFolder);
    Child reader(true, [&](Child& self) {
        Database database(dir.path(), u"Reader"_s);
        MatchTable table(database);
        self.send(table.teamList(u"Lig"_s).join(u','));
        self.receive();
        self.send(table.teamList(u"Lig"_s).join(u','));
    });
    const QString before = reader.receive();
    writer.send(u"go"_s);
    EXPECT_EQ(writer.receive(), u"committed"_s);
    reader.send(u"again"_s);
    const QString after = reader.receive();
    writer.send(u"end"_s);
    const int status = reader.wait();
    setMode(fvt, kWritableFolder);
    if (status == kNoUserNamespace)
        GTEST_SKIP() << "root cannot shed its rights here (no user namespace)";
    EXPECT_EQ(before, u"Altay"_s);
    EXPECT_EQ(after, u"Altay,Bursa"_s);
}

// The folder itself read-only: no database is made in it and the league list is not changed, each said so.
TEST(ReadOnly, NothingIsMadeInAReadOnlyDataFolder) {
    QTemporaryDir dir;
    const QString list = leagueListPath(dir.path());
    { QFile(list).open(QIODevice::WriteOnly); }
    const struct {
        const char* what;
        std::function<void()> change;
        QString expected;
    } cases[] = {
        {"the database", [&] { Database database(dir.path(), u"New"_s); },
         u"\"%1/Fvt\" veritabanı klasörü oluşturulamıyor: \"%1\" klasörü salt okunur"_s.arg(dir.path())},
        {"a league", [&] { addLeague(list, u"Lig"_s); },
         u"\"%1\" dosyası değiştirilemiyor: \"%2\" klasörü salt okunur"_s.arg(list, dir.path())},
    };
    setMode(dir.path(), kReadOnlyFolder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Child child(true, [&](Child& self) {
            c.change();
            self.send(u"changed"_s);
        });
        const QString answer = child.receive();
        if (child.wait() == kNoUserNamespace) {
            setMode(dir.path(), kWritableFolder);
            GTEST_SKIP() << "root cannot shed its rights here (no user namespace)";
        }
        EXPECT_EQ(answer, u"StoreError: "_s + c.expected);
    }
    setMode(dir.path(), kWritableFolder);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{u"klasman.dat"_s});
}

TEST(WriteFailure, SaysWhyInTheProgramsWords) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"yok.txt"_s);
    const struct {
        int error;
        QString path;
        QString expected;
    } cases[] = {
        {ENOSPC, missing, u"diskte yer kalmadı"_s},
        {EDQUOT, missing, u"diskte yer kalmadı"_s},
        {EROFS, u"/mnt/disk/klasman.dat"_s, u"\"/mnt/disk\" klasörü salt okunur bir dosya sisteminde"_s},
        // The folder can be written: the refusal came from elsewhere on the way.
        {EACCES, missing, u"\"%1\" için erişim izni yok"_s.arg(missing)},
        {EIO, missing, u"Input/output error"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(writeFailure(c.path, c.error), c.expected) << c.error;
}

} // namespace
} // namespace vezal
