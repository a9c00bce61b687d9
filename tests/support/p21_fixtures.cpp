// Hand-written P21 files: the header, the tables and the sheet around the
// instances a test gives.
#include "tests/support/p21_fixtures.h"

#include <algorithm>

namespace p21test {
namespace {

QByteArray n(int number)
{
    return "#" + QByteArray::number(number);
}

}  // namespace

QByteArray p21File(QByteArrayView data, QByteArrayView description)
{
    QByteArray out = "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('" + description.toByteArray()
        + "'),\n\t\t'2;1');\n"
          "FILE_NAME('t.p21',\n\t\t   '2026-12-10T9:0:0',\n\t\t   (''),\n\t\t   (''),\n"
          "\t\t   'SCADEC_API_Ver3.30',\n\t\t   'Kestrune',\n\t\t'');\n"
          "FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\nENDSEC;\nDATA;\n"
        + data.toByteArray() + "ENDSEC;\nEND-ISO-10303-21;\n";
    return out.replace("\n", "\r\n");
}

QByteArray standardTables()
{
    return complexInstance(10, {"LENGTH_UNIT()", "NAMED_UNIT(*)", "SI_UNIT(.MILLI.,.METRE.)"})
        + "#20=DRAUGHTING_PRE_DEFINED_COLOUR('black');\n"
          "#30=DRAUGHTING_PRE_DEFINED_CURVE_FONT('continuous');\n"
          "#40=LENGTH_MEASURE_WITH_UNIT(POSITIVE_LENGTH_MEASURE(0.130000),#10);\n"
          "#50=EXTERNAL_SOURCE(IDENTIFIER('scadec'));\n"
          "#60=EXTERNALLY_DEFINED_TEXT_FONT(IDENTIFIER('\\X2\\FF2DFF33\\X0\\ \\X2\\30B430B730C330AF\\X0\\'),#50);\n";
}

QByteArray sheetAround(QByteArrayView items, QByteArrayView layerItems)
{
    const QByteArray list = items.isEmpty() ? "#9060" : items.toByteArray() + ",#9060";
    return "#9000=DRAWING_DEFINITION('01',$);\n"
           "#9010=DRAUGHTING_DRAWING_REVISION('01',#9000,$);\n"
           "#9020=DRAUGHTING_TITLE((#9010),'JAPANESE','S1');\n"
           "#9030=DIRECTION(' ',(1.000000,0.000000));\n"
           "#9040=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
           "#9050=AXIS2_PLACEMENT_2D(' ',#9040,#9030);\n"
           "#9060=PLANAR_BOX(' ',420.000000,297.000000,#9050);\n"
        + complexInstance(9070, {"NAMED_UNIT(*)", "PLANE_ANGLE_UNIT()", "SI_UNIT($,.RADIAN.)"})
        + complexInstance(9080, {"LENGTH_UNIT()", "NAMED_UNIT(*)", "SI_UNIT(.MILLI.,.METRE.)"})
        + complexInstance(9090, {"GEOMETRIC_REPRESENTATION_CONTEXT(2)", "GLOBAL_UNIT_ASSIGNED_CONTEXT((#9070,#9080))",
            "REPRESENTATION_CONTEXT('ID1','2D')"})
        + "#9100=DRAWING_SHEET_REVISION('A3_horizontal',(" + list
        + "),#9090,'01');\n"
          "#9110=DRAWING_SHEET_REVISION_USAGE(#9100,#9010,'01');\n"
          "#9120=PRESENTATION_SIZE(#9100,#9060);\n"
          "#9130=PRESENTATION_LAYER_ASSIGNMENT('L1',' ',("
        + layerItems.toByteArray()
        + "));\n"
          "#9140=PRESENTATION_LAYER_USAGE(#9130,#9100);\n";
}

QByteArray complexInstance(int number, std::initializer_list<QByteArrayView> records)
{
    QByteArray out = n(number) + "=(\n";
    for (QByteArrayView r : records)
        out += r.toByteArray() + "\n";
    return out + ");\n";
}

QByteArray curveItem(int number, int psa, int item, QByteArrayView name, QByteArrayView extra)
{
    QList<QByteArray> records = {"ANNOTATION_CURVE_OCCURRENCE()", "ANNOTATION_OCCURRENCE()",
        "DRAUGHTING_ANNOTATION_OCCURRENCE()", "GEOMETRIC_REPRESENTATION_ITEM()",
        "REPRESENTATION_ITEM(" + name.toByteArray() + ")", "STYLED_ITEM((" + n(psa) + ")," + n(item) + ")"};
    // Each extra record takes its place in the alphabetical order.
    if (!extra.isEmpty()) {
        records += extra.toByteArray();
        std::sort(records.begin(), records.end());
    }
    return n(number) + "=(\n" + records.join("\n") + "\n);\n";
}

QByteArray fixtureFile(const P21Fixture& f)
{
    return p21File(standardTables() + f.instances + sheetAround(f.items, f.layerItems));
}

QStringList codes(const sxf::Findings& findings)
{
    QStringList out;
    for (const sxf::Finding& f : findings)
        out += f.code;
    return out;
}

}  // namespace p21test
