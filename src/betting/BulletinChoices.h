#pragma once

#include "betting/Bulletin.h"

#include <QDate>
#include <QString>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

// What the user makes of the bulletin's rows: odds typed over a row's (a bookmaker no file carries, the
// Turkish pool's), and the coupon line of an outcome chosen.
namespace vezal {

// One outcome of one fixture, as a typed price is kept for it while the same file is listed again.
struct OutcomeKey {
    QString league;
    QDate day;
    QString home;
    QString away;
    QString outcome; // the row's code, model::outcomeCode's

    bool operator<(const OutcomeKey& other) const {
        return std::tie(league, day, home, away, outcome) <
               std::tie(other.league, other.day, other.home, other.away, other.outcome);
    }
};

OutcomeKey outcomeKey(const BulletinRow& row);

using TypedOdds = std::map<OutcomeKey, double>;

// The odds a row's value and stake rest on: the typed, else the file's (an exchange's net of commission).
std::optional<double> rowOdds(const BulletinRow& row);

// The rows at the odds typed for them: each row's typedOdds set or cleared, its value, flag and stake
// worked again at rowOdds, and the stakes limited again over the whole list, as bulletinRows does. Typed
// odds are taken as the user gets them: no commission comes off them.
std::vector<BulletinRow> withTypedOdds(std::vector<BulletinRow> rows, const TypedOdds& typed,
                                       const StakeRule& rule);

// The coupon line of the row's outcome, in the shape of the prediction's own line ("ÜST" as it writes it).
QString couponLineOf(const BulletinRow& row);

} // namespace vezal
