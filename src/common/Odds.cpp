#include "common/Odds.h"

#include <QLocale>
#include <cmath>

namespace vezal {

namespace {

struct PlainDecimal {
    double value = 0;
    qsizetype decimals = 0;
};

// Digits with at most one point or comma inside them, read as a finite double.
std::optional<PlainDecimal> readPlainDecimal(const QString& text) {
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
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return PlainDecimal{value, digitsAfter};
}

} // namespace

bool isOddsValue(double value) {
    return std::isfinite(value) && value > 1 && value <= kHighestOdds;
}

std::optional<double> readOddsValue(const QString& text) {
    const std::optional<PlainDecimal> read = readPlainDecimal(text);
    if (!read || !isOddsValue(read->value))
        return std::nullopt;
    return read->value;
}

bool isAmount(double value) {
    return std::isfinite(value) && value > 0 && value <= kHighestAmount;
}

std::optional<double> readAmount(const QString& text) {
    const std::optional<PlainDecimal> read = readPlainDecimal(text);
    if (!read || read->decimals > 2 || !isAmount(read->value))
        return std::nullopt;
    return read->value;
}

} // namespace vezal
