#include "store/DataFolder.h"

#include "store/FolderAccess.h"
#include "store/LeagueListFile.h"
#include "store/Messages.h"
#include "store/StoreError.h"
#include "store/SystemErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vezal {

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

} // namespace

QString userDataFolder() {
    // The generic location plus our own name, not AppDataLocation: vezal-cli's process is named after its
    // executable, and both programs must land in the same folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Vezal");
}

QString absoluteFolder(const QString& folder) {
    return QDir(folder).absolutePath();
}

QString chooseDataFolder(const QString& executableFolder, const std::optional<QString>& explicitFolder) {
    if (explicitFolder)
        return absoluteFolder(*explicitFolder);
    if (QFileInfo::exists(leagueListPath(executableFolder)))
        return absoluteFolder(executableFolder);
    return absoluteFolder(userDataFolder());
}

void prepareUserDataFolder(const QString& folder) {
    makeFolders(folder, QStringLiteral("%1 veri klasörü oluşturulamıyor").arg(quoted(folder)));
    const QString list = leagueListPath(folder);
    if (QFileInfo::exists(list))
        return;
    // Only a new one: a list another start wrote in the meantime stays as it is.
    const int descriptor =
        ::open(QFile::encodeName(list).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
        ::close(descriptor);
        return;
    }
    const int error = errno;
    if (error != EEXIST)
        throw StoreError(
            QStringLiteral("%1 dosyası oluşturulamıyor: %2").arg(quoted(list), writeFailure(list, error)));
}

QString startDataFolder(const QString& executableFolder, const std::optional<QString>& explicitFolder) {
    const QString folder = chooseDataFolder(executableFolder, explicitFolder);
    if (!explicitFolder && folder != absoluteFolder(executableFolder)) {
        try {
            prepareUserDataFolder(folder);
        } catch (const StoreError&) {
            // Reported by whatever opens the folder next.
        }
    }
    return folder;
}

} // namespace vezal
