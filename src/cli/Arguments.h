#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The typed values of vezal-cli's command lines, read as the windows' boxes would hold them.
namespace vezal {

// The days a command line may name. Wider than any the table holds (its matches begin in 2008), so that a
// day out of the table's range still meets the program's own refusal; narrow enough that a slip such as
// 0001 or 9999 is a usage error at once.
inline const QDate kFirstDayArgument{1900, 1, 1};
inline const QDate kLastDayArgument{2100, 12, 31};

// dd.MM.yyyy as the program shows dates, or yyyy-MM-dd as the table stores them, from kFirstDayArgument to
// kLastDayArgument.
std::optional<QDate> parseDay(const QString& text);

// A whole number written in digits alone (no sign, blank or exponent), from least to most; none for
// anything else, a number too large for 64 bits included.
std::optional<qint64> wholeNumber(const QString& text, qint64 least, qint64 most);

// Starting points with a comma or a point, turned into the points box's text ("7.5" -> "7,5"). The box
// lets only digits and one decimal separator in, so anything else is none. Empty stays empty: the box
// may be left empty, and the check that follows refuses it.
std::optional<QString> pointsBoxText(const QString& text);

// A score box lets only digits in; how many is for the result check to judge.
bool isScoreBoxText(const QString& text);

} // namespace vezal
