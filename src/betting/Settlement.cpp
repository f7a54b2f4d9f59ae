#include "betting/Settlement.h"

#include "betting/BettingMessages.h"

namespace vezal {

Settlement settle(const model::MarketOutcome& outcome, model::Score fullTime,
                  std::optional<model::Score> halfTime) {
    Settlement settlement;
    settlement.resolution = model::resolve(outcome, fullTime, halfTime);
    if (!settlement.resolution)
        settlement.reason = QString::fromUtf16(messages::kNoHalfTimeScore);
    return settlement;
}

double unitReturn(model::Resolution resolution, double odds) {
    switch (resolution) {
    case model::Resolution::Won:
        return odds;
    case model::Resolution::HalfWon:
        return (1 + odds) / 2;
    case model::Resolution::Push:
        return 1;
    case model::Resolution::HalfLost:
        return 0.5;
    case model::Resolution::Lost:
        break;
    }
    return 0;
}

double couponReturn(double stake, std::span<const SettledSelection> selections) {
    double paid = stake;
    for (const SettledSelection& s : selections)
        paid *= unitReturn(s.resolution, s.odds);
    return paid;
}

} // namespace vezal
