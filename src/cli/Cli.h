#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace vezal {

// What a script can tell from vezal-cli's exit status.
enum ExitCode : int {
    kExitOk = 0,
    kExitRefused = 1, // the program's own Turkish warning, on stderr
    kExitUsage = 2,   // the command line was wrong; a usage text follows on stderr
    kExitFailure = 3, // a file or the database failed
};

// Runs one command line (without the program name). defaultFolder is used when --dir is not given:
// the folder holding klasman.dat and Fvt/Liste.DB.
int runCli(const QStringList& args, const QString& defaultFolder, QTextStream& out, QTextStream& err);

// The text --help prints.
QString helpText();

} // namespace vezal
