#pragma once

#include "store/MarketTable.h"
#include "store/OddsTable.h"
#include "store/QuoteTable.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

// The market's view of each past match, computed once from its odds and kept (MarketTable).
namespace vezal {

class Database;

// From a match's quotes: the 1X2 of the first source with the whole market at closing, in the order of
// fairSourceOrder (the average, Pinnacle, Bet365, then the others), else likewise before closing, else
// the one bookmaker's odds of an older import; the under/over 2.5 pair of the same moment, from the same
// source where it has one, else from the first that has; and the goal means they imply. None without
// 1X2 odds.
std::optional<MarketView> marketView(const std::vector<Quote>& quotes, const std::optional<MatchOdds>& odds);

// Called as matches are done; returning false cancels, and then nothing is kept.
using MarketProgress = std::function<bool(qsizetype done, qsizetype total)>;

// Computes and keeps the view of every match of the league with odds kept and no view yet, as a folder
// filled before the views were kept needs once. Returns false when cancelled. Engine failures throw
// StoreError.
bool fillMarketViews(Database& database, const QString& league, const MarketProgress& progress = {});

// Fills what is missing, then reads the league's views.
std::optional<std::vector<KeptMarketView>> leagueMarketViews(Database& database, const QString& league,
                                                             const MarketProgress& progress = {});

} // namespace vezal
