#pragma once
// The one conversion of every numeric prompt's answer to a 32-bit whole number.

#include <cstdint>
#include <optional>
#include <string>

namespace corvexa {

// Optional blanks, optional sign, digits, optional fraction and exponent. A fraction rounds to the
// nearest whole number, halves to even. Empty text, Cancel (nullopt), anything else and values
// outside the 32-bit range give nullopt.
std::optional<int32_t> ParseWholeNumber(const std::optional<std::string> &answer);

} // namespace corvexa
