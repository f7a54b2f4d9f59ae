#include "prediction/Coupon.h"
#include "prediction/support/PanelTexts.h"
#include "prediction/support/QtPrint.h"

#include <gtest/gtest.h>

namespace vezal {
namespace {

using testing_support::Box;
using testing_support::panelWith;
using testing_support::text;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

TEST(CouponLine, PickRulesInOrder) {
    struct Case {
        const char* what;
        const char* first;
        const char* second;
        const char* underOver;
        const char* band;
        const char* line;
    };
    const Case cases[] = {
        {"one sign", "1", "", "% 50 Alt - % 50 Üst", "2 - 3", "7  -  Kartal - Bolu\t :   1"},
        {"one sign before ALT", "1", "", "ALT", "0 - 1", "7  -  Kartal - Bolu\t :   1"},
        {"one sign before ÜST", "2", "", "ÜST", "4 - 6", "7  -  Kartal - Bolu\t :   2"},
        {"two signs, percentage", "1", "0", "% 60 Alt - % 40 Üst", "2 - 3",
         "7  -  Kartal - Bolu\t :   1 - 0"},
        {"two signs, ÜST", "0", "2", "ÜST", "4 - 6", "7  -  Kartal - Bolu\t :   ÜST"},
        {"two signs, ALT", "0", "1", "ALT", "0 - 1", "7  -  Kartal - Bolu\t :   ALT"},
        {"two signs, no goals", "2", "0", "", "", "7  -  Kartal - Bolu\t :   2 - 0"},
        {"no sign, no band", "", "", "", "", "7  -  Kartal - Bolu\t :     Toplam Gol"},
        {"no sign, a band", "", "", "", "2 - 3", "7  -  Kartal - Bolu\t :   2 - 3  Toplam Gol"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ComparisonPanel panel = panelWith({{Box::MatchNumber, "7"},
                                                 {Box::FirstSign, c.first},
                                                 {Box::SecondSign, c.second},
                                                 {Box::UnderOver, c.underOver},
                                                 {Box::GoalsBand, c.band}});
        EXPECT_EQ(couponLine(panel), utf8(c.line));
    }
}

TEST(CouponLine, NamesAsChosenAndMatchNumberMayBeEmpty) {
    const ComparisonPanel panel = panelWith({{Box::FirstSign, "0"}}, "Çaykur Rize", "ığdır");
    EXPECT_EQ(couponLine(panel), utf8("  -  Çaykur Rize - ığdır\t :   0"));
}

TEST(CouponList, AddsOnlyLinesNotThereWithoutRegardToCase) {
    const QString first = utf8("7  -  Kartal - Bolu\t :   1");
    QStringList coupon;
    EXPECT_TRUE(addCouponLine(coupon, first));
    EXPECT_FALSE(addCouponLine(coupon, first));
    EXPECT_FALSE(addCouponLine(coupon, utf8("7  -  KARTAL - bolu\t :   1")));
    EXPECT_TRUE(addCouponLine(coupon, utf8("8  -  Kartal - Bolu\t :   1")));
    EXPECT_TRUE(addCouponLine(coupon, utf8("7  -  Kartal - Bolu\t :   1 - 0")));
    EXPECT_TRUE(addCouponLine(coupon, utf8("7  -  Bolu - Kartal\t :   1")));
    EXPECT_EQ(coupon,
              (QStringList{first, utf8("8  -  Kartal - Bolu\t :   1"),
                           utf8("7  -  Kartal - Bolu\t :   1 - 0"), utf8("7  -  Bolu - Kartal\t :   1")}));

    coupon.clear();
    EXPECT_TRUE(addCouponLine(coupon, first));
    EXPECT_EQ(coupon, QStringList{first});
}

TEST(CouponList, TurkishLettersCompareByTurkishCase) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"1  -  İzmir - Iğdır\t :   ÜST", "1  -  izmir - ığdır\t :   üst", true},
        {"1  -  Şile - Çorum\t :   1", "1  -  şile - çorum\t :   1", true},
        {"1  -  Iğdır - Bolu\t :   1", "1  -  iğdır - Bolu\t :   1", false},
    };
    for (const auto& [there, offered, equal] : cases) {
        SCOPED_TRACE(offered);
        QStringList coupon{utf8(there)};
        EXPECT_EQ(addCouponLine(coupon, utf8(offered)), !equal);
    }
}

} // namespace
} // namespace vezal
