#pragma once

#include "exchange/InputFile.h"
#include "exchange/OddsColumns.h"
#include "store/OddsTable.h"
#include "store/StatisticsTable.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

class QIODevice;

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
    std::vector<FileQuote> quotes; // every valid odds of the line's odds columns (texts: fixtures only)
    QString division;              // the league code of a several-league file (Div)
    QString time;                  // the kick-off time as written

    // Later lines of a results file naming the same match (day, teams and code) with their line and
    // score only, so that a file of one line a million times holds one row: each is judged as its own
    // line would be.
    struct Repeat {
        int line = 0;
        int homeGoals = 0;
        int awayGoals = 0;
    };
    std::vector<Repeat> repeats;
};

struct RejectedLine {
    int line = 0;
    QString reason;
};

// Lines left out, or taken with a remark: every one counted, the first kKept of them by line number kept
// with their reasons, so that a file of a million bad lines costs no more memory than one of a thousand.
class LineNotes {
public:
    static constexpr std::size_t kKept = 1000;

    void add(int line, QString reason);
    void add(const LineNotes& other);

    qsizetype count() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The first kKept by line, in line order (lines of one number in the order they came).
    const std::vector<RejectedLine>& lines() const;

private:
    void trim() const;

    mutable std::vector<RejectedLine> kept_;
    mutable bool sorted_ = true;
    qsizetype count_ = 0;
};

struct MatchFileReading {
    std::optional<QString> refusal; // the file cannot be used at all; nothing else is filled
    std::vector<MatchLine> rows;    // in file order
    LineNotes rejected;
    // Lines used with a remark (odds left out): they are not rejected.
    LineNotes notes;
    bool lastLineCut = false; // the file stops inside its last line (rejected among the others)
};

// Columns are found by their header names in any order; unknown ones are ignored. A line that is empty
// or has only empty fields is no line; a last line without its line end and with fewer fields than the
// header names is a line cut off, and rejected. Fixture lines are refused for their date only: their teams
// are the prediction's to judge. Dates run from 2 January 2008 to the end of the year after `today`. The
// device, open and seekable, is read from where it stands, one line at a time: memory holds the rows, not the
// file. Throws StoreError when the device cannot be read.
MatchFileReading readMatchFile(QIODevice& device, MatchFileKind kind, const QDate& today);
MatchFileReading readMatchFile(const QByteArray& bytes, MatchFileKind kind, const QDate& today);
// The file at `path`, opened as openInputFile() opens it.
MatchFileReading readMatchFileAt(const QString& path, MatchFileKind kind, const QDate& today);

} // namespace vezal
