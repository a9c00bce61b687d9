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

void procSfcText(SfcWriter& f, int32_t layer, int32_t colour, int32_t font, QStringView text, double x, double y,
    double height, double width, double spacing, double angleDeg, double slantDeg, int32_t basePoint, int32_t direction)
{
    FeatureArgs args;
    args.integer(layer).integer(colour).integer(font).string(text);
    args.real(x, kLength).real(y, kLength).real(height, kLength).real(width, kLength).real(spacing, kLength);
    args.real(angleDeg, kAngle).real(slantDeg, kAngle).integer(basePoint).integer(direction);
    f.writeFeature("text_string_feature", args);
}

}  // namespace sfc
