#include "store/StoreError.h"
#include "windows/Program.h"
#include "windows/RealDialogs.h"
#include "windows/Unit1.h"

#include <QApplication>
#include <QDate>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));

    // Standard buttons and dialogs in Turkish.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_tr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    app.setFont(vezal::windowFont());
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
