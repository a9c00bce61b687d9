// Expected P21 text for the writer tests: the fixed header, the standard
// tables most cases use, and the sheet and layer instances that end a file.
#pragma once

#include "sxf/p21_writer.h"
#include "tests/sxf/p21_drawing_builder.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>

namespace p21test {

// `text` with every line feed made CR LF: expectations are written with
// plain line ends.
inline QByteArray crlf(const QByteArray& text)
{
    QByteArray out = text;
    return out.replace("\n", "\r\n");
}

inline QByteArray trailer()
{
    return crlf("ENDSEC;\nEND-ISO-10303-21;\n");
}

// Layer L1 (code 1), black (colour 1), continuous (line type 1), width 0.13
// (code 1), fonts "ＭＳ" (1) and "F-0.8-0.2" (2); their instances are
// standardTables(): #20 to #80.
inline P21DrawingBuilder standardDrawing()
{
    P21DrawingBuilder b;
    b.layer(QStringLiteral("L1")).colour(QStringLiteral("black"), 1).lineType(QStringLiteral("continuous"), 1);
    b.width(0.13, 1).font(QStringLiteral("ＭＳ")).font(QStringLiteral("F-0.8-0.2"));
    return b;
}

inline QByteArray standardTables()
{
    return crlf(R"(#20=DRAUGHTING_PRE_DEFINED_COLOUR('black');
#30=DRAUGHTING_PRE_DEFINED_CURVE_FONT('continuous');
#40=LENGTH_MEASURE_WITH_UNIT(POSITIVE_LENGTH_MEASURE(0.130000),#10);
#50=EXTERNAL_SOURCE(IDENTIFIER('scadec'));
#60=EXTERNALLY_DEFINED_TEXT_FONT(IDENTIFIER('\X2\FF2DFF33\X0\'),#50);
#70=EXTERNAL_SOURCE(IDENTIFIER('scadec'));
#80=EXTERNALLY_DEFINED_TEXT_FONT(IDENTIFIER('F-0.8-0.2'),#70);
)");
}

// The A3 horizontal sheet "S1" from instance `n` on, with `items` (e.g.
// "#180,#190") and layer L1 with `members`.
inline QByteArray sheetAndLayer(int n, const QString& items, const QString& members)
{
    const auto at = [n](int k) { return QString::number(n + k); };
    QString text = QStringLiteral(R"(#%1=DRAWING_DEFINITION('01',$);
#%2=DRAUGHTING_DRAWING_REVISION('01',#%1,$);
#%3=DRAUGHTING_TITLE((#%2),'JAPANESE','S1');
#%4=DIRECTION(' ',(1.000000,0.000000));
#%5=CARTESIAN_POINT(' ',(0.000000,0.000000));
#%6=AXIS2_PLACEMENT_2D(' ',#%5,#%4);
#%7=PLANAR_BOX(' ',420.000000,297.000000,#%6);
#%8=(
NAMED_UNIT(*)
PLANE_ANGLE_UNIT()
SI_UNIT($,.RADIAN.)
);
#%9=(
LENGTH_UNIT()
NAMED_UNIT(*)
SI_UNIT(.MILLI.,.METRE.)
);
)")
                       .arg(at(0), at(10), at(20), at(30), at(40), at(50), at(60), at(70), at(80));
    text += QStringLiteral(R"(#%1=(
GEOMETRIC_REPRESENTATION_CONTEXT(2)
GLOBAL_UNIT_ASSIGNED_CONTEXT((#%2,#%3))
REPRESENTATION_CONTEXT('ID1','2D')
);
#%4=DRAWING_SHEET_REVISION('A3_horizontal',(%5,#%6),#%1,'01');
#%7=DRAWING_SHEET_REVISION_USAGE(#%4,#%8,'01');
#%9=PRESENTATION_SIZE(#%4,#%6);
)")
                .arg(at(90), at(70), at(80), at(100), items, at(60), at(110), at(10), at(120));
    text += QStringLiteral("#%1=PRESENTATION_LAYER_ASSIGNMENT('L1',' ',(%2));\n#%3=PRESENTATION_LAYER_USAGE(#%1,#%4);\n")
                .arg(at(130), members, at(140), at(100));
    return crlf(text.toLatin1());
}

inline constexpr sxf::SfcAttr kAttr{1, 1, 1, 1};

// The header of the format's worked examples for file `name`, time stamp
// `stamp`, author and organisation as written (e.g. "''"), and originating
// system `system`.
inline QByteArray exampleHeader(const char* name, const char* stamp, const char* author, const char* organisation,
                                const char* system)
{
    return QByteArray("ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('SCADEC level2 AP202_mode'),\n\t\t'2;1');\n") +
           "FILE_NAME('" + name + "',\n\t\t   '" + stamp + "',\n\t\t   (" + author + "),\n\t\t   (" + organisation +
           "),\n\t\t   'SCADEC_API_Ver3.30',\n\t\t   '" + system +
           "',\n\t\t'');\nFILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\nENDSEC;\nDATA;\n";
}

// The header for file "t.p21" written at 2026-01-02 03:04:05, and the unit.
inline QByteArray headerAndUnit()
{
    return crlf(exampleHeader("t.p21", "2026-01-02T03:04:05", "''", "''", "Kestrune") +
                "#10=(\nLENGTH_UNIT()\nNAMED_UNIT(*)\nSI_UNIT(.MILLI.,.METRE.)\n);\n");
}

// The first worked example after its header: the unit, the tables of
// layer L1, black, continuous and 0.13, and the line from (60, 228.5) to
// (160, 228.5) on layer 1 ...
inline const char* const kExampleLine = R"(#10=(
LENGTH_UNIT()
NAMED_UNIT(*)
SI_UNIT(.MILLI.,.METRE.)
);
#20=DRAUGHTING_PRE_DEFINED_COLOUR('black');
#30=DRAUGHTING_PRE_DEFINED_CURVE_FONT('continuous');
#40=LENGTH_MEASURE_WITH_UNIT(POSITIVE_LENGTH_MEASURE(0.130000),#10);
#50=CARTESIAN_POINT(' ',(160.000000,228.500000));
#60=CARTESIAN_POINT(' ',(60.000000,228.500000));
#70=DIRECTION(' ',(100.000000,0.000000));
#80=VECTOR(' ',#70,1.000000);
#90=LINE(' ',#60,#80);
#100=TRIMMED_CURVE(' ',#90,(#60),(#50),.T.,.CARTESIAN.);
#110=CURVE_STYLE(' ',#30,#40,#20);
#120=PRESENTATION_STYLE_ASSIGNMENT((#110));
#130=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#120),#100)
);
)";

// ... and the A3 horizontal sheet S1 with that line, its layer and the end.
inline const char* const kExampleSheet = R"(#140=DRAWING_DEFINITION('01',$);
#150=DRAUGHTING_DRAWING_REVISION('01',#140,$);
#160=DRAUGHTING_TITLE((#150),'JAPANESE','S1');
#170=DIRECTION(' ',(1.000000,0.000000));
#180=CARTESIAN_POINT(' ',(0.000000,0.000000));
#190=AXIS2_PLACEMENT_2D(' ',#180,#170);
#200=PLANAR_BOX(' ',420.000000,297.000000,#190);
#210=(
NAMED_UNIT(*)
PLANE_ANGLE_UNIT()
SI_UNIT($,.RADIAN.)
);
#220=(
LENGTH_UNIT()
NAMED_UNIT(*)
SI_UNIT(.MILLI.,.METRE.)
);
#230=(
GEOMETRIC_REPRESENTATION_CONTEXT(2)
GLOBAL_UNIT_ASSIGNED_CONTEXT((#210,#220))
REPRESENTATION_CONTEXT('ID1','2D')
);
#240=DRAWING_SHEET_REVISION('A3_horizontal',(#130,#200),#230,'01');
#250=DRAWING_SHEET_REVISION_USAGE(#240,#150,'01');
#260=PRESENTATION_SIZE(#240,#200);
#270=PRESENTATION_LAYER_ASSIGNMENT('L1',' ',(#130));
#280=PRESENTATION_LAYER_USAGE(#270,#240);
ENDSEC;
END-ISO-10303-21;
)";

// The options that give headerAndUnit().
inline sxf::P21Options testOptions()
{
    sxf::P21Options o;
    o.fileName = QStringLiteral("t.p21");
    o.timeStamp = QStringLiteral("2026-01-02T03:04:05");
    return o;
}

// One feature (with the curves it needs) in a drawing of the standard
// tables, and its instances as written by hand.
struct FeatureCase {
    const char* name;
    std::function<void(P21DrawingBuilder&)> build;  // adds the feature, and the sheet unless it has none
    std::string body;                            // every instance after the tables
    int next = 0;                                // the sheet's first instance; 0: no sheet written
    const char* items = "";                      // the sheet's items
    const char* members = "";                    // layer L1's members
};

// Writes each case's drawing: the whole file must be the header, the
// standard tables, its body, the sheet and layer, and the trailer.
inline void expectFeatureCases(std::span<const FeatureCase> cases)
{
    for (const FeatureCase& c : cases) {
        SCOPED_TRACE(c.name);
        P21DrawingBuilder b = standardDrawing();
        c.build(b);
        if (b.d.sheets.empty())
            b.sheet(QStringLiteral("S1"));
        sxf::Findings findings;
        const QByteArray written = sxf::writeP21(b.d, testOptions(), &findings);
        QByteArray expected = headerAndUnit() + standardTables() + crlf(QByteArray::fromStdString(c.body));
        if (c.next != 0)
            expected += sheetAndLayer(c.next, QString::fromLatin1(c.items), QString::fromLatin1(c.members));
        expected += trailer();
        EXPECT_EQ(written.toStdString(), expected.toStdString());
        EXPECT_TRUE(findings.empty());
    }
}

}  // namespace p21test
