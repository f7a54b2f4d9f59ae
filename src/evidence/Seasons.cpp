#include "evidence/Seasons.h"

#include "evidence/TrackRecord.h"

#include <algorithm>
#include <map>

namespace vezal {

namespace {

bool inSummer(const QDate& day) {
    return day >= QDate(day.year(), 7, 1) && day <= QDate(day.year(), 9, 30);
}

} // namespace

SeasonCalendar::SeasonCalendar(std::vector<QDate> days) {
    days.erase(std::remove_if(days.begin(), days.end(), [](const QDate& d) { return !d.isValid(); }),
               days.end());
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    if (days.empty())
        return;

    // By year, the day that opens a season: after the year's last summer break.
    std::map<int, QDate> opening;
    for (std::size_t i = 1; i < days.size(); ++i) {
        const qint64 without = days[i - 1].daysTo(days[i]) - 1;
        const QDate stretchEnd = days[i].addDays(-1);
        if (without >= kSummerBreakDays && inSummer(stretchEnd))
            opening[stretchEnd.year()] = days[i];
    }
    for (int year = days.front().year(); year <= days.back().year(); ++year) {
        if (opening.count(year) || days.back() <= QDate(year, 9, 30))
            continue;
        const auto july = std::lower_bound(days.begin(), days.end(), QDate(year, 7, 1));
        if (july != days.begin())
            opening[year] = *july;
    }

    std::vector<QDate> starts = {days.front()};
    for (const auto& [year, day] : opening)
        if (day > starts.back())
            starts.push_back(day);
    std::size_t next = 0;
    for (std::size_t s = 0; s < starts.size(); ++s) {
        const QString name = vezal::seasonOf(starts[s]);
        if (seasons_.empty() || seasons_.back().name != name)
            seasons_.push_back({name, starts[s], starts[s]});
        const QDate end = s + 1 < starts.size() ? starts[s + 1] : QDate();
        while (next < days.size() && (!end.isValid() || days[next] < end))
            seasons_.back().last = days[next++];
    }
}

QString SeasonCalendar::seasonOf(const QDate& day) const {
    const auto after = std::upper_bound(seasons_.begin(), seasons_.end(), day,
                                        [](const QDate& d, const Season& s) { return d < s.first; });
    if (after == seasons_.begin())
        return vezal::seasonOf(day);
    return std::prev(after)->name;
}

QStringList SeasonCalendar::seasons() const {
    QStringList names;
    for (const Season& season : seasons_)
        names << season.name;
    return names;
}

QDate SeasonCalendar::firstDay(const QString& name) const {
    for (const Season& season : seasons_)
        if (season.name == name)
            return season.first;
    return {};
}

QDate SeasonCalendar::lastDay(const QString& name) const {
    for (const Season& season : seasons_)
        if (season.name == name)
            return season.last;
    return {};
}

} // namespace vezal
