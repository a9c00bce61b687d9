// Whole files for small drawings, compared feature by feature with outputs
// worked out by hand from the conversion rules.
#include "tests/support/jww_builder.h"
#include "tests/support/qt_printers.h"
#include "tests/support/sfc_references.h"
#include "tests/worker/conversion_harness.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace testsupport;
using namespace jww;

namespace {

const QString kBackground = QStringLiteral("\\'$$ATRU$$100$$背景色$$色$$255_255_255\\'");

// The background-colour symbol naming composite curve `curve`.
QStringList backgroundDefinition(int curve)
{
    return {
        "polyline_feature('1','1','1','1','5','(10.000000,30.000000,30.000000,10.000000,10.000000)',"
        "'(-30.000000,-30.000000,-10.000000,-10.000000,-30.000000)')",
        "composite_curve_org_feature('1','1','1','0')",
        QStringLiteral("externally_defined_hatch_feature('1',\\'Area_control\\','%1','0','()')").arg(curve),
        "sfig_org_feature(" + kBackground + ",'3')",
    };
}

const QString kBackgroundPlacement = "sfig_locate_feature('0'," + kBackground
                                     + ",'0.000000','0.000000','0.00000000000000','1.00000000000000','1.00000000000000')";

}  // namespace

TEST(GoldenOutput, OneEntityOfEachKindOnTheSheet)
{
    TJwwData d;
    initDrawing(d);  // A3: the sheet's centre is (210, 148.5)
    addLine(d, {att(2), 0, 0, 100, 0});
    TEntJwwEnko circle{att(3, 2), 50, 50, 10, 0, 0, 0, 1, 1};
    addEnko(d, circle);
    TEntJwwEnko arc{att(2), 0, 0, 20, 0, M_PI / 2, 0, 1, 0};
    addEnko(d, arc);
    addTen(d, {att(2), 10, 10, 0, 0, 0, 1});
    TEntJwwMoji text;
    text.att = att(2);
    text.start_x = 0;
    text.start_y = -20;
    text.end_x = 10;
    text.end_y = -20;
    text.dSizeX = 3;
    text.dSizeY = 4;
    text.dKankaku = 0.5;
    text.strFontName = QStringLiteral("ＭＳ ゴシック");
    text.str = QStringLiteral("AB");
    addMoji(d, text);
    TEntJwwSunpo dim;
    dim.Sen = {att(2), 0, -40, 100, -40};
    dim.Moji.att = att(0);
    dim.Moji.start_x = 45;
    dim.Moji.start_y = -39;
    dim.Moji.end_x = 55;
    dim.Moji.end_y = -39;
    dim.Moji.dSizeX = dim.Moji.dSizeY = 2.5;
    dim.Moji.str = QStringLiteral("100");
    addSunpo(d, dim);
    addSolid(d, {att(3), 0, 60, 20, 60, 20, 80, 0, 80, 0});

    const Converted c = convertInMemory(d);
    QStringList expected = {
        "layer_feature(\\'_0_0_\\','1')",
        "pre_defined_colour_feature(\\'black\\')",
        "pre_defined_colour_feature(\\'green\\')",
        "pre_defined_colour_feature(\\'yellow\\')",
        "pre_defined_font_feature(\\'continuous\\')",
        "pre_defined_font_feature(\\'dotted\\')",
        "width_feature('0.130000')",
        "width_feature('0.180000')",
        "text_font_feature(\\'ＭＳ ゴシック\\')",
        "polyline_feature('1','3','1','2','5','(210.000000,230.000000,230.000000,210.000000,210.000000)',"
        "'(208.500000,208.500000,228.500000,228.500000,208.500000)')",
        "composite_curve_org_feature('3','1','2','0')",
    };
    expected += backgroundDefinition(2);
    expected += {
        "line_feature('1','1','1','1','210.000000','148.500000','310.000000','148.500000')",
        "circle_feature('1','3','7','2','260.000000','198.500000','10.000000')",
        "arc_feature('1','1','1','1','210.000000','148.500000','20.000000','0','0.000000000000','90.000000000000')",
        "point_marker_feature('1','1','220.000000','158.500000','3','0.000000000000','1.000000000000')",
        "text_string_feature('1','1','1',\\'AB\\','210.000000','128.500000','4.000000','3.500000','0.500000',"
        "'0.000000000000','0.000000000000','1','1')",
        "linear_dim_feature('1','1','1','1','210.000000','108.500000','310.000000','108.500000',"
        "'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000',"
        "'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000',"
        "'0','0','0.000000','0.000000','1.000000000000','0','0','0.000000','0.000000','1.000000000000',"
        "'1','1',\\'100\\','255.000000','109.500000','2.500000','3.750000','0.000000','0.000000000000',"
        "'0.000000000000','1','1')",
        "fill_area_style_colour_feature('1','3','1','0','()')",
        kBackgroundPlacement,
        "drawing_sheet_feature(\\'図面名\\','3','1','420','297')",
    };
    EXPECT_EQ(featureLines(c.text), expected);
    EXPECT_TRUE(c.text.startsWith(QStringLiteral("ISO-10303-21;\r\nHEADER;\r\n")));
    EXPECT_TRUE(c.text.contains(QStringLiteral("        '2026-12-10T09:30:00',\r\n")));
    EXPECT_TRUE(c.text.endsWith(QStringLiteral("SXF*/\r\n\r\nENDSEC;\r\nEND-ISO-10303-21;\r\n")));
    expectWellFormed(c);
}

TEST(GoldenOutput, BlockInsertedTwiceWithANestedBlock)
{
    TJwwData d;
    initDrawing(d);
    TEntJwwBlockDef win;
    win.nNumber = 1;
    win.strName = QStringLiteral("WIN");
    addLine(win, {att(2), 0, 0, 10, 0});
    TEntJwwBlockDef room;
    room.nNumber = 2;
    room.strName = QStringLiteral("ROOM");
    addLine(room, {att(2), 0, 0, 0, 10});
    addBlock(room, {att(2, 1, 2), 5, 5, 1, 1, 0, 1});
    d.EntBlockDef = {win, room};
    d.Enthd.n2 = 2;
    addBlock(d, {att(2, 1, 2), 100, 100, 1, 1, 0, 2});
    addBlock(d, {att(2, 1, 2), 200, 100, 1, 1, 0, 2});
    d.MakeBlockTree();
    ASSERT_EQ(d.EntBlockTreeN(), 4);

    const Converted c = convertInMemory(d);
    QStringList expected = {
        "layer_feature(\\'_0_0_\\','1')",
        "layer_feature(\\'_0_2_\\','1')",
        "pre_defined_colour_feature(\\'black\\')",
        "pre_defined_colour_feature(\\'yellow\\')",
        "pre_defined_font_feature(\\'continuous\\')",
        "width_feature('0.130000')",
        "text_font_feature(\\'ＭＳ ゴシック\\')",
    };
    expected += backgroundDefinition(1);
    expected += {
        "line_feature('1','1','1','1','0.000000','0.000000','10.000000','0.000000')",
        "sfig_org_feature(\\'WIN\\','4')",
        "line_feature('1','1','1','1','0.000000','0.000000','0.000000','10.000000')",
        "sfig_locate_feature('2',\\'WIN\\','5.000000','5.000000','0.00000000000000','1.00000000000000',"
        "'1.00000000000000')",
        "sfig_org_feature(\\'ROOM\\','4')",
        "sfig_locate_feature('2',\\'ROOM\\','310.000000','248.500000','0.00000000000000','1.00000000000000',"
        "'1.00000000000000')",
        "sfig_locate_feature('2',\\'ROOM\\','410.000000','248.500000','0.00000000000000','1.00000000000000',"
        "'1.00000000000000')",
        kBackgroundPlacement,
        "drawing_sheet_feature(\\'図面名\\','3','1','420','297')",
    };
    EXPECT_EQ(featureLines(c.text), expected);
    expectWellFormed(c);
}

TEST(GoldenOutput, ScaledLayerGroupBecomesAPart)
{
    TJwwData d;
    initDrawing(d);
    d.EntLgrp[1].adScale = 100;
    addLine(d, {att(2, 1, 0, 1), 0, 0, 10, 0});
    addLine(d, {att(2), 0, 0, 0, 10});

    const Converted c = convertInMemory(d);
    QStringList expected = {
        "layer_feature(\\'_0_0_\\','1')",
        "layer_feature(\\'_1_0_\\','1')",
        "pre_defined_colour_feature(\\'black\\')",
        "pre_defined_colour_feature(\\'yellow\\')",
        "pre_defined_font_feature(\\'continuous\\')",
        "width_feature('0.130000')",
        "text_font_feature(\\'ＭＳ ゴシック\\')",
    };
    expected += backgroundDefinition(1);
    expected += {
        "line_feature('2','1','1','1','0.000000','0.000000','1000.000000','0.000000')",
        "sfig_org_feature(\\'部分図1\\','1')",
        "sfig_locate_feature('0',\\'部分図1\\','210.000000','148.500000','0.00000000000000','0.01000000000000',"
        "'0.01000000000000')",
        "line_feature('1','1','1','1','210.000000','148.500000','210.000000','158.500000')",
        kBackgroundPlacement,
        "drawing_sheet_feature(\\'図面名\\','3','1','420','297')",
    };
    EXPECT_EQ(featureLines(c.text), expected);
    expectWellFormed(c);
}

TEST(GoldenOutput, SolidsOfEveryStyle)
{
    TJwwData d;
    initDrawing(d);
    TEntJwwBlockDef s;
    s.nNumber = 1;
    s.strName = QStringLiteral("S");
    auto quad = [](double x0, double y0, double x1, double y1, double x2, double y2, double x3, double y3) {
        return TEntJwwSolid{att(3), x0, y0, x1, y1, x2, y2, x3, y3, 0};
    };
    // Circular solids: centre, radius, flatness, tilt, start, sweep, shape code.
    auto round = [](int style, double cx, double cy, double r, double start, double sweep, double code) {
        return TEntJwwSolid{att(3, style), cx, cy, r, 1, 0, start, sweep, code, 0};
    };
    addSolid(s, quad(0, 0, 10, 0, 10, 10, 0, 10));
    addSolid(s, quad(20, 0, 30, 0, 30, 10, 20, 0));  // A, B, C, A: a triangle
    addSolid(s, quad(40, 0, 50, 0, 40, 0, 50, 0));   // A, B, A, B: a line
    addSolid(s, round(101, 0, 50, 5, 0, 0, 0));      // a full disc
    addSolid(s, round(101, 20, 50, 10, 0, M_PI / 2, 0));   // a sector
    addSolid(s, round(101, 40, 50, 10, 0, M_PI / 2, 5));   // a segment
    addSolid(s, round(101, 60, 50, 10, 0, M_PI / 2, 1));   // tangents meeting at a corner
    addSolid(s, round(105, 0, 80, 10, 0, 0, 5));           // a full ring
    addSolid(s, round(106, 30, 80, 10, 0, M_PI / 2, 5));   // part of a ring
    addSolid(s, round(111, 60, 80, 10, 0, 0, 0));          // an outline
    addSolid(s, round(107, 90, 80, 10, 0, 0, 0));          // draws nothing
    d.EntBlockDef = {s};
    addBlock(d, {att(2), 0, 0, 1, 1, 0, 1});
    d.MakeBlockTree();

    const Converted c = convertInMemory(d);
    const QString a = QStringLiteral("'1','3','1','2',");
    const QString close = QStringLiteral("composite_curve_org_feature('3','1','2','0')");
    auto earc = [&](const char* cx, const char* cy, const char* r, int dir, const char* start, const char* end) {
        return QStringLiteral("ellipse_arc_feature(") + a
               + QStringLiteral("'%1','%2','%3','%3','%4','0.000000000000','%5','%6')")
                     .arg(cx, cy, r)
                     .arg(dir)
                     .arg(start, end);
    };
    auto poly = [&](int n, const char* xs, const char* ys) {
        return QStringLiteral("polyline_feature(") + a + QStringLiteral("'%1','(%2)','(%3)')").arg(n).arg(xs, ys);
    };
    auto fill = [](int curve, const char* holes = "'0','()'") {
        return QStringLiteral("fill_area_style_colour_feature('1','3','%1',%2)").arg(curve).arg(holes);
    };
    const char* r0 = "0.000000000000";
    const char* r90 = "90.000000000000";
    const char* r180 = "180.000000000000";
    QStringList expected = {
        "layer_feature(\\'_0_0_\\','1')",
        // Nothing here is black, but the background area is outlined in black.
        "pre_defined_colour_feature(\\'black\\')",
        "pre_defined_colour_feature(\\'green\\')",
        "pre_defined_colour_feature(\\'yellow\\')",
        "pre_defined_font_feature(\\'continuous\\')",
        "width_feature('0.130000')",
        "width_feature('0.180000')",
        "text_font_feature(\\'ＭＳ ゴシック\\')",
        // Boundaries, curves 1 to 9.
        poly(5, "0.000000,10.000000,10.000000,0.000000,0.000000", "0.000000,0.000000,10.000000,10.000000,0.000000"),
        close,
        poly(4, "20.000000,30.000000,30.000000,20.000000", "0.000000,0.000000,10.000000,0.000000"),
        close,
        earc("0.000000", "50.000000", "5.000000", 0, r0, r180),
        earc("0.000000", "50.000000", "5.000000", 0, r180, r0),
        close,
        earc("20.000000", "50.000000", "10.000000", 0, r0, r90),
        poly(3, "20.000000,20.000000,30.000000", "60.000000,50.000000,50.000000"),
        close,
        earc("40.000000", "50.000000", "10.000000", 0, r0, r90),
        poly(2, "40.000000,50.000000", "60.000000,50.000000"),
        close,
        earc("60.000000", "50.000000", "10.000000", 0, r0, r90),
        poly(3, "60.000000,70.000000,70.000000", "60.000000,60.000000,50.000000"),
        close,
        earc("0.000000", "80.000000", "10.000000", 0, r0, r180),
        earc("0.000000", "80.000000", "10.000000", 0, r180, r0),
        close,
        earc("0.000000", "80.000000", "5.000000", 0, r0, r180),
        earc("0.000000", "80.000000", "5.000000", 0, r180, r0),
        close,
        earc("30.000000", "80.000000", "10.000000", 0, r0, r90),
        poly(2, "30.000000,30.000000", "90.000000,85.000000"),
        earc("30.000000", "80.000000", "5.000000", 1, r90, r0),
        poly(2, "35.000000,40.000000", "80.000000,80.000000"),
        close,
    };
    expected += backgroundDefinition(10);
    expected += {
        fill(1),
        fill(2),
        "line_feature('1','3','1','2','40.000000','0.000000','50.000000','0.000000')",
        fill(3),
        fill(4),
        fill(5),
        fill(6),
        fill(7, "'1','(8)'"),
        fill(9),
        "circle_feature('1','3','1','2','60.000000','80.000000','10.000000')",
        "sfig_org_feature(\\'S\\','4')",
        "sfig_locate_feature('1',\\'S\\','210.000000','148.500000','0.00000000000000','1.00000000000000',"
        "'1.00000000000000')",
        kBackgroundPlacement,
        "drawing_sheet_feature(\\'図面名\\','3','1','420','297')",
    };
    EXPECT_EQ(featureLines(c.text), expected);
    expectWellFormed(c);
}

TEST(GoldenOutput, SheetKindAndCurveNumbers)
{
    TJwwData d;
    initDrawing(d);
    d.Enthd.nZumen = 7;  // no standard sheet: A0 paper, kind 9
    for (int i = 0; i < 3; ++i)
        addSolid(d, {att(3), 10.0 * i, 0, 10.0 * i + 5, 0, 10.0 * i + 5, 5, 10.0 * i, 5, 0});
    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    EXPECT_TRUE(lines.contains("externally_defined_hatch_feature('1',\\'Area_control\\','4','0','()')"));
    QStringList fills;
    for (const QString& line : lines) {
        if (line.startsWith("fill_area_style_colour_feature"))
            fills.append(line);
    }
    EXPECT_EQ(fills, (QStringList{"fill_area_style_colour_feature('1','3','1','0','()')",
                                  "fill_area_style_colour_feature('1','3','2','0','()')",
                                  "fill_area_style_colour_feature('1','3','3','0','()')"}));
    EXPECT_EQ(lines.last(), "drawing_sheet_feature(\\'図面名\\','9','1','1189','841')");
    expectWellFormed(c);
}
