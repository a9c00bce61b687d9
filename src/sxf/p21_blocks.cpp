// Shared instance groups.
#include "sxf/p21_blocks.h"

#include <array>
#include <cmath>
#include <numbers>

namespace sxf::p21 {
namespace {

using Records = std::span<const std::string_view>;

constexpr std::array<std::string_view, 4> kCurve = {
    "ANNOTATION_CURVE_OCCURRENCE", "ANNOTATION_OCCURRENCE", "DRAUGHTING_ANNOTATION_OCCURRENCE",
    "GEOMETRIC_REPRESENTATION_ITEM"};
constexpr std::array<std::string_view, 5> kDimensionCurve = {
    "ANNOTATION_CURVE_OCCURRENCE", "ANNOTATION_OCCURRENCE", "DIMENSION_CURVE", "DRAUGHTING_ANNOTATION_OCCURRENCE",
    "GEOMETRIC_REPRESENTATION_ITEM"};
constexpr std::array<std::string_view, 5> kLeaderCurve = {
    "ANNOTATION_CURVE_OCCURRENCE", "ANNOTATION_OCCURRENCE", "DRAUGHTING_ANNOTATION_OCCURRENCE",
    "GEOMETRIC_REPRESENTATION_ITEM", "LEADER_CURVE"};
constexpr std::array<std::string_view, 5> kProjectionCurve = {
    "ANNOTATION_CURVE_OCCURRENCE", "ANNOTATION_OCCURRENCE", "DRAUGHTING_ANNOTATION_OCCURRENCE",
    "GEOMETRIC_REPRESENTATION_ITEM", "PROJECTION_CURVE"};
constexpr std::array<std::string_view, 4> kSymbol = {
    "ANNOTATION_OCCURRENCE", "ANNOTATION_SYMBOL_OCCURRENCE", "DRAUGHTING_ANNOTATION_OCCURRENCE",
    "GEOMETRIC_REPRESENTATION_ITEM"};
// Exactly these five before the last two: readers find a placement's
// records by their position.
constexpr std::array<std::string_view, 5> kSubfigure = {
    "ANNOTATION_OCCURRENCE", "ANNOTATION_SUBFIGURE_OCCURRENCE", "ANNOTATION_SYMBOL_OCCURRENCE",
    "DRAUGHTING_ANNOTATION_OCCURRENCE", "GEOMETRIC_REPRESENTATION_ITEM"};
constexpr std::array<std::string_view, 4> kText = {
    "ANNOTATION_OCCURRENCE", "ANNOTATION_TEXT_OCCURRENCE", "DRAUGHTING_ANNOTATION_OCCURRENCE",
    "GEOMETRIC_REPRESENTATION_ITEM"};

Records recordsOf(Styled kind)
{
    switch (kind) {
    case Styled::Curve: return kCurve;
    case Styled::DimensionCurve: return kDimensionCurve;
    case Styled::LeaderCurve: return kLeaderCurve;
    case Styled::ProjectionCurve: return kProjectionCurve;
    case Styled::Symbol: return kSymbol;
    case Styled::Subfigure: return kSubfigure;
    case Styled::Text: return kText;
    }
    return kCurve;
}

}  // namespace

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

int32_t writePoint(P21Output& o, double x, double y)
{
    const int32_t n = o.take();
    o.simple(n, "CARTESIAN_POINT").raw("' '").point(x, y).end();
    return n;
}

int32_t writeAngleDirection(P21Output& o, double x, double y)
{
    const int32_t n = o.take();
    o.simple(n, "DIRECTION").raw("' '").direction(x, y).end();
    return n;
}

int32_t writeRotation(P21Output& o, double degrees)
{
    const double a = radians(degrees);
    return writeAngleDirection(o, std::cos(a), std::sin(a));
}

int32_t writeAxis(P21Output& o, int32_t point, int32_t direction)
{
    const int32_t n = o.take();
    o.simple(n, "AXIS2_PLACEMENT_2D").raw("' '").ref(point);
    if (direction != 0)
        o.ref(direction);
    else
        o.raw("$");
    o.end();
    return n;
}

int32_t writeSymbolTarget(P21Output& o, int32_t axis, double sx, double sy)
{
    const int32_t n = o.take();
    o.simple(n, "SYMBOL_TARGET").raw("' '").ref(axis).angle(sx).angle(sy).end();
    return n;
}

int32_t writeNullStyle(P21Output& o)
{
    const int32_t n = o.take();
    o.simple(n, "PRESENTATION_STYLE_ASSIGNMENT").open().raw("NULL_STYLE(.NULL.)").close().end();
    return n;
}

int32_t writeStyleAssignment(P21Output& o, int32_t style)
{
    const int32_t n = o.take();
    o.simple(n, "PRESENTATION_STYLE_ASSIGNMENT").open().ref(style).close().end();
    return n;
}

int32_t writeSymbolStyle(P21Output& o, int32_t colour)
{
    const int32_t symbolColour = o.take();
    o.simple(symbolColour, "SYMBOL_COLOUR").ref(colour).end();
    const int32_t style = o.take();
    o.simple(style, "SYMBOL_STYLE").raw("' '").ref(symbolColour).end();
    return writeStyleAssignment(o, style);
}

int32_t writeCurveStyle(Context& ctx, int32_t lineType, int32_t width, int32_t colour)
{
    const TableInstances& t = ctx.tables;
    const int32_t font = t.lineTypes[lineType], w = t.widths[width], c = t.colours[colour];
    if (font == 0 || w == 0 || c == 0)
        return 0;
    const int32_t n = ctx.out.take();
    ctx.out.simple(n, "CURVE_STYLE").raw("' '").ref(font).ref(w).ref(c).end();
    return writeStyleAssignment(ctx.out, n);
}

int32_t writeStyledItem(P21Output& o, Styled kind, QStringView name, int32_t style, int32_t item)
{
    const int32_t n = o.take();
    o.complex(n);
    for (std::string_view r : recordsOf(kind)) {
        o.record(r);
        o.endRecord();
    }
    o.record("REPRESENTATION_ITEM").string(name).endRecord();
    o.record("STYLED_ITEM").open().ref(style).close().ref(item).endRecord();
    o.endComplex();
    return n;
}

}  // namespace sxf::p21
