#include "store/Admin.h"

#include "common/Names.h"
#include "rating/MatchRating.h"
#include "store/LeagueListFile.h"
#include "store/MatchTable.h"
#include "store/Messages.h"
#include "store/SourceTable.h"
#include "store/StoreError.h"
#include "store/TextLines.h"
#include "store/WriteTransaction.h"

#include <algorithm>
#include <cmath>

namespace vezal {

namespace {

// The score boxes let only digits in; from elsewhere anything else is a wrong score, not a silent 0.
std::optional<int> readGoals(const QString& box) {
    if (box.size() != 1 || box[0] < u'0' || box[0] > u'9')
        return std::nullopt;
    return box[0].unicode() - u'0';
}

// Text that is not a number reads as 0; a number too large for a double is still a number, and above 7.
double readPoints(const QString& box) {
    QLocale tr = turkishLocale();
    tr.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = tr.toDouble(box, &ok);
    return ok || std::isinf(value) ? value : 0.0;
}

bool hasControlCharacter(const QString& name) {
    return std::any_of(name.cbegin(), name.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool isBlankOrControl(QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control;
}

// Blanks include the no-break space.
bool isBlank(const QString& name) {
    return std::all_of(name.cbegin(), name.cend(), isBlankOrControl);
}

} // namespace

Refusal refusalOf(Check check) {
    const char16_t* message = nullptr;
    switch (check) {
    case Check::EntryDateTooEarly:
        message = messages::kEntryDateTooEarly;
        break;
    case Check::ChooseLeague:
        message = messages::kChooseLeague;
        break;
    case Check::ChooseHomeTeam:
        message = messages::kChooseHomeTeam;
        break;
    case Check::ChooseAwayTeam:
        message = messages::kChooseAwayTeam;
        break;
    case Check::BadScore:
        message = messages::kBadScore;
        break;
    case Check::SameTeams:
        message = messages::kSameTeams;
        break;
    case Check::MatchExists:
        message = messages::kMatchExists;
        break;
    case Check::ChooseTeamLeague:
        message = messages::kChooseTeamLeague;
        break;
    case Check::EnterTeamName:
        message = messages::kEnterTeamName;
        break;
    case Check::EnterStartingPoints:
        message = messages::kEnterStartingPoints;
        break;
    case Check::TooManyPoints:
        message = messages::kTooManyPoints;
        break;
    case Check::TeamExists:
        message = messages::kTeamExists;
        break;
    case Check::TeamNameHasControlCharacter:
        message = messages::kTeamNameHasControlCharacter;
        break;
    case Check::TeamNameNotTurkish:
        message = messages::kTeamNameNotTurkish;
        break;
    case Check::LeagueNameEmpty:
        message = messages::kLeagueNameEmpty;
        break;
    case Check::LeagueExists:
        message = messages::kLeagueExists;
        break;
    case Check::LeaguePrefixTaken:
        message = messages::kLeaguePrefixTaken;
        break;
    case Check::LeagueNameHasControlCharacter:
        message = messages::kLeagueNameHasControlCharacter;
        break;
    case Check::LeagueNameNotTurkish:
        message = messages::kLeagueNameNotTurkish;
        break;
    case Check::TeamNotInLeague:
        message = messages::kTeamNotInLeague;
        break;
    case Check::LeagueNotListed:
        message = messages::kLeagueNotListed;
        break;
    }
    return {check, QString::fromUtf16(message)};
}

ResultOutcome enterResult(MatchTable& table, const ResultInput& input) {
    WriteTransaction transaction(table.database());
    ResultOutcome outcome;
    outcome.duplicateSr =
        table.findShownMatch(input.league, input.filterDate, input.day, input.home, input.away);

    const auto refuse = [&](Check check) {
        outcome.refusal = refusalOf(check);
        return outcome;
    };
    if (!input.day.isValid() || input.day <= kSeedDate)
        return refuse(Check::EntryDateTooEarly);
    if (input.league.isEmpty())
        return refuse(Check::ChooseLeague);
    // A team is chosen from the league's registered teams; a name from elsewhere is no choice.
    if (input.home.isEmpty() || !table.isRegistered(input.league, input.home))
        return refuse(Check::ChooseHomeTeam);
    if (input.away.isEmpty() || !table.isRegistered(input.league, input.away))
        return refuse(Check::ChooseAwayTeam);
    const std::optional<int> homeGoals = readGoals(input.homeScore);
    const std::optional<int> awayGoals = readGoals(input.awayScore);
    if (!homeGoals || !awayGoals)
        return refuse(Check::BadScore);
    if (cutName(input.home) == cutName(input.away))
        return refuse(Check::SameTeams);
    if (outcome.duplicateSr)
        return refuse(Check::MatchExists);

    const double hs = table.homeRatingBefore(input.home, input.day);
    const double as = table.awayRatingBefore(input.away, input.day);
    const RatingTransfer transfer = rateMatch(*homeGoals, *awayGoals, hs, as);
    outcome.appendedSr = table.appendMatchRow(input.league, input.day, input.home, input.away, *homeGoals,
                                              *awayGoals, transfer);
    transaction.commit();
    return outcome;
}

std::optional<Refusal> registerTeam(MatchTable& table, const QString& league, const QString& name,
                                    const QString& pointsText) {
    const double points = readPoints(pointsText);
    if (league.isEmpty())
        return refusalOf(Check::ChooseTeamLeague);
    // What the table keeps of the name must not be blank either.
    if (isBlank(cutName(name)))
        return refusalOf(Check::EnterTeamName);
    // Not above 0 also covers what the points box's key rule keeps out (a minus sign, "nan").
    if (!(points > 0))
        return refusalOf(Check::EnterStartingPoints);
    if (points > 7)
        return refusalOf(Check::TooManyPoints);

    WriteTransaction transaction(table.database());
    const QString stored = cutName(name);
    const QStringList teams = table.teamList(league);
    if (std::any_of(teams.cbegin(), teams.cend(),
                    [&](const QString& team) { return equalNoCase(team, stored); }))
        return refusalOf(Check::TeamExists);
    if (hasControlCharacter(name))
        return refusalOf(Check::TeamNameHasControlCharacter);
    if (!fitsCodePage1254(name))
        return refusalOf(Check::TeamNameNotTurkish);

    table.appendSeedRow(league, name, points);
    transaction.commit();
    return std::nullopt;
}

std::optional<Refusal> deleteTeam(MatchTable& table, const QString& league, const QString& team) {
    WriteTransaction transaction(table.database());
    if (table.deleteTeam(league, team) == 0)
        return refusalOf(Check::TeamNotInLeague);
    transaction.commit();
    return std::nullopt;
}

std::optional<Refusal> checkNewLeague(const QStringList& listed, const QString& typed) {
    if (isBlank(typed))
        return refusalOf(Check::LeagueNameEmpty);
    // The table tells leagues apart by their first 20 characters only: two names alike in those would
    // share their teams and matches.
    const QString stored = cutName(typed);
    if (std::any_of(listed.cbegin(), listed.cend(),
                    [&](const QString& league) { return equalNoCase(league, typed); }))
        return refusalOf(Check::LeagueExists);
    if (std::any_of(listed.cbegin(), listed.cend(),
                    [&](const QString& league) { return equalNoCase(cutName(league), stored); }))
        return refusalOf(Check::LeaguePrefixTaken);
    if (hasControlCharacter(typed))
        return refusalOf(Check::LeagueNameHasControlCharacter);
    if (!fitsCodePage1254(typed))
        return refusalOf(Check::LeagueNameNotTurkish);
    return std::nullopt;
}

std::optional<Refusal> addLeague(const QString& leagueListPath, const QString& league) {
    const LeagueListLock lock(leagueListPath);
    QStringList names = lock.load(MissingList::IsEmpty); // the first league of a folder starts the file
    if (std::optional<Refusal> refusal = checkNewLeague(names, league))
        return refusal;
    names << league;
    sortNoCase(names); // as the main window's league selector saves it
    lock.save(names);
    return std::nullopt;
}

std::optional<Refusal> deleteLeague(MatchTable& table, const QString& leagueListPath, const QString& league,
                                    const QStringList& order) {
    const LeagueListLock lock(leagueListPath);
    QStringList names = lock.load(MissingList::Fails);
    const qsizetype index = names.indexOf(league);
    if (index < 0)
        return refusalOf(Check::LeagueNotListed);
    WriteTransaction transaction(table.database());
    table.deleteLeague(league);
    SourceTable(table.database()).remove(league); // a league added again later starts without one
    names.removeAt(index);
    if (!order.isEmpty()) {
        QStringList ordered;
        for (const QString& name : order)
            if (names.contains(name) && !ordered.contains(name))
                ordered << name;
        for (const QString& name : names)
            if (!ordered.contains(name))
                ordered << name;
        names = ordered;
    }
    // The list goes before the rows: a deletion cut off between the two leaves the rows of an unlisted
    // league, which the next opening lists again, so that the league and its rows stay together. Both new
    // bytes and old are on the disk before anything is replaced: a full disk fails here and changes nothing,
    // and a refused commit puts the old list back without needing room.
    const std::unique_ptr<textlines::StagedFile> newList = lock.stage(names);
    const std::unique_ptr<textlines::StagedFile> oldList = lock.stageCopy();
    newList->replace();
    try {
        transaction.commit();
    } catch (const StoreError&) {
        try {
            oldList->replace();
        } catch (const StoreError&) {
            // The rows stay: the next opening lists the league again.
        }
        throw;
    }
    return std::nullopt;
}

} // namespace vezal
