// Number texts: the forms every SFC value is written in.
#include "common/number_text.h"

#include <gtest/gtest.h>

#include <limits>

using namespace common;

TEST(NumberText, FixedTextRoundsCorrectlyWithoutNegativeZero)
{
    struct Case {
        int digits;
        double value;
        const char* text;
    } cases[] = {
        {6, 0.0, "0.000000"},
        {6, 12.25, "12.250000"},
        {14, 0.01, "0.01000000000000"},
        {6, -0.0000001, "0.000000"},
        {6, -0.0, "0.000000"},
        {2, 0.125, "0.12"},  // exact tie: to even
        {2, 0.375, "0.38"},
        {6, -1.5, "-1.500000"},
        {0, 2.5, "2"},
        {12, 1.0, "1.000000000000"},
        {6, 1e20, "100000000000000000000.000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FixedText(c.digits, c.value), QString::fromLatin1(c.text));
    }
}

TEST(NumberText, FloatTextGeneralForm)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {594, "594"},
        {-3.25, "-3.25"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.333333333333333"},
        {0.00001, "0.00001"},
        {0.000015, "0.000015"},
        {0.0000099, "9.9E-6"},
        {0.0001, "0.0001"},
        {1e15, "1E15"},
        {999999999999999.0, "999999999999999"},
        {-1.5e-7, "-1.5E-7"},
        {123456.789, "123456.789"},
        {0.1 + 0.2, "0.3"},                           // 15 digits hide the binary noise
        {999999999999999.9, "1E15"},                  // rounding carries into a 16th digit
        {12345678901234567890.0, "1.23456789012346E19"},
        {-0.0, "0"},
        {9.999999999999996e-6, "0.00001"},            // rounds up to the fixed range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FloatText(c.value), QString::fromLatin1(c.text));
    }
}

TEST(NumberText, IntText)
{
    EXPECT_EQ(IntText(-3), QStringLiteral("-3"));
    EXPECT_EQ(IntText(0), QStringLiteral("0"));
    EXPECT_EQ(IntText(std::numeric_limits<int32_t>::min()), QStringLiteral("-2147483648"));
}
