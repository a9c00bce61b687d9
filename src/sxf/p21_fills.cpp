// Fill areas, their styles and their styled items.
#include "sxf/p21_fills.h"

#include "sxf/p21_blocks.h"
#include "sxf/p21_symbols.h"

#include <cmath>

namespace sxf::p21 {
namespace {

// A user hatching has one to four line patterns.
constexpr size_t kMaxHatchPatterns = 4;

// The COMPOSITE_CURVE of the outer boundary and of each hole, or nothing
// when one of them is not a curve written before the fill.
std::vector<int32_t> boundaryCurves(const Context& ctx, const FillBoundary& b)
{
    std::vector<int32_t> curves;
    const WrittenCurve* outer = ctx.curve(b.outer);
    if (!outer)
        return {};
    curves.push_back(outer->instance);
    for (int32_t hole : b.holes) {
        const WrittenCurve* c = ctx.curve(hole);
        if (!c)
            return {};
        curves.push_back(c->instance);
    }
    return curves;
}

int32_t writeFillArea(P21Output& o, int32_t n, const std::vector<int32_t>& curves)
{
    o.simple(n, "ANNOTATION_FILL_AREA").raw("' '").refs(curves).end();
    return n;
}

int32_t writeFillItem(P21Output& o, int32_t n, int32_t target, int32_t style, int32_t area)
{
    o.complex(n);
    o.record("ANNOTATION_FILL_AREA_OCCURRENCE").ref(target).endRecord();
    o.emptyRecords({"ANNOTATION_OCCURRENCE", "DRAUGHTING_ANNOTATION_OCCURRENCE", "GEOMETRIC_REPRESENTATION_ITEM"});
    o.record("REPRESENTATION_ITEM").raw("' '").endRecord();
    o.record("STYLED_ITEM").open().ref(style).close().ref(area).endRecord();
    o.endComplex();
    return n;
}

int32_t writeFillStyle(P21Output& o, int32_t n, int32_t style)
{
    o.simple(n, "FILL_AREA_STYLE").raw("' '").open().ref(style).close().end();
    return n;
}

Refusal place(Placed& placed, int32_t layer, int32_t item)
{
    placed.layer = layer;
    placed.member(item);
    placed.item(item);
    return Refusal::None;
}

}  // namespace

Refusal writeFillColour(Context& ctx, const FillColourFeature& f, Placed& placed)
{
    const std::vector<int32_t> curves = boundaryCurves(ctx, f.boundary);
    if (curves.empty())
        return Refusal::NoBoundary;
    const int32_t colour = ctx.tables.colours[f.colour];
    if (colour == 0)
        return Refusal::UnknownCode;
    P21Output& o = ctx.out;
    const int32_t n = o.take();
    const int32_t fillColour = o.take(), fillStyle = o.take(), assignment = o.take(), target = o.take();
    const int32_t item = o.take();
    // The target point comes first in the file, though numbered after the
    // style: the library writes an instance's references before it.
    const WrittenCurve* outer = ctx.curve(f.boundary.outer);
    o.simple(target, "CARTESIAN_POINT").raw("' '").point(outer->x, outer->y).end();
    writeFillArea(o, n, curves);
    o.simple(fillColour, "FILL_AREA_STYLE_COLOUR").raw("' '").ref(colour).end();
    writeFillStyle(o, fillStyle, fillColour);
    o.simple(assignment, "PRESENTATION_STYLE_ASSIGNMENT").open().ref(fillStyle).close().end();
    writeFillItem(o, item, target, assignment, n);
    return place(placed, f.layer, item);
}

Refusal writeExternalHatch(Context& ctx, const ExternalHatchFeature& f, Placed& placed)
{
    const std::vector<int32_t> curves = boundaryCurves(ctx, f.boundary);
    if (curves.empty())
        return Refusal::NoBoundary;
    P21Output& o = ctx.out;
    const int32_t n = o.take();
    const int32_t source = o.take(), hatch = o.take(), fillStyle = o.take(), assignment = o.take();
    const int32_t target = o.take(), item = o.take();
    const WrittenCurve* outer = ctx.curve(f.boundary.outer);
    o.simple(target, "CARTESIAN_POINT").raw("' '").point(outer->x, outer->y).end();
    writeFillArea(o, n, curves);
    o.simple(source, "EXTERNAL_SOURCE").open("IDENTIFIER").raw("'scadec'").close().end();
    o.simple(hatch, "EXTERNALLY_DEFINED_HATCH_STYLE").open("IDENTIFIER").string(f.name).close().ref(source);
    o.raw("' '").end();
    writeFillStyle(o, fillStyle, hatch);
    o.simple(assignment, "PRESENTATION_STYLE_ASSIGNMENT").open().ref(fillStyle).close().end();
    writeFillItem(o, item, target, assignment, n);
    return place(placed, f.layer, item);
}

Refusal writeHatching(Context& ctx, const HatchingFeature& f, Placed& placed)
{
    if (f.patterns.empty() || f.patterns.size() > kMaxHatchPatterns)
        return Refusal::OutOfRange;
    const std::vector<int32_t> curves = boundaryCurves(ctx, f.boundary);
    if (curves.empty())
        return Refusal::NoBoundary;
    P21Output& o = ctx.out;
    const TableInstances& t = ctx.tables;
    const int32_t area = writeFillArea(o, o.take(), curves);
    std::vector<int32_t> hatchings;
    int32_t firstStart = 0;
    for (const HatchPattern& p : f.patterns) {
        const int32_t font = t.lineTypes[p.lineType], width = t.widths[p.width], colour = t.colours[p.colour];
        if (font == 0 || width == 0 || colour == 0)
            return Refusal::UnknownCode;
        const double alpha = radians(p.angle);
        const int32_t start = writePoint(o, p.startX, p.startY);
        if (firstStart == 0)
            firstStart = start;
        // The repeat runs across the lines, normal to their angle.
        const int32_t normal = writeAngleDirection(o, -std::sin(alpha), std::cos(alpha));
        const int32_t vector = o.take();
        o.simple(vector, "VECTOR").raw("' '").ref(normal).real(p.spacing).end();
        const int32_t repeat = o.take();
        o.simple(repeat, "ONE_DIRECTION_REPEAT_FACTOR").raw("' '").ref(vector).end();
        const int32_t curveStyle = o.take();
        o.simple(curveStyle, "CURVE_STYLE").raw("' '").ref(font).ref(width).ref(colour).end();
        const int32_t hatching = o.take();
        o.simple(hatching, "FILL_AREA_STYLE_HATCHING").raw("' '").ref(curveStyle).ref(repeat).ref(start).ref(start);
        o.angle(alpha).end();
        hatchings.push_back(hatching);
    }
    // The library lists the patterns last first.
    const std::vector<int32_t> reversed(hatchings.rbegin(), hatchings.rend());
    const int32_t fillStyle = o.take();
    o.simple(fillStyle, "FILL_AREA_STYLE").raw("' '").refs(reversed).end();
    const int32_t assignment = writeStyleAssignment(o, fillStyle);
    return place(placed, f.layer, writeFillItem(o, o.take(), firstStart, assignment, area));
}

Refusal writeTiles(Context& ctx, const TilesFeature& f, Placed& placed)
{
    const std::vector<int32_t> curves = boundaryCurves(ctx, f.boundary);
    if (curves.empty())
        return Refusal::NoBoundary;
    const int32_t colour = ctx.tables.colours[f.colour];
    if (colour == 0)
        return Refusal::UnknownCode;
    P21Output& o = ctx.out;
    // The tile: an external symbol in the fill's colour; its point, the
    // second instance of the block, is the fill's target.
    const int32_t target = o.peek() + 10;
    const int32_t symbol =
        writeExternalSymbolBlock(o, colour, f.name, f.patternX, f.patternY, f.angle, f.scaleX, f.scaleY);
    const int32_t area = writeFillArea(o, o.take(), curves);
    const int32_t tile = o.take();
    o.simple(tile, "FILL_AREA_STYLE_TILE_SYMBOL_WITH_STYLE").raw("' '").ref(symbol).end();
    const auto vector = [&o](double angleDeg, double length) {
        const int32_t direction = writeRotation(o, angleDeg);
        const int32_t n = o.take();
        o.simple(n, "VECTOR").raw("' '").ref(direction).real(length).end();
        return n;
    };
    const int32_t first = vector(f.vector1Angle, f.vector1);
    const int32_t second = vector(f.vector2Angle, f.vector2);
    const int32_t repeat = o.take();
    o.simple(repeat, "TWO_DIRECTION_REPEAT_FACTOR").raw("' '").ref(second).ref(first).end();
    const int32_t tiles = o.take();
    o.simple(tiles, "FILL_AREA_STYLE_TILES").raw("' '").ref(repeat).open().ref(tile).close().raw("1.000000").end();
    const int32_t fillStyle = writeFillStyle(o, o.take(), tiles);
    const int32_t assignment = writeStyleAssignment(o, fillStyle);
    return place(placed, f.layer, writeFillItem(o, o.take(), target, assignment, area));
}

}  // namespace sxf::p21
