#pragma once

#include "exchange/OddsColumns.h"
#include "store/OddsTable.h"
#include "store/StatisticsTable.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// A season's results or a list of coming matches, as a CSV file: which lines can be used and why the
// others cannot.
namespace vezal {

enum class MatchFileKind {
    Results,  // date, teams and goals
    Fixtures, // date and teams; goal columns are not read
};

struct MatchLine {
    int line = 0;   // the file's line number where the record starts
    int number = 0; // its running number among the data lines (rejected ones count too), from 1
    QDate day;
    QString home; // as the file spells the team first, whatever the letter case of later lines
    QString away;
    int homeGoals = 0; // results only
    int awayGoals = 0;
    std::optional<MatchOdds> odds; // the first triple of the file's odds columns whose values are odds
    std::optional<MatchStatistics> statistics; // results only; none where the line gives none
    std::vector<FileQuote> quotes; // every valid odds of the line's odds columns
    QString division;              // the league code of a several-league file (Div)
    QString time;                  // the kick-off time as written
};

struct RejectedLine {
    int line = 0;
    QString reason;
};

struct MatchFileReading {
    std::optional<QString> refusal;     // the file cannot be used at all; nothing else is filled
    std::vector<MatchLine> rows;        // in file order
    std::vector<RejectedLine> rejected; // by line
    // Lines used with a remark (odds left out): they are not rejected. By line.
    std::vector<RejectedLine> notes;
};

// Input files are read whole: beyond this they are refused.
inline constexpr qint64 kLargestInputFile = 200LL * 1024 * 1024;

// Columns are found by their header names in any order; unknown ones are ignored. A line that is empty
// or has only empty fields is no line. Fixture lines are refused for their date only: their teams are
// the prediction's to judge. Dates run from 2 January 2008 to the end of the year after `today`.
MatchFileReading readMatchFile(const QByteArray& bytes, MatchFileKind kind, const QDate& today);

// Why the file at `path` is not read: a pipe, a device or a folder (reading would block or never end), or
// a file beyond kLargestInputFile bytes. None for a regular file of that size, or a missing one (opening
// it then says so).
std::optional<QString> inputFileRefusal(const QString& path);

// The whole file, a regular one of at most kLargestInputFile bytes; throws StoreError naming the path and
// the reason otherwise.
QByteArray readFileBytes(const QString& path);

} // namespace vezal
