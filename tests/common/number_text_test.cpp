// Number texts: the forms every SFC value is written in.
#include "common/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

namespace {

// The correctly rounded reference: std::to_chars, without a minus sign
// before nothing but zeros.
std::string referenceFixed(int digits, double value)
{
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, digits);
    std::string text(buf, end);
    if (text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

}  // namespace

// The values whose rounding is hardest: exact ties at the last digit, the
// neighbours of ties on either side, and magnitudes on both sides of the
// point where the product with 10^digits leaves the exact range.
TEST(NumberText, FixedTextMatchesExactRoundingEverywhere)
{
    std::vector<double> values = {0.5, 1.5, 2.5, -2.5, 0.125, -0.375, 1e-300, 5e-324, 4503599627370495.5,
                                  4503599627370496.0, 9007199254740993.0, 1e15, 1e16, 1e22, 1.7976931348623157e308,
                                  std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(19);
    for (int i = 0; i < 5000; ++i) {
        const int decimals = static_cast<int>(random() % 16);
        const double scale = std::pow(10.0, static_cast<int>(random() % 30) - 10);
        const double tie = (static_cast<double>(random() % 2000001) - 1000000 + 0.5) / std::pow(10.0, decimals);
        values.push_back(tie);
        // An odd multiple of 2^-(decimals + 1) ends in a 5 just past the last
        // written digit: an exact tie.
        values.push_back(std::ldexp(static_cast<double>(2 * (random() % 1000000) + 1), -(decimals + 1)));
        values.push_back(std::nextafter(tie, 0.0));
        values.push_back(std::nextafter(tie, 1e300));
        values.push_back((static_cast<double>(random() >> 11) / 9007199254740992.0 - 0.5) * scale);
    }
    for (int digits : {0, 1, 2, 6, 12, 14, 15, 16, 20}) {
        for (double v : values) {
            char buf[kMaxFixedChars];
            const std::string got(buf, writeFixedText(buf, digits, v));
            ASSERT_EQ(got, referenceFixed(digits, v)) << "digits " << digits << " value " << v;
        }
    }
}
