#pragma once

class QApplication;

namespace vezal::testing {

// The one QApplication of a window test executable, made on first use and ended when the tests have run.
// Every window test fixture calls it before it creates a widget. The platform comes from QT_QPA_PLATFORM
// (offscreen under CTest).
QApplication& testApp();

} // namespace vezal::testing
