// Drawings that, converted naively, give files referring to definitions that
// were never written or carrying numbers no reader accepts; each gives a
// sound file here. Drawings without these faults keep their exact output
// (the golden outputs).
#include "tests/support/qt_printers.h"
#include "tests/worker/conversion_harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace testsupport;
using namespace jww;

namespace {

TEntJwwBlockDef blockWith(uint32_t number, const char* name, const TEntJwwLine& line)
{
    TEntJwwBlockDef def;
    def.nNumber = number;
    def.strName = QString::fromLatin1(name);
    addLine(def, line);
    return def;
}

}  // namespace

TEST(SoundOutput, BlockMemberOnALayerNothingElseUses)
{
    TJwwData d;
    initDrawing(d);
    d.EntBlockDef = {blockWith(1, "B", {att(2, 1, 5), 0, 0, 1, 0})};
    addBlock(d, {att(2, 1, 2), 0, 0, 1, 1, 0, 1});
    d.MakeBlockTree();
    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    EXPECT_EQ(withName(lines, "layer_feature"),
              (QStringList{"layer_feature(\\'_0_0_\\','1')", "layer_feature(\\'_0_2_\\','1')",
                           "layer_feature(\\'_0_5_\\','1')"}));
    EXPECT_EQ(withName(lines, "line_feature"),
              QStringList{"line_feature('3','1','1','1','0.000000','0.000000','1.000000','0.000000')"});
    expectWellFormed(c);
}

TEST(SoundOutput, WideWidthsCarryTheNumberTheyWereDefinedUnder)
{
    TJwwData d;
    initDrawing(d);
    TEntJwwAttr a = att(2);
    a.nPenWidth = 500;  // 5.0 mm, the only width above 2.0 mm
    addLine(d, {a, 0, 0, 1, 0});
    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    EXPECT_EQ(withName(lines, "width_feature"),
              (QStringList{"width_feature('0.130000')", "width_feature('5.000000')"}));
    EXPECT_EQ(withName(lines, "line_feature"),
              QStringList{"line_feature('1','1','1','11','210.000000','148.500000','211.000000','148.500000')"});
    expectWellFormed(c);
}

TEST(SoundOutput, AuxiliaryLineTypeIsDefined)
{
    TJwwData d;
    initDrawing(d);
    addLine(d, {att(2, 9), 0, 0, 1, 0});  // auxiliary line type
    TEntJwwTen point;  // an auxiliary point does not use the line type
    point.att = att(9);
    addTen(d, point);
    const Converted c = convertInMemory(d, 0, 3, 2);  // blue, "dashed spaced"
    const QStringList lines = featureLines(c.text);
    EXPECT_EQ(withName(lines, "pre_defined_font_feature"),
              (QStringList{"pre_defined_font_feature(\\'continuous\\')",
                           "pre_defined_font_feature(\\'dashed spaced\\')"}));
    EXPECT_EQ(withName(lines, "line_feature"),
              QStringList{"line_feature('2','4','3','1','210.000000','148.500000','211.000000','148.500000')"});
    expectWellFormed(c);
}

TEST(SoundOutput, NoLayerBeyondTheTwoHundredFiftySixth)
{
    TJwwData d;
    initDrawing(d);
    for (int i = 0; i < 256; ++i)
        addLine(d, {att(2, 1, i % 16, i / 16), 0, 0, 1, 0});
    addLine(d, {att(9), 0, 0, 2, 0});
    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    EXPECT_EQ(withName(lines, "layer_feature").size(), 256);
    EXPECT_EQ(c.tables.HojoLay, 256);
    EXPECT_TRUE(lines.contains("line_feature('256','1','1','1','210.000000','148.500000','212.000000','148.500000')"));
    expectWellFormed(c);
}

TEST(SoundOutput, AtMost1024Fonts)
{
    TJwwData d;
    initDrawing(d);
    for (int i = 0; i < 1100; ++i) {
        TEntJwwMoji t;
        t.att = att(2);
        t.end_x = 10;
        t.dSizeX = t.dSizeY = 2;
        t.str = QStringLiteral("x");
        t.strFontName = QStringLiteral("Font%1").arg(i);
        addMoji(d, t);
    }
    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    EXPECT_EQ(withName(lines, "text_font_feature").size(), 1024);
    // A text whose font was not recorded is written in the first font.
    EXPECT_TRUE(withName(lines, "text_string_feature").last().startsWith("text_string_feature('1','1','1',"));
    expectWellFormed(c);
}

TEST(SoundOutput, SymbolsAreDefinedBeforeThePlacementsInsideOtherSymbols)
{
    TJwwData d;
    initDrawing(d);
    TEntJwwBlockDef outer = blockWith(1, "OUTER", {att(2), 0, 0, 1, 0});
    addBlock(outer, {att(2), 5, 5, 1, 1, 0, 2});  // places INNER, defined after it
    d.EntBlockDef = {outer, blockWith(2, "INNER", {att(2), 0, 0, 0, 1})};
    addBlock(d, {att(2), 0, 0, 1, 1, 0, 1});
    d.MakeBlockTree();
    const Converted c = convertInMemory(d);
    EXPECT_EQ(withName(featureLines(c.text), "sfig_org_feature").mid(1),
              (QStringList{"sfig_org_feature(\\'INNER\\','4')", "sfig_org_feature(\\'OUTER\\','4')"}));
    expectWellFormed(c);
}

TEST(SoundOutput, DegenerateScalesRingsAndNumbers)
{
    TJwwData d;
    initDrawing(d);
    d.EntLgrp[1].adScale = 0;  // drawn at scale 1, on the sheet
    addLine(d, {att(2, 1, 0, 1), 0, 0, 1, 0});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    addLine(d, {att(2), nan, 0, 1, 0});  // not written; the rest is
    TEntJwwSolid ring{att(3, 106), 0, 0, 10, 1, 0, 0, 0, 0, 0};  // a full ring without an inner radius
    addSolid(d, ring);
    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    EXPECT_TRUE(withName(lines, "sfig_org_feature").size() == 1);  // only the background symbol
    EXPECT_EQ(withName(lines, "line_feature"),
              QStringList{"line_feature('2','1','1','1','210.000000','148.500000','211.000000','148.500000')"});
    EXPECT_EQ(withName(lines, "ellipse_arc_feature"),
              (QStringList{"ellipse_arc_feature('1','3','1','2','210.000000','148.500000','10.000000','10.000000','0',"
                           "'0.000000000000','0.000000000000','180.000000000000')",
                           "ellipse_arc_feature('1','3','1','2','210.000000','148.500000','10.000000','10.000000','0',"
                           "'0.000000000000','180.000000000000','0.000000000000')"}));
    EXPECT_EQ(withName(lines, "fill_area_style_colour_feature"),
              QStringList{"fill_area_style_colour_feature('1','3','1','0','()')"});
    EXPECT_EQ(c.fillCounter, c.curves);
    expectWellFormed(c);
}

TEST(SoundOutput, FlaggedPlacementsKeepTheirScaledGroup)
{
    TJwwData d;
    initDrawing(d);
    d.EntLgrp[3].adScale = 50;
    d.EntBlockDef = {blockWith(1, "B", {att(2), 0, 0, 1, 0})};
    TEntJwwAttr flagged = att(2, 0x40, 0, 3);
    addBlock(d, {flagged, 1, 2, 1, 1, 0, 1});
    d.MakeBlockTree();
    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    EXPECT_TRUE(lines.contains("sfig_locate_feature('0',\\'B\\','50.000000','100.000000','0.00000000000000',"
                               "'50.00000000000000','50.00000000000000')"));
    EXPECT_TRUE(lines.contains("sfig_org_feature(\\'部分図3\\','1')"));
    expectWellFormed(c);
}

TEST(SoundOutput, FallbackColourIsDefined)
{
    TJwwData d;
    initDrawing(d);
    for (int i = 0; i < 241; ++i)  // 240 new colours fill 17..256; the 241st falls back
        addSolid(d, {att(10), 0, 0, 1, 0, 1, 1, 0, 1, 0x10000u + static_cast<uint32_t>(i)});
    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    EXPECT_TRUE(lines.contains("pre_defined_colour_feature(\\'darkgray\\')"));
    EXPECT_EQ(withName(lines, "fill_area_style_colour_feature").last(),
              "fill_area_style_colour_feature('1','16','241','0','()')");
    expectWellFormed(c);
}

TEST(SoundOutput, PlacementsOfMemberlessBlocksAreNotWritten)
{
    TJwwData d;
    initDrawing(d);
    TEntJwwBlockDef empty;
    empty.nNumber = 1;
    empty.strName = QStringLiteral("EMPTY");
    d.EntBlockDef = {empty};
    addBlock(d, {att(2), 0, 0, 1, 1, 0, 1});
    d.MakeBlockTree();
    const Converted c = convertInMemory(d);
    EXPECT_TRUE(withName(featureLines(c.text), "sfig_locate_feature").size() == 1);  // the background only
    expectWellFormed(c);
}

TEST(SoundOutput, FullSegmentIsTheWholeEllipse)
{
    TJwwData d;
    initDrawing(d);
    addSolid(d, {att(3, 101), 0, 0, 10, 0.5, 0, 0, 0, 5, 0});  // full sweep, segment code 5
    const Converted c = convertInMemory(d);
    EXPECT_EQ(withName(featureLines(c.text), "ellipse_arc_feature"),
              (QStringList{"ellipse_arc_feature('1','3','1','2','210.000000','148.500000','10.000000','5.000000','0',"
                           "'0.000000000000','0.000000000000','180.000000000000')",
                           "ellipse_arc_feature('1','3','1','2','210.000000','148.500000','10.000000','5.000000','0',"
                           "'0.000000000000','180.000000000000','0.000000000000')"}));
    EXPECT_TRUE(withName(featureLines(c.text), "polyline_feature").size() == 1);  // the background only
    expectWellFormed(c);
}

// A backslash + apostrophe in a name would end its string early and break
// the record; every name gets the replacement texts get, and a symbol's
// definition and its placements keep naming the same text.
TEST(SoundOutput, NamesHoldingTheStringDelimiter)
{
    TJwwData d;
    initDrawing(d);
    d.EntLay[0].aStrLayName = QStringLiteral("壁\\'s");
    d.EntLgrp[1].aStrGLayName = QStringLiteral("部分\\'図");
    d.EntLgrp[1].adScale = 50;
    d.EntLtpS[17].astrUDLTypeName = QStringLiteral("点\\'線");
    addLine(d, {att(2, 47), 0, 0, 1, 0});
    addLine(d, {att(2, 1, 0, 1), 0, 0, 1, 0});
    d.EntBlockDef = {blockWith(1, "B\\'x", {att(2), 0, 0, 1, 0}), blockWith(2, "M\\'y@@SfigorgFlag@@1", {att(2), 0, 0, 0, 1})};
    addBlock(d, {att(2), 0, 0, 1, 1, 0, 1});
    addBlock(d, {att(2), 5, 5, 1, 1, 0, 2});
    TEntJwwMoji t;
    t.att = att(2);
    t.end_x = 10;
    t.dSizeX = t.dSizeY = 2;
    t.str = QStringLiteral("it\\'s");
    t.strFontName = QStringLiteral("Font\\'A");
    addMoji(d, t);
    d.MakeBlockTree();

    const Converted c = convertInMemory(d);
    const QStringList lines = featureLines(c.text);
    const QString q = QStringLiteral("\uFFE5\u2019");
    for (const QString& expected : {
             QStringLiteral("layer_feature(\\'壁%1s\\','1')"),
             QStringLiteral("user_defined_font_feature(\\'点%1線\\','2','(0.500000,0.500000)')"),
             QStringLiteral("text_font_feature(\\'Font%1A\\')"),
             QStringLiteral("sfig_org_feature(\\'B%1x\\','4')"),
             QStringLiteral("sfig_org_feature(\\'M%1y\\','1')"),
             QStringLiteral("sfig_org_feature(\\'部分%1図\\','1')"),
         }) {
        EXPECT_TRUE(lines.contains(expected.arg(q))) << expected.arg(q).toStdString();
    }
    const QStringList placements = withName(lines, "sfig_locate_feature");
    for (const char* name : {"B%1x", "M%1y", "部分%1図"}) {
        const QString named = QStringLiteral("\\'") + QString::fromUtf8(name).arg(q) + QStringLiteral("\\'");
        EXPECT_EQ(placements.filter(named).size(), 1) << named.toStdString();
    }
    EXPECT_FALSE(c.text.contains(QStringLiteral("\\'s"))) << "no pair is left inside a string";
    EXPECT_TRUE(withName(lines, "text_string_feature").first().contains(QStringLiteral("\\'it%1s\\'").arg(q)));
    expectWellFormed(c);
}

// A solid whose numbers are finite but whose boundary overflows (a huge
// radius times its flatness) loses its boundary and its fill together; the
// solids after it keep their own curve numbers.
TEST(SoundOutput, SolidBoundaryIsWrittenWholeOrNotAtAll)
{
    const struct {
        const char* what;
        TEntJwwSolid solid;
    } cases[] = {
        {"full disc", {att(3, 101), 0, 0, 1e300, 1e10, 0, 0, 0, 0, 0}},
        {"partial disc", {att(3, 101), 0, 0, 1e300, 1e10, 0, 0, 1, 0, 0}},
        {"partial segment", {att(3, 101), 0, 0, 1e300, 1e10, 0, 0, 1, 5, 0}},
        {"full ring", {att(3, 105), 0, 0, 1e300, 1e10, 0, 0, 0, 1, 0}},
        {"partial ring of even width", {att(3, 106), 0, 0, 1e300, 2, 0, 0, 1, 1e-300, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TJwwData d;
        initDrawing(d);
        addSolid(d, c.solid);
        addSolid(d, {att(3), 0, 0, 1, 0, 1, 1, 0, 1, 0});  // a square after it
        const Converted out = convertInMemory(d);
        const QStringList lines = featureLines(out.text);
        EXPECT_EQ(out.recordsLeftOut, 1);
        EXPECT_TRUE(withName(lines, "ellipse_arc_feature").isEmpty());
        // The square's boundary, then the background area's outline.
        EXPECT_EQ(withName(lines, "composite_curve_org_feature").size(), 2);
        EXPECT_EQ(withName(lines, "fill_area_style_colour_feature"),
                  QStringList{"fill_area_style_colour_feature('1','3','1','0','()')"});
        EXPECT_EQ(out.fillCounter, out.curves);
        expectWellFormed(out);
    }
}
