// Whole P21 files: the two worked examples of the format, the header, the
// tables, the layers and the title block.
#include "sxf/p21_writer.h"

#include "tests/sxf/p21_expected.h"

#include <QDateTime>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace sxf;
using namespace p21test;

namespace {

// The tables and sheet of the worked examples: layer L1, black, continuous
// and 0.13 (no text font).
P21DrawingBuilder exampleTables()
{
    P21DrawingBuilder b;
    b.layer(QStringLiteral("L1")).colour(QStringLiteral("black"), 1).lineType(QStringLiteral("continuous"), 1);
    b.width(0.13, 1);
    return b;
}

// The header of the worked examples, written for exampleOptions().
QByteArray exampleHeader()
{
    return p21test::exampleHeader("sample.p21", "2024-3-5T9:7:2", "'author'", "'org'", "translator");
}

P21Options exampleOptions()
{
    P21Options o;
    o.fileName = QStringLiteral("sample.p21");
    o.timeStamp = QStringLiteral("2024-3-5T9:7:2");
    o.author = QStringLiteral("author");
    o.organisation = QStringLiteral("org");
    o.originatingSystem = QStringLiteral("translator");
    return o;
}


void addExampleLine(P21DrawingBuilder& b)
{
    b.add(FeatureKind::Line, b.d.lines, LineFeature{.a = kAttr, .x1 = 60, .y1 = 228.5, .x2 = 160, .y2 = 228.5});
}

TEST(P21File, FirstWorkedExampleIsReproduced)
{
    P21DrawingBuilder b = exampleTables();
    addExampleLine(b);
    b.sheet(QStringLiteral("S1"));
    const QByteArray expected = crlf(exampleHeader() + kExampleLine + kExampleSheet);

    EXPECT_EQ(writeP21(b.d, exampleOptions()).toStdString(), expected.toStdString());
}

TEST(P21File, SecondWorkedExampleIsReproduced)
{
    P21DrawingBuilder b = exampleTables();
    addExampleLine(b);
    b.symbol(QStringLiteral("S"), 1);
    b.add(FeatureKind::SymbolPlacement, b.d.placements,
          SymbolPlacementFeature{.layer = 1, .name = QStringLiteral("S"), .x = 10, .y = 20, .symbol = 0});
    b.sheet(QStringLiteral("S1"));
    const QByteArray expected = crlf(exampleHeader() + kExampleLine + R"(#140=(
NAMED_UNIT(*)
PLANE_ANGLE_UNIT()
SI_UNIT($,.RADIAN.)
);
#150=(
LENGTH_UNIT()
NAMED_UNIT(*)
SI_UNIT(.MILLI.,.METRE.)
);
#160=(
GEOMETRIC_REPRESENTATION_CONTEXT(2)
GLOBAL_UNIT_ASSIGNED_CONTEXT((#140,#150))
REPRESENTATION_CONTEXT('ID1','2D')
);
#170=CARTESIAN_POINT(' ',(0.000000,0.000000));
#180=AXIS2_PLACEMENT_2D(' ',#170,$);
#190=DRAUGHTING_SUBFIGURE_REPRESENTATION('$$SXF_FM_S',(#130,#180),#160);
#200=SYMBOL_REPRESENTATION_MAP(#180,#190);
#210=DIRECTION(' ',(1.00000000000000,0.00000000000000));
#220=CARTESIAN_POINT(' ',(10.000000,20.000000));
#230=AXIS2_PLACEMENT_2D(' ',#220,#210);
#240=SYMBOL_TARGET(' ',#230,1.00000000000000,1.00000000000000);
#250=(
ANNOTATION_SYMBOL()
GEOMETRIC_REPRESENTATION_ITEM()
MAPPED_ITEM(#200,#240)
REPRESENTATION_ITEM(' ')
);
#260=PRESENTATION_STYLE_ASSIGNMENT((NULL_STYLE(.NULL.)));
#270=(
ANNOTATION_OCCURRENCE()
ANNOTATION_SUBFIGURE_OCCURRENCE()
ANNOTATION_SYMBOL_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM('$$SXF_FM_S')
STYLED_ITEM((#260),#250)
);
#280=DRAWING_DEFINITION('01',$);
#290=DRAUGHTING_DRAWING_REVISION('01',#280,$);
#300=DRAUGHTING_TITLE((#290),'JAPANESE','S1');
#310=DIRECTION(' ',(1.000000,0.000000));
#320=CARTESIAN_POINT(' ',(0.000000,0.000000));
#330=AXIS2_PLACEMENT_2D(' ',#320,#310);
#340=PLANAR_BOX(' ',420.000000,297.000000,#330);
#350=(
NAMED_UNIT(*)
PLANE_ANGLE_UNIT()
SI_UNIT($,.RADIAN.)
);
#360=(
LENGTH_UNIT()
NAMED_UNIT(*)
SI_UNIT(.MILLI.,.METRE.)
);
#370=(
GEOMETRIC_REPRESENTATION_CONTEXT(2)
GLOBAL_UNIT_ASSIGNED_CONTEXT((#350,#360))
REPRESENTATION_CONTEXT('ID1','2D')
);
#380=DRAWING_SHEET_REVISION('A3_horizontal',(#270,#340),#370,'01');
#390=DRAWING_SHEET_REVISION_USAGE(#380,#290,'01');
#400=PRESENTATION_SIZE(#380,#340);
#410=PRESENTATION_LAYER_ASSIGNMENT('L1',' ',(#130,#270));
#420=PRESENTATION_LAYER_USAGE(#410,#380);
ENDSEC;
END-ISO-10303-21;
)");
    EXPECT_EQ(writeP21(b.d, exampleOptions()).toStdString(), expected.toStdString());
}

// The tables alone (a drawing without features has no sheet and no layers):
// each entry's instances in the order the entries were defined.
TEST(P21File, TableEntriesAreWrittenInDefinitionOrder)
{
    const struct {
        const char* name;
        std::function<void(P21DrawingBuilder&)> build;
        const char* instances;
    } cases[] = {
        {"pre-defined colours: AP202's own, then one of RGB under its name",
         [](P21DrawingBuilder& b) { b.colour(QStringLiteral("red"), 2).colour(QStringLiteral("deeppink"), 9); },
         "#20=DRAUGHTING_PRE_DEFINED_COLOUR('red');\n"
         "#30=COLOUR_RGB('$$SXF_deeppink',0.752941,0.000000,0.501961);\n"},
        {"user colour", [](P21DrawingBuilder& b) { b.userColour(0, 128, 255, 17); },
         "#20=COLOUR_RGB('',0.000000,0.501961,1.000000);\n"},
        {"pre-defined line type", [](P21DrawingBuilder& b) { b.lineType(QStringLiteral("dashed spaced"), 3); },
         "#20=DRAUGHTING_PRE_DEFINED_CURVE_FONT('dashed spaced');\n"},
        {"user line type: its pitches in pairs",
         [](P21DrawingBuilder& b) { b.userLineType(QStringLiteral("u1"), {3, 1, 0.5, 1}, 17); },
         "#20=CURVE_STYLE_FONT_PATTERN(3.000000,1.000000);\n#30=CURVE_STYLE_FONT_PATTERN(0.500000,1.000000);\n"
         "#40=CURVE_STYLE_FONT('u1',(#20,#30));\n"},
        {"pre-defined and user width", [](P21DrawingBuilder& b) { b.width(0.35, 4).width(0.3, 11); },
         "#20=LENGTH_MEASURE_WITH_UNIT(POSITIVE_LENGTH_MEASURE(0.350000),#10);\n"
         "#30=LENGTH_MEASURE_WITH_UNIT(POSITIVE_LENGTH_MEASURE(0.300000),#10);\n"},
        {"text font, each with its own source", [](P21DrawingBuilder& b) { b.font(QStringLiteral("ＭＳ ゴシック")); },
         "#20=EXTERNAL_SOURCE(IDENTIFIER('scadec'));\n"
         "#30=EXTERNALLY_DEFINED_TEXT_FONT(IDENTIFIER('\\X2\\FF2DFF33\\X0\\ \\X2\\30B430B730C330AF\\X0\\'),#20);\n"},
        {"entries that define nothing are not written",
         [](P21DrawingBuilder& b) {
             b.colour(QStringLiteral("purple"), kNone).width(0.13, kNone).userLineType(QStringLiteral("odd"), {2}, 17);
             b.lineType(QStringLiteral("dotted"), 7);
         },
         "#20=DRAUGHTING_PRE_DEFINED_CURVE_FONT('dotted');\n"},
        {"entries of a file in the file's order",
         [](P21DrawingBuilder& b) {
             b.colour(QStringLiteral("blue"), 4).width(0.5, 5);
             b.d.colours.back().at.number = 30;
             b.d.widths.back().at.number = 20;
         },
         "#20=LENGTH_MEASURE_WITH_UNIT(POSITIVE_LENGTH_MEASURE(0.500000),#10);\n"
         "#30=DRAUGHTING_PRE_DEFINED_COLOUR('blue');\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        P21DrawingBuilder b;
        b.layer(QStringLiteral("L1"));
        c.build(b);
        b.sheet(QStringLiteral("S1"));
        EXPECT_EQ(writeP21(b.d, testOptions()).toStdString(),
                  (headerAndUnit() + crlf(c.instances) + trailer()).toStdString());
    }
}

// The layers with members, code 0 (the placements' hidden layer) first,
// and the hidden ones listed once more; an empty layer is left out.
TEST(P21File, LayersListTheirMembersAndHiddenOnesAreInvisible)
{
    P21DrawingBuilder b = exampleTables();
    b.layer(QStringLiteral("empty")).layer(QStringLiteral("off"), 0);
    addExampleLine(b);
    b.symbol(QStringLiteral("S"), 4);
    b.add(FeatureKind::SymbolPlacement, b.d.placements,
          SymbolPlacementFeature{.layer = 0, .name = QStringLiteral("S"), .x = 10, .y = 20, .symbol = 0});
    b.add(FeatureKind::Line, b.d.lines, LineFeature{.a = {3, 1, 1, 1}, .x1 = 0, .y1 = 0, .x2 = 1, .y2 = 0});
    b.sheet(QStringLiteral("S1"));
    const QByteArray p21 = writeP21(b.d, exampleOptions());
    // The line in the symbol is #130, the placement #270, the sheet's line
    // #360, the sheet revision #470.
    const QByteArray layers = crlf(R"(#500=PRESENTATION_LAYER_ASSIGNMENT('$$SXF_dummy_layer_for_subfigure',' ',(#270));
#510=PRESENTATION_LAYER_USAGE(#500,#470);
#520=PRESENTATION_LAYER_ASSIGNMENT('L1',' ',(#130));
#530=PRESENTATION_LAYER_USAGE(#520,#470);
#540=PRESENTATION_LAYER_ASSIGNMENT('off',' ',(#360));
#550=PRESENTATION_LAYER_USAGE(#540,#470);
#560=INVISIBILITY((#540));
ENDSEC;
)");
    EXPECT_TRUE(p21.contains(crlf("#190=DRAUGHTING_SUBFIGURE_REPRESENTATION('$$SXF_P_S',(#130,#180),#160);\n")));
    EXPECT_TRUE(p21.contains(crlf("#470=DRAWING_SHEET_REVISION('A3_horizontal',(#270,#360,#430),#460,'01');\n")));
    EXPECT_TRUE(p21.endsWith(layers + crlf("END-ISO-10303-21;\n"))) << p21.toStdString();
}

// A title block names the drawing and its revision and follows the sheet,
// every instance after those it refers to.
TEST(P21File, TitleBlockFollowsTheSheet)
{
    P21DrawingBuilder b = exampleTables();
    addExampleLine(b);
    b.add(FeatureKind::Attribute, b.d.attributes,
          AttributeFeature{.projectName = QStringLiteral("P"), .contractName = QStringLiteral("C"),
                           .contractType = QStringLiteral("T"), .drawingTitle = QStringLiteral("平面図"),
                           .drawingNumber = QStringLiteral("N-1"), .drawingType = QStringLiteral("plan"),
                           .drawingScale = QStringLiteral("1:100"), .year = 2024, .month = 3, .day = 5,
                           .contractor = QStringLiteral("K"), .owner = QStringLiteral("O")});
    b.sheet(QStringLiteral("S1"), 1, 0);
    const QByteArray p21 = writeP21(b.d, exampleOptions());
    const QByteArray sheet = crlf(R"(#140=DRAWING_DEFINITION('N-1','plan');
#150=DRAUGHTING_DRAWING_REVISION('01',#140,'1:100');
#160=DRAUGHTING_TITLE((#150),'JAPANESE','\X2\5E73976256F3\X0\');
#170=DIRECTION(' ',(1.000000,0.000000));
#180=CARTESIAN_POINT(' ',(0.000000,0.000000));
#190=AXIS2_PLACEMENT_2D(' ',#180,#170);
#200=PLANAR_BOX(' ',594.000000,841.000000,#190);
)");
    const QByteArray titleBlock = crlf(R"(#240=DRAWING_SHEET_REVISION('A1_vertical',(#130,#200),#230,'01');
#250=DRAWING_SHEET_REVISION_USAGE(#240,#150,'01');
#260=PRESENTATION_SIZE(#240,#200);
#270=CONTRACT_TYPE('T');
#280=CONTRACT('C','P',#270);
#290=DRAUGHTING_CONTRACT_ASSIGNMENT(#280,(#150));
#300=APPROVAL_STATUS(' ');
#310=APPROVAL(#300,' ');
#320=CALENDAR_DATE(2024,5,3);
#330=APPROVAL_DATE_TIME(#320,#310);
#340=DRAUGHTING_APPROVAL_ASSIGNMENT(#310,(#150));
#350=ORGANIZATION_ROLE('creator');
#360=ORGANIZATION($,'K',' ');
#370=DRAUGHTING_ORGANIZATION_ASSIGNMENT(#360,#350,(#150));
#380=ORGANIZATION_ROLE('owner');
#390=ORGANIZATION($,'O',' ');
#400=DRAUGHTING_ORGANIZATION_ASSIGNMENT(#390,#380,(#150));
#410=PRESENTATION_LAYER_ASSIGNMENT('L1',' ',(#130));
)");
    EXPECT_TRUE(p21.contains(sheet)) << p21.toStdString();
    EXPECT_TRUE(p21.contains(titleBlock)) << p21.toStdString();
}

// Inside a symbol definition a dimension's callouts and a label's callout
// are the items themselves; in the sheet, null-styled items stand for them.
TEST(P21File, CalloutsInSymbolsAreItemsThemselves)
{
    P21DrawingBuilder b = standardDrawing();
    RadiusDimFeature dim{.a = kAttr, .x1 = 0, .y1 = 0, .x2 = 10, .y2 = 0};
    dim.t.mf = 0;
    b.add(FeatureKind::RadiusDim, b.d.radiusDims, dim);
    LabelFeature label{.a = kAttr, .n = 2, .points = {{0, 0}, {5, 0}}, .arrowCode = 1, .arrowScale = 1};
    b.add(FeatureKind::Label, b.d.labels, label);
    b.symbol(QStringLiteral("D"), 3);
    b.sheet(QStringLiteral("S1"));
    // The radius dimension without arrows: curve #90-#170, value #180-#260,
    // callouts #270 and #280, relationship #290; the label from #300: leader
    // #300-#350, terminator #360-#450, callout #460; the definition's context
    // #470-#490 and origin #500, #510.
    const QByteArray p21 = writeP21(b.d, testOptions());
    EXPECT_TRUE(p21.contains("DRAUGHTING_SUBFIGURE_REPRESENTATION('$$SXF_G_D',(#270,#280,#460,#510),#490);"))
        << p21.toStdString();
}

TEST(P21File, HeaderTakesTheDrawingsTimeStampOrTheTimeOfWriting)
{
    P21DrawingBuilder b;
    b.d.header.timeStamp = QStringLiteral("2025-12-31T23:59:58");
    P21Options options;
    options.fileName = QStringLiteral("図面's.p21");
    const QByteArray fromDrawing = writeP21(b.d, options);
    EXPECT_TRUE(fromDrawing.contains(crlf("FILE_NAME('\\X2\\56F39762\\X0\\''s.p21',\n\t\t   '2025-12-31T23:59:58',\n")))
        << fromDrawing.toStdString();

    b.d.header.timeStamp.clear();
    const QByteArray now = writeP21(b.d, options);
    const QRegularExpression stamp(QStringLiteral("\t\t   '(\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d)',\r\n"));
    const QRegularExpressionMatch m = stamp.match(QString::fromLatin1(now));
    ASSERT_TRUE(m.hasMatch()) << now.toStdString();
    const QDateTime written = QDateTime::fromString(m.captured(1), Qt::ISODate);
    EXPECT_LE(std::abs(written.secsTo(QDateTime::currentDateTime())), 60);
}

}  // namespace
