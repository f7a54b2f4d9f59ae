#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The line format that klasman.dat, reports and coupons share: Windows-1254 bytes, CR LF written,
// CR LF, a lone CR or a lone LF read.
namespace vezal::textlines {

enum class ZeroByte { EndsText, IsText };

// A final line end adds no empty line; an empty line between two others is an empty line.
QStringList split(const QByteArray& bytes, ZeroByte zero);

// Reads a whole file; throws StoreError "<path> dosyası açılamıyor: <reason>", also for what is not a
// regular file (a FIFO, a device) and for a file larger than 16 MB.
QByteArray readAll(const QString& path);

// Writes each line followed by CR LF through a new file renamed over the old one, which stays as it
// was on any failure. Throws StoreError naming the path and the reason; lines that the code page cannot
// hold, or that would come back as other lines, are refused before anything is written.
enum class LineBreaks { Refuse, Allow };
void write(const QString& path, const QStringList& lines, LineBreaks breaks);

// The same for lines of any script (what a refused line of a file quotes may lie outside the code page):
// UTF-8 with a byte-order mark, each line followed by CR LF.
void writeUnicode(const QString& path, const QStringList& lines);

// Bytes through a new file renamed over the old one, as write() does.
void writeBytes(const QString& path, const QByteArray& bytes);

} // namespace vezal::textlines
