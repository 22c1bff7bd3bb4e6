// Decimal numbers without exceptions, and hexadecimal byte texts.
#include "core/numbers.h"

#include <gtest/gtest.h>

TEST(Numbers, DecimalTextsThatFitTheirType) {
    EXPECT_EQ(ParseInt32("42"), 42);
    EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInt32("+7"), 7);
    EXPECT_EQ(ParseInt32("2147483648"), std::nullopt);
    EXPECT_EQ(ParseInt64("2147483648"), 2147483648LL);
    EXPECT_EQ(ParseInt64("9223372036854775808"), std::nullopt);
    for (const char* bad : {"", "-", "+", "12abc", " 1", "1 ", "0x10", "1.5", "++1", "+-1"}) {
        EXPECT_EQ(ParseInt32(bad), std::nullopt) << bad;
        EXPECT_EQ(ParseInt64(bad), std::nullopt) << bad;
    }
}

TEST(Numbers, HexTextsRoundTripEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string hex = ToHex(all);
    EXPECT_EQ(hex.substr(0, 8), "00010203");
    EXPECT_EQ(hex.substr(hex.size() - 4), "feff");
    EXPECT_EQ(FromHex(hex), all);
    EXPECT_EQ(FromHex("01FfaB"), std::string("\x01\xff\xab"));
    EXPECT_EQ(FromHex(""), "");
    EXPECT_EQ(FromHex("0"), std::nullopt);
    EXPECT_EQ(FromHex("0g"), std::nullopt);
    EXPECT_EQ(FromHex("0 "), std::nullopt);
}
