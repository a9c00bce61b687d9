// Lines, arcs, points, solids and placements as features.
#include "worker/convert/entity_converter.h"

#include "tests/worker/convert/converter_harness.h"
#include "tests/worker/convert/table_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace testsupport;
using namespace jww;
using convert::Placement;

namespace {

const Placement kNone{0, 0, 1};
const Placement kSheet{210, 148.5, 1};  // an A3 sheet's centre

TEntJwwEnko arc(double start, double sweep, double tilt = 0, double flatness = 1)
{
    TEntJwwEnko e;
    e.att = attrOn(0, 0);
    e.dHankei = 10;
    e.radKaishiKaku = start;
    e.radEnkoKaku = sweep;
    e.radKatamukiKaku = tilt;
    e.dHenpeiRitsu = flatness;
    return e;
}

}  // namespace

TEST(EntityConverter, ZeroLengthLinesAreLengthenedAlongTheirDirection)
{
    ConverterHarness h;
    convert::procSfcDataLine(h.ctx, lineOn(attrOn(0, 0), 10, 10, 10, 10), kSheet);
    convert::procSfcDataLine(h.ctx, lineOn(attrOn(0, 0), 0, 0, 0, 5e-7), kNone);
    convert::procSfcDataLine(h.ctx, lineOn(attrOn(1, 2, 9)), kNone);  // auxiliary
    EXPECT_EQ(h.features(), (QStringList{
        "#10 = line_feature('1','1','1','1','220.000000','158.500000','220.000001','158.500000')",
        "#20 = line_feature('1','1','1','1','0.000000','0.000000','0.000000','0.000001')",
        "#30 = line_feature('99','3','4','1','0.000000','0.000000','10.000000','0.000000')",
    }));
}

TEST(EntityConverter, ArcsCirclesAndEllipses)
{
    ConverterHarness h;
    const double pi = M_PI;
    TEntJwwEnko full = arc(0, 2 * pi);
    full.start_x = 5;
    convert::procSfcDataEnko(h.ctx, full, Placement{1, 2, 2});
    convert::procSfcDataEnko(h.ctx, arc(pi / 2, -pi / 2), kNone);        // clockwise
    convert::procSfcDataEnko(h.ctx, arc(0, pi / 2, pi / 6), kNone);      // tilt shifts a circular arc
    convert::procSfcDataEnko(h.ctx, arc(0, pi / 2, pi / 6, 0.5), kNone); // but not an elliptic one
    TEntJwwEnko ellipse = arc(1, 0.3, pi / 6, 0.5);
    ellipse.bZenEnFlg = 1;
    convert::procSfcDataEnko(h.ctx, ellipse, kNone);
    TEntJwwEnko dot = arc(0, 0);
    dot.dHankei = 1e-9;
    convert::procSfcDataEnko(h.ctx, dot, kNone);
    EXPECT_EQ(h.features(), (QStringList{
        "#10 = circle_feature('1','1','1','1','11.000000','2.000000','20.000000')",
        "#20 = arc_feature('1','1','1','1','0.000000','0.000000','10.000000','1','90.000000000000','0.000000000000')",
        "#30 = arc_feature('1','1','1','1','0.000000','0.000000','10.000000','0','30.000000000000','120.000000000000')",
        "#40 = ellipse_arc_feature('1','1','1','1','0.000000','0.000000','10.000000','5.000000','0','30.000000000000',"
        "'0.000000000000','90.000000000000')",
        "#50 = ellipse_feature('1','1','1','1','0.000000','0.000000','10.000000','5.000000','30.000000000000')",
        "#60 = circle_feature('1','1','1','1','0.000000','0.000000','0.000001')",
    }));
}

TEST(EntityConverter, PointsMarkersAndArrows)
{
    ConverterHarness h;
    TEntJwwTen plain;
    plain.att = attrOn(0, 1, 2);
    plain.bKariten = 1;
    convert::procSfcDataTen(h.ctx, plain, kNone);
    TEntJwwTen coded = plain;
    coded.att.nPenStyle = 100;
    coded.nCode = -9;  // no marker of that code: the default marker
    coded.radKaitenKaku = M_PI;
    coded.dBairitsu = 2;
    convert::procSfcDataTen(h.ctx, coded, kNone);
    coded.nCode = -4;
    convert::procSfcDataTen(h.ctx, coded, kNone);
    coded.nCode = 15;  // arrows above code 11 draw as code 7
    coded.radKaitenKaku = 0;
    convert::procSfcDataTen(h.ctx, coded, Placement{0, 0, 3});
    TEntJwwTen aux = plain;
    aux.att.nPenColor = 9;
    convert::procSfcDataTen(h.ctx, aux, kNone);
    EXPECT_EQ(h.features(), (QStringList{
        "#10 = point_marker_feature('2','2','0.000000','0.000000','2','0.000000000000','1.000000000000')",
        "#20 = point_marker_feature('2','2','0.000000','0.000000','3','180.000000000000','2.000000000000')",
        "#30 = point_marker_feature('2','2','0.000000','0.000000','4','180.000000000000','2.000000000000')",
        "#40 = label_feature('2','2','1','1','2','(0.000000,-0.600000)','(0.000000,0.000000)','7','2.000000000000',"
        "'0','0',\\'\\','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000000000','0.000000000000',"
        "'1','1')",
        "#50 = point_marker_feature('99','3','0.000000','0.000000','2','0.000000000000','1.000000000000')",
    }));
}

TEST(EntityConverter, SolidsAdvanceTheFillCounterByTheirCurves)
{
    ConverterHarness h;
    int32_t fill = 1;
    TEntJwwSolid abab = solidOf(attrOn(0, 0, 3));  // corners A, B, A, B: a line
    abab.DPoint2_x = abab.start_x;
    abab.DPoint2_y = abab.start_y;
    abab.DPoint3_x = abab.end_x;
    abab.DPoint3_y = abab.end_y;
    convert::procSfcDataSolid(h.ctx, abab, kNone, fill);
    EXPECT_EQ(fill, 1);
    TEntJwwSolid abcc = solidOf(attrOn(0, 0, 3));  // a triangle
    abcc.DPoint3_x = abcc.DPoint2_x;
    abcc.DPoint3_y = abcc.DPoint2_y;
    convert::procSfcDataSolid(h.ctx, abcc, kNone, fill);
    EXPECT_EQ(fill, 2);

    TEntJwwSolid ring = solidOf(attrOn(0, 0, 10), 0x123456);
    ring.att.nPenStyle = 105;
    ring.end_x = 10;      // radius
    ring.end_y = 1;       // flatness
    ring.DPoint3_x = 0;   // sweep: the whole ring
    ring.DPoint3_y = 4;   // inner radius
    convert::procSfcDataSolid(h.ctx, ring, kNone, fill);
    EXPECT_EQ(fill, 4);
    ring.DPoint3_x = 1;   // part of a ring: one curve, no hole
    ring.att.nPenStyle = 106;
    convert::procSfcDataSolid(h.ctx, ring, kNone, fill);
    EXPECT_EQ(fill, 5);
    ring.att.nPenStyle = 111;  // outline only
    ring.DPoint3_x = 0;
    convert::procSfcDataSolid(h.ctx, ring, kNone, fill);
    ring.att.nPenStyle = 107;  // not a style that draws
    convert::procSfcDataSolid(h.ctx, ring, kNone, fill);
    EXPECT_EQ(fill, 5);
    EXPECT_EQ(h.features(), (QStringList{
        "#10 = line_feature('1','3','1','2','0.000000','0.000000','10.000000','0.000000')",  // colour 3: 0.2 mm
        "#20 = fill_area_style_colour_feature('1','3','1','0','()')",
        "#30 = fill_area_style_colour_feature('1','16','2','1','(3)')",
        "#40 = fill_area_style_colour_feature('1','16','4','0','()')",
        "#50 = circle_feature('1','16','1','1','0.000000','0.000000','10.000000')",
    }));
}

TEST(EntityConverter, BlockPlacements)
{
    ConverterHarness h;
    TEntJwwBlockDef door;
    door.nNumber = 3;
    door.strName = QStringLiteral("DOOR");
    TEntJwwBlockDef marked;
    marked.nNumber = 4;
    marked.strName = QStringLiteral("P1@@SfigorgFlag@@1");
    TEntJwwBlockDef blank;
    blank.nNumber = 5;
    blank.strName = QStringLiteral("  ");
    TEntJwwBlockDef empty;  // placed, but without members: never a symbol
    empty.nNumber = 7;
    empty.strName = QStringLiteral("EMPTY");
    empty.ref_flag = true;
    for (TEntJwwBlockDef* def : {&door, &marked, &blank}) {
        addLine(*def, lineOn(attrOn(0, 0)));
        def->ref_flag = true;
    }
    h.drawing.EntBlockDef = {door, marked, blank, empty};
    h.tables.DatPrt = {{QStringLiteral("P1"), 1, 1, 1.0}};
    h.tables.buildSymbols(h.drawing);

    TEntJwwBlock place;
    place.att = attrOn(0, 2);
    place.nNumber = 3;
    place.DPKijunTen_x = 100;
    place.DPKijunTen_y = 50;
    place.dBairitsuX = -0.01;
    place.dBairitsuY = 1;
    place.radKaitenKaku = -M_PI / 2;
    convert::procSfcDataBlock(h.ctx, place, kNone);
    place.att.nPenStyle = 0x40;  // placed on no layer
    place.nNumber = 4;
    convert::procSfcDataBlock(h.ctx, place, Placement{0, 0, 2});
    place.nNumber = 5;
    convert::procSfcDataBlock(h.ctx, place, kNone);
    place.nNumber = 6;  // no such definition: nothing
    convert::procSfcDataBlock(h.ctx, place, kNone);
    place.nNumber = 7;  // a definition that is not written: nothing
    convert::procSfcDataBlock(h.ctx, place, kNone);
    EXPECT_EQ(h.features(), (QStringList{
        "#10 = sfig_locate_feature('3',\\'DOOR\\','100.000000','50.000000','270.00000000000000',"
        "'0.01000000000000','1.00000000000000')",
        "#20 = sfig_locate_feature('0',\\'P1\\','200.000000','100.000000','270.00000000000000',"
        "'0.02000000000000','2.00000000000000')",
        "#30 = sfig_locate_feature('0',\\'_BLOCK_2\\','100.000000','50.000000','270.00000000000000',"
        "'0.01000000000000','1.00000000000000')",
    }));
}
