// Colour packing between drawing colours and alpha-red-green-blue values.
#include "common/colors.h"

#include <gtest/gtest.h>

using namespace common;

TEST(Colors, PackingAndUnpacking)
{
    EXPECT_EQ(MakeColor(0x12, 0x34, 0x56), 0xFF123456u);
    EXPECT_EQ(MakeColor(256, 0, 0), 0x00000000u);  // unmasked: spills into alpha and wraps
    EXPECT_EQ(MakeColor(0, 0, 256), 0xFF000100u);

    const ColorParts p = SplitColor(0x80112233u);
    EXPECT_EQ(p.alpha, 0x80);
    EXPECT_EQ(p.red, 0x11);
    EXPECT_EQ(p.green, 0x22);
    EXPECT_EQ(p.blue, 0x33);
}

TEST(Colors, StoredColourHasRedInTheLowByte)
{
    struct Case {
        uint32_t stored, color;
    } cases[] = {
        {0x00332211u, 0xFF112233u},
        {0x000000FFu, 0xFFFF0000u},
        {0x7F332211u, 0xFF112233u},  // the top byte carries no colour
        {0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.stored);
        EXPECT_EQ(ColorRefToColor(c.stored), c.color);
    }
}
