#include "prediction/Coupon.h"

#include "common/Names.h"

#include <algorithm>

namespace vezal {

QString couponLine(const ComparisonPanel& panel) {
    const QString& first = panel.memo(9);
    const QString& second = panel.memo(10);
    const QString& underOver = panel.memo(12);
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
        pick = panel.memo(21) + QStringLiteral("  Toplam Gol");

    return panel.memo(25) + QStringLiteral("  -  ") + panel.comboBox3.text + QStringLiteral(" - ") +
           panel.comboBox4.text + QStringLiteral("\t :   ") + pick;
}

bool addCouponLine(QStringList& coupon, const QString& line) {
    const bool present = std::any_of(coupon.begin(), coupon.end(),
                                     [&](const QString& entry) { return equalNoCase(entry, line); });
    if (!present)
        coupon.append(line);
    return !present;
}

} // namespace vezal
