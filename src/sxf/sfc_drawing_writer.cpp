// The model written back: each entry through the writer of its record.
#include "sxf/sfc_drawing_writer.h"

#include "sxf/annotation_features.h"
#include "sxf/definition_features.h"
#include "sxf/geometric_features.h"
#include "sxf/other_features.h"
#include "sxf/sfc_frame.h"
#include "sxf/structure_features.h"

#include <cmath>
#include <limits>

namespace sxf {
namespace {

void writeTables(SfcWriter& f, const Drawing& d)
{
    for (const Layer& l : d.layers)
        procSfcSetLayer(f, l.name, l.flag);
    for (const Colour& c : d.colours) {
        if (c.predefined)
            procSfcSetColor(f, c.name);
        else
            procSfcSetColorUser(f, c.r, c.g, c.b);
    }
    for (const LineType& t : d.lineTypes) {
        if (t.predefined)
            procSfcSetLtype(f, t.name);
        else
            procSfcSetLtypeUser(f, t.name, static_cast<int32_t>(t.pitches.size()), t.pitches);
    }
    for (const Width& w : d.widths)
        procSfcSetWidth(f, w.width);
    for (const Font& font : d.fonts)
        procSfcSetFont(f, font.name);
}

int32_t pointCount(const std::vector<T2DPoint>& points)
{
    return static_cast<int32_t>(points.size());
}

// The sheet's width is an integer argument.
int32_t sheetWidth(double x)
{
    if (!(std::abs(x) < std::numeric_limits<int32_t>::max()))
        return 0;
    return static_cast<int32_t>(std::lround(x));
}

void writeFeature(SfcWriter& f, const Drawing& d, const FeatureRef& ref)
{
    const auto i = static_cast<size_t>(ref.index);
    switch (ref.kind) {
    case FeatureKind::PointMarker: {
        const PointMarkerFeature& p = d.pointMarkers[i];
        procSfcTen(f, p.layer, p.colour, p.x, p.y, p.code, p.angle, p.scale);
        break;
    }
    case FeatureKind::Line: {
        const LineFeature& l = d.lines[i];
        procSfcLine(f, l.a, l.x1, l.y1, l.x2, l.y2);
        break;
    }
    case FeatureKind::Polyline: {
        const PolylineFeature& p = d.polylines[i];
        procSfcPolyLine(f, p.a, pointCount(p.points), p.points);
        break;
    }
    case FeatureKind::Circle: {
        const CircleFeature& c = d.circles[i];
        procSfcCircle(f, c.a, c.cx, c.cy, c.r);
        break;
    }
    case FeatureKind::Arc: {
        const ArcFeature& a = d.arcs[i];
        procSfcArc(f, a.a, a.cx, a.cy, a.r, a.direction, a.startAngle, a.endAngle);
        break;
    }
    case FeatureKind::Ellipse: {
        const EllipseFeature& e = d.ellipses[i];
        procSfcElli(f, e.a, e.cx, e.cy, e.rx, e.ry, e.rotation);
        break;
    }
    case FeatureKind::EllipseArc: {
        const EllipseArcFeature& e = d.ellipseArcs[i];
        procSfcEArc(f, e.a, e.cx, e.cy, e.rx, e.ry, e.direction, e.rotation, e.startAngle, e.endAngle);
        break;
    }
    case FeatureKind::Text: procSfcText(f, d.texts[i].t); break;
    case FeatureKind::Spline: writeSpline(f, d.splines[i]); break;
    case FeatureKind::Clothoid: writeClothoid(f, d.clothoids[i]); break;
    case FeatureKind::SymbolPlacement: {
        const SymbolPlacementFeature& p = d.placements[i];
        procSfcBlock(f, p.layer, p.name, p.x, p.y, p.angle, p.scaleX, p.scaleY);
        break;
    }
    case FeatureKind::ExternalSymbol: writeExternalSymbol(f, d.externalSymbols[i]); break;
    case FeatureKind::FillColour: {
        const FillColourFeature& c = d.fillColours[i];
        procSfcHatchColor(f, c.layer, c.colour, c.boundary.outer, c.boundary.holes);
        break;
    }
    case FeatureKind::ExternalHatch: {
        const ExternalHatchFeature& h = d.externalHatches[i];
        procSfcHatchExt(f, h.layer, h.name, h.boundary.outer, h.boundary.holes);
        break;
    }
    case FeatureKind::Hatching: writeHatching(f, d.hatchings[i]); break;
    case FeatureKind::Tiles: writeTiles(f, d.tiles[i]); break;
    case FeatureKind::LinearDim: {
        const LinearDimFeature& m = d.linearDims[i];
        procSfcDimLinear(f, m.a, m.x1, m.y1, m.x2, m.y2, m.e1, m.e2, m.r1, m.r2, m.t);
        break;
    }
    case FeatureKind::CurveDim: {
        const ArcDimFeature& m = d.arcDims[i];
        procSfcDimCurve(f, m.a, m.cx, m.cy, m.r, m.startAngle, m.endAngle, m.e1, m.e2, m.r1, m.r2, m.t);
        break;
    }
    case FeatureKind::AngularDim: {
        const ArcDimFeature& m = d.arcDims[i];
        procSfcDimAngle(f, m.a, m.cx, m.cy, m.r, m.startAngle, m.endAngle, m.e1, m.e2, m.r1, m.r2, m.t);
        break;
    }
    case FeatureKind::RadiusDim: {
        const RadiusDimFeature& m = d.radiusDims[i];
        procSfcDimRadius(f, m.a, m.x1, m.y1, m.x2, m.y2, m.r, m.t);
        break;
    }
    case FeatureKind::DiameterDim: {
        const DiameterDimFeature& m = d.diameterDims[i];
        procSfcDimDiameter(f, m.a, m.x1, m.y1, m.x2, m.y2, m.r1, m.r2, m.t);
        break;
    }
    case FeatureKind::Label: {
        const LabelFeature& l = d.labels[i];
        procSfcLeader(f, l.a, pointCount(l.points), l.points, l.arrowCode, l.arrowScale, l.t);
        break;
    }
    case FeatureKind::Balloon: {
        const LabelFeature& l = d.labels[i];
        procSfcBalloon(f, l.a, pointCount(l.points), l.points, l.cx, l.cy, l.r, l.arrowCode, l.arrowScale, l.t);
        break;
    }
    case FeatureKind::Attribute: writeAttribute(f, d.attributes[i]); break;
    }
}

void writeFeatures(SfcWriter& f, const Drawing& d, int32_t first, int32_t end)
{
    for (int32_t i = first; i < end; ++i)
        writeFeature(f, d, d.features[static_cast<size_t>(i)]);
}

// Writes the members of `a` and then its record; returns the end of its
// members in Drawing::features.
int32_t writeAssembly(SfcWriter& f, const Drawing& d, const AssemblyRef& a)
{
    const auto i = static_cast<size_t>(a.index);
    switch (a.kind) {
    case AssemblyKind::Sheet: {
        const Sheet& s = d.sheets[i];
        writeFeatures(f, d, s.members.first, s.members.first + s.members.count);
        procSfcPaper(f, s.name, s.kind, s.orientation, sheetWidth(s.x), s.y);
        return s.members.first + s.members.count;
    }
    case AssemblyKind::Symbol: {
        const Symbol& s = d.symbols[i];
        writeFeatures(f, d, s.members.first, s.members.first + s.members.count);
        procSfcBlockDef(f, s.name, s.flag);
        return s.members.first + s.members.count;
    }
    case AssemblyKind::Curve: break;
    }
    const CompositeCurve& c = d.curves[i];
    writeFeatures(f, d, c.segments.first, c.segments.first + c.segments.count);
    procSfcCcurveDef(f, c.colour, c.lineType, c.width, c.flag);
    return c.segments.first + c.segments.count;
}

}  // namespace

void writeSfc(SfcWriter& f, const Drawing& d, const QDateTime& timeStamp)
{
    Header header = d.header;
    if (timeStamp.isValid())
        header.timeStamp = sfcTimeStamp(timeStamp);
    writeSfcHeader(f, header);
    writeTables(f, d);
    int32_t next = 0;
    for (const AssemblyRef& a : d.assemblies)
        next = writeAssembly(f, d, a);
    writeFeatures(f, d, next, static_cast<int32_t>(d.features.size()));
    procSfcFooter(f);
}

}  // namespace sxf
