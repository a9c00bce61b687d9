// Geometric and text feature records. Values arrive final; nothing here
// normalises an angle or a direction.
#include "sxf/geometric_features.h"

#include "sxf/point_lists.h"

namespace sxf {
namespace {

// Coordinates, lengths and spacings carry 6 decimals; angles and scale
// factors 12.
constexpr int kLength = 6;
constexpr int kAngle = 12;

void appendAttr(FeatureRecord& args, const SfcAttr& a)
{
    args.integer(a.layer).integer(a.colour).integer(a.lineType).integer(a.width);
}

}  // namespace

void procSfcTen(
    SfcWriter& f, int32_t layer, int32_t colour, double x, double y, int32_t code, double angleDeg, double scale)
{
    FeatureRecord args = f.feature("point_marker_feature");
    args.integer(layer).integer(colour).real(x, kLength).real(y, kLength).integer(code);
    args.real(angleDeg, kAngle).real(scale, kAngle);
    args.write();
}

void procSfcLine(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2)
{
    FeatureRecord args = f.feature("line_feature");
    appendAttr(args, a);
    args.real(x1, kLength).real(y1, kLength).real(x2, kLength).real(y2, kLength);
    args.write();
}

void procSfcPolyLine(SfcWriter& f, const SfcAttr& a, int32_t n, std::span<const T2DPoint> points)
{
    FeatureRecord args = f.feature("polyline_feature");
    appendAttr(args, a);
    appendPointLists(args, n, points, kLength);
    args.write();
}

void procSfcCircle(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r)
{
    FeatureRecord args = f.feature("circle_feature");
    appendAttr(args, a);
    args.real(cx, kLength).real(cy, kLength).real(r, kLength);
    args.write();
}

void procSfcArc(
    SfcWriter& f, const SfcAttr& a, double cx, double cy, double r, int32_t direction, double startDeg, double endDeg)
{
    FeatureRecord args = f.feature("arc_feature");
    appendAttr(args, a);
    args.real(cx, kLength).real(cy, kLength).real(r, kLength).integer(direction);
    args.real(startDeg, kAngle).real(endDeg, kAngle);
    args.write();
}

void procSfcElli(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r1, double r2, double rotationDeg)
{
    FeatureRecord args = f.feature("ellipse_feature");
    appendAttr(args, a);
    args.real(cx, kLength).real(cy, kLength).real(r1, kLength).real(r2, kLength).real(rotationDeg, kAngle);
    args.write();
}

void procSfcEArc(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r1, double r2, int32_t direction,
    double rotationDeg, double startDeg, double endDeg)
{
    FeatureRecord args = f.feature("ellipse_arc_feature");
    appendAttr(args, a);
    args.real(cx, kLength).real(cy, kLength).real(r1, kLength).real(r2, kLength).integer(direction);
    args.real(rotationDeg, kAngle).real(startDeg, kAngle).real(endDeg, kAngle);
    args.write();
}

void procSfcText(SfcWriter& f, const SfcText& t)
{
    FeatureRecord args = f.feature("text_string_feature");
    args.integer(t.layer).integer(t.colour).integer(t.font).string(t.text);
    args.real(t.x, kLength).real(t.y, kLength).real(t.height, kLength).real(t.width, kLength).real(t.spacing, kLength);
    args.real(t.angleDeg, kAngle).real(t.slantDeg, kAngle).integer(t.basePoint).integer(t.direction);
    args.write();
}

}  // namespace sxf
