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

// Each line followed by CR LF. Throws StoreError naming the path and the reason; lines that the code page
// cannot hold, or that would come back as other lines, are refused before anything is written.
enum class LineBreaks { Refuse, Allow };
QByteArray encode(const QString& path, const QStringList& lines, LineBreaks breaks);

// A new file written whole beside its target (<target>.XXXXXX) and synced to the disk, which takes the
// target's place only when asked, so that a writer can have the new bytes safe before it commits to them.
// A file that cannot be written whole is removed and the target stays as it was; the message then names
// the target and the reason ("diskte yer kalmadı" for a full disk). Dropped without replace(), it goes.
class StagedFile {
public:
    StagedFile(const QString& target, const QByteArray& bytes);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Renames the new file over the target, then syncs the folder so that the rename outlives a power
    // cut. Throws StoreError when the rename fails; the target stays as it was then.
    void replace();

private:
    QString target_;
    QByteArray staged_; // its path; empty once it has replaced the target
};

// Writes through a StagedFile: the old file stays as it was on any failure.
void write(const QString& path, const QStringList& lines, LineBreaks breaks);

// The same for lines of any script (what a refused line of a file quotes may lie outside the code page):
// UTF-8 with a byte-order mark, each line followed by CR LF.
void writeUnicode(const QString& path, const QStringList& lines);

// Bytes through a new file renamed over the old one, as write() does.
void writeBytes(const QString& path, const QByteArray& bytes);

} // namespace vezal::textlines
