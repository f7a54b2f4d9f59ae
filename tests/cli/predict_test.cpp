// vezal-cli predict on small leagues built with the companion itself, against figures worked out by hand.
#include "support/CliHarness.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::cliPath;
using testing::Finished;

// A league built from nothing: the leagues, the registered teams, then the results in order.
struct Season {
    QList<QStringList> steps;
};

// What predict prints, before it is put together.
struct Printed {
    std::array<const char*, 13> boxes; // Memo9 .. Memo21
    QStringList commentary;
    QString coupon;
};

const QString kSeparator(135, QLatin1Char('-'));
const QString kCaveat =
    "Sağlıklı bir tahmin yapabilmek için oynadıkları maç sayısı yeterli olmamakla birlikte";
const QString kChooseTeams = "Öncelikle tahminde bulunacağınız takımları doğru seçiniz  ... ";
const QString kHomeWithoutGames =
    "Seçtiğiniz ev sahibi takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ";
const QString kAwayWithoutGames =
    "Seçtiğiniz misafir takım henüz maç oynanamamış , tahmin yürütülemiyor  ... ";

QByteArray bytesOf(const Printed& printed) {
    QString text = "[prediction]\n";
    for (std::size_t i = 0; i < printed.boxes.size(); ++i)
        text += QStringLiteral("Memo%1\t%2\n").arg(9 + i).arg(QString::fromUtf8(printed.boxes[i]));
    text += "[commentary]\n" + printed.commentary.join('\n') + "\n[coupon]\n" + printed.coupon + '\n';
    return text.toUtf8();
}

using Folder = testing::ExecutableFolder;

void play(const Folder& folder, const Season& season) {
    for (const QStringList& step : season.steps) {
        const Finished done = folder.run(step);
        ASSERT_EQ(done.code, 0) << step.join(' ').toStdString() << ": " << done.err.toStdString();
    }
}

// Kartal (7: home 3.57, away 3.43) beat Bolu (5: home 2.55, away 2.45) 2-0 at home: the pot
// 0.357 + 0.245 = 0.602, Kartal takes 90 % of it, so 0.1848 moves from Bolu to Kartal.
const Season kKartalBeatBolu = {{
    {"add-league", "Süper Lig"},
    {"add-team", "Süper Lig", "Kartal", "7"},
    {"add-team", "Süper Lig", "Bolu", "5"},
    {"add-team", "Süper Lig", "Sivas", "4"},
    {"add-result", "Süper Lig", "15.08.2009", "Kartal", "Bolu", "2", "0"},
}};

struct PredictCase {
    const char* name;
    Season season;
    QStringList predict;
    Printed printed;
};

const PredictCase kPredictions[] = {
    // PH = 3.57 + 0.1848 = 3.7548, shown and used as 3.755; PA = 2.45 - 0.1848 = 2.2652 -> 2.265.
    // R = 3.755 / 2.265 = 165.8: "1" alone. One game each, Kartal 2-0 at home, Bolu 0-2 away.
    // SH = Bolu's away rating before the match, 2.45; SA = Kartal's home rating before it, 3.57.
    // H = (2 * 2.45 / 2.265 + 2 * 3.755 / 3.57) / 2 = (2.1634 + 2.1036) / 2 = 2.1335 -> 2; A = 0.
    // Candidates 20, 30, 30, 20, 20: one alternative, 3-0. T = 2.1335: "% 90 Alt - % 10 Üst", band
    // "0 - 1". A single "1" with a home win: the "banko" line and no contrast.
    {"OneSignWithAHomeWin",
     kKartalBeatBolu,
     {"predict", "Süper Lig", "Kartal", "Bolu", "--match-no", "7"},
     {{"1", "", "", "% 90 Alt - % 10 Üst", "2", "0", "3", "0", "", "", "", "", "0 - 1"},
      {"7  -  KARTAL  -  BOLU", "Maç Sonucu\t:  1\t\t", "Alternatif  Skorlar\t:  2 - 0\t3 - 0\t - \t - ",
       "Toplam Gol Oyunu\t:  0 - 1", kCaveat, "Bu maçı banko Ev Sahibi takım kazanır ... ", kSeparator},
      "7  -  Kartal - Bolu\t :   1"}},

    // İzmir (6,4: home 3.264) lost 1-3 at home to Bolu (away 2.45): İzmir loses its stake,
    // PH = 3.264 - 0.3264 = 2.9376 -> 2.938. Kartal (home 2.55) lost 2-4 to Çorum (away 2.45): Çorum
    // takes the whole pot 0.255 + 0.245 less its own stake, PA = 2.45 + 0.255 = 2.705.
    // R = 2.938 / 2.705 = 108.6: "0" then "1". SH = 2.45 (Bolu), SA = 2.55 (Kartal).
    // H = (1 * 2.45 / 2.705 + 2 * 2.938 / 2.55) / 2 = (0.9057 + 2.3043) / 2 = 1.605 -> 2
    // A = (3 * 2.705 / 2.45 + 4 * 2.55 / 2.938) / 2 = (3.3122 + 3.4717) / 2 = 3.392 -> 3
    // Candidates 23, 24, 23, 14, 13: the alternatives 2-4, 1-4, 1-3.
    // T = 4.997: "ÜST", band "4 - 6". The away win in the score is neither sign: the contrast line.
    // Without a match number the header and the coupon start with the separator.
    {"TwoSignsWithAnAwayWinInTheScore",
     {{
         {"add-league", "Süper Lig"},
         {"add-team", "Süper Lig", "İzmir", "6,4"},
         {"add-team", "Süper Lig", "Çorum", "5"},
         {"add-team", "Süper Lig", "Bolu", "5"},
         {"add-team", "Süper Lig", "Kartal", "5"},
         {"add-result", "Süper Lig", "15.08.2009", "İzmir", "Bolu", "1", "3"},
         {"add-result", "Süper Lig", "15.08.2009", "Kartal", "Çorum", "2", "4"},
     }},
     {"predict", "Süper Lig", "İzmir", "Çorum"},
     {{"0", "1", "", "ÜST", "2", "3", "2", "4", "1", "4", "1", "3", "4 - 6"},
      {"  -  İZMİR  -  ÇORUM", "Maç Sonucu\t:  0\t1\t", "Alternatif  Skorlar\t:  2 - 3\t2 - 4\t1 - 4\t1 - 3",
       "Toplam Gol Oyunu\t:  4 - 6", kCaveat, "Bu maç için öncelikle beraberlik düşünmelisiniz ",
       "Daha sonra Evsahibi Takımın galibiyeti olabilir",
       "Ancak azda olsa bu maçı Misafir takımın kazanma ihtimalide var ... ",
       "Alternatif olarak bu maç için  ÜST  oynayabilirsiniz", kSeparator},
      "  -  İzmir - Çorum\t :   ÜST"}},

    // Kartal is registered in two leagues (7 and 3), so its home rating before any match is
    // 3.57 + 1.53 = 5.1. In the cup it drew 1-1 with Sivas (away 1.96): it pays half the stake gap,
    // (0.196 - 0.51) / 2 = -0.157. In the league it lost 1-2 to Bolu (away 2.45) with 5.1 - 0.157 = 4.943:
    // it loses 0.4943 to Bolu. League figures only: PH = 3.57 - 0.4943 -> 3.076, PA = 2.45 + 0.4943 ->
    // 2.944, one game each; R = 104.5: "0" alone. SH counts both leagues: 1.96 + 2.45 = 4.41; SA = 4.943.
    // H = (1 * 4.41 / 2.944 + 1 * 3.076 / 4.943) / 2 = (1.4980 + 0.6223) / 2 = 1.0601 -> 1
    // A = (2 * 2.944 / 4.41 + 2 * 4.943 / 3.076) / 2 = (1.3351 + 3.2139) / 2 = 2.2745 -> 2
    // (SH from the league alone would give 1-3). Candidates 12, 23, 22, 13, 12. T = 3.3347:
    // "% 60 Üst - % 40 Alt", band "2 - 3". A lone "0" with 1-2: "bitebilir" and the away-win contrast.
    {"StrengthsFromEveryLeague",
     {{
         {"add-league", "Süper Lig"},
         {"add-league", "Kupa"},
         {"add-team", "Süper Lig", "Kartal", "7"},
         {"add-team", "Süper Lig", "Bolu", "5"},
         {"add-team", "Kupa", "Kartal", "3"},
         {"add-team", "Kupa", "Sivas", "4"},
         {"add-result", "Kupa", "10.08.2009", "Kartal", "Sivas", "1", "1"},
         {"add-result", "Süper Lig", "15.08.2009", "Kartal", "Bolu", "1", "2"},
     }},
     {"predict", "Süper Lig", "Kartal", "Bolu", "--match-no=123"},
     {{"0", "", "", "% 60 Üst - % 40 Alt", "1", "2", "2", "3", "2", "2", "1", "3", "2 - 3"},
      {"123  -  KARTAL  -  BOLU", "Maç Sonucu\t:  0\t\t",
       "Alternatif  Skorlar\t:  1 - 2\t2 - 3\t2 - 2\t1 - 3", "Toplam Gol Oyunu\t:  2 - 3", kCaveat,
       "Bu maç berabere bitebilir ... ",
       "Ancak azda olsa bu maçı Misafir takımın kazanma ihtimalide var ... ", kSeparator},
      "123  -  Kartal - Bolu\t :   0"}},
};

TEST(Predict, PrintsBoxesCommentaryAndCouponWorkedOutByHand) {
    for (const PredictCase& c : kPredictions) {
        SCOPED_TRACE(c.name);
        const Folder folder;
        ASSERT_NO_FATAL_FAILURE(play(folder, c.season));
        const Finished done = folder.run(c.predict);
        EXPECT_EQ(done.code, 0) << done.err.toStdString();
        EXPECT_EQ(done.out.toStdString(), bytesOf(c.printed).toStdString());
        EXPECT_TRUE(done.err.isEmpty()) << done.err.toStdString();
    }
}

TEST(Predict, RefusesWithTheWindowsWarning) {
    const Folder folder;
    ASSERT_NO_FATAL_FAILURE(play(folder, kKartalBeatBolu));
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"Süper Lig", "Kartal", "Kartal"}, kChooseTeams},
        // The choosers offer the names as the tables hold them.
        {{"Süper Lig", "kartal", "Bolu"}, kChooseTeams},
        {{"Süper Lig", "Kartal", "Ankara"}, kChooseTeams},
        // A league that is not in klasman.dat cannot be chosen, so neither can its teams.
        {{"Kupa", "Kartal", "Bolu"}, kChooseTeams},
        // Bolu has played only away, Sivas not at all.
        {{"Süper Lig", "Bolu", "Kartal"}, kHomeWithoutGames},
        {{"Süper Lig", "Sivas", "Bolu"}, kHomeWithoutGames},
        {{"Süper Lig", "Kartal", "Sivas"}, kAwayWithoutGames},
    };
    for (const auto& c : cases) {
        const Finished done = folder.run(QStringList{"predict"} + c.args);
        EXPECT_EQ(done.code, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(done.out.isEmpty()) << done.out.toStdString();
        EXPECT_EQ(done.err.toStdString(), (c.message + '\n').toStdString());
    }
}

TEST(Predict, WrongCommandLinesAreUsageErrors) {
    const Folder folder;
    ASSERT_NO_FATAL_FAILURE(play(folder, kKartalBeatBolu));
    const struct {
        QStringList args;
        QString reason;
    } cases[] = {
        // The match number box holds three characters.
        {{"Süper Lig", "Kartal", "Bolu", "--match-no", "1234"}, "Maç numarası en çok 3 karakter"},
        {{"Süper Lig", "Kartal", "Bolu", "--match-no"}, "--match-no seçeneğinin değeri eksik"},
        {{"Süper Lig", "Kartal"}, "argüman sayısı yanlış"},
    };
    for (const auto& c : cases) {
        const Finished done = folder.run(QStringList{"predict"} + c.args);
        EXPECT_EQ(done.code, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(done.out.isEmpty());
        const QString err = QString::fromUtf8(done.err);
        EXPECT_TRUE(err.contains(c.reason)) << err.toStdString();
        EXPECT_TRUE(err.contains("predict LİG EV MİSAFİR [--match-no NO]")) << err.toStdString();
    }
}

} // namespace
} // namespace vezal
