#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

// A league's seasons, found from its match days rather than the calendar, so that a season played late
// (a restart in July) or a long winter break keeps its matches together.
namespace vezal {

// A stretch without a match this long or longer, ending between 1 July and 30 September, is a summer
// break: the next match opens a season.
inline constexpr int kSummerBreakDays = 25;

// A season ends at the last summer break of a year. In a year without one it ends on 30 June, when the
// league's matches go on past 30 September of that year; while they do not, a stretch still open at the
// end of the matches may yet be the summer break, and the season goes on. A season is named by the
// 1 July to 30 June years of its first match ("2019-20"); two seasons that would share a name are one.
class SeasonCalendar {
public:
    explicit SeasonCalendar(std::vector<QDate> matchDays);

    // The season a day falls in: the last one begun on or before it. A day before the first match, or
    // any day of an empty calendar, is named by the 1 July to 30 June rule.
    QString seasonOf(const QDate& day) const;
    QStringList seasons() const; // in date order
    // The first and last match days of a season; null dates for a name the calendar does not hold.
    QDate firstDay(const QString& season) const;
    QDate lastDay(const QString& season) const;

private:
    struct Season {
        QString name;
        QDate first;
        QDate last;
    };
    std::vector<Season> seasons_;
};

} // namespace vezal
