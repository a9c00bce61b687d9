// Curves as points: arcs, ellipses, splines and clothoids sampled finely
// enough that the chords stay within a small fraction of a millimetre of
// the curve on the sheet.
#pragma once

#include "sxf/feature_types.h"

#include <QPointF>

#include <vector>

namespace render {

// An elliptic arc of radii `rx`, `ry`, its first axis turned `rotationDeg`
// from the x axis, from the parameter angle `startDeg` to `endDeg` (for a
// circle the polar angle), counter-clockwise unless `clockwise`. Equal
// start and end angles make a full turn. Appends the points, both ends
// included, to `out`; appends nothing for non-finite values.
void appendArc(std::vector<QPointF>& out, QPointF centre, double rx, double ry, double rotationDeg,
               double startDeg, double endDeg, bool clockwise);

// A full ellipse (or circle), closed: its last point equals its first.
void appendEllipse(std::vector<QPointF>& out, QPointF centre, double rx, double ry, double rotationDeg);

// A uniform cubic B-spline over `control`: open (from the first control
// point to the last) or closed. Fewer than three points are joined by
// straight lines.
void appendSpline(std::vector<QPointF>& out, const std::vector<sxf::T2DPoint>& control, bool closed);

// A clothoid of parameter `a` (curvature = length / a^2) whose origin, where
// its curvature is zero, lies at `origin` with the tangent at `angleDeg`,
// from arc length `startLength` to `endLength`, bending to the left unless
// `clockwise`. A parameter of 0 draws the straight line.
void appendClothoid(std::vector<QPointF>& out, QPointF origin, double a, double angleDeg, bool clockwise,
                    double startLength, double endLength);

}  // namespace render
