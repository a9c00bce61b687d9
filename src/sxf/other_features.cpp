// Records of the feature kinds only other programs write.
#include "sxf/other_features.h"

#include "sxf/point_lists.h"

namespace sxf {
namespace {

constexpr int kLength = 6;
constexpr int kAngle = 12;

void appendAttr(FeatureRecord& args, const SfcAttr& a)
{
    args.integer(a.layer).integer(a.colour).integer(a.lineType).integer(a.width);
}

void appendBoundary(FeatureRecord& args, const FillBoundary& b)
{
    args.integer(b.outer).integer(static_cast<int64_t>(b.holes.size())).integerList(b.holes);
}

}  // namespace

void writeSpline(SfcWriter& f, const SplineFeature& s)
{
    FeatureRecord args = f.feature("spline_feature");
    appendAttr(args, s.a);
    args.integer(s.openClose);
    appendPointLists(args, static_cast<int32_t>(s.points.size()), s.points, kLength);
    args.write();
}

void writeClothoid(SfcWriter& f, const ClothoidFeature& c)
{
    FeatureRecord args = f.feature("clothoid_feature");
    appendAttr(args, c.a);
    args.real(c.baseX, kLength).real(c.baseY, kLength).real(c.parameter, kLength).integer(c.direction);
    args.real(c.angle, kAngle).real(c.startLength, kLength).real(c.endLength, kLength);
    args.write();
}

void writeExternalSymbol(SfcWriter& f, const ExternalSymbolFeature& e)
{
    FeatureRecord args = f.feature("externally_defined_symbol_feature");
    args.integer(e.layer).integer(e.colourFlag).integer(e.colour).string(e.name);
    args.real(e.x, kLength).real(e.y, kLength).real(e.angle, kAngle).real(e.scale, kAngle);
    args.write();
}

void writeHatching(SfcWriter& f, const HatchingFeature& h)
{
    FeatureRecord args = f.feature("fill_area_style_hatching_feature");
    args.integer(h.layer).integer(static_cast<int64_t>(h.patterns.size()));
    for (const HatchPattern& p : h.patterns) {
        args.integer(p.colour).integer(p.lineType).integer(p.width);
        args.real(p.startX, kLength).real(p.startY, kLength).real(p.spacing, kLength).real(p.angle, kAngle);
    }
    appendBoundary(args, h.boundary);
    args.write();
}

void writeTiles(SfcWriter& f, const TilesFeature& t)
{
    FeatureRecord args = f.feature("fill_area_style_tiles_feature");
    args.integer(t.layer).string(t.name).integer(t.colour).real(t.patternX, kLength).real(t.patternY, kLength);
    args.real(t.vector1, kLength).real(t.vector1Angle, kAngle).real(t.vector2, kLength).real(t.vector2Angle, kAngle);
    args.real(t.scaleX, kAngle).real(t.scaleY, kAngle).real(t.angle, kAngle);
    appendBoundary(args, t.boundary);
    args.write();
}

void writeAttribute(SfcWriter& f, const AttributeFeature& a)
{
    FeatureRecord args = f.feature("attribute_feature");
    args.string(a.projectName).string(a.contractName).string(a.contractType).string(a.drawingTitle);
    args.string(a.drawingNumber).string(a.drawingType).string(a.drawingScale);
    args.integer(a.year).integer(a.month).integer(a.day).string(a.contractor).string(a.owner);
    args.write();
}

}  // namespace sxf
