#pragma once

#include "betting/Value.h"
#include "exchange/MatchFile.h"
#include "exchange/ModelMatches.h"
#include "model/DixonColes.h"
#include "model/Markets.h"
#include "model/Pricing.h"
#include "store/SourceTable.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// The week's list: every coming match's outcomes with the goals model's probability, the bookmaker's,
// the odds on offer, their value and a stake.
namespace vezal {

class Database;

// The markets of a row, in the order the list gives them.
enum class BulletinMarket { Home, Draw, Away, Under, Over, BothScore, NotBothScore };

// "1" "0" "2" "ALT" "UST" "KGVAR" "KGYOK".
QString marketCode(BulletinMarket market);
// The kept odds' outcome of a market; none for the markets files give no odds for.
std::optional<QuoteOutcome> quoteOutcome(BulletinMarket market);
inline constexpr BulletinMarket kBulletinMarkets[] = {
    BulletinMarket::Home, BulletinMarket::Draw,      BulletinMarket::Away,        BulletinMarket::Under,
    BulletinMarket::Over, BulletinMarket::BothScore, BulletinMarket::NotBothScore};
// The market's outcome among every market's; its code is marketCode's.
model::MarketOutcome bulletinOutcome(BulletinMarket market);

// A coming match of a league.
struct Fixture {
    QDate day;
    QString time;
    QString league;
    QString home;
    QString away;
    std::vector<FileQuote> quotes;
};

struct BulletinRule {
    StakeRule stake;
    OddsChoice odds;
    FitOverrides fit; // over each league's kept choice
    // Rows for the Turkish pool's markets no file prices (fairRowOutcomes), and every unpriced row's fair
    // odds, so that the pool's odds can be typed over them.
    bool fairRows = false;
};

// The rows of a fixture: kBulletinMarkets' outcomes, then, where the fixture's line gives the Asian
// handicap's odds, its two sides at that line (AH1-0.75 and AH2+0.75). An Asian side's probability is the
// chance of a whole win plus half the chance of a half win, so that a quarter line reads between its two
// neighbours; its value and stake count pushes and half results from the forecast's score grid.
struct BulletinRow {
    const Fixture* fixture = nullptr;
    std::optional<QString> reason; // no probabilities for the fixture; then this is its only row
    model::MarketOutcome market = model::MatchResult{model::Result::HomeWin};
    // The forecast: the model's probability pooled with the book's where the fixture's odds make that
    // market whole, the model's own otherwise. Value and stake are the forecast's.
    double probability = 0;
    double modelProbability = 0;
    // For an outcome that can push or settle by halves: the forecast's chance of each settlement.
    std::optional<model::OutcomeChances> chances;
    std::optional<double> book;      // the bookmaker's, margin-free
    std::optional<FileQuote> odds;   // the odds used, an exchange's net of commission; its source the column
    std::optional<double> value;     // p * odds - 1 (with chances: the expected gain), with odds
    bool isValue = false;            // value above the threshold
    std::optional<double> stake;     // with odds; 0 for all but one outcome of a market, within the limit
    std::optional<double> typedOdds; // typed by the user over the file's; value and stake then rest on it
    std::optional<double> fair;      // with the rule's fairRows, on a row without the file's odds
};

// The group of outcomes of which one alone is staked: one market of one fixture.
int marketGroup(const model::MarketOutcome& outcome);

// The row's price from the file's quote, an exchange's net of commission, and its value and stake there.
void takeOdds(BulletinRow& row, const FileQuote& quote, const BulletinRule& rule);

// Whether the fixture's file gave the Asian handicap's odds.
bool hasAsianQuotes(const Fixture& fixture);

// The row's value, flag and stake at the odds: from its chances where it has them, else from its
// probability.
void priceRow(BulletinRow& row, double odds, const StakeRule& rule);

// What a bulletin stakes together.
struct BulletinTotals {
    int bets = 0;
    double stake = 0;
    double expectedProfit = 0; // each stake times its value
};

// The bulletin's stakes, as one bets them: within a fixture's market only the outcome of the highest value
// keeps its stake; then, when together they exceed the rule's share of the bankroll, every one is scaled
// down in proportion and rounded down to 0.01.
void limitStakes(std::vector<BulletinRow>& rows, const StakeRule& rule);

// The Asian handicap's two rows of the fixture, home side first, at the line of its quotes (those before
// closing when there are any); none without Asian odds. The model's probability is from modelGrid, the
// forecast's, its value and its stake from forecastGrid. Stakes are not yet limited.
std::vector<BulletinRow> asianRows(const Fixture& fixture, const model::ScoreGrid& modelGrid,
                                   const model::ScoreGrid& forecastGrid, const BulletinRule& rule);

// The pool's outcomes no file gives odds for, in the order they follow a fixture's other rows: 1X 12 X2,
// DNB1 DNB2, ALT1.5 UST1.5, ALT3.5 UST3.5, TG01 TG23 TG45 TG6.
std::vector<model::MarketOutcome> fairRowOutcomes();

// The fixture's rows of fairRowOutcomes, without odds: the probability a win plus half a half win from
// forecastGrid (the model's from modelGrid), the chances where the outcome can push, and the fair odds.
std::vector<BulletinRow> fairRows(const Fixture& fixture, const model::ScoreGrid& modelGrid,
                                  const model::ScoreGrid& forecastGrid);

// The odds at which the row's forecast gains nothing: from its chances where it has them.
std::optional<double> fairOddsOf(const BulletinRow& row);

// The rows' bets: those with a stake above 0.
BulletinTotals bulletinTotals(const std::vector<BulletinRow>& rows);

// Every fixture's rows, in the fixtures' order, their stakes limited as limitStakes does. The model is
// fitted once per league and day on the league's matches before that day, with the league's kept choice
// under the rule's settings. Engine failures throw StoreError.
std::vector<BulletinRow> bulletinRows(Database& database, const std::vector<Fixture>& fixtures,
                                      const BulletinRule& rule);

// The sources of a file's odds as the odds table keeps them, in the order first met.
QStringList oddsSourcesOf(const std::vector<MatchLine>& lines);

// The bookmakers typed as a comma list ("B365, ps"), as kept codes; empty for an empty text. A code the
// file has no odds of is refused, the file's codes named.
struct BookmakerReading {
    QStringList codes;
    std::optional<QString> refusal;
};
BookmakerReading readBookmakers(const QString& typed, const QStringList& fileSources);

// A fixture file's lines sorted to leagues.
struct FixtureSorting {
    std::vector<Fixture> fixtures;
    std::map<QString, int> skipped; // lines by a league code no league has, per code
};

// The league a line's code (Div) names: the listed league that keeps the code with its source, else the
// league whose name is the code; in any letter case.
std::optional<QString> leagueOfCode(const QString& code, const QStringList& leagues,
                                    const std::vector<LeagueSource>& sources = {});

// Each line goes to the league its code names, or to `league` when one is given.
FixtureSorting sortFixtures(const std::vector<MatchLine>& lines, const QStringList& leagues,
                            const std::optional<QString>& league,
                            const std::vector<LeagueSource>& sources = {});

// The fixtures' teams in the program's spelling, as a fixture file's names are matched everywhere: a name
// that is a team registered in the fixture's league, in any letter case, becomes that team's ("ARSENAL" is
// "Arsenal"); another stays as the file spells it, for the refusal to name it. Throws StoreError.
void spellAsRegistered(const Database& database, std::vector<Fixture>& fixtures);

} // namespace vezal
