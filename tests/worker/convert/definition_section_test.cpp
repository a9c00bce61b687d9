// The definitions written from the attribute tables.
#include "worker/convert/definition_section.h"

#include "common/codepage.h"
#include "tests/support/qt_printers.h"
#include "tests/worker/convert/table_fixture.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace testsupport;
using namespace jww;

namespace {

// The definition feature lines of drawing `d`, and the tables behind them.
struct Definitions {
    QStringList lines;
    int32_t hojoLay = 0;
};

Definitions definitionsOf(const TJwwData& d, int cb3 = 0)
{
    BuiltTables b(d, 0, cb3);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sxf::SfcWriter f(buffer);
    convert::procSfcSet(f, b.tables, d);
    f.flush();
    Definitions out;
    for (const QByteArray& line : buffer.data().split('\n')) {
        if (line.startsWith('#'))
            out.lines.append(common::decodeCp932(line.trimmed()));
    }
    out.hojoLay = b.tables.HojoLay;
    return out;
}

QStringList withName(const QStringList& lines, const char* feature)
{
    QStringList out;
    for (const QString& line : lines) {
        if (line.contains(QLatin1String(feature)))
            out.append(line.section(" = ", 1));
    }
    return out;
}

}  // namespace

TEST(DefinitionSection, EmptyDrawingDefinesOneOfEach)
{
    TJwwData d;
    initEmptyDrawing(d);
    EXPECT_EQ(definitionsOf(d).lines, (QStringList{
        "#10 = layer_feature(\\'_0_0_\\','1')",
        "#20 = pre_defined_colour_feature(\\'black\\')",
        "#30 = pre_defined_font_feature(\\'continuous\\')",
        "#40 = width_feature('0.130000')",
        "#50 = text_font_feature(\\'ＭＳ ゴシック\\')",
    }));
}

TEST(DefinitionSection, AuxiliaryLayerNamedHojoOrAfterItsNumber)
{
    struct Case {
        const char* name;
        QString layerName;  // name of JWW layer 0
        QString expected;   // last layer definition
    } cases[] = {
        {"no HOJO layer", QStringLiteral("A"), "layer_feature(\\'HOJO\\','0')"},
        {"a layer named hojo", QStringLiteral("hojo"), "layer_feature(\\'_0_4_HOJO\\','0')"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TJwwData d;
        initEmptyDrawing(d);
        d.EntLay[0].aStrLayName = c.layerName;
        addLine(d, lineOn(attrOn(0, 1)));
        addLine(d, lineOn(attrOn(0, 2)));
        addLine(d, lineOn(attrOn(3, 3, 9)));
        const Definitions defs = definitionsOf(d);
        const QStringList layers = withName(defs.lines, "layer_feature");
        ASSERT_EQ(layers.size(), 4);
        EXPECT_EQ(layers.last(), c.expected);
        EXPECT_EQ(defs.hojoLay, 4);
    }
}

TEST(DefinitionSection, HiddenLayersAreWrittenWithFlagZero)
{
    TJwwData d;
    initEmptyDrawing(d);
    d.EntLay[1].aanLay = 0;
    d.EntLgrp[2].anGLay = 0;
    addLine(d, lineOn(attrOn(0, 1)));
    addLine(d, lineOn(attrOn(2, 0)));
    EXPECT_EQ(withName(definitionsOf(d).lines, "layer_feature"), (QStringList{
        "layer_feature(\\'_0_0_\\','1')",
        "layer_feature(\\'_0_1_\\','0')",
        "layer_feature(\\'_2_0_\\','0')",
    }));
}

TEST(DefinitionSection, UserLineTypesWithTenOrNoSegments)
{
    TJwwData d;
    initEmptyDrawing(d);
    d.EntLtpS[17].astrUDLTypeName = QStringLiteral("Dash10");
    d.EntLtpS[17].anUDLTypeSegment = 10;
    for (int i = 0; i < 10; ++i)
        d.EntLtpS[17].aadUDLTypePitch[i] = i + 1;
    d.EntLtpS[18].anUDLTypeSegment = 0;
    d.EntLtpS[19].astrUDLTypeName = QStringLiteral("Dashed");  // clashes with a pre-defined name
    d.EntLtpS[19].anUDLTypeSegment = 2;
    d.EntLtpS[19].aadUDLTypePitch = {3, 1};
    addLine(d, lineOn(attrOn(0, 0, 1, 47)));
    addLine(d, lineOn(attrOn(0, 0, 1, 48)));
    addLine(d, lineOn(attrOn(0, 0, 1, 49)));
    EXPECT_EQ(withName(definitionsOf(d).lines, "user_defined_font_feature"), (QStringList{
        "user_defined_font_feature(\\'Dash10\\','8','(1.000000,2.000000,3.000000,4.000000,5.000000,6.000000,"
        "7.000000,8.000000)')",
        "user_defined_font_feature(\\'SXF_LType_18\\','2','(0.500000,0.500000)')",
        "user_defined_font_feature(\\'Dashed_19\\','2','(3.000000,1.000000)')",
    }));
}

TEST(DefinitionSection, ColoursPreDefinedUserAndSolid)
{
    TJwwData d;
    initEmptyDrawing(d);
    for (int k = 1; k <= 256; ++k)
        d.EntColS[k].aPenColor = 0x000001 * k;  // distinct values, none equal to a pen colour
    d.EntColS[20].aPenColor = 0x0080FF;  // red 255, green 128, blue 0
    addLine(d, lineOn(attrOn(0, 0, 120)));  // SFC user colour 20
    addSolid(d, solidOf(attrOn(0, 0, 10), 0x0080FF));  // the same colour: no definition of its own
    addSolid(d, solidOf(attrOn(0, 0, 10), 0x102030));  // a colour of its own
    const QStringList user = withName(definitionsOf(d).lines, "user_defined_colour_feature");
    EXPECT_EQ(user, (QStringList{
        "user_defined_colour_feature('255','128','0')",
        "user_defined_colour_feature('48','32','16')",
    }));
}

TEST(DefinitionSection, WidthsAndFonts)
{
    TJwwData d;
    initEmptyDrawing(d);
    TEntJwwAttr a = attrOn(0, 0);
    a.nPenWidth = 35;
    addLine(d, lineOn(a));
    a.nPenWidth = 300;
    addLine(d, lineOn(a));
    TEntJwwMoji t;
    t.att = attrOn(0, 0);
    t.end_x = 1;
    t.str = QStringLiteral("x");
    t.strFontName = QStringLiteral("ＭＳ 明朝");
    addMoji(d, t);
    t.strFontName = QStringLiteral("ｍｓ ゴシック");  // the same font in other letters' case
    addMoji(d, t);
    const QStringList lines = definitionsOf(d).lines;
    EXPECT_EQ(withName(lines, "width_feature"),
              (QStringList{"width_feature('0.130000')", "width_feature('0.350000')", "width_feature('3.000000')"}));
    EXPECT_EQ(withName(lines, "text_font_feature"),
              (QStringList{"text_font_feature(\\'ＭＳ ゴシック\\')", "text_font_feature(\\'ＭＳ 明朝\\')"}));
}
