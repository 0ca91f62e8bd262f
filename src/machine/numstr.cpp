#include "machine/numstr.h"

namespace corvexa {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

// Upper-case hexadecimal without leading zeros; negatives as their 32-bit pattern.
std::string HexForm(int32_t a) {
    auto u = static_cast<uint32_t>(a);
    std::string out;
    do {
        out.push_back(kHexDigits[u % 16]);
        u /= 16;
    } while (u != 0);
    return {out.rbegin(), out.rend()};
}

std::string HexWidth(int32_t a, size_t w) {
    std::string h = HexForm(a);
    if (a < 0) {
        return WordToHex8(static_cast<uint32_t>(a)).substr(8 - w);
    }
    if (h.size() < w) {
        return std::string(w - h.size(), '0') + h;
    }
    return h;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 0;
}

} // namespace

std::string IntToBin(int32_t IntegerNumber) {
    int64_t n = IntegerNumber;
    std::string reversed; // digits from the least significant, "1-" standing for -1
    do {
        const int64_t r = n % 2; // carries the sign of n
        if (r < 0) {
            reversed += "1-";
        } else {
            reversed += static_cast<char>('0' + r);
        }
        n /= 2;
    } while (n != 0);
    return {reversed.rbegin(), reversed.rend()};
}

std::string IntToBinPadded(int32_t number, int width) {
    std::string digits = IntToBin(number);
    if (width > 0 && static_cast<int>(digits.size()) < width) {
        return std::string(static_cast<size_t>(width) - digits.size(), '0') + digits;
    }
    return digits;
}

std::string TwosComplementBin(std::string_view binary) {
    std::string out(binary);
    bool seenOne = false;
    for (size_t i = out.size(); i-- > 0;) {
        if (seenOne) {
            out[i] = binary[i] == '0' ? '1' : '0';
        } else if (binary[i] == '1') {
            seenOne = true;
        }
    }
    return out;
}

double BinToInt(std::string_view BinaryNumber) {
    double sum = 0.0;
    double weight = 1.0;
    for (size_t i = BinaryNumber.size(); i-- > 0;) {
        const char c = BinaryNumber[i];
        if (c >= '0' && c <= '9') {
            sum += (c - '0') * weight;
        }
        weight *= 2.0;
    }
    return sum;
}

std::string HexToBin(std::string_view hex) {
    std::string out;
    for (size_t i = 0; i < hex.size() && i < 8; ++i) {
        out += IntToBinPadded(HexValue(hex[i]), 4);
    }
    return out;
}

std::string WordToHex8(uint32_t word) {
    std::string out(8, '0');
    for (int i = 7; i >= 0; --i) {
        out[static_cast<size_t>(i)] = kHexDigits[word % 16];
        word /= 16;
    }
    return out;
}

std::string hex2(int32_t a) {
    return HexWidth(a, 2);
}
std::string hex4(int32_t a) {
    return HexWidth(a, 4);
}
std::string hex8(int32_t a) {
    return HexWidth(a, 8);
}

std::string Num(int64_t n) {
    return std::to_string(n);
}

std::string Str(int64_t n) {
    return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

} // namespace corvexa
