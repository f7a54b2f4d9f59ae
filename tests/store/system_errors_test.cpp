// The system's and the engine's reasons for a failure, in the Turkish words the user is shown.
#include "store/SystemErrors.h"

#include <QFile>
#include <QSqlError>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace vezal {
namespace {

TEST(SystemErrors, AFilesFailureIsSaidInTurkish) {
    EXPECT_EQ(systemErrorText(EDQUOT), QString::fromUtf8("diskte yer kalmadı"));
    EXPECT_EQ(systemErrorText(EPROTO), QStringLiteral("Protocol error")); // no Turkish words: the system's
    QTemporaryDir dir;
    QFile missing(dir.filePath("yok/klasman.dat"));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_EQ(fileErrorText(missing), QString::fromUtf8("böyle bir dosya ya da klasör yok"));
    QFile folder(dir.path()); // a folder opened to be written
    ASSERT_FALSE(folder.open(QIODevice::WriteOnly));
    EXPECT_EQ(fileErrorText(folder), QString::fromUtf8("bu bir klasör, dosya değil"));
}

TEST(SystemErrors, TheEnginesReasonComesInTurkishWithItsOwnWordsAfter) {
    const struct {
        const char* native;
        const char* text;
        const char* expected;
    } cases[] = {
        {"5", "database is locked", "veritabanını başka bir işlem kullanıyor (database is locked)"},
        // SQLITE_IOERR_READ: 10 + 1 * 256.
        {"266", "disk I/O error", "disk okunamadı ya da yazılamadı (disk I/O error)"},
        {"1", "near \"x\": syntax error", "near \"x\": syntax error"},
        {"", "", "bilinmeyen veritabanı hatası"},
    };
    for (const auto& c : cases) {
        const QSqlError error(QString(), QString::fromUtf8(c.text), QSqlError::StatementError,
                              QString::fromLatin1(c.native));
        EXPECT_EQ(engineErrorText(error), QString::fromUtf8(c.expected)) << c.native;
    }
}

} // namespace
} // namespace vezal
