#include "store/FolderAccess.h"

#include "store/Messages.h"
#include "store/StoreError.h"
#include "store/SystemErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>

namespace vezal {

namespace {

QString text(const char16_t* message, const QString& path) {
    return QString::fromUtf16(message).arg(QDir::toNativeSeparators(path));
}

// As the process's own rights see it, not the rights of whoever started it.
bool mayWrite(const QString& path, int& error) {
    if (::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0)
        return true;
    error = errno;
    return false;
}

} // namespace

std::optional<QString> readOnlyFolder(const QString& folder) {
    struct statvfs disk {};
    if (::statvfs(QFile::encodeName(folder).constData(), &disk) == 0 && (disk.f_flag & ST_RDONLY))
        return text(messages::kReadOnlyFileSystem, folder);
    int error = 0;
    if (mayWrite(folder, error))
        return std::nullopt;
    if (error == EROFS)
        return text(messages::kReadOnlyFileSystem, folder);
    if (error == EACCES || error == EPERM)
        return text(messages::kReadOnlyFolder, folder);
    return std::nullopt;
}

std::optional<QString> readOnlyFile(const QString& file) {
    int error = 0;
    if (!QFileInfo::exists(file) || mayWrite(file, error))
        return std::nullopt;
    if (error == EROFS)
        return text(messages::kReadOnlyFileSystem, QFileInfo(file).absolutePath());
    if (error == EACCES || error == EPERM)
        return text(messages::kReadOnlyFile, file);
    return std::nullopt;
}

// Made with the standard library, which, unlike QDir::mkpath, tells why a folder cannot be made.
void makeFolders(const QString& folder, const QString& cannotMake) {
    std::error_code error;
    const std::filesystem::path path(folder.toStdU16String());
    if (std::filesystem::is_directory(path, error))
        return;
    std::filesystem::create_directories(path, error);
    if (!error && std::filesystem::is_directory(path))
        return;
    const QString reason =
        error ? writeFailure(folder, error.value()) : QString::fromUtf16(messages::kFileExists);
    throw StoreError(cannotMake + QStringLiteral(": ") + reason);
}

QString writeFailure(const QString& path, int error) {
    const QString folder = QFileInfo(path).absolutePath();
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QString::fromUtf16(messages::kDiskFull);
    case EROFS:
        return text(messages::kReadOnlyFileSystem, folder);
    case EACCES:
    case EPERM: {
        if (const std::optional<QString> readOnly = readOnlyFolder(folder))
            return *readOnly;
        if (const std::optional<QString> readOnly = readOnlyFile(path))
            return *readOnly;
        return text(messages::kNoAccess, path);
    }
    default:
        return systemErrorText(error);
    }
}

} // namespace vezal
