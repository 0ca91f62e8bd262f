#include <gtest/gtest.h>

#include "machine/numstr.h"

using namespace corvexa;

TEST(NumberStrings, BinaryDigits) {
    EXPECT_EQ(IntToBin(0), "0");
    EXPECT_EQ(IntToBin(5), "101");
    EXPECT_EQ(IntToBin(-5), "-10-1");
    EXPECT_EQ(IntToBin(-8), "-1000");
    EXPECT_EQ(IntToBin(INT32_MIN), "-1" + std::string(31, '0'));
    EXPECT_EQ(IntToBinPadded(5, 16), std::string(13, '0') + "101");
    EXPECT_EQ(IntToBinPadded(0, 4), "0000");
    EXPECT_EQ(IntToBinPadded(15, 4), "1111");
    EXPECT_EQ(IntToBinPadded(31, 4), "11111"); // too wide: digits kept, nothing cut
}

TEST(NumberStrings, TwosComplementAndBack) {
    EXPECT_EQ(TwosComplementBin("0000"), "0000");
    EXPECT_EQ(TwosComplementBin("0001"), "1111");
    EXPECT_EQ(TwosComplementBin("0110"), "1010");
    EXPECT_EQ(TwosComplementBin(""), "");
    const std::string five = std::string(13, '0') + "101";
    EXPECT_EQ(TwosComplementBin(five), std::string(13, '1') + "011");
    const std::string minValue = "1" + std::string(15, '0');
    EXPECT_EQ(TwosComplementBin(minValue), minValue);
    EXPECT_EQ(BinToInt(""), 0.0);
    EXPECT_EQ(BinToInt(minValue), 32768.0);
    for (int m = 1; m <= 32768; m += 97) {
        EXPECT_EQ(BinToInt(TwosComplementBin(IntToBinPadded(m, 16))), 65536.0 - m) << m;
    }
    EXPECT_EQ(BinToInt(std::string(32, '1')), 4294967295.0);
}

TEST(NumberStrings, Hexadecimal) {
    EXPECT_EQ(HexToBin("0000FFFF"), std::string(16, '0') + std::string(16, '1'));
    EXPECT_EQ(HexToBin("8ca30064ZZ"), "10001100101000110000000001100100");
    EXPECT_EQ(WordToHex8(0), "00000000");
    EXPECT_EQ(WordToHex8(24), "00000018");
    EXPECT_EQ(WordToHex8(0x8CA30064U), "8CA30064");
    EXPECT_EQ(WordToHex8(4294967295U), "FFFFFFFF");
    EXPECT_EQ(hex2(10), "0A");
    EXPECT_EQ(hex2(-1), "FF");
    EXPECT_EQ(hex4(0), "0000");
    EXPECT_EQ(hex4(-32768), "8000");
    EXPECT_EQ(hex4(65535), "FFFF");
    EXPECT_EQ(hex8(0), "00000000");
    EXPECT_EQ(hex8(255), "000000FF");
    EXPECT_EQ(hex8(-1), "FFFFFFFF");
    EXPECT_EQ(hex8(INT32_MIN), "80000000");
    EXPECT_EQ(hex2(256), "100"); // wider than its field: shown whole rather than cut
}

TEST(NumberStrings, DecimalForms) {
    EXPECT_EQ(Num(5), "5");
    EXPECT_EQ(Num(-3), "-3");
    EXPECT_EQ(Str(5), " 5");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-5), "-5");
}
