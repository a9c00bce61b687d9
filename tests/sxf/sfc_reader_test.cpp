// Reading SFC files into the model: every kind of record, the references
// resolved, and the model written back.
#include "sxf/sfc_drawing_writer.h"
#include "sxf/sfc_reader.h"

#include "tests/sxf/sfc_capture.h"

#include <gtest/gtest.h>

using namespace sxf;

namespace {

QByteArray writeBack(const Drawing& d)
{
    sfctest::RecordCapture capture;
    writeSfc(capture.f(), d);
    return capture.take();
}

std::string findingsText(const Findings& findings)
{
    std::string out;
    for (const Finding& f : findings)
        out += "L" + std::to_string(f.line) + " " + f.code.toStdString() + " " + f.message.toStdString() + "\n";
    return out;
}

}  // namespace

// The kinds this system never writes, as other programs write them: read
// with every field, resolved, and written back as they were.
TEST(SfcReader, KindsOfOtherProgramsReadAndWriteBack)
{
    const QByteArray file = sfctest::framedLines({
        "layer_feature(\\'L1\\','1')",
        "pre_defined_colour_feature(\\'red\\')",
        "pre_defined_font_feature(\\'continuous\\')",
        "width_feature('0.130000')",
        "text_font_feature(\\'F\\')",
        "spline_feature('1','2','1','1','1','3','(0.000000,1.000000,2.000000)','(0.000000,1.000000,0.500000)')",
        "composite_curve_org_feature('2','1','1','1')",
        "clothoid_feature('1','2','1','1','10.000000','20.000000','5.000000','1','30.000000000000','0.000000',"
        "'25.000000')",
        "externally_defined_symbol_feature('1','1','2',\\'SYM\\','1.000000','2.000000','45.000000000000',"
        "'2.000000000000')",
        "fill_area_style_hatching_feature('1','2','2','1','1','0.000000','0.000000','5.000000','45.000000000000',"
        "'2','1','1','1.000000','1.000000','3.000000','135.000000000000','1','0','()')",
        "fill_area_style_tiles_feature('1',\\'TILE\\','2','0.000000','0.500000','10.000000','0.000000000000',"
        "'12.000000','90.000000000000','1.000000000000','2.000000000000','15.000000000000','1','0','()')",
        "attribute_feature(\\'P\\',\\'C\\',\\'T\\',\\'D\\',\\'N\\',\\'DT\\',\\'1:100\\','2026','12','10',"
        "\\'Contractor\\',\\'Owner\\')",
        "drawing_sheet_feature(\\'S\\','3','1','420','297')",
    });
    const ReadResult r = readSfc(file);
    EXPECT_EQ(findingsText(r.findings), "");
    const Drawing& d = r.drawing;

    ASSERT_EQ(d.splines.size(), 1u);
    EXPECT_EQ(d.splines[0].openClose, 1);
    EXPECT_EQ(d.splines[0].n, 3);
    ASSERT_EQ(d.splines[0].points.size(), 3u);
    EXPECT_EQ(d.splines[0].points[2].y, 0.5);
    EXPECT_EQ(d.splines[0].refs.colour, 0);
    ASSERT_EQ(d.curves.size(), 1u);
    EXPECT_EQ(d.curves[0].segments.first, 0);
    EXPECT_EQ(d.curves[0].segments.count, 1);

    ASSERT_EQ(d.clothoids.size(), 1u);
    EXPECT_EQ(d.clothoids[0].parameter, 5.0);
    EXPECT_EQ(d.clothoids[0].direction, 1);
    EXPECT_EQ(d.clothoids[0].angle, 30.0);
    EXPECT_EQ(d.clothoids[0].endLength, 25.0);

    ASSERT_EQ(d.externalSymbols.size(), 1u);
    EXPECT_EQ(d.externalSymbols[0].name, u"SYM");
    EXPECT_EQ(d.externalSymbols[0].scale, 2.0);
    EXPECT_EQ(d.externalSymbols[0].refs.colour, 0);

    ASSERT_EQ(d.hatchings.size(), 1u);
    const HatchingFeature& h = d.hatchings[0];
    ASSERT_EQ(h.patterns.size(), 2u);
    EXPECT_EQ(h.patterns[0].spacing, 5.0);
    EXPECT_EQ(h.patterns[1].startX, 1.0);
    EXPECT_EQ(h.patterns[1].angle, 135.0);
    EXPECT_EQ(h.patterns[1].refs.width, 0);
    EXPECT_EQ(h.boundary.outerCurve, 0);

    ASSERT_EQ(d.tiles.size(), 1u);
    EXPECT_EQ(d.tiles[0].patternY, 0.5);
    EXPECT_EQ(d.tiles[0].vector2, 12.0);
    EXPECT_EQ(d.tiles[0].vector2Angle, 90.0);
    EXPECT_EQ(d.tiles[0].scaleY, 2.0);
    EXPECT_EQ(d.tiles[0].angle, 15.0);
    EXPECT_EQ(d.tiles[0].boundary.outerCurve, 0);

    ASSERT_EQ(d.attributes.size(), 1u);
    EXPECT_EQ(d.attributes[0].drawingScale, u"1:100");
    EXPECT_EQ(d.attributes[0].month, 12);
    EXPECT_EQ(d.attributes[0].owner, u"Owner");

    ASSERT_NE(d.sheet(), nullptr);
    EXPECT_EQ(d.sheet()->members.first, 1);
    EXPECT_EQ(d.sheet()->members.count, 5);
    EXPECT_EQ(writeBack(d), file);
}
