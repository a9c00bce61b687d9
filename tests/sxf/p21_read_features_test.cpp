// Every table and feature kind read from hand-written P21 drawings, as
// the SFC records they read back as.
#include "sxf/p21_reader.h"

#include "tests/support/p21_fixtures.h"
#include "tests/support/qt_printers.h"
#include "tests/support/sfc_compare.h"

#include <gtest/gtest.h>

using namespace sxf;
using testsupport::SfcLine;

namespace {

// Numbers read from P21 may differ from the hand-written records in their
// last digits: angles pass through 15 significant digits.
constexpr double kTolerance = 1e-9;

bool isTable(const QString& name)
{
    static const QStringList tables = {QStringLiteral("layer_feature"), QStringLiteral("pre_defined_colour_feature"),
        QStringLiteral("user_defined_colour_feature"), QStringLiteral("pre_defined_font_feature"),
        QStringLiteral("user_defined_font_feature"), QStringLiteral("width_feature"),
        QStringLiteral("text_font_feature")};
    return tables.contains(name);
}

// The records of `d` written as SFC: the tables, or the others but the sheet.
std::vector<SfcLine> recordsOf(const Drawing& d, bool tables)
{
    QStringList problems;
    std::vector<SfcLine> out;
    for (SfcLine& l : testsupport::sfcLines(testsupport::sfcText(d), problems)) {
        if (isTable(l.name) == tables && l.name != u"drawing_sheet_feature")
            out.push_back(std::move(l));
    }
    EXPECT_EQ(problems, QStringList());
    return out;
}

QStringList differences(const std::vector<SfcLine>& actual, const QStringList& expected)
{
    QStringList problems;
    QStringList out;
    for (size_t i = 0; i < std::max(actual.size(), static_cast<size_t>(expected.size())); ++i) {
        if (i >= actual.size() || i >= static_cast<size_t>(expected.size())) {
            out += QStringLiteral("record %1 is missing on one side").arg(i + 1);
            continue;
        }
        out += testsupport::lineDifferences(testsupport::sfcLine(expected[static_cast<qsizetype>(i)], problems),
            actual[i], kTolerance);
    }
    return out + problems;
}

QStringList messages(const Findings& findings)
{
    QStringList out;
    for (const Finding& f : findings)
        out += f.code + u' ' + f.message;
    return out;
}

}  // namespace

TEST(P21ReadFeatures, EveryKindReadsBackAsItsRecords)
{
    for (const p21test::P21Fixture& f : p21test::featureFixtures()) {
        SCOPED_TRACE(f.name);
        const ReadResult r = readP21(p21test::fixtureFile(f));
        EXPECT_EQ(messages(r.findings), QStringList());
        EXPECT_EQ(differences(recordsOf(r.drawing, false), f.records), QStringList());
    }
}

TEST(P21ReadFeatures, TheSheetItsSizeAndName)
{
    const ReadResult r = readP21(p21test::fixtureFile(p21test::featureFixtures().front()));
    ASSERT_NE(r.drawing.sheet(), nullptr);
    const Sheet& s = *r.drawing.sheet();
    EXPECT_EQ(s.name, u"S1");
    EXPECT_EQ(s.kind, 3);
    EXPECT_EQ(s.orientation, 1);
    EXPECT_EQ(s.x, 420);
    EXPECT_EQ(s.y, 297);
    EXPECT_EQ(s.at.number, 9110);
}

TEST(P21ReadFeatures, TablesAndWhatFeaturesFindInThem)
{
    const QByteArray tables =
        "#70=COLOUR_RGB('$$SXF_deeppink',0.752941,0.000000,0.501961);\n"
        "#80=COLOUR_RGB('',0.000000,0.501961,1.000000);\n"
        "#90=CURVE_STYLE_FONT_PATTERN(3.000000,1.000000);\n"
        "#100=CURVE_STYLE_FONT_PATTERN(0.500000,1.000000);\n"
        "#110=CURVE_STYLE_FONT('u1',(#90,#100));\n"
        "#120=LENGTH_MEASURE_WITH_UNIT(POSITIVE_LENGTH_MEASURE(3.000000),#10);\n"
        "#130=EXTERNAL_SOURCE(IDENTIFIER('scadec'));\n"
        "#140=EXTERNALLY_DEFINED_TEXT_FONT(IDENTIFIER('MS-0.8-0.2'),#130);\n";
    // A circle in the user colour, line type and width on layer L2, hidden,
    // and a text in font 2, whose ascent 0.8 and descent 0.2 put the middle
    // line 0.3 of the height above the base line.
    const QByteArray features =
        "#200=CARTESIAN_POINT(' ',(5.000000,6.000000));\n"
        "#210=AXIS2_PLACEMENT_2D(' ',#200,$);\n"
        "#220=CIRCLE(' ',#210,7.000000);\n"
        "#230=CURVE_STYLE(' ',#110,#120,#80);\n"
        "#240=PRESENTATION_STYLE_ASSIGNMENT((#230));\n"
        + p21test::curveItem(250, 240, 220)
        + "#300=PLANAR_EXTENT(' ',2.000000,10.000000);\n"
          "#310=DIRECTION(' ',(1.00000000000000,0.00000000000000));\n"
          "#320=CARTESIAN_POINT(' ',(1.000000,-1.000000));\n"
          "#330=AXIS2_PLACEMENT_2D(' ',#320,#310);\n"
          "#340=TEXT_LITERAL_WITH_EXTENT('$$SXF_middleline left','m',#330,'baseline left',.RIGHT.,#140,#300);\n"
          "#350=TEXT_STYLE_FOR_DEFINED_FONT(#70);\n"
          "#360=TEXT_STYLE(' ',#350);\n"
          "#370=PRESENTATION_STYLE_ASSIGNMENT((#360));\n"
        + p21test::complexInstance(380, {"ANNOTATION_OCCURRENCE()", "ANNOTATION_TEXT_OCCURRENCE()",
            "DRAUGHTING_ANNOTATION_OCCURRENCE()", "GEOMETRIC_REPRESENTATION_ITEM()", "REPRESENTATION_ITEM(' ')",
            "STYLED_ITEM((#370),#340)"})
        + "#400=PRESENTATION_LAYER_ASSIGNMENT('L2',' ',(#250));\n"
          "#410=PRESENTATION_LAYER_USAGE(#400,#9100);\n"
          "#420=INVISIBILITY((#400));\n";
    const ReadResult r = readP21(p21test::p21File(
        p21test::standardTables() + tables + features + p21test::sheetAround("#250,#380", "#380")));
    EXPECT_EQ(messages(r.findings), QStringList());
    const QStringList expectedTables = {
        QStringLiteral("layer_feature(\\'L2\\','0')"),
        QStringLiteral("layer_feature(\\'L1\\','1')"),
        QStringLiteral("pre_defined_colour_feature(\\'black\\')"),
        QStringLiteral("pre_defined_colour_feature(\\'deeppink\\')"),
        QStringLiteral("user_defined_colour_feature('0','128','255')"),
        QStringLiteral("pre_defined_font_feature(\\'continuous\\')"),
        QStringLiteral("user_defined_font_feature(\\'u1\\','4','(3.000000,1.000000,0.500000,1.000000)')"),
        QStringLiteral("width_feature('0.130000')"),
        QStringLiteral("width_feature('3.000000')"),
        QStringLiteral("text_font_feature(\\'ＭＳ ゴシック\\')"),
        QStringLiteral("text_font_feature(\\'MS-0.8-0.2\\')"),
    };
    EXPECT_EQ(differences(recordsOf(r.drawing, true), expectedTables), QStringList());
    const QStringList expectedFeatures = {
        QStringLiteral("circle_feature('1','17','17','11','5.000000','6.000000','7.000000')"),
        QStringLiteral("text_string_feature('2','9','2',\\'m\\','1.000000','2.000000','10.000000','2.000000',"
                       "'0.000000','0.000000000000','0.000000000000','4','1')"),
    };
    EXPECT_EQ(differences(recordsOf(r.drawing, false), expectedFeatures), QStringList());
}

TEST(P21ReadFeatures, TitleBlockIsTheSheetsLastMember)
{
    QByteArray sheet = p21test::sheetAround("#180", "#180");
    sheet.replace("DRAWING_DEFINITION('01',$)", "DRAWING_DEFINITION('D-1','\\X2\\5E73\\X0\\')");
    sheet.replace("DRAUGHTING_DRAWING_REVISION('01',#9000,$)", "DRAUGHTING_DRAWING_REVISION('01',#9000,'1:100')");
    sheet.replace("'JAPANESE','S1'", "'JAPANESE','Title'");
    sheet += "#9150=CONTRACT_TYPE('type');\n"
             "#9160=CONTRACT('contract','project',#9150);\n"
             "#9170=DRAUGHTING_CONTRACT_ASSIGNMENT(#9160,(#9010));\n"
             "#9180=APPROVAL_STATUS(' ');\n"
             "#9190=APPROVAL(#9180,' ');\n"
             "#9200=CALENDAR_DATE(2026,10,12);\n"
             "#9210=APPROVAL_DATE_TIME(#9200,#9190);\n"
             "#9220=DRAUGHTING_APPROVAL_ASSIGNMENT(#9190,(#9010));\n"
             "#9230=ORGANIZATION_ROLE('creator');\n"
             "#9240=ORGANIZATION($,'builder',' ');\n"
             "#9250=DRAUGHTING_ORGANIZATION_ASSIGNMENT(#9240,#9230,(#9010));\n"
             "#9260=ORGANIZATION_ROLE('Owner');\n"
             "#9270=ORGANIZATION($,'city',' ');\n"
             "#9280=DRAUGHTING_ORGANIZATION_ASSIGNMENT(#9270,#9260,(#9010));\n";
    const p21test::P21Fixture line = p21test::featureFixtures().front();
    const ReadResult r = readP21(p21test::p21File(p21test::standardTables() + line.instances + sheet));
    EXPECT_EQ(messages(r.findings), QStringList());
    ASSERT_NE(r.drawing.sheet(), nullptr);
    EXPECT_EQ(r.drawing.sheet()->name, u"Title");
    EXPECT_EQ(differences(recordsOf(r.drawing, false),
                  {line.records.front(),
                      QStringLiteral("attribute_feature(\\'project\\',\\'contract\\',\\'type\\',\\'Title\\',\\'D-1\\',"
                                     "\\'平\\',\\'1:100\\','2026','12','10',\\'builder\\',\\'city\\')")}),
        QStringList());
}
