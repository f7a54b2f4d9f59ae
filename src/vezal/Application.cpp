#include "Application.h"

#include "windows/WindowKit.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>

namespace vezal {

void setUpApplication(QApplication& app, QTranslator& qtTranslator) {
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    if (qtTranslator.load(QStringLiteral("qtbase_tr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    app.setFont(windowFont());
}

} // namespace vezal
