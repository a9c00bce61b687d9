// Writers of the annotation features: dimensions, labels, balloons, and the
// stand-alone arrow drawn as a label without text.
#pragma once

#include "sxf/feature_types.h"
#include "sxf/sfc_writer.h"

#include <span>

namespace sxf {

// linear_dim_feature (44 arguments): A, x1, y1, x2, y2, E1, E2, R1, R2, T.
void procSfcDimLinear(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2,
                      const SfcExtLine& e1, const SfcExtLine& e2, const SfcArrow& r1, const SfcArrow& r2,
                      const SfcTextBlock& t);
// curve_dim_feature (45): A, cx, cy, r (6), start, end (12), E1, E2, R1, R2, T.
void procSfcDimCurve(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r, double startDeg,
                     double endDeg, const SfcExtLine& e1, const SfcExtLine& e2, const SfcArrow& r1,
                     const SfcArrow& r2, const SfcTextBlock& t);
// angular_dim_feature (45): the arguments of curve_dim_feature.
void procSfcDimAngle(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r, double startDeg,
                     double endDeg, const SfcExtLine& e1, const SfcExtLine& e2, const SfcArrow& r1,
                     const SfcArrow& r2, const SfcTextBlock& t);
// radius_dim_feature (25): A, x1, y1, x2, y2, R, T.
void procSfcDimRadius(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2,
                      const SfcArrow& r, const SfcTextBlock& t);
// diameter_dim_feature (30): A, x1, y1, x2, y2, R1, R2, T.
void procSfcDimDiameter(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2,
                        const SfcArrow& r1, const SfcArrow& r2, const SfcTextBlock& t);
// label_feature (21): A, n, x list, y list, arrow code, arrow scale (12), T.
// Writes the first n points; when `points` holds fewer (or n is negative),
// those there are (or none), with the count of the points written.
void procSfcLeader(SfcWriter& f, const SfcAttr& a, int32_t n, std::span<const T2DPoint> points,
                   int32_t arrowCode, double arrowScale, const SfcTextBlock& t);
// balloon_feature (24): A, n, x list, y list, cx, cy, r (6), arrow code,
// arrow scale (12), T. The points as for procSfcLeader.
void procSfcBalloon(SfcWriter& f, const SfcAttr& a, int32_t n, std::span<const T2DPoint> points, double cx,
                    double cy, double r, int32_t arrowCode, double arrowScale, const SfcTextBlock& t);
// An arrow at (x, y) pointing along `angle` (radians): a label with line type
// 1, width 1, the tip and the point `length` behind it, and no text.
void procSfcArw(SfcWriter& f, int32_t layer, int32_t colour, double x, double y, int32_t code, double angle,
                double scale, double length);

}  // namespace sxf
