// Reading SFC files into the model: every kind of record, the references
// resolved, and the model written back.
#include "sxf/sfc_drawing_writer.h"
#include "sxf/sfc_reader.h"

#include "sxf/sfc_record_text.h"
#include "tests/support/sfc_texts.h"
#include "tests/sxf/sfc_capture.h"

#include <gtest/gtest.h>

#include <cmath>

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
    const QByteArray file = testsupport::otherKindsSfc();
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

// Every annotation kind reads with its fields and writes back as it was.
TEST(SfcReader, AnnotationKindsReadAndWriteBack)
{
    const QByteArray file = testsupport::annotationKindsSfc();
    const ReadResult r = readSfc(file);
    EXPECT_EQ(findingsText(r.findings), "");
    const Drawing& d = r.drawing;
    ASSERT_EQ(d.ellipseArcs.size(), 1u);
    EXPECT_EQ(d.ellipseArcs[0].rotation, 30.0);
    ASSERT_EQ(d.linearDims.size(), 1u);
    EXPECT_EQ(d.linearDims[0].e2.endY, -5.0);
    EXPECT_EQ(d.linearDims[0].r2.x, 10.0);
    EXPECT_EQ(d.linearDims[0].t.st, u"10寸法");
    EXPECT_EQ(d.linearDims[0].t.md, 0.5);
    EXPECT_EQ(d.linearDims[0].refs.font, 0);
    ASSERT_EQ(d.arcDims.size(), 2u);
    EXPECT_EQ(d.arcDims[1].endAngle, 90.0);
    ASSERT_EQ(d.radiusDims.size(), 1u);
    ASSERT_EQ(d.diameterDims.size(), 1u);
    ASSERT_EQ(d.labels.size(), 3u);
    EXPECT_EQ(d.features[7].kind, FeatureKind::Balloon);
    EXPECT_EQ(d.labels[1].r, 2.0);
    EXPECT_EQ(d.labels[1].points[2].x, 10.0);
    EXPECT_EQ(d.labels[2].t.mf, 0);
    EXPECT_EQ(d.labels[2].refs.font, kNone);  // no text, no font
    EXPECT_EQ(writeBack(d), file);
}

namespace {

// The definitions every broken-record case starts from.
const QList<QByteArray> kTables = {
    "layer_feature(\\'L1\\','1')",
    "pre_defined_colour_feature(\\'black\\')",
    "pre_defined_font_feature(\\'continuous\\')",
    "width_feature('0.130000')",
    "text_font_feature(\\'F\\')",
};

QByteArray lineRecord(int number, double x1)
{
    return sfctest::record("#" + QByteArray::number(number) + " = line_feature('1','1','1','1','"
                           + QByteArray::number(x1, 'f', 6) + "','0.000000','10.000000','0.000000')");
}

// A file whose records are the tables, a line starting at x = 1, `broken`
// (raw text, possibly no whole record), a line starting at x = 2 unless
// `cut`, the sheet and the footer.
QByteArray fileAround(const QByteArray& broken, bool cut)
{
    const QByteArray framed = testsupport::framedSfc(kTables);
    const qsizetype footer = framed.indexOf("ENDSEC;\r\nEND-ISO");
    QByteArray out = framed.left(footer) + lineRecord(60, 1) + broken;
    if (cut)
        return out;
    return out + lineRecord(80, 2) + sfctest::record("#90 = drawing_sheet_feature(\\'S\\','3','1','420','297')")
           + framed.mid(footer);
}

std::vector<double> lineStarts(const Drawing& d)
{
    std::vector<double> out;
    for (const LineFeature& l : d.lines)
        out.push_back(l.x1);
    return out;
}

QStringList codes(const Findings& findings)
{
    QStringList out;
    for (const Finding& f : findings)
        out << f.code;
    return out;
}

}  // namespace

// Each broken record gives its finding on its own line, and the records
// before and after it are still read.
TEST(SfcReader, BrokenRecordGivesItsFindingAndTheOthersAreRead)
{
    const int kLine = 41;  // the line of the broken record's feature line
    struct Case {
        const char* what;
        QByteArray broken;
        bool cut;
        QStringList codes;
        std::vector<double> lines;
    };
    const Case cases[] = {
        {"record without SXF*/",
         "/*SXF\r\n#70 = line_feature('1','1','1','1','3.000000','0.000000','4.000000','0.000000')\r\n\r\n", false,
         {"SFC_RECORD"}, {1, 3, 2}},
        {"unknown feature name", sfctest::record("#70 = lines_feature('1','1','1','1','3.0','0.0','4.0','0.0')"), false,
         {"SFC_UNKNOWN_FEATURE"}, {1, 2}},
        {"wrong argument count", sfctest::record("#70 = line_feature('1','1','1','1','3.0','0.0','4.0')"), false,
         {"SFC_ARGUMENTS"}, {1, 2}},
        {"argument of the wrong kind", sfctest::record("#70 = line_feature('1','1','1','1',\\'3\\','0.0','4.0','0.0')"),
         false, {"SFC_ARGUMENTS"}, {1, 2}},
        {"not a number", sfctest::record("#70 = line_feature('1','1','1','1','3.0.0','0.0','4.0','0.0')"), false,
         {"SFC_ARGUMENTS"}, {1, 2}},
        {"string without its closing delimiter",
         sfctest::record("#70 = text_string_feature('1','1','1',\\'AB,'0.0','0.0','3.0','2.0','0.0','0.0','0.0','1','1')"),
         false, {"SFC_STRING"}, {1, 2}},
        {"reference to no layer", sfctest::record("#70 = line_feature('2','1','1','1','3.0','0.0','4.0','0.0')"), false,
         {"SXFEUNSETLAYER"}, {1, 3, 2}},
        {"list shorter than its count",
         sfctest::record("#70 = polyline_feature('1','1','1','1','3','(0.0,1.0)','(0.0,1.0)')"), false,
         {"SFC_LIST_COUNT"}, {1, 2}},
        {"line outside any record", "\r\n#70 = line_feature('1','1','1','1','3.0','0.0','4.0','0.0')\r\n\r\n", false,
         {"SFC_RECORD"}, {1, 2}},
        {"file cut in the middle of a record", "/*SXF\r\n#70 = line_feature('1','1','1','1','3.00", true,
         {"SFC_RECORD", "SFC_RECORD", "SFC_FOOTER"}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReadResult r = readSfc(fileAround(c.broken, c.cut));
        EXPECT_EQ(codes(r.findings), c.codes) << findingsText(r.findings);
        for (const Finding& f : r.findings)
            EXPECT_EQ(f.line, kLine) << f.code.toStdString();
        EXPECT_EQ(lineStarts(r.drawing), c.lines);
        EXPECT_EQ(r.drawing.sheets.size(), c.cut ? 0u : 1u);
    }
}

// Table numbers resolve as the SXF library registers the entries: layers
// and fonts by position (the library's own dummy layer and a repeated font
// take no number), pre-defined colours and line types by name, widths by
// value, user entries counted on from 17 (colours, line types) and 11
// (widths); a repeated pre-defined entry or width defines nothing.
TEST(SfcReader, TableNumbersResolveAsTheLibraryRegistersThem)
{
    const QList<QByteArray> tables = {
        "layer_feature(\\'L1\\','1')",
        "layer_feature(\\'$$SXF_dummy_layer_for_subfigure\\','0')",
        "layer_feature(\\'L2\\','0')",
        "pre_defined_colour_feature(\\'red\\')",
        "user_defined_colour_feature('10','20','30')",
        "pre_defined_colour_feature(\\'nonsense\\')",
        "pre_defined_colour_feature(\\'red\\')",
        "pre_defined_font_feature(\\'dashed\\')",
        "pre_defined_font_feature(\\'\\')",
        "user_defined_font_feature(\\'U\\','2','(1.000000,2.000000)')",
        "width_feature('0.350000')",
        "width_feature('0.300000')",
        "width_feature('0.350000')",
        "width_feature('0.300000')",
        "width_feature('0.500000')",
        "text_font_feature(\\'F1\\')",
        "text_font_feature(\\'F1\\')",
        "text_font_feature(\\'F2\\')",
    };
    struct Case {
        QByteArray record;
        TableRefs refs;  // indices into the tables above
        QStringList codes;
    };
    const Case cases[] = {
        {"line_feature('2','2','2','4','0.0','0.0','1.0','0.0')", {2, 0, 0, 0, kNone}, {}},
        {"line_feature('1','17','16','11','0.0','0.0','1.0','0.0')", {0, 1, 1, 1, kNone}, {}},
        {"line_feature('1','2','17','5','0.0','0.0','1.0','0.0')", {0, 0, 2, 4, kNone}, {}},
        {"line_feature('3','1','3','12','0.0','0.0','1.0','0.0')", {kNone, kNone, kNone, kNone, kNone},
         {"SXFEUNSETLAYER", "SXFERRORCOLOUR", "SXFERRORFONT", "SXFERRORWIDTH"}},
        {"line_feature('0','18','-1','10','0.0','0.0','1.0','0.0')", {kNone, kNone, kNone, kNone, kNone},
         {"SXFEUNSETLAYER", "SXFERRORCOLOUR", "SXFERRORFONT", "SXFERRORWIDTH"}},
        {"text_string_feature('1','2','2',\\'A\\','0.0','0.0','3.0','2.0','0.0','0.0','0.0','1','1')",
         {0, 0, kNone, kNone, 2}, {}},
        {"text_string_feature('1','2','3',\\'A\\','0.0','0.0','3.0','2.0','0.0','0.0','0.0','1','1')",
         {0, 0, kNone, kNone, kNone}, {"SXFTEXTFONTERROR"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record.toStdString());
        const ReadResult r = readSfc(testsupport::framedSfc(tables + QList<QByteArray>{c.record}));
        EXPECT_EQ(codes(r.findings), c.codes) << findingsText(r.findings);
        const Drawing& d = r.drawing;
        ASSERT_EQ(d.features.size(), 1u);
        const TableRefs refs = d.lines.empty() ? d.texts[0].refs : d.lines[0].refs;
        EXPECT_EQ(refs.layer, c.refs.layer);
        EXPECT_EQ(refs.colour, c.refs.colour);
        EXPECT_EQ(refs.lineType, c.refs.lineType);
        EXPECT_EQ(refs.width, c.refs.width);
        EXPECT_EQ(refs.font, c.refs.font);
    }
}

// A placement names the first definition of its name closed before it; a
// fill's curve number k is the k-th composite curve when that was closed
// before the fill. A curve's segments are not reported for their own
// (unused) style numbers.
TEST(SfcReader, PlacementsAndFillsResolveToWhatWasClosedBeforeThem)
{
    const ReadResult r = readSfc(testsupport::framedSfc({
        "layer_feature(\\'L1\\','1')",
        "pre_defined_colour_feature(\\'black\\')",
        "pre_defined_font_feature(\\'continuous\\')",
        "width_feature('0.130000')",
        "line_feature('1','1','1','1','0.0','0.0','1.0','0.0')",
        "sfig_org_feature(\\'A\\','4')",
        "arc_feature('9','9','9','9','0.0','0.0','1.0','0','0.0','90.0')",
        "composite_curve_org_feature('1','1','1','1')",
        "sfig_locate_feature('1',\\'A\\','0.0','0.0','0.0','1.0','1.0')",
        "sfig_locate_feature('0',\\'B\\','0.0','0.0','0.0','1.0','1.0')",
        "sfig_locate_feature('1',\\'C\\','0.0','0.0','0.0','1.0','1.0')",
        "fill_area_style_colour_feature('1','1','1','2','(2,1)')",
        "fill_area_style_colour_feature('1','1','5','0','()')",
        "line_feature('1','1','1','1','0.0','0.0','1.0','0.0')",
        "sfig_org_feature(\\'B\\','4')",
        "polyline_feature('1','1','1','1','2','(0.0,1.0)','(0.0,1.0)')",
        "composite_curve_org_feature('1','1','1','1')",
        "drawing_sheet_feature(\\'S\\','3','1','420','297')",
    }));
    EXPECT_EQ(codes(r.findings), (QStringList{"SXFNOTSETCFIG", "SXFNOTSETCFIG", "SXFERRORINID", "SXFERROROUTID"}))
        << findingsText(r.findings);
    const Drawing& d = r.drawing;
    ASSERT_EQ(d.placements.size(), 3u);
    EXPECT_EQ(d.placements[0].symbol, 0);
    EXPECT_EQ(d.placements[1].symbol, 1);  // defined later: resolved, and reported
    EXPECT_EQ(d.placements[2].symbol, kNone);
    ASSERT_EQ(d.fillColours.size(), 2u);
    EXPECT_EQ(d.fillColours[0].boundary.outerCurve, 0);
    EXPECT_EQ(d.fillColours[0].boundary.holeCurves, (std::vector<int32_t>{kNone, 0}));
    EXPECT_EQ(d.fillColours[1].boundary.outerCurve, kNone);
    EXPECT_EQ(d.arcs[0].refs.layer, kNone);
    EXPECT_EQ(d.assemblies.size(), 5u);
    EXPECT_EQ(d.curves[1].segments.count, 1);
    EXPECT_EQ(d.sheet()->members.count, 0);
}

// A header written by another program, its statements laid out otherwise
// and its file name in the "\X2\" form, reads into the same values.
TEST(SfcReader, HeaderOfAnotherLayoutReads)
{
    const QByteArray file = "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('SCADEC level2 feature_mode'),'2;1');\n"
                            "FILE_NAME('\\X2\\56F39762\\X0\\.sfc','2020-01-02T03:04:05',('me'),\n ('org'),"
                            "'pre','CAD X','');\nFILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\nENDSEC;\nDATA;\n"
                            "/*SXF\n#1 = drawing_sheet_feature( \\'S\\' , '3','1','420.0','297.5' )\nSXF*/\n"
                            "ENDSEC;\nEND-ISO-10303-21;\n";
    const ReadResult r = readSfc(file);
    EXPECT_EQ(findingsText(r.findings), "");
    const Header& h = r.drawing.header;
    EXPECT_EQ(h.description, u"SCADEC level2 feature_mode");
    EXPECT_EQ(h.implementationLevel, u"2;1");
    EXPECT_EQ(h.fileName, u"図面.sfc");
    EXPECT_EQ(h.timeStamp, u"2020-01-02T03:04:05");
    EXPECT_EQ(h.author, u"me");
    EXPECT_EQ(h.organisation, u"org");
    EXPECT_EQ(h.originatingSystem, u"CAD X");
    EXPECT_EQ(h.schema, u"ASSOCIATIVE_DRAUGHTING");
    ASSERT_NE(r.drawing.sheet(), nullptr);
    EXPECT_EQ(r.drawing.sheet()->y, 297.5);
}

// Values as other writers spell them: blanks around tokens, a "+" sign,
// exponents, whole reals in integer fields, any number of decimals.
TEST(SfcReader, NumbersInEverySpellingRead)
{
    struct Case {
        const char* text;
        double real;  // NaN: not a real
        int32_t integer;
        bool isInteger;
    };
    const double no = std::nan("");
    const Case cases[] = {
        {"12", 12, 12, true},          {" -3 ", -3, -3, true},        {"+4", 4, 4, true},
        {"1.0", 1, 1, true},           {"1.5", 1.5, 0, false},        {"-0.25", -0.25, 0, false},
        {"1.5E3", 1500, 1500, true},   {"2e-1", 0.2, 0, false},       {".5", 0.5, 0, false},
        {"5.", 5, 5, true},            {"0.123456789012345678", 0.123456789012345678, 0, false},
        {"1.2.3", no, 0, false},       {"", no, 0, false},            {"nan", no, 0, false},
        {"inf", no, 0, false},         {"1e999", no, 0, false},       {"3000000000", 3e9, 0, false},
        {"0x10", no, 0, false},        {"1 2", no, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double real = 0;
        const bool isReal = parseReal(c.text, real);
        EXPECT_EQ(isReal, !std::isnan(c.real));
        if (isReal) {
            EXPECT_EQ(real, c.real);
        }
        int32_t integer = 0;
        EXPECT_EQ(parseInteger(c.text, integer), c.isInteger);
        if (c.isInteger) {
            EXPECT_EQ(integer, c.integer);
        }
    }
}
