#include "store/LeagueListFile.h"

#include "common/Names.h"
#include "store/FolderAccess.h"
#include "store/StoreError.h"
#include "store/SystemErrors.h"
#include "store/TextLines.h"
#include "store/Waiting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace vezal {

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

QString systemReason(int error) {
    return systemErrorText(error);
}

// The temporary file a save writes beside the list before renaming it over the list.
void removeStaleTemporaries(const QString& path) {
    const QFileInfo list(path);
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(list.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDir folder = list.absoluteDir();
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.isSymLink() && entry.isFile() && temporary.match(entry.fileName()).hasMatch())
            QFile::remove(entry.absoluteFilePath()); // a leftover that stays is no reason to fail a save
    }
}

bool sameLeague(const QString& a, const QString& b) {
    return equalNoCase(cutName(a), cutName(b));
}

bool holds(const QStringList& names, const QString& name) {
    return names.contains(name);
}

} // namespace

QString leagueListPath(const QString& programFolder) {
    return programFolder + QStringLiteral("/klasman.dat");
}

QStringList splitLeagueNames(const QByteArray& bytes) {
    return textlines::split(bytes, textlines::ZeroByte::EndsText);
}

QStringList loadLeagueList(const QString& path) {
    return splitLeagueNames(textlines::readAll(path));
}

void saveLeagueList(const QString& path, const QStringList& names) {
    const LeagueListLock lock(path);
    lock.save(names);
}

LeagueListLock::LeagueListLock(const QString& path) : path_(path) {
    const QString lockPath = path_ + QStringLiteral(".lock");
    descriptor_ = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor_ < 0) {
        // Where the lock file cannot be made, the list could not be saved either.
        const int error = errno;
        if (error == EACCES || error == EPERM || error == EROFS || error == ENOSPC || error == EDQUOT)
            throw StoreError(QStringLiteral("%1 dosyası değiştirilemiyor: %2")
                                 .arg(quoted(path_), writeFailure(lockPath, error)));
        throw StoreError(QStringLiteral("%1 dosyası oluşturulamıyor: %2 kilit dosyası açılamıyor: %3")
                             .arg(quoted(path_), quoted(lockPath), systemReason(error)));
    }
    OtherProcessWait wait;
    while (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK || !wait.pause()) {
            ::close(descriptor_);
            if (error == EWOULDBLOCK)
                throw StoreError(*wait.givenUp());
            throw StoreError(
                QStringLiteral("%1 kilidi alınamıyor: %2").arg(quoted(lockPath), systemReason(error)));
        }
    }
}

LeagueListLock::~LeagueListLock() {
    ::close(descriptor_); // which ends the lock
}

QStringList LeagueListLock::load(MissingList missing) const {
    if (missing == MissingList::IsEmpty && !QFileInfo::exists(path_))
        return {};
    return loadLeagueList(path_);
}

// A name holding a line break would come back from the file as two names.
void LeagueListLock::save(const QStringList& names) const {
    textlines::write(path_, names, textlines::LineBreaks::Refuse);
    removeStaleTemporaries(path_);
}

std::unique_ptr<textlines::StagedFile> LeagueListLock::stage(const QStringList& names) const {
    return std::make_unique<textlines::StagedFile>(
        path_, textlines::encode(path_, names, textlines::LineBreaks::Refuse));
}

std::unique_ptr<textlines::StagedFile> LeagueListLock::stageCopy() const {
    return std::make_unique<textlines::StagedFile>(path_, textlines::readAll(path_));
}

QStringList mergeAndSaveLeagueList(const QString& path, const QStringList& shown,
                                   const QStringList& readBefore) {
    const LeagueListLock lock(path);
    const QStringList current = QFileInfo::exists(path) ? lock.load(MissingList::Fails) : readBefore;
    QStringList merged;
    const auto keep = [&](const QString& name) {
        if (std::none_of(merged.cbegin(), merged.cend(),
                         [&](const QString& m) { return sameLeague(m, name); }))
            merged << name;
    };
    // A name both sides knew stays only while both still hold it; a new one stays if either side added it.
    for (const QString& name : shown)
        if (!holds(readBefore, name) || holds(current, name))
            keep(name);
    for (const QString& name : current)
        if (!holds(readBefore, name))
            keep(name);
    sortNoCase(merged);
    lock.save(merged);
    return merged;
}

} // namespace vezal
