#pragma once

#include "prediction/Panel.h"
#include "store/OddsTable.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

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
};

struct SeasonFigures {
    QString season; // "2018-19"
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

struct TrackedMatch {
    QDate day;
    QString season;
    QString home;
    QString away;
    int homeGoals = 0;
    int awayGoals = 0;
    std::optional<MatchOdds> odds;
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
};

struct TrackRecord {
    QString league;
    TrackFigures overall;
    std::vector<SeasonFigures> seasons; // in date order
    std::vector<TrackedMatch> matches;  // in date order, a day's matches in the table's order
};

// Called as days are done; returning false cancels the walk.
using WalkProgress = std::function<bool(qsizetype done, qsizetype total)>;

// "1" home win, "0" draw, "2" away win.
QString resultSign(int homeGoals, int awayGoals);

// The football season of a day, 1 July to 30 June: "2018-19".
QString seasonOf(const QDate& day);

// The side an under/over text leans to: true over, false under; none for the even text or no text.
std::optional<bool> underOverLeansOver(const QString& underOver);

// Holds the prediction boxes of a press against the result and, where kept, the odds.
MatchVerdicts judgePrediction(const ComparisonPanel& panel, int homeGoals, int awayGoals,
                              const std::optional<MatchOdds>& odds);

// Adds one walked match: a refusal counts as not predicted, otherwise its verdicts.
void addMatch(TrackFigures& figures, const std::optional<MatchVerdicts>& verdicts);

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
};

// The league's rows up to the day `to` (a null date: every day), with the opponent strengths of every
// team named in them and the league's kept odds.
WalkRows readWalkRows(Database& database, const QString& league, const QDate& to);

// Walks the matches dated from `from` to `to` (null dates leave that end open). Every day's matches are
// predicted as "Tahmin" would predict them, right after the program starts, on the table holding only
// the rows dated before that day. None when cancelled.
std::optional<TrackRecord> walkTrackRecord(const WalkRows& rows, const QDate& from, const QDate& to,
                                           const WalkProgress& progress = {});

// Reads and walks.
std::optional<TrackRecord> trackRecord(Database& database, const QString& league, const QDate& from,
                                       const QDate& to, const WalkProgress& progress = {});

} // namespace vezal
