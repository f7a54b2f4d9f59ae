#pragma once

#include "betting/Value.h"
#include "evidence/AsianRecord.h"
#include "model/DixonColes.h"
#include "model/Forecast.h"
#include "prediction/Panel.h"
#include "store/MarketTable.h"
#include "store/OddsTable.h"
#include "store/QuoteTable.h"
#include "store/StatisticsTable.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace vezal::model {
class LeagueModel;
}

// How "Tahmin" would have done on a league's past: every match predicted from the table as it stood
// before its day, then held against the result, figure by figure, over the whole walk and per season.
namespace vezal {

class Database;

// One figure: of the matches it counted, how many it got right.
struct Tally {
    int hits = 0;
    int counted = 0;

    void add(std::optional<bool> hit);     // none: the match does not count for this figure
    std::optional<double> percent() const; // none while nothing was counted
};

// Of the forecasts that fell between two tenths of probability, how often the outcome came.
struct CalibrationBin {
    int count = 0;
    double predicted = 0; // the probabilities summed
    int happened = 0;

    std::optional<double> meanPredicted() const; // none while empty
    std::optional<double> observed() const;      // happened / count; none while empty
};

// The model's probability of an event scored on one match against whether it came: the Brier score
// (p - came)^2 and the log loss -ln(p of what came), 1e-15 for a probability of 0.
struct EventScore {
    double brier = 0;
    double logLoss = 0;
};
EventScore scoreEvent(double probability, bool came);

// The model's goal lines beside 2.5, and both teams scoring, on one match: scored whatever the odds.
struct GoalLineScores {
    EventScore over15; // more than 1 goal
    EventScore over35; // more than 3 goals
    EventScore bothScore;
};

// The goals model beside the press: its likeliest sign and side of 2.5 goals, value bets against the kept
// odds, and its 1X2 probabilities scored beside the bookmaker's on the same matches.
struct ModelFigures {
    int forecast = 0; // matches the model gave probabilities for
    Tally firstSign;
    Tally underOver;

    // Over the forecast matches with odds kept: the value bets and both scores.
    int withOdds = 0;
    int valueBets = 0;
    int valueWon = 0;
    double valueProfit = 0; // in units
    double modelRps = 0;    // sums; the means divide by withOdds
    double bookmakerRps = 0;
    double modelLogLoss = 0;
    double bookmakerLogLoss = 0;

    // Over the forecast matches with over/under 2.5 odds kept: both sides' scores of the over probability.
    int withUnderOverOdds = 0;
    double modelUnderOverBrier = 0; // sums; the means divide by withUnderOverOdds
    double bookmakerUnderOverBrier = 0;
    double modelUnderOverLogLoss = 0;
    double bookmakerUnderOverLogLoss = 0;

    // Over the forecast matches: the model's over 1.5, over 3.5 and both-teams-to-score scores.
    int withGoalLines = 0;
    GoalLineScores goalLineSums; // the means divide by withGoalLines

    // Every outcome of every forecast match, by predicted probability: 0-0.1, 0.1-0.2, ..., 0.9-1.
    std::array<CalibrationBin, 10> calibration{};

    // The value bets held against the closing line, over those whose match has closing odds.
    Spread closeValue; // each bet's expected value at the closing line
    Spread closingLineValue;

    // The forecast (the model pooled with the odds taken before closing) beside that market, over the
    // matches with such odds; and the closing market over the matches with closing odds.
    int withOpening = 0;
    double forecastRps = 0; // sums
    double openingRps = 0;
    int withClosing = 0;
    double closingRps = 0;

    // The Asian handicap over the forecast matches with its odds kept: one unit on the side of value, held
    // against the closing line where the closing odds are at the same line.
    int withAsianOdds = 0;
    int asianBets = 0;
    double asianProfit = 0; // in units
    Spread asianCloseValue;
    Spread asianClosingLineValue;

    std::optional<double> valueYieldPercent() const; // profit per bet; none without bets
    std::optional<double> asianYieldPercent() const;
    std::optional<double> meanModelRps() const; // none without matches with odds
    std::optional<double> meanBookmakerRps() const;
    std::optional<double> meanModelLogLoss() const;
    std::optional<double> meanBookmakerLogLoss() const;
    std::optional<double> meanModelUnderOverBrier() const; // none without over/under odds
    std::optional<double> meanBookmakerUnderOverBrier() const;
    std::optional<double> meanModelUnderOverLogLoss() const;
    std::optional<double> meanBookmakerUnderOverLogLoss() const;
    std::optional<double> meanForecastRps() const; // none without odds taken before closing
    std::optional<double> meanOpeningRps() const;
    std::optional<double> meanClosingRps() const; // none without closing odds
};

struct TrackFigures {
    int matches = 0;      // every match walked
    int notPredicted = 0; // refused by the press (a team not chosen or without games)

    Tally firstSign;      // the first result sign
    Tally doubleChance;   // both signs, when there are two
    Tally singleSign;     // the first sign, when it stands alone
    Tally underOverClear; // "ALT" or "ÜST"
    Tally underOverLean;  // every under/over text but the even one, by the side it names first
    Tally goalsBand;      // the total goals band
    Tally exactScore;     // the predicted score

    // Baselines on the predicted matches; the bookmaker's only where odds are kept.
    Tally alwaysHome;
    Tally bookmakerFavourite;
    Tally bookmakerTopTwo;

    // One unit on the first sign at its odds, where odds are kept and a first sign was given.
    int bets = 0;
    int betsWon = 0;
    double profit = 0; // in units

    int predicted() const { return matches - notPredicted; }
    std::optional<double> yieldPercent() const; // profit per bet; none without bets

    ModelFigures model; // nothing counted when the walk ran without the model
};

struct SeasonFigures {
    QString season; // "2018-19", as the league's SeasonCalendar names it
    TrackFigures figures;
};

// What one prediction got right; none where a figure does not count the match.
struct MatchVerdicts {
    std::optional<bool> firstSign;
    std::optional<bool> doubleChance;
    std::optional<bool> singleSign;
    std::optional<bool> underOverClear;
    std::optional<bool> underOverLean;
    std::optional<bool> goalsBand;
    std::optional<bool> exactScore;
    bool alwaysHome = false;
    std::optional<bool> bookmakerFavourite;
    std::optional<bool> bookmakerTopTwo;
    std::optional<double> stakeProfit; // the unit's return less the unit, when a bet was placed
};

// The goals model's probabilities for a match, fitted on the matches before its day.
struct ModelProbabilities {
    double home = 0;
    double draw = 0;
    double away = 0;
    double under25 = 0; // at most two goals
};

// The model's probabilities held against the odds of a match: value bets and both scores.
struct OddsVerdicts {
    QString valueSigns; // the signs bet on, in the order 1, 0, 2; empty for no bet
    bool valueWon = false;
    double valueProfit = 0; // the units won less the units staked
    double modelRps = 0;
    double bookmakerRps = 0; // of the margin-free probabilities
    double modelLogLoss = 0;
    double bookmakerLogLoss = 0;
};

// Over and under 2.5 goals odds of a match.
struct UnderOverOdds {
    double over = 0;
    double under = 0;
};

// The over 2.5 probability of the model and of the bookmaker (margin removed) scored on one match: the
// Brier score (p - 1)^2 when three goals or more came, p^2 otherwise, and the log loss of what came.
struct UnderOverScores {
    double modelBrier = 0;
    double bookmakerBrier = 0;
    double modelLogLoss = 0;
    double bookmakerLogLoss = 0;
};

// One unit bet on an outcome the forecast found of value, and how its price held against the close.
struct ValueBet {
    QString sign; // "1", "0" or "2"
    double odds = 0;
    bool won = false;
    std::optional<double> closingLineValue; // odds / the outcome's closing odds - 1
    std::optional<double> closeValue;       // the closing margin-free probability * odds - 1

    double profit() const { return won ? odds - 1 : -1.0; }
};

// A match's prices as the walk takes them: the odds value bets are taken at, the market's margin-free
// probabilities before closing (which the forecast pools with) and at closing, and each outcome's closing
// odds. An odd of 0 is none.
struct MatchPrices {
    model::ThreeWay taken;
    std::optional<model::ThreeWay> opening;
    std::optional<double> openingUnder25;
    std::optional<model::ThreeWay> closing;
    model::ThreeWay closingOdds;
    std::optional<AsianPrices> asian;
};

// The forecast and the markets scored on one match.
struct MarketScores {
    std::optional<double> forecastRps; // with odds taken before closing
    std::optional<double> openingRps;
    std::optional<double> closingRps; // with closing odds
};

// What the model's probabilities got right on one match.
struct ModelVerdicts {
    QString sign; // the likeliest: ties go to 1, then 0, then 2
    bool signHit = false;
    bool over = false; // the likelier side of 2.5 goals; an even split counts as under
    bool underOverHit = false;
    std::optional<OddsVerdicts> againstOdds;         // where valid odds are kept
    std::optional<UnderOverScores> againstUnderOver; // where valid over/under odds are kept
    std::optional<GoalLineScores> goalLines;         // where the model's grid could be made
    std::vector<ValueBet> valueBets;                 // in the order 1, 0, 2
    bool asianPriced = false;                        // Asian odds on both sides were there to judge
    std::optional<AsianValueBet> asianBet;
    MarketScores againstMarket;
};

struct TrackedMatch {
    QDate day;
    QString season;
    QString home;
    QString away;
    int homeGoals = 0;
    int awayGoals = 0;
    std::optional<MatchOdds> odds;
    std::optional<UnderOverOdds> underOverOdds;
    std::optional<QString> refusal; // the press's warning; then panel holds no prediction
    ComparisonPanel panel;          // as the press left it
    // What the press read, unrounded: the teams' rows of the league tables (none when a team has no row)
    // and the opponent-strength sums (none when the press did not get as far as the expected goals).
    std::optional<LeagueTableRow> homeTableRow;
    std::optional<LeagueTableRow> awayTableRow;
    std::optional<double> homeStrength;
    std::optional<double> awayStrength;
    std::optional<MatchVerdicts> verdicts;
    double cumulativeProfit = 0; // flat stakes up to and including this match, for a chart
    // The value bets' expected values at the closing line up to and including this match, in units.
    double cumulativeCloseValue = 0;

    std::optional<MatchPrices> prices; // where any odds are kept

    // The goals model, when the walk ran it: its probabilities, or why there are none; and the forecast,
    // the model pooled with the odds taken before closing (the model's own without them).
    std::optional<ModelProbabilities> model;
    std::optional<ModelProbabilities> forecast;
    std::optional<QString> modelRefusal;
    std::optional<ModelVerdicts> modelVerdicts;
};

struct TrackRecord {
    QString league;
    TrackFigures overall;
    std::vector<SeasonFigures> seasons; // in date order
    std::vector<TrackedMatch> matches;  // in date order, a day's matches in the table's order
    bool withModel = false;             // the goals model was walked beside the press
};

// A bet is of value when probability * odds exceeds 1 by more than this.
inline constexpr double kValueThreshold = 0.05;

// How the goals model is walked beside the press.
struct ModelWalk {
    model::FitOptions fit;
    double valueThreshold = kValueThreshold;
    // The kept quotes value bets are taken at; none: the one bookmaker's odds each match keeps (Oran).
    std::optional<OddsChoice> odds;
};

// Called as days are done; returning false cancels the walk.
using WalkProgress = std::function<bool(qsizetype done, qsizetype total)>;

// "1" home win, "0" draw, "2" away win.
QString resultSign(int homeGoals, int awayGoals);

// The football season of a day by the calendar, 1 July to 30 June: "2018-19". A league's seasons follow
// its own breaks (SeasonCalendar); this rule names them.
QString seasonOf(const QDate& day);

// The side an under/over text leans to: true over, false under; none for the even text or no text.
std::optional<bool> underOverLeansOver(const QString& underOver);

// Holds the prediction boxes of a press against the result and, where kept, the odds.
MatchVerdicts judgePrediction(const ComparisonPanel& panel, int homeGoals, int awayGoals,
                              const std::optional<MatchOdds>& odds);

// Adds one walked match: a refusal counts as not predicted, otherwise its verdicts.
void addMatch(TrackFigures& figures, const std::optional<MatchVerdicts>& verdicts);

// Holds the model's probabilities against the result and, where valid odds are kept, bets one unit on
// every outcome whose probability * odds exceeds 1 + valueThreshold.
ModelVerdicts judgeModel(const ModelProbabilities& probabilities, int homeGoals, int awayGoals,
                         const std::optional<MatchOdds>& odds, double valueThreshold = kValueThreshold);

// One unit on every outcome whose forecast probability is of value at the odds taken (isValueBet), each
// held against the closing odds where the prices have them.
std::vector<ValueBet> valueBets(const model::ThreeWay& forecast, const MatchPrices& prices, int homeGoals,
                                int awayGoals, double valueThreshold);

// Puts the bets in the verdicts, the odds verdicts' value fields following them.
void setValueBets(ModelVerdicts& verdicts, std::vector<ValueBet> bets);

// The model's and the forecast's verdicts on a walked match, from the goals model as it stood on its day.
void forecastWithModel(model::LeagueModel& goals, TrackedMatch& match, const ModelWalk& walk);

// The forecast's and both markets' ranked probability scores where the prices have them.
MarketScores scoreMarkets(const model::ThreeWay& forecast, const MatchPrices& prices, int homeGoals,
                          int awayGoals);

// Each match's prices from its kept quotes and, where it has no quotes of a kind, its one bookmaker's
// odds: taken at the choice's odds before closing (the kept one bookmaker's without a choice), the opening
// market from the first whole source before closing (the average, Pinnacle, Bet365, the others), the
// closing market likewise at closing, an outcome's closing odds by the choice where it has them, else the
// closing market's source's. By Liste's key (day, home, away).
QHash<QString, MatchPrices> matchPrices(const std::vector<KeptQuote>& quotes,
                                        const std::vector<KeptOdds>& odds,
                                        const std::optional<OddsChoice>& choice);
QString matchKey(const QString& day, const QString& home, const QString& away);

// The model's under 2.5 probability and the bookmaker's, from odds each above 1, scored against the
// goals; none for odds a bookmaker could not offer.
std::optional<UnderOverScores> judgeUnderOver(double modelUnder25, int totalGoals, const UnderOverOdds& odds);

// Adds one match the model forecast: its verdicts and its three outcomes to the calibration.
void addModelMatch(ModelFigures& figures, const ModelProbabilities& probabilities, int homeGoals,
                   int awayGoals, const ModelVerdicts& verdicts);

// A row of the league as the walk needs it; the day is the table's yyyy-MM-dd text.
struct LeagueRow {
    qint64 sr = 0;
    QString day;
    QString home;                                 // Etkm
    QString away;                                 // Mtkm
    std::optional<int> games;                     // Oyun
    std::optional<int> homeFor, homeAgainst;      // Ea, Ey
    std::optional<int> awayFor, awayAgainst;      // Ma, My
    std::optional<double> homePoints, awayPoints; // Etp, Mtp
};

// A team's opponent strength on one row.
struct StrengthRow {
    QString day;
    double strength = 0;
};

// Everything the walk reads from the table, read once.
struct WalkRows {
    QString league;
    std::vector<LeagueRow> leagueRows; // by day, then Sr; seed rows included
    // By team name, every league's rows in the order the strength statements sum them.
    QHash<QString, std::vector<StrengthRow>> homeStrengths;
    QHash<QString, std::vector<StrengthRow>> awayStrengths;
    std::vector<KeptOdds> odds;
    std::vector<KeptStatistics> statistics; // the league's kept match statistics
    std::vector<KeptQuote> quotes;          // every price kept, of every source and moment
    std::vector<KeptMarketView> market;     // the market's view of each match
};

// The league's rows up to the day `to` (a null date: every day), with the opponent strengths of every
// team named in them and the league's kept odds.
WalkRows readWalkRows(Database& database, const QString& league, const QDate& to);

// Walks the matches dated from `from` to `to` (null dates leave that end open). Every day's matches are
// predicted as "Tahmin" would predict them, right after the program starts, on the table holding only
// the rows dated before that day. None when cancelled.
//
// With a model walk, the goals model is fitted on the league's matches strictly before each day (each fit
// starting from the day before's) and forecasts every match of the day beside the press; a match the model
// refuses (a team with too few matches) is left out of the model's figures only.
std::optional<TrackRecord> walkTrackRecord(const WalkRows& rows, const QDate& from, const QDate& to,
                                           const WalkProgress& progress = {},
                                           const std::optional<ModelWalk>& modelWalk = std::nullopt);

// Makes the market's views where the folder lacks them (progress counts them), reads and walks. None when
// cancelled.
std::optional<TrackRecord> trackRecord(Database& database, const QString& league, const QDate& from,
                                       const QDate& to, const WalkProgress& progress = {},
                                       const std::optional<ModelWalk>& modelWalk = std::nullopt);

} // namespace vezal
