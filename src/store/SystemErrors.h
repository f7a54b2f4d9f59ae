#pragma once

#include <QString>

class QFileDevice;
class QSqlError;

namespace vezal {

// Why a call to the system failed, in Turkish words: an errno value. A reason without Turkish words here
// keeps the system's own.
QString systemErrorText(int error);

// A file's last failure (its errorString(), the system's English words) in the same Turkish words.
QString fileErrorText(const QFileDevice& file);

// The engine's reason for a failure in Turkish words, the engine's own after them in parentheses.
QString engineErrorText(const QSqlError& error);
// The engine's own words alone; empty when it said nothing.
QString engineWords(const QSqlError& error);

} // namespace vezal
