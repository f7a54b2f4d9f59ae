#include "support/TempProgram.h"

#include "common/Names.h"
#include "store/LeagueListFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vezal {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::fileBytes;
using testing::writeBytes;

// Windows-1254 bytes of the Turkish letters the tests use.
const QByteArray kIstanbul = "\xDDstanbul";    // İstanbul
const QByteArray kIgdir = "\xFD\xF0\x64\xFDr"; // ığdır
const QByteArray kSisli = "\xDE\x69\xFEli";    // Şişli

TEST(LeagueListSplit, ByteLevelCases) {
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList names;
    } cases[] = {
        {"empty file", "", {}},
        {"CR LF", "Lig A\r\nLig B\r\n", {"Lig A", "Lig B"}},
        {"LF only", "Lig A\nLig B\n", {"Lig A", "Lig B"}},
        {"CR only", "Lig A\rLig B\r", {"Lig A", "Lig B"}},
        {"no final line end", "Lig A\r\nLig B", {"Lig A", "Lig B"}},
        {"mixed line ends", "A\nB\r\nC\rD", {"A", "B", "C", "D"}},
        {"empty middle line", "Lig A\r\n\r\nLig B\r\n", {"Lig A", "", "Lig B"}},
        {"empty middle line, LF", "Lig A\n\nLig B", {"Lig A", "", "Lig B"}},
        {"only a line end", "\r\n", {""}},
        {"LF CR is two line ends", "A\n\rB", {"A", "", "B"}},
        {"zero byte ends reading", QByteArray("Lig A\r\nLig B\0Lig C\r\n", 20), {"Lig A", "Lig B"}},
        {"zero byte after a line end", QByteArray("Lig A\r\n\0Lig C\r\n", 16), {"Lig A"}},
        {"zero byte first", QByteArray("\0Lig A\r\n", 8), {}},
        {"blanks kept", "  Lig A \r\n\tLig B\r\n", {"  Lig A ", "\tLig B"}},
        {"Turkish letters",
         kIstanbul + "\r\n" + kIgdir + "\n" + kSisli,
         {u"İstanbul"_s, u"ığdır"_s, u"Şişli"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitLeagueNames(c.bytes), c.names);
    }
}

class LeagueListFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return leagueListPath(dir.path()); }
};

TEST_F(LeagueListFileTest, LivesBesideTheProgram) {
    EXPECT_EQ(leagueListPath(u"/opt/vezal"_s), u"/opt/vezal/klasman.dat"_s);
}

TEST_F(LeagueListFileTest, SavesEachNameWithCrLfInTheTurkishCodePage) {
    saveLeagueList(path(), {u"İstanbul"_s, u" Lig "_s, u""_s, u"Şişli"_s});
    EXPECT_EQ(fileBytes(path()), kIstanbul + "\r\n" + " Lig \r\n" + "\r\n" + kSisli + "\r\n");
    saveLeagueList(path(), {});
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_EQ(fileBytes(path()), QByteArray());
    EXPECT_EQ(loadLeagueList(path()), QStringList());
}

TEST_F(LeagueListFileTest, NamesComeBackByteForByte) {
    const QStringList names = {u"İstanbul"_s,       u"ığdır"_s,
                               u"Şişli"_s,          u"  iki blank önde"_s,
                               u"arkada blank  "_s, u"Çok uzun bir lig adı, yirmi karakterden uzun"_s,
                               u"€ ‰ Ğ ğ Ü ü"_s};
    saveLeagueList(path(), names);
    const QByteArray first = fileBytes(path());
    EXPECT_EQ(loadLeagueList(path()), names);
    saveLeagueList(path(), loadLeagueList(path()));
    EXPECT_EQ(fileBytes(path()), first);
}

TEST_F(LeagueListFileTest, SortedSaveIsInTurkishOrder) {
    QStringList selector = {u"Şili"_s,    u"ispanya"_s,   u"Çek"_s,    u"ırak"_s,
                            u"Almanya"_s, u"İngiltere"_s, u"Cezayir"_s};
    sortNoCase(selector);
    saveLeagueList(path(), selector);
    EXPECT_EQ(fileBytes(path()), QByteArray("Almanya\r\nCezayir\r\n\xC7"
                                            "ek\r\n\xFDrak\r\n\xDDngiltere\r\n"
                                            "ispanya\r\n\xDEili\r\n"));
}

TEST_F(LeagueListFileTest, MissingFileNamesThePathAndTheReason) {
    const QStringList before = {u"Lig A"_s};
    QStringList list = before;
    try {
        list = loadLeagueList(path());
        FAIL() << "loaded a missing file";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.message().startsWith(u"\"%1\" dosyası açılamıyor: "_s.arg(path()))) << error.what();
        EXPECT_TRUE(error.message().contains(u"böyle bir dosya ya da klasör yok"_s)) << error.what();
    }
    EXPECT_EQ(list, before);
}

// A save that fails leaves the file as it was, whatever made it fail.
TEST_F(LeagueListFileTest, FailedSaveLeavesTheOldFile) {
    const QByteArray old = "Lig A\r\nLig B\r\n";
    writeBytes(path(), old);

    // A name the code page cannot hold, or one that would come back as two names.
    for (const QString& bad :
         {u"Łódź"_s, u"Lig\r\nC"_s, u"Lig\nC"_s, QString(u"Lig"_s + QChar(0) + u"C"_s)}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_THROW(saveLeagueList(path(), {u"Lig A"_s, bad}), StoreError);
        EXPECT_EQ(fileBytes(path()), old);
    }

    // The disk refuses the bytes: a file size limit works for every user, root included.
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << u"Uzun bir lig adı %1"_s.arg(i);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    try {
        saveLeagueList(path(), many);
    } catch (const StoreError& error) {
        message = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(message.startsWith(u"\"%1\" dosyası oluşturulamıyor: "_s.arg(path())))
        << message.toStdString();
    EXPECT_TRUE(message.endsWith(u"File too large"_s)) << message.toStdString();
    EXPECT_EQ(fileBytes(path()), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{u"klasman.dat"_s, u"klasman.dat.lock"_s})); // no leftover
}

TEST_F(LeagueListFileTest, UnwritableFolderNamesThePathAndTheReason) {
    // The parent is a regular file: no user, root included, can create anything under it.
    writeBytes(dir.filePath(u"dosya"_s), "x");
    const QString target = dir.filePath(u"dosya/klasman.dat"_s);
    try {
        saveLeagueList(target, {u"Lig A"_s});
        FAIL() << "saved under a regular file";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.message().startsWith(u"\"%1\" dosyası oluşturulamıyor: "_s.arg(target)))
            << error.what();
        EXPECT_GT(error.message().size(), u"\"%1\" dosyası oluşturulamıyor: "_s.arg(target).size());
    }
}

// A FIFO would hang the reader and /dev/zero would fill the memory: both are no list to read.
TEST_F(LeagueListFileTest, WhatIsNoRegularFileOrTooLargeCannotBeOpened) {
    const QString fifo = dir.filePath(u"fifo"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = dir.filePath(u"zero"_s);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, zero));
    const QString folder = dir.filePath(u"klasor"_s);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"klasor"_s));
    const QString large = dir.filePath(u"buyuk"_s);
    const QString limit = dir.filePath(u"sinirda"_s);
    for (const auto& [file, size] :
         {std::pair{large, 16 * 1024 * 1024 + 1}, std::pair{limit, 16 * 1024 * 1024}}) {
        QFile sparse(file);
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(size));
    }

    for (const QString& file : {fifo, zero, folder, large}) {
        SCOPED_TRACE(file.toStdString());
        try {
            loadLeagueList(file);
            ADD_FAILURE() << "loaded";
        } catch (const StoreError& error) {
            EXPECT_TRUE(error.message().startsWith(u"\"%1\" dosyası açılamıyor: "_s.arg(file)))
                << error.what();
        }
    }
    EXPECT_EQ(loadLeagueList(limit), QStringList()) << "16 MB of zero bytes is an empty list";
}

// A save killed half-way leaves its temporary file beside the list; the next save removes it.
TEST_F(LeagueListFileTest, ASaveRemovesWhatKilledSavesLeftBehind) {
    const QStringList left = {u"klasman.dat.AbC123"_s, u"klasman.dat.x9Y8z7"_s};
    const QStringList others = {u"klasman.dat.bak"_s, u"klasman.dat.AbC12"_s, u"klasman.dat.AbC1234"_s,
                                u"diger.dat.AbC123"_s, u"klasman.dat"_s};
    for (const QString& name : left + others)
        writeBytes(dir.filePath(name), "Lig A\r\n");
    saveLeagueList(path(), {u"Lig B"_s});
    QStringList expected = others + QStringList{u"klasman.dat.lock"_s};
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_EQ(fileBytes(path()), "Lig B\r\n");
}

// The lock keeps other processes out while its holder lives, and ends when the holder is killed.
TEST_F(LeagueListFileTest, ALockEndsWithAKilledHolder) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const LeagueListLock lock(path());
        [[maybe_unused]] const auto written = write(ready[1], "x", 1);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    const int other = open(QFile::encodeName(path() + u".lock"_s).constData(), O_RDWR);
    ASSERT_GE(other, 0);
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0) << "the lock is not held";
    close(other);

    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    QElapsedTimer timer;
    timer.start();
    saveLeagueList(path(), {u"Lig A"_s});
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(fileBytes(path()), "Lig A\r\n");
    close(ready[0]);
    close(ready[1]);
}

// The main window's save at close against what other processes did meanwhile. Names: what the window read
// at start, what the file holds now (none: gone), what the window shows; then what is saved.
TEST_F(LeagueListFileTest, TheWindowsSaveMergesWithTheFile) {
    const std::optional<QStringList> gone;
    const struct {
        const char* name;
        QStringList readBefore;
        std::optional<QStringList> file;
        QStringList shown;
        QStringList saved;
    } cases[] = {
        {"nothing changed",
         {u"A"_s, u"B"_s},
         QStringList{u"A"_s, u"B"_s},
         {u"A"_s, u"B"_s},
         {u"A"_s, u"B"_s}},
        {"added here", {u"A"_s}, QStringList{u"A"_s}, {u"A"_s, u"C"_s}, {u"A"_s, u"C"_s}},
        {"added elsewhere", {u"A"_s}, QStringList{u"A"_s, u"D"_s}, {u"A"_s}, {u"A"_s, u"D"_s}},
        {"deleted here, the file still has it",
         {u"A"_s, u"B"_s},
         QStringList{u"A"_s, u"B"_s},
         {u"A"_s},
         {u"A"_s}},
        {"deleted elsewhere, shown here", {u"A"_s, u"B"_s}, QStringList{u"A"_s}, {u"A"_s, u"B"_s}, {u"A"_s}},
        {"deleted on both sides", {u"A"_s, u"B"_s}, QStringList{u"A"_s}, {u"A"_s}, {u"A"_s}},
        {"added on both sides in two spellings",
         {u"A"_s},
         QStringList{u"A"_s, u"SÜPER LİG"_s},
         {u"süper lig"_s, u"A"_s},
         {u"A"_s, u"süper lig"_s}},
        {"alike in their first 20 characters",
         {},
         QStringList{u"Türkiye Kadınlar Futbol Ligi"_s},
         {u"Türkiye Kadınlar Futbol Kupası"_s},
         {u"Türkiye Kadınlar Futbol Kupası"_s}},
        {"file gone: nothing shown is lost", {u"A"_s, u"B"_s}, gone, {u"B"_s, u"C"_s}, {u"B"_s, u"C"_s}},
        {"Turkish order",
         {},
         QStringList{u"Çorum"_s},
         {u"Şile"_s, u"Cide"_s, u"ılgaz"_s},
         {u"Cide"_s, u"Çorum"_s, u"ılgaz"_s, u"Şile"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        if (c.file)
            saveLeagueList(path(), *c.file);
        EXPECT_EQ(mergeAndSaveLeagueList(path(), c.shown, c.readBefore), c.saved);
        EXPECT_EQ(loadLeagueList(path()), c.saved);
    }
}

} // namespace
} // namespace vezal
