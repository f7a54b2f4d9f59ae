#include "cli/Cli.h"
#include "store/DataFolder.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    // Without --dir: beside the executable when klasman.dat lies there, else the user's data folder.
    const int code =
        vezal::runCli(args, vezal::startDataFolder(QCoreApplication::applicationDirPath()), out, err);
    out.flush();
    err.flush();
    return code;
}
