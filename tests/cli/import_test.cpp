// vezal-cli import and predict-fixtures through the real executable.
#include "support/CliHarness.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vezal {
namespace {

using testing::cliPath;
using testing::Finished;

using Folder = testing::ExecutableFolder;

QByteArray rowsOf(const Folder& folder) {
    return folder.run({"rows"}).out;
}

// A Turkish spreadsheet's export: semicolons, decimal commas, a quoted name, a byte-order mark.
const QByteArray kSeason = "\xEF\xBB\xBF"
                           "Tarih;Ev Sahibi;Misafir;Ev Gol;Misafir Gol;Oran 1;Oran 0;Oran 2\r\n"
                           "15.08.2009;Kartal;Bolu;2;0;1,85;3,40;4,50\r\n"
                           "15.08.2009;Sivas;\"Gölcük; Yıldız\";1;1;;;\r\n"
                           "22.08.2009;Bolu;Sivas;0;3;;;\r\n"
                           "22.08.2009;\"Gölcük; Yıldız\";Kartal;1;2;;;\r\n"
                           "29.08.2009;Kartal;Sivas;1;1;;;\r\n"
                           "29.08.2009;Bolu;Bolu;1;1;;;\r\n"
                           "29.08.2009;Bolu;\"Gölcük; Yıldız\";9;1;;;\r\n"
                           "05.09.2009;Sivas;Kartal;a;1;;;\r\n"
                           "05.09.2009;\"Gölcük; Yıldız\";Bolu;3;2;;;\r\n";

TEST(CliImport, CountsTheRowsListsTheRejectedLinesAndAddsOnlyNewRows) {
    Folder folder;
    const QString file = folder.write("sezon.csv", kSeason);
    const QByteArray rejected = "line\t7\tEv sahibi ve misafir takım aynı: Bolu\n"
                                "line\t9\tGoller 0 ile 99 arasında tam sayı olmalı: \"a\" - \"1\"\n";

    const Finished dry = folder.run({"import", "Süper Lig", file, "--dry-run", "--start-points", "4.5"});
    EXPECT_EQ(dry.code, 0) << dry.err.toStdString();
    EXPECT_EQ(dry.out, "added\t7\npresent\t0\nconflict\t0\nrejected\t2\n" + rejected);
    EXPECT_EQ(folder.run({"rows"}).out.count('\n'), 1);
    EXPECT_EQ(folder.run({"leagues"}).out, "Klas\n"); // the dry run added no league

    const Finished first = folder.run({"import", "Süper Lig", file, "--start-points", "4,5"});
    EXPECT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, dry.out);
    EXPECT_EQ(folder.run({"leagues"}).out, "Klas\nSüper Lig\n");
    const Finished teams = folder.run({"teams", "Süper Lig"});
    // The quoted name keeps its separator.
    EXPECT_EQ(teams.out, "Etkm\nBolu\nGölcük; Yıldız\nKartal\nSivas\n");

    const QByteArray stored = rowsOf(folder);
    const Finished again = folder.run({"import", "Süper Lig", file});
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(again.out, "added\t0\npresent\t7\nconflict\t0\nrejected\t2\n" + rejected);
    EXPECT_EQ(rowsOf(folder), stored);
}

TEST(CliImport, ExitCodes) {
    Folder folder;
    const struct {
        QByteArray bytes;
        int code;
        QByteArray err;
    } cases[] = {
        {"Date,HomeTeam,FTHG,FTAG\n15/08/2009,Kartal,1,0\n", 1,
         "Dosyanın başlık satırında şu sütunlar yok: misafir takım (AwayTeam, Away, AT ya da Misafir)  ... "
         "\n"},
        {"", 1, "Dosya boş: başlık satırı bulunamadı  ... \n"},
        // Lines there are, and none can be used.
        {"Date,HomeTeam,AwayTeam,FTHG,FTAG\n15/08/2009,Kartal,Kartal,1,0\n", 1, ""},
        // A header alone: read, nothing to do.
        {"Date,HomeTeam,AwayTeam,FTHG,FTAG\n", 0, ""},
    };
    for (const auto& c : cases) {
        const Finished done = folder.run({"import", "Süper Lig", folder.write("f.csv", c.bytes)});
        EXPECT_EQ(done.code, c.code) << c.bytes.toStdString();
        EXPECT_EQ(done.err, c.err) << c.bytes.toStdString();
    }
    const Finished missing = folder.run({"import", "Süper Lig", "yok.csv"});
    EXPECT_EQ(missing.code, 3);
    EXPECT_TRUE(missing.err.startsWith("\"yok.csv\" dosyası açılamıyor: ")) << missing.err.toStdString();
    const QString file = folder.write("f.csv", kSeason);
    EXPECT_EQ(folder.run({"import", "Süper Lig", file, "--start-points", "8"}).code, 1);
    EXPECT_EQ(folder.run({"import", "Süper Lig", file, "--start-points", "x"}).code, 2);
    EXPECT_EQ(rowsOf(folder),
              "Sr\tTur\tKlas\tTarih\tEtkm\tMtkm\tOyun\tEa\tEy\tMa\tMy\tEtp\tMtp\tErakip\tMrakip\n");
}

// A second file over the first: a score that contradicts the table, odds that are no odds, a name with a
// line break, each said on its own line; what is stored does not change.
TEST(CliImport, ConflictsRemarksAndNamesWithControlCharacters) {
    Folder folder;
    ASSERT_EQ(folder
                  .run({"import", "Süper Lig",
                        folder.write("a.csv", "Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                                              "15/08/2009,Kartal,Bolu,2,1\n")})
                  .code,
              0);
    const QByteArray before = rowsOf(folder);
    const Finished done =
        folder.run({"import", "Süper Lig",
                    folder.write("b.csv", "Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\n"
                                          "15/08/2009,Kartal,Bolu,1,1,,,\n"
                                          "22/08/2009,Bolu,Kartal,0,0,1e308,3.2,3.1\n"
                                          "22/08/2009,\"Sivas\nadded\t9\",Bolu,1,0,,,\n"
                                          "29/08/2009,Bolu,Sivas,1,0,,,\n")});
    EXPECT_EQ(done.code, 0) << done.err.toStdString();
    EXPECT_EQ(done.out.toStdString(),
              "added\t2\npresent\t0\nconflict\t1\n"
              "line\t2\tKayıtlı skor 2-1, dosyada 1-1\n"
              "rejected\t1\n"
              "line\t4\tTakım adında satır sonu ya da kontrol karakteri var: Sivas\\nadded\\t9\n"
              "note\t3\tOran geçersiz: \"1e308\"; maç oransız alındı\n");
    // The two new matches follow the stored ones; the stored score stays.
    const QByteArray after = rowsOf(folder);
    EXPECT_TRUE(after.startsWith(before));
    EXPECT_EQ(after.count('\n') - before.count('\n'), 3) << after.toStdString(); // Sivas seeded, two matches
}

// football-data's files of the 1990s write dd/mm/yy: 95 is 1995, before result entry's first day.
TEST(CliImport, NineteenNinetiesAreRefusedLineByLine) {
    Folder folder;
    const Finished done =
        folder.run({"import", "Süper Lig",
                    folder.write("T1_1995-96.csv", "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,FTR\n"
                                                   "T1,11/08/95,Istanbulspor,Eskisehirspor,1,3,A\n"
                                                   "T1,12/08/95,Fenerbahce,Karsiyaka,4,0,H\n"
                                                   "T1,19/05/96,Karsiyaka,Istanbulspor,2,2,D\n")});
    EXPECT_EQ(done.code, 1);
    const QByteArray early = "01.01.2008 ve Önceki Tarihlere Giriş Yapamazsınız  ... ";
    EXPECT_EQ(done.out, "added\t0\npresent\t0\nconflict\t0\nrejected\t3\nline\t2\t" + early + "\nline\t3\t" +
                            early + "\nline\t4\t" + early + "\n");
    EXPECT_EQ(rowsOf(folder),
              "Sr\tTur\tKlas\tTarih\tEtkm\tMtkm\tOyun\tEa\tEy\tMa\tMy\tEtp\tMtp\tErakip\tMrakip\n");
}

// A pipe as input would block, a device never end: refused at once. A pipe or device as the per-match
// file would be replaced by a regular file.
TEST(CliImport, OnlyRegularFilesInAndOut) {
    Folder folder;
    ASSERT_EQ(folder
                  .run({"import", "Süper Lig",
                        folder.write("a.csv", "Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                                              "15/08/2009,Kartal,Bolu,2,1\n")})
                  .code,
              0);
    QTemporaryDir other;
    const QString pipe = other.filePath("boru");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const struct {
        QStringList args;
        QString err;
    } cases[] = {
        {{"import", "Süper Lig", pipe},
         "\"" + pipe + "\" sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur\n"},
        {{"import", "Süper Lig", "/dev/zero"},
         "\"/dev/zero\" sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur\n"},
        {{"predict-fixtures", "Süper Lig", other.path()},
         "\"" + other.path() +
             "\" sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur\n"},
        {{"track-record", "Süper Lig", "--per-match", pipe},
         "\"" + pipe + "\" sıradan bir dosya değil (klasör, aygıt ya da boru); üzerine yazılmaz\n"},
        {{"track-record", "Süper Lig", "--per-match", "/dev/null"},
         "\"/dev/null\" sıradan bir dosya değil (klasör, aygıt ya da boru); üzerine yazılmaz\n"},
    };
    for (const auto& c : cases) {
        const Finished done = folder.run(c.args);
        EXPECT_EQ(done.code, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(QString::fromUtf8(done.err), c.err);
        EXPECT_TRUE(done.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo(pipe).isFile()); // still the pipe
    EXPECT_FALSE(QFileInfo("/dev/null").isFile());
}

// Each fixture is the pairing that predict would be given, with its running number as the match number.
TEST(CliPredictFixtures, EachBlockIsWhatPredictPrintsForThePairing) {
    Folder folder;
    ASSERT_EQ(folder.run({"import", "Süper Lig", folder.write("sezon.csv", kSeason)}).code, 0);
    ASSERT_EQ(folder.run({"add-team", "Süper Lig", "Yalova", "3"}).code, 0);
    const QString fixtures = folder.write("fikstur.csv", "Date,HomeTeam,AwayTeam,AvgH,AvgD,AvgA\n"
                                                         "12/09/2009,Kartal,Bolu,1.5,3.9,6.0\n"
                                                         "12/09/2009,Sivas,Sivas,,,\n"
                                                         "yarın,Bolu,Kartal,,,\n"
                                                         "12/09/2009,\"Gölcük; Yıldız\",Kartal,,,\n"
                                                         "13/09/2009,Yalova,Bolu,,,\n"
                                                         "13/09/2009,Bolu,Sivas,,,\n");
    const struct {
        int number;
        QString home, away;
    } pairings[] = {{1, "Kartal", "Bolu"},
                    {2, "Sivas", "Sivas"},
                    {4, "Gölcük; Yıldız", "Kartal"},
                    {5, "Yalova", "Bolu"},
                    {6, "Bolu", "Sivas"}};
    QByteArray expected = "rejected\t1\nline\t4\tTarih okunamadı: \"yarın\"\n";
    int refused = 0;
    for (const auto& p : pairings) {
        expected += QStringLiteral("[fixture %1]\t%2\t%3\n").arg(p.number).arg(p.home, p.away).toUtf8();
        const Finished one =
            folder.run({"predict", "Süper Lig", p.home, p.away, "--match-no", QString::number(p.number)});
        if (one.code == 0) {
            expected += one.out;
        } else {
            ASSERT_EQ(one.code, 1) << one.err.toStdString();
            expected += "[refusal]\n" + one.err;
            ++refused;
        }
    }
    EXPECT_EQ(refused, 2); // the same team twice, and a team without games
    const Finished all = folder.run({"predict-fixtures", "Süper Lig", fixtures});
    EXPECT_EQ(all.code, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, expected);
}

} // namespace
} // namespace vezal
