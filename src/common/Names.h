#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

// Names and the locale every list, box and file of the program agrees on.
namespace vezal {

inline constexpr int kNameLength = 20; // what the table keeps of a league or team name

// The Turkish locale, whatever the host's: decimal comma, dd.MM.yyyy.
QLocale turkishLocale();

// The part of a name the table stores; lookups cut the same way so that no row becomes unreachable.
QString cutName(const QString& name);

// Case-insensitive equality in the Turkish sense (I/ı, İ/i).
bool equalNoCase(const QString& a, const QString& b);

// Turkish alphabetical order without regard to case (A B C Ç D … G Ğ H I İ … Ş).
bool lessNoCase(const QString& a, const QString& b);
// The same order as a three-way comparison: below, at or above zero.
int compareNoCase(const QString& a, const QString& b);
void sortNoCase(QStringList& names);

// The list's name that is the typed one without regard to case, both cut as the table keeps names: the
// program's own spelling of a name typed or read from a file ("Arsenal" for "ARSENAL"). None when the list
// has no such name.
std::optional<QString> spellingIn(const QStringList& names, const QString& typed);

// Adds a name unless the list holds it in any spelling of case: the first spelling met stays.
void addOnceNoCase(QStringList& names, const QString& name);

// Turkish upper-casing (i -> İ, ı -> I).
QString upperTurkish(const QString& text);

// Whether every character survives a round trip through Windows-1254.
bool fitsCodePage1254(const QString& text);

// A line end, tab, NUL or other control character: none belongs in a name.
bool isControlCharacter(QChar c);
// Text from a file as a message may show it: each control character written out ("\n", "\t", "\0",
// "\x1b", "\u2028"), so that a name can never break or forge a line of the output.
QString visibleText(const QString& text);

// A date as the program shows it: dd.MM.yyyy.
QString showDate(const QDate& day);

// A number shown with the decimals given, rounded as shown, so that a tiny negative is no "-0,00".
QString showDecimal(double value, int decimals);
// A percentage as Turkish writes it: "%60,9", and "-%12,4" below zero; one decimal.
QString showPercent(double percent);

// A decimal typed or shown in the Turkish way ("7,5"); text that is not a number reads as 0.
double readNumber(const QString& text);

} // namespace vezal
