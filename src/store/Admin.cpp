#include "store/Admin.h"

#include "common/Names.h"
#include "rating/MatchRating.h"
#include "store/MatchTable.h"
#include "store/Messages.h"

#include <algorithm>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

// The score boxes let only digits in; from elsewhere anything else is a wrong score, not a silent 0.
std::optional<int> readGoals(const QString& box) {
    if (box.size() != 1 || box[0] < u'0' || box[0] > u'9')
        return std::nullopt;
    return box[0].unicode() - u'0';
}

bool hasControlCharacter(const QString& name) {
    return std::any_of(name.cbegin(), name.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool isBlankOrControl(QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control;
}

bool isBlank(const QString& name) {
    return std::all_of(name.cbegin(), name.cend(), isBlankOrControl);
}

} // namespace

ResultOutcome enterResult(MatchTable& table, const ResultInput& input) {
    ResultOutcome outcome;
    outcome.duplicateSr =
        table.findShownMatch(input.league, input.filterDate, input.day, input.home, input.away);

    const auto refuse = [&](const char16_t* message) {
        outcome.refusal = text(message);
        return outcome;
    };
    if (!input.day.isValid() || input.day <= kSeedDate)
        return refuse(messages::kEntryDateTooEarly);
    if (input.league.isEmpty())
        return refuse(messages::kChooseLeague);
    // A team is chosen from the league's registered teams; a name from elsewhere is no choice.
    if (input.home.isEmpty() || !table.isRegistered(input.league, input.home))
        return refuse(messages::kChooseHomeTeam);
    if (input.away.isEmpty() || !table.isRegistered(input.league, input.away))
        return refuse(messages::kChooseAwayTeam);
    const std::optional<int> homeGoals = readGoals(input.homeScore);
    const std::optional<int> awayGoals = readGoals(input.awayScore);
    if (!homeGoals || !awayGoals)
        return refuse(messages::kBadScore);
    if (cutName(input.home) == cutName(input.away))
        return refuse(messages::kSameTeams);
    if (outcome.duplicateSr)
        return refuse(messages::kMatchExists);

    const double hs = table.homeRatingBefore(input.home, input.day);
    const double as = table.awayRatingBefore(input.away, input.day);
    const RatingTransfer transfer = rateMatch(*homeGoals, *awayGoals, hs, as);
    outcome.appendedSr = table.appendMatchRow(input.league, input.day, input.home, input.away, *homeGoals,
                                              *awayGoals, transfer);
    return outcome;
}

std::optional<QString> registerTeam(MatchTable& table, const QString& league, const QString& name,
                                    const QString& pointsText) {
    const double points = readNumber(pointsText);
    if (league.isEmpty())
        return text(messages::kChooseTeamLeague);
    if (name.isEmpty())
        return text(messages::kEnterTeamName);
    // Not above 0 also covers what the points box's key rule keeps out (a minus sign, "nan").
    if (!(points > 0))
        return text(messages::kEnterStartingPoints);
    if (points > 7)
        return text(messages::kTooManyPoints);
    const QString stored = cutName(name);
    const QStringList teams = table.teamList(league);
    if (std::any_of(teams.cbegin(), teams.cend(),
                    [&](const QString& team) { return equalNoCase(team, stored); }))
        return text(messages::kTeamExists);
    if (hasControlCharacter(name))
        return text(messages::kTeamNameHasControlCharacter);
    if (!fitsCodePage1254(name))
        return text(messages::kTeamNameNotTurkish);

    table.appendSeedRow(league, name, points);
    return std::nullopt;
}

std::optional<QString> checkNewLeague(const QStringList& listed, const QString& typed) {
    if (isBlank(typed))
        return text(messages::kLeagueNameEmpty);
    // The table tells leagues apart by their first 20 characters only: two names alike in those would
    // share their teams and matches.
    const QString stored = cutName(typed);
    if (std::any_of(listed.cbegin(), listed.cend(),
                    [&](const QString& league) { return equalNoCase(cutName(league), stored); }))
        return text(messages::kLeagueExists);
    if (hasControlCharacter(typed))
        return text(messages::kLeagueNameHasControlCharacter);
    if (!fitsCodePage1254(typed))
        return text(messages::kLeagueNameNotTurkish);
    return std::nullopt;
}

} // namespace vezal
