#include "store/TextLines.h"

#include "common/Names.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace vezal::textlines {

namespace {

constexpr char kCr = 13;
constexpr char kLf = 10;
constexpr const char* kCodePage = "windows-1254";
// Far above any list of names, report or coupon file, far below what would exhaust memory.
constexpr qint64 kLargestFile = 16 * 1024 * 1024;

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

StoreError cannotOpen(const QString& path, const QString& reason) {
    return StoreError(QStringLiteral("%1 dosyası açılamıyor: %2").arg(quoted(path), reason));
}

StoreError cannotCreate(const QString& path, const QString& reason) {
    return StoreError(QStringLiteral("%1 dosyası oluşturulamıyor: %2").arg(quoted(path), reason));
}

bool hasLineBreak(const QString& line) {
    return line.contains(QChar(kCr)) || line.contains(QChar(kLf)) || line.contains(QChar(0));
}

} // namespace

QStringList split(const QByteArray& bytes, ZeroByte zero) {
    QStringDecoder decoder(kCodePage);
    const bool zeroEnds = zero == ZeroByte::EndsText;
    const auto endsName = [&](char c) {
        return c == kCr || c == kLf || (zeroEnds && c == 0);
    };
    QStringList lines;
    const qsizetype size = bytes.size();
    qsizetype at = 0;
    while (at < size && !(zeroEnds && bytes[at] == 0)) {
        const qsizetype start = at;
        while (at < size && !endsName(bytes[at]))
            ++at;
        lines << decoder.decode(QByteArrayView(bytes).sliced(start, at - start));
        if (at < size && bytes[at] == kCr)
            ++at;
        if (at < size && bytes[at] == kLf)
            ++at;
    }
    return lines;
}

QByteArray readAll(const QString& path) {
    // A FIFO would wait for a writer forever and a device may never end: only a regular file is read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw cannotOpen(path, QStringLiteral("düzenli bir dosya değil"));
    if (info.size() > kLargestFile)
        throw cannotOpen(path, QStringLiteral("dosya 16 MB'tan büyük"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpen(path, file.errorString());
    QByteArray bytes = file.read(kLargestFile + 1); // it may have grown since it was looked at
    if (file.error() != QFileDevice::NoError)
        throw StoreError(QStringLiteral("%1 dosyası okunamıyor: %2").arg(quoted(path), file.errorString()));
    if (bytes.size() > kLargestFile)
        throw cannotOpen(path, QStringLiteral("dosya 16 MB'tan büyük"));
    return bytes;
}

void write(const QString& path, const QStringList& lines, LineBreaks breaks) {
    QByteArray bytes;
    QStringEncoder encoder(kCodePage);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (!fitsCodePage1254(line))
            throw cannotCreate(
                path,
                QStringLiteral("%1. satırda Türkçe kod sayfasında olmayan bir karakter var").arg(i + 1));
        if (breaks == LineBreaks::Refuse && hasLineBreak(line))
            throw cannotCreate(path, QStringLiteral("%1. satırda satır sonu karakteri var").arg(i + 1));
        bytes += encoder.encode(line);
        bytes += "\r\n";
    }

    writeBytes(path, bytes);
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    // Unbuffered, because a buffered flush takes a short write (a full disk, a size limit) for success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw cannotCreate(path, file.errorString());
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw cannotCreate(path, reason);
        }
        written += count;
    }
    if (!file.commit())
        throw cannotCreate(path, file.errorString());
}

void writeUnicode(const QString& path, const QStringList& lines) {
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    writeBytes(path, bytes);
}

} // namespace vezal::textlines
