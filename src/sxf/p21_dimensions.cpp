// Dimensions: the dimension curve, extension lines, the value, the arrow
// heads, and the callouts that tie them together.
#include "sxf/p21_dimensions.h"

#include "sxf/p21_blocks.h"
#include "sxf/p21_curves.h"
#include "sxf/p21_text.h"

#include <array>
#include <cmath>
#include <vector>

namespace sxf::p21 {
namespace {

constexpr std::array<std::string_view, 11> kArrowNames = {
    "'blanked arrow'", "'blanked box'", "'blanked dot'", "'dimension origin'", "'filled box'", "'filled arrow'",
    "'filled dot'", "'integral symbol'", "'open arrow'", "'slash'", "'unfilled arrow'"};

enum class DimKind : uint8_t { Linear, Curve, Angular, Radius, Diameter };

struct Vec {
    double x = 0, y = 0;
};

Vec scaled(Vec v, double k)
{
    return {v.x * k, v.y * k};
}

bool arrowValid(const SfcArrow& r)
{
    if (r.orientation < 0 || r.orientation > 2)
        return false;
    return r.orientation == 0 || (r.code >= 1 && size_t(r.code) <= kArrowNames.size());
}

// An extension line from its start to its end, on a LINE through its base
// point, styled like the dimension curve; returns its styled item.
int32_t writeProjection(P21Output& o, const SfcExtLine& e, int32_t style, QStringView name)
{
    const int32_t end = writePoint(o, e.endX, e.endY);
    const int32_t start = writePoint(o, e.startX, e.startY);
    const int32_t direction = o.take();
    o.simple(direction, "DIRECTION").raw("' '").point(e.endX - e.startX, e.endY - e.startY).end();
    const int32_t vector = o.take();
    o.simple(vector, "VECTOR").raw("' '").ref(direction).raw("1.000000").end();
    const int32_t base = writePoint(o, e.baseX, e.baseY);
    const int32_t line = o.take();
    o.simple(line, "LINE").raw("' '").ref(base).ref(vector).end();
    const int32_t trimmed = o.take();
    o.simple(trimmed, "TRIMMED_CURVE").raw("' '").ref(line).open().ref(start).close().open().ref(end).close();
    o.raw(".T.").raw(".CARTESIAN.").end();
    return writeStyledItem(o, Styled::ProjectionCurve, name, style, trimmed);
}

// The value of a dimension, label or balloon, named 'dimension value'. An
// annotation without a value still has its text (empty); if its font code
// names no font, as annotations without a value carry 0, it takes the
// first font written.
Refusal writeValue(Context& ctx, const SfcAttr& a, const SfcTextBlock& t, int32_t& item)
{
    TextValues v{a.colour, t.fo, t.st, t.kx, t.ky, t.sy, t.sx, t.md, t.ma, t.ms, t.kt, t.dr};
    if (t.mf == 0) {
        v.text = {};
        if (ctx.tables.fonts[v.font] == 0)
            v.font = ctx.tables.firstFont;
    }
    return writeTextBlock(ctx, v, u"dimension value", item);
}

// The arrows of a dimension, arrow 1 first, each with its direction.
struct DimArrow {
    const SfcArrow* arrow = nullptr;
    Vec direction;
};

// The callouts: the structured one on the value, the one of `kind` on
// `contents`, their relationship, and in the sheet their null-styled items.
void writeCallouts(Context& ctx, DimKind kind, int32_t value, const std::vector<int32_t>& contents,
                   Placed& placed)
{
    P21Output& o = ctx.out;
    const int32_t structured = o.take();
    o.complex(structured);
    o.record("DRAUGHTING_CALLOUT").open().ref(value).close().endRecord();
    o.emptyRecords({"DRAUGHTING_ELEMENTS", "GEOMETRIC_REPRESENTATION_ITEM"});
    o.record("REPRESENTATION_ITEM").raw("' '").endRecord();
    o.emptyRecords({"STRUCTURED_DIMENSION_CALLOUT"});
    o.endComplex();

    const int32_t callout = o.take();
    o.complex(callout);
    switch (kind) {
    case DimKind::Curve: o.emptyRecords({"CURVE_DIMENSION"}); break;
    case DimKind::Angular: o.emptyRecords({"ANGULAR_DIMENSION"}); break;
    case DimKind::Diameter: o.emptyRecords({"DIAMETER_DIMENSION"}); break;
    case DimKind::Linear:
    case DimKind::Radius: break;
    }
    o.emptyRecords({"DIMENSION_CURVE_DIRECTED_CALLOUT"});
    o.record("DRAUGHTING_CALLOUT").refs(contents).endRecord();
    o.emptyRecords({"DRAUGHTING_ELEMENTS", "GEOMETRIC_REPRESENTATION_ITEM"});
    if (kind == DimKind::Linear)
        o.emptyRecords({"LINEAR_DIMENSION"});
    if (kind == DimKind::Radius)
        o.emptyRecords({"RADIUS_DIMENSION"});
    o.record("REPRESENTATION_ITEM").raw("' '").endRecord();
    o.endComplex();

    o.simple(o.take(), "DIMENSION_CALLOUT_RELATIONSHIP").raw("'primary'").raw("' '").ref(callout).ref(structured).end();
    if (!ctx.inSheet) {
        placed.item(structured);
        placed.item(callout);
        return;
    }
    const int32_t style = writeNullStyle(o);
    for (const int32_t c : {structured, callout}) {
        const int32_t item = o.take();
        o.simple(item, "STYLED_ITEM").raw("' '").open().ref(style).close().ref(c).end();
        placed.item(item);
    }
}

// Everything after the dimension curve: extension lines, value, arrows and
// callouts. `curve` is the dimension curve's styled item, `style` its
// style assignment.
Refusal writeDimensionParts(Context& ctx, DimKind kind, const SfcAttr& a, int32_t curve, int32_t style,
                            const SfcExtLine* e1, const SfcExtLine* e2, std::span<const DimArrow> arrows,
                            const SfcTextBlock& t, Placed& placed)
{
    P21Output& o = ctx.out;
    std::vector<int32_t> contents{curve};
    if (e1 && e1->flag == 1)
        contents.push_back(writeProjection(o, *e1, style, u"$$SXF_prj_1"));
    if (e2 && e2->flag == 1)
        contents.push_back(writeProjection(o, *e2, style, u"$$SXF_prj_2"));
    int32_t value = 0;
    if (const Refusal r = writeValue(ctx, a, t, value); r != Refusal::None)
        return r;
    contents.push_back(value);

    const int32_t colour = ctx.tables.colours[a.colour];
    int32_t arrowStyle = 0;
    bool first = true;
    for (size_t k = 0; k < arrows.size(); ++k) {
        const SfcArrow& r = *arrows[k].arrow;
        if (r.orientation == 0)
            continue;
        // A radius dimension's one arrow has no number in its name.
        const QStringView name = kind == DimKind::Radius ? u" " : k == 0 ? u"$$SXF_arw_1" : u"$$SXF_arw_2";
        const Vec d = arrows[k].direction;
        contents.push_back(writeTerminator(o, first ? TerminatorRole::Origin : TerminatorRole::Target, name, r.code,
                                           r.x, r.y, d.x, d.y, r.scale, colour, arrowStyle, curve));
        first = false;
    }
    writeCallouts(ctx, kind, value, contents, placed);
    placed.layer = a.layer;
    placed.member(curve);
    placed.member(value);
    return Refusal::None;
}

// The line of a linear or diameter dimension, from (x1, y1) to (x2, y2).
struct DimensionLine {
    double x1, y1, x2, y2;
};

// The direction of arrow `k` (0 or 1) of a linear or diameter dimension:
// along the line or against it as its in/out code says. With both arrows,
// the one nearer the start counts as first.
Vec straightArrow(const DimensionLine& l, const SfcArrow& r1, const SfcArrow& r2, size_t k)
{
    const double length = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
    const Vec u{(l.x2 - l.x1) / length, (l.y2 - l.y1) / length};
    const bool both = r1.orientation != 0 && r2.orientation != 0;
    bool along = (k == 0) == ((k == 0 ? r1 : r2).orientation == 2);
    if (both && std::hypot(r1.x - l.x1, r1.y - l.y1) > std::hypot(r2.x - l.x1, r2.y - l.y1))
        along = !along;
    return scaled(u, along ? 1 : -1);
}

// The styled item of the dimension curve `geometry`, in the dimension's
// line style, whose assignment goes to `style`; 0 when a code names no
// table entry.
int32_t writeDimensionCurve(Context& ctx, const SfcAttr& a, int32_t geometry, int32_t& style)
{
    style = writeCurveStyle(ctx, a.lineType, a.width, a.colour);
    return style == 0 ? 0 : writeStyledItem(ctx.out, Styled::DimensionCurve, u" ", style, geometry);
}

// The direction of arrow `k` (0 or 1) of a curve or angular dimension: the
// tangent at the arrow's place, turned inward or outward by its code.
// With one arrow, the library divides by a length that takes the x
// difference twice; that only scales the vector, and it is kept for the
// same digits. The library refuses two arrows that do not lie on the arc
// in order; their tangents are written all the same, so that no dimension
// is lost.
Vec arcArrow(const ArcDimFeature& f, const SfcArrow& r, size_t k, bool both)
{
    const double dx = r.x - f.cx, dy = r.y - f.cy;
    Vec v;
    if (dx == 0 && dy == 0) {
        // At the centre: the radius of the arc's end the arrow stands for.
        const double a = radians(k == 0 ? f.startAngle : f.endAngle);
        v = {std::cos(a), std::sin(a)};
    } else {
        const double odd = std::sqrt(dx * dx + (r.x - f.cy) * (r.x - f.cy));
        const double length = both || !(odd > 0) || !std::isfinite(odd) ? std::hypot(dx, dy) : odd;
        v = {dx / length, dy / length};
    }
    const bool inward = r.orientation == 2;
    // Arrow 1 turns counter-clockwise when inward, arrow 2 clockwise.
    const bool counterClockwise = (k == 0) == inward;
    return counterClockwise ? Vec{-v.y, v.x} : Vec{v.y, -v.x};
}

}  // namespace

int32_t writeTerminator(P21Output& o, TerminatorRole role, QStringView name, int32_t code, double x, double y,
                        double dx, double dy, double scale, int32_t colour, int32_t& style, int32_t curve)
{
    const int32_t direction = writeAngleDirection(o, dx, dy);
    const int32_t point = writePoint(o, x, y);
    const int32_t target = writeSymbolTarget(o, writeAxis(o, point, direction), scale, scale);
    const int32_t shape = o.take();
    o.simple(shape, "PRE_DEFINED_TERMINATOR_SYMBOL").raw(kArrowNames[size_t(code - 1)]).end();
    const int32_t symbol = o.take();
    o.simple(symbol, "DEFINED_SYMBOL").raw("' '").ref(shape).ref(target).end();
    if (role != TerminatorRole::Target)
        style = writeSymbolStyle(o, colour);
    const int32_t n = o.take();
    o.complex(n);
    o.emptyRecords({"ANNOTATION_OCCURRENCE", "ANNOTATION_SYMBOL_OCCURRENCE"});
    if (role == TerminatorRole::Leader) {
        o.emptyRecords({"DRAUGHTING_ANNOTATION_OCCURRENCE", "GEOMETRIC_REPRESENTATION_ITEM", "LEADER_TERMINATOR"});
    } else {
        o.record("DIMENSION_CURVE_TERMINATOR").raw(role == TerminatorRole::Origin ? ".ORIGIN." : ".TARGET.");
        o.endRecord();
        o.emptyRecords({"DRAUGHTING_ANNOTATION_OCCURRENCE", "GEOMETRIC_REPRESENTATION_ITEM"});
    }
    o.record("REPRESENTATION_ITEM").string(name).endRecord();
    o.record("STYLED_ITEM").open().ref(style).close().ref(symbol).endRecord();
    o.record("TERMINATOR_SYMBOL").ref(curve).endRecord();
    o.endComplex();
    return n;
}

Refusal writeLinearDim(Context& ctx, const LinearDimFeature& f, Placed& placed)
{
    if (!arrowValid(f.r1) || !arrowValid(f.r2))
        return Refusal::OutOfRange;
    int32_t style = 0;
    const int32_t curve = writeDimensionCurve(ctx, f.a, writeLineCurve(ctx.out, f.x1, f.y1, f.x2, f.y2), style);
    if (curve == 0)
        return Refusal::UnknownCode;
    const DimensionLine l{f.x1, f.y1, f.x2, f.y2};
    const DimArrow arrows[] = {{&f.r1, straightArrow(l, f.r1, f.r2, 0)}, {&f.r2, straightArrow(l, f.r1, f.r2, 1)}};
    return writeDimensionParts(ctx, DimKind::Linear, f.a, curve, style, &f.e1, &f.e2, arrows, f.t, placed);
}

Refusal writeDiameterDim(Context& ctx, const DiameterDimFeature& f, Placed& placed)
{
    if (!arrowValid(f.r1) || !arrowValid(f.r2))
        return Refusal::OutOfRange;
    int32_t style = 0;
    const int32_t curve = writeDimensionCurve(ctx, f.a, writeLineCurve(ctx.out, f.x1, f.y1, f.x2, f.y2), style);
    if (curve == 0)
        return Refusal::UnknownCode;
    const DimensionLine l{f.x1, f.y1, f.x2, f.y2};
    const DimArrow arrows[] = {{&f.r1, straightArrow(l, f.r1, f.r2, 0)}, {&f.r2, straightArrow(l, f.r1, f.r2, 1)}};
    return writeDimensionParts(ctx, DimKind::Diameter, f.a, curve, style, nullptr, nullptr, arrows, f.t, placed);
}

Refusal writeRadiusDim(Context& ctx, const RadiusDimFeature& f, Placed& placed)
{
    if (!arrowValid(f.r))
        return Refusal::OutOfRange;
    int32_t style = 0;
    const int32_t curve = writeDimensionCurve(ctx, f.a, writeLineCurve(ctx.out, f.x1, f.y1, f.x2, f.y2), style);
    if (curve == 0)
        return Refusal::UnknownCode;
    // Outward (1) points from the centre along the line, inward against it.
    const Vec v{f.x2 - f.x1, f.y2 - f.y1};
    const DimArrow arrows[] = {{&f.r, scaled(v, f.r.orientation == 2 ? -1 : 1)}};
    return writeDimensionParts(ctx, DimKind::Radius, f.a, curve, style, nullptr, nullptr, arrows, f.t, placed);
}

Refusal writeArcDim(Context& ctx, const ArcDimFeature& f, bool angular, Placed& placed)
{
    if (!arrowValid(f.r1) || !arrowValid(f.r2))
        return Refusal::OutOfRange;
    // The dimension arc always runs clockwise in the file.
    const int32_t arc = writeArcCurve(ctx.out, f.cx, f.cy, f.r, 1, f.startAngle, f.endAngle);
    int32_t style = 0;
    const int32_t curve = writeDimensionCurve(ctx, f.a, arc, style);
    if (curve == 0)
        return Refusal::UnknownCode;
    const bool both = f.r1.orientation != 0 && f.r2.orientation != 0;
    const DimArrow arrows[] = {{&f.r1, arcArrow(f, f.r1, 0, both)}, {&f.r2, arcArrow(f, f.r2, 1, both)}};
    return writeDimensionParts(ctx, angular ? DimKind::Angular : DimKind::Curve, f.a, curve, style, &f.e1, &f.e2,
                               arrows, f.t, placed);
}

Refusal writeLabel(Context& ctx, const LabelFeature& f, bool balloon, Placed& placed)
{
    if (f.points.size() < 2 || f.arrowCode < 1 || size_t(f.arrowCode) > kArrowNames.size())
        return Refusal::OutOfRange;
    P21Output& o = ctx.out;
    const int32_t polyline = writePolylineCurve(o, f.points);
    const int32_t style = writeCurveStyle(ctx, f.a.lineType, f.a.width, f.a.colour);
    if (style == 0)
        return Refusal::UnknownCode;
    const int32_t leader = writeStyledItem(o, Styled::LeaderCurve, u" ", style, polyline);
    std::vector<int32_t> contents{leader};
    placed.layer = f.a.layer;
    placed.member(leader);
    if (balloon) {
        // The circle shares the leader's style and belongs to no layer.
        const int32_t axis = writeAxis(o, writePoint(o, f.cx, f.cy), 0);
        const int32_t circle = o.take();
        o.simple(circle, "CIRCLE").raw("' '").ref(axis).real(f.r).end();
        contents.push_back(writeStyledItem(o, Styled::Curve, u" ", style, circle));
    }
    if (f.t.mf != 0) {
        int32_t value = 0;
        if (const Refusal r = writeValue(ctx, f.a, f.t, value); r != Refusal::None)
            return r;
        contents.push_back(value);
        placed.member(value);
    }
    const T2DPoint& tip = f.points[0];
    const T2DPoint& next = f.points[1];
    int32_t arrowStyle = 0;
    contents.push_back(writeTerminator(o, TerminatorRole::Leader, u" ", f.arrowCode, tip.x, tip.y, next.x - tip.x,
                                       next.y - tip.y, f.arrowScale, ctx.tables.colours[f.a.colour], arrowStyle,
                                       leader));
    const int32_t callout = o.take();
    o.complex(callout);
    o.record("DRAUGHTING_CALLOUT").refs(contents).endRecord();
    o.emptyRecords({"DRAUGHTING_ELEMENTS", "GEOMETRIC_REPRESENTATION_ITEM", "LEADER_DIRECTED_CALLOUT"});
    o.record("REPRESENTATION_ITEM").raw("' '").endRecord();
    o.endComplex();
    if (!ctx.inSheet) {
        placed.item(callout);
        return Refusal::None;
    }
    const int32_t nullStyle = writeNullStyle(o);
    const int32_t item = o.take();
    o.simple(item, "STYLED_ITEM").raw("' '").open().ref(nullStyle).close().ref(callout).end();
    placed.item(item);
    return Refusal::None;
}

}  // namespace sxf::p21
