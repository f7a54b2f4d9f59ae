#pragma once

#include <QStringList>
#include <QTranslator>
#include <optional>

class QApplication;

namespace vezal {

// The application frame every start of the windows shares: the Turkish locale for numbers and dates, Qt's
// Turkish translation for the standard buttons, the window font with its stand-in and the program's icon.
// The translator lives as long as the caller keeps it.
void setUpApplication(QApplication& app, QTranslator& qtTranslator);

// The folder of `--dir FOLDER` or `--dir=FOLDER` among the program's arguments; an empty text when --dir
// has no value.
std::optional<QString> dirArgument(const QStringList& arguments);

} // namespace vezal
