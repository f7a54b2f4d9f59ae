// vezal-cli probabilities through the real executable, on leagues imported from CSV files.
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

void importSeason(const Folder& folder, const QString& league, const QByteArray& csv) {
    const Finished done =
        folder.run({"import", league, folder.write(QStringLiteral("sezon.csv"), csv), "--start-points", "5"});
    ASSERT_EQ(done.code, 0) << done.err.toStdString();
}

const QStringList kTeams = {"Kartal", "Bolu", "Sivas", "Çorum", "Rize", "İzmir"};
const QDate kFirstSaturday{2023, 8, 5};

// Six teams, each playing once every Saturday from 05.08.2023, double round robin by the circle method:
// `weeks` weeks of three matches; the last of ten weeks (07.10.2023) is Kartal - Bolu, İzmir - Sivas and
// Çorum - Rize. The last week's matches carry odds 2.10, 3.30, 3.50.
QByteArray season(int weeks) {
    QByteArray csv = "Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\n";
    QList<int> ring = {0, 1, 2, 3, 4, 5};
    for (int week = 0; week < weeks; ++week) {
        for (int i = 0; i < 3; ++i) {
            int home = ring[i];
            int away = ring[5 - i];
            if ((week + i) % 2 == 0)
                std::swap(home, away);
            const QString odds = week == weeks - 1 ? "2.10,3.30,3.50" : ",,";
            csv +=
                QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                    .arg(kFirstSaturday.addDays(7 * week).toString("dd/MM/yyyy"), kTeams[home], kTeams[away])
                    .arg((week + 2 * home) % 4)
                    .arg((week + away) % 3)
                    .arg(odds)
                    .toUtf8();
        }
        ring.move(5, 1);
    }
    return csv;
}

// The printed lines by name; a score line keeps its score and probability as two cells.
QMap<QString, QStringList> linesOf(const QByteArray& out) {
    QMap<QString, QStringList> lines;
    for (QStringList cells : testing::cells(QString::fromUtf8(out))) {
        const QString name = cells.takeFirst();
        lines.insert(name, cells);
    }
    return lines;
}

double number(const QMap<QString, QStringList>& lines, const QString& name) {
    bool ok = false;
    const double value = lines.value(name).value(lines.value(name).size() - 1).toDouble(&ok);
    EXPECT_TRUE(ok) << name.toStdString();
    return value;
}

TEST(CliProbabilities, PrintsEveryFigureByName) {
    Folder folder;
    importSeason(folder, "Süper Lig", season(10));
    const Finished done = folder.run({"probabilities", "Süper Lig", "Kartal", "Bolu"});
    ASSERT_EQ(done.code, 0) << done.err.toStdString();
    EXPECT_TRUE(done.err.isEmpty());

    QStringList names;
    for (const QStringList& cells : testing::cells(QString::fromUtf8(done.out)))
        names << cells.first();
    EXPECT_EQ(names.mid(0, 26), QStringList({"date",
                                             "matches",
                                             "p-home",
                                             "p-draw",
                                             "p-away",
                                             "p-under-2.5",
                                             "p-over-2.5",
                                             "p-btts",
                                             "score-1",
                                             "score-2",
                                             "score-3",
                                             "score-4",
                                             "score-5",
                                             "fair-home",
                                             "fair-draw",
                                             "fair-away",
                                             "xi",
                                             "shots-weight",
                                             "market-weight",
                                             "market-xi",
                                             "pool-weight",
                                             "forecast-home",
                                             "forecast-draw",
                                             "forecast-away",
                                             "forecast-under-2.5",
                                             "forecast-over-2.5"}));
    // Then a line for each of the 132 outcomes of every market, and the grid's four figures.
    EXPECT_EQ(names.mid(26, 132), QStringList(132, "market"));
    EXPECT_EQ(names.mid(158),
              QStringList({"grid-home-goals", "grid-away-goals", "grid-rho", "grid-first-half-share"}));

    const auto lines = linesOf(done.out);
    EXPECT_EQ(lines["date"], QStringList{"2023-10-08"}); // the day after the last match
    EXPECT_EQ(lines["matches"], QStringList{"30"});
    const double home = number(lines, "p-home");
    const double draw = number(lines, "p-draw");
    const double away = number(lines, "p-away");
    EXPECT_NEAR(home + draw + away, 1, 1e-12);
    EXPECT_NEAR(number(lines, "p-under-2.5") + number(lines, "p-over-2.5"), 1, 1e-12);
    EXPECT_NEAR(number(lines, "fair-home") * home, 1, 1e-12);
    EXPECT_NEAR(number(lines, "fair-draw") * draw, 1, 1e-12);
    EXPECT_NEAR(number(lines, "fair-away") * away, 1, 1e-12);
    double previous = 1;
    for (int i = 1; i <= 5; ++i) {
        const QStringList score = lines.value(QStringLiteral("score-%1").arg(i));
        ASSERT_EQ(score.size(), 2) << i;
        EXPECT_TRUE(QRegularExpression("\\A[0-9]+-[0-9]+\\z").match(score[0]).hasMatch())
            << score[0].toStdString();
        EXPECT_LE(score[1].toDouble(), previous);
        previous = score[1].toDouble();
    }
    EXPECT_FALSE(done.out.contains(',')); // numbers carry a point
}

// The market lines by code: probability, fair odds and, for Asian and draw-no-bet lines, the half-win,
// push, half-loss and loss probabilities.
QMap<QString, QList<double>> marketLines(const QByteArray& out) {
    QMap<QString, QList<double>> lines;
    for (QStringList cells : testing::cells(QString::fromUtf8(out)))
        if (cells.first() == "market") {
            QList<double> figures;
            for (const QString& cell : cells.mid(2))
                figures << (cell.isEmpty() ? -1 : cell.toDouble());
            lines.insert(cells.at(1), figures);
        }
    return lines;
}

// Every market agrees with the 1X2, goal-line and both-score figures above it; the lines that can give
// stakes back carry their four more cells.
TEST(CliProbabilities, EveryMarketFromOneGrid) {
    Folder folder;
    importSeason(folder, "Süper Lig", season(10));
    const Finished done = folder.run({"probabilities", "Süper Lig", "Kartal", "Bolu"});
    ASSERT_EQ(done.code, 0) << done.err.toStdString();
    const auto lines = linesOf(done.out);
    const auto markets = marketLines(done.out);
    ASSERT_EQ(markets.size(), 132);
    const struct {
        const char* code;
        double expected;
    } agreeing[] = {
        {"1", number(lines, "p-home")},
        {"0", number(lines, "p-draw")},
        {"1X", number(lines, "p-home") + number(lines, "p-draw")},
        {"DNB1", number(lines, "p-home")},
        {"ALT", number(lines, "p-under-2.5")},
        {"KGVAR", number(lines, "p-btts")},
        {"KGYOK", 1 - number(lines, "p-btts")},
    };
    for (const auto& a : agreeing)
        EXPECT_NEAR(markets.value(a.code).value(0), a.expected, 1e-12) << a.code;
    EXPECT_NEAR(markets.value("DNB1").value(3), number(lines, "p-draw"), 1e-12); // the push
    EXPECT_NEAR(markets.value("1").value(1), number(lines, "fair-home"), 1e-9);
    for (auto line = markets.cbegin(); line != markets.cend(); ++line) {
        const bool returnsStakes = line.key().startsWith("AH") || line.key().startsWith("DNB");
        EXPECT_EQ(line.value().size(), returnsStakes ? 6 : 2) << line.key().toStdString();
    }
    // A file without half-time scores: every league's share.
    EXPECT_EQ(lines["grid-first-half-share"], QStringList{"0.438"});
    EXPECT_GT(number(lines, "grid-home-goals"), 0);

    // With odds the grid is the forecast's: its 1X2 is the pooled one, no longer the model's.
    const Finished priced =
        folder.run({"probabilities", "Süper Lig", "Kartal", "Bolu", "--odds", "1.5,4.5,7"});
    ASSERT_EQ(priced.code, 0) << priced.err.toStdString();
    const auto pricedLines = linesOf(priced.out);
    const auto pricedMarkets = marketLines(priced.out);
    EXPECT_GT(std::abs(number(pricedLines, "forecast-home") - number(pricedLines, "p-home")), 1e-3);
    for (const auto& [code, figure] :
         {std::pair{"1", "forecast-home"}, std::pair{"0", "forecast-draw"}, std::pair{"2", "forecast-away"}})
        EXPECT_NEAR(pricedMarkets.value(code).value(0), number(pricedLines, figure), 1e-6) << code;
}

// With every goal of the season scored before the break (the half-time score is the full-time one), the
// share is (G + 1000 * 0.438) / (G + 1000), G the season's goals summed from the file.
TEST(CliProbabilities, FirstHalfShareFromTheKeptHalfTimeScores) {
    QByteArray csv;
    int goals = 0;
    for (const QString& line : QString::fromUtf8(season(10)).split('\n', Qt::SkipEmptyParts)) {
        QStringList cells = line.split(',');
        if (cells.at(0) == "Date")
            cells << "HTHG"
                  << "HTAG";
        else {
            goals += cells.at(3).toInt() + cells.at(4).toInt();
            cells << cells.at(3) << cells.at(4);
        }
        csv += cells.join(',').toUtf8() + '\n';
    }
    ASSERT_GT(goals, 0);
    Folder folder;
    importSeason(folder, "Süper Lig", csv);
    const auto lines = linesOf(folder.run({"probabilities", "Süper Lig", "Kartal", "Bolu"}).out);
    EXPECT_NEAR(number(lines, "grid-first-half-share"), (goals + 438.0) / (goals + 1000.0), 1e-15);
}

// 1/2.5 + 1/3.2 + 1/2.8 = 0.4 + 0.3125 + 0.3571428571 = 1.0696428571; the table's 2.10, 3.30, 3.50 give
// 0.4761904762 + 0.3030303030 + 0.2857142857 = 1.0649350649.
TEST(CliProbabilities, OddsGivenOrKeptInTheTable) {
    Folder folder;
    importSeason(folder, "Süper Lig", season(10));
    const struct {
        const char* name;
        QStringList args;
        double bookHome, bookDraw, odds[3];
    } cases[] = {
        {"given",
         {"Kartal", "Bolu", "--odds", "2.5,3.2,2.8"},
         0.4 / 1.0696428571,
         0.3125 / 1.0696428571,
         {2.5, 3.2, 2.8}},
        {"kept for that match and day",
         {"Çorum", "Rize", "--date", "07.10.2023"},
         0.4761904762 / 1.0649350649,
         0.3030303030 / 1.0649350649,
         {2.1, 3.3, 3.5}},
        {"given over kept",
         {"Çorum", "Rize", "--date", "2023-10-07", "--odds", "2.5,3.2,2.8"},
         0.4 / 1.0696428571,
         0.3125 / 1.0696428571,
         {2.5, 3.2, 2.8}},
        {"given with decimal commas",
         {"Kartal", "Bolu", "--odds", "2,5;3,2;2,8"},
         0.4 / 1.0696428571,
         0.3125 / 1.0696428571,
         {2.5, 3.2, 2.8}},
    };
    for (const auto& c : cases) {
        const Finished done = folder.run(QStringList{"probabilities", "Süper Lig"} + c.args);
        ASSERT_EQ(done.code, 0) << c.name << ": " << done.err.toStdString();
        const auto lines = linesOf(done.out);
        EXPECT_NEAR(number(lines, "book-home"), c.bookHome, 1e-9) << c.name;
        EXPECT_NEAR(number(lines, "book-draw"), c.bookDraw, 1e-9) << c.name;
        EXPECT_NEAR(number(lines, "ev-home"), number(lines, "p-home") * c.odds[0] - 1, 1e-12) << c.name;
        EXPECT_NEAR(number(lines, "ev-draw"), number(lines, "p-draw") * c.odds[1] - 1, 1e-12) << c.name;
        EXPECT_NEAR(number(lines, "ev-away"), number(lines, "p-away") * c.odds[2] - 1, 1e-12) << c.name;
        // The forecast: book^0.55 * p^0.45 per outcome, made to sum to 1; its value at the same odds.
        const char* sides[] = {"home", "draw", "away"};
        double pooled[3], sum = 0;
        for (int i = 0; i < 3; ++i) {
            pooled[i] = std::pow(number(lines, QStringLiteral("book-%1").arg(sides[i])), 0.55) *
                        std::pow(number(lines, QStringLiteral("p-%1").arg(sides[i])), 0.45);
            sum += pooled[i];
        }
        for (int i = 0; i < 3; ++i) {
            const double forecast = number(lines, QStringLiteral("forecast-%1").arg(sides[i]));
            EXPECT_NEAR(forecast, pooled[i] / sum, 1e-12) << c.name << ' ' << sides[i];
            EXPECT_NEAR(number(lines, QStringLiteral("forecast-ev-%1").arg(sides[i])),
                        forecast * c.odds[i] - 1, 1e-12)
                << c.name;
        }
    }
    // A weight of 0 gives the market's probabilities, of 1 the model's.
    const auto market = linesOf(folder
                                    .run({"probabilities", "Süper Lig", "Kartal", "Bolu", "--odds",
                                          "2.5,3.2,2.8", "--pool-weight", "0"})
                                    .out);
    EXPECT_NEAR(number(market, "forecast-home"), 0.4 / 1.0696428571, 1e-9);
    EXPECT_EQ(market["pool-weight"], QStringList{"0"});
    const auto model = linesOf(folder
                                   .run({"probabilities", "Süper Lig", "Kartal", "Bolu", "--odds",
                                         "2.5,3.2,2.8", "--pool-weight", "1"})
                                   .out);
    EXPECT_NEAR(number(model, "forecast-away"), number(model, "p-away"), 1e-12);
    // Another pairing on that day has no odds kept: no value lines.
    const Finished other =
        folder.run({"probabilities", "Süper Lig", "Rize", "Çorum", "--date", "07.10.2023"});
    ASSERT_EQ(other.code, 0);
    EXPECT_FALSE(other.out.contains("ev-home"));
    EXPECT_FALSE(other.out.contains("book-home"));
}

// A result entered on the day predicted, or later, leaves that day's figures as they were.
TEST(CliProbabilities, LaterResultsDoNotReachBack) {
    Folder folder;
    importSeason(folder, "Süper Lig", season(10));
    const QStringList onTheLastDay = {"probabilities", "Süper Lig", "Kartal",
                                      "Sivas",         "--date",    "07.10.2023"};
    const Finished before = folder.run(onTheLastDay);
    ASSERT_EQ(before.code, 0) << before.err.toStdString();
    const Finished added = folder.run({"add-result", "Süper Lig", "07.10.2023", "Kartal", "Sivas", "9", "0"});
    ASSERT_EQ(added.code, 0) << added.err.toStdString();
    const Finished later = folder.run({"add-result", "Süper Lig", "14.10.2023", "Sivas", "Kartal", "0", "8"});
    ASSERT_EQ(later.code, 0) << later.err.toStdString();
    EXPECT_EQ(folder.run(onTheLastDay).out, before.out);
    // Without a date the day after the newest result is predicted, and that sees both.
    const auto moved = linesOf(folder.run({"probabilities", "Süper Lig", "Kartal", "Sivas"}).out);
    EXPECT_EQ(moved["date"], QStringList{"2023-10-15"});
    EXPECT_EQ(moved["matches"], QStringList{"32"});
}

TEST(CliProbabilities, XiChangesTheWeights) {
    Folder folder;
    importSeason(folder, "Süper Lig", season(10));
    const auto plain = linesOf(folder.run({"probabilities", "Süper Lig", "Kartal", "Bolu", "--xi", "0"}).out);
    const auto steep =
        linesOf(folder.run({"probabilities", "Süper Lig", "Kartal", "Bolu", "--xi", "0,05"}).out);
    const auto usual = linesOf(folder.run({"probabilities", "Süper Lig", "Kartal", "Bolu"}).out);
    const auto same =
        linesOf(folder.run({"probabilities", "Süper Lig", "Kartal", "Bolu", "--xi=0.0019"}).out);
    ASSERT_TRUE(plain.contains("p-home") && steep.contains("p-home"));
    EXPECT_NE(plain["p-home"], steep["p-home"]);
    EXPECT_EQ(usual, same);
}

TEST(CliProbabilities, RefusalsAndUsageErrors) {
    Folder folder;
    importSeason(folder, "Süper Lig", season(10));
    // Two Saturdays: two matches a team; a year earlier, as one match is never stored in two leagues.
    importSeason(folder, "Alt Lig", season(2).replace("/2023", "/2022"));
    const struct {
        const char* name;
        QStringList args;
        int code;
        QString err;
    } cases[] = {
        {"unknown home", {"Süper Lig", "Yok", "Bolu"}, 1, "Ev sahibi takım bu ligin maçlarında yok: Yok\n"},
        {"unknown away", {"Süper Lig", "Bolu", "Yok"}, 1, "Misafir takım bu ligin maçlarında yok: Yok\n"},
        {"same team", {"Süper Lig", "Bolu", "Bolu"}, 1, "Ev sahibi ve misafir takım aynı olamaz: Bolu\n"},
        {"unknown league",
         {"Yok Lig", "Kartal", "Bolu"},
         1,
         "\"Yok Lig\" liginde kayıtlı maç yok; olasılık hesaplanamıyor.\n"},
        {"too few matches",
         {"Alt Lig", "Kartal", "Bolu"},
         1,
         "Kartal bu ligde 13.08.2022 tarihinden önce yalnızca 2 maç oynamış; olasılık için en az 5 maç "
         "gerekir.\n"},
        {"before the first match",
         {"Süper Lig", "Bolu", "Kartal", "--date", "05.08.2023"},
         1,
         "Bolu bu ligde 05.08.2023 tarihinden önce yalnızca 0 maç oynamış; olasılık için en az 5 maç "
         "gerekir.\n"},
        {"odds not three", {"Süper Lig", "Kartal", "Bolu", "--odds", "2.1,3.3"}, 2, {}},
        {"odds with commas", {"Süper Lig", "Kartal", "Bolu", "--odds", "2,1,3,3,3,5"}, 2, {}},
        {"odds of 1", {"Süper Lig", "Kartal", "Bolu", "--odds", "1,3.3,3.5"}, 2, {}},
        {"odds not a number", {"Süper Lig", "Kartal", "Bolu", "--odds", "2.1,x,3.5"}, 2, {}},
        {"odds beyond a thousand", {"Süper Lig", "Kartal", "Bolu", "--odds", "1e308,3.3,3.5"}, 2, {}},
        {"odds of a thousand and more", {"Süper Lig", "Kartal", "Bolu", "--odds", "2.1,3.3,1000.01"}, 2, {}},
        {"odds not a number at all", {"Süper Lig", "Kartal", "Bolu", "--odds", "2.1,NaN,3.5"}, 2, {}},
        {"negative xi", {"Süper Lig", "Kartal", "Bolu", "--xi", "-0.1"}, 2, {}},
        {"xi not a number", {"Süper Lig", "Kartal", "Bolu", "--xi", "inf"}, 2, {}},
        {"market share above 1", {"Süper Lig", "Kartal", "Bolu", "--market-weight", "1.5"}, 2, {}},
        {"negative market xi", {"Süper Lig", "Kartal", "Bolu", "--market-xi", "-0.01"}, 2, {}},
        {"pool weight not a number", {"Süper Lig", "Kartal", "Bolu", "--pool-weight", "yarım"}, 2, {}},
        {"bad date", {"Süper Lig", "Kartal", "Bolu", "--date", "31.02.2023"}, 2, {}},
    };
    for (const auto& c : cases) {
        const Finished done = folder.run(QStringList{"probabilities"} + c.args);
        EXPECT_EQ(done.code, c.code) << c.name;
        EXPECT_TRUE(done.out.isEmpty()) << c.name;
        if (c.code == 1)
            EXPECT_EQ(QString::fromUtf8(done.err), c.err) << c.name;
        else
            EXPECT_TRUE(done.err.contains("Kullanım: vezal-cli")) << c.name;
    }
}

} // namespace
} // namespace vezal
