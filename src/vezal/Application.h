#pragma once

#include <QTranslator>

class QApplication;

namespace vezal {

// The application frame every start of the windows shares: the Turkish locale for numbers and dates, Qt's
// Turkish translation for the standard buttons, and the window font with its stand-in. The translator
// lives as long as the caller keeps it.
void setUpApplication(QApplication& app, QTranslator& qtTranslator);

} // namespace vezal
