// vezal-cli source, sources and update, against a server on this machine.
#include "exchange/support/LocalServer.h"
#include "support/CliHarness.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vezal {
namespace {

using testing::LocalServer;
using testing::ProgramFolder;
using namespace std::chrono_literals;

const QString kGone = "Lig, lig listesinde yok (indirme sürerken silinmiş olabilir); maçları eklenmedi, lig "
                      "yeniden oluşturulmadı: ";

const QByteArray kHeader = "Div,Date,Time,HomeTeam,AwayTeam,FTHG,FTAG,FTR,AvgH,AvgD,AvgA\r\n";
const QByteArray kFirstWeeks = "T1,09/08/2024,19:00,Kartal,Bolu,2,0,H,1.80,3.50,4.20\r\n"
                               "T1,10/08/2024,19:00,Sivas,Yalova,1,1,D,2.10,3.20,3.40\r\n"
                               "T1,16/08/2024,19:00,Bolu,Sivas,0,3,A,2.50,3.10,2.80\r\n"
                               "T1,17/08/2024,19:00,Yalova,Kartal,1,2,A,3.00,3.30,2.30\r\n";
const QByteArray kNextWeek = "T1,23/08/2024,19:00,Kartal,Sivas,1,0,H,1.90,3.40,4.00\r\n"
                             "T1,24/08/2024,19:00,Bolu,Yalova,2,2,D,2.20,3.20,3.20\r\n";

TEST(CliSources, SetListedAndRefused) {
    ProgramFolder folder;
    for (const char* league : {"Süper Lig", "1. Lig", "Premier"})
        folder.ok({"add-league", league});
    folder.ok({"source", "Süper Lig", "--code", "T1", "--url",
               "https://www.football-data.co.uk/mmz4281/2425/T1.csv"});
    folder.ok({"source", "1. Lig", "--file", "T2.csv"});
    folder.ok({"source", "Premier", "--code", "E0"});
    const QString t2 = QDir::current().absoluteFilePath("T2.csv");
    EXPECT_EQ(folder.ok({"sources"}),
              "league\tcode\tsource\n"
              "1. Lig\t\t" +
                  t2 +
                  "\n"
                  "Premier\tE0\t\n"
                  "Süper Lig\tT1\thttps://www.football-data.co.uk/mmz4281/2425/T1.csv\n");
    EXPECT_EQ(folder.ok({"source", "Premier"}), "Premier\tE0\t\n");
    folder.ok({"source", "Süper Lig", "--none"});
    folder.ok({"source", "1. Lig", "--none"});
    EXPECT_EQ(folder.ok({"sources"}), "league\tcode\tsource\nPremier\tE0\t\nSüper Lig\tT1\t\n");

    const struct {
        QStringList args;
        int code;
        QString err; // its first line
    } refused[] = {
        {{"source", "Yok", "--code", "X1"}, 1, "Lig listesinde böyle bir lig yok: Yok"},
        {{"source", "Premier", "--code", "E 0"},
         1,
         "Lig kodu en çok 8 harf ya da rakam olmalı (E0, SP1, T1 gibi): E 0"},
        {{"source", "Premier", "--url", "ftp://x.org/E0.csv"},
         2,
         "vezal-cli: --url bir http ya da https adresi olmalı: ftp://x.org/E0.csv"},
        {{"source", "Premier", "--url", "http://x.org/E0.csv", "--none"},
         2,
         "vezal-cli: --url, --file ve --none seçeneklerinden yalnızca biri verilir"},
        {{"source", "Premier", "--url", "http:///E0.csv"},
         1,
         "Kaynak bir http ya da https adresi ya da bir dosyanın tam yolu olmalı: http:///E0.csv"},
        // A tab or a line end would break the sources' listing.
        {{"source", "Premier", "--file", "/tmp/E0\t.csv"},
         1,
         "Kaynakta satır sonu ya da kontrol karakteri olamaz: /tmp/E0\\t.csv"},
        {{"source", "Premier", "--url", "http://x.org/E0\n.csv"},
         1,
         "Kaynakta satır sonu ya da kontrol karakteri olamaz: http://x.org/E0\\n.csv"},
    };
    for (const auto& r : refused) {
        const testing::CliRun run = folder.run(r.args);
        EXPECT_EQ(run.code, r.code) << r.args.join(' ').toStdString();
        EXPECT_EQ(run.err.section('\n', 0, 0), r.err);
    }
    EXPECT_EQ(folder.ok({"sources"}), "league\tcode\tsource\nPremier\tE0\t\nSüper Lig\tT1\t\n");
}

TEST(CliUpdate, EachLeagueOnItsLineAndAFailedSourceDoesNotStopTheOthers) {
    ProgramFolder folder;
    LocalServer server;
    server.serveFile("/T1.csv", kHeader + kFirstWeeks);
    for (const char* league : {"Süper Lig", "1. Lig", "Premier"})
        folder.ok({"add-league", league});
    folder.ok({"source", "Süper Lig", "--code", "T1", "--url", server.url("/T1.csv")});
    folder.ok({"source", "1. Lig", "--code", "T2", "--url", server.url("/T2.csv")}); // not served: 404
    folder.ok({"source", "Premier", "--code", "E0"});                                // no address

    // Every league with an address, in the order sources lists them.
    const testing::CliRun all = folder.run({"update"});
    EXPECT_EQ(all.code, 3);
    EXPECT_EQ(all.out, "1. Lig\terror\tSunucu HTTP 404 hatası verdi (dosya bulunamadı): " +
                           server.url("/T2.csv") + "\nSüper Lig\t4\t0\t0\t0\n");

    server.serveFile("/T1.csv",
                     kHeader + kFirstWeeks + kNextWeek + "T1,01/01/2007,19:00,Bolu,Kartal,1,1\r\n");
    EXPECT_EQ(folder.ok({"update", "Süper Lig"}), "Süper Lig\t2\t4\t0\t1\n");
    EXPECT_EQ(folder.ok({"update", "Süper Lig"}), "Süper Lig\t0\t6\t0\t1\n");
    EXPECT_EQ(testing::cells(folder.ok({"results", "Süper Lig"})).size(), 1 + 6);

    const testing::CliRun named = folder.run({"update", "Premier", "Yok"});
    EXPECT_EQ(named.code, 3);
    EXPECT_EQ(named.out, "Premier\terror\tBu ligin kaynağı yok\nYok\terror\tBu ligin kaynağı yok\n");
}

TEST(CliUpdate, NothingToUpdateIsRefused) {
    ProgramFolder folder;
    const testing::CliRun run = folder.run({"update"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.isEmpty());
}

// The real executable runs no event loop of its own: the fetch brings one.
TEST(CliUpdate, TheExecutableFetchesFromTheServer) {
    testing::ExecutableFolder folder;
    LocalServer server;
    server.serveFile("/T1.csv", kHeader + kFirstWeeks);
    ASSERT_EQ(folder.run({"add-league", "Süper Lig"}).code, 0);
    ASSERT_EQ(folder.run({"source", "Süper Lig", "--url", server.url("/T1.csv")}).code, 0);
    const testing::Finished done = folder.run({"update"});
    EXPECT_EQ(done.code, 0) << done.err.toStdString();
    EXPECT_EQ(done.out, "Süper Lig\t4\t0\t0\t0\n");
}

// Two processes: `update` waits for a slow server while `delete-league` deletes the league. The update
// finds the league gone when it comes to write, says so, and does not make it again.
TEST(CliUpdate, ALeagueDeletedDuringItsDownloadStaysDeleted) {
    testing::ExecutableFolder folder;
    LocalServer server;
    LocalServer::Answer slow{200, kHeader + kFirstWeeks, {}, false};
    slow.delay = 1500ms;
    server.serve("/T1.csv", slow);
    ASSERT_EQ(folder.run({"add-league", "Premier"}).code, 0);
    ASSERT_EQ(folder.run({"add-league", "Süper Lig"}).code, 0);
    ASSERT_EQ(folder.run({"source", "Süper Lig", "--code", "T1", "--url", server.url("/T1.csv")}).code, 0);

    QProcess update;
    update.start(testing::cliPath(), {"--dir", folder.path(), "update"});
    // The download is under way once the server has the request.
    const QDeadlineTimer patience(20s);
    while (server.requestCount("/T1.csv") == 0 && !patience.hasExpired())
        QThread::msleep(10);
    ASSERT_EQ(server.requestCount("/T1.csv"), 1);
    const testing::Finished deleted = folder.run({"delete-league", "Süper Lig"});
    EXPECT_EQ(deleted.code, 0) << deleted.err.toStdString();
    ASSERT_TRUE(update.waitForFinished(30000));

    EXPECT_EQ(update.exitCode(), 3);
    EXPECT_EQ(QString::fromUtf8(update.readAllStandardOutput()),
              "Süper Lig\terror\t" + kGone + "Süper Lig\n");
    const QByteArray leagues = folder.run({"leagues"}).out;
    EXPECT_TRUE(leagues.contains("Premier\n"));
    EXPECT_FALSE(leagues.contains("Süper Lig"));
    EXPECT_EQ(folder.run({"sources"}).out, "league\tcode\tsource\n");
    const testing::Finished rows = folder.run({"rows"});
    EXPECT_EQ(rows.code, 0);
    EXPECT_FALSE(rows.out.contains("Süper Lig"));
}

// The real executable against a server that breaks its answer off, and a pipe given as a league's file:
// each league gets its error line at once, and nothing of it is written.
TEST(CliUpdate, HalfADownloadAndAPipeAreErrorsAtOnce) {
    testing::ExecutableFolder folder;
    LocalServer server;
    server.serve("/T1.csv", {200, kHeader + kFirstWeeks, {}, false, LocalServer::Framing::CutShort});
    const QString pipe = folder.file("boru.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const char* league : {"1. Lig", "Süper Lig", "Klasör"})
        ASSERT_EQ(folder.run({"add-league", league}).code, 0);
    ASSERT_EQ(folder.run({"source", "Süper Lig", "--url", server.url("/T1.csv")}).code, 0);
    ASSERT_EQ(folder.run({"source", "1. Lig", "--file", pipe}).code, 0);
    ASSERT_EQ(folder.run({"source", "Klasör", "--file", folder.path()}).code, 0);

    QElapsedTimer clock;
    clock.start();
    const testing::Finished done = folder.run({"update"});
    EXPECT_LT(clock.elapsed(), 20000); // the pipe used to hold it for ever
    EXPECT_EQ(done.code, 3);
    const QString notAFile =
        "\" sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur\n";
    EXPECT_EQ(QString::fromUtf8(done.out),
              "1. Lig\terror\t\"" + pipe + notAFile + "Klasör\terror\t\"" + folder.path() + notAFile +
                  "Süper Lig\terror\tİndirme yarım kaldı: sunucu dosyanın sonunu göndermeden bağlantıyı "
                  "kapattı; yarım dosya kullanılmadı: " +
                  server.url("/T1.csv") + "\n");
    EXPECT_FALSE(folder.run({"rows"}).out.contains("Kartal"));
}

} // namespace
} // namespace vezal
