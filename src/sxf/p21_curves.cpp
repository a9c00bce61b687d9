// Curve features and composite-curve segments.
#include "sxf/p21_curves.h"

#include "sxf/p21_blocks.h"
#include "sxf/p21_format.h"

#include <cmath>

namespace sxf::p21 {
namespace {

// Curves with fewer points have no POLYLINE or BEZIER_CURVE.
constexpr size_t kMinPoints = 2;

std::vector<int32_t> writePoints(P21Output& o, std::span<const T2DPoint> points)
{
    std::vector<int32_t> ids;
    ids.reserve(points.size());
    for (const T2DPoint& p : points)
        ids.push_back(writePoint(o, p.x, p.y));
    return ids;
}

int32_t writeBezierCurve(P21Output& o, std::span<const T2DPoint> points, bool closed)
{
    const std::vector<int32_t> ids = writePoints(o, points);
    const int32_t n = o.take();
    o.simple(n, "BEZIER_CURVE").raw("' '").integer(3).refs(ids).raw(".UNSPECIFIED.").raw(closed ? ".T." : ".F.");
    o.raw(".U.").end();
    return n;
}

// TRIMMED_CURVE on `basis` between two angles (degrees) as parameters.
int32_t writeParameterTrim(P21Output& o, int32_t basis, double startDeg, double endDeg, int32_t direction)
{
    const int32_t n = o.take();
    o.simple(n, "TRIMMED_CURVE").raw("' '").ref(basis);
    o.open().open("PARAMETER_VALUE").angle(radians(startDeg)).close().close();
    o.open().open("PARAMETER_VALUE").angle(radians(endDeg)).close().close();
    o.raw(direction == 0 ? ".T." : ".F.").raw(".PARAMETER.").end();
    return n;
}

// Direction (named `directionName`), centre, placement and ELLIPSE.
int32_t writeEllipseBasis(P21Output& o, double cx, double cy, double rx, double ry, double rotationDeg,
                          std::string_view directionName)
{
    const double a = radians(rotationDeg);
    const int32_t direction = o.take();
    o.simple(direction, "DIRECTION").raw(directionName).direction(std::cos(a), std::sin(a)).end();
    const int32_t axis = writeAxis(o, writePoint(o, cx, cy), direction);
    const int32_t n = o.take();
    o.simple(n, "ELLIPSE").raw("' '").ref(axis).real(rx).real(ry).end();
    return n;
}

int32_t writeEllipseArcCurve(P21Output& o, const EllipseArcFeature& f)
{
    const int32_t ellipse = writeEllipseBasis(o, f.cx, f.cy, f.rx, f.ry, f.rotation, "' '");
    return writeParameterTrim(o, ellipse, f.startAngle, f.endAngle, f.direction);
}

// The curve style of `a` and the plain styled item of `curve`, which goes
// to the layer and the assembly.
Refusal styleCurve(Context& ctx, const SfcAttr& a, int32_t curve, Placed& placed, QStringView name = u" ")
{
    const int32_t style = writeCurveStyle(ctx, a.lineType, a.width, a.colour);
    if (style == 0)
        return Refusal::UnknownCode;
    const int32_t item = writeStyledItem(ctx.out, Styled::Curve, name, style, curve);
    placed.layer = a.layer;
    placed.member(item);
    placed.item(item);
    return Refusal::None;
}

// The sweep of an arc from `start` in its direction, in (0, 360].
double sweepDeg(double startDeg, double endDeg, int32_t direction)
{
    const double d = direction == 0 ? endDeg - startDeg : startDeg - endDeg;
    const double sweep = std::fmod(std::fmod(d, 360.0) + 360.0, 360.0);
    return sweep == 0 ? 360.0 : sweep;
}

// Start, middle and end of an arc whose point at angle t is `at(t)`.
template <typename PointAt>
void addArcPoints(InteriorPoint& inside, double startDeg, double endDeg, int32_t direction, PointAt at)
{
    const double half = sweepDeg(startDeg, endDeg, direction) / 2;
    for (const double deg : {startDeg, direction == 0 ? startDeg + half : startDeg - half, endDeg}) {
        const auto [x, y] = at(radians(deg));
        inside.add(x, y);
    }
}

int32_t writeSegmentOf(P21Output& o, int32_t curve)
{
    const int32_t n = o.take();
    o.simple(n, "COMPOSITE_CURVE_SEGMENT").raw(".CONTINUOUS.").raw(".T.").ref(curve).end();
    return n;
}

}  // namespace

int32_t writeLineCurve(P21Output& o, double x1, double y1, double x2, double y2)
{
    const int32_t end = writePoint(o, x2, y2);
    const int32_t start = writePoint(o, x1, y1);
    const int32_t direction = o.take();
    o.simple(direction, "DIRECTION").raw("' '").point(x2 - x1, y2 - y1).end();
    const int32_t vector = o.take();
    o.simple(vector, "VECTOR").raw("' '").ref(direction).raw("1.000000").end();
    const int32_t line = o.take();
    o.simple(line, "LINE").raw("' '").ref(start).ref(vector).end();
    const int32_t n = o.take();
    o.simple(n, "TRIMMED_CURVE").raw("' '").ref(line).open().ref(start).close().open().ref(end).close();
    o.raw(".T.").raw(".CARTESIAN.").end();
    return n;
}

int32_t writeArcCurve(P21Output& o, double cx, double cy, double r, int32_t direction, double startDeg,
                      double endDeg)
{
    const int32_t axis = writeAxis(o, writePoint(o, cx, cy), 0);
    const int32_t circle = o.take();
    o.simple(circle, "CIRCLE").raw("' '").ref(axis).real(r).end();
    return writeParameterTrim(o, circle, startDeg, endDeg, direction);
}

int32_t writePolylineCurve(P21Output& o, std::span<const T2DPoint> points)
{
    const std::vector<int32_t> ids = writePoints(o, points);
    const int32_t n = o.take();
    o.simple(n, "POLYLINE").raw("' '").refs(ids).end();
    return n;
}

Refusal writeLine(Context& ctx, const LineFeature& f, Placed& placed)
{
    return styleCurve(ctx, f.a, writeLineCurve(ctx.out, f.x1, f.y1, f.x2, f.y2), placed);
}

Refusal writePolyline(Context& ctx, const PolylineFeature& f, Placed& placed)
{
    if (f.points.size() < kMinPoints)
        return Refusal::OutOfRange;
    return styleCurve(ctx, f.a, writePolylineCurve(ctx.out, f.points), placed);
}

Refusal writeCircle(Context& ctx, const CircleFeature& f, Placed& placed)
{
    P21Output& o = ctx.out;
    const int32_t axis = writeAxis(o, writePoint(o, f.cx, f.cy), 0);
    const int32_t circle = o.take();
    o.simple(circle, "CIRCLE").raw("' '").ref(axis).real(f.r).end();
    return styleCurve(ctx, f.a, circle, placed);
}

Refusal writeArc(Context& ctx, const ArcFeature& f, Placed& placed)
{
    const int32_t arc = writeArcCurve(ctx.out, f.cx, f.cy, f.r, f.direction, f.startAngle, f.endAngle);
    return styleCurve(ctx, f.a, arc, placed);
}

Refusal writeEllipse(Context& ctx, const EllipseFeature& f, Placed& placed)
{
    // The library names this direction and the styled item '' where every
    // other instance has ' '.
    const int32_t ellipse = writeEllipseBasis(ctx.out, f.cx, f.cy, f.rx, f.ry, f.rotation, "''");
    return styleCurve(ctx, f.a, ellipse, placed, u"");
}

Refusal writeEllipseArc(Context& ctx, const EllipseArcFeature& f, Placed& placed)
{
    return styleCurve(ctx, f.a, writeEllipseArcCurve(ctx.out, f), placed);
}

Refusal writeSpline(Context& ctx, const SplineFeature& f, Placed& placed)
{
    if (f.points.size() < kMinPoints || (f.openClose != 0 && f.openClose != 1))
        return Refusal::OutOfRange;
    return styleCurve(ctx, f.a, writeBezierCurve(ctx.out, f.points, f.openClose == 0), placed);
}

Refusal writeClothoid(Context& ctx, const ClothoidFeature& f, Placed& placed)
{
    P21Output& o = ctx.out;
    const int32_t direction = writeRotation(o, f.angle);
    const int32_t point = writePoint(o, f.baseX, f.baseY);
    const int32_t axis = writeAxis(o, point, direction);
    const int32_t clothoid = o.take();
    o.simple(clothoid, "CLOTHOID").string(QString::number(f.direction)).ref(axis).real(f.parameter).end();
    // The trimmed curve's name carries both lengths as C's "%f" writes them.
    const QString lengths = QString::fromStdString(realText(f.startLength) + ',' + realText(f.endLength));
    const int32_t n = o.take();
    o.simple(n, "TRIMMED_CURVE").string(lengths).ref(clothoid);
    o.open().open("PARAMETER_VALUE").real(f.startLength).close().close();
    o.open().open("PARAMETER_VALUE").real(f.endLength).close().close();
    o.raw(f.startLength < f.endLength ? ".T." : ".F.").raw(".PARAMETER.").end();
    return styleCurve(ctx, f.a, n, placed);
}

Refusal writeSegment(Context& ctx, const FeatureRef& ref, int32_t& segment, InteriorPoint& inside)
{
    const Drawing& d = ctx.drawing;
    P21Output& o = ctx.out;
    const auto i = size_t(ref.index);
    switch (ref.kind) {
    case FeatureKind::Arc: {
        const ArcFeature& f = d.arcs[i];
        segment = writeSegmentOf(o, writeArcCurve(o, f.cx, f.cy, f.r, f.direction, f.startAngle, f.endAngle));
        addArcPoints(inside, f.startAngle, f.endAngle, f.direction, [&f](double t) {
            return std::pair{f.cx + f.r * std::cos(t), f.cy + f.r * std::sin(t)};
        });
        return Refusal::None;
    }
    case FeatureKind::EllipseArc: {
        const EllipseArcFeature& f = d.ellipseArcs[i];
        segment = writeSegmentOf(o, writeEllipseArcCurve(o, f));
        const double rot = radians(f.rotation), c = std::cos(rot), s = std::sin(rot);
        addArcPoints(inside, f.startAngle, f.endAngle, f.direction, [&](double t) {
            const double u = f.rx * std::cos(t), v = f.ry * std::sin(t);
            return std::pair{f.cx + u * c - v * s, f.cy + u * s + v * c};
        });
        return Refusal::None;
    }
    case FeatureKind::Polyline: {
        const PolylineFeature& f = d.polylines[i];
        if (f.points.size() < kMinPoints)
            return Refusal::OutOfRange;
        segment = writeSegmentOf(o, writePolylineCurve(o, f.points));
        // A closed outline repeats its first point at the end: count it once.
        size_t count = f.points.size();
        if (f.points.front().x == f.points.back().x && f.points.front().y == f.points.back().y)
            --count;
        for (size_t k = 0; k < count; ++k)
            inside.add(f.points[k].x, f.points[k].y);
        return Refusal::None;
    }
    case FeatureKind::Spline: {
        const SplineFeature& f = d.splines[i];
        if (f.points.size() < kMinPoints || (f.openClose != 0 && f.openClose != 1))
            return Refusal::OutOfRange;
        segment = writeSegmentOf(o, writeBezierCurve(o, f.points, f.openClose == 0));
        for (const T2DPoint& p : f.points)
            inside.add(p.x, p.y);
        return Refusal::None;
    }
    default:
        return Refusal::NotInCurve;
    }
}

}  // namespace sxf::p21
