#include "prediction/Coupon.h"

#include "common/Names.h"

#include <algorithm>

namespace vezal {

QString couponLine(const ComparisonPanel& panel) {
    const QString& first = panel.firstSign;
    const QString& second = panel.secondSign;
    const QString& underOver = panel.underOver;
    const qsizetype signs = signCount(panel);

    // A single sign beats a clear under/over verdict, which beats a double chance; the band is the last
    // resort.
    QString pick;
    if (signs == 1)
        pick = first + second;
    else if (isClearUnderOver(underOver))
        pick = underOver;
    else if (signs == 2)
        pick = first + QStringLiteral(" - ") + second;
    else
        pick = panel.goalsBand + QStringLiteral("  Toplam Gol");

    return couponLine(panel.matchNumber, panel.homeTeam.text, panel.awayTeam.text, pick);
}

QString couponLine(const QString& matchNumber, const QString& home, const QString& away,
                   const QString& pick) {
    return matchNumber + QStringLiteral("  -  ") + home + QStringLiteral(" - ") + away +
           QStringLiteral("\t :   ") + pick;
}

bool addCouponLine(QStringList& coupon, const QString& line) {
    const bool present = std::any_of(coupon.begin(), coupon.end(),
                                     [&](const QString& entry) { return equalNoCase(entry, line); });
    if (!present)
        coupon.append(line);
    return !present;
}

} // namespace vezal
