#pragma once
// Decimal, binary and hexadecimal digit strings as the windows show them.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvexa {

// Binary digits without leading zeros; a negative number gives "-1" for each 1 of its magnitude.
std::string IntToBin(int32_t IntegerNumber);
// IntToBin padded with leading zeros to width (a longer digit string is returned as it is).
std::string IntToBinPadded(int32_t number, int width);
// Two's complement of a binary digit string of any length.
std::string TwosComplementBin(std::string_view binary);
// Sum of digit x 2^position; characters other than digits count 0.
double BinToInt(std::string_view BinaryNumber);
// 4 binary digits for each of the first 8 hexadecimal digits.
std::string HexToBin(std::string_view hex);
std::string WordToHex8(uint32_t word);
std::string hex2(int32_t a);
std::string hex4(int32_t a);
std::string hex8(int32_t a);

// Plain decimal: 5, -3.
std::string Num(int64_t n);
// Decimal with a blank in place of the sign when not negative: " 5", "-3".
std::string Str(int64_t n);

} // namespace corvexa
