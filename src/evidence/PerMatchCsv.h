#pragma once

#include "evidence/TrackRecord.h"
#include "exchange/CsvWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vezal {

// The walked matches as a UTF-8 CSV text: a header line, then one line per match with its day (ISO, or
// dd.MM.yyyy in the Turkish form, as a Turkish spreadsheet reads a date), teams,
// result, prediction boxes, odds, and "tuttu" or "tutmadı" under each figure that counted it; then, when
// the walk ran the goals model, its probabilities, verdicts and value bets.
QByteArray perMatchCsv(const TrackRecord& record, CsvForm form = CsvForm::Plain);

// Writes perMatchCsv to a temporary file beside path and renames it over path, so that a failed write
// leaves an earlier file whole. Throws StoreError naming the file and the reason.
void savePerMatchCsv(const TrackRecord& record, const QString& path, CsvForm form = CsvForm::Plain);

} // namespace vezal
