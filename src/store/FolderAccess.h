#pragma once

#include <QString>
#include <optional>

namespace vezal {

// Why this process can make or change nothing in the folder: a file system mounted read-only, or a folder
// the user may not write. None when it can be written, and when it is missing (whatever needs it then says
// so itself).
std::optional<QString> readOnlyFolder(const QString& folder);

// The same for an existing file: its file system, or the file's own rights.
std::optional<QString> readOnlyFile(const QString& file);

// Makes the folder and the folders above it that are missing. Throws StoreError "<cannotMake>: <why>".
void makeFolders(const QString& folder, const QString& cannotMake);

// The reason to show for a system error met while making or changing the file at `path`: a read-only
// folder, file or file system and a full disk in the program's words, anything else in the system's.
QString writeFailure(const QString& path, int error);

} // namespace vezal
