#pragma once

#include "prediction/Panel.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The coupon line of one prediction and how it joins the coupon list.
namespace vezal {

// The league and the day of the pairing a coupon line predicts, known when the program made the line; a
// line read from a coupon file has none.
struct CouponPairing {
    QString league;
    QDate day;

    bool operator==(const CouponPairing&) const = default;
};

struct CouponEntry {
    QString line;
    std::optional<CouponPairing> pairing;
};

// The line for what the panel shows once the commentary has written the band box.
QString couponLine(const ComparisonPanel& panel);
// The same shape for a pick made elsewhere (the bulletin's chosen outcome): "<number>  -  <home> - <away>\t :
// <pick>".
QString couponLine(const QString& matchNumber, const QString& home, const QString& away, const QString& pick);

// Appends the line unless the list holds one equal to it without regard to case; true when appended.
bool addCouponLine(QStringList& coupon, const QString& line);

} // namespace vezal
