#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Comma-separated files as spreadsheets and bookmakers' sites write them (RFC 4180: quoted fields,
// separators and line breaks inside quotes, CR LF or LF), split by libcsv.
namespace vezal {

enum class TextEncoding { Utf8, Windows1254 };

struct CsvRecord {
    int line = 0;       // the file's line number where the record starts, from 1
    QStringList fields; // every field of the record; those not asked for are left empty
};

struct CsvFile {
    TextEncoding encoding = TextEncoding::Utf8;
    char separator = ',';
    int headerLine = 0;             // 0: the file holds no header (nothing but blank lines)
    QStringList header;             // the first record, every field decoded and trimmed
    std::vector<CsvRecord> records; // the records after the header; a record of empty fields is left out
    // Lines where a quote opened and never closed. The record of such a line is dropped and reading
    // starts again on the line after it; a header with one ends the reading (headerLine stays 0).
    std::vector<int> unclosedQuotes;
};

// Given the header, which columns the records need decoded; columns beyond the list are skipped.
using ColumnChoice = std::function<std::vector<bool>(const QStringList& header)>;

// The separator is the one of ',' ';' and tab that the header line holds most often (a comma on a tie).
// Text is UTF-8, with or without a byte-order mark, or UTF-16 with its byte-order mark; a file that is
// none of these is read as Windows-1254. Without a choice every column is decoded. Throws StoreError when
// libcsv gives up.
CsvFile readCsv(const QByteArray& bytes, const ColumnChoice& choose = {});

} // namespace vezal
