// Consistency of a drawing model.
#include "tests/fuzz/drawing_checks.h"

namespace fuzzing {
namespace {

using namespace sxf;

size_t kindSize(const Drawing& d, FeatureKind kind)
{
    switch (kind) {
    case FeatureKind::PointMarker: return d.pointMarkers.size();
    case FeatureKind::Line: return d.lines.size();
    case FeatureKind::Polyline: return d.polylines.size();
    case FeatureKind::Circle: return d.circles.size();
    case FeatureKind::Arc: return d.arcs.size();
    case FeatureKind::Ellipse: return d.ellipses.size();
    case FeatureKind::EllipseArc: return d.ellipseArcs.size();
    case FeatureKind::Text: return d.texts.size();
    case FeatureKind::Spline: return d.splines.size();
    case FeatureKind::Clothoid: return d.clothoids.size();
    case FeatureKind::SymbolPlacement: return d.placements.size();
    case FeatureKind::ExternalSymbol: return d.externalSymbols.size();
    case FeatureKind::FillColour: return d.fillColours.size();
    case FeatureKind::ExternalHatch: return d.externalHatches.size();
    case FeatureKind::Hatching: return d.hatchings.size();
    case FeatureKind::Tiles: return d.tiles.size();
    case FeatureKind::LinearDim: return d.linearDims.size();
    case FeatureKind::CurveDim:
    case FeatureKind::AngularDim: return d.arcDims.size();
    case FeatureKind::RadiusDim: return d.radiusDims.size();
    case FeatureKind::DiameterDim: return d.diameterDims.size();
    case FeatureKind::Label:
    case FeatureKind::Balloon: return d.labels.size();
    case FeatureKind::Attribute: return d.attributes.size();
    }
    return 0;
}

size_t allFeatures(const Drawing& d)
{
    return d.pointMarkers.size() + d.lines.size() + d.polylines.size() + d.circles.size() + d.arcs.size()
        + d.ellipses.size() + d.ellipseArcs.size() + d.texts.size() + d.splines.size() + d.clothoids.size()
        + d.placements.size() + d.externalSymbols.size() + d.fillColours.size() + d.externalHatches.size()
        + d.hatchings.size() + d.tiles.size() + d.linearDims.size() + d.arcDims.size() + d.radiusDims.size()
        + d.diameterDims.size() + d.labels.size() + d.attributes.size();
}

bool within(int32_t index, size_t size, bool noneAllowed = true)
{
    return (noneAllowed && index == kNone) || (index >= 0 && static_cast<size_t>(index) < size);
}

void checkRefs(const Drawing& d, const TableRefs& r, QStringList& out)
{
    if (!within(r.layer, d.layers.size()) || !within(r.colour, d.colours.size())
        || !within(r.lineType, d.lineTypes.size()) || !within(r.width, d.widths.size())
        || !within(r.font, d.fonts.size()))
        out += QStringLiteral("a table reference is out of range");
}

void checkBoundary(const Drawing& d, const FillBoundary& b, QStringList& out)
{
    bool ok = within(b.outerCurve, d.curves.size());
    for (int32_t c : b.holeCurves)
        ok = ok && within(c, d.curves.size());
    if (!ok)
        out += QStringLiteral("a fill boundary names a curve out of range");
}

template <typename Feature>
void checkAll(const Drawing& d, const std::vector<Feature>& list, QStringList& out)
{
    for (const Feature& f : list)
        checkRefs(d, f.refs, out);
}

void checkReferences(const Drawing& d, QStringList& out)
{
    checkAll(d, d.pointMarkers, out);
    checkAll(d, d.lines, out);
    checkAll(d, d.polylines, out);
    checkAll(d, d.circles, out);
    checkAll(d, d.arcs, out);
    checkAll(d, d.ellipses, out);
    checkAll(d, d.ellipseArcs, out);
    checkAll(d, d.texts, out);
    checkAll(d, d.splines, out);
    checkAll(d, d.clothoids, out);
    checkAll(d, d.placements, out);
    checkAll(d, d.externalSymbols, out);
    checkAll(d, d.linearDims, out);
    checkAll(d, d.arcDims, out);
    checkAll(d, d.radiusDims, out);
    checkAll(d, d.diameterDims, out);
    checkAll(d, d.labels, out);
    for (const SymbolPlacementFeature& p : d.placements) {
        if (!within(p.symbol, d.symbols.size()))
            out += QStringLiteral("a placement names a symbol out of range");
    }
    for (const FillColourFeature& f : d.fillColours)
        checkBoundary(d, f.boundary, out);
    for (const ExternalHatchFeature& f : d.externalHatches)
        checkBoundary(d, f.boundary, out);
    for (const HatchingFeature& f : d.hatchings)
        checkBoundary(d, f.boundary, out);
    for (const TilesFeature& f : d.tiles)
        checkBoundary(d, f.boundary, out);
}

// Each assembly's members are the run of the order after the previous one's.
void checkAssemblies(const Drawing& d, QStringList& out)
{
    int32_t next = 0;
    for (const AssemblyRef& a : d.assemblies) {
        FeatureRange r;
        if (a.kind == AssemblyKind::Sheet && within(a.index, d.sheets.size(), false))
            r = d.sheets[static_cast<size_t>(a.index)].members;
        else if (a.kind == AssemblyKind::Symbol && within(a.index, d.symbols.size(), false))
            r = d.symbols[static_cast<size_t>(a.index)].members;
        else if (a.kind == AssemblyKind::Curve && within(a.index, d.curves.size(), false))
            r = d.curves[static_cast<size_t>(a.index)].segments;
        else
            out += QStringLiteral("an assembly is out of range");
        if (r.first != next || r.count < 0 || static_cast<size_t>(r.first) + static_cast<size_t>(r.count) > d.features.size())
            out += QStringLiteral("an assembly's members are not the run after the one before");
        next = r.first + r.count;
    }
}

}  // namespace

QStringList checkDrawingModel(const Drawing& d)
{
    QStringList out;
    std::vector<std::vector<bool>> seen(static_cast<size_t>(FeatureKind::Attribute) + 1);
    for (const FeatureRef& f : d.features) {
        const size_t size = kindSize(d, f.kind);
        // Kinds that share one vector share their marks.
        const FeatureKind slot = f.kind == FeatureKind::AngularDim ? FeatureKind::CurveDim
            : f.kind == FeatureKind::Balloon                        ? FeatureKind::Label
                                                                    : f.kind;
        auto& marks = seen[static_cast<size_t>(slot)];
        marks.resize(size);
        if (!within(f.index, size, false) || marks[static_cast<size_t>(f.index)]) {
            out += QStringLiteral("feature %1 of %2 is out of range or listed twice")
                       .arg(f.index)
                       .arg(QString::fromLatin1(featureName(f.kind)));
            continue;
        }
        marks[static_cast<size_t>(f.index)] = true;
    }
    if (d.features.size() != allFeatures(d))
        out += QStringLiteral("the order lists %1 features of %2").arg(d.features.size()).arg(allFeatures(d));
    checkReferences(d, out);
    checkAssemblies(d, out);
    out.removeDuplicates();
    return out;
}

}  // namespace fuzzing
