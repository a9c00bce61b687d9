// Callouts into dimension, label and balloon features.
#include "sxf/p21_read_callouts.h"

#include "sxf/p21_read_annotations.h"
#include "sxf/p21_read_curves.h"
#include "sxf/p21_read_tables.h"

#include <array>
#include <cmath>

namespace sxf {
namespace {

// How closely an arrow's direction must follow the dimension line (unit
// vector components), and a curve dimension's tangent (degrees).
constexpr double kLineTolerance = 1e-6;
constexpr double kTangentTolerance = 1e-4;

constexpr std::array<std::string_view, 11> kArrowNames = {"blanked arrow", "blanked box", "blanked dot",
    "dimension origin", "filled box", "filled arrow", "filled dot", "integral symbol", "open arrow", "slash",
    "unfilled arrow"};

enum class Kind : uint8_t { Linear, Curve, Angular, Diameter, Radius, Label };

struct Arrow {
    bool present = false;
    SfcArrow values;
    T2DPoint direction;
};

// What a callout lists, sorted out.
struct Parts {
    bool hasMain = false;  // the dimension line or arc, or the leader
    P21Curve main;
    SfcAttr attr;
    TableRefs refs;
    SfcExtLine ext[2];
    bool hasText = false;
    SfcText text;
    TableRefs textRefs;
    Arrow arrows[2];
    bool balloon = false;
    P21Curve circle;
};

bool kindOf(const P21Walk& w, int32_t callout, Kind& kind)
{
    if (w.has(callout, "DIMENSION_CURVE_DIRECTED_CALLOUT")) {
        // The first match in this order, as the official reader takes it:
        // an angular dimension that kept CURVE_DIMENSION reads as a curve
        // dimension.
        constexpr std::array<std::pair<std::string_view, Kind>, 5> kinds = {{{"LINEAR_DIMENSION", Kind::Linear},
            {"CURVE_DIMENSION", Kind::Curve}, {"ANGULAR_DIMENSION", Kind::Angular},
            {"DIAMETER_DIMENSION", Kind::Diameter}, {"RADIUS_DIMENSION", Kind::Radius}}};
        for (const auto& [name, k] : kinds) {
            if (w.has(callout, name)) {
                kind = k;
                return true;
            }
        }
        return false;
    }
    kind = Kind::Label;
    return w.has(callout, "LEADER_DIRECTED_CALLOUT");
}

Arrow terminator(P21Walk& w, const P21Styled& s)
{
    const P21DefinedSymbol d = readP21DefinedSymbol(w, s.item);
    const QString name = w.string(w.entity(d.definition, "PRE_DEFINED_TERMINATOR_SYMBOL").at(0));
    const auto code = std::find(kArrowNames.begin(), kArrowNames.end(), name.toStdString()) - kArrowNames.begin() + 1;
    if (w.ok() && code > static_cast<long>(kArrowNames.size()))
        w.fail(QStringLiteral("矢印「%1」はありません").arg(name));
    Arrow a;
    a.present = true;
    a.values = SfcArrow {static_cast<int32_t>(code), 0, d.placement.at.x, d.placement.at.y, d.scaleX};
    a.direction = d.placement.direction;
    return a;
}

void curvePart(P21Context& ctx, P21Walk& w, int32_t index, const P21Styled& s, Parts& p)
{
    const P21Curve c = readP21Curve(ctx, w, s.item);
    if (c.kind == FeatureKind::Line && w.has(index, "PROJECTION_CURVE")) {
        SfcExtLine& e = p.ext[s.name == u"$$SXF_prj_2" ? 1 : 0];
        e = SfcExtLine {1, c.base.x, c.base.y, c.start.x, c.start.y, c.end.x, c.end.y};
    } else if (!p.hasMain
        && ((c.kind == FeatureKind::Line && w.has(index, "DIMENSION_CURVE")) || c.kind == FeatureKind::Arc
            || c.kind == FeatureKind::Polyline)) {
        p.hasMain = true;
        p.main = c;
        p.attr = p21CurveAttr(ctx, w, index, s.styles, p.refs);
    } else if (c.kind == FeatureKind::Circle) {
        p.balloon = true;
        p.circle = c;
    }
}

Parts readParts(P21Context& ctx, P21Walk& w, int32_t callout, Kind kind)
{
    Parts p;
    const P21List own = w.entity(callout, "DRAUGHTING_CALLOUT");
    for (const P21Value& ref : w.list(own.at(own.size() - 1))) {
        const int32_t index = w.target(&ref);
        const P21Occurrence occurrence = p21OccurrenceKind(w, index);
        const P21Styled s = readP21Styled(w, index);
        if (!w.ok())
            break;
        if (occurrence == P21Occurrence::Curve) {
            curvePart(ctx, w, index, s, p);
        } else if (occurrence == P21Occurrence::Text) {
            p.hasText = true;
            p.text = readP21Text(ctx, w, index, p.textRefs);
        } else if (occurrence == P21Occurrence::Terminator) {
            // A radius dimension's one arrow is its arrow whatever its name.
            const bool second = kind != Kind::Radius && kind != Kind::Label && s.name == u"$$SXF_arw_2";
            if (kind == Kind::Radius || kind == Kind::Label || second || s.name == u"$$SXF_arw_1")
                p.arrows[second ? 1 : 0] = terminator(w, s);
        }
    }
    return p;
}

T2DPoint unit(T2DPoint v)
{
    const double n = std::hypot(v.x, v.y);
    return T2DPoint {v.x / n, v.y / n};
}

bool near(T2DPoint a, T2DPoint b)
{
    return std::abs(a.x - b.x) <= kLineTolerance && std::abs(a.y - b.y) <= kLineTolerance;
}

bool nearAngle(T2DPoint a, T2DPoint b)
{
    const double d = std::abs(polarDegrees(a) - polarDegrees(b));
    return std::min(d, 360 - d) <= kTangentTolerance;
}

// In/out codes of arrows along a straight dimension line: arrow 1 pointing
// along the line (start to end) points in (2); arrow 2 the other way round.
// A radius dimension's single arrow: along the line is 1.
void straightCodes(Kind kind, const P21Curve& line, Arrow* arrows)
{
    const T2DPoint u = unit(T2DPoint {line.end.x - line.start.x, line.end.y - line.start.y});
    const T2DPoint back {-u.x, -u.y};
    for (int k = 0; k < 2; ++k) {
        Arrow& a = arrows[k];
        const T2DPoint d = unit(a.direction);
        const bool along = near(d, u);
        const bool against = near(d, back);
        if (kind == Kind::Radius)
            a.values.orientation = along ? 1 : against ? 2 : 0;
        else if (k == 0)
            a.values.orientation = along ? 2 : against ? 1 : 0;
        else
            a.values.orientation = against ? 2 : along ? 1 : 0;
    }
}

// In/out codes of arrows on a dimension arc: each arrow's direction is a
// tangent at its point, turned in or out by its code.
void arcCodes(const P21Curve& arc, Arrow* arrows)
{
    for (int k = 0; k < 2; ++k) {
        Arrow& a = arrows[k];
        const T2DPoint v = unit(T2DPoint {a.values.x - arc.centre.x, a.values.y - arc.centre.y});
        const T2DPoint in = k == 0 ? T2DPoint {-v.y, v.x} : T2DPoint {v.y, -v.x};
        const T2DPoint out {-in.x, -in.y};
        a.values.orientation = nearAngle(a.direction, in) ? 2 : nearAngle(a.direction, out) ? 1 : 0;
    }
}

// An arrow the callout does not draw reads as this system's writers write
// one: no code, at the origin, scale 1.
SfcArrow arrowOf(const Arrow& a)
{
    return a.present ? a.values : SfcArrow {0, 0, 0, 0, 1};
}

SfcTextBlock textBlock(const Parts& p)
{
    if (!p.hasText)
        return SfcTextBlock {0, 0, QString(), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const SfcText& t = p.text;
    return SfcTextBlock {t.text.isEmpty() ? 0 : 1, t.font, t.text, t.x, t.y, t.height, t.width, t.spacing, t.angleDeg,
        t.slantDeg, t.basePoint, t.direction};
}

bool append(P21Context& ctx, Kind kind, Parts& p, Origin at)
{
    Drawing& d = ctx.drawing;
    TableRefs refs = p.refs;
    refs.font = p.textRefs.font;
    const SfcTextBlock t = textBlock(p);
    const P21Curve& m = p.main;
    switch (kind) {
    case Kind::Linear:
        straightCodes(kind, m, p.arrows);
        appendFeature(d, FeatureKind::LinearDim, d.linearDims,
            LinearDimFeature {at, p.attr, m.start.x, m.start.y, m.end.x, m.end.y, p.ext[0], p.ext[1],
                arrowOf(p.arrows[0]), arrowOf(p.arrows[1]), t, refs});
        break;
    case Kind::Diameter:
        straightCodes(kind, m, p.arrows);
        appendFeature(d, FeatureKind::DiameterDim, d.diameterDims,
            DiameterDimFeature {at, p.attr, m.start.x, m.start.y, m.end.x, m.end.y, arrowOf(p.arrows[0]),
                arrowOf(p.arrows[1]), t, refs});
        break;
    case Kind::Radius:
        straightCodes(kind, m, p.arrows);
        appendFeature(d, FeatureKind::RadiusDim, d.radiusDims,
            RadiusDimFeature {at, p.attr, m.start.x, m.start.y, m.end.x, m.end.y, arrowOf(p.arrows[0]), t, refs});
        break;
    case Kind::Curve:
    case Kind::Angular:
        arcCodes(m, p.arrows);
        appendFeature(d, kind == Kind::Curve ? FeatureKind::CurveDim : FeatureKind::AngularDim, d.arcDims,
            ArcDimFeature {at, p.attr, m.centre.x, m.centre.y, m.rx, m.startAngle, m.endAngle, p.ext[0], p.ext[1],
                arrowOf(p.arrows[0]), arrowOf(p.arrows[1]), t, refs});
        break;
    case Kind::Label:
        const Arrow& a = p.arrows[0];
        appendFeature(d, p.balloon ? FeatureKind::Balloon : FeatureKind::Label, d.labels,
            LabelFeature {at, p.attr, static_cast<int32_t>(m.points.size()), m.points, p.circle.centre.x,
                p.circle.centre.y, p.circle.rx, a.present ? a.values.code : 0, a.present ? a.values.scale : 0, t,
                refs});
        break;
    }
    return true;
}

}  // namespace

bool mapP21Callout(P21Context& ctx, P21Walk& w, int32_t callout, int32_t item)
{
    Kind kind = Kind::Label;
    if (!kindOf(w, callout, kind))
        return w.fail(QStringLiteral("寸法・引出線・バルーンのどれでもない注記です"));
    Parts p = readParts(ctx, w, callout, kind);
    if (!w.ok())
        return false;
    const FeatureKind expected = kind == Kind::Label ? FeatureKind::Polyline
        : kind == Kind::Curve || kind == Kind::Angular ? FeatureKind::Arc
                                                        : FeatureKind::Line;
    if (!p.hasMain || p.main.kind != expected)
        return w.fail(kind == Kind::Label ? QStringLiteral("引出線がありません")
                                          : QStringLiteral("寸法線がありません"));
    return append(ctx, kind, p, p21Origin(ctx.data.instances[static_cast<size_t>(item)]));
}

}  // namespace sxf
