// Geometric and text feature records. Values arrive final; nothing here
// normalises an angle or a direction.
#include "worker/sfc/geometric_features.h"

#include "worker/sfc/point_lists.h"

namespace sfc {
namespace {

// Coordinates, lengths and spacings carry 6 decimals; angles and scale
// factors 12.
constexpr int kLength = 6;
constexpr int kAngle = 12;

FeatureArgs attrArgs(const SfcAttr& a)
{
    FeatureArgs args;
    args.integer(a.layer).integer(a.colour).integer(a.lineType).integer(a.width);
    return args;
}

}  // namespace

void procSfcTen(
    SfcWriter& f, int32_t layer, int32_t colour, double x, double y, int32_t code, double angleDeg, double scale)
{
    FeatureArgs args;
    args.integer(layer).integer(colour).real(x, kLength).real(y, kLength).integer(code);
    args.real(angleDeg, kAngle).real(scale, kAngle);
    f.writeFeature("point_marker_feature", args);
}

void procSfcLine(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2)
{
    FeatureArgs args = attrArgs(a);
    args.real(x1, kLength).real(y1, kLength).real(x2, kLength).real(y2, kLength);
    f.writeFeature("line_feature", args);
}

void procSfcPolyLine(SfcWriter& f, const SfcAttr& a, int32_t n, std::span<const T2DPoint> points)
{
    const PointLists lists = firstPoints(n, points);
    FeatureArgs args = attrArgs(a);
    args.integer(static_cast<int64_t>(lists.xs.size())).realList(lists.xs, kLength).realList(lists.ys, kLength);
    f.writeFeature("polyline_feature", args);
}

void procSfcCircle(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r)
{
    FeatureArgs args = attrArgs(a);
    args.real(cx, kLength).real(cy, kLength).real(r, kLength);
    f.writeFeature("circle_feature", args);
}

void procSfcArc(
    SfcWriter& f, const SfcAttr& a, double cx, double cy, double r, int32_t direction, double startDeg, double endDeg)
{
    FeatureArgs args = attrArgs(a);
    args.real(cx, kLength).real(cy, kLength).real(r, kLength).integer(direction);
    args.real(startDeg, kAngle).real(endDeg, kAngle);
    f.writeFeature("arc_feature", args);
}

void procSfcElli(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r1, double r2, double rotationDeg)
{
    FeatureArgs args = attrArgs(a);
    args.real(cx, kLength).real(cy, kLength).real(r1, kLength).real(r2, kLength).real(rotationDeg, kAngle);
    f.writeFeature("ellipse_feature", args);
}

void procSfcEArc(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r1, double r2, int32_t direction,
    double rotationDeg, double startDeg, double endDeg)
{
    FeatureArgs args = attrArgs(a);
    args.real(cx, kLength).real(cy, kLength).real(r1, kLength).real(r2, kLength).integer(direction);
    args.real(rotationDeg, kAngle).real(startDeg, kAngle).real(endDeg, kAngle);
    f.writeFeature("ellipse_arc_feature", args);
}

void procSfcText(SfcWriter& f, const SfcText& t)
{
    FeatureArgs args;
    args.integer(t.layer).integer(t.colour).integer(t.font).string(t.text);
    args.real(t.x, kLength).real(t.y, kLength).real(t.height, kLength).real(t.width, kLength).real(t.spacing, kLength);
    args.real(t.angleDeg, kAngle).real(t.slantDeg, kAngle).integer(t.basePoint).integer(t.direction);
    f.writeFeature("text_string_feature", args);
}

}  // namespace sfc
