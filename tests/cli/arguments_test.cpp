// Command lines that must be turned away before anything is read or written, and the typed values.
#include "support/CliHarness.h"

#include "cli/Arguments.h"
#include "cli/Cli.h"
#include "cli/TabOutput.h"

#include <QDir>
#include <QFile>
#include <QVariant>
#include <cctype>
#include <charconv>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <string>

namespace vezal {
namespace {

using testing::ProgramFolder;

struct UsageCase {
    const char* why;
    QStringList args;
};

// Test names and failure messages tell the case by what it is about, not by its bytes.
void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << c.why;
}

std::string caseName(const ::testing::TestParamInfo<UsageCase>& info) {
    std::string name;
    bool upper = true;
    for (const char* c = info.param.why; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            name += upper ? char(std::toupper(static_cast<unsigned char>(*c))) : *c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

class UsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, ExitTwoWithUsageAndTouchNothing) {
    ProgramFolder folder;
    const auto result = folder.run(GetParam().args);
    EXPECT_EQ(result.code, kExitUsage);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("Kullanım: vezal-cli"))) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("vezal-cli --help")));
    EXPECT_EQ(folder.leagueFileBytes(), QByteArray());
    EXPECT_FALSE(QFile::exists(folder.file("Fvt")));
}

const UsageCase kUsageCases[] = {
    {"no command", {}},
    {"--dir without its folder", {"--dir"}},
    {"unknown global option", {"--verbose", "leagues"}},
    {"unknown command", {"frobnicate"}},
    {"command names keep their case", {"Leagues"}},
    {"leagues takes nothing", {"leagues", "extra"}},
    {"add-league needs a name", {"add-league"}},
    {"add-team too few", {"add-team", "Lig", "Takım"}},
    {"add-team too many", {"add-team", "Lig", "Takım", "5", "6"}},
    {"points with a minus sign", {"add-team", "Lig", "Takım", "-3"}},
    {"points with two separators", {"add-team", "Lig", "Takım", "5,5,5"}},
    {"points in words", {"add-team", "Lig", "Takım", "beş"}},
    {"day that does not exist", {"add-result", "Lig", "31.02.2009", "A", "B", "1", "0"}},
    {"date with slashes", {"add-result", "Lig", "2009/08/15", "A", "B", "1", "0"}},
    {"date without leading zero", {"add-result", "Lig", "5.8.2009", "A", "B", "1", "0"}},
    {"home goals not a digit", {"add-result", "Lig", "15.08.2009", "A", "B", "x", "0"}},
    {"away goals negative", {"add-result", "Lig", "15.08.2009", "A", "B", "1", "-1"}},
    {"add-result one short", {"add-result", "Lig", "15.08.2009", "A", "B", "1"}},
    {"--from without its date", {"results", "Lig", "--from"}},
    {"--from not a date", {"results", "Lig", "--from", "dün"}},
    {"option of another command", {"results", "Lig", "--team", "A"}},
    {"table side unknown", {"table", "middle", "Lig"}},
    {"table without league", {"table", "home"}},
    {"--home without --team", {"history", "Lig", "--home"}},
    {"--home and --away together", {"history", "Lig", "--team", "A", "--home", "--away"}},
    {"flag given a value", {"history", "Lig", "--team", "A", "--home=1"}},
    {"option given twice", {"history", "Lig", "--team", "A", "--team", "B"}},
    {"--help after -- is an argument", {"rows", "--", "--help"}},
    {"a day of the year 1", {"results", "Lig", "--from", "01.01.0001"}},
    {"a day of the year 9999", {"add-result", "Lig", "9999-12-31", "A", "B", "1", "0"}},
    {"a day before 1900", {"track-record", "Lig", "--to", "31.12.1899"}},
    {"a selection number past 32 bits", {"bet", "void", "1", "4294967297"}},
    {"a bet number past 64 bits", {"bet", "delete", "99999999999999999999"}},
    {"a bet number with a sign", {"bet", "void", "-1"}},
    {"an infinite stake", {"bet", "add", "--stake", "inf", "T1|15.09.2024|A|B|1|2.0"}},
    {"odds above a thousand", {"bet", "add", "--stake", "5", "T1|15.09.2024|A|B|1|1000.01"}},
    {"a bankroll above a milliard", {"bet", "bankroll", "1000000001"}},
};

INSTANTIATE_TEST_SUITE_P(Cli, UsageErrors, ::testing::ValuesIn(kUsageCases), caseName);

TEST(Help, ExplainsEveryCommandWhereverAsked) {
    ProgramFolder folder;
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"-h"}, QStringList{"rows", "--help"},
                                    QStringList{"--dir", "/nowhere", "add-team", "--help"}}) {
        const auto result = folder.run(args);
        EXPECT_EQ(result.code, kExitOk) << args.join(' ').toStdString();
        EXPECT_TRUE(result.err.isEmpty());
        EXPECT_EQ(result.out, helpText());
    }
    for (const char* command : {"init", "leagues", "add-league", "delete-league", "teams", "add-team",
                                "delete-team", "add-result", "results", "table home|away", "history", "rows"})
        EXPECT_TRUE(helpText().contains(QLatin1String("  ") + QLatin1String(command))) << command;
    // The bounds a command line is held to are written where a user looks for them.
    for (const char* bound :
         {"en fazla 999 seçim", "1000000000 (1 milyar)", "01.01.1900 ile", "31.12.2100", "1 ile 999 arası"})
        EXPECT_TRUE(helpText().contains(QString::fromUtf8(bound))) << bound;
}

TEST(Failures, MissingFilesAndFoldersExitThree) {
    ProgramFolder folder(ProgramFolder::Start::Bare);
    ASSERT_TRUE(QDir(folder.path()).mkdir("Fvt")); // a data folder whose league list is gone
    const QString missing = folder.file("yok");
    const struct {
        QStringList args;
        const char* mentions;
    } cases[] = {
        {{"--dir", missing, "rows"}, "yok"},
        {{QStringLiteral("--dir=") + missing, "leagues"}, "yok"},
        {{"leagues"}, "klasman.dat"},
        {{"add-team", "Lig", "Takım", "5"}, "klasman.dat"},
        {{"add-result", "Lig", "15.08.2009", "A", "B", "1", "0"}, "klasman.dat"},
        {{"delete-league", "Lig"}, "klasman.dat"},
    };
    for (const auto& c : cases) {
        const auto result = folder.run(c.args);
        EXPECT_EQ(result.code, kExitFailure) << c.args.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(QLatin1String(c.mentions))) << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.file("klasman.dat")));
    EXPECT_FALSE(QFile::exists(missing));
}

// A mistyped --dir must not become a new, empty data folder.
TEST(Failures, AFolderWithoutVezalDataIsRefusedUntilInit) {
    ProgramFolder parent(ProgramFolder::Start::Bare);
    const QString typo = parent.file("yazim-hatasi");
    const QString blank = parent.file("iki kelime");
    ASSERT_TRUE(QDir().mkpath(typo));
    ASSERT_TRUE(QDir().mkpath(blank));
    const struct {
        QString folder;
        QString hint; // as a shell takes it back
    } folders[] = {{typo, typo}, {blank, "'" + blank + "'"}};
    for (const auto& f : folders) {
        for (const QStringList& args :
             {QStringList{"rows"}, QStringList{"teams", "Lig"}, QStringList{"add-league", "Lig"},
              QStringList{"add-team", "Lig", "Takım", "5"}, QStringList{"leagues"}}) {
            const auto result = parent.run(QStringList{"--dir", f.folder} + args);
            EXPECT_EQ(result.code, kExitFailure) << args.join(' ').toStdString();
            EXPECT_TRUE(result.out.isEmpty());
            EXPECT_EQ(result.err,
                      QStringLiteral("\"%1\" klasöründe Vezal verisi yok; yeni bir veri klasörü için: "
                                     "vezal-cli --dir %2 init\n")
                          .arg(f.folder, f.hint));
        }
        EXPECT_TRUE(QDir(f.folder).isEmpty()) << "a refused folder got files";
    }

    // init makes an empty data folder, also where there was no folder at all.
    const QString made = parent.file("yeni/veri");
    for (const QString& folder : {typo, made}) {
        const auto init = parent.run({"--dir", folder, "init"});
        EXPECT_EQ(init.code, kExitOk) << init.err.toStdString();
        EXPECT_TRUE(init.out.isEmpty() && init.err.isEmpty());
        QFile list(folder + "/klasman.dat");
        ASSERT_TRUE(list.open(QIODevice::ReadOnly));
        EXPECT_EQ(list.size(), 0);
        EXPECT_EQ(parent.run({"--dir", folder, "rows"}).out,
                  "Sr\tTur\tKlas\tTarih\tEtkm\tMtkm\tOyun\tEa\tEy\tMa\tMy\tEtp\tMtp\tErakip\tMrakip\n");
    }
}
TEST(Failures, CorruptDatabaseExitsThreeAndStaysAsItWas) {
    ProgramFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("Fvt"));
    const QByteArray garbage(4096, 'x');
    {
        QFile file(folder.file("Fvt/Liste.DB"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    const auto result = folder.run({"rows"});
    EXPECT_EQ(result.code, kExitFailure);
    EXPECT_FALSE(result.err.isEmpty());
    QFile file(folder.file("Fvt/Liste.DB"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

TEST(TypedValues, DatesInEitherForm) {
    const struct {
        const char* text;
        QDate day;
    } cases[] = {
        {"15.08.2009", {2009, 8, 15}},
        {"2009-08-15", {2009, 8, 15}},
        {"29.02.2012", {2012, 2, 29}},
        {"02.01.2008", {2008, 1, 2}},
        {"29.02.2009", {}},
        {"2009-13-01", {}},
        {"15.08.09", {}},
        {"15-08-2009", {}},
        {"2009-08-15\n", {}},
        {"", {}},
        {"١٥.٠٨.٢٠٠٩", {}},
    };
    for (const auto& c : cases) {
        const std::optional<QDate> day = parseDay(QString::fromUtf8(c.text));
        EXPECT_EQ(day.value_or(QDate()), c.day) << c.text;
    }
}

TEST(TypedValues, PointsAndScoresAsTheBoxesHoldThem) {
    const struct {
        const char* text;
        std::optional<QString> box;
    } points[] = {
        {"7", "7"}, {"7,5", "7,5"}, {"7.5", "7,5"},  {",", ","}, {"", ""},  {".25", ",25"},
        {"-1", {}}, {"1e3", {}},    {"1.000,5", {}}, {" 5", {}}, {"٥", {}},
    };
    for (const auto& c : points)
        EXPECT_EQ(pointsBoxText(QString::fromUtf8(c.text)), c.box) << c.text;

    for (const char* score : {"0", "9", "", "12"})
        EXPECT_TRUE(isScoreBoxText(QString::fromUtf8(score))) << score;
    for (const char* score : {"x", "-1", "1 ", "٣"})
        EXPECT_FALSE(isScoreBoxText(QString::fromUtf8(score))) << score;
}

TEST(Output, RealsReadBackExactlyWithAPoint) {
    std::mt19937_64 random(20080102);
    std::uniform_real_distribution<double> rating(-4.0, 8.0);
    std::vector<double> values = {0.1, -0.056, 3.57, 0.1848, 1e-17, -0.0, 1234.5, 2.0 / 3.0};
    for (int i = 0; i < 2000; ++i)
        values.push_back(rating(random));
    for (double value : values) {
        const std::string text = formatReal(value).toStdString();
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        double back = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_EQ(ec, std::errc()) << text;
        EXPECT_EQ(end, text.data() + text.size()) << text;
        EXPECT_EQ(std::signbit(back), std::signbit(value));
        EXPECT_EQ(back, value) << text;
    }
    EXPECT_EQ(formatReal(3.57), "3.57");
    EXPECT_EQ(formatReal(-0.056), "-0.056");
    EXPECT_EQ(formatReal(2.0), "2");
}

TEST(Output, CellsOfEachKind) {
    EXPECT_EQ(formatCell(QVariant()), "");
    EXPECT_EQ(formatCell(QVariant(QMetaType::fromType<double>())), "");
    EXPECT_EQ(formatCell(QDate(2009, 8, 5)), "2009-08-05");
    EXPECT_EQ(formatCell(qlonglong(-3)), "-3");
    EXPECT_EQ(formatCell(0.30000000000000004), "0.30000000000000004");
    EXPECT_EQ(formatCell(QStringLiteral("İzmir")), "İzmir");
}

} // namespace
} // namespace vezal
