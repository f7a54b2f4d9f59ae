#include "common/Odds.h"

#include <QLocale>
#include <cmath>

namespace vezal {

bool isOddsValue(double value) {
    return std::isfinite(value) && value > 1 && value <= kHighestOdds;
}

std::optional<double> readOddsValue(const QString& text) {
    const QString typed = text.trimmed();
    qsizetype marks = 0;
    qsizetype digitsBefore = 0;
    qsizetype digitsAfter = 0;
    for (const QChar c : typed) {
        if (c == u'.' || c == u',') {
            ++marks;
        } else if (c >= u'0' && c <= u'9') {
            ++(marks == 0 ? digitsBefore : digitsAfter);
        } else {
            return std::nullopt;
        }
    }
    // "2", "2.5" and "2,5"; not "2.", ",5" or "1.000,5".
    if (digitsBefore == 0 || marks > 1 || (marks == 1 && digitsAfter == 0))
        return std::nullopt;
    QString point = typed;
    point.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(point, &ok);
    if (!ok || !isOddsValue(value))
        return std::nullopt;
    return value;
}

} // namespace vezal
