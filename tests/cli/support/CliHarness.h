#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QCoreApplication;

namespace vezal::testing {

// The one QCoreApplication of a cli test executable, made on first use (the SQL driver wants it).
QCoreApplication& testApp();

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

// A fresh program folder. Commands work only on a folder that holds Vezal's data, so it starts with an
// empty klasman.dat; Fvt/Liste.DB is made there by the first command that reads the table.
class ProgramFolder {
public:
    enum class Start { LeagueListOnly, Bare };
    explicit ProgramFolder(Start start = Start::LeagueListOnly);
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

    // Runs vezal-cli in this process, with this folder as the default folder.
    CliRun run(const QStringList& args) const;
    // The same, stopping the test when the command does not succeed.
    QString ok(const QStringList& args) const;

    QByteArray leagueFileBytes() const;
    void writeLeagueFile(const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};

// A run of the real vezal-cli executable: its bytes on stdout and stderr and its exit code.
struct Finished {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// The executable lands in the same bin folder as the test.
QString cliPath();
Finished runProgram(const QString& program, const QStringList& args);

// A fresh data folder made by the real executable's init, which the real executable then works in.
class ExecutableFolder {
public:
    ExecutableFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    Finished run(QStringList args) const;
    // Writes a file into the folder; its path.
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};

// Splits tab-separated output into rows of cells, header first.
QList<QStringList> cells(const QString& out);

} // namespace vezal::testing
