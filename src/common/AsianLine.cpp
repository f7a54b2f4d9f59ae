#include "common/AsianLine.h"

#include <cmath>

namespace vezal {

std::optional<int> asianQuarters(double goals) {
    const double quarters = goals * 4;
    if (!std::isfinite(quarters) || std::abs(quarters - std::round(quarters)) > 1e-9 ||
        std::abs(std::round(quarters)) > kMostAsianQuarters)
        return std::nullopt;
    return static_cast<int>(std::round(quarters));
}

std::optional<int> asianQuarters(const QString& text) {
    bool ok = false;
    const double goals = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return asianQuarters(goals);
}

QString asianHandicapCode(bool home, int quarterGoals) {
    const QString size = QString::number(std::abs(quarterGoals) / 4.0, 'g', 6);
    return (home ? QStringLiteral("AH1") : QStringLiteral("AH2")) +
           (quarterGoals < 0 ? QStringLiteral("-") : QStringLiteral("+")) + size;
}

std::optional<AsianCode> readAsianHandicapCode(const QString& code) {
    if (code.size() < 5 || !code.startsWith(QLatin1String("AH")) ||
        (code.at(3) != u'+' && code.at(3) != u'-'))
        return std::nullopt;
    if (code.at(2) != u'1' && code.at(2) != u'2')
        return std::nullopt;
    const std::optional<int> quarters = asianQuarters(code.mid(3));
    if (!quarters)
        return std::nullopt;
    const AsianCode read{code.at(2) == u'1', *quarters};
    // Only the one spelling: "AH1+0.50" or "AH1-0" is no code the table writes.
    if (asianHandicapCode(read.home, read.quarterGoals) != code)
        return std::nullopt;
    return read;
}

} // namespace vezal
