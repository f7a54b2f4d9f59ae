#include "DamagedFile.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace vezal::testing {

namespace {

quint32 bigEndian(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

quint32 rootPage(const QString& databasePath, const QString& tree) {
    const QString name = QStringLiteral("DamagedFileReader");
    quint32 root = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        query.prepare(QStringLiteral("select rootpage from sqlite_master where name=?"));
        query.addBindValue(tree);
        if (query.exec() && query.next())
            root = query.value(0).toUInt();
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    EXPECT_GT(root, 0u) << tree.toStdString() << " is not in the file";
    return root;
}

} // namespace

qsizetype pageSize(const QString& databasePath) {
    return bigEndian(fileBytes(databasePath), 16, 2);
}

std::vector<quint32> treePages(const QString& databasePath, const QString& tree) {
    const quint32 root = rootPage(databasePath, tree);
    const QByteArray file = fileBytes(databasePath);
    const qsizetype page = (root - 1) * bigEndian(file, 16, 2);
    std::vector<quint32> pages{root};
    const quint8 type = quint8(file[page]);
    if (type != 0x05 && type != 0x02)
        return pages; // a leaf: the whole tree is its root
    const quint32 cells = bigEndian(file, page + 3, 2);
    for (quint32 i = 0; i < cells; ++i)
        pages.push_back(bigEndian(file, page + bigEndian(file, page + 12 + 2 * i, 2), 4));
    pages.push_back(bigEndian(file, page + 8, 4));
    return pages;
}

void overwrite(const QString& databasePath, quint32 page, qsizetype offset, const QByteArray& bytes) {
    const qsizetype size = pageSize(databasePath);
    QFile file(databasePath);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek((page - 1) * size + offset));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace vezal::testing
