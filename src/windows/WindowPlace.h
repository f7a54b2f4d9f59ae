#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace vezal {

class Program;

// A window keeps its size, place and maximised state between starts, under its objectName in
// pencereler.ini in the data folder (beside bulten.ini: the data folder is what a run is given, so a test's
// temporary folder keeps its own and the user's real settings are never touched). Every time the window is
// shown it opens as it was left, else where its own code put it, and always whole within its screen's free
// area: a place kept on a screen since gone, or a size larger than a laptop's screen, is brought in. Call
// once, after the window has its objectName; the keeper belongs to the window.
void keepPlace(QWidget* window, const Program& program);
void keepPlace(QWidget* window, const QString& settingsPath);

// The settings file of keepPlace in a data folder.
QString placesPath(const QString& folder);

// A window's outer rectangle (its frame) moved, and where it is larger shrunk, so that it lies within area.
QRect fitFrameInto(const QRect& frame, const QRect& area);

} // namespace vezal
