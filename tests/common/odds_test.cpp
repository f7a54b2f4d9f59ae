// The one rule for an odds value and the one for an amount, held against typed and file text.
#include "common/Odds.h"

#include <gtest/gtest.h>
#include <limits>

namespace vezal {
namespace {

TEST(Odds, ReadsDecimalsAboveOneUpToAThousand) {
    const struct {
        const char* text;
        std::optional<double> value; // none: refused
    } cases[] = {
        {"1.44", 1.44},  {"1,44", 1.44},  {" 2,5 ", 2.5}, {"1000", 1000}, {"3", 3},
        {"1.01", 1.01},  {"1000.01", {}}, {"1e308", {}},  {"0", {}},      {"1.0", {}},
        {"1", {}},       {"0,99", {}},    {"abc", {}},    {"NaN", {}},    {"inf", {}},
        {"", {}},        {"-2", {}},      {"+2", {}},     {"2.", {}},     {",5", {}},
        {"1.000,5", {}}, {"2 5", {}},     {"1e3", {}},    {"144", 144},   {"99999999999999999999", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readOddsValue(QString::fromLatin1(c.text)), c.value);
    }
}

// Stakes and bankrolls: money has two decimals, so "1.000" (a thousand to a Turkish eye) is no amount.
TEST(Amounts, ReadsPositiveDecimalsOfAtMostTwoPlacesUpToAMilliard) {
    const struct {
        const char* text;
        std::optional<double> value; // none: refused
    } cases[] = {
        {"10", 10},
        {"20,0", 20},
        {"25.50", 25.5},
        {" 0,01 ", 0.01},
        {"1000000000", 1e9},
        {"1000000000,01", {}},
        {"1000000001", {}},
        {"1e308", {}},
        {"1.000", {}},
        {"0,001", {}},
        {"0", {}},
        {"0,00", {}},
        {"-5", {}},
        {"+5", {}},
        {"inf", {}},
        {"nan", {}},
        {"", {}},
        {"5.", {}},
        {"1.000,50", {}},
        {"1 000", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readAmount(QString::fromLatin1(c.text)), c.value);
    }
    const struct {
        double value;
        bool amount;
    } values[] = {{0.01, true},
                  {1e9, true},
                  {0, false},
                  {-1, false},
                  {1e9 + 1, false},
                  {1e308, false},
                  {std::numeric_limits<double>::infinity(), false},
                  {std::numeric_limits<double>::quiet_NaN(), false}};
    for (const auto& v : values)
        EXPECT_EQ(isAmount(v.value), v.amount) << v.value;
}

} // namespace
} // namespace vezal
