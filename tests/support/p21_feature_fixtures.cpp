// Hand-written P21 drawings, one per table and feature kind. Every instance
// list follows the official library's numbering and formulas; the angle and
// scale numbers (15 significant digits, the 15th dropped below 1) were
// worked out by hand: cos 30° is
// 0.86602540378443, 30° is 0.52359877559829 rad, 120° 2.09439510239320,
// 90° 1.57079632679490, 180° 3.14159265358979, -1 is written
// -0.99999999999999.
#include "tests/support/p21_fixtures.h"

namespace p21test {
namespace {

QByteArray n(int number)
{
    return "#" + QByteArray::number(number);
}

// The CS block (CURVE_STYLE, PRESENTATION_STYLE_ASSIGNMENT) at `at` with the
// standard tables.
QByteArray curveStyle(int at)
{
    return n(at) + "=CURVE_STYLE(' ',#30,#40,#20);\n" + n(at + 10) + "=PRESENTATION_STYLE_ASSIGNMENT((" + n(at)
        + "));\n";
}

QByteArray symbolItem(int number, int psa, int item, QByteArrayView name = "' '")
{
    return complexInstance(number, {"ANNOTATION_OCCURRENCE()", "ANNOTATION_SYMBOL_OCCURRENCE()",
        "DRAUGHTING_ANNOTATION_OCCURRENCE()", "GEOMETRIC_REPRESENTATION_ITEM()",
        "REPRESENTATION_ITEM(" + name.toByteArray() + ")", "STYLED_ITEM((" + n(psa) + ")," + n(item) + ")"});
}

QByteArray textItem(int number, int psa, int item, QByteArrayView name)
{
    return complexInstance(number, {"ANNOTATION_OCCURRENCE()", "ANNOTATION_TEXT_OCCURRENCE()",
        "DRAUGHTING_ANNOTATION_OCCURRENCE()", "GEOMETRIC_REPRESENTATION_ITEM()",
        "REPRESENTATION_ITEM(" + name.toByteArray() + ")", "STYLED_ITEM((" + n(psa) + ")," + n(item) + ")"});
}

QByteArray fillItem(int number, int target, int psa, int item)
{
    return complexInstance(number, {"ANNOTATION_FILL_AREA_OCCURRENCE(" + n(target) + ")", "ANNOTATION_OCCURRENCE()",
        "DRAUGHTING_ANNOTATION_OCCURRENCE()", "GEOMETRIC_REPRESENTATION_ITEM()", "REPRESENTATION_ITEM(' ')",
        "STYLED_ITEM((" + n(psa) + ")," + n(item) + ")"});
}

// A text block (9 instances from `at`) in font 1: `literal`
// holds the literal's attributes up to its path (the placement is
// #at+30).
QByteArray textBlock(int at, QByteArrayView extent, QByteArrayView direction, QByteArrayView point,
    QByteArrayView literal, QByteArrayView box, QByteArrayView spacing, QByteArrayView itemName)
{
    return n(at) + "=PLANAR_EXTENT(' '," + extent.toByteArray() + ");\n" + n(at + 10) + "=DIRECTION(' ',("
        + direction.toByteArray() + "));\n" + n(at + 20) + "=CARTESIAN_POINT(' ',(" + point.toByteArray() + "));\n"
        + n(at + 30) + "=AXIS2_PLACEMENT_2D(' '," + n(at + 20) + "," + n(at + 10) + ");\n" + n(at + 40)
        + "=TEXT_LITERAL_WITH_EXTENT(" + literal.toByteArray() + ",#60," + n(at) + ");\n"
        + n(at + 50) + "=TEXT_STYLE_FOR_DEFINED_FONT(#20);\n"
        + complexInstance(at + 60, {"TEXT_STYLE(' '," + n(at + 50) + ")",
            "TEXT_STYLE_WITH_BOX_CHARACTERISTICS((" + box.toByteArray() + "))",
            "TEXT_STYLE_WITH_SPACING(LENGTH_MEASURE(" + spacing.toByteArray() + "))"})
        + n(at + 70) + "=PRESENTATION_STYLE_ASSIGNMENT((" + n(at + 60) + "));\n"
        + textItem(at + 80, at + 70, at + 40, itemName);
}

// A terminator of the official library's ORIGIN form (10 instances from `at`), or its
// TARGET form (7) reusing style assignment `targetPsa`.
QByteArray terminator(int at, QByteArrayView direction, QByteArrayView point, QByteArrayView name,
    QByteArrayView roleRecord, QByteArrayView itemName, int curve, int targetPsa = 0)
{
    QByteArray out = n(at) + "=DIRECTION(' ',(" + direction.toByteArray() + "));\n" + n(at + 10)
        + "=CARTESIAN_POINT(' ',(" + point.toByteArray() + "));\n" + n(at + 20) + "=AXIS2_PLACEMENT_2D(' ',"
        + n(at + 10) + "," + n(at) + ");\n" + n(at + 30) + "=SYMBOL_TARGET(' '," + n(at + 20)
        + ",1.50000000000000,1.50000000000000);\n" + n(at + 40) + "=PRE_DEFINED_TERMINATOR_SYMBOL('"
        + name.toByteArray() + "');\n" + n(at + 50) + "=DEFINED_SYMBOL(' '," + n(at + 40) + "," + n(at + 30) + ");\n";
    int psa = targetPsa;
    int item = at + 60;
    if (targetPsa == 0) {
        out += n(at + 60) + "=SYMBOL_COLOUR(#20);\n" + n(at + 70) + "=SYMBOL_STYLE(' '," + n(at + 60) + ");\n"
            + n(at + 80) + "=PRESENTATION_STYLE_ASSIGNMENT((" + n(at + 70) + "));\n";
        psa = at + 80;
        item = at + 90;
    }
    QList<QByteArray> records = {"ANNOTATION_OCCURRENCE()", "ANNOTATION_SYMBOL_OCCURRENCE()"};
    if (roleRecord.startsWith("DIMENSION"))
        records += roleRecord.toByteArray();
    records += {"DRAUGHTING_ANNOTATION_OCCURRENCE()", "GEOMETRIC_REPRESENTATION_ITEM()"};
    if (!roleRecord.startsWith("DIMENSION"))
        records += roleRecord.toByteArray();
    records += {"REPRESENTATION_ITEM(" + itemName.toByteArray() + ")",
        "STYLED_ITEM((" + n(psa) + ")," + n(at + 50) + ")", "TERMINATOR_SYMBOL(" + n(curve) + ")"};
    out += n(item) + "=(\n" + records.join("\n") + "\n);\n";
    return out;
}

// Arrow 1 (ORIGIN form, #360..#450) and arrow 2 (TARGET form, #460..#520)
// of a dimension whose curve is #180, both of arrow kind `name`.
QByteArray twoArrows(QByteArrayView direction1, QByteArrayView point1, QByteArrayView direction2,
    QByteArrayView point2, QByteArrayView name)
{
    return terminator(360, direction1, point1, name, "DIMENSION_CURVE_TERMINATOR(.ORIGIN.)", "'$$SXF_arw_1'", 180)
        + terminator(460, direction2, point2, name, "DIMENSION_CURVE_TERMINATOR(.TARGET.)", "'$$SXF_arw_2'", 180, 440);
}

// The callout instances of a dimension in the sheet (from `at`): the
// structured callout, the dimension callout, their relationship, and the
// two styled items the sheet lists.
QByteArray dimensionCallouts(int at, int text, QByteArrayView contents, std::initializer_list<QByteArrayView> kind)
{
    QList<QByteArray> records;
    for (QByteArrayView r : kind)
        records += r.toByteArray();
    records.replace(records.indexOf("DRAUGHTING_CALLOUT"), "DRAUGHTING_CALLOUT((" + contents.toByteArray() + "))");
    return complexInstance(at, {"DRAUGHTING_CALLOUT((" + n(text) + "))", "DRAUGHTING_ELEMENTS()",
               "GEOMETRIC_REPRESENTATION_ITEM()", "REPRESENTATION_ITEM(' ')", "STRUCTURED_DIMENSION_CALLOUT()"})
        + n(at + 10) + "=(\n" + records.join("\n") + "\n);\n" + n(at + 20)
        + "=DIMENSION_CALLOUT_RELATIONSHIP('primary',' '," + n(at + 10) + "," + n(at) + ");\n" + n(at + 30)
        + "=PRESENTATION_STYLE_ASSIGNMENT((NULL_STYLE(.NULL.)));\n" + n(at + 40) + "=STYLED_ITEM(' ',(" + n(at + 30)
        + ")," + n(at) + ");\n" + n(at + 50) + "=STYLED_ITEM(' ',(" + n(at + 30) + ")," + n(at + 10) + ");\n";
}

// A closed square polyline from (0, 0) to (10, 10) as composite curve #370
// (visible), its style at #380.
QByteArray squareCurve()
{
    return "#300=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
           "#310=CARTESIAN_POINT(' ',(10.000000,0.000000));\n"
           "#320=CARTESIAN_POINT(' ',(10.000000,10.000000));\n"
           "#330=CARTESIAN_POINT(' ',(0.000000,10.000000));\n"
           "#340=POLYLINE(' ',(#300,#310,#320,#330,#300));\n"
           "#360=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#340);\n"
           "#370=COMPOSITE_CURVE(' ',(#360),.T.);\n"
        + curveStyle(380) + curveItem(400, 390, 370);
}

const QString kSquareMember = QStringLiteral("polyline_feature('1','1','1','1','5',"
                                             "'(0.000000,10.000000,10.000000,0.000000,0.000000)',"
                                             "'(0.000000,0.000000,10.000000,10.000000,0.000000)')");
const QString kSquareCurve = QStringLiteral("composite_curve_org_feature('1','1','1','1')");

std::vector<P21Fixture> curveFixtures()
{
    std::vector<P21Fixture> out;
    out.push_back({"line",
        "#100=CARTESIAN_POINT(' ',(160.000000,228.500000));\n"
        "#110=CARTESIAN_POINT(' ',(60.000000,228.500000));\n"
        "#120=DIRECTION(' ',(100.000000,0.000000));\n"
        "#130=VECTOR(' ',#120,1.000000);\n"
        "#140=LINE(' ',#110,#130);\n"
        "#150=TRIMMED_CURVE(' ',#140,(#110),(#100),.T.,.CARTESIAN.);\n"
            + curveStyle(160) + curveItem(180, 170, 150),
        "#180", "#180",
        {QStringLiteral("line_feature('1','1','1','1','60.000000','228.500000','160.000000','228.500000')")}});
    out.push_back({"polyline",
        "#100=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
        "#110=CARTESIAN_POINT(' ',(10.000000,0.000000));\n"
        "#120=CARTESIAN_POINT(' ',(10.000000,5.000000));\n"
        "#130=POLYLINE(' ',(#100,#110,#120));\n"
            + curveStyle(140) + curveItem(160, 150, 130),
        "#160", "#160",
        {QStringLiteral("polyline_feature('1','1','1','1','3','(0.000000,10.000000,10.000000)',"
                        "'(0.000000,0.000000,5.000000)')")}});
    out.push_back({"circle",
        "#100=CARTESIAN_POINT(' ',(5.000000,6.000000));\n"
        "#110=AXIS2_PLACEMENT_2D(' ',#100,$);\n"
        "#120=CIRCLE(' ',#110,7.000000);\n"
            + curveStyle(130) + curveItem(150, 140, 120),
        "#150", "#150", {QStringLiteral("circle_feature('1','1','1','1','5.000000','6.000000','7.000000')")}});
    out.push_back({"clockwise arc",
        "#100=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
        "#110=AXIS2_PLACEMENT_2D(' ',#100,$);\n"
        "#120=CIRCLE(' ',#110,10.000000);\n"
        "#130=TRIMMED_CURVE(' ',#120,(PARAMETER_VALUE(0.52359877559829)),(PARAMETER_VALUE(2.09439510239320)),"
        ".F.,.PARAMETER.);\n"
            + curveStyle(140) + curveItem(160, 150, 130),
        "#160", "#160",
        {QStringLiteral("arc_feature('1','1','1','1','0.000000','0.000000','10.000000','1','30.000000000000',"
                        "'120.000000000000')")}});
    out.push_back({"ellipse turned 90 degrees",
        "#100=DIRECTION('',(0.00000000000000,1.00000000000000));\n"
        "#110=CARTESIAN_POINT(' ',(1.000000,2.000000));\n"
        "#120=AXIS2_PLACEMENT_2D(' ',#110,#100);\n"
        "#130=ELLIPSE(' ',#120,20.000000,10.000000);\n"
            + curveStyle(140) + curveItem(160, 150, 130, "''"),
        "#160", "#160",
        {QStringLiteral("ellipse_feature('1','1','1','1','1.000000','2.000000','20.000000','10.000000',"
                        "'90.000000000000')")}});
    out.push_back({"ellipse arc",
        "#100=DIRECTION(' ',(1.00000000000000,0.00000000000000));\n"
        "#110=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
        "#120=AXIS2_PLACEMENT_2D(' ',#110,#100);\n"
        "#130=ELLIPSE(' ',#120,20.000000,10.000000);\n"
        "#140=TRIMMED_CURVE(' ',#130,(PARAMETER_VALUE(0.00000000000000)),(PARAMETER_VALUE(1.57079632679490)),"
        ".T.,.PARAMETER.);\n"
            + curveStyle(150) + curveItem(170, 160, 140),
        "#170", "#170",
        {QStringLiteral("ellipse_arc_feature('1','1','1','1','0.000000','0.000000','20.000000','10.000000','0',"
                        "'0.000000000000','0.000000000000','90.000000000000')")}});
    out.push_back({"open spline",
        "#100=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
        "#110=CARTESIAN_POINT(' ',(1.000000,2.000000));\n"
        "#120=CARTESIAN_POINT(' ',(3.000000,2.000000));\n"
        "#130=CARTESIAN_POINT(' ',(4.000000,0.000000));\n"
        "#140=BEZIER_CURVE(' ',3,(#100,#110,#120,#130),.UNSPECIFIED.,.F.,.U.);\n"
            + curveStyle(150) + curveItem(170, 160, 140),
        "#170", "#170",
        {QStringLiteral("spline_feature('1','1','1','1','1','4','(0.000000,1.000000,3.000000,4.000000)',"
                        "'(0.000000,2.000000,2.000000,0.000000)')")}});
    out.push_back({"clothoid",
        "#100=DIRECTION(' ',(1.00000000000000,0.00000000000000));\n"
        "#110=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
        "#120=AXIS2_PLACEMENT_2D(' ',#110,#100);\n"
        "#130=CLOTHOID('1',#120,50.000000);\n"
        "#140=TRIMMED_CURVE('0.000000,25.000000',#130,(PARAMETER_VALUE(0.000000)),(PARAMETER_VALUE(25.000000)),"
        ".T.,.PARAMETER.);\n"
            + curveStyle(150) + curveItem(170, 160, 140),
        "#170", "#170",
        {QStringLiteral("clothoid_feature('1','1','1','1','0.000000','0.000000','50.000000','1',"
                        "'0.000000000000','0.000000','25.000000')")}});
    out.push_back({"text turned 90 degrees with base point 5",
        textBlock(100, "2.800000,3.500000", "0.00000000000000,1.00000000000000", "101.750000,50.000000",
            "'$$SXF_middleline centre','\\X2\\56F39762\\X0\\-1''',#130,'baseline centre',.RIGHT.",
            "BOX_HEIGHT(3.500000),BOX_WIDTH(2.800000),BOX_SLANT_ANGLE(0.26179938779914),"
            "BOX_ROTATE_ANGLE(1.57079632679490)",
            "0.500000", "' '"),
        "#180", "#180",
        {QStringLiteral("text_string_feature('1','1','1',\\'図面-1'\\','100.000000','50.000000','3.500000',"
                        "'2.800000','0.500000','90.000000000000','15.000000000000','5','1')")}});
    out.push_back({"vertical text on its top line",
        textBlock(100, "2.000000,3.000000", "1.00000000000000,0.00000000000000", "10.000000,17.000000",
            "'$$SXF_topline right','abc',#130,'baseline right',.DOWN.",
            "BOX_HEIGHT(3.000000),BOX_WIDTH(2.400000),BOX_SLANT_ANGLE(0.00000000000000),"
            "BOX_ROTATE_ANGLE(0.00000000000000)",
            "0.000000", "' '"),
        "#180", "#180",
        {QStringLiteral("text_string_feature('1','1','1',\\'abc\\','10.000000','20.000000','3.000000','2.000000',"
                        "'0.000000','0.000000000000','0.000000000000','9','2')")}});
    return out;
}

std::vector<P21Fixture> symbolAndFillFixtures()
{
    std::vector<P21Fixture> out;
    out.push_back({"point marker",
        "#100=DIRECTION(' ',(0.86602540378443,0.50000000000000));\n"
        "#110=CARTESIAN_POINT(' ',(10.000000,20.000000));\n"
        "#120=AXIS2_PLACEMENT_2D(' ',#110,#100);\n"
        "#130=SYMBOL_TARGET(' ',#120,1.50000000000000,1.50000000000000);\n"
        "#140=PRE_DEFINED_POINT_MARKER_SYMBOL('circle');\n"
        "#150=DEFINED_SYMBOL(' ',#140,#130);\n"
        "#160=SYMBOL_COLOUR(#20);\n"
        "#170=SYMBOL_STYLE(' ',#160);\n"
        "#180=PRESENTATION_STYLE_ASSIGNMENT((#170));\n"
            + symbolItem(190, 180, 150),
        "#190", "#190",
        {QStringLiteral("point_marker_feature('1','1','10.000000','20.000000','2','30.000000000000',"
                        "'1.500000000000')")}});
    const QByteArray externalSymbol = "#100=DIRECTION(' ',(1.00000000000000,0.00000000000000));\n"
                                      "#110=CARTESIAN_POINT(' ',(3.000000,4.000000));\n"
                                      "#120=AXIS2_PLACEMENT_2D(' ',#110,#100);\n"
                                      "#130=SYMBOL_TARGET(' ',#120,2.00000000000000,2.00000000000000);\n"
                                      "#140=EXTERNAL_SOURCE(IDENTIFIER('scadec'));\n"
                                      "#150=EXTERNALLY_DEFINED_SYMBOL(IDENTIFIER('sym'),#140);\n"
                                      "#160=DEFINED_SYMBOL(' ',#150,#130);\n";
    out.push_back({"externally defined symbol with its colour",
        externalSymbol
            + "#170=SYMBOL_COLOUR(#20);\n#180=SYMBOL_STYLE(' ',#170);\n#190=PRESENTATION_STYLE_ASSIGNMENT((#180));\n"
            + symbolItem(200, 190, 160),
        "#200", "#200",
        {QStringLiteral("externally_defined_symbol_feature('1','1','1',\\'sym\\','3.000000','4.000000',"
                        "'0.000000000000','2.000000000000')")}});
    out.push_back({"externally defined symbol without colour",
        externalSymbol + "#170=SYMBOL_STYLE(' ',$);\n#180=PRESENTATION_STYLE_ASSIGNMENT((#170));\n"
            + symbolItem(190, 180, 160),
        "#190", "#190",
        {QStringLiteral("externally_defined_symbol_feature('1','0','0',\\'sym\\','3.000000','4.000000',"
                        "'0.000000000000','2.000000000000')")}});
    out.push_back({"symbol definition and its placement",
        "#100=CARTESIAN_POINT(' ',(160.000000,228.500000));\n"
        "#110=CARTESIAN_POINT(' ',(60.000000,228.500000));\n"
        "#120=DIRECTION(' ',(100.000000,0.000000));\n"
        "#130=VECTOR(' ',#120,1.000000);\n"
        "#140=LINE(' ',#110,#130);\n"
        "#150=TRIMMED_CURVE(' ',#140,(#110),(#100),.T.,.CARTESIAN.);\n"
            + curveStyle(160) + curveItem(180, 170, 150)
            + complexInstance(190, {"NAMED_UNIT(*)", "PLANE_ANGLE_UNIT()", "SI_UNIT($,.RADIAN.)"})
            + complexInstance(200, {"LENGTH_UNIT()", "NAMED_UNIT(*)", "SI_UNIT(.MILLI.,.METRE.)"})
            + complexInstance(210, {"GEOMETRIC_REPRESENTATION_CONTEXT(2)",
                "GLOBAL_UNIT_ASSIGNED_CONTEXT((#190,#200))", "REPRESENTATION_CONTEXT('ID1','2D')"})
            + "#220=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
              "#230=AXIS2_PLACEMENT_2D(' ',#220,$);\n"
              "#240=DRAUGHTING_SUBFIGURE_REPRESENTATION('$$SXF_FM_S',(#180,#230),#210);\n"
              "#250=SYMBOL_REPRESENTATION_MAP(#230,#240);\n"
              "#260=DIRECTION(' ',(-0.49999999999999,0.86602540378443));\n"
              "#270=CARTESIAN_POINT(' ',(10.000000,20.000000));\n"
              "#280=AXIS2_PLACEMENT_2D(' ',#270,#260);\n"
              "#290=SYMBOL_TARGET(' ',#280,2.00000000000000,0.50000000000000);\n"
            + complexInstance(300, {"ANNOTATION_SYMBOL()", "GEOMETRIC_REPRESENTATION_ITEM()", "MAPPED_ITEM(#250,#290)",
                "REPRESENTATION_ITEM(' ')"})
            + "#310=PRESENTATION_STYLE_ASSIGNMENT((NULL_STYLE(.NULL.)));\n"
            + complexInstance(320, {"ANNOTATION_OCCURRENCE()", "ANNOTATION_SUBFIGURE_OCCURRENCE()",
                "ANNOTATION_SYMBOL_OCCURRENCE()", "DRAUGHTING_ANNOTATION_OCCURRENCE()",
                "GEOMETRIC_REPRESENTATION_ITEM()", "REPRESENTATION_ITEM('$$SXF_FM_S')", "STYLED_ITEM((#310),#300)"}),
        "#320", "#180,#320",
        {QStringLiteral("line_feature('1','1','1','1','60.000000','228.500000','160.000000','228.500000')"),
            QStringLiteral("sfig_org_feature(\\'S\\','1')"),
            QStringLiteral("sfig_locate_feature('1',\\'S\\','10.000000','20.000000','120.00000000000000',"
                           "'2.00000000000000','0.50000000000000')")}});
    out.push_back({"colour fill of a curve with a polyline and an arc",
        "#100=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
        "#110=CARTESIAN_POINT(' ',(10.000000,0.000000));\n"
        "#120=CARTESIAN_POINT(' ',(10.000000,10.000000));\n"
        "#130=POLYLINE(' ',(#100,#110,#120));\n"
        "#140=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#130);\n"
        "#150=CARTESIAN_POINT(' ',(5.000000,10.000000));\n"
        "#160=AXIS2_PLACEMENT_2D(' ',#150,$);\n"
        "#170=CIRCLE(' ',#160,5.000000);\n"
        "#180=TRIMMED_CURVE(' ',#170,(PARAMETER_VALUE(0.00000000000000)),(PARAMETER_VALUE(3.14159265358979)),"
        ".T.,.PARAMETER.);\n"
        "#190=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#180);\n"
        "#200=COMPOSITE_CURVE(' ',(#140,#190),.T.);\n"
            + curveStyle(210) + curveItem(230, 220, 200)
            + "#280=CARTESIAN_POINT(' ',(5.000000,5.000000));\n"
              "#240=ANNOTATION_FILL_AREA(' ',(#200));\n"
              "#250=FILL_AREA_STYLE_COLOUR(' ',#20);\n"
              "#260=FILL_AREA_STYLE(' ',(#250));\n"
              "#270=PRESENTATION_STYLE_ASSIGNMENT((#260));\n"
            + fillItem(290, 280, 270, 240) + "#295=INVISIBILITY((#230));\n",
        "#290", "#290",
        {QStringLiteral("polyline_feature('1','1','1','1','3','(0.000000,10.000000,10.000000)',"
                        "'(0.000000,0.000000,10.000000)')"),
            QStringLiteral("arc_feature('1','1','1','1','5.000000','10.000000','5.000000','0','0.000000000000',"
                           "'180.000000000000')"),
            QStringLiteral("composite_curve_org_feature('1','1','1','0')"),
            QStringLiteral("fill_area_style_colour_feature('1','1','1','0','()')")}});
    out.push_back({"externally defined hatch",
        squareCurve()
            + "#500=ANNOTATION_FILL_AREA(' ',(#370));\n"
              "#510=EXTERNAL_SOURCE(IDENTIFIER('scadec'));\n"
              "#520=EXTERNALLY_DEFINED_HATCH_STYLE(IDENTIFIER('JIS_A'),#510,' ');\n"
              "#530=FILL_AREA_STYLE(' ',(#520));\n"
              "#540=PRESENTATION_STYLE_ASSIGNMENT((#530));\n"
              "#550=CARTESIAN_POINT(' ',(4.000000,4.000000));\n"
            + fillItem(560, 550, 540, 500),
        "#560", "#560",
        {kSquareMember, kSquareCurve,
            QStringLiteral("externally_defined_hatch_feature('1',\\'JIS_A\\','1','0','()')")}});
    out.push_back({"user hatching of two patterns",
        squareCurve()
            + "#500=ANNOTATION_FILL_AREA(' ',(#370));\n"
              "#510=CARTESIAN_POINT(' ',(1.000000,2.000000));\n"
              "#520=DIRECTION(' ',(-0.70710678118654,0.70710678118654));\n"
              "#530=VECTOR(' ',#520,3.000000);\n"
              "#540=ONE_DIRECTION_REPEAT_FACTOR(' ',#530);\n"
              "#550=CURVE_STYLE(' ',#30,#40,#20);\n"
              "#560=FILL_AREA_STYLE_HATCHING(' ',#550,#540,#510,#510,0.78539816339744);\n"
              "#570=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
              "#580=DIRECTION(' ',(0.00000000000000,1.00000000000000));\n"
              "#590=VECTOR(' ',#580,2.000000);\n"
              "#600=ONE_DIRECTION_REPEAT_FACTOR(' ',#590);\n"
              "#610=CURVE_STYLE(' ',#30,#40,#20);\n"
              "#620=FILL_AREA_STYLE_HATCHING(' ',#610,#600,#570,#570,0.00000000000000);\n"
              "#630=FILL_AREA_STYLE(' ',(#620,#560));\n"
              "#640=PRESENTATION_STYLE_ASSIGNMENT((#630));\n"
            + fillItem(650, 510, 640, 500),
        "#650", "#650",
        {kSquareMember, kSquareCurve,
            QStringLiteral("fill_area_style_hatching_feature('1','2','1','1','1','1.000000','2.000000','3.000000',"
                           "'45.000000000000','1','1','1','0.000000','0.000000','2.000000','0.000000000000',"
                           "'1','0','()')")}});
    out.push_back({"tiles",
        squareCurve()
            + "#700=DIRECTION(' ',(1.00000000000000,0.00000000000000));\n"
              "#710=CARTESIAN_POINT(' ',(1.000000,1.000000));\n"
              "#720=AXIS2_PLACEMENT_2D(' ',#710,#700);\n"
              "#730=SYMBOL_TARGET(' ',#720,1.00000000000000,1.00000000000000);\n"
              "#740=EXTERNAL_SOURCE(IDENTIFIER('scadec'));\n"
              "#750=EXTERNALLY_DEFINED_SYMBOL(IDENTIFIER('tile'),#740);\n"
              "#760=DEFINED_SYMBOL(' ',#750,#730);\n"
              "#770=SYMBOL_COLOUR(#20);\n"
              "#780=SYMBOL_STYLE(' ',#770);\n"
              "#790=PRESENTATION_STYLE_ASSIGNMENT((#780));\n"
            + symbolItem(800, 790, 760)
            + "#810=ANNOTATION_FILL_AREA(' ',(#370));\n"
              "#820=FILL_AREA_STYLE_TILE_SYMBOL_WITH_STYLE(' ',#800);\n"
              "#830=DIRECTION(' ',(1.00000000000000,0.00000000000000));\n"
              "#840=VECTOR(' ',#830,5.000000);\n"
              "#850=DIRECTION(' ',(0.00000000000000,1.00000000000000));\n"
              "#860=VECTOR(' ',#850,6.000000);\n"
              "#870=TWO_DIRECTION_REPEAT_FACTOR(' ',#860,#840);\n"
              "#880=FILL_AREA_STYLE_TILES(' ',#870,(#820),1.000000);\n"
              "#890=FILL_AREA_STYLE(' ',(#880));\n"
              "#900=PRESENTATION_STYLE_ASSIGNMENT((#890));\n"
            + fillItem(910, 710, 900, 810),
        "#910", "#910",
        {kSquareMember, kSquareCurve,
            QStringLiteral("fill_area_style_tiles_feature('1',\\'tile\\','1','1.000000','1.000000','5.000000',"
                           "'0.000000000000','6.000000','90.000000000000','1.000000000000','1.000000000000',"
                           "'0.000000000000','1','0','()')")}});
    return out;
}

// A dimension line from (x1, y1) to (x2, y2) at #100..#180 (CURVE+DIM), the
// dimension text "100" at #270..#350 with its base point 2 at (50, 1).
QByteArray dimensionLine(QByteArrayView from, QByteArrayView to, QByteArrayView delta)
{
    return "#100=CARTESIAN_POINT(' ',(" + to.toByteArray() + "));\n#110=CARTESIAN_POINT(' ',(" + from.toByteArray()
        + "));\n#120=DIRECTION(' ',(" + delta.toByteArray()
        + "));\n"
          "#130=VECTOR(' ',#120,1.000000);\n"
          "#140=LINE(' ',#110,#130);\n"
          "#150=TRIMMED_CURVE(' ',#140,(#110),(#100),.T.,.CARTESIAN.);\n"
        + curveStyle(160) + curveItem(180, 170, 150, "' '", "DIMENSION_CURVE()");
}

QByteArray dimensionText()
{
    return textBlock(270, "6.000000,3.000000", "1.00000000000000,0.00000000000000", "50.000000,2.500000",
        "'$$SXF_baseline centre','100',#300,'baseline centre',.RIGHT.",
        "BOX_HEIGHT(3.000000),BOX_WIDTH(2.400000),BOX_SLANT_ANGLE(0.00000000000000),"
        "BOX_ROTATE_ANGLE(0.00000000000000)",
        "0.000000", "'dimension value'");
}

const char* const kDimensionText =
    "'1','1',\\'100\\','50.000000','1.000000','3.000000','6.000000','0.000000','0.000000000000',"
    "'0.000000000000','2','1')";

std::vector<P21Fixture> dimensionFixtures()
{
    std::vector<P21Fixture> out;
    const QByteArray projection = "#190=CARTESIAN_POINT(' ',(0.000000,2.000000));\n"
                                  "#200=CARTESIAN_POINT(' ',(0.000000,-8.000000));\n"
                                  "#210=DIRECTION(' ',(0.000000,10.000000));\n"
                                  "#220=VECTOR(' ',#210,1.000000);\n"
                                  "#230=CARTESIAN_POINT(' ',(0.000000,-10.000000));\n"
                                  "#240=LINE(' ',#230,#220);\n"
                                  "#250=TRIMMED_CURVE(' ',#240,(#200),(#190),.T.,.CARTESIAN.);\n"
        + curveItem(260, 170, 250, "'$$SXF_prj_1'", "PROJECTION_CURVE()");
    out.push_back({"linear dimension with a projection line and arrows pointing out",
        dimensionLine("0.000000,0.000000", "100.000000,0.000000", "100.000000,0.000000") + projection
            + dimensionText()
            + twoArrows("-0.99999999999999,0.00000000000000", "0.000000,0.000000",
                "1.00000000000000,0.00000000000000", "100.000000,0.000000", "filled arrow")
            + dimensionCallouts(530, 350, "#180,#260,#350,#450,#520",
                {"DIMENSION_CURVE_DIRECTED_CALLOUT()", "DRAUGHTING_CALLOUT", "DRAUGHTING_ELEMENTS()",
                    "GEOMETRIC_REPRESENTATION_ITEM()", "LINEAR_DIMENSION()", "REPRESENTATION_ITEM(' ')"}),
        "#570,#580", "#180,#350",
        {QStringLiteral("linear_dim_feature('1','1','1','1','0.000000','0.000000','100.000000','0.000000',"
                        "'1','0.000000','-10.000000','0.000000','-8.000000','0.000000','2.000000',"
                        "'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000',"
                        "'6','1','0.000000','0.000000','1.500000000000',"
                        "'6','1','100.000000','0.000000','1.500000000000',")
            + QLatin1String(kDimensionText)}});
    out.push_back({"diameter dimension with arrows pointing in",
        dimensionLine("-10.000000,0.000000", "10.000000,0.000000", "20.000000,0.000000") + dimensionText()
            + twoArrows("1.00000000000000,0.00000000000000", "-10.000000,0.000000",
                "-0.99999999999999,0.00000000000000", "10.000000,0.000000", "open arrow")
            + dimensionCallouts(530, 350, "#180,#350,#450,#520",
                {"DIAMETER_DIMENSION()", "DIMENSION_CURVE_DIRECTED_CALLOUT()", "DRAUGHTING_CALLOUT",
                    "DRAUGHTING_ELEMENTS()", "GEOMETRIC_REPRESENTATION_ITEM()", "REPRESENTATION_ITEM(' ')"}),
        "#570,#580", "#180,#350",
        {QStringLiteral("diameter_dim_feature('1','1','1','1','-10.000000','0.000000','10.000000','0.000000',"
                        "'9','2','-10.000000','0.000000','1.500000000000',"
                        "'9','2','10.000000','0.000000','1.500000000000',")
            + QLatin1String(kDimensionText)}});
    out.push_back({"radius dimension",
        dimensionLine("0.000000,0.000000", "10.000000,0.000000", "10.000000,0.000000") + dimensionText()
            + terminator(360, "10.0000000000000,0.00000000000000", "10.000000,0.000000", "filled arrow",
                "DIMENSION_CURVE_TERMINATOR(.ORIGIN.)", "' '", 180)
            + dimensionCallouts(530, 350, "#180,#350,#450",
                {"DIMENSION_CURVE_DIRECTED_CALLOUT()", "DRAUGHTING_CALLOUT", "DRAUGHTING_ELEMENTS()",
                    "GEOMETRIC_REPRESENTATION_ITEM()", "RADIUS_DIMENSION()", "REPRESENTATION_ITEM(' ')"}),
        "#570,#580", "#180,#350",
        {QStringLiteral("radius_dim_feature('1','1','1','1','0.000000','0.000000','10.000000','0.000000',"
                        "'6','1','10.000000','0.000000','1.500000000000',")
            + QLatin1String(kDimensionText)}});
    // The arc of a quarter circle, its arrows pointing in at both ends.
    const QByteArray arc = "#100=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
                           "#110=AXIS2_PLACEMENT_2D(' ',#100,$);\n"
                           "#120=CIRCLE(' ',#110,10.000000);\n"
                           "#130=TRIMMED_CURVE(' ',#120,(PARAMETER_VALUE(0.00000000000000)),"
                           "(PARAMETER_VALUE(1.57079632679490)),.F.,.PARAMETER.);\n"
        + curveStyle(160) + curveItem(180, 170, 130, "' '", "DIMENSION_CURVE()") + dimensionText()
        + twoArrows("0.00000000000000,1.00000000000000", "10.000000,0.000000", "1.00000000000000,0.00000000000000",
            "0.000000,10.000000", "filled arrow");
    const QString arcRecord = QStringLiteral("_dim_feature('1','1','1','1','0.000000','0.000000','10.000000',"
                                             "'0.000000000000','90.000000000000',"
                                             "'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000',"
                                             "'0','0.000000','0.000000','0.000000','0.000000','0.000000','0.000000',"
                                             "'6','2','10.000000','0.000000','1.500000000000',"
                                             "'6','2','0.000000','10.000000','1.500000000000',")
        + QLatin1String(kDimensionText);
    out.push_back({"curve dimension",
        arc
            + dimensionCallouts(530, 350, "#180,#350,#450,#520",
                {"CURVE_DIMENSION()", "DIMENSION_CURVE_DIRECTED_CALLOUT()", "DRAUGHTING_CALLOUT",
                    "DRAUGHTING_ELEMENTS()", "GEOMETRIC_REPRESENTATION_ITEM()", "REPRESENTATION_ITEM(' ')"}),
        "#570,#580", "#180,#350", {QStringLiteral("curve") + arcRecord}});
    out.push_back({"angular dimension",
        arc
            + dimensionCallouts(530, 350, "#180,#350,#450,#520",
                {"ANGULAR_DIMENSION()", "DIMENSION_CURVE_DIRECTED_CALLOUT()", "DRAUGHTING_CALLOUT",
                    "DRAUGHTING_ELEMENTS()", "GEOMETRIC_REPRESENTATION_ITEM()", "REPRESENTATION_ITEM(' ')"}),
        "#570,#580", "#180,#350", {QStringLiteral("angular") + arcRecord}});
    return out;
}

// A leader from (0, 0) over (10, 10) to (20, 10) at #100..#160.
QByteArray leader()
{
    return "#100=CARTESIAN_POINT(' ',(0.000000,0.000000));\n"
           "#110=CARTESIAN_POINT(' ',(10.000000,10.000000));\n"
           "#120=CARTESIAN_POINT(' ',(20.000000,10.000000));\n"
           "#130=POLYLINE(' ',(#100,#110,#120));\n"
        + curveStyle(140) + curveItem(160, 150, 130, "' '", "LEADER_CURVE()");
}

QByteArray leaderCallout(int at, QByteArrayView contents)
{
    return complexInstance(at, {"DRAUGHTING_CALLOUT((" + contents.toByteArray() + "))", "DRAUGHTING_ELEMENTS()",
               "GEOMETRIC_REPRESENTATION_ITEM()", "LEADER_DIRECTED_CALLOUT()", "REPRESENTATION_ITEM(' ')"})
        + n(at + 10) + "=PRESENTATION_STYLE_ASSIGNMENT((NULL_STYLE(.NULL.)));\n" + n(at + 20) + "=STYLED_ITEM(' ',("
        + n(at + 10) + ")," + n(at) + ");\n";
}

std::vector<P21Fixture> leaderFixtures()
{
    std::vector<P21Fixture> out;
    const QByteArray arrow = terminator(360, "10.0000000000000,10.0000000000000", "0.000000,0.000000",
        "filled arrow", "LEADER_TERMINATOR()", "' '", 160);
    out.push_back({"label with text",
        leader() + dimensionText() + arrow + leaderCallout(530, "#160,#350,#450"), "#550", "#160,#350",
        {QStringLiteral("label_feature('1','1','1','1','3','(0.000000,10.000000,20.000000)',"
                        "'(0.000000,10.000000,10.000000)','6','1.500000000000',")
            + QLatin1String(kDimensionText)}});
    out.push_back({"label without text",
        leader() + arrow + leaderCallout(530, "#160,#450"), "#550", "#160",
        {QStringLiteral("label_feature('1','1','1','1','3','(0.000000,10.000000,20.000000)',"
                        "'(0.000000,10.000000,10.000000)','6','1.500000000000','0','0',\\'\\','0.000000',"
                        "'0.000000','0.000000','0.000000','0.000000','0.000000000000','0.000000000000','0','0')")}});
    out.push_back({"balloon",
        leader()
            + "#170=CARTESIAN_POINT(' ',(25.000000,10.000000));\n"
              "#180=AXIS2_PLACEMENT_2D(' ',#170,$);\n"
              "#190=CIRCLE(' ',#180,5.000000);\n"
            + curveItem(200, 150, 190) + dimensionText() + arrow + leaderCallout(530, "#160,#200,#350,#450"),
        "#550", "#160,#350",
        {QStringLiteral("balloon_feature('1','1','1','1','3','(0.000000,10.000000,20.000000)',"
                        "'(0.000000,10.000000,10.000000)','25.000000','10.000000','5.000000','6',"
                        "'1.500000000000',")
            + QLatin1String(kDimensionText)}});
    return out;
}

}  // namespace

std::vector<P21Fixture> featureFixtures()
{
    std::vector<P21Fixture> out;
    for (auto part : {curveFixtures, symbolAndFillFixtures, dimensionFixtures, leaderFixtures}) {
        for (P21Fixture& f : part())
            out.push_back(std::move(f));
    }
    return out;
}

}  // namespace p21test
