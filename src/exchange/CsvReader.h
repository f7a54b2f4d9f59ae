#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QIODevice;

// Comma-separated files as spreadsheets and bookmakers' sites write them (RFC 4180: quoted fields,
// separators and line breaks inside quotes, CR LF or LF), split by libcsv as they are read, so that
// memory holds one record at a time however long the file.
namespace vezal {

enum class TextEncoding { Utf8, Windows1254 };

// A record beyond this many bytes is no line of a match file (a season's widest is under 2 KB).
inline constexpr qint64 kLongestRecord = 1024 * 1024;

enum class CsvBreak {
    None,
    UnclosedQuote, // a quote opened on the record's line never closed before the end of the file
    TooLong,       // the record runs beyond kLongestRecord bytes (a quote left open does that too)
};

struct CsvRecord {
    int line = 0; // the file's line number where the record starts, from 1
    // The fields up to the last column asked for; those not asked for are empty. None on a broken
    // record: it is dropped, and the reading starts again on the line after the one it began on.
    QStringList fields;
    int fieldCount = 0; // every field of the record, asked for or not
    CsvBreak broken = CsvBreak::None;
    // The file stops on the record's last line, without a line end: where a cut-off download stops.
    bool unended = false;
};

struct CsvFile {
    TextEncoding encoding = TextEncoding::Utf8;
    char separator = ',';
    int headerLine = 0; // 0: the file holds no header (nothing but blank lines, or a broken header)
    QStringList header; // the first record, every field decoded and trimmed
    // A broken first record ends the reading; its line.
    CsvBreak headerBroken = CsvBreak::None;
    int brokenHeaderLine = 0;
};

// Given the header, which columns the records need decoded; columns beyond the list are skipped.
using ColumnChoice = std::function<std::vector<bool>(const QStringList& header)>;
// Each record after the header, in file order; a record of empty fields is left out.
using RecordSink = std::function<void(const CsvRecord& record)>;

// Reads the device, open and seekable, from where it stands. The separator is the one of ',' ';' and tab
// that the first non-blank line holds most often (a comma on a tie). Text is UTF-8, with or without a
// byte-order mark, or UTF-16 with its byte-order mark; a file that is none of these is read as
// Windows-1254. Without a choice every column is decoded. Throws StoreError when the device cannot be
// read or libcsv gives up.
CsvFile readCsv(QIODevice& device, const ColumnChoice& choose, const RecordSink& sink);

} // namespace vezal
