#include "TestLeague.h"

#include "rating/MatchRating.h"
#include "store/Database.h"
#include "store/MatchTable.h"
#include "store/WriteTransaction.h"

namespace vezal::testing {

void appendTestLeague(const QString& folder, const QString& league, const QDate& first) {
    const auto team = [](int t) {
        return QStringLiteral("T%1").arg(t, 2, 10, QLatin1Char('0'));
    };
    Database database(folder, QStringLiteral("TestLeague"));
    MatchTable table(database);
    WriteTransaction transaction(database);
    for (int t = 0; t < 20; ++t)
        table.appendSeedRow(league, team(t), 5);
    for (int m = 0; m < 600; ++m)
        table.appendMatchRow(league, first.addDays(m / 10), team(m % 20), team((m + 7) % 20), m % 3, 1,
                             rateMatch(m % 3, 1, 2.5, 2.5));
    transaction.commit();
}

} // namespace vezal::testing
