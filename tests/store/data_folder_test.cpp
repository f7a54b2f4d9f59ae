#include "store/DataFolder.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace vezal {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A home of its own, with the environment put back afterwards.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        savedHome = qgetenv("HOME");
        savedXdg = qgetenv("XDG_DATA_HOME");
        hadXdg = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("home")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("bin")));
        qputenv("HOME", home().toUtf8());
        qunsetenv("XDG_DATA_HOME");
    }
    void TearDown() override {
        qputenv("HOME", savedHome);
        if (hadXdg)
            qputenv("XDG_DATA_HOME", savedXdg);
        else
            qunsetenv("XDG_DATA_HOME");
    }
    QString home() const { return root.filePath(QStringLiteral("home")); }
    QString bin() const { return root.filePath(QStringLiteral("bin")); }
    QString homeData() const { return home() + QStringLiteral("/.local/share/Vezal"); }

    QTemporaryDir root;
    QByteArray savedHome, savedXdg;
    bool hadXdg = false;
};

TEST_F(DataFolderTest, ChoosesByDirThenTheListBesideTheExecutableThenTheUsersFolder) {
    const QString xdg = root.filePath(QStringLiteral("xdg"));
    const QString other = root.filePath(QStringLiteral("other"));
    const struct {
        const char* name;
        bool listBeside;
        std::optional<QString> dir;
        std::optional<QString> xdgDataHome;
        QString chosen;
    } cases[] = {
        {"installed copy", false, std::nullopt, std::nullopt, homeData()},
        {"installed copy, XDG_DATA_HOME set", false, std::nullopt, xdg, xdg + QStringLiteral("/Vezal")},
        {"portable copy", true, std::nullopt, std::nullopt, bin()},
        {"portable copy, XDG_DATA_HOME set", true, std::nullopt, xdg, bin()},
        {"--dir on an installed copy", false, other, std::nullopt, other},
        {"--dir on a portable copy", true, other, std::nullopt, other},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(bin() + QStringLiteral("/klasman.dat"));
        if (c.listBeside)
            writeFile(bin() + QStringLiteral("/klasman.dat"), "");
        if (c.xdgDataHome)
            qputenv("XDG_DATA_HOME", c.xdgDataHome->toUtf8());
        else
            qunsetenv("XDG_DATA_HOME");
        EXPECT_EQ(chooseDataFolder(bin(), c.dir), c.chosen);
    }
}

TEST_F(DataFolderTest, OnlyAStartOnTheUsersFolderCreatesIt) {
    const QString other = root.filePath(QStringLiteral("other"));
    const struct {
        const char* name;
        bool listBeside;
        std::optional<QString> dir;
        bool userFolderMade;
    } cases[] = {
        {"portable copy", true, std::nullopt, false},
        {"--dir", false, other, false},
        {"installed copy", false, std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(home()).removeRecursively();
        QDir().mkpath(home());
        QFile::remove(bin() + QStringLiteral("/klasman.dat"));
        if (c.listBeside)
            writeFile(bin() + QStringLiteral("/klasman.dat"), "Lig\r\n");
        startDataFolder(bin(), c.dir);
        EXPECT_EQ(QFileInfo(homeData()).isDir(), c.userFolderMade);
        EXPECT_EQ(readFile(homeData() + QStringLiteral("/klasman.dat")),
                  c.userFolderMade ? QByteArray() : QByteArray("<missing>"));
        EXPECT_FALSE(QFileInfo::exists(other)) << "--dir is used as given, never created";
        if (c.listBeside) {
            EXPECT_EQ(readFile(bin() + QStringLiteral("/klasman.dat")), "Lig\r\n");
        }
    }
}

// A folder given relative to where the program started stays that folder when the working folder moves
// (a file dialog moves it).
TEST_F(DataFolderTest, TheChosenFolderIsAbsolute) {
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    const QString chosen = chooseDataFolder(bin(), QStringLiteral("./bin/../data/"));
    ASSERT_TRUE(QDir::setCurrent(home()));
    EXPECT_EQ(chosen, root.path() + QStringLiteral("/data"));
    QDir::setCurrent(started);
}

TEST_F(DataFolderTest, PreparingKeepsAnExistingLeagueList) {
    ASSERT_TRUE(QDir().mkpath(homeData()));
    const QByteArray list = "S\xFCper Lig\r\nAfyon\r\n"; // Süper Lig in Windows-1254
    writeFile(homeData() + QStringLiteral("/klasman.dat"), list);
    prepareUserDataFolder(homeData());
    EXPECT_EQ(readFile(homeData() + QStringLiteral("/klasman.dat")), list);
    EXPECT_EQ(startDataFolder(bin()), homeData());
    EXPECT_EQ(readFile(homeData() + QStringLiteral("/klasman.dat")), list);
}

TEST_F(DataFolderTest, AFolderThatCannotBeMadeIsReportedWithItsPath) {
    // A file where the folder's parent should be.
    writeFile(home() + QStringLiteral("/.local"), "");
    try {
        prepareUserDataFolder(homeData());
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_TRUE(error.message().contains(homeData())) << error.what();
        EXPECT_TRUE(error.message().contains(QString::fromUtf8("oluşturulamıyor"))) << error.what();
    }
    // The start itself goes on; opening the folder reports it later.
    EXPECT_EQ(startDataFolder(bin()), homeData());
    EXPECT_FALSE(QFileInfo(homeData()).isDir());
}

} // namespace
} // namespace vezal
