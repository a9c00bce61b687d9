// Plane geometry: directions, anchors, projection, crossings, ellipse arcs
// and line-type patterns.
#include "common/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace common;

namespace {

void expectPoint(const GeoPoint& got, double x, double y)
{
    EXPECT_NEAR(got.x, x, 1e-9);
    EXPECT_NEAR(got.y, y, 1e-9);
}

}  // namespace

TEST(Geometry, AngleOfIsInZeroToTwoPi)
{
    struct Case {
        double dx, dy, angle;
    } cases[] = {
        {1, 0, 0},
        {0, 1, M_PI / 2},
        {-1, 0, M_PI},
        {0, -1, 3 * M_PI / 2},
        {1, -1, 7 * M_PI / 4},
        {0, 0, 0},
        {1e-15, -1e-15, 0},  // below 1e-14: no direction
        {1, -1e-17, 0},      // a tiny negative angle must not come out as 2pi
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        const double a = AngleOf(c.dx, c.dy);
        EXPECT_DOUBLE_EQ(a, c.angle);
        EXPECT_GE(a, 0);
        EXPECT_LT(a, 2 * M_PI);
    }
}

TEST(Geometry, NormDegBringsIntoZeroTo360)
{
    struct Case {
        double in, out;
    } cases[] = {
        {-30, 330},
        {720, 0},
        {359.99999999999, 0},
        {1e-11, 0},
        {360.5, 0.5},
        {-720.25, 359.75},
        {45, 45},
        {1e20, std::fmod(1e20, 360.0)},  // stepping by 360 alone would never end
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_DOUBLE_EQ(NormDeg(c.in), c.out);
    }
}

TEST(Geometry, RotationIsCounterClockwiseAboutTheCentre)
{
    expectPoint(RotateDeg(2, 1, 1, 1, 90), 1, 2);
    expectPoint(RotateDeg(2, 1, 1, 1, -90), 1, 0);
    EXPECT_NEAR(RotateX(3, 1, 1, 1, M_PI), -1, 1e-12);
    EXPECT_NEAR(RotateY(3, 1, 1, 1, M_PI / 2), 3, 1e-12);
    EXPECT_DOUBLE_EQ(Distance(1, 1, 4, 5), 5);
}

TEST(Geometry, AnchorCornerFindsTheTurnedBottomLeft)
{
    struct Case {
        int kind;
        double angle, x, y;
    } cases[] = {
        {0, 30, 10, 20},    // the anchor is the corner itself
        {8, 0, 6, 18},      // top right: back by the width and the height
        {4, 0, 8, 19},      // centre
        {2, 90, 10, 16},    // bottom right of a box turned upright
        {9, 45, 10, 20},    // unknown kinds count as bottom left
        {-1, 45, 10, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        expectPoint(AnchorCorner(c.kind, 10, 20, 4, 2, c.angle), c.x, c.y);
    }
}

TEST(Geometry, AnchorConvertRoundTripsBetweenAllKinds)
{
    const double x = 3.5, y = -2, w = 7, h = 1.5, a = 33;
    for (int from = 0; from <= 8; ++from) {
        for (int to = 0; to <= 8; ++to) {
            SCOPED_TRACE(testing::Message() << from << " -> " << to);
            const GeoPoint p = AnchorConvert(from, to, x, y, w, h, a);
            expectPoint(AnchorConvert(to, from, p.x, p.y, w, h, a), x, y);
            // Both name the same box: the same bottom-left corner.
            const GeoPoint c1 = AnchorCorner(from, x, y, w, h, a);
            const GeoPoint c2 = AnchorCorner(to, p.x, p.y, w, h, a);
            expectPoint(c2, c1.x, c1.y);
        }
    }
    // From the corner of an unturned box: centre and top right.
    expectPoint(AnchorConvert(0, 4, 0, 0, 4, 2, 0), 2, 1);
    expectPoint(AnchorConvert(0, 8, 0, 0, 4, 2, 90), -2, 4);
    expectPoint(AnchorConvert(4, 12, 2, 1, 4, 2, 0), 0, 0);  // unknown target: the corner
}

TEST(Geometry, ProjectOnSegmentGivesSideAndExtent)
{
    struct Case {
        double x1, y1, x2, y2, px, py;
        bool on;
        double offset;
    } cases[] = {
        {0, 0, 10, 0, 5, 3, true, 3},
        {0, 0, 10, 0, 5, -3, true, -3},
        {0, 0, 10, 0, -1, 1, false, 1},
        {0, 0, 10, 0, 11, 0, false, 0},
        {0, 0, 10, 0, 10 + 1e-13, 0, true, 0},  // the ends are widened by 1e-12
        {0, 0, 10, 0, 10 + 1e-9, 0, false, 0},
        {0, 0, 0, 10, -2, 5, true, 2},   // left of an upward segment is positive
        {10, 10, 0, 0, 0, 10, true, -std::sqrt(50.0)},
        {1, 1, 1, 1, 1, 1, true, 0},     // a point segment holds only its point
        {1, 1, 1, 1, 2, 1, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.px << ", " << c.py);
        const SegmentProjection p = ProjectOnSegment(c.x1, c.y1, c.x2, c.y2, c.px, c.py);
        EXPECT_EQ(p.onSegment, c.on);
        EXPECT_NEAR(p.offset, c.offset, 1e-9);
    }
}

TEST(Geometry, LineCrossCodes)
{
    struct Case {
        const char* what;
        double p[8];
        int code;
        double x, y;
    } cases[] = {
        {"crossing inside", {0, 0, 2, 2, 0, 2, 2, 0}, 1, 1, 1},
        {"second vertical", {0, 0, 10, 0, 5, -5, 5, 5}, 1, 5, 0},
        {"first vertical", {5, -5, 5, 5, 0, 1, 10, 1}, 1, 5, 1},
        {"nearly vertical counts as vertical", {3, 0, 3 + 1e-11, 10, 0, 4, 10, 4}, 1, 3, 4},
        {"at a segment end", {0, 0, 1, 1, 1, 1, 2, 0}, 1, 1, 1},
        {"beyond the first segment", {0, 0, 1, 1, 3, 0, 0, 3}, 2, 1.5, 1.5},
        {"beyond both", {0, 0, 1, 0, 5, 1, 5, 2}, 2, 5, 0},
        {"parallel", {0, 0, 1, 1, 0, 1, 1, 2}, 0, 0, 0},
        {"same line", {0, 0, 1, 1, 2, 2, 3, 3}, 0, 0, 0},
        {"both vertical", {1, 0, 1, 1, 2, 0, 2, 1}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LineCrossing r = LineCross({c.p[0], c.p[1]}, {c.p[2], c.p[3]}, {c.p[4], c.p[5]}, {c.p[6], c.p[7]});
        EXPECT_EQ(r.code, c.code);
        EXPECT_NEAR(r.x, c.x, 1e-9);
        EXPECT_NEAR(r.y, c.y, 1e-9);
    }
}

TEST(Geometry, EllipseArcCornerIsWhereTheEndTangentsMeet)
{
    struct Case {
        const char* what;
        double cx, cy, r, f, start, sweep, tilt;
        GeoPoint start_, end, corner;
    } cases[] = {
        {"quarter circle", 0, 0, 1, 1, 0, M_PI / 2, 0, {1, 0}, {0, 1}, {1, 1}},
        {"quarter ellipse", 0, 0, 2, 0.5, 0, M_PI / 2, 0, {2, 0}, {0, 1}, {2, 1}},
        {"turned and moved", 10, 20, 2, 0.5, 0, M_PI / 2, M_PI / 2, {10, 22}, {9, 20}, {9, 22}},
        {"half circle: parallel tangents", 5, 5, 1, 1, 0, M_PI, 0, {6, 5}, {4, 5}, {5, 5}},
        {"three quarters: behind the centre", 0, 0, 1, 1, 0, 3 * M_PI / 2, 0, {1, 0}, {0, -1}, {1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EllipseArcEnds e = EllipseArcPoints(c.cx, c.cy, c.r, c.f, c.start, c.sweep, c.tilt);
        expectPoint(e.start, c.start_.x, c.start_.y);
        expectPoint(e.end, c.end.x, c.end.y);
        expectPoint(e.corner, c.corner.x, c.corner.y);
    }
    expectPoint(EllipsePoint(1, 1, 2, 0.5, M_PI / 2, M_PI / 2), 0, 1);
}

TEST(Geometry, AffineMapDividesTheWholeSum)
{
    expectPoint(AffineMap(1, 2, 2, 10, 20, 1, 2, 3, 4), (1 + 4 + 10) / 2.0, (3 + 8 + 20) / 2.0);
}

TEST(Geometry, PatternToDashesUsesTheShortestPeriod)
{
    struct Case {
        uint32_t pattern;
        double unit;
        std::vector<double> dashes;
    } cases[] = {
        {0xF0F0F0F0, 1, {4, -4}},
        {0xFFFFFFFF, 0.5, {16}},
        {0xFF00FF00, 1, {8, -8}},
        {0xAAAAAAAA, 2, {2, -2}},          // cut down to two bits
        {0x55555555, 1, {-1, 1}},          // a pattern may start with a gap
        {0x00000000, 1, {-2}},
        {0xFFFF0000, 1, {16, -16}},        // halves differ: no cut
        {0xFFFFFF00, 1, {24, -8}},
        {0x1234F0F0, 1, {-3, 1, -2, 1, -3, 2, -1, 1, -2, 4, -4, 4, -4}},  // a repeating low half alone is no period
        {0x0FFF0FFF, 0.25, {-1, 3}},       // 0FFF, then halves 0F and FF differ
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.pattern);
        EXPECT_EQ(PatternToDashes(c.pattern, c.unit), c.dashes);
    }
}
