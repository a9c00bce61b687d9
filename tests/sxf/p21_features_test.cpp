// Each feature kind alone in a drawing, written as P21: the whole file must
// be the text worked out by hand from the instance lists of every kind.
#include "sxf/p21_writer.h"

#include "tests/sxf/p21_expected.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace sxf;
using namespace p21test;

namespace {

// The square (0,0)-(10,10) as composite curve 1, visible, written as #90 to
// #190 (its interior point is (5,5)).
void addSquare(P21DrawingBuilder& b)
{
    b.add(FeatureKind::Polyline, b.d.polylines,
          PolylineFeature{.a = kAttr, .n = 5, .points = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}});
    b.curve(1, 1, 1, 1);
}

// The text of addSquare.
const std::string kSquare = R"(#90=CARTESIAN_POINT(' ',(0.000000,0.000000));
#100=CARTESIAN_POINT(' ',(10.000000,0.000000));
#110=CARTESIAN_POINT(' ',(10.000000,10.000000));
#120=CARTESIAN_POINT(' ',(0.000000,10.000000));
#130=CARTESIAN_POINT(' ',(0.000000,0.000000));
#140=POLYLINE(' ',(#90,#100,#110,#120,#130));
#150=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#140);
#160=COMPOSITE_CURVE(' ',(#150),.T.);
#170=CURVE_STYLE(' ',#30,#40,#20);
#180=PRESENTATION_STYLE_ASSIGNMENT((#170));
#190=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#180),#160)
);
)";

const FeatureCase kCases[] = {
    {"point marker",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::PointMarker, b.d.pointMarkers,
               PointMarkerFeature{.layer = 1, .colour = 1, .x = 10, .y = 20, .code = 2, .angle = 90, .scale = 1.5});
     },
     R"(#90=DIRECTION(' ',(0.00000000000000,1.00000000000000));
#100=CARTESIAN_POINT(' ',(10.000000,20.000000));
#110=AXIS2_PLACEMENT_2D(' ',#100,#90);
#120=SYMBOL_TARGET(' ',#110,1.50000000000000,1.50000000000000);
#130=PRE_DEFINED_POINT_MARKER_SYMBOL('circle');
#140=DEFINED_SYMBOL(' ',#130,#120);
#150=SYMBOL_COLOUR(#20);
#160=SYMBOL_STYLE(' ',#150);
#170=PRESENTATION_STYLE_ASSIGNMENT((#160));
#180=(
ANNOTATION_OCCURRENCE()
ANNOTATION_SYMBOL_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#170),#140)
);
)",
     190, "#180", "#180"},
    {"line, end point first and the direction not normalised",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::Line, b.d.lines, LineFeature{.a = kAttr, .x1 = 0.5, .y1 = 2, .x2 = 0.5, .y2 = -3});
     },
     R"(#90=CARTESIAN_POINT(' ',(0.500000,-3.000000));
#100=CARTESIAN_POINT(' ',(0.500000,2.000000));
#110=DIRECTION(' ',(0.000000,-5.000000));
#120=VECTOR(' ',#110,1.000000);
#130=LINE(' ',#100,#120);
#140=TRIMMED_CURVE(' ',#130,(#100),(#90),.T.,.CARTESIAN.);
#150=CURVE_STYLE(' ',#30,#40,#20);
#160=PRESENTATION_STYLE_ASSIGNMENT((#150));
#170=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#160),#140)
);
)",
     180, "#170", "#170"},
    {"polyline",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::Polyline, b.d.polylines,
               PolylineFeature{.a = kAttr, .n = 3, .points = {{0, 0}, {10, 0}, {10, 5}}});
     },
     R"(#90=CARTESIAN_POINT(' ',(0.000000,0.000000));
#100=CARTESIAN_POINT(' ',(10.000000,0.000000));
#110=CARTESIAN_POINT(' ',(10.000000,5.000000));
#120=POLYLINE(' ',(#90,#100,#110));
#130=CURVE_STYLE(' ',#30,#40,#20);
#140=PRESENTATION_STYLE_ASSIGNMENT((#130));
#150=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#140),#120)
);
)",
     160, "#150", "#150"},
    {"circle",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::Circle, b.d.circles, CircleFeature{.a = kAttr, .cx = 5, .cy = 6, .r = 2.5});
     },
     R"(#90=CARTESIAN_POINT(' ',(5.000000,6.000000));
#100=AXIS2_PLACEMENT_2D(' ',#90,$);
#110=CIRCLE(' ',#100,2.500000);
#120=CURVE_STYLE(' ',#30,#40,#20);
#130=PRESENTATION_STYLE_ASSIGNMENT((#120));
#140=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#130),#110)
);
)",
     150, "#140", "#140"},
    {"arc, clockwise, its angles as parameters with the 15th digit cut",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::Arc, b.d.arcs,
               ArcFeature{.a = kAttr, .r = 10, .direction = 1, .startAngle = 30, .endAngle = 180});
     },
     R"(#90=CARTESIAN_POINT(' ',(0.000000,0.000000));
#100=AXIS2_PLACEMENT_2D(' ',#90,$);
#110=CIRCLE(' ',#100,10.000000);
#120=TRIMMED_CURVE(' ',#110,(PARAMETER_VALUE(0.52359877559829)),(PARAMETER_VALUE(3.14159265358979)),.F.,.PARAMETER.);
#130=CURVE_STYLE(' ',#30,#40,#20);
#140=PRESENTATION_STYLE_ASSIGNMENT((#130));
#150=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#140),#120)
);
)",
     160, "#150", "#150"},
    {"ellipse, its direction and styled item named ''",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::Ellipse, b.d.ellipses, EllipseFeature{.a = kAttr, .cx = 1, .cy = 2, .rx = 4, .ry = 3});
     },
     R"(#90=DIRECTION('',(1.00000000000000,0.00000000000000));
#100=CARTESIAN_POINT(' ',(1.000000,2.000000));
#110=AXIS2_PLACEMENT_2D(' ',#100,#90);
#120=ELLIPSE(' ',#110,4.000000,3.000000);
#130=CURVE_STYLE(' ',#30,#40,#20);
#140=PRESENTATION_STYLE_ASSIGNMENT((#130));
#150=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM('')
STYLED_ITEM((#140),#120)
);
)",
     160, "#150", "#150"},
    {"elliptic arc turned by 180 degrees",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::EllipseArc, b.d.ellipseArcs,
               EllipseArcFeature{.a = kAttr, .rx = 4, .ry = 2, .rotation = 180, .startAngle = 0, .endAngle = 90});
     },
     R"(#90=DIRECTION(' ',(-0.99999999999999,0.00000000000000));
#100=CARTESIAN_POINT(' ',(0.000000,0.000000));
#110=AXIS2_PLACEMENT_2D(' ',#100,#90);
#120=ELLIPSE(' ',#110,4.000000,2.000000);
#130=TRIMMED_CURVE(' ',#120,(PARAMETER_VALUE(0.00000000000000)),(PARAMETER_VALUE(1.57079632679490)),.T.,.PARAMETER.);
#140=CURVE_STYLE(' ',#30,#40,#20);
#150=PRESENTATION_STYLE_ASSIGNMENT((#140));
#160=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#150),#130)
);
)",
     170, "#160", "#160"},
    {"text, middle-line centre, with a quote and kanji",
     [](P21DrawingBuilder& b) {
         SfcText t;
         t.layer = 1;
         t.colour = 1;
         t.font = 1;
         t.text = QStringLiteral("杭-1'");
         t.x = 10;
         t.y = 20;
         t.height = 3.5;
         t.width = 14;
         t.spacing = 0.5;
         t.basePoint = 5;
         b.add(FeatureKind::Text, b.d.texts, TextFeature{.t = t});
     },
     R"(#90=PLANAR_EXTENT(' ',14.000000,3.500000);
#100=DIRECTION(' ',(1.00000000000000,0.00000000000000));
#110=CARTESIAN_POINT(' ',(10.000000,18.250000));
#120=AXIS2_PLACEMENT_2D(' ',#110,#100);
#130=TEXT_LITERAL_WITH_EXTENT('$$SXF_middleline centre','\X2\676D\X0\-1''',#120,'baseline centre',.RIGHT.,#60,#90);
#140=TEXT_STYLE_FOR_DEFINED_FONT(#20);
#150=(
TEXT_STYLE(' ',#140)
TEXT_STYLE_WITH_BOX_CHARACTERISTICS((BOX_HEIGHT(3.500000),BOX_WIDTH(2.800000),BOX_SLANT_ANGLE(0.00000000000000),BOX_ROTATE_ANGLE(0.00000000000000)))
TEXT_STYLE_WITH_SPACING(LENGTH_MEASURE(0.500000))
);
#160=PRESENTATION_STYLE_ASSIGNMENT((#150));
#170=(
ANNOTATION_OCCURRENCE()
ANNOTATION_TEXT_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#160),#130)
);
)",
     180, "#170", "#170"},
    {"vertical text at 90 degrees, top left, in a font with ascent 0.8 and descent 0.2",
     [](P21DrawingBuilder& b) {
         SfcText t;
         t.layer = 1;
         t.colour = 1;
         t.font = 2;
         t.text = QStringLiteral("AB");
         t.height = 10;
         t.width = 5;
         t.angleDeg = 90;
         t.basePoint = 7;
         t.direction = 2;
         b.add(FeatureKind::Text, b.d.texts, TextFeature{.t = t});
     },
     // The base line lies 8 below the top; cos 90 degrees leaves a y of
     // -4.9e-16, which C writes with its sign.
     R"(#90=PLANAR_EXTENT(' ',5.000000,10.000000);
#100=DIRECTION(' ',(0.00000000000000,1.00000000000000));
#110=CARTESIAN_POINT(' ',(8.000000,-0.000000));
#120=AXIS2_PLACEMENT_2D(' ',#110,#100);
#130=TEXT_LITERAL_WITH_EXTENT('$$SXF_topline left','AB',#120,'baseline left',.DOWN.,#80,#90);
#140=TEXT_STYLE_FOR_DEFINED_FONT(#20);
#150=(
TEXT_STYLE(' ',#140)
TEXT_STYLE_WITH_BOX_CHARACTERISTICS((BOX_HEIGHT(10.000000),BOX_WIDTH(8.000000),BOX_SLANT_ANGLE(0.00000000000000),BOX_ROTATE_ANGLE(1.57079632679490)))
TEXT_STYLE_WITH_SPACING(LENGTH_MEASURE(0.000000))
);
#160=PRESENTATION_STYLE_ASSIGNMENT((#150));
#170=(
ANNOTATION_OCCURRENCE()
ANNOTATION_TEXT_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#160),#130)
);
)",
     180, "#170", "#170"},
    {"open spline",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::Spline, b.d.splines,
               SplineFeature{.a = kAttr, .openClose = 1, .n = 3, .points = {{0, 0}, {1, 1}, {2, 0}}});
     },
     R"(#90=CARTESIAN_POINT(' ',(0.000000,0.000000));
#100=CARTESIAN_POINT(' ',(1.000000,1.000000));
#110=CARTESIAN_POINT(' ',(2.000000,0.000000));
#120=BEZIER_CURVE(' ',3,(#90,#100,#110),.UNSPECIFIED.,.F.,.U.);
#130=CURVE_STYLE(' ',#30,#40,#20);
#140=PRESENTATION_STYLE_ASSIGNMENT((#130));
#150=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#140),#120)
);
)",
     160, "#150", "#150"},
    {"clothoid, its lengths in the trimmed curve's name",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::Clothoid, b.d.clothoids,
               ClothoidFeature{.a = kAttr, .parameter = 20, .direction = 1, .startLength = 0, .endLength = 25});
     },
     R"(#90=DIRECTION(' ',(1.00000000000000,0.00000000000000));
#100=CARTESIAN_POINT(' ',(0.000000,0.000000));
#110=AXIS2_PLACEMENT_2D(' ',#100,#90);
#120=CLOTHOID('1',#110,20.000000);
#130=TRIMMED_CURVE('0.000000,25.000000',#120,(PARAMETER_VALUE(0.000000)),(PARAMETER_VALUE(25.000000)),.T.,.PARAMETER.);
#140=CURVE_STYLE(' ',#30,#40,#20);
#150=PRESENTATION_STYLE_ASSIGNMENT((#140));
#160=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#150),#130)
);
)",
     170, "#160", "#160"},
    {"hidden composite curve of all four segment kinds, and no sheet",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::Polyline, b.d.polylines, PolylineFeature{.a = kAttr, .n = 2, .points = {{0, 0}, {10, 0}}});
         b.add(FeatureKind::Arc, b.d.arcs,
               ArcFeature{.a = kAttr, .cx = 10, .cy = 5, .r = 5, .startAngle = 270, .endAngle = 90});
         b.add(FeatureKind::EllipseArc, b.d.ellipseArcs,
               EllipseArcFeature{.a = kAttr, .cx = 5, .cy = 10, .rx = 5, .ry = 2, .startAngle = 0, .endAngle = 180});
         b.add(FeatureKind::Spline, b.d.splines,
               SplineFeature{.a = kAttr, .openClose = 1, .n = 3, .points = {{0, 10}, {0, 5}, {0, 0}}});
         b.curve(1, 1, 1, 0);
         b.sheet(QStringLiteral("S1"));
     },
     R"(#90=CARTESIAN_POINT(' ',(0.000000,0.000000));
#100=CARTESIAN_POINT(' ',(10.000000,0.000000));
#110=POLYLINE(' ',(#90,#100));
#120=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#110);
#130=CARTESIAN_POINT(' ',(10.000000,5.000000));
#140=AXIS2_PLACEMENT_2D(' ',#130,$);
#150=CIRCLE(' ',#140,5.000000);
#160=TRIMMED_CURVE(' ',#150,(PARAMETER_VALUE(4.71238898038469)),(PARAMETER_VALUE(1.57079632679490)),.T.,.PARAMETER.);
#170=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#160);
#180=DIRECTION(' ',(1.00000000000000,0.00000000000000));
#190=CARTESIAN_POINT(' ',(5.000000,10.000000));
#200=AXIS2_PLACEMENT_2D(' ',#190,#180);
#210=ELLIPSE(' ',#200,5.000000,2.000000);
#220=TRIMMED_CURVE(' ',#210,(PARAMETER_VALUE(0.00000000000000)),(PARAMETER_VALUE(3.14159265358979)),.T.,.PARAMETER.);
#230=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#220);
#240=CARTESIAN_POINT(' ',(0.000000,10.000000));
#250=CARTESIAN_POINT(' ',(0.000000,5.000000));
#260=CARTESIAN_POINT(' ',(0.000000,0.000000));
#270=BEZIER_CURVE(' ',3,(#240,#250,#260),.UNSPECIFIED.,.F.,.U.);
#280=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#270);
#290=COMPOSITE_CURVE(' ',(#120,#170,#230,#280),.T.);
#300=CURVE_STYLE(' ',#30,#40,#20);
#310=PRESENTATION_STYLE_ASSIGNMENT((#300));
#320=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#310),#290)
);
#330=INVISIBILITY((#320));
)"},
    {"solid fill with a hole, its point inside written first",
     [](P21DrawingBuilder& b) {
         addSquare(b);
         b.add(FeatureKind::Polyline, b.d.polylines,
               PolylineFeature{.a = kAttr, .n = 4, .points = {{2, 2}, {3, 2}, {3, 3}, {2, 2}}});
         b.curve(1, 1, 1, 1);
         b.add(FeatureKind::FillColour, b.d.fillColours,
               FillColourFeature{.layer = 1, .colour = 1, .boundary = {.outer = 1, .holeCount = 1, .holes = {2}}});
     },
     kSquare + R"(#200=CARTESIAN_POINT(' ',(2.000000,2.000000));
#210=CARTESIAN_POINT(' ',(3.000000,2.000000));
#220=CARTESIAN_POINT(' ',(3.000000,3.000000));
#230=CARTESIAN_POINT(' ',(2.000000,2.000000));
#240=POLYLINE(' ',(#200,#210,#220,#230));
#250=COMPOSITE_CURVE_SEGMENT(.CONTINUOUS.,.T.,#240);
#260=COMPOSITE_CURVE(' ',(#250),.T.);
#270=CURVE_STYLE(' ',#30,#40,#20);
#280=PRESENTATION_STYLE_ASSIGNMENT((#270));
#290=(
ANNOTATION_CURVE_OCCURRENCE()
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#280),#260)
);
#340=CARTESIAN_POINT(' ',(5.000000,5.000000));
#300=ANNOTATION_FILL_AREA(' ',(#160,#260));
#310=FILL_AREA_STYLE_COLOUR(' ',#20);
#320=FILL_AREA_STYLE(' ',(#310));
#330=PRESENTATION_STYLE_ASSIGNMENT((#320));
#350=(
ANNOTATION_FILL_AREA_OCCURRENCE(#340)
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#330),#300)
);
)",
     360, "#350", "#350"},
    {"externally defined hatching",
     [](P21DrawingBuilder& b) {
         addSquare(b);
         b.add(FeatureKind::ExternalHatch, b.d.externalHatches,
               ExternalHatchFeature{.layer = 1, .name = QStringLiteral("H1"), .boundary = {.outer = 1}});
     },
     kSquare + R"(#250=CARTESIAN_POINT(' ',(5.000000,5.000000));
#200=ANNOTATION_FILL_AREA(' ',(#160));
#210=EXTERNAL_SOURCE(IDENTIFIER('scadec'));
#220=EXTERNALLY_DEFINED_HATCH_STYLE(IDENTIFIER('H1'),#210,' ');
#230=FILL_AREA_STYLE(' ',(#220));
#240=PRESENTATION_STYLE_ASSIGNMENT((#230));
#260=(
ANNOTATION_FILL_AREA_OCCURRENCE(#250)
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#240),#200)
);
)",
     270, "#260", "#260"},
    {"user hatching of two patterns, listed last first",
     [](P21DrawingBuilder& b) {
         addSquare(b);
         HatchingFeature h{.layer = 1, .patternCount = 2, .boundary = {.outer = 1}};
         h.patterns.push_back({1, 1, 1, 0, 0, 2, 45, {}});
         h.patterns.push_back({1, 1, 1, 1, 0, 3, 0, {}});
         b.add(FeatureKind::Hatching, b.d.hatchings, h);
     },
     kSquare + R"(#200=ANNOTATION_FILL_AREA(' ',(#160));
#210=CARTESIAN_POINT(' ',(0.000000,0.000000));
#220=DIRECTION(' ',(-0.70710678118654,0.70710678118654));
#230=VECTOR(' ',#220,2.000000);
#240=ONE_DIRECTION_REPEAT_FACTOR(' ',#230);
#250=CURVE_STYLE(' ',#30,#40,#20);
#260=FILL_AREA_STYLE_HATCHING(' ',#250,#240,#210,#210,0.78539816339744);
#270=CARTESIAN_POINT(' ',(1.000000,0.000000));
#280=DIRECTION(' ',(0.00000000000000,1.00000000000000));
#290=VECTOR(' ',#280,3.000000);
#300=ONE_DIRECTION_REPEAT_FACTOR(' ',#290);
#310=CURVE_STYLE(' ',#30,#40,#20);
#320=FILL_AREA_STYLE_HATCHING(' ',#310,#300,#270,#270,0.00000000000000);
#330=FILL_AREA_STYLE(' ',(#320,#260));
#340=PRESENTATION_STYLE_ASSIGNMENT((#330));
#350=(
ANNOTATION_FILL_AREA_OCCURRENCE(#210)
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#340),#200)
);
)",
     360, "#350", "#350"},
    {"tiles of an external symbol",
     [](P21DrawingBuilder& b) {
         addSquare(b);
         b.add(FeatureKind::Tiles, b.d.tiles,
               TilesFeature{.layer = 1, .name = QStringLiteral("T1"), .colour = 1, .patternX = 1, .patternY = 2,
                            .vector1 = 10, .vector1Angle = 0, .vector2 = 5, .vector2Angle = 90, .scaleX = 2,
                            .scaleY = 3, .angle = 0, .boundary = {.outer = 1}});
     },
     kSquare + R"(#200=DIRECTION(' ',(1.00000000000000,0.00000000000000));
#210=CARTESIAN_POINT(' ',(1.000000,2.000000));
#220=AXIS2_PLACEMENT_2D(' ',#210,#200);
#230=SYMBOL_TARGET(' ',#220,2.00000000000000,3.00000000000000);
#240=EXTERNAL_SOURCE(IDENTIFIER('scadec'));
#250=EXTERNALLY_DEFINED_SYMBOL(IDENTIFIER('T1'),#240);
#260=DEFINED_SYMBOL(' ',#250,#230);
#270=SYMBOL_COLOUR(#20);
#280=SYMBOL_STYLE(' ',#270);
#290=PRESENTATION_STYLE_ASSIGNMENT((#280));
#300=(
ANNOTATION_OCCURRENCE()
ANNOTATION_SYMBOL_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#290),#260)
);
#310=ANNOTATION_FILL_AREA(' ',(#160));
#320=FILL_AREA_STYLE_TILE_SYMBOL_WITH_STYLE(' ',#300);
#330=DIRECTION(' ',(1.00000000000000,0.00000000000000));
#340=VECTOR(' ',#330,10.000000);
#350=DIRECTION(' ',(0.00000000000000,1.00000000000000));
#360=VECTOR(' ',#350,5.000000);
#370=TWO_DIRECTION_REPEAT_FACTOR(' ',#360,#340);
#380=FILL_AREA_STYLE_TILES(' ',#370,(#320),1.000000);
#390=FILL_AREA_STYLE(' ',(#380));
#400=PRESENTATION_STYLE_ASSIGNMENT((#390));
#410=(
ANNOTATION_FILL_AREA_OCCURRENCE(#210)
ANNOTATION_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#400),#310)
);
)",
     420, "#410", "#410"},
    {"external symbol without a colour of its own",
     [](P21DrawingBuilder& b) {
         b.add(FeatureKind::ExternalSymbol, b.d.externalSymbols,
               ExternalSymbolFeature{.layer = 1, .colourFlag = 0, .name = QStringLiteral("E1"), .x = 3, .y = 4});
     },
     R"(#90=DIRECTION(' ',(1.00000000000000,0.00000000000000));
#100=CARTESIAN_POINT(' ',(3.000000,4.000000));
#110=AXIS2_PLACEMENT_2D(' ',#100,#90);
#120=SYMBOL_TARGET(' ',#110,1.00000000000000,1.00000000000000);
#130=EXTERNAL_SOURCE(IDENTIFIER('scadec'));
#140=EXTERNALLY_DEFINED_SYMBOL(IDENTIFIER('E1'),#130);
#150=DEFINED_SYMBOL(' ',#140,#120);
#160=SYMBOL_STYLE(' ',$);
#170=PRESENTATION_STYLE_ASSIGNMENT((#160));
#180=(
ANNOTATION_OCCURRENCE()
ANNOTATION_SYMBOL_OCCURRENCE()
DRAUGHTING_ANNOTATION_OCCURRENCE()
GEOMETRIC_REPRESENTATION_ITEM()
REPRESENTATION_ITEM(' ')
STYLED_ITEM((#170),#150)
);
)",
     190, "#180", "#180"},
};

TEST(P21Features, OneFeatureDrawingIsWrittenExactly)
{
    expectFeatureCases(kCases);
}

}  // namespace
