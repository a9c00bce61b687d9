// The curve geometry of P21 items: trimmed lines, circles, ellipses and
// clothoids, whole circles and ellipses, polylines and Bezier curves, as the
// official reader turns them into feature values.
#pragma once

#include "sxf/drawing.h"
#include "sxf/p21_read_context.h"
#include "sxf/p21_walk.h"

#include <vector>

namespace sxf {

// One curve. Angles in degrees, as the feature records hold them.
struct P21Curve {
    FeatureKind kind = FeatureKind::Line;  // Line, Arc, Circle, Ellipse, EllipseArc, Polyline, Spline or Clothoid
    QString name;                          // the name of the trimmed curve or other item
    T2DPoint start, end;                   // Line: the trimming points
    T2DPoint base;                         // Line: the LINE's point; Clothoid: its base point
    T2DPoint centre;
    double rx = 0, ry = 0;     // radius (Arc, Circle) or semi-axes
    double rotation = 0;       // Ellipse, EllipseArc: polar angle of the axis; Clothoid: its angle
    double startAngle = 0;     // Arc, EllipseArc: trimming parameters
    double endAngle = 0;
    int32_t direction = 0;     // Arc, EllipseArc: 1 when the sense is .F.; Clothoid: 1 when named '1'
    int32_t openClose = 0;     // Spline: 0 closed, 1 open
    double parameter = 0;      // Clothoid
    double startLength = 0;
    double endLength = 0;
    std::vector<T2DPoint> points;  // Polyline, Spline
};

// The curve that instance `index` is. Fails the walk (and leaves the curve
// incomplete) for any other entity, a trimming the official reader does not
// know, or a point list larger than the budget allows.
P21Curve readP21Curve(P21Context& ctx, P21Walk& w, int32_t index);

}  // namespace sxf
