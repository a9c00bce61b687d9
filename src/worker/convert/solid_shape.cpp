// Reading the fields of a solid as the shape it stands for.
#include "worker/convert/solid_shape.h"

#include "common/geometry.h"
#include "common/number_parse.h"

#include <cmath>

namespace convert {
namespace {

// Every number a solid's features are made from, placed, is finite.
bool finiteSolid(const jww::TEntJwwSolid& e, const Placement& p)
{
    const double values[] = {p.x(e.start_x), p.y(e.start_y), p.x(e.end_x), p.y(e.end_y), p.x(e.DPoint2_x),
                             p.y(e.DPoint2_y), p.x(e.DPoint3_x), p.y(e.DPoint3_y), e.end_x * p.sc,
                             e.DPoint3_y * p.sc};
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

bool nearFullOrZero(double deg)
{
    return std::fabs(deg) <= 1e-12 || std::fabs(deg - 360) <= 1e-12;
}

sxf::T2DPoint pointAt(double cx, double cy, double r, double flatness, double tiltRad, double deg)
{
    const common::GeoPoint q = common::EllipsePoint(cx, cy, r, flatness, tiltRad, common::DegToRad(deg));
    return {q.x, q.y};
}

// The points, radii and flatness the boundary of a disc or ring is drawn
// with (see SolidShape).
void setBoundary(SolidShape& s, const jww::TEntJwwSolid& e, const Placement& p)
{
    s.minor = s.radius * s.flatness;
    if (s.kind == SolidShape::Kind::Ring) {
        s.inner = s.code * p.sc;
        // Style 106 keeps the ring's width R - r along both axes.
        s.innerFlatness = s.style == 106 ? (s.flatness * e.end_x - e.end_x) / e.DPoint3_y + 1 : s.flatness;
    }
    if (s.full)
        return;
    s.startPt = pointAt(s.cx, s.cy, s.radius, s.flatness, s.tiltRad, s.startDeg);
    s.endPt = pointAt(s.cx, s.cy, s.radius, s.flatness, s.tiltRad, s.endDeg);
    if (s.kind == SolidShape::Kind::Ring) {
        s.innerStart = pointAt(s.cx, s.cy, s.inner, s.innerFlatness, s.tiltRad, s.startDeg);
        s.innerEnd = pointAt(s.cx, s.cy, s.inner, s.innerFlatness, s.tiltRad, s.endDeg);
        return;
    }
    s.chord = std::fabs(s.code - 5) <= 1e-10;
    const bool sector = std::fabs(s.code - 100) <= 1e-10 || std::fabs(s.code) <= 1e-10;
    s.middle = {s.cx, s.cy};
    if (!s.chord && !sector) {
        const common::EllipseArcEnds ends = common::EllipseArcPoints(
            s.cx, s.cy, s.radius, s.flatness, common::DegToRad(s.startDeg), common::DegToRad(s.sweepDeg), s.tiltRad);
        s.middle = {ends.corner.x, ends.corner.y};
    }
}

// Finite values can still multiply to an infinity (a huge radius times its
// flatness), or tangents meet far beyond the range of a double.
bool boundaryFinite(const SolidShape& s)
{
    const double values[] = {s.minor,         s.inner,         s.inner * s.innerFlatness, s.startPt.x,
                             s.startPt.y,     s.endPt.x,       s.endPt.y,                 s.middle.x,
                             s.middle.y,      s.innerStart.x,  s.innerStart.y,            s.innerEnd.x,
                             s.innerEnd.y,    s.startDeg,      s.endDeg,                  s.tiltDeg};
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

}  // namespace

bool solidIsLine(const jww::TEntJwwSolid& e)
{
    using common::SamePoint;
    const bool third = SamePoint(e.DPoint2_x, e.DPoint2_y, e.start_x, e.start_y)
                       || SamePoint(e.DPoint2_x, e.DPoint2_y, e.end_x, e.end_y);
    const bool fourth = SamePoint(e.DPoint3_x, e.DPoint3_y, e.start_x, e.start_y)
                        || SamePoint(e.DPoint3_x, e.DPoint3_y, e.end_x, e.end_y);
    return third && fourth;
}

SolidShape solidShapeOf(const jww::TEntJwwSolid& e, const Placement& p)
{
    SolidShape s;
    s.style = e.att.nPenStyle;
    if (!finiteSolid(e, p)) {
        s.nonFinite = true;
        return s;  // nothing is drawn of a solid whose numbers are not finite
    }
    if (s.style < 101) {
        s.kind = solidIsLine(e) ? SolidShape::Kind::Line : SolidShape::Kind::Quad;
        return s;
    }
    if (s.style == 101)
        s.kind = SolidShape::Kind::Disc;
    else if (s.style == 105 || s.style == 106)
        s.kind = SolidShape::Kind::Ring;
    else if (s.style == 111)
        s.kind = SolidShape::Kind::Outline;
    else
        return s;

    s.cx = p.x(e.start_x);
    s.cy = p.y(e.start_y);
    s.radius = e.end_x * p.sc;
    s.flatness = std::fabs(e.end_y - 1) <= 1e-12 ? 1.0 : e.end_y;
    s.tiltRad = e.DPoint2_x;
    s.code = e.DPoint3_y;
    // A negative sweep is drawn the other way round from its end.
    s.startRad = e.DPoint3_x < 0 ? e.DPoint2_y + e.DPoint3_x : e.DPoint2_y;
    s.sweepRad = std::fabs(e.DPoint3_x);
    s.startDeg = common::NormDeg(common::RadToDeg(s.startRad));
    s.sweepDeg = common::NormDeg(common::RadToDeg(s.sweepRad));
    s.tiltDeg = common::NormDeg(common::RadToDeg(s.tiltRad));
    // A disc or outline whose shape code is 100 is always whole.
    const bool wholeByCode = s.kind != SolidShape::Kind::Ring && std::fabs(s.code - 100) <= 1e-10;
    if (wholeByCode)
        s.sweepDeg = 0;
    s.endDeg = common::NormDeg(s.startDeg + s.sweepDeg);
    s.full = nearFullOrZero(s.sweepDeg);
    // A ring without an inner radius has no hole to leave: it is a disc (or a
    // sector).
    if (s.kind == SolidShape::Kind::Ring && s.code == 0) {
        s.kind = SolidShape::Kind::Disc;
        s.style = 101;
    }
    if (s.kind == SolidShape::Kind::Disc || s.kind == SolidShape::Kind::Ring) {
        setBoundary(s, e, p);
        if (!boundaryFinite(s)) {
            SolidShape dropped;
            dropped.style = s.style;
            dropped.nonFinite = true;
            return dropped;
        }
    }
    return s;
}

int SolidShape::curveCount() const
{
    switch (kind) {
    case Kind::Quad:
    case Kind::Disc: return 1;
    case Kind::Ring: return full ? 2 : 1;
    default: return 0;
    }
}

}  // namespace convert
