// Drawings with one curve-attribute group of each kind, converted whole:
// each group becomes one annotation feature, its members are not written on
// their own, and what no recogniser used is converted as usual.
#include "common/geometry.h"
#include "tests/worker/conversion_harness.h"

#include <gtest/gtest.h>

using namespace jww;
using namespace testsupport;

namespace {

// Pen colour 2 on layer 0 of group 0: SFC layer 1, colour 1,
// line type 1, width 1, as the reference line of each drawing shows.
TEntJwwAttr in(uint32_t group, int style = 1, uint16_t sFlg = 0)
{
    TEntJwwAttr a = att(2, style);
    a.lGroup = group;
    a.sFlg = sFlg;
    return a;
}

TEntJwwMoji textOf(uint32_t group, const char* s, uint16_t sFlg, double x, double y)
{
    TEntJwwMoji m;
    m.att = in(group, 1, sFlg);
    m.start_x = x;
    m.start_y = y;
    m.end_x = x + 10;
    m.end_y = y;
    m.dSizeX = m.dSizeY = 2.5;
    m.str = QString::fromUtf8(s);
    return m;
}

TEntJwwTen pointOf(uint32_t group, double x, double y, int style = 1, int32_t code = 0, double scale = 0)
{
    TEntJwwTen t;
    t.att = in(group, style);
    t.start_x = x;
    t.start_y = y;
    t.nCode = code;
    t.dBairitsu = scale;
    return t;
}

TEntJwwSolid thick(uint32_t group, double x1, double y1, double x2, double y2)
{
    return {in(group), x1, y1, x2, y2, x1, y1, x2, y2, 0};
}

// Points on the sheet: the drawing's origin lies at (210, 148.5).
const QString kA = QStringLiteral("'1','1','1','1',");

} // namespace

TEST(GroupOutput, EachKindOfGroupBecomesOneAnnotation)
{
    TJwwData d;
    initDrawing(d);
    addLine(d, {att(2), 500, 500, 501, 500}); // reference line, in no group
    // 1: linear, continued beyond end 1, an extension line at end 1, a
    // stroke at end 1, a point at end 2, and a second text that stays.
    addLine(d, {in(1), 0, 0, 100, 0});
    addMoji(d, textOf(1, "100", 0x4010, 45, 1));
    addLine(d, {in(1), -20, 0, 0, 0});
    addLine(d, {in(1), 0, -10, 0, 2});
    addLine(d, {in(1), 0, 0, 3, 1});
    addTen(d, pointOf(1, 100, 0));
    addMoji(d, textOf(1, "note", 0, 45, 10));
    // 2: leader T(0, 50) -> V(10, 60) -> W(30, 60) with a point and a thick stroke at T.
    addTen(d, pointOf(2, 0, 50));
    addSolid(d, thick(2, 0, 50, 1, 52));
    addLine(d, {in(2), 0, 50, 10, 60});
    addLine(d, {in(2), 10, 60, 30, 60});
    // 3: a closed triangle.
    addLine(d, {in(3), 0, 100, 10, 100});
    addLine(d, {in(3), 10, 100, 5, 105});
    addLine(d, {in(3), 5, 105, 0, 100});
    // 4: balloon: the leader of 2 moved down, with a circle and a text.
    addTen(d, pointOf(4, 0, -50));
    addSolid(d, thick(4, 0, -50, 1, -52));
    addLine(d, {in(4), 0, -50, 10, -40});
    addEnko(d, {in(4), 15, -40, 5, 0, 2 * common::kPi, 0, 1, 1});
    addMoji(d, textOf(4, "1", 0, 14, -41));
    // 5: radius: an arrow of code 3 at scale 2 at end 2, a stroke at end 1 that stays.
    addLine(d, {in(5), 0, 200, 50, 200});
    addMoji(d, textOf(5, "R50", 0, 20, 201));
    addTen(d, pointOf(5, 50, 200, 100, 3, 2));
    addLine(d, {in(5), 0, 200, 1, 201});
    // 6: diameter.
    addLine(d, {in(6), 0, 300, 20, 300});
    addMoji(d, textOf(6, "φ20", 0x4010, 5, 301));
    // 7: curve (arc length) and 8: angle, on arcs of radius 10 from 60 to 120 degrees.
    addEnko(d, {in(7), 0, 400, 10, common::kPi / 3, common::kPi / 3, 0, 1, 0});
    addMoji(d, textOf(7, "10.5", 0x4010, 0, 411));
    addEnko(d, {in(8), 0, 500, 10, common::kPi / 3, common::kPi / 3, 0, 1, 0});
    addMoji(d, textOf(8, "60°", 0, 0, 511));

    const Converted c = convertInMemory(d);
    expectWellFormed(c);
    const QStringList lines = featureLines(c.text);

    const QStringList linear = withName(lines, "linear_dim_feature");
    ASSERT_EQ(linear.size(), 1);
    EXPECT_TRUE(linear[0].startsWith("linear_dim_feature(" + kA
        + "'190.000000','148.500000','310.000000','148.500000',"
          "'1','210.000000','138.500000','210.000000','138.500000','210.000000','150.500000',"
          "'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000',"
          "'9','1','210.000000','148.500000','1.000000000000',"
          "'7','1','310.000000','148.500000','0.100000000000','1',"))
        << linear[0].toStdString();
    EXPECT_TRUE(linear[0].contains(QStringLiteral("\\'100\\'")));

    EXPECT_EQ(withName(lines, "label_feature"),
        QStringList {"label_feature(" + kA
            + "'3','(210.000000,220.000000,240.000000)','(198.500000,208.500000,208.500000)',"
              "'9','1.000000000000','0','0',\\'\\','0.000000','0.000000','0.000000','0.000000',"
              "'0.000000','0.000000000000','0.000000000000','1','1')"});

    const QStringList polylines = withName(lines, "polyline_feature");
    EXPECT_TRUE(polylines.contains("polyline_feature(" + kA
        + "'4','(220.000000,215.000000,210.000000,220.000000)',"
          "'(248.500000,253.500000,248.500000,248.500000)')"));

    const QStringList balloons = withName(lines, "balloon_feature");
    ASSERT_EQ(balloons.size(), 1);
    EXPECT_TRUE(balloons[0].startsWith("balloon_feature(" + kA
        + "'2','(210.000000,220.000000)','(98.500000,108.500000)',"
          "'225.000000','108.500000','5.000000','9','1.000000000000','1',"))
        << balloons[0].toStdString();

    const QStringList radius = withName(lines, "radius_dim_feature");
    ASSERT_EQ(radius.size(), 1);
    EXPECT_TRUE(radius[0].startsWith("radius_dim_feature(" + kA
        + "'210.000000','348.500000','260.000000','348.500000',"
          "'3','1','260.000000','348.500000','2.000000000000','1',"))
        << radius[0].toStdString();

    const QStringList diameter = withName(lines, "diameter_dim_feature");
    ASSERT_EQ(diameter.size(), 1);
    EXPECT_TRUE(diameter[0].startsWith("diameter_dim_feature(" + kA
        + "'210.000000','448.500000','230.000000','448.500000',"
          "'0','0','0.000000','0.000000','0.000000000000',"
          "'0','0','0.000000','0.000000','0.000000000000','1',"))
        << diameter[0].toStdString();

    const QString arcValues = QStringLiteral(
        "'210.000000','%1','10.000000','60.000000000000','120.000000000000',"
        "'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000',"
        "'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000',"
        "'0','0','0.000000','0.000000','0.000000000000','0','0','0.000000','0.000000','0.000000000000','1',");
    const QStringList curve = withName(lines, "curve_dim_feature");
    ASSERT_EQ(curve.size(), 1);
    EXPECT_TRUE(curve[0].startsWith("curve_dim_feature(" + kA + arcValues.arg("548.500000"))) << curve[0].toStdString();
    const QStringList angle = withName(lines, "angular_dim_feature");
    ASSERT_EQ(angle.size(), 1);
    EXPECT_TRUE(angle[0].startsWith("angular_dim_feature(" + kA + arcValues.arg("648.500000")))
        << angle[0].toStdString();

    // What stays: the reference line, the radius's stroke at its centre, the
    // linear group's second text; no member point, circle, arc or solid.
    EXPECT_EQ(withName(lines, "line_feature"),
        (QStringList {"line_feature(" + kA + "'710.000000','648.500000','711.000000','648.500000')",
            "line_feature(" + kA + "'210.000000','348.500000','211.000000','349.500000')"}));
    const QStringList texts = withName(lines, "text_string_feature");
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].contains(QStringLiteral("\\'note\\'")));
    EXPECT_TRUE(withName(lines, "point_marker_feature").isEmpty());
    EXPECT_TRUE(withName(lines, "circle_feature").isEmpty());
    EXPECT_TRUE(withName(lines, "arc_feature").isEmpty());
}

TEST(GroupOutput, DiameterIsTriedBeforeLinear)
{
    TJwwData d;
    initDrawing(d);
    addLine(d, {in(1), 0, 0, 20, 0});
    addMoji(d, textOf(1, "φ20", 0x4010, 5, 1)); // the flags alone would make it linear
    const QStringList lines = featureLines(convertInMemory(d).text);
    EXPECT_EQ(withName(lines, "diameter_dim_feature").size(), 1);
    EXPECT_TRUE(withName(lines, "linear_dim_feature").isEmpty());
}

TEST(GroupOutput, BlockPlacedTwiceWritesItsLeaderOnce)
{
    TJwwData d;
    initDrawing(d);
    TEntJwwBlockDef def;
    def.nNumber = 1;
    def.strName = QStringLiteral("LEADER");
    addTen(def, pointOf(7, 0, 0));
    addSolid(def, thick(7, 0, 0, 1, 2));
    addLine(def, {in(7), 0, 0, 10, 10});
    addLine(def, {in(7), 10, 10, 30, 10});
    d.EntBlockDef = {def};
    addBlock(d, {att(2), 0, 0, 1, 1, 0, 1});
    addBlock(d, {att(2), 100, 0, 1, 1, 0, 1});
    d.MakeBlockTree();
    const Converted c = convertInMemory(d);
    expectWellFormed(c);
    const QStringList lines = featureLines(c.text);
    EXPECT_EQ(withName(lines, "label_feature"),
        QStringList {"label_feature(" + kA
            + "'3','(0.000000,10.000000,30.000000)','(0.000000,10.000000,10.000000)',"
              "'9','1.000000000000','0','0',\\'\\','0.000000','0.000000','0.000000','0.000000',"
              "'0.000000','0.000000000000','0.000000000000','1','1')"});
    EXPECT_TRUE(withName(lines, "line_feature").isEmpty());
    EXPECT_EQ(withName(lines, "sfig_locate_feature").size(), 3); // two placements and the background
}

TEST(GroupOutput, FillNamesTheCurveOfItsOwnSolidAfterAConsumedOne)
{
    TJwwData d;
    initDrawing(d);
    // A leader whose arrowhead is a filled triangle: its boundary is curve 1,
    // but it is written inside the label, without a fill.
    addSolid(d, {in(1), 0, 0, 3, 1, 3, -1, 3, -1, 0});
    addSolid(d, thick(1, 0, 0, 0, 1));
    addLine(d, {in(1), 0, 0, 20, 0});
    addSolid(d, {att(3), 50, 50, 60, 50, 60, 60, 50, 60, 0}); // an ordinary fill, curve 2
    const Converted c = convertInMemory(d);
    expectWellFormed(c);
    const QStringList lines = featureLines(c.text);
    EXPECT_EQ(withName(lines, "label_feature").size(), 1);
    EXPECT_EQ(withName(lines, "composite_curve_org_feature").size(), 3); // two solids, the background
    EXPECT_EQ(withName(lines, "fill_area_style_colour_feature").size(), 1);
    EXPECT_TRUE(withName(lines, "fill_area_style_colour_feature")[0].contains(QStringLiteral(",'2','0','()')")))
        << withName(lines, "fill_area_style_colour_feature")[0].toStdString();
    EXPECT_EQ(c.curves, 3);
    EXPECT_EQ(c.fillCounter, 3);
}

TEST(GroupOutput, ArrowCodesAboveElevenFromPointsBecomeSeven)
{
    TJwwData d;
    initDrawing(d);
    // The point comes last: it decides the label's arrow code.
    addSolid(d, thick(1, 0, 0, 1, 2));
    addTen(d, pointOf(1, 0, 0, 100, 12, 1));
    addLine(d, {in(1), 0, 0, 10, 0});
    addLine(d, {in(2), 0, 100, 50, 100});
    addMoji(d, textOf(2, "100", 0x4010, 20, 101));
    addTen(d, pointOf(2, 0, 100, 100, 15, 2));
    const QStringList lines = featureLines(convertInMemory(d).text);
    const QStringList labels = withName(lines, "label_feature");
    ASSERT_EQ(labels.size(), 1);
    EXPECT_TRUE(labels[0].contains(QStringLiteral("'(210.000000,220.000000)','(148.500000,148.500000)','7',")))
        << labels[0].toStdString();
    const QStringList linear = withName(lines, "linear_dim_feature");
    ASSERT_EQ(linear.size(), 1);
    EXPECT_TRUE(linear[0].contains(QStringLiteral("'7','1','210.000000','248.500000','2.000000000000'")))
        << linear[0].toStdString();
}
