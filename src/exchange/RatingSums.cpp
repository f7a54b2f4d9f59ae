#include "exchange/RatingSums.h"

#include "store/BoundStatement.h"
#include "store/Database.h"

#include <algorithm>

namespace vezal {

namespace {

constexpr const char* kHomeSide = "select Tarih,Etp,Erakip,Sr from Liste where Etkm=:team";
constexpr const char* kAwaySide = "select Tarih,Mtp,Mrakip,Sr from Liste where Mtkm=:team";

// Tarih as stored: yyyy-MM-dd.
int storedDay(const QString& iso) {
    if (iso.size() != 10)
        return 0;
    return iso.left(4).toInt() * 10000 + iso.mid(5, 2).toInt() * 100 + iso.mid(8, 2).toInt();
}

// The engine reads a side's rows from its covering index, (team, Tarih, points, opponent, Sr), and adds
// the points one after the other in that order. A sum strictly before a day is rebuilt the same way, so
// that it is the very double the engine's query would give.
bool indexOrder(const SideEntry& a, const SideEntry& b) {
    if (a.day != b.day)
        return a.day < b.day;
    if (a.points != b.points)
        return a.points < b.points;
    if (a.opponent.has_value() != b.opponent.has_value())
        return !a.opponent.has_value(); // an empty value comes first
    if (a.opponent && *a.opponent != *b.opponent)
        return *a.opponent < *b.opponent;
    return a.sr < b.sr;
}

} // namespace

int ratingDay(const QDate& day) {
    return day.year() * 10000 + day.month() * 100 + day.day();
}

RunningSum::RunningSum(std::vector<SideEntry> stored) : stored_(std::move(stored)) {
    std::sort(stored_.begin(), stored_.end(), indexOrder);
}

double RunningSum::before(int day) {
    for (;;) {
        int next = day;
        if (nextStored_ < stored_.size())
            next = std::min(next, stored_[nextStored_].day);
        if (!appended_.empty())
            next = std::min(next, appended_.front().day);
        if (next >= day)
            return sum_;
        foldDay(next);
    }
}

void RunningSum::foldDay(int day) {
    std::vector<SideEntry> rows;
    while (nextStored_ < stored_.size() && stored_[nextStored_].day == day)
        rows.push_back(stored_[nextStored_++]);
    const auto appendedEnd =
        std::partition(appended_.begin(), appended_.end(), [&](const SideEntry& e) { return e.day == day; });
    rows.insert(rows.end(), appended_.begin(), appendedEnd);
    appended_.erase(appended_.begin(), appendedEnd);
    std::sort(rows.begin(), rows.end(), indexOrder);
    for (const SideEntry& row : rows)
        sum_ += row.points;
}

Ratings::Ratings(const Database& database)
    : database_(database), home_(prepareStatement(database, kHomeSide, kCannotReadDatabase)),
      away_(prepareStatement(database, kAwaySide, kCannotReadDatabase)) {}

RunningSum& Ratings::side(std::map<QString, RunningSum>& sums, QSqlQuery& query, const QString& team) {
    const auto known = sums.find(team);
    if (known != sums.end())
        return known->second;
    query.bindValue(QStringLiteral(":team"), team);
    runPrepared(query, database_, kCannotReadDatabase);
    std::vector<SideEntry> rows;
    while (query.next()) {
        SideEntry entry;
        entry.day = storedDay(query.value(0).toString());
        entry.points = query.value(1).toDouble();
        if (!query.value(2).isNull())
            entry.opponent = query.value(2).toDouble();
        entry.sr = query.value(3).toLongLong();
        rows.push_back(entry);
    }
    checkRowsEnd(query, database_);
    query.finish();
    return sums.emplace(team, RunningSum(std::move(rows))).first->second;
}

} // namespace vezal
