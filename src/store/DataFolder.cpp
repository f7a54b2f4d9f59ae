#include "store/DataFolder.h"

#include "store/LeagueListFile.h"
#include "store/Messages.h"
#include "store/StoreError.h"
#include "store/SystemErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

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

QString chooseDataFolder(const QString& executableFolder, const std::optional<QString>& explicitFolder) {
    if (explicitFolder)
        return *explicitFolder;
    if (QFileInfo::exists(leagueListPath(executableFolder)))
        return executableFolder;
    return userDataFolder();
}

void prepareUserDataFolder(const QString& folder) {
    // The standard library, unlike QDir::mkpath, tells why a folder cannot be made.
    std::error_code error;
    const std::filesystem::path path(folder.toStdU16String());
    if (!std::filesystem::is_directory(path, error)) {
        std::filesystem::create_directories(path, error);
        if (error || !std::filesystem::is_directory(path)) {
            const QString reason =
                error ? systemErrorText(error.value()) : QString::fromUtf16(messages::kFileExists);
            throw StoreError(
                QStringLiteral("%1 veri klasörü oluşturulamıyor: %2").arg(quoted(folder), reason));
        }
    }
    const QString list = leagueListPath(folder);
    if (QFileInfo::exists(list))
        return;
    // NewOnly: a list another start wrote in the meantime stays as it is.
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFileInfo::exists(list))
        throw StoreError(
            QStringLiteral("%1 dosyası oluşturulamıyor: %2").arg(quoted(list), fileErrorText(file)));
}

QString startDataFolder(const QString& executableFolder, const std::optional<QString>& explicitFolder) {
    const QString folder = chooseDataFolder(executableFolder, explicitFolder);
    if (!explicitFolder && folder != executableFolder) {
        try {
            prepareUserDataFolder(folder);
        } catch (const StoreError&) {
            // Reported by whatever opens the folder next.
        }
    }
    return folder;
}

} // namespace vezal
