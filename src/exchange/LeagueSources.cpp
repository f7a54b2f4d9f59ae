#include "exchange/LeagueSources.h"

#include "common/Names.h"
#include "exchange/SourceMessages.h"
#include "store/Database.h"
#include "store/LeagueListFile.h"
#include "store/Messages.h"
#include "store/WriteTransaction.h"

#include <QDir>
#include <QUrl>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

bool isAsciiLetterOrDigit(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

} // namespace

std::optional<QString> checkLeagueCode(const QString& code) {
    if (code.isEmpty())
        return std::nullopt;
    if (code.size() > 8 || !std::all_of(code.cbegin(), code.cend(), isAsciiLetterOrDigit))
        return text(messages::kBadLeagueCode).arg(code);
    return std::nullopt;
}

std::optional<QString> checkSourceAddress(const QString& address) {
    if (address.isEmpty())
        return std::nullopt;
    // As a name is refused: a tab or line end would break the listing of the sources.
    if (std::any_of(address.cbegin(), address.cend(), isControlCharacter))
        return text(messages::kSourceHasControlCharacter).arg(visibleText(address));
    const QString lower = address.toLower();
    const bool web =
        lower.startsWith(QLatin1String("http://")) || lower.startsWith(QLatin1String("https://"));
    if (web) {
        const QUrl url(address, QUrl::StrictMode);
        if (url.isValid() && !url.host().isEmpty())
            return std::nullopt;
    } else if (lower.startsWith(QLatin1String("file:"))) {
        const QUrl url(address, QUrl::StrictMode);
        if (url.isValid() && url.isLocalFile() && QDir::isAbsolutePath(url.toLocalFile()))
            return std::nullopt;
    } else if (QDir::isAbsolutePath(address)) {
        return std::nullopt;
    }
    return text(messages::kBadSourceAddress).arg(address);
}

std::optional<QString> setLeagueSource(Database& database, const QString& leagueListPath,
                                       const QString& league, const SourceChange& change) {
    if (change.code)
        if (auto refusal = checkLeagueCode(*change.code))
            return refusal;
    if (change.address)
        if (auto refusal = checkSourceAddress(*change.address))
            return refusal;
    // The list's lock first, then the database's: the order every writer keeps.
    const LeagueListLock lock(leagueListPath);
    if (!lock.load(MissingList::IsEmpty).contains(league))
        return text(messages::kNoSuchLeague).arg(league);
    WriteTransaction transaction(database);
    SourceTable sources(database);
    LeagueSource source = sources.find(league).value_or(LeagueSource{league, {}, {}});
    if (change.code)
        source.code = *change.code;
    if (change.address)
        source.address = *change.address;
    sources.put(source);
    transaction.commit();
    return std::nullopt;
}

const std::vector<KnownLeague>& footballDataLeagues() {
    static const std::vector<KnownLeague> leagues = {
        {"E0", "Premier League"},
        {"E1", "Championship"},
        {"E2", "League One"},
        {"E3", "League Two"},
        {"SC0", "Scottish Premiership"},
        {"D1", "Bundesliga"},
        {"D2", "2. Bundesliga"},
        {"SP1", "La Liga"},
        {"SP2", "La Liga 2"},
        {"I1", "Serie A"},
        {"I2", "Serie B"},
        {"F1", "Ligue 1"},
        {"F2", "Ligue 2"},
        {"N1", "Eredivisie"},
        {"B1", "Jupiler Pro League"},
        {"P1", "Primeira Liga"},
        {"T1", "Süper Lig"},
        {"G1", "Super League (Yunanistan)"},
    };
    return leagues;
}

QString seasonPart(const QDate& today) {
    const int start = today.month() >= 7 ? today.year() : today.year() - 1;
    return QStringLiteral("%1%2")
        .arg(start % 100, 2, 10, QLatin1Char('0'))
        .arg((start + 1) % 100, 2, 10, QLatin1Char('0'));
}

QString footballDataAddress(const QString& code, const QDate& today) {
    return QStringLiteral("https://www.football-data.co.uk/mmz4281/%1/%2.csv").arg(seasonPart(today), code);
}

} // namespace vezal
