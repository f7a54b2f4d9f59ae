#pragma once

#include <QString>
#include <optional>

namespace vezal {

// ~/.local/share/Vezal, or $XDG_DATA_HOME/Vezal: where an installed copy, which cannot write beside
// itself, keeps klasman.dat and Fvt/Liste.DB. Both programs name it the same way whatever application
// name their process carries.
QString userDataFolder();

// The folder as seen from the present working folder, once and for all: a file dialog moves the working
// folder, which must not move the data with it.
QString absoluteFolder(const QString& folder);

// The folder a start works on: the explicit one when given; else the executable's folder when klasman.dat
// lies beside it (a build or a portable copy keeps its data there); else the user's data folder. Always
// absolute.
QString chooseDataFolder(const QString& executableFolder, const std::optional<QString>& explicitFolder);

// Makes a data folder ready for its first start: the folder and an empty klasman.dat. An existing league
// list is never touched. Throws StoreError naming the path and the system's reason.
void prepareUserDataFolder(const QString& folder);

// chooseDataFolder, with the user's data folder made ready when that is the choice. A failure to make it
// ready is not thrown here: whatever opens the folder next reports it with the path and the reason.
QString startDataFolder(const QString& executableFolder, const std::optional<QString>& explicitFolder = {});

} // namespace vezal
