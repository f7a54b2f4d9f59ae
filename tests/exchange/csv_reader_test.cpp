// Splitting files the way spreadsheets and bookmakers' sites write them, with the line each record
// starts on.
#include "exchange/CsvReader.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace vezal {
namespace {

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
};

class CsvCases : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvCases, RecordsAndTheirLines) {
    const CsvCase& c = GetParam();
    const CsvFile file = readCsv(c.bytes);
    EXPECT_EQ(file.separator, c.separator);
    EXPECT_EQ(file.header, c.header);
    ASSERT_EQ(file.records.size(), c.records.size());
    for (std::size_t i = 0; i < c.records.size(); ++i) {
        EXPECT_EQ(file.records[i].line, c.records[i].line) << "record " << i;
        EXPECT_EQ(file.records[i].fields, c.records[i].fields) << "record " << i;
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
                {{2, {"01/02/2010", "Kartal", "Bolu"}}, {3, {"02/02/2010", "A", "B"}}}},
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
    const CsvFile file = readCsv(bytes);
    EXPECT_EQ(file.encoding, TextEncoding::Windows1254);
    ASSERT_EQ(file.records.size(), 1u);
    EXPECT_EQ(file.records[0].fields, QStringList({"15.08.2009", "Ağrı Dağı", "İğdır Şişli"}));
}

TEST(CsvReader, OnlyTheColumnsAskedForAreDecoded) {
    const CsvFile file = readCsv("a,b,c\n1,2,3\n4,5\n", [](const QStringList& header) {
        EXPECT_EQ(header, QStringList({"a", "b", "c"}));
        return std::vector<bool>{false, true};
    });
    ASSERT_EQ(file.records.size(), 2u);
    EXPECT_EQ(file.records[0].fields, QStringList({"", "2", ""}));
    EXPECT_EQ(file.records[1].fields, QStringList({"", "5"}));
}

TEST(CsvReader, NothingButBlankLinesHasNoHeader) {
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n\r\n"), QByteArray("\xEF\xBB\xBF")}) {
        const CsvFile file = readCsv(bytes);
        EXPECT_EQ(file.headerLine, 0);
        EXPECT_TRUE(file.records.empty());
    }
}

} // namespace
} // namespace vezal
