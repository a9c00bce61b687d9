// Curve items into feature values.
#include "sxf/p21_read_curves.h"

namespace sxf {
namespace {

// The trimming point or parameter in a trim list "(#p)" or
// "(PARAMETER_VALUE(t))": the first one of the asked kind.
const P21Value* trim(P21Walk& w, const P21Value* list, bool point)
{
    for (const P21Value& v : w.list(list)) {
        if (point && v.kind == P21Kind::Reference)
            return &v;
        if (!point && v.kind == P21Kind::Typed && w.data().text(v) == "PARAMETER_VALUE")
            return w.untyped(&v, "PARAMETER_VALUE");
        if (!point && v.kind == P21Kind::Real)
            return &v;
    }
    w.fail(point ? QStringLiteral("切り取りの点がありません") : QStringLiteral("切り取りのパラメータがありません"));
    return nullptr;
}

std::vector<T2DPoint> pointList(P21Walk& w, const P21Value* list)
{
    const P21List refs = w.list(list);
    std::vector<T2DPoint> points;
    points.reserve(refs.size());
    for (const P21Value& ref : refs) {
        points.push_back(w.point(&ref));
        if (!w.ok())
            break;
    }
    return points;
}

void conic(P21Walk& w, const P21List& a, P21Curve& c, bool ellipse)
{
    const P21Placement p = w.placement(a.at(1));
    c.centre = p.at;
    c.rx = w.real(a.at(2));
    c.ry = ellipse ? w.real(a.at(3)) : c.rx;
    c.rotation = ellipse ? polarDegrees(p.direction) : 0;
}

void trimmed(P21Walk& w, int32_t index, P21Curve& c)
{
    const P21List a = w.entity(index, "TRIMMED_CURVE");
    c.name = w.string(a.at(0));
    const int32_t basis = w.target(a.at(1));
    const bool sense = w.boolean(a.at(4));
    const std::string_view basisName = w.simpleName(basis);
    if (basisName == "LINE") {
        c.kind = FeatureKind::Line;
        c.base = w.point(w.entity(basis, "LINE").at(1));
        c.start = w.point(trim(w, a.at(2), true));
        c.end = w.point(trim(w, a.at(3), true));
        return;
    }
    const double t1 = w.real(trim(w, a.at(2), false));
    const double t2 = w.real(trim(w, a.at(3), false));
    if (basisName == "CIRCLE" || basisName == "ELLIPSE") {
        const bool ellipse = basisName == "ELLIPSE";
        c.kind = ellipse ? FeatureKind::EllipseArc : FeatureKind::Arc;
        conic(w, w.entity(basis, basisName), c, ellipse);
        c.startAngle = toDegrees(t1);
        c.endAngle = toDegrees(t2);
        c.direction = sense ? 0 : 1;
    } else if (basisName == "CLOTHOID") {
        c.kind = FeatureKind::Clothoid;
        const P21List cl = w.entity(basis, "CLOTHOID");
        c.direction = w.string(cl.at(0)) == u"1" ? 1 : 0;
        const P21Placement p = w.placement(cl.at(1));
        c.base = p.at;
        c.rotation = polarDegrees(p.direction);
        c.parameter = w.real(cl.at(2));
        // The trimmed curve's name "start,end" holds the lengths as the
        // feature gave them; the parameters are the fallback.
        const qsizetype comma = c.name.indexOf(u',');
        bool okStart = false, okEnd = false;
        c.startLength = comma >= 0 ? c.name.left(comma).toDouble(&okStart) : 0;
        c.endLength = comma >= 0 ? c.name.mid(comma + 1).toDouble(&okEnd) : 0;
        if (!okStart || !okEnd) {
            c.startLength = t1;
            c.endLength = t2;
        }
    } else {
        w.fail(QStringLiteral("切り取られた曲線の元が線分・円・楕円・クロソイドのどれでもありません"));
    }
}

}  // namespace

P21Curve readP21Curve(P21Context& ctx, P21Walk& w, int32_t index)
{
    P21Curve c;
    const std::string_view name = w.simpleName(index);
    if (name == "TRIMMED_CURVE") {
        trimmed(w, index, c);
    } else if (name == "CIRCLE" || name == "ELLIPSE") {
        const bool ellipse = name == "ELLIPSE";
        c.kind = ellipse ? FeatureKind::Ellipse : FeatureKind::Circle;
        const P21List a = w.entity(index, name);
        c.name = w.string(a.at(0));
        conic(w, a, c, ellipse);
    } else if (name == "POLYLINE") {
        c.kind = FeatureKind::Polyline;
        const P21List a = w.entity(index, name);
        c.name = w.string(a.at(0));
        c.points = pointList(w, a.at(1));
    } else if (name == "BEZIER_CURVE") {
        c.kind = FeatureKind::Spline;
        const P21List a = w.entity(index, name);
        c.name = w.string(a.at(0));
        c.points = pointList(w, a.at(2));
        c.openClose = w.boolean(a.at(4)) ? 0 : 1;
    } else if (w.ok()) {
        w.fail(QStringLiteral("#%1 は読める曲線ではありません").arg(ctx.data.instances[static_cast<size_t>(index)].number));
    }
    return c;
}

}  // namespace sxf
