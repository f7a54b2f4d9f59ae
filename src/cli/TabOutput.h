#pragma once

#include <QString>
#include <QStringList>

class QSqlQuery;
class QTextStream;
class QVariant;

// vezal-cli's output: tab-separated, a header line of column names, empty cells for nulls.
namespace vezal {

class MatchTable;

// A text as one cell: every control character written out (see visibleText), so that no name from a file,
// the table or a command line can split a cell or a line of the output.
QString tabCell(const QString& text);

// The shortest text that reads back to the same double, with a point.
QString formatReal(double value);

// One cell: reals by formatReal, dates as yyyy-MM-dd, nulls empty, texts by tabCell.
QString formatCell(const QVariant& value);

// Writes the header and every row, stepping an executed query of the table to its end. Throws StoreError
// when a row cannot be read: what was written is then not the whole listing.
void writeQuery(QSqlQuery& query, const MatchTable& table, QTextStream& out);

// A one-column listing.
void writeColumn(const QString& header, const QStringList& values, QTextStream& out);

} // namespace vezal
