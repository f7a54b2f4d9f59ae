#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vezal {

// Report and coupon files: one line per file line, Windows-1254, CR LF written, CR LF, lone CR or lone
// LF read. Both throw StoreError naming the path and the system's reason; a failed write leaves an
// existing file as it was.
QStringList readLineFile(const QString& path);
void writeLineFile(const QString& path, const QStringList& lines);

// The index of the first line holding a character that Windows-1254 cannot hold, if any: such a line
// must not be written altered without a word.
std::optional<qsizetype> firstLineOutsideCodePage(const QStringList& lines);

} // namespace vezal
