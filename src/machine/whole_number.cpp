#include "machine/whole_number.h"

#include <cstddef>
#include <string>

namespace corvexa {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number read digit by digit, so the answer never depends on the process's locale
// and a fraction is rounded from its exact digits rather than from a nearby double.
struct Decimal {
    bool negative = false;
    std::string digits; // integer and fraction digits together, no leading zeros
    long exponent = 0;  // the value is digits x 10^exponent
};

std::optional<Decimal> ReadDecimal(const std::string &text) {
    Decimal d;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        d.negative = text[i] == '-';
        ++i;
    }
    size_t count = 0;
    const auto take = [&](bool fraction) {
        for (; i < n && IsDigit(text[i]); ++i, ++count) {
            if (!d.digits.empty() || text[i] != '0') {
                d.digits += text[i];
            }
            if (fraction) {
                --d.exponent;
            }
        }
    };
    take(false);
    if (i < n && text[i] == '.') {
        ++i;
        take(true);
    }
    if (count == 0) {
        return std::nullopt;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        long exponent = 0;
        size_t expDigits = 0;
        for (; i < n && IsDigit(text[i]); ++i, ++expDigits) {
            if (exponent < 1000000) { // far past any whole number of 32 bits either way
                exponent = exponent * 10 + (text[i] - '0');
            }
        }
        if (expDigits == 0) {
            return std::nullopt;
        }
        d.exponent += negativeExponent ? -exponent : exponent;
    }
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    if (i != n) {
        return std::nullopt;
    }
    return d;
}

} // namespace

std::optional<ScaledNumber> ParseScaledNumber(const std::optional<std::string> &answer,
                                              int places) {
    if (!answer || answer->size() > 400) {
        return std::nullopt;
    }
    std::optional<Decimal> d = ReadDecimal(*answer);
    if (!d) {
        return std::nullopt;
    }
    if (d->digits.empty()) {
        return ScaledNumber{0, true}; // zero, whatever its exponent
    }
    d->exponent += places;
    // The digits before the decimal point of the scaled value; the rest is the fraction.
    const long wholeDigits = static_cast<long>(d->digits.size()) + d->exponent;
    if (wholeDigits > 18) {
        return std::nullopt;
    }
    int64_t magnitude = 0;
    for (long k = 0; k < wholeDigits; ++k) {
        const auto at = static_cast<size_t>(k);
        magnitude = magnitude * 10 + (at < d->digits.size() ? d->digits[at] - '0' : 0);
    }
    if (wholeDigits >= 0 && static_cast<size_t>(wholeDigits) < d->digits.size()) {
        // Nearest whole number, halves to even: only the fraction's first digit and whether
        // anything follows it decide.
        const std::string fraction = d->digits.substr(static_cast<size_t>(wholeDigits));
        const bool aboveHalf =
            fraction[0] > '5' ||
            (fraction[0] == '5' && fraction.find_first_not_of('0', 1) != std::string::npos);
        const bool half = fraction[0] == '5' && !aboveHalf;
        if (aboveHalf || (half && magnitude % 2 != 0)) {
            ++magnitude;
        }
    }
    return ScaledNumber{d->negative ? -magnitude : magnitude, false};
}

std::optional<int32_t> ParseWholeNumber(const std::optional<std::string> &answer) {
    const std::optional<ScaledNumber> n = ParseScaledNumber(answer, 0);
    if (!n || n->units < INT32_MIN || n->units > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(n->units);
}

} // namespace corvexa
