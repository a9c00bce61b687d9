// Tolerant parsing: a text is a number only as a whole, anything else is 0.
#include "common/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace common;

TEST(NumberParse, StrToIntZeroAcceptsOnlyAWholeDecimalInteger)
{
    struct Case {
        QStringView text;
        int32_t value;
    } cases[] = {
        {u"42", 42},
        {u"-7", -7},
        {u"+7", 7},
        {u"007", 7},
        {u"-2147483648", std::numeric_limits<int32_t>::min()},
        {u"2147483647", std::numeric_limits<int32_t>::max()},
        {u"2147483648", 0},
        {u"", 0},
        {u"abc", 0},
        {u" 1", 0},
        {u"1 ", 0},
        {u"+", 0},
        {u"-", 0},
        {u"1.0", 0},
        {u"1e3", 0},
        {u"0x10", 0},
        {u"+-1", 0},
        {u"１２", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toString().toStdString());
        EXPECT_EQ(StrToIntZero(c.text), c.value);
    }
}

TEST(NumberParse, StrToFloatZeroAcceptsOnlyAWholeDecimalNumber)
{
    struct Case {
        QStringView text;
        double value;
    } cases[] = {
        {u"1.5", 1.5},
        {u"-0.25", -0.25},
        {u"+3", 3},
        {u"1.", 1},
        {u".5", 0.5},
        {u"-.5", -0.5},
        {u"", 0},
        {u".", 0},
        {u"-", 0},
        {u"1.2.3", 0},
        {u"1e5", 0},
        {u"1,5", 0},
        {u" 1", 0},
        {u"nan", 0},
        {u"inf", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toString().toStdString());
        EXPECT_EQ(StrToFloatZero(c.text), c.value);
    }
    // Beyond the range of a double.
    EXPECT_EQ(StrToFloatZero(QString(400, u'9')), 0);
}

TEST(NumberParse, StrToBoolWordKnowsExactlyTheTrueWords)
{
    struct Case {
        QStringView text;
        bool value;
    } cases[] = {
        {u"true", true}, {u"TRUE", true}, {u"tRu", true}, {u"t", true},  {u"on", true},  {u"On", true},
        {u"1", true},    {u"１", true},   {u"○", true},   {u"真", true}, {u"正", true},  {u"yes", false},
        {u"0", false},   {u"", false},    {u"off", false}, {u"truee", false}, {u" on", false}, {u"2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toString().toStdString());
        EXPECT_EQ(StrToBoolWord(c.text), c.value);
    }
}

TEST(NumberParse, RoundDigitsModes)
{
    struct Case {
        double value;
        int digits, mode;
        double result;
    } cases[] = {
        {-1.25, 1, 2, -1.3},  // half away from zero
        {1.21, 1, 1, 1.3},    // up
        {1.29, 1, 0, 1.2},    // truncated
        {-1.29, 1, 0, -1.2},
        {1.2, 1, 1, 1.2},     // already on the grid: no step up
        {2.5, 0, 2, 3},       // digits outside 1..9 scale by 1
        {1.5, 10, 0, 1},
        {0.123456789, 9, 2, 0.123456789},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " " << c.digits << " " << c.mode);
        EXPECT_DOUBLE_EQ(RoundDigits(c.value, c.digits, c.mode), c.result);
    }
}

TEST(NumberParse, Comparisons)
{
    EXPECT_TRUE(SameNum(1.0, 1.0 + 1e-13));
    EXPECT_FALSE(SameNum(1.0, 1.0 + 1e-11));
    EXPECT_TRUE(SamePoint(1, 2, 1 + 1e-13, 2 - 1e-13));
    EXPECT_FALSE(SamePoint(1, 2, 1, 2.001));
    EXPECT_TRUE(NearNum(1.0, 1.05, 0.1));
    EXPECT_FALSE(IsFiniteNum(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(IsFiniteNum(-std::numeric_limits<double>::infinity()));
    EXPECT_TRUE(IsFiniteNum(1e308));
}
