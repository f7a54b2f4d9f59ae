// The one rule for an odds value, held against typed and file text.
#include "common/Odds.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vezal
