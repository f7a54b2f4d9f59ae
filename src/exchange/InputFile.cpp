#include "exchange/InputFile.h"

#include "exchange/ExchangeMessages.h"
#include "store/StoreError.h"
#include "store/SystemErrors.h"

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
        throw StoreError(text(messages::kCannotOpenFile).arg(shown, systemErrorText(errno)));
    const auto refuse = [&](const QString& message) {
        ::close(descriptor);
        return StoreError(message);
    };
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        throw refuse(text(messages::kCannotOpenFile).arg(shown, systemErrorText(errno)));
    if (!S_ISREG(status.st_mode))
        throw refuse(text(messages::kNotARegularFile).arg(shown));
    if (status.st_size > largest)
        throw refuse(tooLarge(path, largest));
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw refuse(text(messages::kCannotOpenFile).arg(shown, systemErrorText(errno)));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        throw refuse(text(messages::kCannotOpenFile).arg(shown, systemErrorText(EIO)));
    return file;
}

} // namespace vezal
