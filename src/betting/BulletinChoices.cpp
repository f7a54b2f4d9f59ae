#include "betting/BulletinChoices.h"

#include "prediction/Coupon.h"

namespace vezal {

OutcomeKey outcomeKey(const BulletinRow& row) {
    const Fixture& f = *row.fixture;
    return {f.league, f.day, f.home, f.away, model::outcomeCode(row.market)};
}

std::optional<double> rowOdds(const BulletinRow& row) {
    if (row.typedOdds)
        return row.typedOdds;
    if (row.odds)
        return row.odds->quote.odds;
    return std::nullopt;
}

std::vector<BulletinRow> withTypedOdds(std::vector<BulletinRow> rows, const TypedOdds& typed,
                                       const StakeRule& rule) {
    for (BulletinRow& row : rows) {
        if (row.reason)
            continue;
        const auto found = typed.find(outcomeKey(row));
        row.typedOdds = found == typed.end() ? std::nullopt : std::optional(found->second);
        // Every row's stake afresh, so that one outcome a market and the limit are decided over the list
        // as it now stands, not over stakes an earlier limit already cut.
        if (const std::optional<double> odds = rowOdds(row)) {
            priceRow(row, *odds, rule);
        } else {
            row.value.reset();
            row.isValue = false;
            row.stake.reset();
        }
    }
    limitStakes(rows, rule);
    return rows;
}

QString couponLineOf(const BulletinRow& row) {
    const QString code = model::outcomeCode(row.market);
    const QString pick = row.market == bulletinOutcome(BulletinMarket::Over) ? QStringLiteral("ÜST") : code;
    return couponLine(QString(), row.fixture->home, row.fixture->away, pick);
}

} // namespace vezal
