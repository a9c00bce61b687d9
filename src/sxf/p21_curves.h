// The curve features in P21: lines, polylines, circles, arcs, ellipses,
// elliptic arcs, splines and clothoids, each as geometry, a curve style and
// a styled item; and the segments of composite curves.
#pragma once

#include "sxf/p21_context.h"

#include <span>

namespace sxf::p21 {

// The geometry alone, as the features and the dimensions share it. Each
// returns the number of the curve a styled item or a segment refers to.

// Points end, start, the direction between them (not normalised), its
// vector, the LINE and the TRIMMED_CURVE between the two points.
int32_t writeLineCurve(P21Output& o, double x1, double y1, double x2, double y2);
// Centre, placement, CIRCLE and the TRIMMED_CURVE between the angles
// (degrees) in the sense `direction` gives (0 counter-clockwise).
int32_t writeArcCurve(P21Output& o, double cx, double cy, double r, int32_t direction, double startDeg,
                      double endDeg);
// The vertices and the POLYLINE through them.
int32_t writePolylineCurve(P21Output& o, std::span<const T2DPoint> points);

// Feature writers: the instances of one feature, and what it adds to its
// layer and assembly in `placed`. A refusal may leave instances behind; the
// caller takes them back.
Refusal writeLine(Context& ctx, const LineFeature& f, Placed& placed);
Refusal writePolyline(Context& ctx, const PolylineFeature& f, Placed& placed);
Refusal writeCircle(Context& ctx, const CircleFeature& f, Placed& placed);
Refusal writeArc(Context& ctx, const ArcFeature& f, Placed& placed);
Refusal writeEllipse(Context& ctx, const EllipseFeature& f, Placed& placed);
Refusal writeEllipseArc(Context& ctx, const EllipseArcFeature& f, Placed& placed);
Refusal writeSpline(Context& ctx, const SplineFeature& f, Placed& placed);
Refusal writeClothoid(Context& ctx, const ClothoidFeature& f, Placed& placed);

// A point inside a composite curve's outline: the mean of the points its
// segments add.
struct InteriorPoint {
    double x = 0, y = 0;
    int64_t count = 0;
    void add(double px, double py)
    {
        x += px;
        y += py;
        ++count;
    }
};

// Writes member `ref` of a composite curve as a segment (arcs, elliptic
// arcs, polylines and splines only) and sets `segment` to its
// COMPOSITE_CURVE_SEGMENT; adds its points to `inside`.
Refusal writeSegment(Context& ctx, const FeatureRef& ref, int32_t& segment, InteriorPoint& inside);

}  // namespace sxf::p21
