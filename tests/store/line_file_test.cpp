#include "support/TempProgram.h"

#include "store/LineFile.h"
#include "store/StoreError.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::fileBytes;
using testing::writeBytes;

class LineFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(u"rapor.txt"_s); }
};

TEST_F(LineFileTest, ReadsEveryLineEnd) {
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"empty", "", {}},
        {"CR LF", "bir\r\niki\r\n", {"bir", "iki"}},
        {"lone CR and LF", "bir\riki\n\xFC\xE7", {"bir", "iki", u"üç"_s}},
        {"empty lines kept", "\r\nbir\r\n\r\n", {"", "bir", ""}},
        {"a zero byte is text", QByteArray("a\0b\r\nc", 6), {QString(u"a"_s + QChar(0) + u"b"_s), "c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path(), c.bytes);
        EXPECT_EQ(readLineFile(path()), c.lines);
    }
}

TEST_F(LineFileTest, WritesCrLfInTheTurkishCodePage) {
    writeLineFile(path(), {u"Maç Sonucu : 1"_s, u""_s, u"Gol Sayısı İçin"_s});
    EXPECT_EQ(fileBytes(path()), QByteArray("Ma\xE7 Sonucu : 1\r\n\r\nGol Say\xFDs\xFD \xDD\xE7in\r\n"));
}

TEST_F(LineFileTest, RefusesWhatTheCodePageCannotHoldAndKeepsTheOldFile) {
    writeBytes(path(), "eski\r\n");
    const QStringList lines = {u"iyi"_s, u"Ελλάδα"_s};
    EXPECT_EQ(firstLineOutsideCodePage(lines), 1);
    EXPECT_EQ(firstLineOutsideCodePage({u"iyi"_s, u"İyi"_s}), std::nullopt);
    try {
        writeLineFile(path(), lines);
        FAIL() << "wrote a line the code page cannot hold";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.message().contains(u"2. satır"_s)) << error.what();
    }
    EXPECT_EQ(fileBytes(path()), "eski\r\n");
}

TEST_F(LineFileTest, MissingFileNamesThePath) {
    try {
        readLineFile(path());
        FAIL() << "read a missing file";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.message().startsWith(u"\"%1\" dosyası açılamıyor: "_s.arg(path()))) << error.what();
    }
}

} // namespace
} // namespace vezal
