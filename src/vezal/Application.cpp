#include "Application.h"

#include "windows/WindowKit.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>

namespace vezal {

void setUpApplication(QApplication& app, QTranslator& qtTranslator) {
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    if (qtTranslator.load(QStringLiteral("qtbase_tr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    app.setFont(windowFont());

    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vezal-%1.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
    // Lets the desktop match the windows to vezal.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vezal"));
}

std::optional<QString> dirArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--dir"))
            return i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
        if (argument.startsWith(QLatin1String("--dir=")))
            return argument.mid(6);
    }
    return std::nullopt;
}

} // namespace vezal
