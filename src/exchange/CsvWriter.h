#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vezal {

// How a CSV file is written: for a Turkish spreadsheet (";" between fields, a decimal comma, UTF-8 with a
// byte-order mark so that it is not read as another code page) or plain (",", a decimal point, no mark).
enum class CsvForm { Plain, Turkish };

// Fields quoted as RFC 4180 has it, in the form's separator, each line ended by CR LF; the mark first.
QByteArray csvText(const QList<QStringList>& lines, CsvForm form);
// A number written as plain text ("2.15") in the form's decimal separator.
QString csvNumber(const QString& plain, CsvForm form);
// Writes bytes to a temporary file beside path and renames it over path, so that a failed write leaves
// an earlier file whole; a target that is not a regular file is refused. Throws StoreError.
void saveCsvBytes(const QByteArray& bytes, const QString& path);

} // namespace vezal
