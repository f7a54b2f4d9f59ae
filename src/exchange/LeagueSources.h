#pragma once

#include "store/SourceTable.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// A league's source: which addresses and codes are accepted, how one is set, and the season addresses a
// well-known site offers.
namespace vezal {

class Database;

// A code as the files' Div column writes one: 1 to 8 ASCII letters or digits. Empty is no code.
std::optional<QString> checkLeagueCode(const QString& code);
// An http or https address with a host, a file: address or an absolute file path. Empty is no source.
std::optional<QString> checkSourceAddress(const QString& address);

// What to change; an unset part stays as it is, an empty one is removed.
struct SourceChange {
    std::optional<QString> code;
    std::optional<QString> address;
};

// Sets the league's source after the checks above. The league must be listed in klasman.dat; the list's
// lock is held from that check to the commit, so a league deleted meanwhile gets no source. Returns the
// refusal, or none when written. Throws StoreError on a file or engine failure.
std::optional<QString> setLeagueSource(Database& database, const QString& leagueListPath,
                                       const QString& league, const SourceChange& change);

// A league of football-data.co.uk: its code in the site's files and a name to show.
struct KnownLeague {
    const char* code;
    const char* name;
};
const std::vector<KnownLeague>& footballDataLeagues();

// The season that is on or coming on the day: the one starting in July of that year from July on,
// else the one that started the year before. As the site writes it: "2425" for 2024-25.
QString seasonPart(const QDate& today);
// The season file of the league's code on the site, for the season of the day.
QString footballDataAddress(const QString& code, const QDate& today);
// The site's file of the coming week's matches of every league it follows, with their odds.
inline constexpr const char16_t* kFootballDataFixtures = u"https://www.football-data.co.uk/fixtures.csv";

} // namespace vezal
