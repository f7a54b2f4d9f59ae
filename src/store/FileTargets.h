#pragma once

#include <QString>
#include <optional>

namespace vezal {

// Throws StoreError when `path` names something other than a regular file (a pipe, a device, a folder):
// a save renames a new file over its target, which would replace the pipe or device with a file, and
// opening a pipe to write blocks. A path that does not exist yet is fine.
void refuseIrregularTarget(const QString& path);
// The same as a refusal to show; none when the target may be written.
std::optional<QString> irregularTargetRefusal(const QString& path);

} // namespace vezal
