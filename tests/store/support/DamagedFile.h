#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Damage done to a closed database file by hand, page by page, as a failing disk would do it.
namespace vezal::testing {

// The file's page size, from its header.
qsizetype pageSize(const QString& databasePath);
// The root page of a table or index, then, when the root is an interior page, its children in key order
// (the file format's page header: type, cell count at 3, right-most child at 8, cell offsets from 12; an
// interior cell starts with its child).
std::vector<quint32> treePages(const QString& databasePath, const QString& tree);
// Writes bytes into the file at offset within page (pages count from 1).
void overwrite(const QString& databasePath, quint32 page, qsizetype offset, const QByteArray& bytes);

} // namespace vezal::testing
