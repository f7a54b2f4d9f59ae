#pragma once

#include <QString>
#include <optional>

// The Asian handicap's lines and codes, written once for the odds table and the markets alike: a side's
// line is kept in quarter goals (-3 is -0.75), its code is "AH1" or "AH2" with the line signed ("AH1-0.75",
// "AH2+0.25", the zero line "AH1+0").
namespace vezal {

// Lines run from -3 to +3 goals: books offer none beyond, and a file's value beyond is a slip.
inline constexpr int kMostAsianQuarters = 12;

// The line in quarter goals of a line in goals: none unless it is a multiple of 0.25 within +-3.
std::optional<int> asianQuarters(double goals);
// The same for a file's text ("-0.75", "0", "+1.5"); none for an empty or unreadable text.
std::optional<int> asianQuarters(const QString& text);

// The code of a side (home: AH1, away: AH2) at its line.
QString asianHandicapCode(bool home, int quarterGoals);

struct AsianCode {
    bool home = true;
    int quarterGoals = 0;
};
// The side and line of a code spelled exactly as asianHandicapCode spells it; none for any other text.
std::optional<AsianCode> readAsianHandicapCode(const QString& code);

} // namespace vezal
