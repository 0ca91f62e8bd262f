#include "machine/whole_number.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace corvexa {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Checks the whole text is one decimal number and copies it without blanks.
bool Normalise(const std::string &text, std::string &number) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    const size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < n && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        size_t expDigits = 0;
        while (i < n && IsDigit(text[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    const size_t end = i;
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    if (i != n) {
        return false;
    }
    number = text.substr(start, end - start);
    return true;
}

} // namespace

std::optional<int32_t> ParseWholeNumber(const std::optional<std::string> &answer) {
    if (!answer || answer->size() > 400) {
        return std::nullopt;
    }
    std::string number;
    if (!Normalise(*answer, number)) {
        return std::nullopt;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

} // namespace corvexa
