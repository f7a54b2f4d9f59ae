#include "exchange/InputFile.h"

#include "exchange/ExchangeMessages.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vezal {

namespace {

QString text(const char16_t* message) {
    return QString::fromUtf16(message);
}

QString shownPath(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

QString tooLarge(const QString& path, qint64 largest) {
    return text(messages::kFileTooLarge).arg(shownPath(path)).arg(largest / (1024 * 1024));
}

} // namespace

QString readingFailure(int error) {
    switch (error) {
    case ENOENT:
        return QStringLiteral("böyle bir dosya yok");
    case EACCES:
    case EPERM:
        return QStringLiteral("dosyayı okuma izniniz yok");
    case ENOTDIR:
        return QStringLiteral("yoldaki bir ad klasör değil");
    case ELOOP:
        return QStringLiteral("yoldaki bağlantılar birbirini gösteriyor");
    case ENAMETOOLONG:
        return QStringLiteral("yol çok uzun");
    case EIO:
        return QStringLiteral("disk okunamadı (giriş/çıkış hatası)");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("açık dosya sayısı sınırda");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("dosyanın aygıtı yok");
    default:
        return QStringLiteral("sistem hatası %1").arg(error);
    }
}

std::optional<QString> inputFileRefusal(const QString& path, qint64 largest) {
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    if (!info.isFile())
        return text(messages::kNotARegularFile).arg(shownPath(path));
    if (info.size() > largest)
        return tooLarge(path, largest);
    return std::nullopt;
}

std::unique_ptr<QFile> openInputFile(const QString& path, qint64 largest) {
    const QString shown = shownPath(path);
    // Without waiting: a pipe opened for reading would otherwise block until something writes to it.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        throw StoreError(text(messages::kCannotOpenFile).arg(shown, readingFailure(errno)));
    const auto refuse = [&](const QString& message) {
        ::close(descriptor);
        return StoreError(message);
    };
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        throw refuse(text(messages::kCannotOpenFile).arg(shown, readingFailure(errno)));
    if (!S_ISREG(status.st_mode))
        throw refuse(text(messages::kNotARegularFile).arg(shown));
    if (status.st_size > largest)
        throw refuse(tooLarge(path, largest));
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw refuse(text(messages::kCannotOpenFile).arg(shown, readingFailure(errno)));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        throw refuse(text(messages::kCannotOpenFile).arg(shown, readingFailure(EIO)));
    return file;
}

} // namespace vezal
