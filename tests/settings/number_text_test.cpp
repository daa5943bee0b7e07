#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "settings/number_text.h"

TEST(NumberText, IntegersWithSignBaseAndLow32Bits)
{
    EXPECT_EQ(parseInteger("$100"), 256);
    EXPECT_EQ(parseInteger("$fF"), 255);
    EXPECT_EQ(parseInteger("%101"), 5);
    EXPECT_EQ(parseInteger("%102"), 2);
    EXPECT_EQ(parseInteger("-$10"), -16);
    EXPECT_EQ(parseInteger(" \t+12.7"), 12);
    EXPECT_EQ(parseInteger("-20"), -20);
    EXPECT_EQ(parseInteger("abc"), 0);
    EXPECT_EQ(parseInteger(""), 0);
    EXPECT_EQ(parseInteger("-"), 0);
    EXPECT_EQ(parseInteger("$"), 0);
    EXPECT_EQ(parseInteger("--5"), 0);
    EXPECT_EQ(parseInteger("2147483648"), INT32_MIN);
    EXPECT_EQ(parseInteger("4294967295"), -1);
    EXPECT_EQ(parseInteger("-4294967297"), -1);
    EXPECT_EQ(parseInteger("$1FFFFFFFF"), -1);
    EXPECT_EQ(parseInteger("12345678901234567890123"), 0x714244CB);
    EXPECT_EQ(parseDecimalInteger("$100"), 0);
    EXPECT_EQ(parseDecimalInteger("%1"), 0);
}

TEST(NumberText, RealsUseAPointAndKnowTheSpecialWords)
{
    EXPECT_DOUBLE_EQ(parseReal("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(parseReal("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(parseReal(" -0.25x"), -0.25);
    EXPECT_DOUBLE_EQ(parseReal("+2"), 2.0);
    EXPECT_DOUBLE_EQ(parseReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(parseReal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(parseReal(""), 0.0);
    EXPECT_DOUBLE_EQ(parseReal("."), 0.0);
    EXPECT_DOUBLE_EQ(parseReal("inf"), 0.0);
    EXPECT_DOUBLE_EQ(parseReal("-nan"), 0.0);
    EXPECT_DOUBLE_EQ(parseReal("0x10"), 0.0);
    EXPECT_EQ(parseReal("+infinity"), INFINITY);
    EXPECT_EQ(parseReal("-Infinity"), -INFINITY);
    EXPECT_TRUE(std::isnan(parseReal("NAN")));
    EXPECT_EQ(parseReal("1e999"), INFINITY);
    EXPECT_EQ(parseReal("-1e999"), -INFINITY);
    EXPECT_DOUBLE_EQ(parseReal("1e-999"), 0.0);
}

TEST(NumberText, RealsBeyondTheFloatRangeBecomeInfinities)
{
    EXPECT_EQ(realToFloat(1e300), INFINITY);
    EXPECT_EQ(realToFloat(-1e300), -INFINITY);
    EXPECT_FLOAT_EQ(realToFloat(2.5), 2.5f);
    EXPECT_TRUE(std::isnan(realToFloat(NAN)));
}

TEST(NumberText, NumbersTooSmallOrTooLargeForADoubleReadAsZeroOrInfinity)
{
    EXPECT_DOUBLE_EQ(parseReal("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_DOUBLE_EQ(parseReal("-0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(parseReal("1" + std::string(400, '0')), INFINITY);
    EXPECT_EQ(parseReal("-1" + std::string(400, '0') + ".5"), -INFINITY);
    EXPECT_DOUBLE_EQ(parseReal("1000e-400"), 0.0);
    EXPECT_EQ(parseReal("0.001e400"), INFINITY);
    EXPECT_DOUBLE_EQ(parseReal("1e-99999999999999999999"), 0.0);
}
