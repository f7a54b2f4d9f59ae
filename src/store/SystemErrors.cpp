#include "store/SystemErrors.h"

#include "store/Messages.h"

#include <QFileDevice>
#include <QSqlError>
#include <cerrno>
#include <system_error>

namespace vezal {

namespace {

struct Reason {
    int error;
    const char16_t* text;
};

// What a user meets opening, reading and writing files and the folders they lie in.
constexpr Reason kReasons[] = {
    {ENOENT, messages::kNoSuchFile},
    {EACCES, messages::kNoPermission},
    {EPERM, messages::kNotPermitted},
    {EISDIR, messages::kIsFolder},
    {ENOTDIR, messages::kNotFolder},
    {EEXIST, messages::kFileExists},
    {ENOSPC, messages::kDiskFull},
    {EDQUOT, messages::kDiskFull},
    {EROFS, messages::kReadOnlyDisk},
    {EIO, messages::kInputOutput},
    {ENAMETOOLONG, messages::kNameTooLong},
    {EMFILE, messages::kTooManyFiles},
    {ENFILE, messages::kTooManyFiles},
    {EBUSY, messages::kBusy},
    {ENOTEMPTY, messages::kFolderNotEmpty},
    {EXDEV, messages::kOtherDisk},
    {ENOLCK, messages::kNoLock},
    {ELOOP, messages::kLinkLoop},
    {ENXIO, messages::kNoDevice},
    {ENODEV, messages::kNoDevice},
};

// SQLite's primary result codes that a user may meet, by number.
struct EngineReason {
    int code;
    const char16_t* text;
};
constexpr EngineReason kEngineReasons[] = {
    {5, messages::kDatabaseBusy},         {6, messages::kDatabaseBusy},
    {8, messages::kDatabaseReadOnly},     {10, messages::kInputOutput},
    {11, messages::kDatabaseFileDamaged}, {13, messages::kDiskFull},
    {14, messages::kDatabaseCannotOpen},  {23, messages::kNoPermission},
    {26, messages::kNotADatabase},
};

QString systemWords(int error) {
    return QString::fromLocal8Bit(std::generic_category().message(error));
}

} // namespace

QString systemErrorText(int error) {
    for (const Reason& reason : kReasons)
        if (reason.error == error)
            return QString::fromUtf16(reason.text);
    return systemWords(error);
}

QString fileErrorText(const QFileDevice& file) {
    // Qt words a failed call as the system does; the words lead back to the number.
    const QString said = file.errorString();
    for (const Reason& reason : kReasons)
        if (said == systemWords(reason.error))
            return QString::fromUtf16(reason.text);
    return said;
}

QString engineWords(const QSqlError& error) {
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.driverText().trimmed() : text;
}

QString engineErrorText(const QSqlError& error) {
    const QString text = engineWords(error);
    bool known = false;
    // An extended code keeps its primary one in its low byte.
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    if (known)
        for (const EngineReason& reason : kEngineReasons)
            if (reason.code == code)
                return text.isEmpty() ? QString::fromUtf16(reason.text)
                                      : QString::fromUtf16(reason.text) + QStringLiteral(" (") + text + u')';
    return text.isEmpty() ? QString::fromUtf16(messages::kUnknownEngineError) : text;
}

} // namespace vezal
