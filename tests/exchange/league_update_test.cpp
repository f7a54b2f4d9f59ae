// A league's source and the update from it, against a server on this machine.
#include "exchange/LeagueSources.h"
#include "exchange/LeagueUpdate.h"
#include "exchange/SourceFetch.h"
#include "exchange/support/LocalServer.h"
#include "store/Admin.h"
#include "store/LeagueListFile.h"
#include "store/SourceTable.h"
#include "store/support/TempProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vezal {
namespace {

using testing::LocalServer;
using testing::TempProgram;
using namespace std::chrono_literals;

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "league_update_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

const QByteArray kHeader = "Div,Date,Time,HomeTeam,AwayTeam,FTHG,FTAG,FTR,AvgH,AvgD,AvgA\r\n";
const QByteArray kFirstWeeks = "T1,09/08/2024,19:00,Kartal,Bolu,2,0,H,1.80,3.50,4.20\r\n"
                               "T1,10/08/2024,19:00,Sivas,Yalova,1,1,D,2.10,3.20,3.40\r\n"
                               "T1,16/08/2024,19:00,Bolu,Sivas,0,3,A,2.50,3.10,2.80\r\n"
                               "T1,17/08/2024,19:00,Yalova,Kartal,1,2,A,3.00,3.30,2.30\r\n";
const QByteArray kNextWeek = "T1,23/08/2024,19:00,Kartal,Sivas,1,0,H,1.90,3.40,4.00\r\n"
                             "T1,24/08/2024,19:00,Bolu,Yalova,2,2,D,2.20,3.20,3.20\r\n";

int matchRows(Database& database, const QString& league) {
    QSqlQuery query(database.connection());
    query.prepare(QStringLiteral("select count(*) from Liste where Tur='O' and Klas=:k"));
    query.bindValue(QStringLiteral(":k"), league);
    EXPECT_TRUE(query.exec() && query.next());
    return query.value(0).toInt();
}

class LeagueUpdateTest : public ::testing::Test {
protected:
    QCoreApplication& application = app(); // before the server's thread

    // An update writes only into a listed league.
    void SetUp() override { saveLeagueList(leagueListPath(program.folder()), {"Süper Lig"}); }

    LeagueUpdate update(const QString& address, const QString& code = QStringLiteral("T1"),
                        FetchOptions fetch = {}) {
        UpdateOptions options;
        options.fetch = std::move(fetch);
        return updateLeague(program.database(), program.table(), fetcher,
                            LeagueSource{QStringLiteral("Süper Lig"), code, address}, options);
    }

    TempProgram program;
    LocalServer server;
    SourceFetcher fetcher;
};

// A season file that grows between two updates: the second adds only the new week.
TEST_F(LeagueUpdateTest, SecondUpdateOfAGrownFileAddsOnlyTheNewRows) {
    server.serveFile("/T1.csv", kHeader + kFirstWeeks);
    const LeagueUpdate first = update(server.url("/T1.csv"));
    ASSERT_TRUE(first.updated()) << first.error.value_or("").toStdString();
    EXPECT_EQ(first.added, 4);
    EXPECT_EQ(first.present, 0);
    EXPECT_EQ(first.rejected, 0);
    EXPECT_EQ(matchRows(program.database(), "Süper Lig"), 4);

    server.serveFile("/T1.csv", kHeader + kFirstWeeks + kNextWeek + "T1,31/08/2024,19:00,Sivas,Bolu,x,1\r\n");
    const LeagueUpdate second = update(server.url("/T1.csv"));
    ASSERT_TRUE(second.updated()) << second.error.value_or("").toStdString();
    EXPECT_EQ(second.added, 2);
    EXPECT_EQ(second.present, 4);
    EXPECT_EQ(second.rejected, 1); // the line with "x" goals
    EXPECT_EQ(matchRows(program.database(), "Süper Lig"), 6);
    EXPECT_EQ(server.requestCount("/T1.csv"), 2);
}

// Every way a source can fail leaves the league as it was, with a message that says why.
TEST_F(LeagueUpdateTest, FailuresLeaveTheLeagueUntouchedAndSayWhy) {
    server.serve("/yok.csv", {404, "bulunamadı", {}, false});
    server.serve("/bekle.csv", {200, {}, {}, true});
    server.serveFile("/sayfa.html", "\r\n<!DOCTYPE html>\n<html><body>Sezon dosyaları</body></html>\n");
    server.serveFile("/tablo.csv", "Sira,Takim,Puan\r\n1,Kartal,3\r\n");
    server.redirect("/dosyaya", "file:///etc/passwd");
    server.redirect("/dongu", server.url("/dongu").toUtf8());
    server.serveFile("/E0.csv", kHeader + "E0,09/08/2024,19:00,Arsenal,Chelsea,1,0,H,2,3,4\r\n");
    const QString port = QString::number(testing::closedPort());

    const struct {
        QString address;
        QString error; // whole, worked out from the case
    } cases[] = {
        {server.url("/yok.csv"),
         "Sunucu HTTP 404 hatası verdi (dosya bulunamadı): " + server.url("/yok.csv")},
        {server.url("/bekle.csv"),
         "Sunucu 0.4 saniye içinde dosyayı göndermedi: " + server.url("/bekle.csv")},
        {server.url("/sayfa.html"),
         "Adresten maç dosyası yerine bir web sayfası (HTML) geldi; adresi kontrol "
         "ediniz: " +
             server.url("/sayfa.html")},
        {server.url("/tablo.csv"), "Kaynaktaki dosya bir maç dosyası değil: Dosyanın başlık satırında şu "
                                   "sütunlar yok: tarih (Date ya da "
                                   "Tarih), ev sahibi takım (HomeTeam, Home, HT ya da Ev Sahibi), misafir "
                                   "takım (AwayTeam, Away, AT ya da "
                                   "Misafir), ev sahibi golü (FTHG, HG ya da Ev Gol), misafir golü (FTAG, AG "
                                   "ya da Misafir Gol)  ... (" +
                                       server.url("/tablo.csv") + ")"},
        {server.url("/dosyaya"), "Adres başka bir adrese yönlendiriyor; yalnızca http ve https adreslerine "
                                 "gidilir: " +
                                     server.url("/dosyaya") + " -> file:///etc/passwd"},
        {server.url("/E0.csv"),
         "Dosyada bu ligin kodu (T1) yok, yalnızca E0 var; kaynağı kontrol ediniz: " + server.url("/E0.csv")},
        {server.url("/dongu"), "Adres çok fazla yönlendiriyor: " + server.url("/dongu")},
        {"", "Bu ligin kaynağı yok"},
        {"ftp://127.0.0.1/T1.csv",
         "Kaynak bir http ya da https adresi ya da bir dosyanın tam yolu olmalı: ftp://127.0.0.1/T1.csv"},
    };
    for (const auto& c : cases) {
        FetchOptions fetch;
        fetch.timeout = 400ms;
        const LeagueUpdate done = update(c.address, "T1", fetch);
        EXPECT_EQ(done.error.value_or("(güncellendi)"), c.error);
        EXPECT_FALSE(done.cancelled);
    }
    // No server on the port.
    const QString closed = "http://127.0.0.1:" + port + "/T1.csv";
    EXPECT_EQ(
        update(closed).error.value_or(""),
        "Sunucuya bağlanılamadı (bağlantı reddedildi): İnternet bağlantınızı ve adresi kontrol ediniz: " +
            closed);

    EXPECT_EQ(matchRows(program.database(), "Süper Lig"), 0);
}

// A body is taken whole or not at all, however the server frames it; what Qt or the server would say in
// English reaches the user in Turkish words.
TEST_F(LeagueUpdateTest, HalfABodyOrOneThatDoesNotDecodeIsNotImported) {
    using Framing = LocalServer::Framing;
    const QByteArray file = kHeader + kFirstWeeks;
    server.serve("/kesik.csv", {200, file, {}, false, Framing::CutShort});
    server.serve("/parca.csv", {200, file, {}, false, Framing::ChunkedWithoutEnd});
    server.serve("/bozuk.csv", {200, "bu gzip değil", {{"Content-Encoding", "gzip"}}, false});
    server.serve("/adressiz", {302, {}, {}, false});
    // zlib's stream is what "deflate" names; qCompress puts four bytes of length before it.
    const QByteArray deflated = qCompress(file).mid(4);
    server.serve("/sikisik-kesik.csv",
                 {200, deflated, {{"Content-Encoding", "deflate"}}, false, Framing::CutShort});
    QTemporaryDir dir;
    const QString pipe = dir.filePath("boru.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString half = "İndirme yarım kaldı: sunucu dosyanın sonunu göndermeden bağlantıyı kapattı; yarım "
                         "dosya kullanılmadı: ";
    const struct {
        QString address;
        QString error;
    } cases[] = {
        {server.url("/kesik.csv"), half + server.url("/kesik.csv")},
        {server.url("/parca.csv"), half + server.url("/parca.csv")},
        {server.url("/sikisik-kesik.csv"), half + server.url("/sikisik-kesik.csv")},
        {server.url("/bozuk.csv"),
         "Sunucudan gelen dosya açılamadı: sıkıştırması (gzip) bozuk; dosya kullanılmadı: " +
             server.url("/bozuk.csv")},
        {server.url("/adressiz"),
         "Sunucu başka bir adrese yönlendiriyor (HTTP 302), ama adresi bildirmiyor: " +
             server.url("/adressiz")},
        {dir.path(),
         "\"" + dir.path() + "\" sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur"},
        // Nothing writes to the pipe: opening it the usual way would wait for ever.
        {pipe, "\"" + pipe + "\" sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur"},
        {dir.filePath("yok.csv"),
         "\"" + dir.filePath("yok.csv") + "\" dosyası açılamıyor: böyle bir dosya ya da klasör yok"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        QElapsedTimer clock;
        clock.start();
        const LeagueUpdate done = update(c.address);
        EXPECT_EQ(done.error.value_or("(güncellendi)"), c.error);
        EXPECT_LT(clock.elapsed(), 5000);
    }
    EXPECT_EQ(matchRows(program.database(), "Süper Lig"), 0);

    // The same body in whole chunks, or compressed whole, is a file like any other.
    server.serve("/tam.csv", {200, file, {}, false, Framing::Chunked});
    const LeagueUpdate whole = update(server.url("/tam.csv"));
    EXPECT_EQ(whole.error.value_or(""), "");
    EXPECT_EQ(whole.added, 4);
    server.serve("/sikisik.csv", {200, deflated, {{"Content-Encoding", "deflate"}}, false});
    const LeagueUpdate compressed = update(server.url("/sikisik.csv"));
    EXPECT_EQ(compressed.error.value_or(""), "");
    EXPECT_EQ(compressed.present, 4);
}

// A body without end stops at the size limit, whatever its framing, and leaves no temporary file.
TEST_F(LeagueUpdateTest, AnEndlessBodyStopsAtTheLimit) {
    server.serve("/sonsuz.csv",
                 {200, kHeader + kFirstWeeks, {}, false, LocalServer::Framing::ChunkedEndless});
    const QStringList before = QDir::temp().entryList({"vezal-*"});
    FetchOptions small;
    small.maxBytes = 2 * 1024 * 1024;
    const LeagueUpdate limited = update(server.url("/sonsuz.csv"), "T1", small);
    EXPECT_EQ(limited.error.value_or(""), "Dosya 2 MB'tan büyük, okunmadı: " + server.url("/sonsuz.csv"));
    EXPECT_EQ(QDir::temp().entryList({"vezal-*"}), before);

    // With room enough, the time limit ends it.
    FetchOptions slow;
    slow.maxBytes = std::numeric_limits<qint64>::max();
    slow.timeout = 500ms;
    QElapsedTimer clock;
    clock.start();
    const LeagueUpdate timed = update(server.url("/sonsuz.csv"), "T1", slow);
    EXPECT_EQ(timed.error.value_or(""),
              "Sunucu 0.5 saniye içinde dosyayı göndermedi: " + server.url("/sonsuz.csv"));
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(matchRows(program.database(), "Süper Lig"), 0);
}

// A league the list does not have when the write begins is not made by the update, unless it is asked to.
TEST_F(LeagueUpdateTest, AnUnlistedLeagueIsNotMadeAgain) {
    server.serveFile("/T1.csv", kHeader + kFirstWeeks);
    saveLeagueList(leagueListPath(program.folder()), {"1. Lig"});
    const LeagueUpdate done = update(server.url("/T1.csv"));
    EXPECT_EQ(done.error.value_or(""),
              "Lig, lig listesinde yok (indirme sürerken silinmiş olabilir); maçları "
              "eklenmedi, lig yeniden oluşturulmadı: Süper Lig");
    EXPECT_EQ(matchRows(program.database(), "Süper Lig"), 0);
    EXPECT_EQ(loadLeagueList(leagueListPath(program.folder())), QStringList{"1. Lig"});

    // A league being made from its first file is added with it.
    UpdateOptions making;
    making.addsLeague = true;
    const LeagueUpdate made = updateLeague(program.database(), program.table(), fetcher,
                                           {"Süper Lig", "T1", server.url("/T1.csv")}, making);
    EXPECT_EQ(made.error.value_or(""), "");
    EXPECT_EQ(made.added, 4);
    EXPECT_EQ(loadLeagueList(leagueListPath(program.folder())), (QStringList{"1. Lig", "Süper Lig"}));
}

TEST_F(LeagueUpdateTest, RedirectsToTheWebAreFollowedAndTheSizeIsCapped) {
    server.serveFile("/2425/T1.csv", kHeader + kFirstWeeks);
    server.redirect("/T1.csv", server.url("/2425/T1.csv").toUtf8());
    EXPECT_EQ(update(server.url("/T1.csv")).added, 4);

    FetchOptions small;
    small.maxBytes = kHeader.size(); // the header fits, the rows do not
    const LeagueUpdate tooLarge = update(server.url("/2425/T1.csv"), "T1", small);
    EXPECT_EQ(tooLarge.error.value_or(""), "Dosya 0 MB'tan büyük, okunmadı: " + server.url("/2425/T1.csv"));
}

// A stalled server is left when the user cancels; nothing is written.
TEST_F(LeagueUpdateTest, CancelStopsAStalledFetch) {
    server.serve("/bekle.csv", {200, {}, {}, true});
    FetchOptions fetch;
    QElapsedTimer clock;
    clock.start();
    fetch.keepGoing = [&] {
        return clock.elapsed() < 200;
    };
    const LeagueUpdate done = update(server.url("/bekle.csv"), "T1", fetch);
    EXPECT_TRUE(done.cancelled);
    EXPECT_LT(clock.elapsed(), 5000); // far from the 30 s time-out
}

// Lines of other codes in a file of several leagues are left out; without a code every line counts.
TEST_F(LeagueUpdateTest, LinesOfOtherLeagueCodesAreLeftOut) {
    const QByteArray mixed = kHeader + kFirstWeeks + "E0,10/08/2024,15:00,Arsenal,Chelsea,1,0,H,2,3,4\r\n" +
                             "E0,10/08/2024,15:00,Arsenal,Chelsea,1,0,H,2,3,4\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath("iki-lig.csv");
    testing::writeBytes(path, mixed);
    const LeagueUpdate withCode = update(path);
    EXPECT_EQ(withCode.added, 4);
    EXPECT_EQ(withCode.rejected, 2); // both E0 lines
    EXPECT_EQ(withCode.conflicts, 0);
    const LeagueUpdate asUrl = update(QUrl::fromLocalFile(path).toString(), "");
    EXPECT_EQ(asUrl.added, 1); // Arsenal - Chelsea, now that no code chooses
    EXPECT_EQ(asUrl.present, 4);
    EXPECT_EQ(asUrl.conflicts, 1); // its second line
    const LeagueUpdate missing = update(dir.filePath("yok.csv"));
    EXPECT_EQ(missing.error.value_or(""),
              "\"" + dir.filePath("yok.csv") + "\" dosyası açılamıyor: böyle bir dosya ya da klasör yok");
}

TEST(LeagueSources, SeasonPartOfTheAddressFollowsTheDay) {
    const struct {
        QDate day;
        const char* address;
    } cases[] = {
        {{2024, 8, 1}, "https://www.football-data.co.uk/mmz4281/2425/E0.csv"},
        {{2025, 6, 30}, "https://www.football-data.co.uk/mmz4281/2425/E0.csv"}, // the season's last day
        {{2025, 7, 1}, "https://www.football-data.co.uk/mmz4281/2526/E0.csv"},  // the next one's first
        {{2010, 1, 2}, "https://www.football-data.co.uk/mmz4281/0910/E0.csv"},
        {{2099, 12, 31}, "https://www.football-data.co.uk/mmz4281/9900/E0.csv"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(footballDataAddress("E0", c.day), QString::fromLatin1(c.address))
            << c.day.toString().toStdString();
}

TEST(LeagueSources, CodesAndAddressesThatAreRefused) {
    const struct {
        QString code;
        bool ok;
    } codes[] = {{"E0", true},         {"SP1", true},  {"", true},    {"ABCDEFGH", true},
                 {"ABCDEFGHI", false}, {"T 1", false}, {"Ş1", false}, {"E0,", false}};
    for (const auto& c : codes)
        EXPECT_EQ(!checkLeagueCode(c.code), c.ok) << c.code.toStdString();
    const struct {
        QString address;
        bool ok;
    } addresses[] = {{"https://www.football-data.co.uk/mmz4281/2425/E0.csv", true},
                     {"HTTP://127.0.0.1:8080/T1.csv", true},
                     {"http:///T1.csv", false},
                     {"ftp://example.org/T1.csv", false},
                     {"/home/kullanici/T1.csv", true},
                     {"file:///home/kullanici/T1.csv", true},
                     {"T1.csv", false},
                     {"/home/kullanici/T1\t.csv", false},
                     {QStringLiteral("/home/kullanici/T1") + QChar(0) + QStringLiteral(".csv"), false},
                     {"https://www.football-data.co.uk/E0\r.csv", false},
                     {"", true}};
    for (const auto& a : addresses)
        EXPECT_EQ(!checkSourceAddress(a.address), a.ok) << a.address.toStdString();
}

// Setting a source: the league must be listed; unset parts stay; a league's deletion takes its source.
TEST(LeagueSources, SetKeptAndDeletedWithTheLeague) {
    TempProgram program;
    const QString list = leagueListPath(program.folder());
    saveLeagueList(list, {"1. Lig", "Süper Lig"});
    Database& db = program.database();
    EXPECT_EQ(setLeagueSource(db, list, "Premier", {QString("E0"), {}}).value_or(""),
              "Lig listesinde böyle bir lig yok: Premier");
    EXPECT_EQ(setLeagueSource(db, list, "Süper Lig", {QString("T1"), {}}), std::nullopt);
    EXPECT_EQ(setLeagueSource(db, list, "Süper Lig", {{}, QString("https://x.org/T1.csv")}), std::nullopt);
    EXPECT_EQ(setLeagueSource(db, list, "1. Lig", {{}, QString("/veri/T2.csv")}), std::nullopt);
    EXPECT_TRUE(setLeagueSource(db, list, "1. Lig", {QString("T 2"), {}}).has_value());
    SourceTable sources(db);
    EXPECT_EQ(sources.all(), (std::vector<LeagueSource>{{"1. Lig", "", "/veri/T2.csv"},
                                                        {"Süper Lig", "T1", "https://x.org/T1.csv"}}));
    // No source: the code stays; no code either: the row goes.
    EXPECT_EQ(setLeagueSource(db, list, "Süper Lig", {{}, QString()}), std::nullopt);
    EXPECT_EQ(sources.find("Süper Lig"), (LeagueSource{"Süper Lig", "T1", ""}));
    EXPECT_EQ(setLeagueSource(db, list, "1. Lig", {{}, QString()}), std::nullopt);
    EXPECT_EQ(sources.find("1. Lig"), std::nullopt);

    EXPECT_EQ(deleteLeague(program.table(), list, "Süper Lig"), std::nullopt);
    EXPECT_TRUE(sources.all().empty());
}

} // namespace
} // namespace vezal
