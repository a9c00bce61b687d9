// Writers of the drawing primitives: point markers, lines, polylines,
// circles, arcs, ellipses, elliptic arcs and text strings. Values are final
// (coordinates transformed, angles in degrees); nothing is normalised here.
#pragma once

#include "sxf/feature_types.h"
#include "sxf/sfc_writer.h"

#include <QStringView>

#include <span>

namespace sxf {

// point_marker_feature: layer, colour, x, y (6), marker code, angle (12),
// scale (12).
void procSfcTen(SfcWriter& f, int32_t layer, int32_t colour, double x, double y, int32_t code, double angleDeg,
                double scale);
// line_feature: A, x1, y1, x2, y2 (6).
void procSfcLine(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2);
// polyline_feature: A, n, '(x...)', '(y...)' of the first n points. When
// `points` holds fewer than n (or n is negative), the points there are (or
// none) are written and the count states how many, so that the count always
// matches the lists.
void procSfcPolyLine(SfcWriter& f, const SfcAttr& a, int32_t n, std::span<const T2DPoint> points);
// circle_feature: A, cx, cy, r (6).
void procSfcCircle(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r);
// arc_feature: A, cx, cy, r (6), direction (1 clockwise), start, end (12).
void procSfcArc(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r, int32_t direction, double startDeg,
                double endDeg);
// ellipse_feature: A, cx, cy, r1, r2 (6), rotation (12).
void procSfcElli(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r1, double r2, double rotationDeg);
// ellipse_arc_feature: A, cx, cy, r1, r2 (6), direction, rotation, start,
// end (12).
void procSfcEArc(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r1, double r2, int32_t direction,
                 double rotationDeg, double startDeg, double endDeg);
// text_string_feature: layer, colour, font, text, x, y, height, width,
// spacing (6), angle, slant (12), base point position, direction.
void procSfcText(SfcWriter& f, const SfcText& t);

}  // namespace sxf
