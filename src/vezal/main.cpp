#include "Application.h"
#include "store/DataFolder.h"
#include "store/StoreError.h"
#include "windows/MainWindow.h"
#include "windows/Program.h"
#include "windows/ProgramWindows.h"
#include "windows/RealDialogs.h"

#include <QApplication>
#include <QDate>
#include <QTextStream>
#include <exception>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator qtTranslator;
    vezal::setUpApplication(app, qtTranslator);
    // The program ends when the main window closes, not when its last window does.
    app.setQuitOnLastWindowClosed(false);

    const std::optional<QString> dir = vezal::dirArgument(QCoreApplication::arguments());
    if (dir && dir->isEmpty()) {
        QTextStream(stderr) << QStringLiteral("vezal: --dir seçeneğinin değeri eksik\n");
        return 2;
    }
    const QString folder = vezal::startDataFolder(QCoreApplication::applicationDirPath(), dir);
    vezal::RealDialogs dialogs(folder);
    vezal::Program program(folder, dialogs, [] { return QDate::currentDate(); });

    vezal::ProgramWindows windows(program);
    QObject::connect(windows.main(), &vezal::MainWindow::closed, &app, &QCoreApplication::quit);
    windows.main()->show();

    // The last net for a failure that escaped a handler: show it and go on.
    for (;;) {
        try {
            return app.exec();
        } catch (const vezal::StoreError& error) {
            dialogs.showError(windows.main(), error.message());
        } catch (const std::exception& error) {
            dialogs.showError(windows.main(), QString::fromLocal8Bit(error.what()));
        }
    }
}
