#include "Application.h"
#include "store/StoreError.h"
#include "windows/Program.h"
#include "windows/RealDialogs.h"
#include "windows/Unit1.h"

#include <QApplication>
#include <QDate>
#include <exception>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator qtTranslator;
    vezal::setUpApplication(app, qtTranslator);
    // The program ends when the main window closes, not when its last window does.
    app.setQuitOnLastWindowClosed(false);

    const QString folder = QCoreApplication::applicationDirPath();
    vezal::RealDialogs dialogs(folder);
    vezal::Program program{folder, dialogs, [] { return QDate::currentDate(); }, {}};

    vezal::Windows windows(program);
    QObject::connect(program.forms.Form1, &vezal::TForm1::closed, &app, &QCoreApplication::quit);
    program.forms.Form1->show();

    // The last net for a failure that escaped a handler: show it and go on.
    for (;;) {
        try {
            return app.exec();
        } catch (const vezal::StoreError& error) {
            dialogs.showError(program.forms.mainWindow, error.message());
        } catch (const std::exception& error) {
            dialogs.showError(program.forms.mainWindow, QString::fromLocal8Bit(error.what()));
        }
    }
}
