#include "exchange/LeaguePredictor.h"

#include "common/Names.h"
#include "exchange/ExchangeMessages.h"
#include "store/MatchTable.h"

#include <QSqlQuery>
#include <algorithm>

namespace vezal {

namespace {

using TableEntry = LeaguePredictor::TableEntry;

std::vector<TableEntry> readLeagueTable(const MatchTable& table, QSqlQuery query) {
    std::vector<TableEntry> entries;
    while (table.nextRow(query))
        entries.push_back({query.value(0).toString(),
                           {query.value(QStringLiteral("Toplam")), query.value(QStringLiteral("oy")),
                            query.value(QStringLiteral("Gol")), query.value(QStringLiteral("ygol"))}});
    return entries;
}

// The items of the window's team choosers: every name of both tables once, the first spelling met.
QStringList chooserItems(const std::vector<TableEntry>& home, const std::vector<TableEntry>& away) {
    QStringList items;
    for (const auto* table : {&home, &away})
        for (const TableEntry& entry : *table)
            addOnceNoCase(items, entry.team);
    return items;
}

// The panel's lookup: the row whose name equals the chooser's text exactly.
std::optional<LeagueTableRow> rowOf(const std::vector<TableEntry>& table, const QString& team) {
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const TableEntry& entry) { return entry.team == team; });
    return found == table.end() ? std::nullopt : std::optional<LeagueTableRow>(found->row);
}

} // namespace

LeaguePredictor::LeaguePredictor(MatchTable& table, const QString& league) : table_(table) {
    if (!league.isEmpty()) {
        homeTable_ = readLeagueTable(table_, table_.homeTable(league, Traversal::ForwardOnly));
        awayTable_ = readLeagueTable(table_, table_.awayTable(league, Traversal::ForwardOnly));
    }
    items_ = chooserItems(homeTable_, awayTable_);
}

PairingPrediction LeaguePredictor::predict(const QString& homeTyped, const QString& awayTyped,
                                           const QString& matchNumber) {
    PairingPrediction result;
    ComparisonPanel& panel = result.panel;
    const QString home = cutName(homeTyped);
    const QString away = cutName(awayTyped);
    panel.homeTeam = {home, items_.contains(home)};
    showHomeTeam(panel, rowOf(homeTable_, home));
    panel.awayTeam = {away, items_.contains(away)};
    showAwayTeam(panel, rowOf(awayTable_, away));
    panel.matchNumber = matchNumber;

    double totalGoals = 0;
    TahminOutcome outcome = pressTahmin(
        panel, totalGoals, [&] { return table_.homeOpponentStrength(home); },
        [&] { return table_.awayOpponentStrength(away); });
    result.refusal = std::move(outcome.refusal);
    result.commentary = std::move(outcome.commentary);
    result.couponLine = std::move(outcome.couponLine);
    return result;
}

std::optional<QString> LeaguePredictor::registeredName(const QString& name) const {
    return spellingIn(items_, name);
}

std::vector<FixturePrediction> predictFixtures(MatchTable& table, const QString& league,
                                               const std::vector<MatchLine>& fixtures) {
    LeaguePredictor predictor(table, league);
    std::vector<FixturePrediction> predictions;
    predictions.reserve(fixtures.size());
    for (const MatchLine& fixture : fixtures) {
        const std::optional<QString> home = predictor.registeredName(fixture.home);
        const std::optional<QString> away = predictor.registeredName(fixture.away);
        if (!home || !away) {
            PairingPrediction unknown;
            unknown.refusal =
                QString::fromUtf16(messages::kFixtureTeamUnknown).arg(home ? fixture.away : fixture.home);
            predictions.push_back({fixture, unknown});
            continue;
        }
        predictions.push_back({fixture, predictor.predict(*home, *away, QString::number(fixture.number))});
    }
    return predictions;
}

} // namespace vezal
