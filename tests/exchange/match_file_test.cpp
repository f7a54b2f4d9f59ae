// Which lines of a results or fixture file can be used, and the words for the others.
#include "exchange/MatchFile.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace vezal {
namespace {

MatchFileReading results(const QByteArray& bytes) {
    return readMatchFile(bytes, MatchFileKind::Results);
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
        EXPECT_TRUE(reading.rejected.empty()) << reading.rejected.front().reason.toStdString();
        EXPECT_EQ(reading.rows.size(), 1u);
        return;
    }
    EXPECT_TRUE(reading.rows.empty());
    ASSERT_EQ(reading.rejected.size(), 1u);
    EXPECT_EQ(reading.rejected[0].line, 2);
    EXPECT_EQ(reading.rejected[0].reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, ResultLines,
    ::testing::Values(LineCase{"Used", "02/01/2008,Kartal,Bolu,0,99", ""},
                      LineCase{"NotADate", "31/02/2010,Kartal,Bolu,1,0", "Tarih okunamadı: \"31/02/2010\""},
                      LineCase{"NoDateAtAll", ",Kartal,Bolu,1,0", "Tarih okunamadı: \"\""},
                      LineCase{"BeforeTheCutOff", "01.01.2008,Kartal,Bolu,1,0",
                               "02.01.2008'den önceki bir tarih: 01.01.2008"},
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
                      LineCase{"LineBreakInAName", "02/01/2008,\"Kar\ntal\",Bolu,1,0",
                               "Takım adında satır sonu ya da kontrol karakteri var: Kar\ntal"}),
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
    ASSERT_EQ(reading.rejected.size(), 1u); // a two-digit year only with slashes
    EXPECT_EQ(reading.rejected[0].line, 7);
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
    ASSERT_EQ(reading.rejected.size(), 1u);
    EXPECT_EQ(reading.rejected[0].line, 3);
    EXPECT_EQ(reading.rejected[0].reason,
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
    const MatchFileReading reading = readMatchFile(bytes, MatchFileKind::Fixtures);
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
    ASSERT_EQ(reading.rejected.size(), 1u);
    EXPECT_EQ(reading.rejected[0].line, 4);
}

} // namespace
} // namespace vezal
