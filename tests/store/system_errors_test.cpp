// The system's and the engine's reasons for a failure, in the Turkish words the user is shown.
#include "store/SystemErrors.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace vezal {
namespace {

TEST(SystemErrors, KnownNumbersHaveTurkishWordsAndOthersKeepTheSystems) {
    struct Case {
        int error;
        const char* expected;
    } cases[] = {
        {ENOENT, "böyle bir dosya ya da klasör yok"},
        {EACCES, "erişim izni yok"},
        {EISDIR, "bu bir klasör, dosya değil"},
        {ENOSPC, "diskte yer kalmadı"},
        {EDQUOT, "diskte yer kalmadı"},
        {EROFS, "disk salt okunur"},
        // No Turkish words: glibc's own.
        {EPROTO, "Protocol error"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(systemErrorText(c.error), QString::fromUtf8(c.expected)) << c.error;
}

TEST(SystemErrors, AFilesFailureIsSaidInTurkish) {
    QTemporaryDir dir;
    QFile missing(dir.filePath("yok/klasman.dat"));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_EQ(fileErrorText(missing), QString::fromUtf8("böyle bir dosya ya da klasör yok"));
    // A folder opened to be written.
    QFile folder(dir.path());
    ASSERT_FALSE(folder.open(QIODevice::WriteOnly));
    EXPECT_EQ(fileErrorText(folder), QString::fromUtf8("bu bir klasör, dosya değil"));
}

TEST(SystemErrors, TheEnginesReasonComesInTurkishWithItsOwnWordsAfter) {
    struct Case {
        const char* name;
        QString native;
        QString text;
        const char* expected;
    } cases[] = {
        {"busy", "5", "database is locked", "veritabanını başka bir işlem kullanıyor (database is locked)"},
        // SQLITE_IOERR_READ: 10 + 1 * 256.
        {"extended", "266", "disk I/O error", "disk okunamadı ya da yazılamadı (disk I/O error)"},
        {"damaged", "11", "database disk image is malformed",
         "veritabanı dosyası bozuk (database disk image is malformed)"},
        {"unknown code", "1", "near \"x\": syntax error", "near \"x\": syntax error"},
        {"nothing said", "", "", "bilinmeyen veritabanı hatası"},
    };
    for (const Case& c : cases) {
        const QSqlError error(QString(), c.text, QSqlError::StatementError, c.native);
        EXPECT_EQ(engineErrorText(error), QString::fromUtf8(c.expected)) << c.name;
    }
}

} // namespace
} // namespace vezal
