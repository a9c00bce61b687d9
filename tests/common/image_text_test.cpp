// Image reference texts: "^@BM", path, ",", up to nine values.
#include "common/image_text.h"

#include <gtest/gtest.h>

using namespace common;

TEST(ImageText, ValuesDefaultsAndResult)
{
    struct Case {
        QStringView text;
        bool result;
        QStringView name;
        int count;
        std::array<double, 6> reals;
        std::array<int32_t, 3> ints;
    } cases[] = {
        {u"^@BMC:\\img\\a.png,100", true, u"C:\\img\\a.png", 1, {100, 100, 0, 0, 1, 0}, {-1, -1, -1}},
        {u"^@BM%temp%b.jpg,80,60", true, u"%temp%b.jpg", 2, {80, 60, 0, 0, 1, 0}, {-1, -1, -1}},
        {u"^@BMx.bmp,10,20,640", false, u"x.bmp", 3, {10, 20, 640, 0, 1, 0}, {-1, -1, -1}},
        {u"^@BMx.bmp,1,2,3,4,5,6,7,8,9", false, u"x.bmp", 9, {1, 2, 3, 4, 5, 6}, {7, 8, 9}},
        {u"^@BMx.bmp,1,2,3,4,5,6,7", false, u"x.bmp", 7, {1, 2, 3, 4, 5, 6}, {7, 0, 0}},
        {u"^@BMx.bmp,1,2,3,4,5,6,7,8,9,10", false, u"x.bmp", 9, {1, 2, 3, 4, 5, 6}, {7, 8, 0}},  // "9,10"
        {u"^@BMx.bmp,abc", true, u"x.bmp", 1, {0, 0, 0, 0, 1, 0}, {-1, -1, -1}},
        {u"^@BM,12.5,", true, u"", 2, {12.5, 0, 0, 0, 1, 0}, {-1, -1, -1}},
        {u"^@BMx.bmp", true, u"", 0, {0, 0, 0, 0, 1, 0}, {-1, -1, -1}},    // no comma
        {u"^@bmx.bmp,1", true, u"", 0, {0, 0, 0, 0, 1, 0}, {-1, -1, -1}},  // the mark is case-sensitive
        {u"plain text, 1", true, u"", 0, {0, 0, 0, 0, 1, 0}, {-1, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toString().toStdString());
        const ImageText t = ParseImageText(c.text);
        EXPECT_EQ(t.result, c.result);
        EXPECT_EQ(t.fileName, c.name);
        EXPECT_EQ(t.count, c.count);
        EXPECT_EQ(t.reals, c.reals);
        EXPECT_EQ(t.ints, c.ints);
    }
}
