// The leader, balloon and polyline recognisers, and the end-point index the
// chains are found through.
#include "tests/worker/annotation/group_fixture.h"
#include "worker/annotation/end_point_index.h"

#include <gtest/gtest.h>

#include <functional>

using namespace grouptest;
using annotation::EndPointIndex;
using annotation::GroupRecognizer;
using testsupport::addEnko;
using testsupport::addLine;
using testsupport::addMoji;
using testsupport::addSolid;
using testsupport::addTen;

TEST(EndPointIndex, PointsWithinToleranceMatchAcrossCellBorders)
{
    const double border = 1.0 / 64;
    EndPointIndex index;
    index.add(0, border - 4e-13, 0, 5, 5);
    index.add(1, 7, 7, border + 5e-13, -2e-13);
    index.add(2, border + 3e-12, 0, 9, 9); // too far
    index.add(3, 0, 0, 0, 0); // no length: found once
    EXPECT_EQ(index.linesAt(border, 0), (std::vector<int32_t> {0, 1}));
    EXPECT_EQ(index.firstAt(border + 5e-13, 0), 0);
    EXPECT_EQ(index.linesAt(0, 0), std::vector<int32_t> {3});
    index.remove(0, border - 4e-13, 0, 5, 5);
    EXPECT_EQ(index.firstAt(border, 0), 1);
    EXPECT_EQ(index.firstAt(5, 5), -1);
    index.add(4, std::nan(""), 0, 1e300, -1e300); // far and not finite: only its own point matches
    EXPECT_EQ(index.firstAt(1e300, -1e300), 4);
    EXPECT_EQ(index.firstAt(1e299, -1e300), -1);
}

namespace {

// An open arrowhead at (0, 0): two strokes of length 2 whose other ends
// touch nothing.
void addOpenArrow(TJwwData& d)
{
    addLine(d, line(0, 0, 2, 1));
    addLine(d, line(0, 0, 2, -1));
}

} // namespace

TEST(LeaderRecognition, PointThickStrokeAndLineMakeALeader)
{
    struct Case {
        const char* what;
        bool pointFirst;
        int32_t arc;
    };
    for (const Case& c : {Case {"point first", true, 9}, Case {"point after the solid", false, 7}}) {
        SCOPED_TRACE(c.what);
        TJwwData d;
        emptyDrawing(d);
        if (c.pointFirst)
            addTen(d, point(0, 0));
        addSolid(d, stroke(0, 0, 3, 1));
        if (!c.pointFirst)
            addTen(d, point(0, 0));
        addLine(d, line(0, 0, 10, 10));
        const auto g = groupOfAll(d);
        GroupRecognizer r(d, g);
        ASSERT_TRUE(r.FindLeader(0));
        EXPECT_EQ(r.ld.arc, c.arc);
        EXPECT_EQ(r.ld.ax, 0);
        EXPECT_EQ(r.ld.ida1, c.pointFirst ? 0 : 1);
        EXPECT_EQ(r.ld.ida3, c.pointFirst ? 1 : 0);
        ASSERT_EQ(r.ld.aln, 1);
        EXPECT_EQ(r.ld.al[0].id, 2);
        EXPECT_EQ(r.ld.al[0].x2, 10);
        EXPECT_EQ(r.ld.idm, -1);
    }
}

TEST(LeaderRecognition, ArrowsOfBothKindsAreRequired)
{
    struct Case {
        const char* what;
        std::function<void(TJwwData&)> arrow;
        bool leader;
    };
    const Case cases[] = {
        {"point only", [](TJwwData& d) { addTen(d, point(0, 0)); }, false},
        {"thick stroke only", [](TJwwData& d) { addSolid(d, stroke(0, 0, 3, 1)); }, false},
        {"open arrowhead only", [](TJwwData& d) { addOpenArrow(d); }, false},
        {"open arrowhead and thick strokes",
            [](TJwwData& d) {
                addOpenArrow(d);
                addSolid(d, stroke(2, 1, 0, 0));
                addSolid(d, stroke(0, 0, 2, -1));
            },
            true},
        {"solid with area and thick stroke",
            [](TJwwData& d) {
                addSolid(d, {member(), 2, 1, 2, -1, 0, 0, 0, 0, 0});
                addSolid(d, stroke(0, 0, 0, 0.5));
            },
            true},
        {"round solid and thick stroke",
            [](TJwwData& d) {
                addSolid(d, {member(101), 0, 0, 1, 1, 0, 0, 0, 0, 0});
                addSolid(d, stroke(0, 0, 0, 0.5));
            },
            true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TJwwData d;
        emptyDrawing(d);
        c.arrow(d);
        addLine(d, line(0, 0, 20, 0));
        const auto g = groupOfAll(d);
        GroupRecognizer r(d, g);
        EXPECT_EQ(r.FindLeader(0), c.leader);
        if (c.leader) {
            EXPECT_EQ(r.ld.ax, 0);
            EXPECT_EQ(r.ld.ay, 0);
            ASSERT_EQ(r.ld.aln, 1);
            EXPECT_EQ(r.ld.al[0].x2, 20);
        }
    }
}

TEST(LeaderRecognition, StrokeNeedsTwoTouchingLinesOfDifferentLength)
{
    struct Case {
        double leaderLength;
        bool stroke;
    };
    // The strokes are about 2.236 long; the lines at the tip must differ by
    // more than 0.001.
    const double strokeLength = std::hypot(2.0, 1.0);
    for (const Case& c : {Case {strokeLength + 0.0009, false}, Case {strokeLength + 0.0011, true}}) {
        SCOPED_TRACE(c.leaderLength);
        TJwwData d;
        emptyDrawing(d);
        addOpenArrow(d);
        addLine(d, line(0, 0, -c.leaderLength, 0));
        const auto g = groupOfAll(d);
        GroupRecognizer r(d, g);
        r.FindLeader(0);
        EXPECT_EQ(r.ld.ida1 != -1, c.stroke);
        EXPECT_EQ(r.ld.ida2 != -1, c.stroke);
    }
    // A line touched at both ends is no stroke.
    TJwwData d;
    emptyDrawing(d);
    addOpenArrow(d);
    addLine(d, line(0, 0, -10, 0));
    addLine(d, line(2, 1, 3, 3));
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    r.FindLeader(0);
    EXPECT_EQ(r.ld.ida1, 1);
    EXPECT_EQ(r.ld.ida2, -1);
}

TEST(LeaderRecognition, ChainOfThreeSegmentsFromTheTip)
{
    TJwwData d;
    emptyDrawing(d);
    addLine(d, line(20, 10, 10, 10)); // listed first, reversed
    addSolid(d, stroke(0, 0, 1, 2));
    addLine(d, line(0, 0, 10, 0));
    addTen(d, point(0, 0));
    addLine(d, line(10, 0, 10, 10));
    addMoji(d, text(QStringLiteral("A")));
    const auto g = groupOfAll(d);
    GroupRecognizer r(d, g);
    EXPECT_FALSE(r.FindBalloon(0));
    ASSERT_TRUE(r.FindLeader(0));
    ASSERT_EQ(r.ld.aln, 3);
    EXPECT_EQ(r.ld.al[0].id, 2);
    EXPECT_EQ(r.ld.al[0].x1, 0);
    EXPECT_EQ(r.ld.al[1].id, 4);
    EXPECT_EQ(r.ld.al[2].id, 0);
    EXPECT_EQ(r.ld.al[2].x1, 10);
    EXPECT_EQ(r.ld.al[2].x2, 20);
    EXPECT_EQ(r.ld.idm, 5);
    EXPECT_EQ(r.ld.mj.str, QStringLiteral("A"));
    // The next group has no text: its text record is empty.
    d.EntNo.pop_back();
    const auto gb = groupOfAll(d);
    GroupRecognizer rb(d, gb);
    rb.ld = r.ld;
    ASSERT_TRUE(rb.FindLeader(0));
    EXPECT_EQ(rb.ld.idm, -1);
    EXPECT_TRUE(rb.ld.mj.str.isEmpty());
    EXPECT_EQ(rb.ld.aln, 3);
}

TEST(LeaderRecognition, BalloonNeedsAFullCircle)
{
    struct Case {
        const char* what;
        TEntJwwEnko circle;
        bool balloon;
    };
    const Case cases[] = {
        {"flagged full circle", arc(30, 0, 5, 0, 360, 1), true},
        {"sweep of minus two pi", arc(30, 0, 5, 0, -360), true},
        {"open arc", arc(30, 0, 5, 0, 180), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TJwwData d;
        emptyDrawing(d);
        addTen(d, point(0, 0));
        addSolid(d, stroke(0, 0, 1, 2));
        addLine(d, line(0, 0, 25, 0));
        addEnko(d, c.circle);
        const auto g = groupOfAll(d);
        GroupRecognizer r(d, g);
        EXPECT_EQ(r.FindBalloon(0), c.balloon);
        EXPECT_TRUE(r.FindLeader(0));
        if (c.balloon) {
            ASSERT_TRUE(r.FindBalloon(0));
            EXPECT_EQ(r.ld.idc, 3);
            EXPECT_EQ(r.ld.cx, 30);
            EXPECT_EQ(r.ld.cr, 5);
        }
    }
}

TEST(PolylineRecognition, OpenClosedAndTailedChains)
{
    struct Case {
        const char* what;
        std::vector<TEntJwwLine> lines;
        bool polyline;
        int32_t aln1, aln2;
        std::vector<int32_t> al1, al2;
    };
    const Case cases[] = {
        {"open chain on both sides", {line(10, 0, 20, 0), line(30, 0, 20, 0), line(0, 0, 10, 0), line(-10, 5, 0, 0)},
            true, 2, 1, {2, 3}, {1}},
        {"closed triangle", {line(0, 0, 10, 0), line(10, 0, 5, 5), line(5, 5, 0, 0)}, true, 2, 0, {2, 1}, {}},
        {"closed triangle with a tail where it closed",
            {line(0, 0, 10, 0), line(10, 0, 5, 5), line(5, 5, 0, 0), line(10, 0, 15, -5)}, true, 2, 0, {2, 1}, {}},
        {"single line", {line(0, 0, 10, 0)}, false, 0, 0, {}, {}},
        {"disjoint lines", {line(0, 0, 10, 0), line(20, 0, 30, 0)}, false, 0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TJwwData d;
        emptyDrawing(d);
        addMoji(d, text(QStringLiteral("t")));
        addTen(d, point(0, 0));
        for (const TEntJwwLine& l : c.lines)
            addLine(d, l);
        const auto g = groupOfAll(d);
        GroupRecognizer r(d, g);
        EXPECT_EQ(r.FindPolyline(0), c.polyline);
        EXPECT_EQ(r.aln1, c.aln1);
        EXPECT_EQ(r.aln2, c.aln2);
        std::vector<int32_t> ids1, ids2;
        for (const auto& l : r.al1)
            ids1.push_back(l.id - 2);
        for (const auto& l : r.al2)
            ids2.push_back(l.id - 2);
        EXPECT_EQ(ids1, c.al1);
        EXPECT_EQ(ids2, c.al2);
        EXPECT_EQ(r.al.id, 2);
        r.FindPolylineEnd();
        EXPECT_EQ(r.aln1 + r.aln2, 0);
        EXPECT_TRUE(r.al1.empty() && r.al2.empty());
    }
    TJwwData none;
    emptyDrawing(none);
    addMoji(none, text(QStringLiteral("t")));
    const auto g = groupOfAll(none);
    EXPECT_FALSE(GroupRecognizer(none, g).FindPolyline(0));
}
