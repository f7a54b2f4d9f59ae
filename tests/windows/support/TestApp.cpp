#include "TestApp.h"

#include <QApplication>

namespace vezal::testing {

QApplication& testApp() {
    static int argc = 1;
    static char name[] = "vezal-tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace vezal::testing
