#include "store/ListedLeagues.h"

#include "common/Names.h"
#include "store/Admin.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/LeagueListFile.h"
#include "store/Messages.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>

namespace vezal {

namespace {

// Each league once, found by a seek in the (Klas, ...) index per league rather than a walk of every row.
constexpr const char* kLeaguesInTable =
    "with recursive k(x) as (select min(Klas) from Liste union all\n"
    "  select (select min(Klas) from Liste where Klas>k.x) from k where k.x is not null)\n"
    "select x from k where x is not null";

QStringList leaguesInTable(const Database& database) {
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    const QString what =
        QStringLiteral("\"%1\" veritabanı okunamıyor").arg(QDir::toNativeSeparators(database.filePath()));
    if (!query.exec(QString::fromLatin1(kLeaguesInTable)))
        throw engineError(what, query.lastError());
    QStringList leagues;
    while (query.next())
        leagues << query.value(0).toString();
    if (query.lastError().isValid())
        throw engineError(what, query.lastError());
    return leagues;
}

// The table's leagues that no listed name reaches, in the table's order.
QStringList unlisted(const QStringList& inTable, const QStringList& listed) {
    QSet<QString> reached;
    for (const QString& name : listed)
        reached.insert(cutName(name));
    QStringList missing;
    for (const QString& league : inTable)
        if (!reached.contains(league))
            missing << league;
    return missing;
}

} // namespace

QStringList Relisting::notices() const {
    QStringList lines;
    if (!added.isEmpty())
        lines << QString::fromUtf16(messages::kLeaguesRelisted).arg(added.join(QStringLiteral(", ")));
    if (failure)
        lines << *failure;
    return lines;
}

Relisting relistLeaguesWithRows(Database& database, const QString& leagueListPath) {
    Relisting relisting;
    // Looked at without the lock first: nearly always nothing is missing. What cannot be read here is
    // said by whatever reads it next.
    try {
        const QStringList listed =
            QFileInfo::exists(leagueListPath) ? loadLeagueList(leagueListPath) : QStringList();
        if (unlisted(leaguesInTable(database), listed).isEmpty())
            return relisting;
    } catch (const StoreError&) {
        return relisting;
    }
    try {
        // A writer may be between its commit and its list save: it holds the lock until both are done.
        const LeagueListLock lock(leagueListPath);
        QStringList names = lock.load(MissingList::IsEmpty);
        for (const QString& league : unlisted(leaguesInTable(database), names)) {
            if (checkNewLeague(names, league))
                continue;
            names << league;
            relisting.added << league;
        }
        if (!relisting.added.isEmpty())
            lock.save(names);
    } catch (const StoreError& error) {
        relisting.added.clear();
        relisting.failure = error.message();
    }
    return relisting;
}

} // namespace vezal
