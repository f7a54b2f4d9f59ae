// vezal-cli track-record through the real executable, on a small league worked out by hand.
#include "support/CliHarness.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::cliPath;
using testing::Finished;

using Folder = testing::ExecutableFolder;

void ok(const Folder& folder, const QStringList& args) {
    const Finished done = folder.run(args);
    ASSERT_EQ(done.code, 0) << args.join(' ').toStdString() << ": " << done.err.toStdString();
}

// İzmir (6,4), Çorum, Bolu, Kartal (5 each), Sivas and Hatay (3). On 15.08.2009 nobody has played:
// both matches are refused. On 22.08.2009, from the table of 15.08:
//   İzmir-Çorum: "0" "1", 2-3, "ÜST", "4 - 6" (R = 2.938 / 2.705 = 108.6; H 1.605, A 3.392, T 4.997).
//     It ends 2-2: first sign, double chance, ÜST (4 goals) and the band right, the score wrong. Odds
//     2.10 3.20 3.50: the favourite 1 wrong, the top two 1 and 0 right, the unit on 0 wins 2.20.
//   Kartal-Bolu: "0" "2", 1-4, "ÜST", "4 - 6" (R = 2.295 / 2.776 = 82.7; H 1.234, A 4.399, T 5.634).
//     It ends 0-3: the double chance and ÜST right, the first sign, the band and the score wrong; no odds.
//   Çorum-İzmir: Çorum has not played at home, refused.
// 30.06.2010 Sivas-Kartal and 01.07.2010 Hatay-Bolu: no home game yet, refused; one per season.
const QByteArray kResults = "Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\r\n"
                            "15/08/2009,İzmir,Bolu,1,3,1.80,3.40,4.50\r\n"
                            "15/08/2009,Kartal,Çorum,2,4,,,\r\n"
                            "22/08/2009,İzmir,Çorum,2,2,2.10,3.20,3.50\r\n"
                            "22/08/2009,Kartal,Bolu,0,3,,,\r\n"
                            "22/08/2009,Çorum,İzmir,1,0,,,\r\n"
                            "30/06/2010,Sivas,Kartal,0,0,,,\r\n"
                            "01/07/2010,Hatay,Bolu,2,1,,,\r\n";

void playLeague(const Folder& folder) {
    ASSERT_NO_FATAL_FAILURE(ok(folder, {"add-league", "Süper Lig"}));
    for (const auto& [team, points] :
         std::initializer_list<std::pair<const char*, const char*>>{{"İzmir", "6,4"},
                                                                    {"Çorum", "5"},
                                                                    {"Bolu", "5"},
                                                                    {"Kartal", "5"},
                                                                    {"Sivas", "3"},
                                                                    {"Hatay", "3"}})
        ASSERT_NO_FATAL_FAILURE(ok(folder, {"add-team", "Süper Lig", team, points}));
    QFile file(folder.file("sonuclar.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kResults);
    file.close();
    ASSERT_NO_FATAL_FAILURE(ok(folder, {"import", "Süper Lig", file.fileName()}));
}

// The fifteen lines of a season, from the counts worked out above; stake-yield repeats stake-profit's fields.
QByteArray seasonLines(const char* season, const QList<QByteArray>& counts) {
    static const char* figures[] = {
        "first-sign",        "double-chance", "single-sign",   "uo-clear",    "uo-lean",
        "goals-band",        "exact-score",   "not-predicted", "always-home", "bookmaker-favourite",
        "bookmaker-top-two", "stake-bets",    "stake-won",     "stake-profit"};
    EXPECT_EQ(counts.size(), 14);
    QByteArray lines;
    for (qsizetype i = 0; i < counts.size(); ++i)
        lines += QByteArray(season) + '\t' + figures[i] + '\t' + counts[i] + '\n';
    return lines + QByteArray(season) + "\tstake-yield\t" + counts.last() + '\n';
}

const QByteArray kHeader = "season\tfigure\thits\tcounted\tpercent\n";

// Two predicted matches of seven, both in 2009-10.
const QList<QByteArray> kPredictedSeason = {
    "1\t2\t50.0", "2\t2\t100.0", "0\t0\t-",   "2\t2\t100.0", "2\t2\t100.0", "1\t2\t50.0",  "0\t2\t0.0",
    "",           "0\t2\t0.0",   "0\t1\t0.0", "1\t1\t100.0", "1\t2\t50.0",  "1\t1\t100.0", "2.20\t1\t220.0"};

QList<QByteArray> withNotPredicted(QList<QByteArray> counts, const QByteArray& notPredicted) {
    counts[7] = notPredicted;
    return counts;
}

// Nothing predicted: every figure counted nothing, the profit is nothing.
const QList<QByteArray> kRefusedOnly = {"0\t0\t-", "0\t0\t-", "0\t0\t-",     "0\t0\t-",   "0\t0\t-",
                                        "0\t0\t-", "0\t0\t-", "1\t1\t100.0", "0\t0\t-",   "0\t0\t-",
                                        "0\t0\t-", "0\t0\t-", "0\t0\t-",     "0.00\t0\t-"};

TEST(CliTrackRecord, PrintsEveryFigureForTheWholeWalkAndEachSeason) {
    Folder folder;
    ASSERT_NO_FATAL_FAILURE(playLeague(folder));
    const QString perMatch = folder.file("maçlar.csv");
    const Finished done = folder.run({"track-record", "Süper Lig", "--per-match", perMatch});
    EXPECT_EQ(done.code, 0) << done.err.toStdString();
    EXPECT_TRUE(done.err.isEmpty()) << done.err.toStdString();
    // 5 of 7 refused overall (71.4 %), 4 of 6 in 2009-10 (66.7 %), the one of 2010-11.
    const QByteArray expected = kHeader +
                                seasonLines("all", withNotPredicted(kPredictedSeason, "5\t7\t71.4")) +
                                seasonLines("2009-10", withNotPredicted(kPredictedSeason, "4\t6\t66.7")) +
                                seasonLines("2010-11", kRefusedOnly);
    EXPECT_EQ(done.out.toStdString(), expected.toStdString());

    // Its lines are the core's to check; here, that the option wrote them all.
    QFile file(perMatch);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 8); // the header and seven matches
}

TEST(CliTrackRecord, FromAndToCountOnlyTheirMatches) {
    Folder folder;
    ASSERT_NO_FATAL_FAILURE(playLeague(folder));
    // Only 01.07.2010: one refused match, in 2010-11.
    Finished done = folder.run({"track-record", "Süper Lig", "--from", "01.07.2010"});
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(
        done.out.toStdString(),
        (kHeader + seasonLines("all", kRefusedOnly) + seasonLines("2010-11", kRefusedOnly)).toStdString());

    // 22.08.2009 alone still predicts from the matches of 15.08: the two predictions, one refusal.
    done = folder.run({"track-record", "Süper Lig", "--from", "2009-08-22", "--to", "22.08.2009"});
    EXPECT_EQ(done.code, 0);
    const QList<QByteArray> counts = withNotPredicted(kPredictedSeason, "1\t3\t33.3");
    EXPECT_EQ(done.out.toStdString(),
              (kHeader + seasonLines("all", counts) + seasonLines("2009-10", counts)).toStdString());
}

TEST(CliTrackRecord, RefusesAnUnlistedLeagueAndWrongCommandLines) {
    Folder folder;
    ASSERT_NO_FATAL_FAILURE(playLeague(folder));
    Finished done = folder.run({"track-record", "Kupa"});
    EXPECT_EQ(done.code, 1);
    EXPECT_TRUE(done.out.isEmpty());
    EXPECT_EQ(done.err.toStdString(), "Lig listesinde böyle bir lig yok: Kupa\n");

    const struct {
        QStringList args;
        const char* reason;
    } usage[] = {
        {{"Süper Lig", "--from", "31.02.2010"},
         "--from gg.aa.yyyy ya da yyyy-aa-gg biçiminde bir tarih olmalı"},
        {{"Süper Lig", "--from", "2010-07-01", "--to", "2010-06-30"},
         "--from tarihi --to tarihinden sonra olamaz"},
        {{"Süper Lig", "--per-match"}, "--per-match seçeneğinin değeri eksik"},
        {{}, "argüman sayısı yanlış"},
    };
    for (const auto& c : usage) {
        done = folder.run(QStringList{"track-record"} + c.args);
        EXPECT_EQ(done.code, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(done.out.isEmpty());
        EXPECT_TRUE(QString::fromUtf8(done.err).contains(QString::fromUtf8(c.reason)))
            << done.err.toStdString();
    }

    // A file that cannot be made: nothing printed, the file's name and the reason on stderr.
    done = folder.run({"track-record", "Süper Lig", "--per-match", folder.file("yok/maçlar.csv")});
    EXPECT_EQ(done.code, 3);
    EXPECT_TRUE(done.out.isEmpty());
    EXPECT_TRUE(QString::fromUtf8(done.err).contains("maçlar.csv\" dosyası oluşturulamıyor: "))
        << done.err.toStdString();
}

} // namespace
} // namespace vezal
