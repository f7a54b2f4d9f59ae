#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for Qt strings (QString lives in the global namespace, so ADL finds these).
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& lines, std::ostream* os) {
    *os << "{\n";
    for (const QString& line : lines)
        *os << "  \"" << line.toStdString() << "\"\n";
    *os << "}";
}
