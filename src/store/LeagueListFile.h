#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace vezal {

namespace textlines {
class StagedFile;
}

// klasman.dat beside the executable.
QString leagueListPath(const QString& programFolder);

// Splits Windows-1254 bytes into names: CR, LF or CR LF end a name, a zero byte ends the reading, a final
// line end adds no empty name, an empty line between two names is an empty name.
QStringList splitLeagueNames(const QByteArray& bytes);

// Both throw StoreError naming the path and the system's reason. A failed save leaves the old file as it
// was (the new one is written beside it and renamed over it). The save holds the file's lock.
QStringList loadLeagueList(const QString& path);
void saveLeagueList(const QString& path, const QStringList& names);

enum class MissingList { Fails, IsEmpty };

// The lock file beside the league list (klasman.dat.lock), held across a read, change and save of the
// list, so that a second process changing the list reads what the first one saved. The file stays; the
// lock is the system's lock on it (flock), which ends with the process that holds it, however it ends,
// so that no lock outlives its holder. Another holder is waited for as long as it works (see Waiting.h).
// A writer that also writes the table takes this lock first and the database's write lock second.
class LeagueListLock {
public:
    // Throws StoreError when the lock file cannot be made or the wait for the lock is given up.
    explicit LeagueListLock(const QString& path);
    ~LeagueListLock();
    LeagueListLock(const LeagueListLock&) = delete;
    LeagueListLock& operator=(const LeagueListLock&) = delete;

    QStringList load(MissingList missing) const;
    // Also removes what earlier saves killed half-way left beside the list (klasman.dat.XXXXXX): with
    // the lock held no save is under way.
    void save(const QStringList& names) const;
    // The new list written whole and synced beside the file, to take its place when the caller's
    // transaction has decided; throws StoreError as save() does, leaving the file as it was.
    std::unique_ptr<textlines::StagedFile> stage(const QStringList& names) const;
    // The file's present bytes, written the same way, to put back should the change not go through.
    std::unique_ptr<textlines::StagedFile> stageCopy() const;

private:
    QString path_;
    int descriptor_ = -1;
};

// The main window's save at close: its league selector's names (shown), merged with what other processes
// did to the file since this one last read or saved it (readBefore, the names the file held then):
// - a name added here, or added in the file by another process, is kept;
// - a name deleted here is not brought back, even though the file still holds it;
// - a name another process deleted from the file is not brought back, even though this one shows it.
// Names alike in their first 20 characters regardless of case are one league: the first spelling met,
// this process's first, is kept. A file that has gone missing meanwhile counts as unchanged, so that no
// league shown here is lost. Saved in Turkish order under the lock; returns the names saved, the caller's
// next readBefore.
QStringList mergeAndSaveLeagueList(const QString& path, const QStringList& shown,
                                   const QStringList& readBefore);

} // namespace vezal
