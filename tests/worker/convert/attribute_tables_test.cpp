// Building the attribute tables: what is counted, numbered and named.
#include "tests/worker/convert/table_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;
using namespace jww;
using convert::AttributeTables;

TEST(AttributeTables, EmptyDrawingStillDefinesLayerColourLineTypeWidthAndFont)
{
    TJwwData d;
    initEmptyDrawing(d);
    d.EntLay[0].aStrLayName = QStringLiteral("基準");
    d.EntColS[5].aPenColor = d.EntCol[1].aPenColor;  // pen colour 1 is SFC colour 5 ("yellow" slot)
    BuiltTables b(d);
    const AttributeTables& t = b.tables;
    EXPECT_EQ(t.DatLay[0].no, 1);
    EXPECT_EQ(t.DatLay[0].nam, QStringLiteral("基準"));
    EXPECT_EQ(t.DatLay[1].no, -1);
    EXPECT_EQ(t.DatCol[1].no, 5);
    EXPECT_GT(t.DatCol[105].cn, 0);
    EXPECT_GT(t.DatLtp[31].cn, 0);  // continuous
    EXPECT_EQ(t.DatLtp[1].no, 1);
    EXPECT_EQ(t.DatWid[1].cn, 1);
    ASSERT_EQ(t.DatFonN(), 1);
    EXPECT_EQ(t.DatFon[0].nam, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(t.HojoLay, -1);
    EXPECT_EQ(t.DatPrtN(), 0);
    EXPECT_EQ(t.DatColN(), 357);
    EXPECT_EQ(t.DatLgp[3].nam, QStringLiteral("部分図3"));
}

TEST(AttributeTables, LayerNamesFallBackAndDuplicatesTakeThePrefix)
{
    TJwwData d;
    initEmptyDrawing(d);
    d.EntLay[0].aStrLayName = QStringLiteral("A");
    d.EntLay[16].aStrLayName = QStringLiteral("a");
    d.EntLay[17].aStrLayName = QStringLiteral(" \u3000");
    d.EntLay[18].aanLay = 0;
    d.EntLgrp[2].anGLay = 0;
    addLine(d, lineOn(attrOn(1, 0)));
    addLine(d, lineOn(attrOn(1, 1)));
    BuiltTables b(d);
    const AttributeTables& t = b.tables;
    EXPECT_EQ(t.DatLay[16].nam, QStringLiteral("_1_0_a"));
    EXPECT_EQ(t.DatLay[17].nam, QStringLiteral("_1_1_"));
    EXPECT_EQ(t.DatLay[0].no, 1);
    EXPECT_EQ(t.DatLay[16].no, 2);
    EXPECT_EQ(t.DatLay[17].no, 3);
    EXPECT_EQ(t.DatLay[18].dsp, 0);   // hidden layer
    EXPECT_EQ(t.DatLay[32].dsp, 0);   // layer of a hidden group
    EXPECT_EQ(t.DatLay[19].dsp, 1);
}

TEST(AttributeTables, ScaledLayerGroupsBecomePartsSharedByScale)
{
    for (bool marked : {false, true}) {
        SCOPED_TRACE(marked ? "with a marked block" : "without");
        TJwwData d;
    initEmptyDrawing(d);
        d.EntLgrp[2].adScale = 100;
        d.EntLgrp[5].adScale = 100;
        d.EntLgrp[7].adScale = 50;
        d.EntLgrp[9].adScale = 20;  // no entities: no part
        for (int g : {2, 5, 7})
            addLine(d, lineOn(attrOn(g, 0)));
        if (marked) {
            TEntJwwBlockDef def;
            def.strName = QStringLiteral("DOOR@@SfigorgFlag@@1");
            def.ref_flag = true;
            addLine(def, lineOn(attrOn(0, 0)));
            d.EntBlockDef.push_back(def);
        }
        BuiltTables b(d);
        const AttributeTables& t = b.tables;
        const int base = marked ? 1 : 0;
        ASSERT_EQ(t.DatPrtN(), base + 2);
        if (marked) {
            EXPECT_EQ(t.DatPrt[0].nam, QStringLiteral("DOOR"));
            EXPECT_EQ(t.DatPrt[0].typ, 1);
        }
        EXPECT_EQ(t.DatLgp[2].no, base + 1);
        EXPECT_EQ(t.DatLgp[5].no, base + 1);
        EXPECT_EQ(t.DatLgp[7].no, base + 2);
        EXPECT_EQ(t.DatLgp[0].no, -1);
        EXPECT_EQ(t.DatPrt[base].typ, 0);
        EXPECT_EQ(t.DatPrt[base].no, 2);
        EXPECT_EQ(t.DatPrt[base].sc, 100);
        EXPECT_EQ(t.DatPrt[base + 1].sc, 50);
    }
}

TEST(AttributeTables, PartNamesAreMadeUnique)
{
    TJwwData d;
    initEmptyDrawing(d);
    for (int g : {1, 2, 3}) {
        d.EntLgrp[g].adScale = 10.0 * g;
        d.EntLgrp[g].aStrGLayName = QStringLiteral("Plan");
        addLine(d, lineOn(attrOn(g, 0)));
    }
    BuiltTables b(d);
    ASSERT_EQ(b.tables.DatPrtN(), 3);
    EXPECT_EQ(b.tables.DatPrt[0].nam, QStringLiteral("Plan"));
    EXPECT_EQ(b.tables.DatPrt[1].nam, QStringLiteral("Plan_1"));
    EXPECT_EQ(b.tables.DatPrt[2].nam, QStringLiteral("Plan_2"));
}

TEST(AttributeTables, WidthEntries)
{
    struct Case {
        int color, width, entry;
    } cases[] = {
        {1, 200, 11},  // exactly 2.0 mm falls past the doubled 2.0 entry
        {1, 199, 9},
        {150, 0, 2},   // SFC colours without a width are 0.18 mm
        {1, 13, 1},
        {1, 1000, 16},
        {1, 0, 1},     // colour 1's default pen width, 0.1 mm
        {8, 0, 5},     // 0.5 mm
        {9, 0, 1},     // the auxiliary colour's 0.01 mm
    };
    TJwwData d;
    initEmptyDrawing(d);
    BuiltTables b(d);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(b.tables.proc4subWidth(c.color, c.width), c.entry);
    }
}

TEST(AttributeTables, UsedWidthsAboveTwoMillimetresAreNumberedInOrder)
{
    TJwwData d;
    initEmptyDrawing(d);
    TEntJwwAttr a = attrOn(0, 0);
    a.nPenWidth = 500;  // 5.0 mm, entry 13
    addLine(d, lineOn(a));
    BuiltTables b(d);
    EXPECT_EQ(b.tables.DatWid[13].cn, 1);
    EXPECT_EQ(b.tables.DatWid[13].no, 11);
    EXPECT_EQ(b.tables.DatWid[9].no, 9);
    EXPECT_EQ(b.tables.DatWid[11].no, -1);
}

TEST(AttributeTables, SolidColoursMatchUserColoursOrGetNewNumbers)
{
    TJwwData d;
    initEmptyDrawing(d);
    // User colours 17..32 in use, each a distinct value.
    for (int k = 17; k <= 32; ++k) {
        d.EntColS[k].aPenColor = 0x010101 * k;
        addLine(d, lineOn(attrOn(0, 0, 100 + k)));
    }
    // A solid equal to user colour 20, then 225 colours that match nothing.
    addSolid(d, solidOf(attrOn(0, 0, 10), 0x010101 * 20));
    for (int i = 0; i < 225; ++i)
        addSolid(d, solidOf(attrOn(0, 0, 10), 0x800000 + static_cast<uint32_t>(i)));
    BuiltTables b(d);
    const AttributeTables& t = b.tables;
    EXPECT_EQ(t.DatColF, 33);
    EXPECT_EQ(t.DatColN(), 357 + 226);
    EXPECT_EQ(t.DatCol[357].no, 20);
    EXPECT_EQ(t.proc4subFColor(0x010101 * 20), 20);
    EXPECT_EQ(t.DatCol[358].no, 33);
    EXPECT_EQ(t.DatCol[359].no, 34);
    EXPECT_EQ(t.DatCol[357 + 224].no, 256);
    EXPECT_EQ(t.DatCol[357 + 225].no, 16);  // the 225th unmatched colour
    EXPECT_EQ(t.proc4subFColor(0x123456), 16);
}

TEST(AttributeTables, PenColoursMapToTheNearestByDifferenceOfSquares)
{
    TJwwData d;
    initEmptyDrawing(d);
    for (int k = 1; k <= 256; ++k)
        d.EntColS[k].aPenColor = 0xFFFFFF;
    d.EntColS[1].aPenColor = 0x000000;  // |10² - 0²| = 100
    d.EntColS[2].aPenColor = 0x00000F;  // |10² - 15²| = 125, although 15 is nearer to 10
    d.EntCol[1].aPenColor = 0x00000A;
    BuiltTables b(d);
    EXPECT_EQ(b.tables.proc3subColorCheck2(0x00000A), 101);
    EXPECT_EQ(b.tables.DatCol[1].no, 1);
    d.EntCol[1].aPrtPenColor = 0x00000F;
    BuiltTables printer(d, 1);
    EXPECT_EQ(printer.tables.DatCol[1].no, 2);
}

TEST(AttributeTables, AuxiliaryEntitiesGetTheLayerAfterTheUsedOnes)
{
    TJwwData d;
    initEmptyDrawing(d);
    addLine(d, lineOn(attrOn(0, 3)));
    addLine(d, lineOn(attrOn(2, 1)));
    addLine(d, lineOn(attrOn(4, 4, 9)));  // auxiliary colour
    addLine(d, lineOn(attrOn(4, 5, 2, 9)));  // auxiliary line type
    BuiltTables b(d, 0, 3);
    const AttributeTables& t = b.tables;
    EXPECT_EQ(t.HojoLay, 4);  // layers 0 (always), 3 and 2/1 are used
    EXPECT_EQ(t.DatLay[4 * 16 + 4].cn, 0);
    EXPECT_GT(t.DatCol[104].cn, 0);  // colour cb3 + 1 = blue
    EXPECT_EQ(t.DatCol[9].no, 4);
}

// The frame of an image is drawn on the text's layer, so the layer counts;
// the text's font does not.
TEST(AttributeTables, ImageReferenceTextCountsItsGroupAndLayer)
{
    TJwwData d;
    initEmptyDrawing(d);
    TEntJwwMoji text;
    text.att = attrOn(3, 2);
    text.end_x = 10;
    text.strFontName = QStringLiteral("Arial");
    text.str = QStringLiteral("^@BM%temp%photo.jpg,100,50");
    addMoji(d, text);
    BuiltTables b(d);
    EXPECT_EQ(b.tables.DatLgp[3].cn, 1);
    EXPECT_EQ(b.tables.DatLay[3 * 16 + 2].cn, 1);
    EXPECT_GT(b.tables.DatLay[3 * 16 + 2].no, 0);
    EXPECT_EQ(b.tables.DatFonN(), 1);
}

TEST(AttributeTables, TextRules)
{
    TJwwData d;
    initEmptyDrawing(d);
    TEntJwwMoji text;
    text.att = attrOn(1, 0, 3);
    text.end_x = 10;
    text.strFontName = QStringLiteral("arial");
    text.str = QStringLiteral("a^$2b^$9");
    addMoji(d, text);
    TEntJwwMoji same = text;  // start equals end: not counted at all
    same.end_x = 0;
    same.att = attrOn(2, 0);
    addMoji(d, same);
    TEntJwwMoji tiny = text;  // the (0,0)-(0.01,0.01) text Jw_cad leaves behind
    tiny.end_x = tiny.end_y = 0.01;
    tiny.att = attrOn(2, 0);
    addMoji(d, tiny);
    text.strFontName = QStringLiteral("ARIAL");
    text.att = attrOn(1, 0, 9);
    addMoji(d, text);
    BuiltTables b(d);
    const AttributeTables& t = b.tables;
    EXPECT_EQ(t.DatLgp[1].cn, 2);
    EXPECT_EQ(t.DatLgp[2].cn, 0);
    ASSERT_EQ(t.DatFonN(), 2);
    EXPECT_EQ(t.DatFon[1].cn, 2);
    EXPECT_EQ(t.proc4subFont(QStringLiteral("Arial")), 1);
    EXPECT_EQ(t.proc4subFont(QStringLiteral("Missing")), 0);
    EXPECT_GT(t.HojoLay, 0);  // "^$9" and colour 9 are auxiliary
    EXPECT_EQ(t.DatLay[16].cn, 1);
}

TEST(AttributeTables, BlockMembersCountOnThePlacementLayerUnlessFlagged)
{
    TJwwData d;
    initEmptyDrawing(d);
    TEntJwwBlockDef def;
    def.nNumber = 1;
    def.strName = QStringLiteral("B");
    def.ref_flag = true;
    addLine(def, lineOn(attrOn(0, 5, 2, 1, 77)));
    d.EntBlockDef.push_back(def);
    TEntJwwBlockTree node;
    node.att = attrOn(0, 7);
    node.defno = 0;
    d.EntBlockTree = {node, node};
    d.EntBlockTree[1].att.nPenStyle = 0x40;
    BuiltTables b(d);
    EXPECT_EQ(b.tables.DatLay[7].cn, 1);
    // The member is written on its own layer 5: both placements mark it.
    EXPECT_EQ(b.tables.DatLay[5].cn, 2);
    EXPECT_EQ(b.tables.DatLgp[0].cn, 0);  // members never count their group
    ASSERT_EQ(b.groups.gafN(), 1);
    EXPECT_EQ(b.groups.gaf[0].bn, 0);
    // Both placements announce the member; it is listed once.
    EXPECT_EQ(b.groups.gaf[0].id, (std::vector<int32_t>{0}));
}

TEST(AttributeTables, OutOfRangeAuxiliarySettingsFallBackToTheFirstEntry)
{
    TJwwData d;
    initEmptyDrawing(d);
    addLine(d, lineOn(attrOn(0, 0, 9)));
    BuiltTables b(d, 0, -1, 99);
    EXPECT_EQ(b.tables.cb3, 0);
    EXPECT_EQ(b.tables.cb4, 0);
    EXPECT_EQ(b.tables.DatCol[9].no, 1);
}

TEST(AttributeTables, DamagedLayerNumbersAreNotCounted)
{
    TJwwData d;
    initEmptyDrawing(d);
    addLine(d, lineOn(attrOn(16, 0)));
    addLine(d, lineOn(attrOn(0, 20)));
    BuiltTables b(d);
    for (const auto& lay : b.tables.DatLay)
        EXPECT_LE(lay.cn, 1);
    EXPECT_EQ(b.tables.DatCol[1].cn, 1 + 0);  // only the always-used count
}
