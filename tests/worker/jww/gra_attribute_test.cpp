// Pen widths by colour number: defaults, and the widths a drawing sets.
#include "worker/jww/gra_attribute.h"

#include "tests/support/jww_builder.h"
#include "worker/jww/jww_data.h"

#include <gtest/gtest.h>

using namespace jww;

TEST(GraAttribute, DefaultsAndColoursWithoutEntry)
{
    TgraAttribute g;
    const struct {
        int color;
        double width;
    } cases[] = {{1, 0.1}, {2, 0.15}, {5, 0.3}, {8, 0.5}, {9, 0.01}, {101, 0.18}, {356, 0.18},
                 {0, 0},   {10, 0},   {50, 0},  {100, 0}, {357, 0},  {-1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.color);
        EXPECT_EQ(g.GetAttrColwid(c.color), c.width);
    }
    g.SetAttrCol(50, 1.0);
    g.SetAttrCol(357, 1.0);
    g.SetAttrCol(356, 0.7);
    EXPECT_EQ(g.GetAttrColwid(50), 0);
    EXPECT_EQ(g.GetAttrColwid(357), 0);
    EXPECT_EQ(g.GetAttrColwid(356), 0.7);
}

// The stored printer width counts dots whose size the line-width mode, the
// version and the printer resolution decide.
TEST(GraAttribute, FileColorSetScalesPrinterWidthsByTheDotSize)
{
    const struct {
        int32_t version, maxDrawWid, prtDpi;
        int color;
        int32_t stored;
        double width;
    } cases[] = {
        {600, -10, 0, 2, 3, 0.3},   {600, -1, 0, 4, 2, 2.0},    {600, -100, 0, 1, 5, 0.05},
        {600, -101, 0, 1, 5, 0.05}, {600, -500, 1, 8, 7, 0.07}, {600, 0, 1, 3, 4, 0.34},
        {600, 0, 2, 3, 4, 0.168},   {420, 0, 1, 3, 4, 0.168},   {421, 0, 1, 3, 4, 0.34},
        {600, 5, 0, 6, 10, 0.42},   {600, 0, -1, 6, 10, 0.42},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " " << c.maxDrawWid << " " << c.prtDpi);
        TJwwData d;
        testsupport::initEmptyDrawing(d, c.version);
        d.Enthd.nMaxDrawWid = c.maxDrawWid;
        d.Enthd.nPrtDpi = c.prtDpi;
        d.EntCol[static_cast<size_t>(c.color)].anPrtPenWidth = c.stored;
        d.EntCol[static_cast<size_t>(c.color)].anPenWidth = 99;  // screen widths play no part
        TgraAttribute g;
        d.FileColorSet(g);
        EXPECT_NEAR(g.GetAttrColwid(c.color), c.width, 1e-12);
        EXPECT_EQ(g.GetAttrColwid(9), 0.01);
        EXPECT_EQ(g.GetAttrColwid(101), 0.18);
    }
}

TEST(GraAttribute, FileColorSetSetsEveryColourOneToEight)
{
    TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    d.Enthd.nMaxDrawWid = -500;
    for (int n = 0; n < 10; ++n)
        d.EntCol[static_cast<size_t>(n)].anPrtPenWidth = 10 * n;
    TgraAttribute g;
    d.FileColorSet(g);
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        EXPECT_NEAR(g.GetAttrColwid(n), 0.1 * n, 1e-12);
    }
    EXPECT_EQ(g.GetAttrColwid(9), 0.01);  // the auxiliary colour keeps its default
}

// A drawing that failed to read before its tables were sized must not make
// the pen widths read outside them.
TEST(GraAttribute, FileColorSetOnEmptyDrawingKeepsDefaults)
{
    TJwwData d;
    TgraAttribute g;
    d.FileColorSet(g);
    EXPECT_EQ(g.GetAttrColwid(1), 0.1);
    EXPECT_EQ(g.GetAttrColwid(8), 0.5);
}
