#pragma once

#include <QString>
#include <optional>

// One rule for a decimal odds value, wherever it comes from: a file's odds column, the main window's odds
// boxes or the companion's --odds; and one for an amount of money (a stake, a bankroll).
namespace vezal {

// Odds pay back the stake and more; beyond this no bookmaker's price is real, and a typing slip (a lost
// decimal mark) or a broken file would otherwise run through every figure.
inline constexpr double kHighestOdds = 1000;

// Why a typed odds value cannot be used. %1: the text typed.
inline constexpr const char16_t* kOddsRefused =
    u"Oran 1'den büyük ve en fazla 1000 olan bir ondalık sayı olmalı (1,44 ya da 1.44): %1";

// A finite decimal above 1 and at most kHighestOdds, with a point or a comma as the decimal mark
// ("1.44" and "1,44" are both 1,44); digits only around it, no sign, exponent or thousands mark. Blanks
// around it are ignored. None for anything else, the empty text included.
std::optional<double> readOddsValue(const QString& text);

// The same bounds for a value already read.
bool isOddsValue(double value);

// The most a stake or a bankroll may be: far above any bettor's, and low enough that the sums of a
// lifetime of bets (each at most kHighestBetOdds) stay finite numbers.
inline constexpr double kHighestAmount = 1'000'000'000;
// The most the odds of one bet, its selections' odds multiplied, may come to.
inline constexpr double kHighestBetOdds = 1'000'000'000;

// Why a typed amount cannot be used. %1: what it is for ("Bahis miktarı", "Kasa"), %2: the text typed.
inline constexpr const char16_t* kAmountRefused =
    u"%1 sıfırdan büyük, en fazla 1 milyar ve en çok iki ondalıklı bir sayı olmalı (25,50 ya da 25.50): %2";

// A decimal typed as readOddsValue takes one, with at most two decimals (so that "1.000", a thousand
// to a Turkish eye, is refused rather than read as 1), above 0 and at most kHighestAmount; none otherwise.
std::optional<double> readAmount(const QString& text);

// The same bounds for a value already read.
bool isAmount(double value);

} // namespace vezal
