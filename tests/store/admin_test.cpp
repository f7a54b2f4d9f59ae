#include "support/TempProgram.h"

#include "store/LeagueListFile.h"
#include "store/Messages.h"
#include "store/StoreError.h"

#include <QSqlDatabase>
#include <cfloat>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/resource.h>

namespace vezal {
namespace {

using namespace Qt::Literals::StringLiterals;
namespace m = messages;

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

const QString kLeague = u"Süper Lig"_s;
const QDate kDay(2024, 3, 10);

class EnterResultTest : public testing::StoreTest {
protected:
    void SetUp() override {
        program.seed(kLeague, u"İzmir"_s, u"7"_s);
        program.seed(kLeague, u"Ankara"_s, u"5"_s);
        program.seed(u"Boş Lig"_s, u"Yalnız"_s, u"5"_s);
    }
    ResultOutcome enter(const QDate& day, const QString& home, const QString& away, const QString& hg,
                        const QString& ag) {
        return program.enter(kLeague, day, home, away, hg, ag);
    }
};

// Each case passes the checks before its own and fails its own; the first failing check is the one shown.
TEST_F(EnterResultTest, ChecksRunInOrderAndARefusalWritesNothing) {
    ASSERT_FALSE(enter(kDay, u"İzmir"_s, u"Ankara"_s, u"1"_s, u"0"_s).refusal);
    const std::size_t rows = program.rows().size();
    const struct {
        const char* name;
        ResultInput input;
        const char16_t* refusal;
    } cases[] = {
        {"seed day, nothing chosen", {{}, kDay, {2008, 1, 1}, {}, {}, {}, {}}, m::kEntryDateTooEarly},
        {"before the seed day",
         {kLeague, kDay, {2007, 12, 31}, u"Ankara"_s, u"İzmir"_s, u"1"_s, u"1"_s},
         m::kEntryDateTooEarly},
        {"no date", {kLeague, kDay, {}, u"Ankara"_s, u"İzmir"_s, u"1"_s, u"1"_s}, m::kEntryDateTooEarly},
        {"no league", {{}, kDay, kDay, u"Ankara"_s, u"İzmir"_s, {}, {}}, m::kChooseLeague},
        {"no home team", {kLeague, kDay, kDay, {}, u"İzmir"_s, {}, {}}, m::kChooseHomeTeam},
        {"home team not of the league",
         {kLeague, kDay, kDay, u"Yalnız"_s, u"İzmir"_s, u"1"_s, u"1"_s},
         m::kChooseHomeTeam},
        {"league without teams", {u"Yeni Lig"_s, kDay, kDay, {}, {}, u"1"_s, u"1"_s}, m::kChooseHomeTeam},
        {"no away team", {kLeague, kDay, kDay, u"Ankara"_s, {}, {}, {}}, m::kChooseAwayTeam},
        {"away team in another spelling",
         {kLeague, kDay, kDay, u"Ankara"_s, u"izmir"_s, u"1"_s, u"1"_s},
         m::kChooseAwayTeam},
        {"home score empty", {kLeague, kDay, kDay, u"Ankara"_s, u"Ankara"_s, {}, u"1"_s}, m::kBadScore},
        {"away score empty", {kLeague, kDay, kDay, u"Ankara"_s, u"İzmir"_s, u"1"_s, {}}, m::kBadScore},
        {"two digits", {kLeague, kDay, kDay, u"Ankara"_s, u"İzmir"_s, u"10"_s, u"1"_s}, m::kBadScore},
        {"not a digit", {kLeague, kDay, kDay, u"Ankara"_s, u"İzmir"_s, u"1"_s, u"x"_s}, m::kBadScore},
        {"same team twice", {kLeague, kDay, kDay, u"Ankara"_s, u"Ankara"_s, u"1"_s, u"1"_s}, m::kSameTeams},
        {"already entered", {kLeague, kDay, kDay, u"İzmir"_s, u"Ankara"_s, u"2"_s, u"2"_s}, m::kMatchExists},
        {"already entered, filter earlier",
         {kLeague, {2024, 1, 1}, kDay, u"İzmir"_s, u"Ankara"_s, u"2"_s, u"2"_s},
         m::kMatchExists},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ResultOutcome outcome = enterResult(table(), c.input);
        ASSERT_TRUE(outcome.refusal);
        EXPECT_EQ(outcome.refusal->message, text(c.refusal));
        EXPECT_FALSE(outcome.appendedSr);
    }
    EXPECT_EQ(program.rows().size(), rows);
}

TEST_F(EnterResultTest, TheDuplicateSearchSeesOnlyTheShownRows) {
    const ResultOutcome first = enter(kDay, u"İzmir"_s, u"Ankara"_s, u"1"_s, u"0"_s);
    ASSERT_TRUE(first.appendedSr);
    EXPECT_FALSE(first.duplicateSr);

    const ResultOutcome again = enter(kDay, u"İzmir"_s, u"Ankara"_s, u"1"_s, u"0"_s);
    EXPECT_EQ(again.duplicateSr, first.appendedSr);
    // The shown row is reported even when an earlier check refuses.
    EXPECT_EQ(enter(kDay, u"İzmir"_s, u"Ankara"_s, u""_s, u"0"_s).duplicateSr, first.appendedSr);

    // Reversed pairing on the same day is another match.
    EXPECT_FALSE(enter(kDay, u"Ankara"_s, u"İzmir"_s, u"0"_s, u"0"_s).refusal);
    // A filter date after the match day hides the row: the window cannot see it and takes the entry.
    const ResultOutcome hidden =
        enterResult(table(), {kLeague, kDay.addDays(1), kDay, u"İzmir"_s, u"Ankara"_s, u"3"_s, u"3"_s});
    EXPECT_FALSE(hidden.refusal);
    EXPECT_FALSE(hidden.duplicateSr);
}

TEST_F(EnterResultTest, TheCutOffDateIsTheFirstDayAccepted) {
    const ResultOutcome outcome = enter(QDate(2008, 1, 2), u"İzmir"_s, u"Ankara"_s, u"0"_s, u"0"_s);
    EXPECT_FALSE(outcome.refusal);
    EXPECT_EQ(program.rows().back().tarih, u"2008-01-02"_s);
}

// A home team seeded with 7 meets an away team seeded with 5, in each outcome. Expected bits: see the
// match rating's own test.
TEST_F(EnterResultTest, WorkedExampleIsStoredToTheLastBit) {
    if (LDBL_MANT_DIG != 64)
        GTEST_SKIP() << "long double is not the 80-bit extended type here";
    const struct {
        const char* home;
        const char* away;
        const char* hg;
        const char* ag;
        double etp, mtp;
    } cases[] = {
        {"Ev 1", "Dış 1", "2", "1", 0x1.7a786c226809dp-3, -0x1.7a786c226809ep-3},
        {"Ev 2", "Dış 2", "1", "1", -0x1.cac083126e978p-5, 0x1.cac083126e974p-5},
        {"Ev 3", "Dış 3", "0", "2", -0x1.6d916872b020cp-2, 0x1.6d916872b020cp-2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.home);
        const QString home = QString::fromUtf8(c.home), away = QString::fromUtf8(c.away);
        program.seed(kLeague, home, u"7"_s);
        program.seed(kLeague, away, u"5"_s);
        ASSERT_FALSE(enter(kDay, home, away, QString::fromLatin1(c.hg), QString::fromLatin1(c.ag)).refusal);
        const testing::StoredRow row = program.rows().back();
        EXPECT_EQ(row.tur, u"O"_s);
        EXPECT_EQ(row.klas, kLeague);
        EXPECT_EQ(row.tarih, u"2024-03-10"_s);
        EXPECT_EQ(row.etkm, home);
        EXPECT_EQ(row.mtkm, away);
        EXPECT_EQ(row.oyun.toInt(), 1);
        EXPECT_EQ(row.ea.toInt(), QString::fromLatin1(c.hg).toInt());
        EXPECT_EQ(row.my, row.ea);
        EXPECT_EQ(row.ey.toInt(), QString::fromLatin1(c.ag).toInt());
        EXPECT_EQ(row.ma, row.ey);
        EXPECT_EQ(row.etp.toDouble(), c.etp);
        EXPECT_EQ(row.mtp.toDouble(), c.mtp);
        EXPECT_EQ(row.erakip.toDouble(), 0x1.399999999999ap+1); // 2.45
        EXPECT_EQ(row.mrakip.toDouble(), 0x1.c8f5c28f5c28fp+1); // 3.57
    }
}

// The outcome counts goals up to 3; the row keeps the true score.
TEST_F(EnterResultTest, CappedGoalsKeepTheTrueScore) {
    const struct {
        const char* hg;
        const char* ag;
        const char* sameAs; // the uncapped result that moves the same points
    } cases[] = {
        {"4", "3", "1-1"}, {"7", "3", "1-1"}, {"4", "4", "1-1"}, {"4", "0", "1-0"}, {"0", "4", "0-1"}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hg) + "-" + c.ag);
        const QString a = u"A%1"_s.arg(n), b = u"B%1"_s.arg(n), x = u"X%1"_s.arg(n), y = u"Y%1"_s.arg(n);
        ++n;
        for (const QString& team : {a, b, x, y})
            program.seed(kLeague, team, u"6"_s);
        ASSERT_FALSE(enter(kDay, a, b, QString::fromLatin1(c.hg), QString::fromLatin1(c.ag)).refusal);
        const testing::StoredRow capped = program.rows().back();
        const QStringList same = QString::fromLatin1(c.sameAs).split(u'-');
        ASSERT_FALSE(enter(kDay, x, y, same[0], same[1]).refusal);
        const testing::StoredRow plain = program.rows().back();
        EXPECT_EQ(capped.ea.toString(), QString::fromLatin1(c.hg));
        EXPECT_EQ(capped.ey.toString(), QString::fromLatin1(c.ag));
        EXPECT_EQ(capped.etp, plain.etp);
        EXPECT_EQ(capped.mtp, plain.mtp);
    }
}

TEST_F(EnterResultTest, RatingsComeFromTheDaysBeforeOnly) {
    program.seed(kLeague, u"Bursa"_s, u"3"_s);
    // Two home matches of İzmir on the same day: the second does not see the first.
    ASSERT_FALSE(enter(kDay, u"İzmir"_s, u"Ankara"_s, u"3"_s, u"0"_s).refusal);
    ASSERT_FALSE(enter(kDay, u"İzmir"_s, u"Bursa"_s, u"3"_s, u"0"_s).refusal);
    auto rows = program.rows();
    const double seedHs = rows[0].etp.toDouble();
    EXPECT_EQ(rows[rows.size() - 2].mrakip.toDouble(), seedHs);
    EXPECT_EQ(rows.back().mrakip.toDouble(), seedHs);

    // The next day sees both.
    ASSERT_FALSE(enter(kDay.addDays(1), u"İzmir"_s, u"Ankara"_s, u"0"_s, u"0"_s).refusal);
    rows = program.rows();
    const double twoWins =
        seedHs + rows[rows.size() - 3].etp.toDouble() + rows[rows.size() - 2].etp.toDouble();
    EXPECT_NEAR(rows.back().mrakip.toDouble(), twoWins, 1e-15);
    const std::vector<testing::StoredRow> before = rows;

    // A result for an earlier day sees only what lies before it, and changes none of the later rows.
    ASSERT_FALSE(enter(kDay.addDays(-5), u"İzmir"_s, u"Bursa"_s, u"0"_s, u"1"_s).refusal);
    rows = program.rows();
    EXPECT_EQ(rows.back().mrakip.toDouble(), seedHs);
    EXPECT_EQ(rows.back().erakip.toDouble(), rows[3].mtp.toDouble()); // Bursa's seed share
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(rows[i].etp, before[i].etp);
        EXPECT_EQ(rows[i].mtp, before[i].mtp);
    }
}

TEST_F(EnterResultTest, ATeamInTwoLeaguesIsOneTeamForItsRating) {
    program.seed(u"Kupa"_s, u"İzmir"_s, u"4"_s);
    program.seed(u"Kupa"_s, u"Ankara"_s, u"2"_s);
    ASSERT_FALSE(enter(kDay, u"İzmir"_s, u"Ankara"_s, u"1"_s, u"1"_s).refusal);
    const testing::StoredRow row = program.rows().back();
    EXPECT_NEAR(row.mrakip.toDouble(), 7 * 0.51 + 4 * 0.51, 1e-12);
    EXPECT_NEAR(row.erakip.toDouble(), 5 * 0.49 + 2 * 0.49, 1e-12);
    // The league tables still keep to their league.
    QSqlQuery home = table().homeTable(kLeague);
    const auto tableRows = testing::readAll(home);
    const auto izmir = std::find_if(tableRows.begin(), tableRows.end(),
                                    [](const QStringList& r) { return r[0] == u"İzmir"_s; });
    ASSERT_NE(izmir, tableRows.end());
    EXPECT_NEAR((*izmir)[4].toDouble(), 7 * 0.51 + row.etp.toDouble(), 1e-12);
}

// Whatever results come in, a match only moves points: the table's total stays the starting points.
TEST(EnterResultRandom, PointsAreConservedOverManyResults) {
    testing::TempProgram program;
    std::mt19937 random(1254);
    const QStringList leagues = {u"Süper Lig"_s, u"1. Lig"_s};
    QStringList teams[2];
    double startingPoints = 0;
    for (int l = 0; l < 2; ++l) {
        for (int t = 0; t < 8; ++t) {
            // Two names play in both leagues.
            const QString team = t < 2 ? u"Ortak %1"_s.arg(t) : u"Takım %1-%2"_s.arg(l).arg(t);
            const int tenths = std::uniform_int_distribution<int>(1, 70)(random);
            program.seed(leagues[l], team,
                         QString::number(tenths / 10) + u',' + QString::number(tenths % 10));
            startingPoints += tenths / 10.0;
            teams[l] << team;
        }
    }
    // One transaction keeps the test quick; the rules do not depend on when a row reaches the disk.
    QSqlDatabase connection = program.database().connection();
    ASSERT_TRUE(connection.transaction());
    int entered = 0, refused = 0;
    for (int i = 0; i < 400; ++i) {
        const int l = std::uniform_int_distribution<int>(0, 1)(random);
        const QString home = teams[l][std::uniform_int_distribution<int>(0, 7)(random)];
        const QString away = teams[l][std::uniform_int_distribution<int>(0, 7)(random)];
        const QDate day = QDate(2024, 1, 1).addDays(std::uniform_int_distribution<int>(0, 60)(random));
        const QString hg = QString::number(std::uniform_int_distribution<int>(0, 9)(random));
        const QString ag = QString::number(std::uniform_int_distribution<int>(0, 9)(random));
        const ResultOutcome outcome = program.enter(leagues[l], day, home, away, hg, ag);
        if (outcome.refusal) {
            ++refused;
            EXPECT_TRUE(outcome.refusal->check == Check::SameTeams ||
                        outcome.refusal->check == Check::MatchExists)
                << outcome.refusal->message.toStdString();
        } else {
            ++entered;
        }
    }
    ASSERT_TRUE(connection.commit());
    EXPECT_GT(entered, 300);
    EXPECT_GT(refused, 0);

    double total = 0;
    std::set<QString> matches;
    for (const testing::StoredRow& row : program.rows()) {
        total += row.etp.toDouble() + row.mtp.toDouble();
        if (row.tur == u"O"_s) {
            EXPECT_NEAR(row.etp.toDouble() + row.mtp.toDouble(), 0.0, 1e-15);
            EXPECT_EQ(row.ea, row.my);
            EXPECT_EQ(row.ey, row.ma);
            EXPECT_TRUE(matches.insert(row.klas + row.tarih + row.etkm + u'|' + row.mtkm).second);
        }
    }
    EXPECT_NEAR(total, startingPoints, 1e-11);
}

class RegisterTeamTest : public testing::StoreTest {};

TEST_F(RegisterTeamTest, ChecksRunInOrderAndARefusalWritesNothing) {
    program.seed(kLeague, u"İzmir"_s, u"7"_s);
    program.seed(kLeague, u"Fenerbahçe Spor Kulübü"_s, u"6"_s);
    const std::size_t rows = program.rows().size();
    const struct {
        QString league, name, points;
        const char16_t* refusal;
    } cases[] = {
        {{}, {}, {}, m::kChooseTeamLeague},
        {{}, u"Ankara"_s, u"9"_s, m::kChooseTeamLeague},
        {kLeague, {}, u"9"_s, m::kEnterTeamName},
        {kLeague, u"   "_s, u"5"_s, m::kEnterTeamName},
        {kLeague, u"\u00A0"_s, u"5"_s, m::kEnterTeamName}, // a no-break space
        {kLeague, u"\t \u00A0 "_s, u"5"_s, m::kEnterTeamName},
        {kLeague, QString(20, u' ') + u"Ankara"_s, u"5"_s, m::kEnterTeamName}, // the table keeps the blanks
        {kLeague, u"Ankara"_s, {}, m::kEnterStartingPoints},
        {kLeague, u"Ankara"_s, u"0"_s, m::kEnterStartingPoints},
        {kLeague, u"Ankara"_s, u","_s, m::kEnterStartingPoints},
        {kLeague, u"Ankara"_s, u"0,0"_s, m::kEnterStartingPoints},
        {kLeague, u"Ankara"_s, u"-3"_s, m::kEnterStartingPoints},
        {kLeague, u"Ankara"_s, u"yedi"_s, m::kEnterStartingPoints},
        {kLeague, u"Ankara"_s, u"7,5"_s, m::kTooManyPoints},
        {kLeague, u"Ankara"_s, u"8"_s, m::kTooManyPoints},
        {kLeague, u"Ankara"_s, u"1"_s + QString(309, u'0'), m::kTooManyPoints}, // beyond a double
        {kLeague, u"Ankara"_s, u"1"_s + QString(400, u'0') + u",5"_s, m::kTooManyPoints},
        {kLeague, u"izmir"_s, u"7,5"_s, m::kTooManyPoints},
        {kLeague, u"izmir"_s, u"5"_s, m::kTeamExists},
        {kLeague, u"İZMİR"_s, u"5"_s, m::kTeamExists},
        {kLeague, u"Fenerbahçe Spor Kulübü A.Ş."_s, u"5"_s, m::kTeamExists}, // same 20 characters
        {kLeague, u"Ank\tara"_s, u"5"_s, m::kTeamNameHasControlCharacter},
        {kLeague, u"Łódź"_s, u"0"_s, m::kEnterStartingPoints},
        {kLeague, u"Łódź"_s, u"5"_s, m::kTeamNameNotTurkish},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.league + u" / "_s + c.name + u" / "_s + c.points).toStdString());
        const std::optional<Refusal> refusal = registerTeam(table(), c.league, c.name, c.points);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->message, text(c.refusal));
    }
    EXPECT_EQ(program.rows().size(), rows);
}

TEST_F(RegisterTeamTest, SeedRowHoldsTheSplitPoints) {
    const struct {
        QString league, name, points;
        double etp, mtp;
    } cases[] = {
        {kLeague, u"İzmir"_s, u"7"_s, 7 * 0.51, 7 * 0.49},
        {kLeague, u"IZMIR"_s, u"0,1"_s, 0.1 * 0.51, 0.1 * 0.49}, // dotless I: another name in Turkish
        {u"Kupa"_s, u"İzmir"_s, u"3,5"_s, 3.5 * 0.51, 3.5 * 0.49},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(registerTeam(table(), c.league, c.name, c.points), std::nullopt);
        const testing::StoredRow row = program.rows().back();
        EXPECT_EQ(row.tur, u"A"_s);
        EXPECT_EQ(row.klas, c.league);
        EXPECT_EQ(row.tarih, u"2008-01-01"_s);
        EXPECT_EQ(row.etkm, c.name);
        EXPECT_EQ(row.mtkm, c.name);
        EXPECT_NEAR(row.etp.toDouble(), c.etp, 1e-15);
        EXPECT_NEAR(row.mtp.toDouble(), c.mtp, 1e-15);
        for (const QVariant& empty : {row.oyun, row.ea, row.ey, row.ma, row.my, row.erakip, row.mrakip})
            EXPECT_TRUE(empty.isNull());
    }
}

TEST(CheckNewLeague, WarningsInOrder) {
    const QStringList listed = {u"Süper Lig"_s, u"İzmir Ligi"_s, u"Türkiye Kadınlar Futbol Ligi"_s};
    const struct {
        QString typed;
        const char16_t* warning; // none: the name may be added
    } cases[] = {
        {u""_s, m::kLeagueNameEmpty},
        {u"   "_s, m::kLeagueNameEmpty},
        {u" \t\r\n "_s, m::kLeagueNameEmpty},
        {u"süper lig"_s, m::kLeagueExists},
        {u"SÜPER LİG"_s, m::kLeagueExists},
        {u"izmir ligi"_s, m::kLeagueExists},
        {u"Türkiye Kadınlar Futbol Ligi 2"_s, m::kLeaguePrefixTaken}, // the table would mix the two
        {u" Süper Lig"_s, nullptr},
        {u"Süper Lig "_s, nullptr},
        {u"IZMIR LIGI"_s, nullptr}, // I is not the capital of i in Turkish
        {u"Türkiye Kadınlar"_s, nullptr},
        {u"Lig\r\nB"_s, m::kLeagueNameHasControlCharacter},
        {u"Ελλάδα"_s, m::kLeagueNameNotTurkish},
        {u"1. Lig"_s, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const std::optional<Refusal> warning = checkNewLeague(listed, c.typed);
        if (c.warning) {
            ASSERT_TRUE(warning);
            EXPECT_EQ(warning->message, text(c.warning));
        } else {
            EXPECT_EQ(warning, std::nullopt);
        }
    }
    EXPECT_EQ(checkNewLeague({}, u"Süper Lig"_s), std::nullopt);
}

// Deleting what is not there is refused and changes nothing; deleting a league takes its rows and its line.
class DeletionTest : public testing::StoreTest {
protected:
    void SetUp() override {
        saveLeagueList(list(), {u"Zonguldak"_s, kLeague, u"Afyon"_s});
        program.seed(kLeague, u"İzmir"_s, u"7"_s);
        program.seed(kLeague, u"Ankara"_s, u"5"_s);
        program.seed(u"Afyon"_s, u"Ankara"_s, u"3"_s);
        ASSERT_FALSE(program.enter(kLeague, kDay, u"İzmir"_s, u"Ankara"_s, u"1"_s, u"0"_s).refusal);
    }
    QString list() const { return leagueListPath(program.folder()); }
};

TEST_F(DeletionTest, WhatIsNotThereIsRefusedAndNothingChanges) {
    const auto rows = program.rows().size();
    const QByteArray bytes = testing::fileBytes(list());
    const struct {
        const char* name;
        std::function<std::optional<Refusal>()> action;
        Check check;
    } cases[] = {
        {"team of another league", [&] { return deleteTeam(table(), u"Afyon"_s, u"İzmir"_s); },
         Check::TeamNotInLeague},
        {"team in another spelling", [&] { return deleteTeam(table(), kLeague, u"izmir"_s); },
         Check::TeamNotInLeague},
        {"no team", [&] { return deleteTeam(table(), kLeague, {}); }, Check::TeamNotInLeague},
        {"league not listed", [&] { return deleteLeague(table(), list(), u"Yok"_s); },
         Check::LeagueNotListed},
        {"league in another spelling", [&] { return deleteLeague(table(), list(), u"süper lig"_s); },
         Check::LeagueNotListed},
        {"league added twice", [&] { return addLeague(list(), u"AFYON"_s); }, Check::LeagueExists},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Refusal> refusal = c.action();
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->check, c.check);
        EXPECT_EQ(program.rows().size(), rows);
        EXPECT_EQ(testing::fileBytes(list()), bytes);
    }
    EXPECT_EQ(refusalOf(Check::TeamNotInLeague).message, text(m::kTeamNotInLeague));
    EXPECT_EQ(refusalOf(Check::LeagueNotListed).message, text(m::kLeagueNotListed));
}

TEST_F(DeletionTest, ALeagueGoesFromTheTableAndTheListTogether) {
    EXPECT_EQ(deleteLeague(table(), list(), kLeague), std::nullopt);
    EXPECT_EQ(loadLeagueList(list()), (QStringList{u"Zonguldak"_s, u"Afyon"_s}))
        << "the rest keep their order";
    const auto rows = program.rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].klas, u"Afyon"_s);

    EXPECT_EQ(deleteTeam(table(), u"Afyon"_s, u"Ankara"_s), std::nullopt);
    EXPECT_TRUE(program.rows().empty());
}

// The league list window's order wins for the names it shows; what another process added, and the window
// does not show, stays after them; what the window shows but the file no longer holds is not brought back.
TEST_F(DeletionTest, TheWindowsOrderIsSavedAndWhatOthersDidIsKept) {
    saveLeagueList(list(), {u"Zonguldak"_s, kLeague, u"Bolu"_s, u"Afyon"_s});    // Bolu: another process
    const QStringList window = {u"Afyon"_s, kLeague, u"Eski"_s, u"Zonguldak"_s}; // Eski: deleted elsewhere
    EXPECT_EQ(deleteLeague(table(), list(), kLeague, window), std::nullopt);
    EXPECT_EQ(loadLeagueList(list()), (QStringList{u"Afyon"_s, u"Zonguldak"_s, u"Bolu"_s}));
}

// A list that cannot be saved leaves the league's rows in the table.
TEST_F(DeletionTest, AFailedSaveOfTheListKeepsTheRows) {
    QStringList many = {kLeague};
    for (int i = 0; i < 4000; ++i)
        many << u"Uzun bir lig adı, yalnızca dosyayı büyütmek için %1"_s.arg(i);
    saveLeagueList(list(), many);
    const QByteArray bytes = testing::fileBytes(list());
    program.close(); // the log is written back and starts anew, well under the limit below
    program.open();
    const auto rows = program.rows().size();

    // The saved list would be larger than any file may grow; the database's log stays below it.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 128 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    try {
        deleteLeague(table(), list(), kLeague);
    } catch (const StoreError& error) {
        message = error.message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(message.startsWith(u"\"%1\" dosyası oluşturulamıyor: "_s.arg(list())))
        << message.toStdString();
    EXPECT_EQ(program.rows().size(), rows);
    EXPECT_EQ(testing::fileBytes(list()), bytes);
}

} // namespace
} // namespace vezal
