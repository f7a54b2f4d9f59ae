#include "support/TempProgram.h"

#include "store/Statements.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace vezal {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::readAll;
using Rows = std::vector<QStringList>;

const QString kSuper = u"Süper Lig"_s;
const QString kFirst = u"1. Lig"_s;

// Two leagues; İzmir plays in both.
class MatchTableTest : public testing::StoreTest {
protected:
    void SetUp() override {
        program.seed(kSuper, u"İzmir"_s, u"7"_s);
        program.seed(kSuper, u"Ankara"_s, u"5"_s);
        program.seed(kSuper, u"Bursa"_s, u"3"_s);
        program.seed(kFirst, u"İzmir"_s, u"4"_s);
        program.seed(kFirst, u"Çorum"_s, u"2"_s);
    }
    void play(const QString& league, const QDate& day, const QString& home, const QString& away, int hg,
              int ag) {
        const ResultOutcome outcome =
            program.enter(league, day, home, away, QString::number(hg), QString::number(ag));
        ASSERT_FALSE(outcome.refusal) << outcome.refusal->message.toStdString();
    }
    Rows rowsOf(QSqlQuery query) { return readAll(query); }
    static QStringList columns(const QSqlQuery& query) {
        QStringList names;
        for (int i = 0; i < query.record().count(); ++i)
            names << query.record().fieldName(i);
        return names;
    }
};

TEST_F(MatchTableTest, TablesOfALeagueWithoutMatches) {
    QSqlQuery home = table().homeTable(kSuper);
    EXPECT_EQ(columns(home), (QStringList{u"Etkm"_s, u"oy"_s, u"Gol"_s, u"ygol"_s, u"Toplam"_s}));
    EXPECT_EQ(readAll(home), (Rows{{u"İzmir"_s, u"-"_s, u"-"_s, u"-"_s, u"3.57"_s},
                                   {u"Ankara"_s, u"-"_s, u"-"_s, u"-"_s, u"2.55"_s},
                                   {u"Bursa"_s, u"-"_s, u"-"_s, u"-"_s, u"1.53"_s}}));
    QSqlQuery away = table().awayTable(kSuper);
    EXPECT_EQ(columns(away), (QStringList{u"Mtkm"_s, u"oy"_s, u"Gol"_s, u"ygol"_s, u"Toplam"_s}));
    EXPECT_EQ(readAll(away), (Rows{{u"İzmir"_s, u"-"_s, u"-"_s, u"-"_s, u"3.43"_s},
                                   {u"Ankara"_s, u"-"_s, u"-"_s, u"-"_s, u"2.45"_s},
                                   {u"Bursa"_s, u"-"_s, u"-"_s, u"-"_s, u"1.47"_s}}));
    EXPECT_TRUE(rowsOf(table().leagueHistory(kSuper)).empty());
    EXPECT_TRUE(rowsOf(table().homeTable(u"Yok"_s)).empty());
}

TEST_F(MatchTableTest, TablesSumTheLeaguesOwnRowsByPoints) {
    play(kSuper, QDate(2024, 3, 1), u"Bursa"_s, u"İzmir"_s, 3, 0);
    play(kSuper, QDate(2024, 3, 8), u"Bursa"_s, u"Ankara"_s, 2, 2);
    play(kFirst, QDate(2024, 3, 2), u"İzmir"_s, u"Çorum"_s, 5, 1); // other league: not in these tables

    const Rows home = rowsOf(table().homeTable(kSuper, Traversal::ForwardOnly));
    ASSERT_EQ(home.size(), 3u);
    EXPECT_EQ(home[0].mid(0, 4), (QStringList{u"İzmir"_s, u"-"_s, u"-"_s, u"-"_s}));
    EXPECT_EQ(home[2].mid(0, 4), (QStringList{u"Bursa"_s, u"2"_s, u"5"_s, u"2"_s}));
    for (std::size_t i = 1; i < home.size(); ++i)
        EXPECT_GE(home[i - 1][4].toDouble(), home[i][4].toDouble());

    const Rows away = rowsOf(table().awayTable(kSuper));
    ASSERT_EQ(away.size(), 3u);
    for (const QStringList& row : away) {
        if (row[0] == u"İzmir"_s) {
            EXPECT_EQ(row.mid(1, 3), (QStringList{u"1"_s, u"0"_s, u"3"_s}));
        } else if (row[0] == u"Ankara"_s) {
            EXPECT_EQ(row.mid(1, 3), (QStringList{u"1"_s, u"2"_s, u"2"_s}));
        }
    }
}

TEST_F(MatchTableTest, HistoriesAreNewestFirstAndListMatchesOnly) {
    play(kSuper, QDate(2008, 1, 2), u"Ankara"_s, u"Bursa"_s, 1, 0);
    play(kSuper, QDate(2024, 5, 1), u"Bursa"_s, u"İzmir"_s, 0, 2);
    play(kSuper, QDate(2024, 4, 1), u"İzmir"_s, u"Ankara"_s, 4, 4);
    play(kFirst, QDate(2024, 4, 2), u"İzmir"_s, u"Çorum"_s, 1, 1);

    QSqlQuery history = table().leagueHistory(kSuper);
    EXPECT_EQ(columns(history), (QStringList{u"Tarih"_s, u"Etkm"_s, u"Ea"_s, u"Mtkm"_s, u"Ey"_s}));
    EXPECT_EQ(readAll(history), (Rows{{u"2024-05-01"_s, u"Bursa"_s, u"0"_s, u"İzmir"_s, u"2"_s},
                                      {u"2024-04-01"_s, u"İzmir"_s, u"4"_s, u"Ankara"_s, u"4"_s},
                                      {u"2008-01-02"_s, u"Ankara"_s, u"1"_s, u"Bursa"_s, u"0"_s}}));

    const auto dates = [&](HistorySide side) {
        QStringList days;
        for (const QStringList& row : rowsOf(table().teamHistory(kSuper, u"İzmir"_s, side)))
            days << row[0];
        return days;
    };
    EXPECT_EQ(dates(HistorySide::Both), (QStringList{u"2024-05-01"_s, u"2024-04-01"_s}));
    EXPECT_EQ(dates(HistorySide::Home), (QStringList{u"2024-04-01"_s}));
    EXPECT_EQ(dates(HistorySide::Away), (QStringList{u"2024-05-01"_s}));
}

TEST_F(MatchTableTest, TeamLists) {
    program.seed(kSuper, u"adana"_s, u"1"_s);
    // Turkish order without regard to case, as every list of the program; not by character codes.
    EXPECT_EQ(table().teamList(kSuper), (QStringList{u"adana"_s, u"Ankara"_s, u"Bursa"_s, u"İzmir"_s}));
    for (const QString& team : {u"Idırspor"_s, u"Zonguldak"_s, u"Çorumspor"_s, u"İzmirspor"_s, u"ispir"_s})
        program.seed(u"Karma"_s, team, u"1"_s);
    EXPECT_EQ(table().teamList(u"Karma"_s),
              (QStringList{u"Çorumspor"_s, u"Idırspor"_s, u"ispir"_s, u"İzmirspor"_s, u"Zonguldak"_s}));
    EXPECT_EQ(columns(table().teamListQuery(kSuper)), QStringList{u"Etkm"_s});
    EXPECT_EQ(table().seedTeams(kSuper), (QStringList{u"İzmir"_s, u"Ankara"_s, u"Bursa"_s, u"adana"_s}));
    EXPECT_TRUE(table().isRegistered(kSuper, u"Bursa"_s));
    EXPECT_FALSE(table().isRegistered(kSuper, u"bursa"_s));
    EXPECT_FALSE(table().isRegistered(kFirst, u"Bursa"_s));
    EXPECT_TRUE(table().teamList(u"Yok"_s).isEmpty());
}

TEST_F(MatchTableTest, RatingsBeforeADayCountEveryLeagueAndNotTheDayItself) {
    const double izmirHome = table().homeRatingBefore(u"İzmir"_s, QDate(2024, 1, 1));
    EXPECT_NEAR(izmirHome, 7 * 0.51 + 4 * 0.51, 1e-12); // both seed rows
    EXPECT_NEAR(table().awayRatingBefore(u"İzmir"_s, QDate(2024, 1, 1)), 7 * 0.49 + 4 * 0.49, 1e-12);
    EXPECT_EQ(table().homeRatingBefore(u"Yok"_s, QDate(2024, 1, 1)), 0.0);
    EXPECT_EQ(table().homeRatingBefore(u"İzmir"_s, QDate(2008, 1, 1)), 0.0); // the seed day itself

    play(kFirst, QDate(2024, 3, 2), u"İzmir"_s, u"Çorum"_s, 2, 0);
    const double moved = program.rows().back().etp.toDouble();
    EXPECT_GT(moved, 0);
    EXPECT_EQ(table().homeRatingBefore(u"İzmir"_s, QDate(2024, 3, 2)), izmirHome);
    EXPECT_NEAR(table().homeRatingBefore(u"İzmir"_s, QDate(2024, 3, 3)), izmirHome + moved, 1e-12);
    // Lookups are exact: another spelling is another team.
    EXPECT_EQ(table().homeRatingBefore(u"izmir"_s, QDate(2024, 3, 3)), 0.0);
}

// The rating chart's points: the rating sums at the end of each day the team played, over every league.
TEST_F(MatchTableTest, RatingHistoryStepsAfterEachDayPlayed) {
    // Transfers chosen by hand, so that the sums can be followed. İzmir starts at 3.57 + 2.04 = 5.61 at
    // home and 3.43 + 1.96 = 5.39 away (its seed rows of 7 and 4 points, split 51 / 49).
    const auto row = [&](const QString& league, const QDate& day, const QString& home, const QString& away,
                         double etp, double mtp) {
        table().appendMatchRow(league, day, home, away, 1, 0, {etp, mtp, 0, 0});
    };
    row(kSuper, {2024, 3, 1}, u"İzmir"_s, u"Ankara"_s, 0.5, -0.25); // home 6.11
    row(kFirst, {2024, 3, 2}, u"Çorum"_s, u"İzmir"_s, -0.1, 0.3);   // away 5.69
    row(kSuper, {2024, 3, 2}, u"Ankara"_s, u"Bursa"_s, 0.4, 0.4);   // not İzmir's
    row(kSuper, {2024, 3, 9}, u"Ankara"_s, u"İzmir"_s, -0.7, 0.7);  // away 6.39
    row(kFirst, {2024, 3, 9}, u"İzmir"_s, u"Çorum"_s, -0.2, 0.2);   // the same day: home 5.91

    const struct {
        QDate day;
        double home;
        double away;
    } expected[] = {{{2024, 3, 1}, 6.11, 5.39}, {{2024, 3, 2}, 6.11, 5.69}, {{2024, 3, 9}, 5.91, 6.39}};
    const std::vector<RatingStep> steps = table().ratingHistory(u"İzmir"_s);
    ASSERT_EQ(steps.size(), std::size(expected));
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(steps[i].day, expected[i].day);
        EXPECT_NEAR(steps[i].home, expected[i].home, 1e-12);
        EXPECT_NEAR(steps[i].away, expected[i].away, 1e-12);
        // What the prediction reads on the next day.
        EXPECT_NEAR(steps[i].home, table().homeRatingBefore(u"İzmir"_s, steps[i].day.addDays(1)), 1e-12);
        EXPECT_NEAR(steps[i].away, table().awayRatingBefore(u"İzmir"_s, steps[i].day.addDays(1)), 1e-12);
    }
    // Ankara: 2.55 / 2.45, then -0.25 away on 01.03, 0.4 at home on 02.03, -0.7 at home on 09.03.
    const std::vector<RatingStep> ankara = table().ratingHistory(u"Ankara"_s);
    ASSERT_EQ(ankara.size(), 3u);
    EXPECT_NEAR(ankara[0].away, 2.20, 1e-12);
    EXPECT_NEAR(ankara[1].home, 2.95, 1e-12);
    EXPECT_NEAR(ankara[2].home, 2.25, 1e-12);
    EXPECT_NEAR(ankara[2].away, 2.20, 1e-12);
    // A team that only has its seed row, another spelling, a name nobody has: no steps.
    program.seed(kFirst, u"Sivas"_s, u"3"_s);
    for (const QString& team : {u"Sivas"_s, u"izmir"_s, u"Yok"_s})
        EXPECT_TRUE(table().ratingHistory(team).empty()) << team.toStdString();
}

TEST_F(MatchTableTest, OpponentStrengthSumsEveryLeague) {
    EXPECT_EQ(table().homeOpponentStrength(u"İzmir"_s), 0.0); // seed rows carry none
    EXPECT_EQ(table().awayOpponentStrength(u"Yok"_s), 0.0);
    play(kSuper, QDate(2024, 3, 1), u"İzmir"_s, u"Ankara"_s, 1, 0);
    play(kFirst, QDate(2024, 3, 2), u"İzmir"_s, u"Çorum"_s, 1, 0);
    const auto rows = program.rows();
    const double first = rows[rows.size() - 2].erakip.toDouble();
    const double second = rows.back().erakip.toDouble();
    EXPECT_EQ(first, 5 * 0.49);
    EXPECT_EQ(table().homeOpponentStrength(u"İzmir"_s), first + second);
    EXPECT_EQ(table().awayOpponentStrength(u"Ankara"_s), rows[rows.size() - 2].mrakip.toDouble());
}

TEST_F(MatchTableTest, ShownRowsFollowTheResultsWindowsFilter) {
    play(kSuper, QDate(2024, 3, 1), u"İzmir"_s, u"Ankara"_s, 1, 0);
    play(kFirst, QDate(2024, 3, 5), u"Çorum"_s, u"İzmir"_s, 0, 0);
    play(kSuper, QDate(2024, 3, 9), u"Bursa"_s, u"Ankara"_s, 2, 1);

    QSqlQuery every = table().shownRows(kSuper, QDate(2008, 1, 1));
    EXPECT_EQ(columns(every), (QStringList{u"Sr"_s, u"Tarih"_s, u"Etkm"_s, u"Ea"_s, u"Mtkm"_s, u"Ey"_s}));
    EXPECT_EQ(readAll(every).size(), 8u); // seeds and matches of both leagues
    EXPECT_EQ(rowsOf(table().shownRows(QString(), QDate(1990, 5, 5))).size(), 8u);

    const auto days = [&](const QString& league, const QDate& filter) {
        QStringList shown;
        for (const QStringList& row : rowsOf(table().shownRows(league, filter)))
            shown << row[1];
        return shown;
    };
    EXPECT_EQ(days(kSuper, QDate(2008, 1, 2)), (QStringList{u"2024-03-01"_s, u"2024-03-09"_s}));
    EXPECT_EQ(days(kSuper, QDate(2024, 3, 2)), QStringList{u"2024-03-09"_s});
    EXPECT_EQ(days(kSuper, QDate(2024, 3, 9)), QStringList{u"2024-03-09"_s});
    EXPECT_TRUE(days(QString(), QDate(2024, 3, 1)).isEmpty()); // no league chosen yet
}

TEST_F(MatchTableTest, DuplicateSearchSeesExactlyTheShownRows) {
    play(kSuper, QDate(2024, 3, 1), u"İzmir"_s, u"Ankara"_s, 1, 0);
    const qint64 sr = program.rows().back().sr;
    const QDate day(2024, 3, 1);
    const struct {
        const char* name;
        QString league;
        QDate filter, day;
        QString home, away;
        bool found;
    } cases[] = {
        {"same pairing, same day", kSuper, day, day, u"İzmir"_s, u"Ankara"_s, true},
        {"filter before the day", kSuper, QDate(2024, 1, 1), day, u"İzmir"_s, u"Ankara"_s, true},
        {"reversed pairing", kSuper, day, day, u"Ankara"_s, u"İzmir"_s, false},
        {"case matters", kSuper, day, day, u"izmir"_s, u"Ankara"_s, false},
        {"no partial match", kSuper, day, day, u"İzmi"_s, u"Ankara"_s, false},
        {"another day", kSuper, day, QDate(2024, 3, 2), u"İzmir"_s, u"Ankara"_s, false},
        {"filter after the day hides it", kSuper, QDate(2024, 3, 2), day, u"İzmir"_s, u"Ankara"_s, false},
        {"another league's rows are not shown", kFirst, day, day, u"İzmir"_s, u"Ankara"_s, false},
        {"every row shown", kFirst, QDate(2008, 1, 1), day, u"İzmir"_s, u"Ankara"_s, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<qint64> found = table().findShownMatch(c.league, c.filter, c.day, c.home, c.away);
        EXPECT_EQ(found.has_value(), c.found);
        if (found) {
            EXPECT_EQ(*found, sr);
        }
    }
}

TEST_F(MatchTableTest, DeletingATeamOrALeagueStaysInThatLeague) {
    play(kSuper, QDate(2024, 3, 1), u"İzmir"_s, u"Ankara"_s, 1, 0);
    play(kSuper, QDate(2024, 3, 2), u"Bursa"_s, u"İzmir"_s, 1, 0);
    play(kSuper, QDate(2024, 3, 3), u"Ankara"_s, u"Bursa"_s, 1, 0);
    play(kFirst, QDate(2024, 3, 4), u"İzmir"_s, u"Çorum"_s, 1, 0);

    EXPECT_EQ(table().deleteTeam(kSuper, u"İzmir"_s), 3); // its seed row, one home and one away match
    EXPECT_EQ(table().teamList(kSuper), (QStringList{u"Ankara"_s, u"Bursa"_s}));
    EXPECT_EQ(rowsOf(table().leagueHistory(kSuper)).size(), 1u);
    EXPECT_EQ(table().teamList(kFirst), (QStringList{u"Çorum"_s, u"İzmir"_s}));
    EXPECT_EQ(rowsOf(table().leagueHistory(kFirst)).size(), 1u);
    EXPECT_EQ(table().deleteTeam(QString(), QString()), 0);

    EXPECT_EQ(table().deleteLeague(kFirst), 3);
    EXPECT_TRUE(table().teamList(kFirst).isEmpty());
    EXPECT_EQ(program.rows().size(), 3u);

    const qint64 last = program.rows().back().sr;
    table().deleteRow(last);
    EXPECT_EQ(program.rows().size(), 2u);
    EXPECT_NE(program.rows().back().sr, last);
}

// Names longer than the table keeps reach their rows wherever they are looked up.
TEST_F(MatchTableTest, LongNamesReachTheirRows) {
    const QString league = u"Türkiye Kadınlar Futbol Ligi 2024"_s;
    const QString home = u"Fenerbahçe Spor Kulübü Kadın"_s;
    const QString away = u"Galatasaray Spor Kulübü Kadın"_s;
    program.seed(league, home, u"6"_s);
    program.seed(league, away, u"6"_s);
    play(league, QDate(2024, 3, 1), home, away, 2, 1);

    const auto rows = program.rows();
    EXPECT_EQ(rows.back().klas, u"Türkiye Kadınlar Fut"_s);
    EXPECT_EQ(rows.back().etkm, u"Fenerbahçe Spor Kulü"_s);
    EXPECT_EQ(table().teamList(league), (QStringList{u"Fenerbahçe Spor Kulü"_s, u"Galatasaray Spor Kul"_s}));
    EXPECT_TRUE(table().isRegistered(league, home));
    EXPECT_GT(table().homeRatingBefore(home, QDate(2024, 3, 2)),
              table().homeRatingBefore(home, QDate(2024, 3, 1)));
    EXPECT_GT(table().homeOpponentStrength(home), 0);
    EXPECT_EQ(rowsOf(table().homeTable(league)).size(), 2u);
    EXPECT_EQ(rowsOf(table().teamHistory(league, away, HistorySide::Away)).size(), 1u);
    EXPECT_TRUE(table().findShownMatch(league, QDate(2024, 3, 1), QDate(2024, 3, 1), home, away));
    EXPECT_EQ(table().deleteTeam(league, away), 2);
    EXPECT_EQ(table().deleteLeague(league), 1);
}

// On a large table every statement that picks rows must find them through an index, not by reading
// the whole table.
TEST_F(MatchTableTest, EveryLookupUsesAnIndex) {
    const char* statements[] = {
        sql::kHomeRatingBefore,
        sql::kAwayRatingBefore,
        sql::kHomeOpponentStrength,
        sql::kAwayOpponentStrength,
        sql::kTeamList,
        sql::kSeedTeams,
        sql::kDeleteTeam,
        sql::kDeleteLeague,
        sql::kDeleteRow,
        sql::kHomeTable,
        sql::kAwayTable,
        sql::kLeagueHistory,
        sql::kTeamHistoryBoth,
        sql::kTeamHistoryHome,
        sql::kTeamHistoryAway,
        sql::kShownRowsOfLeague,
        sql::kFindShownMatchAll,
        sql::kFindShownMatchOfLeague,
        sql::kIsRegistered,
        sql::kTeamRatingRows,
    };
    for (const char* statement : statements) {
        SCOPED_TRACE(statement);
        QSqlQuery plan(program.database().connection());
        const QString text = QString::fromLatin1(statement);
        ASSERT_TRUE(plan.prepare(u"EXPLAIN QUERY PLAN "_s + text)) << plan.lastError().text().toStdString();
        static const QRegularExpression placeholder(u":\\w+"_s);
        for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
            plan.bindValue(match.captured(), u"x"_s);
        ASSERT_TRUE(plan.exec()) << plan.lastError().text().toStdString();
        QStringList steps;
        while (plan.next())
            steps << plan.value(3).toString();
        ASSERT_FALSE(steps.isEmpty());
        for (const QString& step : steps)
            EXPECT_FALSE(step.startsWith(u"SCAN"_s)) << steps.join(u" | "_s).toStdString();
        // The searches of every result entry go straight to the team's rows of that one day.
        if (statement == sql::kFindShownMatchAll || statement == sql::kFindShownMatchOfLeague ||
            statement == sql::kIsRegistered) {
            EXPECT_TRUE(steps.join(u" | "_s).contains(u"Tarih=?"_s)) << steps.join(u" | "_s).toStdString();
        }
    }
}

} // namespace
} // namespace vezal
