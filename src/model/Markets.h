#pragma once

#include "model/Forecast.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

// The markets a bettor plays, each outcome under the code he types, and what an outcome makes of a
// match's score. Pure: QtCore strings only.
namespace vezal::model {

// 1 0 2.
struct MatchResult {
    Result sign = Result::HomeWin;
    bool operator==(const MatchResult&) const = default;
};

// 1X 12 X2: wins unless the sign left out happens.
struct DoubleChance {
    Result leftOut = Result::AwayWin;
    bool operator==(const DoubleChance&) const = default;
};

// DNB1 DNB2: the stake back on a draw.
struct DrawNoBet {
    Result side = Result::HomeWin; // HomeWin or AwayWin
    bool operator==(const DrawNoBet&) const = default;
};

// ALT0.5 .. UST4.5; ALT and UST are the 2.5 line.
struct GoalLine {
    int halfGoals = 5; // the line in half goals: 5 is 2.5
    bool over = false;
    bool operator==(const GoalLine&) const = default;
};

// KGVAR KGYOK.
struct BothTeamsScore {
    bool yes = true;
    bool operator==(const BothTeamsScore&) const = default;
};

// The pool's total goals bands TG01 TG23 TG45 TG6.
struct GoalBand {
    int fewest = 0;
    std::optional<int> most; // none: no upper end
    bool operator==(const GoalBand&) const = default;
};

// SK2-1 for every score up to 5 goals a side; SKDIGER for every other score.
struct CorrectScore {
    std::optional<int> homeGoals; // none for the other scores
    int awayGoals = 0;
    bool operator==(const CorrectScore&) const = default;
};

// The three-way handicap H1(0:1) H0(0:1) H2(0:1): the sign of the score with each side's start added;
// (0:1) starts the away side one goal up.
struct Handicap {
    int homeStart = 0;
    int awayStart = 1;
    Result sign = Result::HomeWin;
    bool operator==(const Handicap&) const = default;
};

// IYMS11 .. IYMS22: the half-time sign, then the full-time sign.
struct HalfTimeFullTime {
    Result halfTime = Result::HomeWin;
    Result fullTime = Result::HomeWin;
    bool operator==(const HalfTimeFullTime&) const = default;
};

// AH1<line> and AH2<line>: the backed side's goal margin plus its line decides. A quarter line is half
// the stake on each of its neighbouring lines.
struct AsianHandicap {
    Result side = Result::HomeWin; // HomeWin (AH1) or AwayWin (AH2)
    int quarterGoals = 0;          // the line in quarter goals: -3 is -0.75
    bool operator==(const AsianHandicap&) const = default;
};

using MarketOutcome = std::variant<MatchResult, DoubleChance, DrawNoBet, GoalLine, BothTeamsScore, GoalBand,
                                   CorrectScore, Handicap, HalfTimeFullTime, AsianHandicap>;

// In the order of MarketOutcome's alternatives, which is the order of the listings.
enum class Market {
    Result,
    DoubleChance,
    DrawNoBet,
    UnderOver,
    BothTeamsScore,
    GoalBand,
    CorrectScore,
    Handicap,
    HalfTimeFullTime,
    AsianHandicap
};
inline constexpr Market kMarkets[] = {Market::Result,       Market::DoubleChance,   Market::DrawNoBet,
                                      Market::UnderOver,    Market::BothTeamsScore, Market::GoalBand,
                                      Market::CorrectScore, Market::Handicap,       Market::HalfTimeFullTime,
                                      Market::AsianHandicap};

Market marketOf(const MarketOutcome& outcome);

// The market's name as the windows list it: "Maç sonucu", "Çifte şans", ...
QString marketName(Market market);

// The code a bettor types, the 2.5 goal line as ALT and UST so that kept bets keep their codes; the zero
// Asian line as AH1+0.
QString outcomeCode(const MarketOutcome& outcome);
// Any letter case, blanks around it ignored, a decimal comma taken as a point; AH10 and AH1-0 are AH1+0.
// None for a code no market has.
std::optional<MarketOutcome> outcomeFromCode(const QString& code);

// Every outcome of the market, always in the same order: a market's complementary outcomes side by side,
// its lines from the lowest.
std::vector<MarketOutcome> marketOutcomes(Market market);
// Every outcome of every market, market after market.
std::vector<MarketOutcome> allOutcomes();

enum class Resolution { Won, HalfWon, Push, HalfLost, Lost };

struct Score {
    int home = 0;
    int away = 0;
};

// Every listed outcome settles alike on every goal margin beyond this one either way, on every total
// beyond this one, and on every side's goals beyond this count: pricing sums the grid into those classes.
inline constexpr int kDecisiveMargin = 4;
inline constexpr int kDecisiveTotal = 6;
inline constexpr int kDecisiveGoals = 6;

// What the outcome makes of a match that ended so; none for half-time/full-time without the half-time
// score.
std::optional<Resolution> resolve(const MarketOutcome& outcome, Score fullTime,
                                  std::optional<Score> halfTime = std::nullopt);

} // namespace vezal::model
