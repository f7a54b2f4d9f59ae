#include "model/Pricing.h"

#include <algorithm>
#include <array>

namespace vezal::model {

namespace {

// What an outcome's settlement depends on: the goal margin, the total, the whole score, or the half-time
// and full-time signs.
enum class Measure { Margin, Total, Score, Halves };

Measure measureOf(const MarketOutcome& outcome) {
    switch (marketOf(outcome)) {
    case Market::Result:
    case Market::DoubleChance:
    case Market::DrawNoBet:
    case Market::Handicap:
    case Market::AsianHandicap:
        return Measure::Margin;
    case Market::UnderOver:
    case Market::GoalBand:
        return Measure::Total;
    case Market::BothTeamsScore:
    case Market::CorrectScore:
        return Measure::Score;
    case Market::HalfTimeFullTime:
        break;
    }
    return Measure::Halves;
}

void add(OutcomeChances& chances, Resolution resolution, double p) {
    switch (resolution) {
    case Resolution::Won:
        chances.win += p;
        break;
    case Resolution::HalfWon:
        chances.halfWin += p;
        break;
    case Resolution::Push:
        chances.push += p;
        break;
    case Resolution::HalfLost:
        chances.halfLoss += p;
        break;
    case Resolution::Lost:
        chances.loss += p;
        break;
    }
}

// The grid summed the ways the markets read it, each beyond what any listed outcome tells apart gathered
// into one class.
class GridSums {
public:
    explicit GridSums(const ScoreGrid& grid) : grid_(grid) {
        for (int x = 0; x <= grid.lastHomeGoals(); ++x)
            for (int y = 0; y <= grid.lastAwayGoals(); ++y) {
                const double p = grid.probability(x, y);
                margins_[static_cast<std::size_t>(std::clamp(x - y, -kDecisiveMargin, kDecisiveMargin) +
                                                  kDecisiveMargin)] += p;
                totals_[static_cast<std::size_t>(std::min(x + y, kDecisiveTotal))] += p;
                scores_[static_cast<std::size_t>(std::min(x, kDecisiveGoals) * (kDecisiveGoals + 1) +
                                                 std::min(y, kDecisiveGoals))] += p;
            }
    }

    OutcomeChances chancesOf(const MarketOutcome& outcome) {
        OutcomeChances chances;
        switch (measureOf(outcome)) {
        case Measure::Margin:
            // Any score with the margin settles alike; take the one with a side at 0.
            for (std::size_t i = 0; i < margins_.size(); ++i) {
                const int margin = static_cast<int>(i) - kDecisiveMargin;
                add(chances, *resolve(outcome, {std::max(margin, 0), std::max(-margin, 0)}), margins_[i]);
            }
            break;
        case Measure::Total:
            for (std::size_t i = 0; i < totals_.size(); ++i)
                add(chances, *resolve(outcome, {static_cast<int>(i), 0}), totals_[i]);
            break;
        case Measure::Score:
            for (std::size_t i = 0; i < scores_.size(); ++i) {
                const int x = static_cast<int>(i) / (kDecisiveGoals + 1),
                          y = static_cast<int>(i) % (kDecisiveGoals + 1);
                add(chances, *resolve(outcome, {x, y}), scores_[i]);
            }
            break;
        case Measure::Halves: {
            if (!halves_)
                halves_ = grid_.halfTimeFullTimeSigns();
            const auto& o = std::get<HalfTimeFullTime>(outcome);
            chances.win = (*halves_)[static_cast<int>(o.halfTime)][static_cast<int>(o.fullTime)];
            chances.loss = 1 - chances.win;
            break;
        }
        }
        return chances;
    }

private:
    const ScoreGrid& grid_;
    std::array<double, 2 * kDecisiveMargin + 1> margins_{}; // home goals less away goals, from -4 on
    std::array<double, kDecisiveTotal + 1> totals_{};
    std::array<double, (kDecisiveGoals + 1) * (kDecisiveGoals + 1)> scores_{}; // by home, then away goals
    std::optional<std::array<std::array<double, 3>, 3>> halves_;
};

} // namespace

OutcomeChances chancesOf(const ScoreGrid& grid, const MarketOutcome& outcome) {
    return GridSums(grid).chancesOf(outcome);
}

std::optional<double> fairOdds(const OutcomeChances& c) {
    const double winning = c.win + c.halfWin / 2;
    if (!(winning > 0))
        return std::nullopt;
    return (1 - c.push - (c.halfWin + c.halfLoss) / 2) / winning;
}

double expectedValue(const OutcomeChances& c, double odds) {
    return c.win * odds + c.halfWin * (1 + odds) / 2 + c.push + c.halfLoss / 2 - 1;
}

std::vector<PricedOutcome> priceMarkets(const ScoreGrid& grid) {
    GridSums sums(grid);
    std::vector<PricedOutcome> priced;
    for (const MarketOutcome& outcome : allOutcomes()) {
        const OutcomeChances chances = sums.chancesOf(outcome);
        priced.push_back({outcome, chances, fairOdds(chances)});
    }
    return priced;
}

} // namespace vezal::model
