#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vezal {

// klasman.dat beside the executable.
QString leagueListPath(const QString& programFolder);

// Splits Windows-1254 bytes into names: CR, LF or CR LF end a name, a zero byte ends the reading, a final
// line end adds no empty name, an empty line between two names is an empty name.
QStringList splitLeagueNames(const QByteArray& bytes);

// Both throw StoreError naming the path and the system's reason. A failed save leaves the old file as it
// was (the new one is written beside it and renamed over it).
QStringList loadLeagueList(const QString& path);
void saveLeagueList(const QString& path, const QStringList& names);

} // namespace vezal
