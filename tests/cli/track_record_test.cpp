// vezal-cli track-record through the real executable, on a small league worked out by hand.
#include "support/CliHarness.h"

#include <QDate>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
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
// 30.06.2010 Sivas-Kartal and 07.08.2010 Hatay-Bolu: no home game yet, refused; one per season (the
// 37 days without a match before 07.08 are the summer break).
const QByteArray kResults = "Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\r\n"
                            "15/08/2009,İzmir,Bolu,1,3,1.80,3.40,4.50\r\n"
                            "15/08/2009,Kartal,Çorum,2,4,,,\r\n"
                            "22/08/2009,İzmir,Çorum,2,2,2.10,3.20,3.50\r\n"
                            "22/08/2009,Kartal,Bolu,0,3,,,\r\n"
                            "22/08/2009,Çorum,İzmir,1,0,,,\r\n"
                            "30/06/2010,Sivas,Kartal,0,0,,,\r\n"
                            "07/08/2010,Hatay,Bolu,2,1,,,\r\n";

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

// The goals model's thirty-four lines when it forecast nothing: every team of this league has fewer than
// five matches before each day. The last fourteen hold the value bets against the closing line, the Asian
// handicap's and the forecast's scores.
QByteArray noModelLines(const char* season) {
    static const char* lines[] = {"model-first-sign\t0\t0\t-",
                                  "model-uo\t0\t0\t-",
                                  "value-bets\t0\t0\t-",
                                  "value-won\t0\t0\t-",
                                  "value-profit\t0.00\t0\t-",
                                  "value-yield\t0.00\t0\t-",
                                  "model-rps\t-\t0\t",
                                  "bookmaker-rps\t-\t0\t",
                                  "model-log-loss\t-\t0\t",
                                  "bookmaker-log-loss\t-\t0\t",
                                  "model-uo-brier\t-\t0\t",
                                  "bookmaker-uo-brier\t-\t0\t",
                                  "model-uo-log-loss\t-\t0\t",
                                  "bookmaker-uo-log-loss\t-\t0\t",
                                  "model-uo15-brier\t-\t0\t",
                                  "model-uo15-log-loss\t-\t0\t",
                                  "model-uo35-brier\t-\t0\t",
                                  "model-uo35-log-loss\t-\t0\t",
                                  "model-btts-brier\t-\t0\t",
                                  "model-btts-log-loss\t-\t0\t",
                                  "value-close-ev\t0.00\t0\t-",
                                  "value-close-ev-low\t\t0\t-",
                                  "value-close-ev-high\t\t0\t-",
                                  "value-clv\t0.00\t0\t-",
                                  "ah-value-bets\t0\t0\t-",
                                  "ah-value-profit\t0.00\t0\t-",
                                  "ah-value-yield\t0.00\t0\t-",
                                  "ah-value-close-ev\t0.00\t0\t-",
                                  "ah-value-close-ev-low\t\t0\t-",
                                  "ah-value-close-ev-high\t\t0\t-",
                                  "ah-value-clv\t0.00\t0\t-",
                                  "bookmaker-closing-rps\t-\t0\t",
                                  "forecast-rps\t-\t0\t",
                                  "bookmaker-opening-rps\t-\t0\t"};
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(season) + '\t' + line + '\n';
    return out;
}

// The twenty-five lines of a season, from the counts worked out above; stake-yield repeats stake-profit's
// fields.
QByteArray seasonLines(const char* season, const QList<QByteArray>& counts) {
    static const char* figures[] = {
        "first-sign",        "double-chance", "single-sign",   "uo-clear",    "uo-lean",
        "goals-band",        "exact-score",   "not-predicted", "always-home", "bookmaker-favourite",
        "bookmaker-top-two", "stake-bets",    "stake-won",     "stake-profit"};
    EXPECT_EQ(counts.size(), 14);
    QByteArray lines;
    for (qsizetype i = 0; i < counts.size(); ++i)
        lines += QByteArray(season) + '\t' + figures[i] + '\t' + counts[i] + '\n';
    return lines + QByteArray(season) + "\tstake-yield\t" + counts.last() + '\n' + noModelLines(season);
}

const QByteArray kHeader = "season\tfigure\thits\tcounted\tpercent\n";
// The model walked with the defaults of a league never tuned.
const QByteArray kModelOptions =
    "all\txi\t0.0019\t\t\nall\tshots-weight\t1\t\t\nall\tmarket-weight\t0.9\t\t\n"
    "all\tmarket-xi\t0.05\t\t\nall\tpool-weight\t0.45\t\t\n";

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
    const QByteArray expected =
        kHeader + seasonLines("all", withNotPredicted(kPredictedSeason, "5\t7\t71.4")) + kModelOptions +
        seasonLines("2009-10", withNotPredicted(kPredictedSeason, "4\t6\t66.7")) +
        seasonLines("2010-11", kRefusedOnly);
    EXPECT_EQ(done.out.toStdString(), expected.toStdString());

    // Its lines are the core's to check; here, that the option wrote them all.
    QFile file(perMatch);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray plain = file.readAll();
    EXPECT_EQ(plain.count("\r\n"), 8); // the header and seven matches
    file.close();

    // --turkish: the same lines for a Turkish spreadsheet; the figures printed do not change.
    const Finished turkish = folder.run({"track-record", "Süper Lig", "--per-match", perMatch, "--turkish"});
    EXPECT_EQ(turkish.code, 0) << turkish.err.toStdString();
    EXPECT_EQ(turkish.out, done.out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\"Tarih\";\"Sezon\";")) << bytes.left(40).toStdString();
    EXPECT_TRUE(plain.startsWith("\"Tarih\",\"Sezon\","));
    EXPECT_EQ(bytes.count("\r\n"), 8);
    // Every field quoted in both: the Turkish line is the plain one with ";" between fields, a decimal
    // comma inside them and the day as dd.MM.yyyy.
    QString turkishLines = QString::fromUtf8(plain);
    turkishLines.replace(QStringLiteral("\",\""), QStringLiteral("\";\""))
        .replace(QRegularExpression(QStringLiteral("\"(-?\\d+)\\.(\\d+)\"")), QStringLiteral("\"\\1,\\2\""))
        .replace(QRegularExpression(QStringLiteral("\"(\\d{4})-(\\d\\d)-(\\d\\d)\"")),
                 QStringLiteral("\"\\3.\\2.\\1\""));
    EXPECT_TRUE(bytes.contains("\"15.08.2009\";\"2009-10\"")) << bytes.mid(0, 400).toStdString();
    EXPECT_EQ(bytes, "\xEF\xBB\xBF" + turkishLines.toUtf8());
}

TEST(CliTrackRecord, FromAndToCountOnlyTheirMatches) {
    Folder folder;
    ASSERT_NO_FATAL_FAILURE(playLeague(folder));
    // From 01.07.2010 only 07.08.2010: one refused match, in 2010-11.
    Finished done = folder.run({"track-record", "Süper Lig", "--from", "01.07.2010"});
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(done.out.toStdString(), (kHeader + seasonLines("all", kRefusedOnly) + kModelOptions +
                                       seasonLines("2010-11", kRefusedOnly))
                                          .toStdString());

    // 22.08.2009 alone still predicts from the matches of 15.08: the two predictions, one refusal.
    done = folder.run({"track-record", "Süper Lig", "--from", "2009-08-22", "--to", "22.08.2009"});
    EXPECT_EQ(done.code, 0);
    const QList<QByteArray> counts = withNotPredicted(kPredictedSeason, "1\t3\t33.3");
    EXPECT_EQ(done.out.toStdString(),
              (kHeader + seasonLines("all", counts) + kModelOptions + seasonLines("2009-10", counts))
                  .toStdString());
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
         "--from gg.aa.yyyy ya da yyyy-aa-gg biçiminde, 01.01.1900 ile 31.12.2100 arasında bir tarih olmalı"},
        {{"Süper Lig", "--from", "2010-07-01", "--to", "2010-06-30"},
         "--from tarihi --to tarihinden sonra olamaz"},
        {{"Süper Lig", "--per-match"}, "--per-match seçeneğinin değeri eksik"},
        {{"Süper Lig", "--xi", "-1"}, "--xi sıfır ya da pozitif bir ondalık sayı olmalı"},
        {{"Süper Lig", "--value-threshold", "yüzde beş"},
         "--value-threshold sıfır ya da pozitif bir ondalık sayı olmalı (0.05): yüzde beş"},
        {{"Süper Lig", "--value-threshold", "-0.01"}, "--value-threshold sıfır ya da pozitif"},
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

// ---- The goals model, against probabilities asked for one by one ----

const QStringList kModelTeams = {"Kartal", "Bolu", "Sivas", "Çorum"};
const QDate kFirstSaturday{2023, 8, 5};
constexpr int kWeeks = 8;

// Four teams, each playing once every Saturday from 05.08.2023: rounds of three, home and away swapped
// every other round. From the sixth week on every team has five matches behind it and odds are kept.
QByteArray modelSeason() {
    QByteArray csv = "Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\n";
    const int pairings[3][4] = {{0, 1, 2, 3}, {0, 2, 3, 1}, {3, 0, 1, 2}};
    for (int week = 0; week < kWeeks; ++week) {
        const int* p = pairings[week % 3];
        const int swap = (week / 3) % 2;
        for (int m = 0; m < 2; ++m) {
            const int home = p[2 * m + swap];
            const int away = p[2 * m + 1 - swap];
            const QString odds =
                week >= 5
                    ? QStringLiteral("%1,3.40,%2").arg(1.60 + 0.45 * (week + m)).arg(5.20 - 0.40 * (week + m))
                    : QStringLiteral(",,");
            csv += QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                       .arg(kFirstSaturday.addDays(7 * week).toString("dd/MM/yyyy"), kModelTeams[home],
                            kModelTeams[away])
                       .arg((week + 2 * home + m) % 4)
                       .arg((3 * week + away) % 3)
                       .arg(odds)
                       .toUtf8();
        }
    }
    return csv;
}

struct ExpectedModel {
    int forecast = 0, signHits = 0, uoHits = 0, withOdds = 0, bets = 0, won = 0;
    double profit = 0, modelRps = 0, bookRps = 0, modelLoss = 0, bookLoss = 0;
};

// What the figures must be, from `probabilities` on each match of the forecast weeks, counted afresh.
ExpectedModel expectedModel(const Folder& folder, const QStringList& xi, double threshold) {
    ExpectedModel e;
    const QList<QByteArray> rows = modelSeason().split('\n');
    for (const QByteArray& row : rows.mid(1 + 2 * 5)) {
        const QStringList f = QString::fromUtf8(row).split(',');
        if (f.size() < 8)
            continue;
        const QString day = QDate::fromString(f[0], "dd/MM/yyyy").toString(Qt::ISODate);
        const Finished done = folder.run(QStringList{"probabilities", "Lig", f[1], f[2], "--date", day,
                                                     "--odds", f[5] + ',' + f[6] + ',' + f[7]} +
                                         xi);
        EXPECT_EQ(done.code, 0) << done.err.toStdString();
        QMap<QString, double> v;
        for (const QStringList& cells : testing::cells(QString::fromUtf8(done.out)))
            v.insert(cells.first(), cells.last().toDouble());
        const int hg = f[3].toInt(), ag = f[4].toInt();
        const int result = hg > ag ? 0 : hg == ag ? 1 : 2;
        const double p[3] = {v["p-home"], v["p-draw"], v["p-away"]};
        const double b[3] = {v["book-home"], v["book-draw"], v["book-away"]};
        // Value bets are the forecast's: the model pooled with the same odds.
        const double pooled[3] = {v["forecast-home"], v["forecast-draw"], v["forecast-away"]};
        const double odds[3] = {f[5].toDouble(), f[6].toDouble(), f[7].toDouble()};
        ++e.forecast;
        ++e.withOdds;
        int likeliest = 0;
        for (int i = 1; i < 3; ++i)
            if (p[i] > p[likeliest])
                likeliest = i;
        e.signHits += likeliest == result;
        e.uoHits += (v["p-over-2.5"] > v["p-under-2.5"]) == (hg + ag > 2);
        for (int i = 0; i < 3; ++i)
            if (pooled[i] * odds[i] - 1 > threshold) {
                ++e.bets;
                e.won += i == result;
                e.profit += i == result ? odds[i] - 1 : -1;
            }
        // The RPS by its two cumulative steps; the log loss of the outcome that came.
        const auto rps = [&](const double* q) {
            const double first = q[0] - (result == 0);
            const double second = q[0] + q[1] - (result <= 1);
            return (first * first + second * second) / 2;
        };
        e.modelRps += rps(p);
        e.bookRps += rps(b);
        e.modelLoss -= std::log(p[result]);
        e.bookLoss -= std::log(b[result]);
    }
    return e;
}

// The model's ten lines of a season, in the order printed.
const QStringList kModelFigures = {"model-first-sign", "model-uo",          "value-bets", "value-won",
                                   "value-profit",     "value-yield",       "model-rps",  "bookmaker-rps",
                                   "model-log-loss",   "bookmaker-log-loss"};

QMap<QString, QStringList> modelLines(const QByteArray& out, const QString& season) {
    QMap<QString, QStringList> lines;
    QStringList order;
    for (QStringList cells : testing::cells(QString::fromUtf8(out)))
        if (cells.size() == 5 && cells[0] == season && kModelFigures.contains(cells[1])) {
            order << cells[1];
            lines.insert(cells[1], cells.mid(2));
        }
    EXPECT_EQ(order, kModelFigures);
    return lines;
}

TEST(CliTrackRecord, PrintsTheGoalsModelsFiguresAsItsForecastsCountThem) {
    Folder folder;
    ASSERT_EQ(folder.run({"add-league", "Lig"}).code, 0);
    ASSERT_EQ(folder
                  .run({"import", "Lig", folder.write(QStringLiteral("lig.csv"), modelSeason()),
                        "--start-points", "5"})
                  .code,
              0);
    const struct {
        QStringList options;
        QStringList xi;
        double threshold;
    } cases[] = {
        {{}, {}, 0.05},
        {{"--xi", "0,01", "--value-threshold", "0.2"}, {"--xi", "0.01"}, 0.2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const Finished done = folder.run(QStringList{"track-record", "Lig"} + c.options);
        ASSERT_EQ(done.code, 0) << done.err.toStdString();
        const ExpectedModel e = expectedModel(folder, c.xi, c.threshold);
        EXPECT_EQ(e.forecast, 6);
        for (const char* season : {"all", "2023-24"}) {
            SCOPED_TRACE(season);
            const QMap<QString, QStringList> lines = modelLines(done.out, QString::fromLatin1(season));
            ASSERT_EQ(lines.size(), 10);
            const auto counts = [&](const char* name, int hits, int counted) {
                EXPECT_EQ(lines[name].mid(0, 2),
                          QStringList({QString::number(hits), QString::number(counted)}))
                    << name;
            };
            counts("model-first-sign", e.signHits, e.forecast);
            counts("model-uo", e.uoHits, e.forecast);
            counts("value-bets", e.bets, e.withOdds);
            counts("value-won", e.won, e.bets);
            EXPECT_EQ(lines["value-profit"].mid(0, 2),
                      QStringList({QString::number(e.profit, 'f', 2), QString::number(e.bets)}));
            EXPECT_EQ(lines["value-yield"], lines["value-profit"]);
            const std::pair<const char*, double> means[] = {{"model-rps", e.modelRps},
                                                            {"bookmaker-rps", e.bookRps},
                                                            {"model-log-loss", e.modelLoss},
                                                            {"bookmaker-log-loss", e.bookLoss}};
            for (const auto& [name, sum] : means) {
                const QStringList& fields = lines[name];
                ASSERT_EQ(fields.size(), 3) << name;
                EXPECT_EQ(fields[0].size(), 6) << name; // four decimals
                EXPECT_NEAR(fields[0].toDouble(), sum / e.withOdds, 1.5e-4) << name;
                EXPECT_EQ(fields[1], QString::number(e.withOdds)) << name;
                EXPECT_EQ(fields[2], QString()) << name;
            }
        }
    }
}

} // namespace
} // namespace vezal
