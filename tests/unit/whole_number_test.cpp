#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

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
    // Rounded from the digits as written, not from the nearest double.
    EXPECT_EQ(P("2.50000000000000000001"), 3);
    EXPECT_EQ(P("2147483647.49999999999"), 2147483647);
    EXPECT_EQ(P("-2147483648.5"), INT32_MIN);
    EXPECT_EQ(P("0.00000000000000000000000000000021e31"), 2);
    EXPECT_EQ(P("1e-400"), 0);
    EXPECT_EQ(P("0.0e99999999999"), 0);
    EXPECT_EQ(P("00000000000000000000042"), 42);
}

// A comma-decimal locale, as a German desktop sets it, changes nothing: the point is the mark.
TEST(WholeNumber, ThePointIsTheDecimalMarkWhateverTheLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const char *found = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr &&
            std::string(std::localeconv()->decimal_point) == ",") {
            found = name;
            break;
        }
    }
    if (found == nullptr) {
        std::setlocale(LC_ALL, before.c_str());
        GTEST_SKIP() << "no comma-decimal locale installed (./dev generates de_DE.UTF-8)";
    }
    const std::locale global = std::locale::global(std::locale(found));
    EXPECT_EQ(P("3.5"), 4);
    EXPECT_EQ(P("2003.9"), 2004);
    EXPECT_EQ(P("-0.6"), -1);
    EXPECT_EQ(P("2.5E1"), 25);
    EXPECT_EQ(P("3,5"), std::nullopt);
    std::locale::global(global);
    std::setlocale(LC_ALL, before.c_str());
}

TEST(WholeNumber, RefusesEverythingElse) {
    EXPECT_EQ(ParseWholeNumber(std::nullopt), std::nullopt); // Cancel
    for (const char *bad : {"", "   ", "abc", "12abc", "1 2", "--1", "+", ".", "1e", "0x10", "&H10",
                            "2147483648", "-2147483649", "2147483647.5", "1e400", "nan", "inf"}) {
        EXPECT_EQ(P(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(ParseWholeNumber(std::string(100000, '9')), std::nullopt);
}
