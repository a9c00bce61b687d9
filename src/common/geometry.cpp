// Plane geometry. The formulas keep their order of operations on purpose:
// converted coordinates are written with up to 14 decimals, so a reordered
// sum can show in the output.
#include "common/geometry.h"

#include <cmath>

namespace common {
namespace {

// Column and row fractions of an anchor kind; false for a kind outside 0..8.
bool anchorFractions(int kind, double& fx, double& fy)
{
    if (kind < 0 || kind > 8)
        return false;
    fx = (kind % 3) * 0.5;
    fy = (kind / 3) * 0.5;
    return true;
}

bool isVertical(double xa, double xb)
{
    return std::fabs(xa - xb) <= 1e-10;
}

}  // namespace

double RotateX(double x, double y, double cx, double cy, double angle)
{
    return cx + std::cos(angle) * (x - cx) - std::sin(angle) * (y - cy);
}

double RotateY(double x, double y, double cx, double cy, double angle)
{
    return cy + std::sin(angle) * (x - cx) + std::cos(angle) * (y - cy);
}

GeoPoint RotateDeg(double x, double y, double cx, double cy, double angleDeg)
{
    const double a = DegToRad(angleDeg);
    return {RotateX(x, y, cx, cy, a), RotateY(x, y, cx, cy, a)};
}

double AngleOf(double dx, double dy)
{
    if (std::fabs(dx) < 1e-14 && std::fabs(dy) < 1e-14)
        return 0;
    double a = std::atan2(dy, dx);
    if (a < 0)
        a += kTwoPi;
    // A tiny negative angle rounds up to 2pi, which is outside the range.
    return a >= kTwoPi ? 0 : a;
}

double NormDeg(double degrees)
{
    // Stepping by 360 alone never ends for infinities, nor for magnitudes
    // where adding 360 no longer changes the value. fmod is exact, so the
    // steps that follow give what stepping all the way would have given.
    if (!std::isfinite(degrees))
        return 0;
    double d = std::fmod(degrees, 360.0);
    while (d < 0)
        d += 360;
    while (d >= 360)
        d -= 360;
    if (std::fabs(d) <= 1e-10 || std::fabs(d - 360) <= 1e-10)
        return 0;
    return d;
}

double Distance(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

GeoPoint AnchorCorner(int kind, double x, double y, double width, double height, double angleDeg)
{
    double fx = 0, fy = 0;
    anchorFractions(kind, fx, fy);
    return RotateDeg(x - fx * width, y - fy * height, x, y, angleDeg);
}

GeoPoint AnchorConvert(int fromKind, int toKind, double x, double y, double width, double height, double angleDeg)
{
    if (fromKind == toKind)
        return {x, y};
    const GeoPoint corner = AnchorCorner(fromKind, x, y, width, height, angleDeg);
    double fx = 0, fy = 0;
    anchorFractions(toKind, fx, fy);
    const GeoPoint offset = RotateDeg(fx * width, fy * height, 0, 0, angleDeg);
    return {corner.x + offset.x, corner.y + offset.y};
}

SegmentProjection ProjectOnSegment(double x1, double y1, double x2, double y2, double px, double py)
{
    // Turn the segment onto the x axis through (x1, y1); the point's turned
    // y is then its distance from the line.
    const double a = -AngleOf(x2 - x1, y2 - y1);
    const double rpx = RotateX(px, py, x1, y1, a);
    const double rpy = RotateY(px, py, x1, y1, a);
    const double rx2 = RotateX(x2, y2, x1, y1, a);
    SegmentProjection result;
    result.offset = rpy - y1;
    result.onSegment = rpx >= x1 - 1e-12 && rpx <= rx2 + 1e-12;
    return result;
}

LineCrossing LineCross(GeoPoint a1, GeoPoint a2, GeoPoint b1, GeoPoint b2)
{
    const double x1 = a1.x, y1 = a1.y, x2 = a2.x, y2 = a2.y;
    const double x3 = b1.x, y3 = b1.y, x4 = b2.x, y4 = b2.y;
    const bool vertical1 = isVertical(x1, x2);
    const bool vertical2 = isVertical(x3, x4);
    LineCrossing result;
    double x = 0, y = 0;
    if (vertical1 && vertical2)
        return result;
    if (vertical1) {
        x = x1;
        y = y3 + (y4 - y3) / (x4 - x3) * (x - x3);
    } else if (vertical2) {
        x = x3;
        y = y1 + (y2 - y1) / (x2 - x1) * (x - x1);
    } else {
        const double k1 = (y2 - y1) / (x2 - x1);
        const double k2 = (y4 - y3) / (x4 - x3);
        if (std::fabs(k1 - k2) <= 1e-10)
            return result;
        x = (k1 * x1 - k2 * x3 + y3 - y1) / (k1 - k2);
        y = y1 + k1 * (x - x1);
    }
    const bool onBoth = ProjectOnSegment(x1, y1, x2, y2, x, y).onSegment
                        && ProjectOnSegment(x3, y3, x4, y4, x, y).onSegment;
    result.code = onBoth ? LineCrossing::kOnSegments : LineCrossing::kOffSegments;
    result.x = x;
    result.y = y;
    return result;
}

GeoPoint EllipsePoint(double cx, double cy, double radius, double flattening, double tilt, double t)
{
    const double ex = radius * std::cos(t);
    const double ey = radius * flattening * std::sin(t);
    return {RotateX(ex, ey, 0, 0, tilt) + cx, RotateY(ex, ey, 0, 0, tilt) + cy};
}

EllipseArcEnds EllipseArcPoints(double cx, double cy, double radius, double flattening, double start, double sweep,
                                double tilt)
{
    const double end = start + sweep;
    EllipseArcEnds result;
    result.start = EllipsePoint(cx, cy, radius, flattening, tilt, start);
    result.end = EllipsePoint(cx, cy, radius, flattening, tilt, end);

    // The tangents meet more simply in the ellipse's own frame: centred at
    // the origin, axes unturned.
    const GeoPoint s = EllipsePoint(0, 0, radius, flattening, 0, start);
    const GeoPoint e = EllipsePoint(0, 0, radius, flattening, 0, end);
    const GeoPoint ds{radius * std::cos(start + kPi / 2), radius * flattening * std::sin(start + kPi / 2)};
    const GeoPoint de{radius * std::cos(end - kPi / 2), radius * flattening * std::sin(end - kPi / 2)};
    const LineCrossing c = LineCross(s, {s.x + ds.x, s.y + ds.y}, e, {e.x + de.x, e.y + de.y});
    const GeoPoint local = c.code == LineCrossing::kNone ? GeoPoint{} : GeoPoint{c.x, c.y};
    result.corner = {RotateX(local.x, local.y, 0, 0, tilt) + cx, RotateY(local.x, local.y, 0, 0, tilt) + cy};
    return result;
}

GeoPoint AffineMap(double x, double y, double divisor, double tx, double ty, double m11, double m12, double m21,
                   double m22)
{
    return {(m11 * x + m12 * y + tx) / divisor, (m21 * x + m22 * y + ty) / divisor};
}

std::vector<double> PatternToDashes(uint32_t pattern, double unit)
{
    // Cut the pattern in halves while both halves are equal; a half of all
    // set bits stays whole so that a solid line keeps its full length.
    int bits = 32;
    for (int half = 16; half >= 2; half /= 2) {
        const uint32_t mask = (uint32_t(1) << half) - 1;
        const uint32_t low = pattern & mask;
        if (low != (pattern >> half) || low == mask)
            break;
        pattern = low;
        bits = half;
    }
    std::vector<double> dashes;
    int run = 0;
    bool runSet = false;
    for (int i = bits - 1; i >= 0; --i) {
        const bool set = (pattern >> i) & 1;
        if (run > 0 && set != runSet) {
            dashes.push_back((runSet ? run : -run) * unit);
            run = 0;
        }
        runSet = set;
        ++run;
    }
    dashes.push_back((runSet ? run : -run) * unit);
    return dashes;
}

}  // namespace common
