#pragma once

#include <QFile>
#include <QString>
#include <memory>
#include <optional>

// The files a user names for reading: a results or fixtures file, a league's file source. Only a regular
// file is read: opening a pipe waits for a writer for ever and a device may never end, so they are
// refused at once, as a folder is.
namespace vezal {

// Far beyond any league's file (a season is well under 1 MB): a larger one is a wrong choice.
inline constexpr qint64 kLargestInputFile = 200LL * 1024 * 1024;

// Why the file at `path` is not read: a folder, a pipe or a device, or a file beyond `largest` bytes. None
// for a regular file of that size, or a missing one (opening it then says so).
std::optional<QString> inputFileRefusal(const QString& path, qint64 largest = kLargestInputFile);

// The file opened for reading at its start, after the checks above, made on the opened file itself so
// that nothing put in its place meanwhile is read. Throws StoreError naming the path and the reason.
std::unique_ptr<QFile> openInputFile(const QString& path, qint64 largest = kLargestInputFile);

} // namespace vezal
