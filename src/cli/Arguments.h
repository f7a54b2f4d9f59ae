#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The typed values of vezal-cli's command lines, read as the windows' boxes would hold them.
namespace vezal {

// dd.MM.yyyy as the program shows dates, or yyyy-MM-dd as the table stores them.
std::optional<QDate> parseDay(const QString& text);

// Starting points with a comma or a point, turned into the points box's text ("7.5" -> "7,5"). The box
// lets only digits and one decimal separator in, so anything else is none. Empty stays empty: the box
// may be left empty, and the check that follows refuses it.
std::optional<QString> pointsBoxText(const QString& text);

// A score box lets only digits in; how many is for the result check to judge.
bool isScoreBoxText(const QString& text);

} // namespace vezal
