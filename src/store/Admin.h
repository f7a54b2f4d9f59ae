#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The checked actions that change data, shared by the windows and vezal-cli so that both refuse with
// the same words. A refusal names the check that refused and carries the exact message to show; nothing
// has been written then.
//
// Each action that reads the table before it writes runs as one write transaction that takes the
// database's write lock before its first read: with the program and vezal-cli (or two of either) on one
// folder, the second writer waits for the first and then checks again, so that two of them never both
// pass a duplicate check or rate a match from sums that leave the other's row out.
namespace vezal {

class MatchTable;

enum class Check {
    // Result entry, in the order the checks run.
    EntryDateTooEarly,
    ChooseLeague,
    ChooseHomeTeam,
    ChooseAwayTeam,
    BadScore,
    SameTeams,
    MatchExists,
    // Team registration, in order.
    ChooseTeamLeague,
    EnterTeamName,
    EnterStartingPoints,
    TooManyPoints,
    TeamExists,
    TeamNameHasControlCharacter,
    TeamNameNotTurkish,
    // A new league, in order.
    LeagueNameEmpty,
    LeagueExists,
    LeaguePrefixTaken, // another name, alike in the 20 characters the table keeps
    LeagueNameHasControlCharacter,
    LeagueNameNotTurkish,
    // Deletions.
    TeamNotInLeague,
    LeagueNotListed,
};

// Which check refused, and its words. Control flow asks the check, never the words. It reads as its words
// wherever a text is wanted, so that a caller can show it as it is.
struct Refusal {
    Check check;
    QString message;

    operator const QString&() const { return message; }
};

// The refusal of a check, with its message.
Refusal refusalOf(Check check);

struct ResultInput {
    QString league;    // empty: no league chosen
    QDate filterDate;  // the results window's filter date: which rows the duplicate search sees
    QDate day;         // the match day
    QString home;      // empty: no home team chosen
    QString away;      // empty: no away team chosen
    QString homeScore; // the score boxes' texts, one digit each
    QString awayScore;
};

struct ResultOutcome {
    std::optional<Refusal> refusal;
    std::optional<qint64> duplicateSr; // the shown row that matched, whether or not it refused
    std::optional<qint64> appendedSr;
};

// Duplicate search, the seven checks in order, the two rating sums, the rating and the append.
ResultOutcome enterResult(MatchTable& table, const ResultInput& input);

// The checks in order, then the seed row. The caller clears its boxes on Check::TeamExists.
std::optional<Refusal> registerTeam(MatchTable& table, const QString& league, const QString& name,
                                    const QString& pointsText);

// Deletes the team's seed row and every match it played in the league (its rows in other leagues stay).
// A team without a row in the league is refused: nothing would be deleted.
std::optional<Refusal> deleteTeam(MatchTable& table, const QString& league, const QString& team);

// The league list window's warnings (status-line texts), or none when the name may be added.
std::optional<Refusal> checkNewLeague(const QStringList& listed, const QString& typed);

// Adds a league to the league list file, in Turkish order, after checkNewLeague against the file as it is
// now; a missing file starts empty. The file's lock is held from the read to the save. Throws StoreError
// when the file cannot be read or written.
std::optional<Refusal> addLeague(const QString& leagueListPath, const QString& league);

// Deletes a league: every row of it in the table, and its line in the league list file (the other lines
// keep their order). A name the file does not hold, exactly as written, is refused. Both changes happen
// or neither: the list's lock is taken first, the rows are deleted in a write transaction, the new list
// is written whole beside the old one and put in its place, and then the deletion is committed; a refused
// commit puts the old list back. A deletion killed between the list and the commit leaves the rows,
// and the next opening of the data lists their league again. Throws StoreError on a file or engine
// failure, the disk full included, with nothing changed.
// The league list window saves the list in its own order: given that order, the names it holds come
// first in it, then any the file holds that it lacks (another process added them), in the file's order.
std::optional<Refusal> deleteLeague(MatchTable& table, const QString& leagueListPath, const QString& league,
                                    const QStringList& order = {});

} // namespace vezal
