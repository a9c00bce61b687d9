// Sampling curves into points.
#include "render/curve_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// How far a chord may leave the curve, in millimetres: a few hundredths of a
// millimetre keep circles round when zoomed far in.
constexpr double kTolerance = 0.02;
constexpr int kMaxStepsPerTurn = 720;
constexpr int kMinStepsPerTurn = 16;

bool finite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Steps for a sweep of `sweep` radians on a radius of `radius` mm.
int stepsFor(double sweep, double radius)
{
    const double perTurn = std::numbers::pi / std::acos(std::max(-1.0, 1.0 - kTolerance / std::max(radius, kTolerance)));
    const double turns = std::abs(sweep) / (2 * std::numbers::pi);
    const int steps = int(std::ceil(std::clamp(perTurn, double(kMinStepsPerTurn), double(kMaxStepsPerTurn)) * turns));
    return std::max(steps, 2);
}

}  // namespace

void appendArc(std::vector<QPointF>& out, QPointF centre, double rx, double ry, double rotationDeg,
               double startDeg, double endDeg, bool clockwise)
{
    if (!finite({centre.x(), centre.y(), rx, ry, rotationDeg, startDeg, endDeg}))
        return;
    // The sweep from start to end in the arc's direction, a full turn when
    // they meet.
    double sweep = std::fmod(clockwise ? startDeg - endDeg : endDeg - startDeg, 360.0);
    if (sweep < 0)
        sweep += 360.0;
    if (sweep == 0)
        sweep = 360.0;
    sweep *= clockwise ? -kDegree : kDegree;
    const int steps = stepsFor(sweep, std::max(std::abs(rx), std::abs(ry)));
    const double c = std::cos(rotationDeg * kDegree), s = std::sin(rotationDeg * kDegree);
    // The parameter advances by a fixed step: turning the unit vector by it
    // each time costs far less than a sine and cosine per point, and drifts
    // by rounding only (resynchronised every few dozen steps).
    const double start = startDeg * kDegree, step = sweep / steps;
    const double stepCos = std::cos(step), stepSin = std::sin(step);
    double u = std::cos(start), v = std::sin(start);
    out.reserve(out.size() + size_t(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        if (k % 64 == 0) {
            u = std::cos(start + step * k);
            v = std::sin(start + step * k);
        }
        const double x = rx * u, y = ry * v;
        out.emplace_back(centre.x() + x * c - y * s, centre.y() + x * s + y * c);
        const double nu = u * stepCos - v * stepSin;
        v = u * stepSin + v * stepCos;
        u = nu;
    }
}

void appendEllipse(std::vector<QPointF>& out, QPointF centre, double rx, double ry, double rotationDeg)
{
    const size_t first = out.size();
    appendArc(out, centre, rx, ry, rotationDeg, 0, 0, false);
    if (out.size() > first)
        out.back() = out[first];
}

void appendSpline(std::vector<QPointF>& out, const std::vector<sxf::T2DPoint>& control, bool closed)
{
    const size_t n = control.size();
    const auto at = [&](long i) {
        // Open splines repeat their end points, so that the curve reaches them.
        const long last = long(n) - 1;
        const long k = closed ? ((i % long(n)) + long(n)) % long(n) : std::clamp(i, 0L, last);
        return QPointF(control[size_t(k)].x, control[size_t(k)].y);
    };
    if (n < 3) {
        for (long i = 0; i < long(n); ++i)
            out.push_back(at(i));
        return;
    }
    constexpr int kSteps = 16;
    const long spans = closed ? long(n) : long(n) + 1;
    const long first = closed ? 0 : -2;
    for (long span = 0; span < spans; ++span) {
        const QPointF p0 = at(first + span), p1 = at(first + span + 1), p2 = at(first + span + 2), p3 = at(first + span + 3);
        for (int k = (span == 0 ? 0 : 1); k <= kSteps; ++k) {
            const double t = double(k) / kSteps, u = 1 - t;
            const double b0 = u * u * u / 6, b1 = (3 * t * t * t - 6 * t * t + 4) / 6;
            const double b2 = (-3 * t * t * t + 3 * t * t + 3 * t + 1) / 6, b3 = t * t * t / 6;
            out.push_back(p0 * b0 + p1 * b1 + p2 * b2 + p3 * b3);
        }
    }
}

void appendClothoid(std::vector<QPointF>& out, QPointF origin, double a, double angleDeg, bool clockwise,
                    double startLength, double endLength)
{
    if (!finite({origin.x(), origin.y(), a, angleDeg, startLength, endLength}))
        return;
    const double c = std::cos(angleDeg * kDegree), s = std::sin(angleDeg * kDegree);
    const double side = clockwise ? -1.0 : 1.0;
    // The tangent turns by length^2 / (2 a^2); integrate it in short steps
    // (midpoint rule) from the origin, where it points along the angle.
    const auto heading = [&](double length) { return a == 0 ? 0.0 : side * length * length / (2 * a * a); };
    const double span = endLength - startLength;
    const int steps = std::clamp(int(std::ceil(std::abs(span) / 0.5)) + 8, 8, 4000);
    const int originSteps = std::clamp(int(std::ceil(std::abs(startLength) / 0.5)) + 8, 8, 4000);
    QPointF p(0, 0);
    for (int k = 0; k < originSteps; ++k) {
        const double l0 = startLength * k / originSteps, l1 = startLength * (k + 1) / originSteps;
        const double h = heading((l0 + l1) / 2);
        p += QPointF(std::cos(h), std::sin(h)) * (l1 - l0);
    }
    const auto place = [&](QPointF q) { return origin + QPointF(q.x() * c - q.y() * s, q.x() * s + q.y() * c); };
    out.push_back(place(p));
    for (int k = 0; k < steps; ++k) {
        const double l0 = startLength + span * k / steps, l1 = startLength + span * (k + 1) / steps;
        const double h = heading((l0 + l1) / 2);
        p += QPointF(std::cos(h), std::sin(h)) * (l1 - l0);
        out.push_back(place(p));
    }
}

}  // namespace render
