#pragma once

#include "prediction/Panel.h"

#include <QString>
#include <QStringList>

// The coupon line of one prediction and how it joins the coupon list.
namespace vezal {

// The line for what the panel shows once the commentary has written the band box.
QString couponLine(const ComparisonPanel& panel);

// Appends the line unless the list holds one equal to it without regard to case; true when appended.
bool addCouponLine(QStringList& coupon, const QString& line);

} // namespace vezal
