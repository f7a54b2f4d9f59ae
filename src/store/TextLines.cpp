#include "store/TextLines.h"

#include "common/Names.h"
#include "store/FolderAccess.h"
#include "store/StoreError.h"
#include "store/SystemErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

StoreError cannotCreate(const QString& path, int error) {
    return cannotCreate(path, writeFailure(path, error));
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
        throw cannotOpen(path, fileErrorText(file));
    QByteArray bytes = file.read(kLargestFile + 1); // it may have grown since it was looked at
    if (file.error() != QFileDevice::NoError)
        throw StoreError(QStringLiteral("%1 dosyası okunamıyor: %2").arg(quoted(path), fileErrorText(file)));
    if (bytes.size() > kLargestFile)
        throw cannotOpen(path, QStringLiteral("dosya 16 MB'tan büyük"));
    return bytes;
}

QByteArray encode(const QString& path, const QStringList& lines, LineBreaks breaks) {
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
    return bytes;
}

// Written with the system's calls rather than QSaveFile, which takes a failed final flush or sync for
// success and would rename a short file over the old one.
StagedFile::StagedFile(const QString& target, const QByteArray& bytes) : target_(target) {
    // A link is followed, as the file it names is what the user keeps.
    const QFileInfo info(target_);
    const QString real = info.isSymLink() && info.exists() ? info.canonicalFilePath() : target_;
    QByteArray name = QFile::encodeName(real) + ".XXXXXX";
    const int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0)
        throw cannotCreate(target_, errno);
    staged_ = name;
    const auto fail = [&](int error) {
        ::close(descriptor);
        ::unlink(staged_.constData());
        staged_.clear();
        return cannotCreate(target_, error);
    };
    // The old file's permissions, or those of a new file.
    struct stat old {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(real).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode = ::umask(0);
        ::umask(mode);
        mode = 0666 & ~mode;
    }
    if (::fchmod(descriptor, mode) != 0)
        throw fail(errno);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count =
            ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            throw fail(count < 0 ? errno : ENOSPC);
        written += count;
    }
    if (::fsync(descriptor) != 0)
        throw fail(errno);
    if (::close(descriptor) != 0) {
        const int error = errno;
        ::unlink(staged_.constData());
        staged_.clear();
        throw cannotCreate(target_, error);
    }
}

StagedFile::~StagedFile() {
    if (!staged_.isEmpty())
        ::unlink(staged_.constData());
}

void StagedFile::replace() {
    const QByteArray real = staged_.left(staged_.size() - 7); // without ".XXXXXX"
    if (::rename(staged_.constData(), real.constData()) != 0)
        throw cannotCreate(target_, errno);
    staged_.clear();
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(real)).absolutePath());
    const int directory = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory); // the new name is in place for this run whatever the sync says
        ::close(directory);
    }
}

void write(const QString& path, const QStringList& lines, LineBreaks breaks) {
    writeBytes(path, encode(path, lines, breaks));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    StagedFile staged(path, bytes);
    staged.replace();
}

void writeUnicode(const QString& path, const QStringList& lines) {
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    writeBytes(path, bytes);
}

} // namespace vezal::textlines
