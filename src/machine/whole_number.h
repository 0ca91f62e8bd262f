#pragma once
// The conversion of every numeric prompt's answer: to a 32-bit whole number, or to a number of
// fixed decimal places.

#include <cstdint>
#include <optional>
#include <string>

namespace corvexa {

// Optional blanks, optional sign, digits, optional fraction and exponent. A fraction rounds to the
// nearest whole number, halves to even. Empty text, Cancel (nullopt), anything else and values
// outside the 32-bit range give nullopt.
std::optional<int32_t> ParseWholeNumber(const std::optional<std::string> &answer);

// An answer read the same way, kept to `places` decimal places: `units` is the value times
// 10^places, rounded halves to even; `zero` says the value itself is 0 (not only rounded to it).
// Values of 10^18 units or more give nullopt.
struct ScaledNumber {
    int64_t units = 0;
    bool zero = false;
};
std::optional<ScaledNumber> ParseScaledNumber(const std::optional<std::string> &answer, int places);

} // namespace corvexa
