// Which lines of a results or fixture file can be used, and the words for the others.
#include "exchange/MatchFile.h"

#include "store/StoreError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vezal {
namespace {

// Any day will do where the dates are far from the ends of the range.
const QDate kToday(2025, 3, 1);

MatchFileReading results(const QByteArray& bytes, const QDate& today = kToday) {
    return readMatchFile(bytes, MatchFileKind::Results, today);
}

// One data line under a fixed header, read as a results file.
struct LineCase {
    const char* name;
    QByteArray line;
    QString reason; // empty: the line is used
};

class ResultLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(ResultLines, ReasonOrUse) {
    const LineCase& c = GetParam();
    const MatchFileReading reading = results("Date,HomeTeam,AwayTeam,FTHG,FTAG\n" + c.line + "\n");
    ASSERT_FALSE(reading.refusal);
    if (c.reason.isEmpty()) {
        EXPECT_TRUE(reading.rejected.empty()) << reading.rejected.lines().front().reason.toStdString();
        EXPECT_EQ(reading.rows.size(), 1u);
        return;
    }
    EXPECT_TRUE(reading.rows.empty());
    ASSERT_EQ(reading.rejected.count(), 1);
    EXPECT_EQ(reading.rejected.lines()[0].line, 2);
    EXPECT_EQ(reading.rejected.lines()[0].reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, ResultLines,
    ::testing::Values(LineCase{"Used", "02/01/2008,Kartal,Bolu,0,99", ""},
                      LineCase{"NotADate", "31/02/2010,Kartal,Bolu,1,0", "Tarih okunamadı: \"31/02/2010\""},
                      LineCase{"NoDateAtAll", ",Kartal,Bolu,1,0", "Tarih okunamadı: \"\""},
                      LineCase{"BeforeTheCutOff", "01.01.2008,Kartal,Bolu,1,0",
                               "01.01.2008 ve Önceki Tarihlere Giriş Yapamazsınız  ... "},
                      LineCase{"GoalsNotWhole", "02/01/2008,Kartal,Bolu,1.5,0",
                               "Goller 0 ile 99 arasında tam sayı olmalı: \"1.5\" - \"0\""},
                      LineCase{"GoalsAbove99", "02/01/2008,Kartal,Bolu,100,0",
                               "Goller 0 ile 99 arasında tam sayı olmalı: \"100\" - \"0\""},
                      LineCase{"GoalsNegative", "02/01/2008,Kartal,Bolu,1,-1",
                               "Goller 0 ile 99 arasında tam sayı olmalı: \"1\" - \"-1\""},
                      LineCase{"GoalsMissing", "02/01/2008,Kartal,Bolu,,",
                               "Goller 0 ile 99 arasında tam sayı olmalı: \"\" - \"\""},
                      LineCase{"SameTeam", "02/01/2008,Kartal,Kartal,1,0",
                               "Ev sahibi ve misafir takım aynı: Kartal"},
                      LineCase{"SameTeamInOtherLetters", "02/01/2008,Kartal,KARTAL,1,0",
                               "Ev sahibi ve misafir takım aynı: Kartal"},
                      LineCase{"EmptyHome", "02/01/2008,  ,Bolu,1,0", "Takım adı boş"},
                      LineCase{"EmptyAway", "02/01/2008,Bolu,\"\",1,0", "Takım adı boş"},
                      LineCase{"OutsideTheCodePage", "02/01/2008,Kartal,Bolu \u0141,1,0",
                               "Takım adında Türkçe kod sayfasında olmayan bir karakter var: Bolu \u0141"},
                      // Shown written out: a raw line break would forge a line of the output.
                      LineCase{"LineBreakInAName", "02/01/2008,\"Kar\ntal\",Bolu,1,0",
                               "Takım adında satır sonu ya da kontrol karakteri var: Kar\\ntal"},
                      LineCase{"TabInAName", "02/01/2008,Kartal,\"Bo\tlu\",1,0",
                               "Takım adında satır sonu ya da kontrol karakteri var: Bo\\tlu"},
                      LineCase{"NulInAName", QByteArray("02/01/2008,Kar\0tal,Bolu,1,0", 27),
                               "Takım adında satır sonu ya da kontrol karakteri var: Kar\\0tal"},
                      LineCase{"EscapeInAName", "02/01/2008,Kartal,Bolu\x1b[2J,1,0",
                               "Takım adında satır sonu ya da kontrol karakteri var: Bolu\\x1b[2J"},
                      LineCase{"LineBreakInTheDate", "\"02/01\n/2008\",Kartal,Bolu,1,0",
                               "Tarih okunamadı: \"02/01\\n/2008\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatchFile, DateFormats) {
    const MatchFileReading reading = results("Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                                             "15/08/09,A,B,1,0\n"
                                             "15/08/2009,A,C,1,0\n"
                                             "15.08.2009,A,D,1,0\n"
                                             "2009-08-15,A,E,1,0\n"
                                             "5/8/2009,A,F,1,0\n"
                                             "15.08.09,A,G,1,0\n");
    ASSERT_EQ(reading.rows.size(), 5u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(reading.rows[i].day, QDate(2009, 8, 15)) << i;
    EXPECT_EQ(reading.rows[4].day, QDate(2009, 8, 5));
    ASSERT_EQ(reading.rejected.count(), 1); // a two-digit year only with slashes
    EXPECT_EQ(reading.rejected.lines()[0].line, 7);
}

TEST(MatchFile, ColumnsByAnyOfTheirNamesInAnyOrder) {
    const QByteArray files[] = {
        "Div,HomeTeam,Date,Referee,AwayTeam,FTAG,FTHG\nT1,Kartal,15/08/2009,X,Bolu,1,3\n",
        "Home;Away;HG;AG;Date\nKartal;Bolu;3;1;15/08/2009\n",
        "HT\tAT\tDate\tFTHG\tFTAG\nKartal\tBolu\t15/08/2009\t3\t1\n",
        "tarih;ev sahibi;misafir;ev gol;misafir gol\n15.08.2009;Kartal;Bolu;3;1\n",
    };
    for (const QByteArray& bytes : files) {
        const MatchFileReading reading = results(bytes);
        ASSERT_FALSE(reading.refusal) << reading.refusal->toStdString();
        ASSERT_EQ(reading.rows.size(), 1u) << bytes.toStdString();
        const MatchLine& row = reading.rows[0];
        EXPECT_EQ(row.day, QDate(2009, 8, 15));
        EXPECT_EQ(row.home, "Kartal");
        EXPECT_EQ(row.away, "Bolu");
        EXPECT_EQ(row.homeGoals, 3);
        EXPECT_EQ(row.awayGoals, 1);
        EXPECT_EQ(row.line, 2);
    }
}

TEST(MatchFile, FileRefusals) {
    const struct {
        QByteArray bytes;
        QString refusal;
    } cases[] = {
        {"", "Dosya boş: başlık satırı bulunamadı  ... "},
        {"\r\n  \r\n", "Dosya boş: başlık satırı bulunamadı  ... "},
        {"HomeTeam,AwayTeam,FTHG,FTAG\n",
         "Dosyanın başlık satırında şu sütunlar yok: tarih (Date ya da Tarih)  ... "},
        {"Date,Away,FTHG\n",
         "Dosyanın başlık satırında şu sütunlar yok: ev sahibi takım (HomeTeam, Home, HT ya da Ev Sahibi), "
         "misafir golü (FTAG, AG ya da Misafir Gol)  ... "},
        {"Date,HomeTeam,AwayTeam\n15/08/2009,A,B\n",
         "Dosyanın başlık satırında şu sütunlar yok: ev sahibi golü (FTHG, HG ya da Ev Gol), misafir golü "
         "(FTAG, AG ya da Misafir Gol)  ... "},
    };
    for (const auto& c : cases) {
        const MatchFileReading reading = results(c.bytes);
        ASSERT_TRUE(reading.refusal) << c.bytes.toStdString();
        EXPECT_EQ(*reading.refusal, c.refusal);
        EXPECT_TRUE(reading.rows.empty());
    }
}

TEST(MatchFile, AHeaderAloneHasNoLines) {
    const MatchFileReading reading = results("Date,HomeTeam,AwayTeam,FTHG,FTAG\r\n");
    EXPECT_FALSE(reading.refusal);
    EXPECT_TRUE(reading.rows.empty());
    EXPECT_TRUE(reading.rejected.empty());
}

// Names are cut to 20 characters in the table: two names alike in those would become one team.
TEST(MatchFile, NamesAlikeInTheirFirstTwentyCharactersCollide) {
    const MatchFileReading reading = results("Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                                             "15/08/2009,Kocaeli Birlik Spor A,Bolu,1,0\n"
                                             "15/08/2009,Bolu,Kocaeli Birlik Spor B,1,0\n"
                                             "16/08/2009,kocaeli birlik spor a,Sivas,1,0\n");
    ASSERT_EQ(reading.rejected.count(), 1);
    EXPECT_EQ(reading.rejected.lines()[0].line, 3);
    EXPECT_EQ(reading.rejected.lines()[0].reason,
              "\"Kocaeli Birlik Spor B\" adının ilk 20 karakteri \"Kocaeli Birlik Spor "
              "A\" adınınkiyle aynı; tabloda tek takım olurlar");
    // The same name in other letters is the same team, spelt as the file first spelt it.
    ASSERT_EQ(reading.rows.size(), 2u);
    EXPECT_EQ(reading.rows[1].home, "Kocaeli Birlik Spor A");
}

TEST(MatchFile, OddsFromTheFirstCompleteTripleAboveOne) {
    const MatchFileReading reading =
        results("Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,AvgH,AvgD,AvgA,PSH,PSD\n"
                "15/08/2009,A,B,1,0,2.1,3.2,3.5,2.05,3.1,3.4,9,9\n" // averages first
                "15/08/2009,C,D,1,0,2.1,3.2,3.5,2.05,,3.4,9,9\n"    // averages incomplete: Bet365
                "15/08/2009,E,F,1,0,1.0,3.2,3.5,,,,9,9\n"           // 1.0 pays nothing back: none
                "15/08/2009,G,H,1,0,\"2,5\",3,4,,,,,\n");           // a decimal comma
    ASSERT_EQ(reading.rows.size(), 4u);
    ASSERT_TRUE(reading.rows[0].odds);
    EXPECT_EQ(reading.rows[0].odds->home, 2.05);
    EXPECT_EQ(reading.rows[0].odds->draw, 3.1);
    EXPECT_EQ(reading.rows[0].odds->away, 3.4);
    ASSERT_TRUE(reading.rows[1].odds);
    EXPECT_EQ(reading.rows[1].odds->home, 2.1);
    EXPECT_FALSE(reading.rows[2].odds);
    ASSERT_TRUE(reading.rows[3].odds);
    EXPECT_EQ(reading.rows[3].odds->home, 2.5);
}

TEST(MatchFile, FixturesNeedNoGoalsAndLeaveTheTeamsToThePrediction) {
    QStringEncoder encoder("windows-1254");
    const QByteArray bytes = encoder.encode(QStringLiteral("Tarih;Ev Sahibi;Misafir;Oran 1;Oran 0;Oran 2\r\n"
                                                           "05.09.2009;Gölcük;Iğdır;1,8;3,3;4,2\r\n"
                                                           "05.09.2009;Sivas;Sivas;;;\r\n"
                                                           "yarın;Sivas;Bolu;;;\r\n"
                                                           "06.09.2009;Bolu;Gölcük;;;\r\n"));
    const MatchFileReading reading = readMatchFile(bytes, MatchFileKind::Fixtures, kToday);
    ASSERT_FALSE(reading.refusal);
    ASSERT_EQ(reading.rows.size(), 3u);
    EXPECT_EQ(reading.rows[0].home, "Gölcük");
    EXPECT_EQ(reading.rows[0].away, "Iğdır");
    EXPECT_EQ(reading.rows[0].odds->away, 4.2);
    EXPECT_EQ(reading.rows[1].away, "Sivas");
    // Running numbers count every data line, the rejected one too.
    EXPECT_EQ(reading.rows[0].number, 1);
    EXPECT_EQ(reading.rows[1].number, 2);
    EXPECT_EQ(reading.rows[2].number, 4);
    ASSERT_EQ(reading.rejected.count(), 1);
    EXPECT_EQ(reading.rejected.lines()[0].line, 4);
}

// A fixture's pairing is the prediction's to judge, but a name with a control character would break every
// line it is written on: such a line is left out, the name shown with the character written out.
TEST(MatchFile, AFixtureNameWithAControlCharacterIsRejected) {
    const QByteArray bytes = "Date,HomeTeam,AwayTeam\r\n"
                             "05/09/2009,\"Bo\tlu\",Sivas\r\n"
                             "05/09/2009,Rize,Sivas\x1b\r\n"
                             "05/09/2009,Rize,Bolu\r\n";
    const MatchFileReading reading = readMatchFile(bytes, MatchFileKind::Fixtures, kToday);
    ASSERT_FALSE(reading.refusal);
    ASSERT_EQ(reading.rows.size(), 1u);
    EXPECT_EQ(reading.rows[0].home, "Rize");
    const std::vector<RejectedLine>& rejected = reading.rejected.lines();
    ASSERT_EQ(rejected.size(), 2u);
    EXPECT_EQ(rejected[0].line, 2);
    EXPECT_EQ(rejected[0].reason,
              QString::fromUtf8("Takım adında satır sonu ya da kontrol karakteri var: Bo\\tlu"));
    EXPECT_EQ(rejected[1].line, 3);
    EXPECT_EQ(rejected[1].reason,
              QString::fromUtf8("Takım adında satır sonu ya da kontrol karakteri var: Sivas\\x1b"));
}

// Two-digit years, the first and last days taken, and a time of day after the date. Each case gives the
// day the program believes is today; "next year" is worked out from it by hand.
TEST(MatchFile, DatesFromNineteenNinetyThreeToNextYear) {
    const QString early = QStringLiteral("01.01.2008 ve Önceki Tarihlere Giriş Yapamazsınız  ... ");
    const struct {
        const char* date;
        QDate today;
        QDate day;      // the day read, when the line is used
        QString reason; // otherwise
    } cases[] = {
        // football-data's files of the 1990s: 95 is 1995, before the ratings begin.
        {"11/08/95", {2025, 3, 1}, {}, early},
        {"20/05/00", {2025, 3, 1}, {}, early},
        {"15/08/09", {2025, 3, 1}, {2009, 8, 15}, {}},
        // 26 is next year seen from 2025, so 2026; 27 is not, so 1927.
        {"15/08/26", {2025, 3, 1}, {2026, 8, 15}, {}},
        {"15/08/27", {2025, 3, 1}, {}, early},
        {"15/08/27", {2026, 1, 1}, {2027, 8, 15}, {}},
        {"01/01/08", {2025, 3, 1}, {}, early},
        {"02/01/08", {2025, 3, 1}, {2008, 1, 2}, {}},
        // Four-digit years up to the end of next year.
        {"31/12/2026", {2025, 3, 1}, {2026, 12, 31}, {}},
        {"01/01/2027",
         {2025, 3, 1},
         {},
         QStringLiteral("İleri tarih: 01.01.2027; en geç 2026 yılının maçları alınır")},
        {"9999-12-31",
         {2025, 3, 1},
         {},
         QStringLiteral("İleri tarih: 31.12.9999; en geç 2026 yılının maçları alınır")},
        // A time of day is no part of the day.
        {"2019-08-09 19:00:00", {2025, 3, 1}, {2019, 8, 9}, {}},
        {"09/08/2019 20:00", {2025, 3, 1}, {2019, 8, 9}, {}},
        {"2019-08-09T19:00", {2025, 3, 1}, {2019, 8, 9}, {}},
        {"09/08/2019 akşam", {2025, 3, 1}, {}, QStringLiteral("Tarih okunamadı: \"09/08/2019 akşam\"")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " seen from " + c.today.toString(Qt::ISODate).toStdString());
        const MatchFileReading reading = results(
            "Date,HomeTeam,AwayTeam,FTHG,FTAG\n\"" + QByteArray(c.date) + "\",Kartal,Bolu,1,0\n", c.today);
        if (c.reason.isEmpty()) {
            ASSERT_EQ(reading.rows.size(), 1u);
            EXPECT_EQ(reading.rows[0].day, c.day);
        } else {
            EXPECT_TRUE(reading.rows.empty());
            ASSERT_EQ(reading.rejected.count(), 1);
            EXPECT_EQ(reading.rejected.lines()[0].reason, c.reason);
        }
    }
}

// A value that is no odds leaves the line's odds out with a note; the result is taken all the same.
TEST(MatchFile, OddsOutsideTheRuleAreNotedAndTheResultKept) {
    const struct {
        const char* odds; // home, draw, away as the file has them
        std::optional<double> home;
        const char* note; // the value named, or none
    } cases[] = {
        {"1.44,3.6,7", 1.44, nullptr}, {"\"1,44\",\"3,6\",7", 1.44, nullptr},
        {"1e308,3.6,7", {}, "1e308"},  {"0,3.6,7", {}, "0"},
        {"1.0,3.6,7", {}, "1.0"},      {"2.1,abc,7", {}, "abc"},
        {"2.1,3.6,NaN", {}, "NaN"},    {"2.1,3.6,1000.5", {}, "1000.5"},
        {",,", {}, nullptr}, // no odds at all is no fault
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.odds);
        const MatchFileReading reading =
            results("Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\n15/08/2009,A,B,2,1," +
                    QByteArray(c.odds) + "\n");
        EXPECT_TRUE(reading.rejected.empty());
        ASSERT_EQ(reading.rows.size(), 1u);
        EXPECT_EQ(reading.rows[0].homeGoals, 2);
        EXPECT_EQ(reading.rows[0].odds ? std::optional<double>(reading.rows[0].odds->home) : std::nullopt,
                  c.home);
        if (!c.note) {
            EXPECT_TRUE(reading.notes.empty());
            continue;
        }
        ASSERT_EQ(reading.notes.count(), 1);
        EXPECT_EQ(reading.notes.lines()[0].line, 2);
        EXPECT_EQ(
            reading.notes.lines()[0].reason,
            QStringLiteral("Oran geçersiz: \"%1\"; maç oransız alındı").arg(QString::fromLatin1(c.note)));
    }
}

// A file cut off inside its last line leaves a line of its first fields without a line end: Leicester -
// Everton with 1 home shot for 12. Such a last line is rejected; a short line that ends, or one that only
// lacks fields under empty header names, is a line like any other.
TEST(MatchFile, ALastLineShorterThanTheHeaderIsCutOff) {
    const QByteArray header = "Date,HomeTeam,AwayTeam,FTHG,FTAG,HS,AS\r\n";
    const QByteArray whole = "22/02/2025,Arsenal,Chelsea,1,0,10,8\r\n";
    const struct {
        const char* name;
        QByteArray bytes;
        std::vector<int> usedLines;
        QString reason; // of line 3; empty: none rejected
    } cases[] = {
        {"CutInTheShots",
         header + whole + "22/02/2025,Leicester,Everton,0,4,1",
         {2},
         "Satır yarım: başlıkta 7 sütun var, satırda 6; dosya bu satırda kesilmiş"},
        {"CutAfterAComma",
         header + whole + "22/02/2025,Leicester,",
         {2},
         "Satır yarım: başlıkta 7 sütun var, satırda 3; dosya bu satırda kesilmiş"},
        {"ShortLastLineThatEnds",
         header + whole + "22/02/2025,Leicester,Everton,0,4\r\n\r\n,,\r\n",
         {2, 3},
         ""},
        {"ShortLineInTheMiddle", header + "22/02/2025,Leicester,Everton,0,4\r\n" + whole, {2, 3}, ""},
        {"EmptyHeaderNamesAtTheEnd", "Date,HomeTeam,AwayTeam,FTHG,FTAG,,\r\n" + whole.left(30), {2}, ""},
        {"WholeWithoutALineEnd", header + whole + "22/02/2025,Leicester,Everton,0,4,12,9", {2, 3}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MatchFileReading reading = results(c.bytes);
        ASSERT_FALSE(reading.refusal);
        std::vector<int> used;
        for (const MatchLine& row : reading.rows)
            used.push_back(row.line);
        EXPECT_EQ(used, c.usedLines);
        if (c.reason.isEmpty()) {
            EXPECT_TRUE(reading.rejected.empty());
            continue;
        }
        ASSERT_EQ(reading.rejected.count(), 1);
        EXPECT_EQ(reading.rejected.lines()[0].line, 3);
        EXPECT_EQ(reading.rejected.lines()[0].reason, c.reason);
    }
}

// Later lines of one match (day, teams in any letter case, code) are kept as their line and score on the
// first line's row, so that a file of one line repeated holds one row.
TEST(MatchFile, LaterLinesOfAMatchGoWithItsFirstRow) {
    const MatchFileReading reading = results("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                                             "T1,15/08/2009,Kartal,Bolu,2,1\n"   // 2
                                             "T1,15/08/2009,KARTAL,Bolu,1,1\n"   // 3: line 2 again
                                             "T1,16/08/2009,Kartal,Bolu,2,1\n"   // 4: another day
                                             "E0,15/08/2009,Kartal,Bolu,2,1\n"   // 5: another code
                                             "T1,15/08/2009,Kartal,Bolu,0,3\n"); // 6: line 2 again
    std::vector<int> used;
    for (const MatchLine& row : reading.rows)
        used.push_back(row.line);
    EXPECT_EQ(used, (std::vector<int>{2, 4, 5}));
    ASSERT_EQ(reading.rows[0].repeats.size(), 2u);
    EXPECT_EQ(reading.rows[0].repeats[0].line, 3);
    EXPECT_EQ(reading.rows[0].repeats[0].homeGoals, 1);
    EXPECT_EQ(reading.rows[0].repeats[0].awayGoals, 1);
    EXPECT_EQ(reading.rows[0].repeats[1].line, 6);
    EXPECT_EQ(reading.rows[0].repeats[1].homeGoals, 0);
    EXPECT_EQ(reading.rows[0].repeats[1].awayGoals, 3);
    EXPECT_TRUE(reading.rows[1].repeats.empty());
    EXPECT_TRUE(reading.rows[2].repeats.empty());
}

// Every line left out is counted; the first thousand by line keep their reasons, in whatever order they
// came.
TEST(MatchFile, LineNotesCountAllAndKeepTheFirstThousand) {
    const auto lineNumbers = [](const LineNotes& notes) {
        std::vector<int> lines;
        for (const RejectedLine& line : notes.lines())
            lines.push_back(line.line);
        return lines;
    };
    std::vector<int> first(1000);
    for (int i = 0; i < 1000; ++i)
        first[std::size_t(i)] = i + 1; // 1 .. 1000

    LineNotes rising, falling, shuffled;
    for (int line = 1; line <= 2500; ++line) {
        rising.add(line, QStringLiteral("r"));
        falling.add(2501 - line, QStringLiteral("f"));
        shuffled.add(line * 7 % 2501, QStringLiteral("s")); // 7 is prime to 2501: each of 1 .. 2500 once
    }
    for (const LineNotes* notes : {&rising, &falling, &shuffled}) {
        EXPECT_EQ(notes->count(), 2500);
        EXPECT_EQ(lineNumbers(*notes), first);
    }
    // Two lists in one: the first thousand of both.
    LineNotes odd, even;
    for (int line = 1; line <= 1500; line += 2)
        odd.add(line, QStringLiteral("o"));
    for (int line = 2; line <= 3000; line += 2)
        even.add(line, QStringLiteral("e"));
    odd.add(even);
    EXPECT_EQ(odd.count(), 750 + 1500);
    EXPECT_EQ(odd.lines().front().reason, QStringLiteral("o"));
    EXPECT_EQ(odd.lines()[1].reason, QStringLiteral("e"));
    EXPECT_EQ(lineNumbers(odd), first);

    // A file of 5,000 bad lines (lines 2 .. 5001).
    QByteArray bad = "Date,HomeTeam,AwayTeam,FTHG,FTAG\n";
    for (int i = 0; i < 5000; ++i)
        bad += "yarın,Kartal,Bolu,1,0\n";
    const MatchFileReading reading = results(bad);
    EXPECT_EQ(reading.rejected.count(), 5000);
    ASSERT_EQ(reading.rejected.lines().size(), 1000u);
    EXPECT_EQ(reading.rejected.lines().back().line, 1001);
}

// Whole files that used to lose lines without a word or be refused: where each line went.
TEST(MatchFile, QuotesLeftOpenAndUtf16) {
    const QByteArray plain = "Date,HomeTeam,AwayTeam,FTHG,FTAG\r\n"
                             "15/08/2009,Kartal,Bolu,1,0\r\n"
                             "16/08/2009,Sivas,Çorum,2,2\r\n";
    QStringEncoder littleEndian(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QStringEncoder bigEndian(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    const struct {
        const char* name;
        QByteArray bytes;
        std::vector<int> usedLines;
        std::vector<int> rejectedLines;
        std::optional<QString> refusal;
    } cases[] = {
        {"Utf16LittleEndian", littleEndian.encode(QString::fromUtf8(plain)), {2, 3}, {}, {}},
        {"Utf16BigEndian", bigEndian.encode(QString::fromUtf8(plain)), {2, 3}, {}, {}},
        // Line 3 opens a quote that never closes: it is dropped, lines 4 and 5 are read.
        {"QuoteLeftOpen",
         "Date,HomeTeam,AwayTeam,FTHG,FTAG\n15/08/2009,A,B,1,0\n16/08/2009,\"C,D,1,0\n17/08/2009,E,F,1,0\n"
         "18/08/2009,G,H,1,0\n",
         {2, 4, 5},
         {3},
         {}},
        // Two of them, the last on the last line without its line end.
        {"TwoQuotesLeftOpen",
         "Date,HomeTeam,AwayTeam,FTHG,FTAG\n\"15/08/2009,A,B,1,0\n16/08/2009,C,D,1,0\n17/08/2009,E,\"F,1,0",
         {3},
         {2, 4},
         {}},
        // A quoted name over two lines is no fault.
        {"QuotedLineBreakClosed",
         "Date,HomeTeam,AwayTeam,FTHG,FTAG,Note\n15/08/2009,A,B,1,0,\"x\ny\"\n16/08/2009,C,D,1,0\n",
         {2, 4},
         {},
         {}},
        {"QuoteLeftOpenInTheHeader",
         "Date,\"HomeTeam,AwayTeam,FTHG,FTAG\n15/08/2009,A,B,1,0\n",
         {},
         {},
         QStringLiteral("Başlık satırında kapanmayan tırnak var (satır 1): dosya okunamadı  ... ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MatchFileReading reading = results(c.bytes);
        EXPECT_EQ(reading.refusal, c.refusal);
        std::vector<int> used, rejected;
        for (const MatchLine& row : reading.rows)
            used.push_back(row.line);
        for (const RejectedLine& line : reading.rejected.lines()) {
            rejected.push_back(line.line);
            EXPECT_EQ(line.reason, QStringLiteral("Kapanmayan tırnak: satır okunmadı"));
        }
        EXPECT_EQ(used, c.usedLines);
        EXPECT_EQ(rejected, c.rejectedLines);
    }
    QStringEncoder withMark(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const MatchFileReading utf16 = results(withMark.encode(QString::fromUtf8(plain)));
    ASSERT_EQ(utf16.rows.size(), 2u);
    EXPECT_EQ(utf16.rows[1].away, QStringLiteral("Çorum"));
}

// football-data's Turkish files of the 1990s (dd/mm/yy): every line is before the ratings begin, none is
// taken as a 2090s match. 2008-09 starts in August 2008.
TEST(MatchFile, RealFilesOfTheNineties) {
    const QString folder = QStringLiteral(VEZAL_SHARED_DATA "/football-data-T1/");
    if (!QFile::exists(folder + QStringLiteral("T1_1995-96.csv")))
        GTEST_SKIP() << "no " << folder.toStdString();
    for (const char* season : {"1994-95", "1995-96", "1996-97", "1997-98", "1998-99", "1999-00"}) {
        SCOPED_TRACE(season);
        const MatchFileReading reading =
            readMatchFileAt(folder + QStringLiteral("T1_%1.csv").arg(QString::fromLatin1(season)),
                            MatchFileKind::Results, kToday);
        ASSERT_FALSE(reading.refusal);
        EXPECT_TRUE(reading.rows.empty());
        EXPECT_GE(reading.rejected.count(), 240); // 16 to 18 teams, home and away
        for (const RejectedLine& line : reading.rejected.lines())
            ASSERT_EQ(line.reason, QStringLiteral("01.01.2008 ve Önceki Tarihlere Giriş Yapamazsınız  ... "))
                << line.line;
    }
    const MatchFileReading later =
        readMatchFileAt(folder + QStringLiteral("T1_2008-09.csv"), MatchFileKind::Results, kToday);
    ASSERT_FALSE(later.rows.empty());
    EXPECT_EQ(later.rows.front().day.year(), 2008);
    EXPECT_EQ(later.rows.back().day.year(), 2009);
}

// Only a regular file is read, and not one beyond 200 MB: a pipe would block, a device never end.
TEST(MatchFile, OnlyRegularFilesAreRead) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString pipe = folder.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString big = folder.filePath(QStringLiteral("big.csv"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(200LL * 1024 * 1024 + 1)); // sparse: costs no disk
    }
    const QString small = folder.filePath(QStringLiteral("small.csv"));
    {
        QFile file(small);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Date,HomeTeam,AwayTeam,FTHG,FTAG\n");
    }
    const struct {
        QString path;
        const char* refusal; // how the message ends; none: read
    } cases[] = {
        {pipe, "sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur"},
        {folder.path(), "sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur"},
        {QStringLiteral("/dev/zero"),
         "sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur"},
        {big, "dosyası 200 MB'tan büyük; okunmadı"},
        {small, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        if (!QFileInfo::exists(c.path))
            continue; // a system without /dev/zero
        try {
            const QByteArray bytes = openInputFile(c.path)->readAll();
            EXPECT_FALSE(c.refusal);
            EXPECT_EQ(bytes, "Date,HomeTeam,AwayTeam,FTHG,FTAG\n");
        } catch (const StoreError& refused) {
            ASSERT_TRUE(c.refusal) << refused.message().toStdString();
            EXPECT_TRUE(refused.message().endsWith(QString::fromUtf8(c.refusal)))
                << refused.message().toStdString();
            EXPECT_TRUE(refused.message().contains(c.path)) << refused.message().toStdString();
        }
    }
}

} // namespace
} // namespace vezal
