// Splitting files the way spreadsheets and bookmakers' sites write them, with the line each record
// starts on.
#include "exchange/CsvReader.h"

#include <QBuffer>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace vezal {
namespace {

struct Read {
    CsvFile file;
    std::vector<CsvRecord> records;
};

Read read(const QByteArray& bytes, const ColumnChoice& choose = {}) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Read read;
    read.file = readCsv(buffer, choose, [&](const CsvRecord& record) { read.records.push_back(record); });
    return read;
}

struct Expected {
    int line;
    QStringList fields;
};

struct CsvCase {
    const char* name;
    QByteArray bytes;
    char separator;
    QStringList header;
    std::vector<Expected> records;
    bool unended = false; // the last record stops at the end of the file, without a line end
};

class CsvCases : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvCases, RecordsAndTheirLines) {
    const CsvCase& c = GetParam();
    const Read file = read(c.bytes);
    EXPECT_EQ(file.file.separator, c.separator);
    EXPECT_EQ(file.file.header, c.header);
    ASSERT_EQ(file.records.size(), c.records.size());
    for (std::size_t i = 0; i < c.records.size(); ++i) {
        EXPECT_EQ(file.records[i].line, c.records[i].line) << "record " << i;
        EXPECT_EQ(file.records[i].fields, c.records[i].fields) << "record " << i;
        EXPECT_EQ(file.records[i].unended, c.unended && i + 1 == c.records.size()) << "record " << i;
    }
}

const QStringList kHeader = {"Date", "HomeTeam", "AwayTeam"};

INSTANTIATE_TEST_SUITE_P(
    Files, CsvCases,
    ::testing::Values(
        CsvCase{"PlainLf",
                "Date,HomeTeam,AwayTeam\n01/02/2010,Kartal,Bolu\n",
                ',',
                kHeader,
                {{2, {"01/02/2010", "Kartal", "Bolu"}}}},
        CsvCase{"CrLfAndNoFinalLineEnd",
                "Date,HomeTeam,AwayTeam\r\n01/02/2010,Kartal,Bolu\r\n02/02/2010,A,B",
                ',',
                kHeader,
                {{2, {"01/02/2010", "Kartal", "Bolu"}}, {3, {"02/02/2010", "A", "B"}}},
                true},
        // A quoted field may hold the separator, a doubled quote and line breaks; the next record then
        // starts lines further down.
        CsvCase{"QuotedFields",
                "Date,HomeTeam,AwayTeam\n01/02/2010,\"Kartal, SK\",\"Bolu \"\"B\"\"\"\n"
                "02/02/2010,\"Yeni\r\nMalatya\",Bolu\n03/02/2010,Sivas,Bolu\n",
                ',',
                kHeader,
                {{2, {"01/02/2010", "Kartal, SK", "Bolu \"B\""}},
                 {3, {"02/02/2010", "Yeni\r\nMalatya", "Bolu"}},
                 {5, {"03/02/2010", "Sivas", "Bolu"}}}},
        // Blank lines and lines of empty fields are no records, but they are lines.
        CsvCase{"BlankLinesCount",
                "\nDate,HomeTeam,AwayTeam\n\n,,\n\"\",\"\"\n   \n01/02/2010,Kartal,Bolu\n",
                ',',
                kHeader,
                {{7, {"01/02/2010", "Kartal", "Bolu"}}}},
        CsvCase{"SemicolonWithTurkishLetters",
                "Tarih;Ev Sahibi;Misafir\n15.08.2009;Çaykur Rizespor;Göztepe\n",
                ';',
                {"Tarih", "Ev Sahibi", "Misafir"},
                {{2, {"15.08.2009", "Çaykur Rizespor", "Göztepe"}}}},
        // In a tab-separated file a tab is no blank around a field: an empty field stays a field.
        CsvCase{"TabSeparated",
                "Date\tHomeTeam\tAwayTeam\n01/02/2010\t\tBolu\n",
                '\t',
                kHeader,
                {{2, {"01/02/2010", "", "Bolu"}}}},
        CsvCase{"ByteOrderMark",
                "\xEF\xBB\xBF"
                "Date,HomeTeam,AwayTeam\n01/02/2010,Şile,Iğdır\n",
                ',',
                kHeader,
                {{2, {"01/02/2010", "Şile", "Iğdır"}}}},
        // A comma inside a quoted header name does not make the file comma-separated.
        CsvCase{"SeparatorFromTheHeaderOutsideQuotes",
                "\"Date, day\";HomeTeam;AwayTeam\n1;2;3\n",
                ';',
                {"Date, day", "HomeTeam", "AwayTeam"},
                {{2, {"1", "2", "3"}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvReader, AFileThatIsNotUtf8IsReadAsWindows1254) {
    QStringEncoder encoder("windows-1254");
    const QByteArray bytes =
        encoder.encode(QStringLiteral("Tarih;Ev Sahibi;Misafir\n15.08.2009;Ağrı Dağı;İğdır Şişli\n"));
    ASSERT_FALSE(encoder.hasError());
    const Read file = read(bytes);
    EXPECT_EQ(file.file.encoding, TextEncoding::Windows1254);
    ASSERT_EQ(file.records.size(), 1u);
    EXPECT_EQ(file.records[0].fields, QStringList({"15.08.2009", "Ağrı Dağı", "İğdır Şişli"}));
}

TEST(CsvReader, OnlyTheColumnsAskedForAreDecoded) {
    const Read file = read("a,b,c\n1,2,3\n4,5\n", [](const QStringList& header) {
        EXPECT_EQ(header, QStringList({"a", "b", "c"}));
        return std::vector<bool>{false, true};
    });
    ASSERT_EQ(file.records.size(), 2u);
    // Fields beyond the last one asked for are counted, not kept.
    EXPECT_EQ(file.records[0].fields, QStringList({"", "2"}));
    EXPECT_EQ(file.records[0].fieldCount, 3);
    EXPECT_EQ(file.records[1].fields, QStringList({"", "5"}));
    EXPECT_EQ(file.records[1].fieldCount, 2);
}

TEST(CsvReader, NothingButBlankLinesHasNoHeader) {
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n\r\n"), QByteArray("\xEF\xBB\xBF")}) {
        const Read file = read(bytes);
        EXPECT_EQ(file.file.headerLine, 0);
        EXPECT_TRUE(file.records.empty());
    }
}

// The file is read 64 KB at a time: a line end torn between two reads is still one line end, and a field
// longer than a read stays whole.
TEST(CsvReader, LinesAcrossTheReadsKeepTheirNumbers) {
    constexpr qsizetype kRead = 64 * 1024;
    // "a,b\r\n" is 5 bytes and "x," 2 more: this many y's put the line's CR on the read's last byte.
    const QByteArray filler(kRead - 1 - 5 - 2, 'y');
    const QByteArray wide(200000, 'z');
    const struct {
        const char* name;
        QByteArray bytes;
        QByteArray second; // line 2's second field
    } cases[] = {
        {"CrLfTorn", "a,b\r\nx," + filler + "\r\n1,2\r\n", filler},
        {"LoneCrAtTheEnd", "a,b\r\nx," + filler + "\r1,2\r", filler},
        {"FieldLongerThanARead", "a,b\nx," + wide + "\n1,2\n", wide},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Read file = read(c.bytes);
        ASSERT_EQ(file.records.size(), 2u);
        EXPECT_EQ(file.records[0].line, 2);
        EXPECT_EQ(file.records[0].fields, QStringList({"x", QString::fromLatin1(c.second)}));
        EXPECT_EQ(file.records[1].line, 3);
        EXPECT_EQ(file.records[1].fields, QStringList({"1", "2"}));
    }
}

// A record beyond 1 MB is dropped and the reading goes on after its first line, so that memory holds no
// more than that: one long line, and a quote left open in a large file.
TEST(CsvReader, RecordsTooLongAreDroppedAndTheReadingGoesOn) {
    const QByteArray longLine = "a,b\nx," + QByteArray(kLongestRecord + 10, 'y') + "\n1,2\n";
    const Read one = read(longLine);
    ASSERT_EQ(one.records.size(), 2u);
    EXPECT_EQ(one.records[0].line, 2);
    EXPECT_EQ(one.records[0].broken, CsvBreak::TooLong);
    EXPECT_TRUE(one.records[0].fields.isEmpty());
    EXPECT_EQ(one.records[1].line, 3);
    EXPECT_EQ(one.records[1].fields, QStringList({"1", "2"}));

    // 300,000 lines of "1,2\n" are 1.2 MB: the quote opened on line 2 runs over the limit.
    QByteArray open = "a,b\n\"x,1\n";
    for (int i = 0; i < 300000; ++i)
        open += "1,2\n";
    const Read quoted = read(open);
    ASSERT_EQ(quoted.records.size(), 300001u);
    EXPECT_EQ(quoted.records[0].broken, CsvBreak::TooLong);
    EXPECT_EQ(quoted.records[0].line, 2);
    EXPECT_EQ(quoted.records[1].line, 3);
    EXPECT_EQ(quoted.records.back().line, 300002);
    EXPECT_EQ(quoted.records.back().broken, CsvBreak::None);

    const Read header = read(QByteArray(kLongestRecord + 1, 'h') + "\n1\n");
    EXPECT_EQ(header.file.headerLine, 0);
    EXPECT_EQ(header.file.headerBroken, CsvBreak::TooLong);
    EXPECT_EQ(header.file.brokenHeaderLine, 1);
    EXPECT_TRUE(header.records.empty());
}

} // namespace
} // namespace vezal
