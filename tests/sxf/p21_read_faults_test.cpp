// Broken P21 drawings: each fault gives its finding, and what it does not
// concern is still read; what the official reader refuses whole gives an
// empty drawing; the form check names what the reader silently needs.
#include "sxf/p21_form_check.h"
#include "sxf/p21_reader.h"

#include "tests/support/p21_fixtures.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace sxf;
using p21test::codes;

namespace {

// The line of the fixtures (#100..#180, item #180 on layer L1) and the
// sheet around it, with `replace` applied to the DATA text.
QByteArray lineDrawing(std::initializer_list<std::pair<QByteArray, QByteArray>> replace, QByteArrayView more = {})
{
    const p21test::P21Fixture line = p21test::featureFixtures().front();
    QByteArray data = p21test::standardTables() + line.instances + more.toByteArray()
        + p21test::sheetAround(line.items, line.layerItems);
    for (const auto& [from, to] : replace)
        data.replace(from, to);
    return p21test::p21File(data);
}

// A symbol definition "S" holding the line, after the line's instances.
QByteArray symbolDefinition(int at, QByteArrayView name = "'$$SXF_FM_S'")
{
    const QByteArray n = QByteArray::number(at);
    return "#" + n + "1=CARTESIAN_POINT(' ',(0.000000,0.000000));\n#" + n + "2=AXIS2_PLACEMENT_2D(' ',#" + n
        + "1,$);\n#" + n + "3=DRAUGHTING_SUBFIGURE_REPRESENTATION(" + name.toByteArray() + ",(#180,#" + n + "2),#9090);\n#"
        + n + "4=SYMBOL_REPRESENTATION_MAP(#" + n + "2,#" + n + "3);\n";
}

QByteArray placementOf(int map, int at)
{
    const QByteArray n = QByteArray::number(at);
    return "#" + n + "1=CARTESIAN_POINT(' ',(1.000000,2.000000));\n#" + n + "2=AXIS2_PLACEMENT_2D(' ',#" + n
        + "1,$);\n#" + n + "3=SYMBOL_TARGET(' ',#" + n + "2,1.00000000000000,1.00000000000000);\n"
        + p21test::complexInstance(at * 10 + 4, {"ANNOTATION_SYMBOL()", "GEOMETRIC_REPRESENTATION_ITEM()",
            "MAPPED_ITEM(#" + QByteArray::number(map) + ",#" + n + "3)", "REPRESENTATION_ITEM(' ')"})
        + "#" + n + "5=PRESENTATION_STYLE_ASSIGNMENT((NULL_STYLE(.NULL.)));\n"
        + p21test::complexInstance(at * 10 + 6, {"ANNOTATION_OCCURRENCE()", "ANNOTATION_SUBFIGURE_OCCURRENCE()",
            "ANNOTATION_SYMBOL_OCCURRENCE()", "DRAUGHTING_ANNOTATION_OCCURRENCE()", "GEOMETRIC_REPRESENTATION_ITEM()",
            "REPRESENTATION_ITEM('$$SXF_FM_S')", "STYLED_ITEM((#" + n + "5),#" + n + "4)"});
}

}  // namespace

TEST(P21ReadFaults, EachFaultItsFindingAndTheRestRead)
{
    const struct {
        const char* name;
        QByteArray file;
        QStringList codes;
        size_t lines;  // line features read
    } cases[] = {
        {"colour that is no colour", lineDrawing({{"CURVE_STYLE(' ',#30,#40,#20)", "CURVE_STYLE(' ',#30,#40,#10)"}}),
            {QStringLiteral("SXFERRORCOLOUR")}, 1},
        {"line type that is no line type",
            lineDrawing({{"CURVE_STYLE(' ',#30,#40,#20)", "CURVE_STYLE(' ',#20,#40,#20)"}}),
            {QStringLiteral("SXFERRORFONT")}, 1},
        {"width that is no width", lineDrawing({{"CURVE_STYLE(' ',#30,#40,#20)", "CURVE_STYLE(' ',#30,#30,#20)"}}),
            {QStringLiteral("SXFERRORWIDTH")}, 1},
        {"item on no layer", lineDrawing({{"'L1',' ',(#180)", "'L1',' ',()"}}), {QStringLiteral("SXFEUNSETLAYER")}, 1},
        {"item of no known kind", lineDrawing({{"(#180,#9060)", "(#110,#180,#9060)"}}), {QStringLiteral("P21_ITEM")}, 1},
        {"item listed twice", lineDrawing({{"(#180,#9060)", "(#180,#180,#9060)"}}), {QStringLiteral("P21_ITEM")}, 1},
        {"trimmed curve on a point",
            lineDrawing({{"TRIMMED_CURVE(' ',#140", "TRIMMED_CURVE(' ',#100"}}), {QStringLiteral("P21_FEATURE")}, 0},
        {"style of another kind",
            lineDrawing({{"STYLED_ITEM((#170),#150)", "STYLED_ITEM((#20),#150)"}}), {QStringLiteral("P21_FEATURE")}, 0},
        {"unknown entity", lineDrawing({}, "#190=SOMETHING_ELSE(1);\n"), {QStringLiteral("P21_UNKNOWN_ENTITY")}, 1},
        {"wrong attribute count", lineDrawing({}, "#190=CARTESIAN_POINT(' ',(1.0,2.0),3);\n"),
            {QStringLiteral("P21_ATTRIBUTE_COUNT")}, 1},
        {"reference to nothing", lineDrawing({}, "#190=VECTOR(' ',#999,1.0);\n"),
            {QStringLiteral("P21_UNRESOLVED_REFERENCE")}, 1},
        {"number used twice", lineDrawing({}, "#170=DIRECTION(' ',(1.0,0.0));\n"),
            {QStringLiteral("P21_DUPLICATE_NUMBER")}, 1},
        {"broken instance", lineDrawing({}, "#190=VECTOR(' ',#120,1.0;\n"), {QStringLiteral("P21_SYNTAX")}, 1},
        {"second sheet", lineDrawing({}, "#9500=DRAWING_SHEET_REVISION_USAGE(#9100,#9010,'02');\n"),
            {QStringLiteral("SXFSHEETONE")}, 1},
        {"definition placed by nothing", lineDrawing({{"(#180,#9060)", "(#9060)"}}, symbolDefinition(500)),
            {QStringLiteral("P21_SYMBOL_UNUSED")}, 1},
        {"title block before what it names",
            lineDrawing({{"#9020=DRAUGHTING_TITLE((#9010),'JAPANESE','S1');\n", ""}},
                "#95=DRAUGHTING_TITLE((#9010),'JAPANESE','S1');\n"),
            {QStringLiteral("P21_TITLE_ORDER")}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult r = readP21(c.file);
        EXPECT_EQ(codes(r.findings), c.codes);
        EXPECT_EQ(r.drawing.lines.size(), c.lines);
        EXPECT_NE(r.drawing.sheet(), nullptr);
    }
}

TEST(P21ReadFaults, WhatTheOfficialReaderRefusesWhole)
{
    const struct {
        const char* name;
        QByteArray file;
        QString code;
    } cases[] = {
        {"not P21", "/*SXF\r\n#10 = layer_feature(\\'A\\','1')\r\nSXF*/\r\n", QStringLiteral("P21_NOT_P21")},
        {"no instance", p21test::p21File(""), QStringLiteral("P21_NO_INSTANCE")},
        {"a broken item list", lineDrawing({{"(#180,#9060)", "(#180,5,#9060)"}}), QStringLiteral("P21_FATAL")},
        {"symbol definitions without a sheet",
            lineDrawing({{"DRAWING_SHEET_REVISION_USAGE", "DRAWING_SHEET_REVISION_USE"}}, symbolDefinition(500)),
            QStringLiteral("P21_FATAL")},
        {"a placement of a definition that was not registered",
            lineDrawing({{"(#180,#9060)", "(#180,#6006,#9060)"}},
                symbolDefinition(500) + symbolDefinition(510) + placementOf(5104, 600)),
            QStringLiteral("P21_FATAL")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult r = readP21(c.file);
        ASSERT_FALSE(r.findings.empty());
        EXPECT_EQ(r.findings.front().code, c.code);
        EXPECT_EQ(r.findings.front().severity, Severity::Error);
        EXPECT_TRUE(r.drawing.features.empty());
        EXPECT_EQ(r.drawing.sheet(), nullptr);
    }
}

TEST(P21ReadFaults, ASymbolPlacedInsideItselfIsAnErrorNotALoop)
{
    // Definition S holds the line and a placement of S.
    QByteArray more = symbolDefinition(500) + placementOf(5004, 600);
    more.replace("(#180,#5002)", "(#180,#6006,#5002)");
    const ReadResult r = readP21(lineDrawing({{"(#180,#9060)", "(#9060)"}}, more));
    EXPECT_EQ(codes(r.findings), (QStringList {QStringLiteral("P21_SYMBOL"), QStringLiteral("P21_SYMBOL_UNUSED"),
                                     QStringLiteral("P21_FEATURE")}));
    ASSERT_EQ(r.drawing.symbols.size(), 1u);
    EXPECT_EQ(r.drawing.symbols[0].members.count, 1);
}

TEST(P21ReadFaults, GeometryOutOfProportionToTheFileIsNotRead)
{
    // One polyline of 2,000 vertices, all the same point, drawn by 400
    // styled items: 800,000 vertices from a file of about 50 kB.
    QByteArray refs = "#100";
    for (int i = 1; i < 2000; ++i)
        refs += ",#100";
    QByteArray data = p21test::standardTables() + "#100=CARTESIAN_POINT(' ',(0.0,0.0));\n#110=POLYLINE(' ',(" + refs
        + "));\n#120=CURVE_STYLE(' ',#30,#40,#20);\n#130=PRESENTATION_STYLE_ASSIGNMENT((#120));\n";
    QByteArray items;
    for (int i = 0; i < 400; ++i) {
        const int n = 1000 + i;
        data += p21test::curveItem(n, 130, 110);
        items += (items.isEmpty() ? "#" : ",#") + QByteArray::number(n);
    }
    const QByteArray file = p21test::p21File(data + p21test::sheetAround(items, items));
    const ReadResult r = readP21(file);
    size_t points = 0;
    for (const PolylineFeature& p : r.drawing.polylines)
        points += p.points.size();
    EXPECT_LE(points, static_cast<size_t>(file.size()));
    EXPECT_TRUE(codes(r.findings).contains(QStringLiteral("P21_SIZE")));
}

TEST(P21FormCheck, LayoutTheOfficialReaderNeedsWithoutSayingSo)
{
    const std::vector<p21test::P21Fixture> fixtures = p21test::featureFixtures();
    const auto fixture = [&fixtures](const char* name) {
        return *std::find_if(fixtures.begin(), fixtures.end(), [name](const auto& f) { return f.name == std::string(name); });
    };
    const p21test::P21Fixture line = fixture("line");
    const p21test::P21Fixture symbol = fixture("symbol definition and its placement");
    const struct {
        const char* name;
        const p21test::P21Fixture& fixture;
        QByteArray from, to;
        QStringList codes;
    } cases[] = {
        {"sound", line, "", "", {}},
        {"parts out of order", line, "ANNOTATION_CURVE_OCCURRENCE()\nANNOTATION_OCCURRENCE()",
            "ANNOTATION_OCCURRENCE()\nANNOTATION_CURVE_OCCURRENCE()", {QStringLiteral("P21_RECORD_ORDER")}},
        {"two parts on one line", line, "ANNOTATION_OCCURRENCE()\nDRAUGHTING", "ANNOTATION_OCCURRENCE() DRAUGHTING",
            {QStringLiteral("P21_LINE_BREAK")}},
        {"string over two lines", line, "'S1'", "'S\n1'", {QStringLiteral("P21_LINE_BREAK")}},
        {"comment in a string", line, "'S1'", "'S/*1'", {QStringLiteral("P21_COMMENT_IN_STRING")}},
        {"placement of six parts", symbol, "DRAUGHTING_ANNOTATION_OCCURRENCE()\nGEOMETRIC_REPRESENTATION_ITEM()\n"
            "REPRESENTATION_ITEM('$$SXF_FM_S')", "DRAUGHTING_ANNOTATION_OCCURRENCE()\nREPRESENTATION_ITEM('$$SXF_FM_S')",
            {QStringLiteral("P21_LAYOUT")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray data = p21test::standardTables() + c.fixture.instances
            + p21test::sheetAround(c.fixture.items, c.fixture.layerItems);
        if (!c.from.isEmpty()) {
            ASSERT_TRUE(data.contains(c.from));
            data.replace(c.from, c.to);
        }
        EXPECT_EQ(codes(checkP21Form(p21test::p21File(data))), c.codes);
    }
}
