#include "CliHarness.h"

#include "cli/Cli.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <gtest/gtest.h>

namespace vezal::testing {

QCoreApplication& testApp() {
    static int argc = 1;
    static char name[] = "vezal-cli-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

ProgramFolder::ProgramFolder(Start start) {
    testApp();
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    if (start == Start::LeagueListOnly)
        writeLeagueFile({});
}

CliRun ProgramFolder::run(const QStringList& args) const {
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.code = runCli(args, path(), out, err);
    out.flush();
    err.flush();
    return result;
}

QString ProgramFolder::ok(const QStringList& args) const {
    const CliRun result = run(args);
    EXPECT_EQ(result.code, 0) << args.join(' ').toStdString() << ": " << result.err.toStdString();
    return result.out;
}

QByteArray ProgramFolder::leagueFileBytes() const {
    QFile file(this->file(QStringLiteral("klasman.dat")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void ProgramFolder::writeLeagueFile(const QByteArray& bytes) const {
    QFile file(this->file(QStringLiteral("klasman.dat")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write klasman.dat");
}

QList<QStringList> cells(const QString& out) {
    QList<QStringList> rows;
    QStringList lines = out.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines)
        rows << line.split(QLatin1Char('\t'));
    return rows;
}

QString cliPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/vezal-cli");
}

Finished runProgram(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << process.errorString().toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

ExecutableFolder::ExecutableFolder() {
    testApp();
    EXPECT_TRUE(QFile::exists(cliPath())) << cliPath().toStdString();
    EXPECT_TRUE(dir_.isValid());
    const Finished init = run({QStringLiteral("init")});
    EXPECT_EQ(init.code, 0) << init.err.toStdString();
}

Finished ExecutableFolder::run(QStringList args) const {
    args.prepend(dir_.path());
    args.prepend(QStringLiteral("--dir"));
    return runProgram(cliPath(), args);
}

QString ExecutableFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

} // namespace vezal::testing
