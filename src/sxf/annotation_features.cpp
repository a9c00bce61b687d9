// Annotation feature records: dimensions, labels, balloons and the arrow
// drawn as a label. The blocks A, E, R and T are appended in the order the
// features list them.
#include "sxf/annotation_features.h"

#include "sxf/point_lists.h"

#include <cmath>
#include <numbers>

namespace sxf {
namespace {

constexpr int kLength = 6;
constexpr int kAngle = 12;

void appendAttr(FeatureRecord& args, const SfcAttr& a)
{
    args.integer(a.layer).integer(a.colour).integer(a.lineType).integer(a.width);
}

void appendExtLine(FeatureRecord& args, const SfcExtLine& e)
{
    args.integer(e.flag).real(e.baseX, kLength).real(e.baseY, kLength);
    args.real(e.startX, kLength).real(e.startY, kLength).real(e.endX, kLength).real(e.endY, kLength);
}

void appendArrow(FeatureRecord& args, const SfcArrow& r)
{
    args.integer(r.code).integer(r.orientation).real(r.x, kLength).real(r.y, kLength).real(r.scale, kAngle);
}

void appendText(FeatureRecord& args, const SfcTextBlock& t)
{
    args.integer(t.mf).integer(t.fo).string(t.st);
    args.real(t.kx, kLength).real(t.ky, kLength).real(t.sy, kLength).real(t.sx, kLength).real(t.md, kLength);
    args.real(t.ma, kAngle).real(t.ms, kAngle).integer(t.kt).integer(t.dr);
}

void appendSegment(FeatureRecord& args, double x1, double y1, double x2, double y2)
{
    args.real(x1, kLength).real(y1, kLength).real(x2, kLength).real(y2, kLength);
}

// The shared body of curve and angular dimensions.
void writeArcDim(SfcWriter& f, std::string_view name, const SfcAttr& a, double cx, double cy, double r, double startDeg,
    double endDeg, const SfcExtLine& e1, const SfcExtLine& e2, const SfcArrow& r1, const SfcArrow& r2,
    const SfcTextBlock& t)
{
    FeatureRecord args = f.feature(name);
    appendAttr(args, a);
    args.real(cx, kLength).real(cy, kLength).real(r, kLength).real(startDeg, kAngle).real(endDeg, kAngle);
    appendExtLine(args, e1);
    appendExtLine(args, e2);
    appendArrow(args, r1);
    appendArrow(args, r2);
    appendText(args, t);
    args.write();
}

}  // namespace

void procSfcDimLinear(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2, const SfcExtLine& e1,
    const SfcExtLine& e2, const SfcArrow& r1, const SfcArrow& r2, const SfcTextBlock& t)
{
    FeatureRecord args = f.feature("linear_dim_feature");
    appendAttr(args, a);
    appendSegment(args, x1, y1, x2, y2);
    appendExtLine(args, e1);
    appendExtLine(args, e2);
    appendArrow(args, r1);
    appendArrow(args, r2);
    appendText(args, t);
    args.write();
}

void procSfcDimCurve(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r, double startDeg, double endDeg,
    const SfcExtLine& e1, const SfcExtLine& e2, const SfcArrow& r1, const SfcArrow& r2, const SfcTextBlock& t)
{
    writeArcDim(f, "curve_dim_feature", a, cx, cy, r, startDeg, endDeg, e1, e2, r1, r2, t);
}

void procSfcDimAngle(SfcWriter& f, const SfcAttr& a, double cx, double cy, double r, double startDeg, double endDeg,
    const SfcExtLine& e1, const SfcExtLine& e2, const SfcArrow& r1, const SfcArrow& r2, const SfcTextBlock& t)
{
    writeArcDim(f, "angular_dim_feature", a, cx, cy, r, startDeg, endDeg, e1, e2, r1, r2, t);
}

void procSfcDimRadius(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2, const SfcArrow& r,
    const SfcTextBlock& t)
{
    FeatureRecord args = f.feature("radius_dim_feature");
    appendAttr(args, a);
    appendSegment(args, x1, y1, x2, y2);
    appendArrow(args, r);
    appendText(args, t);
    args.write();
}

void procSfcDimDiameter(SfcWriter& f, const SfcAttr& a, double x1, double y1, double x2, double y2, const SfcArrow& r1,
    const SfcArrow& r2, const SfcTextBlock& t)
{
    FeatureRecord args = f.feature("diameter_dim_feature");
    appendAttr(args, a);
    appendSegment(args, x1, y1, x2, y2);
    appendArrow(args, r1);
    appendArrow(args, r2);
    appendText(args, t);
    args.write();
}

void procSfcLeader(SfcWriter& f, const SfcAttr& a, int32_t n, std::span<const T2DPoint> points, int32_t arrowCode,
    double arrowScale, const SfcTextBlock& t)
{
    FeatureRecord args = f.feature("label_feature");
    appendAttr(args, a);
    appendPointLists(args, n, points, kLength);
    args.integer(arrowCode).real(arrowScale, kAngle);
    appendText(args, t);
    args.write();
}

void procSfcBalloon(SfcWriter& f, const SfcAttr& a, int32_t n, std::span<const T2DPoint> points, double cx, double cy,
    double r, int32_t arrowCode, double arrowScale, const SfcTextBlock& t)
{
    FeatureRecord args = f.feature("balloon_feature");
    appendAttr(args, a);
    appendPointLists(args, n, points, kLength);
    args.real(cx, kLength).real(cy, kLength).real(r, kLength);
    args.integer(arrowCode).real(arrowScale, kAngle);
    appendText(args, t);
    args.write();
}

void procSfcArw(SfcWriter& f, int32_t layer, int32_t colour, double x, double y, int32_t code, double angle,
    double scale, double length)
{
    // The second vertex lies behind the tip, so the label's arrow at its
    // first vertex points along `angle`.
    const double back = angle + std::numbers::pi;
    const T2DPoint points[2] = {{x, y}, {x + length * std::cos(back), y + length * std::sin(back)}};
    SfcTextBlock noText;
    noText.mf = 0;
    noText.fo = 0;
    noText.kt = 1;
    noText.dr = 1;
    procSfcLeader(f, SfcAttr {layer, colour, 1, 1}, 2, points, code, scale, noText);
}

}  // namespace sxf
