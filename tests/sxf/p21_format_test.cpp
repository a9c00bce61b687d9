// The value forms of P21 files: the two real formats and strings.
#include "sxf/p21_format.h"

#include "common/number_text.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>

using namespace sxf::p21;

namespace {

std::string real(double v)
{
    char text[kMaxRealChars];
    return std::string(text, writeReal(text, v));
}

std::string angle(double v)
{
    char text[kMaxRealChars];
    return std::string(text, writeAngle(text, v));
}

std::string quoted(const QString& s)
{
    std::string out;
    appendString(out, s);
    return out;
}

TEST(P21Values, RealsHaveSixDecimalsAndKeepTheSignOfZero)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {60, "60.000000"},     {-0.5, "-0.500000"},      {0, "0.000000"},         {-0.0, "-0.000000"},
        {-4e-16, "-0.000000"}, {228.5, "228.500000"},   {2.0000006, "2.000001"}, {1e20, "100000000000000000000.000000"},
        {192 / 255.0, "0.752941"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(real(c.value), c.text);
    }
}

TEST(P21Values, AnglesHaveFifteenDigitsNudgedAndCut)
{
    const double pi = std::numbers::pi;
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1.0, "1.00000000000000"},
        {0, "0.00000000000000"},
        {-0.0, "0.00000000000000"},
        {std::cos(pi / 2), "0.00000000000000"},
        {-1, "-0.99999999999999"},
        {-0.5, "-0.49999999999999"},
        {-2.0, "-1.99999999999999"},
        {10.0, "10.0000000000000"},
        {-10.0, "-9.99999999999999"},
        {0.001, "0.00100000000000"},
        {2e-14, "0.00000000000002"},
        {1e-14, "0.00000000000001"},
        {pi / 6, "0.52359877559829"},
        {std::cos(pi / 4), "0.70710678118654"},
        {pi, "3.14159265358979"},
        {330 * pi / 180, "5.75958653158129"},
        {pi / 2, "1.57079632679490"},
        {123456789012345.0, "123456789012345."},
        {1e16, "10000000000000000."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(angle(c.value), c.text);
    }
}

TEST(P21Values, NonFiniteNumbersAreNamed)
{
    EXPECT_EQ(real(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(angle(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(P21Strings, AsciiRunsAndQuotes)
{
    const struct {
        QString in;
        const char* out;
    } cases[] = {
        {QString(), "''"},
        {QStringLiteral("$"), "'$'"},
        {QStringLiteral("杭-1'"), R"('\X2\676D\X0\-1''')"},
        {QStringLiteral("ＡB"), R"('\X2\FF21\X0\B')"},
        {QStringLiteral("a\\b"), R"('a\\b')"},
        {QStringLiteral("ｱｲ"), R"('\X2\FF71FF72\X0\')"},
        {QStringLiteral("図面ａ"), R"('\X2\56F39762FF41\X0\')"},
        // A control character, a private-use one and one beyond the code
        // page are "?"; so is a character outside the basic plane, once.
        {QStringLiteral("a\tb"), "'a?b'"},
        {QString(QChar(0xE000)) + u'x', "'?x'"},
        {QStringLiteral("€1"), "'?1'"},
        {QStringLiteral("𠀋z"), "'?z'"},
        {QString(QChar(0xD800)) + u'z', "'?z'"},
        // The code page's own equivalents: U+2212 is written as U+FF0D.
        {QString(QChar(0x2212)), R"('\X2\FF0D\X0\')"},
        // "/*" would open a comment for the official reader.
        {QStringLiteral("a/*b*/"), R"('a/\X2\002A\X0\b*/')"},
        {QStringLiteral("/*あ"), R"('/\X2\002A3042\X0\')"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        EXPECT_EQ(quoted(c.in), c.out);
    }
}

}  // namespace

// The short way of writing reals gives the digits of the exact form, for
// values of every magnitude and for those next to a rounding half.
TEST(P21Values, RealsAgreeWithTheExactForm)
{
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_int_distribution<int> exponent(-12, 14);
    for (int i = 0; i < 200000; ++i) {
        double v = unit(random) * std::pow(10.0, exponent(random));
        if (i % 3 == 0)  // a half of the last digit, give or take a little
            v = (std::floor(v * 1e6) + 0.5) / 1e6 + (i % 2 ? 1 : -1) * v * 1e-16;
        if (i % 5 == 0)
            v = -v;
        char exact[common::kMaxFixedChars + 1];
        char* end = exact;
        if (std::signbit(v))
            *end++ = '-';
        end = common::writeFixedText(end, 6, std::fabs(v));
        ASSERT_EQ(real(v), std::string(exact, end)) << std::hexfloat << v;
    }
}
