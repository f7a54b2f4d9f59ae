// A league's seasons from its own match days: restarts in summer and winter breaks stay in their season.
#include "evidence/Seasons.h"

#include "exchange/MatchFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vezal {
namespace {

// Every seventh day from `first` up to `last`.
std::vector<QDate> weekly(const QDate& first, const QDate& last) {
    std::vector<QDate> days;
    for (QDate day = first; day <= last; day = day.addDays(7))
        days.push_back(day);
    return days;
}

std::vector<QDate> joined(std::initializer_list<std::vector<QDate>> parts) {
    std::vector<QDate> days;
    for (const auto& part : parts)
        days.insert(days.end(), part.begin(), part.end());
    return days;
}

struct Expected {
    const char* name;
    QDate first;
    QDate last;
};

struct ScheduleCase {
    const char* name;
    std::vector<QDate> days;
    std::vector<Expected> seasons;
};

void expectSeasons(const SeasonCalendar& calendar, const std::vector<Expected>& seasons) {
    QStringList names;
    for (const Expected& season : seasons)
        names << QString::fromLatin1(season.name);
    ASSERT_EQ(calendar.seasons(), names);
    for (const Expected& season : seasons) {
        const QString name = QString::fromLatin1(season.name);
        EXPECT_EQ(calendar.firstDay(name), season.first) << season.name;
        EXPECT_EQ(calendar.lastDay(name), season.last) << season.name;
        EXPECT_EQ(calendar.seasonOf(season.first), name);
        EXPECT_EQ(calendar.seasonOf(season.last), name);
    }
}

// The first and last days of each season are worked out by hand from the schedule: Saturdays from the
// first day given, the gaps counted in days without a match.
TEST(Seasons, FromTheLeaguesOwnBreaks) {
    const ScheduleCase cases[] = {
        // A season stopped in March and finished in June and July 2020: one season.
        {"RestartAlone",
         joined({weekly({2019, 8, 10}, {2020, 3, 7}), weekly({2020, 6, 20}, {2020, 7, 25})}),
         {{"2019-20", {2019, 8, 10}, {2020, 7, 25}}}},
        // The next season begins after the break ending 11 September 2020.
        {"RestartAndTheNextSeason",
         joined({weekly({2019, 8, 10}, {2020, 3, 7}), weekly({2020, 6, 20}, {2020, 7, 25}),
                 weekly({2020, 9, 12}, {2021, 5, 22})}),
         {{"2019-20", {2019, 8, 10}, {2020, 7, 25}}, {"2020-21", {2020, 9, 12}, {2021, 5, 22}}}},
        // 19 December to 23 January is a long break, but not a summer one.
        {"WinterBreak",
         joined({weekly({2009, 8, 15}, {2009, 12, 19}), weekly({2010, 1, 23}, {2010, 5, 15}),
                 weekly({2010, 8, 14}, {2011, 5, 14})}),
         {{"2009-10", {2009, 8, 15}, {2010, 5, 15}}, {"2010-11", {2010, 8, 14}, {2011, 5, 14}}}},
        // 24 days without a match (22 August to 14 September) are no break: the season of 14 August
        // goes on.
        {"TwentyFourDaysInSummer",
         joined({weekly({2009, 8, 15}, {2010, 5, 15}),
                 {{2010, 8, 14}, {2010, 8, 21}},
                 weekly({2010, 9, 15}, {2011, 5, 11})}),
         {{"2009-10", {2009, 8, 15}, {2010, 5, 15}}, {"2010-11", {2010, 8, 14}, {2011, 5, 11}}}},
        // 25 days (22 August to 15 September) are, and the last break of the year counts: the two
        // matches of August close the season before.
        {"TwentyFiveDaysInSummer",
         joined({weekly({2009, 8, 15}, {2010, 5, 15}),
                 {{2010, 8, 14}, {2010, 8, 21}},
                 weekly({2010, 9, 16}, {2011, 5, 12})}),
         {{"2009-10", {2009, 8, 15}, {2010, 8, 21}}, {"2010-11", {2010, 9, 16}, {2011, 5, 12}}}},
        // No break at all: a season ends on 30 June in every year the matches go on past September.
        // Saturdays from 6 March 2010: the last of June and the first of July are 26.06 / 03.07.2010,
        // 25.06 / 02.07.2011 and 30.06 / 07.07.2012.
        {"NoBreak",
         weekly({2010, 3, 6}, {2012, 11, 24}),
         {{"2009-10", {2010, 3, 6}, {2010, 6, 26}},
          {"2010-11", {2010, 7, 3}, {2011, 6, 25}},
          {"2011-12", {2011, 7, 2}, {2012, 6, 30}},
          {"2012-13", {2012, 7, 7}, {2012, 11, 24}}}},
        // The second half of a season, as the ratings begin in January 2008.
        {"FromJanuary",
         joined({weekly({2008, 1, 19}, {2008, 5, 17}), weekly({2008, 8, 23}, {2009, 5, 30})}),
         {{"2007-08", {2008, 1, 19}, {2008, 5, 17}}, {"2008-09", {2008, 8, 23}, {2009, 5, 30}}}},
    };
    for (const ScheduleCase& c : cases) {
        SCOPED_TRACE(c.name);
        expectSeasons(SeasonCalendar(c.days), c.seasons);
    }
}

TEST(Seasons, DaysOutsideTheMatches) {
    const SeasonCalendar calendar(
        joined({weekly({2019, 8, 10}, {2020, 3, 7}), weekly({2020, 6, 20}, {2020, 7, 25}),
                weekly({2020, 9, 12}, {2021, 5, 22})}));
    EXPECT_EQ(calendar.seasonOf({2020, 8, 20}), "2019-20"); // the break belongs to the season before
    EXPECT_EQ(calendar.seasonOf({2019, 1, 1}), "2018-19");  // before the first match: 1 July rule
    EXPECT_EQ(calendar.seasonOf({2030, 1, 1}), "2020-21");
    EXPECT_FALSE(calendar.firstDay("2021-22").isValid());

    const SeasonCalendar empty({});
    EXPECT_TRUE(empty.seasons().isEmpty());
    EXPECT_EQ(empty.seasonOf({2010, 7, 1}), "2010-11");
}

// Real files of 2018-19 to 2020-21, each season stopped by the pandemic and finished in summer 2020.
// The first and last days are the files' own (read by hand: Serie A's 2019-20 ends on 2 August 2020).
TEST(Seasons, RealSeasonsAroundTheRestart) {
    const QString folder = QStringLiteral(VEZAL_SHARED_DATA "/results-only/");
    if (!QFile::exists(folder + QStringLiteral("serie-a/season-1920.csv")))
        GTEST_SKIP() << "no " << folder.toStdString();
    const struct {
        const char* league;
        std::vector<Expected> seasons;
    } cases[] = {
        {"serie-a",
         {{"2018-19", {2018, 8, 18}, {2019, 5, 26}},
          {"2019-20", {2019, 8, 24}, {2020, 8, 2}},
          {"2020-21", {2020, 9, 19}, {2021, 5, 23}}}},
        {"la-liga",
         {{"2018-19", {2018, 8, 17}, {2019, 5, 19}},
          {"2019-20", {2019, 8, 16}, {2020, 7, 19}},
          {"2020-21", {2020, 9, 12}, {2021, 5, 23}}}},
        {"bundesliga",
         {{"2018-19", {2018, 8, 24}, {2019, 5, 18}},
          {"2019-20", {2019, 8, 16}, {2020, 6, 27}},
          {"2020-21", {2020, 9, 18}, {2021, 5, 22}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.league);
        std::vector<QDate> all;
        for (std::size_t i = 0; i < 3; ++i) {
            const char* file[] = {"season-1819.csv", "season-1920.csv", "season-2021.csv"};
            const MatchFileReading reading =
                readMatchFileAt(folder + QString::fromLatin1(c.league) + u'/' + QString::fromLatin1(file[i]),
                                MatchFileKind::Results, QDate(2026, 1, 1));
            ASSERT_FALSE(reading.refusal);
            std::vector<QDate> days;
            for (const MatchLine& row : reading.rows)
                days.push_back(row.day);
            // Each file alone is one season.
            expectSeasons(SeasonCalendar(days), {c.seasons[i]});
            all.insert(all.end(), days.begin(), days.end());
        }
        expectSeasons(SeasonCalendar(all), c.seasons);
    }
}

} // namespace
} // namespace vezal
