// The bulletin's rows beyond the file's 1X2, under/over and both-teams markets: the Asian handicap's two
// sides at the file's line and the pool's markets at their fair odds.
#include "betting/Bulletin.h"

#include "model/Pricing.h"

#include <algorithm>

namespace vezal {

namespace {

// The Asian handicap's quotes of one moment (before closing when there are any) at the line of the first
// of them, with their places among the fixture's.
struct AsianMoment {
    int homeLine = 0;
    std::vector<Quote> quotes;
    std::vector<std::size_t> places;
};

std::optional<AsianMoment> asianMomentOf(const std::vector<Quote>& quotes) {
    const std::vector<Quote> market = marketQuotes(quotes, QuoteOutcome::AsianHome);
    if (market.empty())
        return std::nullopt;
    AsianMoment moment;
    moment.homeLine = asianHomeLine(market.front());
    for (std::size_t i = 0; i < quotes.size(); ++i)
        if (isAsianHandicap(quotes[i].outcome) && quotes[i].closing == market.front().closing &&
            asianHomeLine(quotes[i]) == moment.homeLine) {
            moment.quotes.push_back(quotes[i]);
            moment.places.push_back(i);
        }
    return moment;
}

} // namespace

bool hasAsianQuotes(const Fixture& fixture) {
    return std::any_of(fixture.quotes.begin(), fixture.quotes.end(),
                       [](const FileQuote& quote) { return isAsianHandicap(quote.quote.outcome); });
}

std::vector<BulletinRow> asianRows(const Fixture& fixture, const model::ScoreGrid& modelGrid,
                                   const model::ScoreGrid& forecastGrid, const BulletinRule& rule) {
    std::vector<BulletinRow> rows;
    const std::optional<AsianMoment> moment = asianMomentOf(plainQuotes(fixture.quotes));
    if (!moment)
        return rows;
    for (const bool home : {true, false}) {
        const QuoteOutcome outcome = home ? QuoteOutcome::AsianHome : QuoteOutcome::AsianAway;
        const int line = home ? moment->homeLine : -moment->homeLine;
        const model::AsianHandicap asian{home ? model::Result::HomeWin : model::Result::AwayWin, line};
        BulletinRow row;
        row.fixture = &fixture;
        row.market = asian;
        const model::OutcomeChances own = model::chancesOf(modelGrid, asian);
        row.chances = model::chancesOf(forecastGrid, asian);
        row.modelProbability = own.win + own.halfWin / 2;
        row.probability = row.chances->win + row.chances->halfWin / 2;
        row.book = bookProbability(moment->quotes, outcome, line);
        if (const std::optional<std::size_t> chosen = chosenQuote(moment->quotes, outcome, rule.odds))
            takeOdds(row, fixture.quotes[moment->places[*chosen]], rule);
        rows.push_back(row);
    }
    return rows;
}

std::vector<model::MarketOutcome> fairRowOutcomes() {
    using model::Result;
    return {model::DoubleChance{Result::AwayWin},
            model::DoubleChance{Result::Draw},
            model::DoubleChance{Result::HomeWin},
            model::DrawNoBet{Result::HomeWin},
            model::DrawNoBet{Result::AwayWin},
            model::GoalLine{3, false},
            model::GoalLine{3, true},
            model::GoalLine{7, false},
            model::GoalLine{7, true},
            model::GoalBand{0, 1},
            model::GoalBand{2, 3},
            model::GoalBand{4, 5},
            model::GoalBand{6, std::nullopt}};
}

std::vector<BulletinRow> fairRows(const Fixture& fixture, const model::ScoreGrid& modelGrid,
                                  const model::ScoreGrid& forecastGrid) {
    std::vector<BulletinRow> rows;
    for (const model::MarketOutcome& outcome : fairRowOutcomes()) {
        BulletinRow row;
        row.fixture = &fixture;
        row.market = outcome;
        const model::OutcomeChances own = model::chancesOf(modelGrid, outcome);
        const model::OutcomeChances chances = model::chancesOf(forecastGrid, outcome);
        row.modelProbability = own.win + own.halfWin / 2;
        row.probability = chances.win + chances.halfWin / 2;
        // A draw no bet pushes on a draw: its value and stake count the stake given back.
        if (std::holds_alternative<model::DrawNoBet>(outcome))
            row.chances = chances;
        row.fair = model::fairOdds(chances);
        rows.push_back(row);
    }
    return rows;
}

std::optional<double> fairOddsOf(const BulletinRow& row) {
    return row.chances ? model::fairOdds(*row.chances) : model::fairOdds(row.probability);
}

} // namespace vezal
