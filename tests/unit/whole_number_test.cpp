#include <gtest/gtest.h>

#include "machine/whole_number.h"

using namespace corvexa;

namespace {
std::optional<int32_t> P(const char *s) {
    return ParseWholeNumber(std::string(s));
}
} // namespace

TEST(WholeNumber, AcceptsDecimalForms) {
    EXPECT_EQ(P("5"), 5);
    EXPECT_EQ(P("  -17 "), -17);
    EXPECT_EQ(P("+8"), 8);
    EXPECT_EQ(P("1e3"), 1000);
    EXPECT_EQ(P("2.5E1"), 25);
    EXPECT_EQ(P(".75"), 1);
    EXPECT_EQ(P("7."), 7);
    EXPECT_EQ(P("2147483647"), 2147483647);
    EXPECT_EQ(P("-2147483648"), INT32_MIN);
}

TEST(WholeNumber, HalvesGoToEven) {
    EXPECT_EQ(P("12.5"), 12);
    EXPECT_EQ(P("13.5"), 14);
    EXPECT_EQ(P("-0.5"), 0);
    EXPECT_EQ(P("-1.5"), -2);
    EXPECT_EQ(P("2.4999"), 2);
}

TEST(WholeNumber, RefusesEverythingElse) {
    EXPECT_EQ(ParseWholeNumber(std::nullopt), std::nullopt); // Cancel
    for (const char *bad : {"", "   ", "abc", "12abc", "1 2", "--1", "+", ".", "1e", "0x10", "&H10",
                            "2147483648", "-2147483649", "2147483647.5", "1e400", "nan", "inf"}) {
        EXPECT_EQ(P(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(ParseWholeNumber(std::string(100000, '9')), std::nullopt);
}
