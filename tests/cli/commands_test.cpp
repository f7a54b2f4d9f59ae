// What each command leaves in klasman.dat and Liste, and what it prints, against the real store.
#include "support/CliHarness.h"

#include "cli/Cli.h"
#include "rating/MatchRating.h"
#include "store/Messages.h"

#include <QFile>
#include <QStringEncoder>
#include <charconv>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing::cells;
using testing::ProgramFolder;

QString message(const char16_t* text) {
    return QString::fromUtf16(text);
}

QByteArray cp1254(const QString& text) {
    QStringEncoder encoder("windows-1254");
    return encoder.encode(text);
}

double real(const QString& cell) {
    const std::string text = cell.toStdString();
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
    return value;
}

const QString kLeague = QStringLiteral("Süper Lig");

class Commands : public ::testing::Test {
protected:
    // Ankara seeded with 7 and İzmir with 5: a first match worked out by hand.
    void seedLeague() {
        folder.ok({"add-league", kLeague});
        folder.ok({"add-team", kLeague, "Ankara", "7"});
        folder.ok({"add-team", kLeague, "İzmir", "5"});
    }
    QList<QStringList> rows() const { return cells(folder.ok({"rows"})); }
    void expectRefused(const QStringList& args, const char16_t* text) {
        const auto before = rows();
        const auto result = folder.run(args);
        EXPECT_EQ(result.code, kExitRefused) << args.join(' ').toStdString();
        EXPECT_EQ(result.err, message(text) + '\n') << args.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(rows(), before) << "a refusal wrote rows";
    }

    ProgramFolder folder;
};

TEST_F(Commands, LeaguesAreSavedInTurkishOrderWhateverOrderTheyCame) {
    for (const char* name : {"Şile", "İzmir Ligi", "Çorum", "Cide", "Ilgaz", " Bolu"})
        folder.ok({"add-league", QString::fromUtf8(name)});
    const QStringList sorted = {" Bolu", "Cide", "Çorum", "Ilgaz", "İzmir Ligi", "Şile"};
    EXPECT_EQ(folder.leagueFileBytes(), cp1254(sorted.join("\r\n") + "\r\n"));
    EXPECT_EQ(folder.ok({"leagues"}), "Klas\n" + sorted.join('\n') + '\n');
}

TEST_F(Commands, AddLeagueRefusesWithTheStatusLineWarnings) {
    folder.ok({"add-league", kLeague});
    const QByteArray before = folder.leagueFileBytes();
    const struct {
        const char* typed;
        const char16_t* warning;
    } cases[] = {
        {"süper lig", messages::kLeagueExists},        {"SÜPER LİG", messages::kLeagueExists},
        {"   ", messages::kLeagueNameEmpty},           {"", messages::kLeagueNameEmpty},
        {"Lig 日本", messages::kLeagueNameNotTurkish},
    };
    for (const auto& c : cases) {
        const auto result = folder.run({"add-league", QString::fromUtf8(c.typed)});
        EXPECT_EQ(result.code, kExitRefused) << c.typed;
        EXPECT_EQ(result.err, message(c.warning) + '\n') << c.typed;
        EXPECT_EQ(folder.leagueFileBytes(), before) << c.typed;
    }
    // Blanks are part of the name as typed.
    folder.ok({"add-league", " Süper Lig"});
    EXPECT_EQ(folder.leagueFileBytes(), cp1254(" Süper Lig\r\nSüper Lig\r\n"));
}

TEST_F(Commands, AddTeamWritesTheSeedRowWithPointsTypedEitherWay) {
    folder.ok({"add-league", kLeague});
    folder.ok({"add-team", kLeague, "Ankara", "5.5"});
    folder.ok({"add-team", kLeague, "İzmir", "5,5"});
    const auto table = rows();
    ASSERT_EQ(table.size(), 3);
    EXPECT_EQ(table[0], (QStringList{"Sr", "Tur", "Klas", "Tarih", "Etkm", "Mtkm", "Oyun", "Ea", "Ey", "Ma",
                                     "My", "Etp", "Mtp", "Erakip", "Mrakip"}));
    const SeedSplit split = splitStartingPoints(5.5);
    for (int i : {1, 2}) {
        EXPECT_EQ(table[i].mid(1, 3), (QStringList{"A", kLeague, "2008-01-01"}));
        EXPECT_EQ(table[i][4], table[i][5]);
        EXPECT_EQ(table[i].mid(6, 5), QStringList(5, QString())) << "a seed row has no games or goals";
        EXPECT_EQ(real(table[i][11]), split.etp);
        EXPECT_EQ(real(table[i][12]), split.mtp);
        EXPECT_EQ(table[i].mid(13), QStringList(2, QString()));
    }
}

TEST_F(Commands, AddTeamChecksInOrder) {
    seedLeague();
    expectRefused({"add-team", "Başka Lig", "", "0"}, messages::kChooseTeamLeague);
    expectRefused({"add-team", kLeague, "", "0"}, messages::kEnterTeamName);
    expectRefused({"add-team", kLeague, "   ", "5"}, messages::kEnterTeamName);
    expectRefused({"add-team", kLeague, QStringLiteral("\u00A0"), "5"}, messages::kEnterTeamName);
    expectRefused({"add-team", kLeague, QStringLiteral(" \u00A0\t"), "5"}, messages::kEnterTeamName);
    // The table keeps 20 characters: blanks ahead of them would be stored as a blank name.
    expectRefused({"add-team", kLeague, QString(20, ' ') + "Bursa", "5"}, messages::kEnterTeamName);
    expectRefused({"add-team", kLeague, "Bursa", "0"}, messages::kEnterStartingPoints);
    expectRefused({"add-team", kLeague, "Bursa", ","}, messages::kEnterStartingPoints);
    expectRefused({"add-team", kLeague, "Bursa", ""}, messages::kEnterStartingPoints);
    expectRefused({"add-team", kLeague, "Bursa", "7.5"}, messages::kTooManyPoints);
    expectRefused({"add-team", kLeague, "Bursa", "1" + QString(309, '0')}, messages::kTooManyPoints);
    expectRefused({"add-team", kLeague, "Bursa", "1" + QString(309, '0') + ",5"}, messages::kTooManyPoints);
    expectRefused({"add-team", kLeague, "ANKARA", "7.5"}, messages::kTooManyPoints);
    expectRefused({"add-team", kLeague, "ANKARA", "7"}, messages::kTeamExists);
    expectRefused({"add-team", kLeague, "izmir", "3"}, messages::kTeamExists);
    // The same name in another league is another registration.
    folder.ok({"add-league", "Birinci Lig"});
    folder.ok({"add-team", "Birinci Lig", "Ankara", "3"});
}

TEST_F(Commands, AddResultRatesTheWorkedExample) {
    seedLeague();
    const double hs = splitStartingPoints(7).etp;
    const double as = splitStartingPoints(5).mtp;
    const struct {
        const char* day;
        const char* homeGoals;
        const char* awayGoals;
        const char* home;
        const char* away;
    } matches[] = {
        {"15.08.2009", "2", "1", "Ankara", "İzmir"},
        {"2009-08-15", "7", "3", "İzmir", "Ankara"},
    };
    for (const auto& m : matches)
        folder.ok({"add-result", kLeague, m.day, QString::fromUtf8(m.home), QString::fromUtf8(m.away),
                   m.homeGoals, m.awayGoals});
    const auto table = rows();
    ASSERT_EQ(table.size(), 5);
    const QStringList home = table[3];
    EXPECT_EQ(home.mid(1, 10).join(' '), "O Süper Lig 2009-08-15 Ankara İzmir 1 2 1 1 2");
    const RatingTransfer first = rateMatch(2, 1, hs, as);
    EXPECT_EQ(real(home[11]), first.etp);
    EXPECT_EQ(real(home[12]), first.mtp);
    EXPECT_EQ(real(home[13]), as);
    EXPECT_EQ(real(home[14]), hs);
    // Same day: the reversed pairing is rated from the ratings before the day, and 7-3 is a draw.
    const QStringList reversed = table[4];
    EXPECT_EQ(reversed.mid(4, 7).join(' '), "İzmir Ankara 1 7 3 3 7");
    const RatingTransfer second = rateMatch(7, 3, splitStartingPoints(5).etp, splitStartingPoints(7).mtp);
    EXPECT_EQ(real(reversed[11]), second.etp);
    EXPECT_EQ(real(reversed[12]), second.mtp);
}

TEST_F(Commands, AddResultChecksInOrder) {
    seedLeague();
    folder.ok({"add-league", "Birinci Lig"});
    folder.ok({"add-team", "Birinci Lig", "Bursa", "4"});
    const QString day = QStringLiteral("15.08.2009");
    expectRefused({"add-result", "Yok Lig", "01.01.2008", "", "", "", ""}, messages::kEntryDateTooEarly);
    expectRefused({"add-result", "Yok Lig", "2009-08-15", "Ankara", "İzmir", "1", "0"},
                  messages::kChooseLeague);
    expectRefused({"add-result", kLeague, day, "", "İzmir", "1", "0"}, messages::kChooseHomeTeam);
    expectRefused({"add-result", kLeague, day, "Bursa", "İzmir", "1", "0"}, messages::kChooseHomeTeam);
    expectRefused({"add-result", kLeague, day, "ankara", "İzmir", "1", "0"}, messages::kChooseHomeTeam);
    expectRefused({"add-result", kLeague, day, "Ankara", "Bursa", "", ""}, messages::kChooseAwayTeam);
    expectRefused({"add-result", kLeague, day, "Ankara", "İzmir", "", "0"}, messages::kBadScore);
    expectRefused({"add-result", kLeague, day, "Ankara", "İzmir", "1", "10"}, messages::kBadScore);
    expectRefused({"add-result", kLeague, day, "Ankara", "Ankara", "1", "0"}, messages::kSameTeams);
    folder.ok({"add-result", kLeague, "02.01.2008", "Ankara", "İzmir", "1", "0"});
    folder.ok({"add-result", kLeague, day, "Ankara", "İzmir", "1", "0"});
    expectRefused({"add-result", kLeague, "2009-08-15", "Ankara", "İzmir", "3", "3"}, messages::kMatchExists);
    folder.ok({"add-result", kLeague, day, "İzmir", "Ankara", "3", "3"});
}

TEST_F(Commands, LeagueViewsPrintTheirColumns) {
    seedLeague();
    folder.ok({"add-team", kLeague, "Bursa", "2"});
    folder.ok({"add-result", kLeague, "15.08.2009", "Ankara", "İzmir", "2", "1"});
    folder.ok({"add-result", kLeague, "22.08.2009", "İzmir", "Ankara", "0", "0"});

    const auto home = cells(folder.ok({"table", "home", kLeague}));
    ASSERT_EQ(home.size(), 4);
    EXPECT_EQ(home[0], (QStringList{"Etkm", "oy", "Gol", "ygol", "Toplam"}));
    EXPECT_EQ(home[1].mid(0, 4), (QStringList{"Ankara", "1", "2", "1"}));
    EXPECT_EQ(home[2].mid(0, 4), (QStringList{"İzmir", "1", "0", "0"}));
    EXPECT_EQ(home[3], (QStringList{"Bursa", "", "", "", "1.02"})) << "seed only: empty games and goals";
    EXPECT_GT(real(home[1][4]), real(home[2][4]));

    const auto away = cells(folder.ok({"table", "away", kLeague}));
    ASSERT_EQ(away.size(), 4);
    EXPECT_EQ(away[0], (QStringList{"Mtkm", "oy", "Gol", "ygol", "Toplam"}));
    EXPECT_EQ(away[3], (QStringList{"Bursa", "", "", "", "0.98"}));

    const QString header = QStringLiteral("Tarih\tEtkm\tEa\tMtkm\tEy\n");
    const QString later = QStringLiteral("2009-08-22\tİzmir\t0\tAnkara\t0\n");
    const QString earlier = QStringLiteral("2009-08-15\tAnkara\t2\tİzmir\t1\n");
    const struct {
        QStringList args;
        QString out;
    } histories[] = {
        {{"history", kLeague}, header + later + earlier},
        {{"history", kLeague, "--team", "Ankara"}, header + later + earlier},
        {{"history", kLeague, "--team", "Ankara", "--home"}, header + earlier},
        {{"history", kLeague, "--team=Ankara", "--away"}, header + later},
        {{"history", kLeague, "--team", "Bursa"}, header},
    };
    for (const auto& h : histories)
        EXPECT_EQ(folder.ok(h.args), h.out) << h.args.join(' ').toStdString();

    EXPECT_EQ(folder.ok({"teams", kLeague}), "Etkm\nAnkara\nBursa\nİzmir\n");
}

TEST_F(Commands, ResultsShowWhatTheResultsWindowShowsFromADay) {
    seedLeague();
    folder.ok({"add-league", "Birinci Lig"});
    folder.ok({"add-team", "Birinci Lig", "Bursa", "4"});
    folder.ok({"add-result", kLeague, "15.08.2009", "Ankara", "İzmir", "2", "1"});
    folder.ok({"add-result", kLeague, "22.08.2009", "İzmir", "Ankara", "0", "0"});

    const struct {
        QStringList args;
        QStringList days;
    } cases[] = {
        {{"results", kLeague}, {"2009-08-15", "2009-08-22"}},
        {{"results", kLeague, "--from", "2009-08-16"}, {"2009-08-22"}},
        {{"results", kLeague, "--from", "23.08.2009"}, {}},
        {{"results", "Birinci Lig"}, {}},
        // On or before the seed date the window shows every row of every league.
        {{"results", "Birinci Lig", "--from", "01.01.2008"},
         {"2008-01-01", "2008-01-01", "2008-01-01", "2009-08-15", "2009-08-22"}},
    };
    for (const auto& c : cases) {
        const auto shown = cells(folder.ok(c.args));
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown[0], (QStringList{"Sr", "Tarih", "Etkm", "Ea", "Mtkm", "Ey"}));
        QStringList days;
        for (qsizetype i = 1; i < shown.size(); ++i)
            days << shown[i][1];
        EXPECT_EQ(days, c.days) << c.args.join(' ').toStdString();
    }
}

TEST_F(Commands, DeleteTeamTakesItsMatchesInThatLeagueOnly) {
    seedLeague();
    folder.ok({"add-team", kLeague, "Bursa", "2"});
    folder.ok({"add-league", "Birinci Lig"});
    folder.ok({"add-team", "Birinci Lig", "Ankara", "3"});
    folder.ok({"add-result", kLeague, "15.08.2009", "Ankara", "İzmir", "2", "1"});
    folder.ok({"add-result", kLeague, "16.08.2009", "Bursa", "İzmir", "0", "1"});

    EXPECT_EQ(folder.ok({"delete-team", kLeague, "Ankara"}), "");
    EXPECT_EQ(folder.ok({"teams", kLeague}), "Etkm\nBursa\nİzmir\n");
    // Not there: gone already, another spelling, a league it never played in, no league at all.
    expectRefused({"delete-team", kLeague, "Ankara"}, messages::kTeamNotInLeague);
    expectRefused({"delete-team", kLeague, "bursa"}, messages::kTeamNotInLeague);
    expectRefused({"delete-team", "Birinci Lig", "İzmir"}, messages::kTeamNotInLeague);
    expectRefused({"delete-team", "Yok Lig", "Bursa"}, messages::kTeamNotInLeague);
    EXPECT_EQ(folder.ok({"teams", "Birinci Lig"}), "Etkm\nAnkara\n");
    EXPECT_EQ(folder.ok({"history", kLeague}), "Tarih\tEtkm\tEa\tMtkm\tEy\n2009-08-16\tBursa\t0\tİzmir\t1\n");
}

TEST_F(Commands, DeleteLeagueEmptiesItAndKeepsTheFileInItsOwnOrder) {
    folder.writeLeagueFile(cp1254("Zonguldak\r\nSüper Lig\r\nAfyon\r\n"));
    folder.ok({"add-team", kLeague, "Ankara", "7"});
    folder.ok({"add-team", "Afyon", "Ankara", "3"});

    const QByteArray listed = folder.leagueFileBytes();
    for (const char* unlisted : {"süper lig", "Yok", ""}) {
        expectRefused({"delete-league", QString::fromUtf8(unlisted)}, messages::kLeagueNotListed);
        EXPECT_EQ(folder.leagueFileBytes(), listed);
    }

    folder.ok({"delete-league", kLeague});
    EXPECT_EQ(folder.leagueFileBytes(), cp1254("Zonguldak\r\nAfyon\r\n"));
    const auto left = rows();
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[1][2], "Afyon");
}

TEST_F(Commands, InitOnAFolderInUseChangesNothing) {
    seedLeague();
    const QByteArray list = folder.leagueFileBytes();
    const auto before = rows();
    folder.ok({"init"});
    EXPECT_EQ(folder.leagueFileBytes(), list);
    EXPECT_EQ(rows(), before);

    // A folder with a database but no list gets a list again, holding the league whose rows the table
    // has, so that they stay within reach; the rows stay.
    ASSERT_TRUE(QFile::remove(folder.file("klasman.dat")));
    folder.ok({"init"});
    EXPECT_EQ(folder.leagueFileBytes(), list);
    EXPECT_EQ(rows(), before);
}

TEST_F(Commands, LongNamesStayReachable) {
    const QString league = QStringLiteral("Türkiye Süper Futbol Ligi"); // 25 characters
    const QString team = QStringLiteral("Gençlerbirliği Spor Kulübü");
    folder.ok({"add-league", league});
    folder.ok({"add-team", league, team, "6"});
    folder.ok({"add-team", league, "Ankara", "6"});
    folder.ok({"add-result", league, "15.08.2009", team, "Ankara", "1", "1"});
    EXPECT_EQ(folder.ok({"teams", league}), "Etkm\nAnkara\nGençlerbirliği Spor \n");
    EXPECT_EQ(cells(folder.ok({"history", league, "--team", team})).size(), 2);
    folder.ok({"delete-team", league, team});
    folder.ok({"delete-league", league});
    EXPECT_EQ(rows().size(), 1) << "only the header is left";
}

} // namespace
} // namespace vezal

namespace vezal {
namespace {

// One season's table: that season's matches and the seed rows of the teams that played in it.
TEST(TableOfOneSeason, SumsTheSeasonsRowsAndRefusesASeasonTheLeagueNeverHad) {
    testing::ProgramFolder folder;
    const QString league = QStringLiteral("Sezon Ligi");
    folder.ok({"add-league", league});
    for (const auto& [team, points] : {std::pair{"Ankara", "7"}, {"İzmir", "5"}, {"Bursa", "2"}})
        folder.ok({"add-team", league, QString::fromUtf8(team), QString::fromLatin1(points)});
    folder.ok({"add-result", league, "01.09.2008", "Ankara", "İzmir", "2", "1"});
    folder.ok({"add-result", league, "20.08.2009", "İzmir", "Bursa", "0", "0"});

    struct Case {
        const char* side;
        const char* season;
        QStringList teams;          // in the table's order
        QStringList games;          // oy of each
        std::vector<double> points; // hand-worked: a seed row gives 0,51 (home) or 0,49 (away) of its points
    };
    const Case cases[] = {
        // Ankara won at home; İzmir played only away that season: its seed row alone, 5 x 0,51.
        {"home", "2008-09", {"Ankara", "İzmir"}, {"1", ""}, {-1, 2.55}},
        // Bursa drew away; İzmir's away side that season is its seed row alone, 5 x 0,49. Ankara did not
        // play.
        {"away", "2009-10", {"Bursa", "İzmir"}, {"1", ""}, {-1, 2.45}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.season);
        const auto table = cells(folder.ok({"table", c.side, league, "--season", c.season}));
        ASSERT_EQ(table.size(), c.teams.size() + 1);
        for (qsizetype row = 1; row < table.size(); ++row) {
            const auto at = c.teams.indexOf(table[row][0]);
            ASSERT_GE(at, 0) << table[row][0].toStdString();
            EXPECT_EQ(table[row][1], c.games[at]);
            if (c.points[at] >= 0) {
                EXPECT_NEAR(real(table[row][4]), c.points[at], 1e-9);
            }
        }
    }
    const auto whole = cells(folder.ok({"table", "home", league}));
    EXPECT_EQ(whole.size(), 4) << "without --season every team stays";

    const auto refused = folder.run({"table", "home", league, "--season", "2030-31"});
    EXPECT_EQ(refused.code, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("2008-09, 2009-10"))) << refused.err.toStdString();
}

} // namespace
} // namespace vezal
