// Plane geometry shared by the converters: rotation, directions, text-box
// anchor points, segment projection and crossing, ellipse points, the affine
// map of block inserts and the expansion of line-type bit patterns.
// Angles are radians unless a name or parameter says degrees.
#pragma once

#include <cstdint>
#include <numbers>
#include <vector>

namespace common {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kTwoPi = 2 * kPi;

// Degrees from radians and back, with the order of operations every
// converter uses (the written decimals can show a reordered product).
inline double RadToDeg(double rad)
{
    return rad * 180.0 / kPi;
}
inline double DegToRad(double deg)
{
    return deg * kPi / 180.0;
}

struct GeoPoint {
    double x = 0, y = 0;
};

// The x (RotateX) or y (RotateY) of (x, y) rotated counter-clockwise by
// `angle` about (cx, cy).
double RotateX(double x, double y, double cx, double cy, double angle);
double RotateY(double x, double y, double cx, double cy, double angle);
// (x, y) rotated counter-clockwise by `angleDeg` degrees about (cx, cy).
GeoPoint RotateDeg(double x, double y, double cx, double cy, double angleDeg);

// Direction of (dx, dy) in [0, 2pi); 0 when both magnitudes are below 1e-14.
// NaN components give NaN.
double AngleOf(double dx, double dy);
// `degrees` brought into [0, 360); a result within 1e-10 of 0 or of 360 is 0.
// A value that is not finite gives 0.
double NormDeg(double degrees);
double Distance(double x1, double y1, double x2, double y2);

// Text-box reference points, numbered row by row from the bottom left:
// 0 bottom left, 1 bottom centre, 2 bottom right, 3 middle left, 4 centre,
// 5 middle right, 6 top left, 7 top centre, 8 top right.
//
// The bottom-left corner of the box of `width` x `height`, turned by
// `angleDeg` degrees, whose reference point `kind` lies at (x, y). A kind
// outside 0..8 counts as 0.
GeoPoint AnchorCorner(int kind, double x, double y, double width, double height, double angleDeg);
// Where reference point `toKind` lies when reference point `fromKind` of the
// same box lies at (x, y). (x, y) itself when the kinds are equal; a `toKind`
// outside 0..8 gives the bottom-left corner.
GeoPoint AnchorConvert(int fromKind, int toKind, double x, double y, double width, double height, double angleDeg);

struct SegmentProjection {
    // True when the foot of the point on the line lies on the segment, each
    // end widened by 1e-12.
    bool onSegment = false;
    // Signed distance of the point from the line, positive on the left of
    // the direction from the first end to the second.
    double offset = 0;
};
SegmentProjection ProjectOnSegment(double x1, double y1, double x2, double y2, double px, double py);

struct LineCrossing {
    static constexpr int kNone = 0;         // parallel (or both vertical)
    static constexpr int kOnSegments = 1;   // the crossing lies on both segments
    static constexpr int kOffSegments = 2;  // the lines cross outside a segment
    int code = kNone;
    double x = 0, y = 0;  // the crossing; (0, 0) for kNone
};
// Crossing of the infinite lines through a1-a2 and b1-b2. A line whose x
// values differ by at most 1e-10 is vertical; lines whose slopes differ by at
// most 1e-10 do not cross (kNone).
LineCrossing LineCross(GeoPoint a1, GeoPoint a2, GeoPoint b1, GeoPoint b2);

// The point at parameter `t` of the ellipse with centre (cx, cy), major
// radius `radius`, minor radius radius * `flattening`, major axis turned by
// `tilt`.
GeoPoint EllipsePoint(double cx, double cy, double radius, double flattening, double tilt, double t);

struct EllipseArcEnds {
    GeoPoint start, end;
    // Where the tangents at both ends meet; the centre when they are parallel.
    GeoPoint corner;
};
// End points of the elliptic arc from parameter `start` over `sweep`, and
// the corner where the tangents at its ends meet.
EllipseArcEnds EllipseArcPoints(double cx, double cy, double radius, double flattening, double start, double sweep,
                                double tilt);

// ((m11 x + m12 y + tx) / divisor, (m21 x + m22 y + ty) / divisor). A zero
// divisor gives infinities or NaN; callers check it.
GeoPoint AffineMap(double x, double y, double divisor, double tx, double ty, double m11, double m12, double m21,
                   double m22);

// The dash list of a 32-bit line-type pattern: the pattern is first cut to
// its shortest repeating period (16, 8, 4 or 2 bits; a solid pattern stays 32
// bits), then each run of set bits from the most significant one gives
// +length * unit and each run of clear bits -length * unit. Never empty.
std::vector<double> PatternToDashes(uint32_t pattern, double unit);

}  // namespace common
