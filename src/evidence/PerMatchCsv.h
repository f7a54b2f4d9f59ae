#pragma once

#include "evidence/TrackRecord.h"

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
// Writes bytes to a temporary file beside path and renames it over path; throws StoreError.
void saveCsvBytes(const QByteArray& bytes, const QString& path);

// The walked matches as a UTF-8 CSV text: a header line, then one line per match with its day, teams,
// result, prediction boxes, odds, and "tuttu" or "tutmadı" under each figure that counted it; then, when
// the walk ran the goals model, its probabilities, verdicts and value bets.
QByteArray perMatchCsv(const TrackRecord& record, CsvForm form = CsvForm::Plain);

// Writes perMatchCsv to a temporary file beside path and renames it over path, so that a failed write
// leaves an earlier file whole. Throws StoreError naming the file and the reason.
void savePerMatchCsv(const TrackRecord& record, const QString& path, CsvForm form = CsvForm::Plain);

} // namespace vezal
