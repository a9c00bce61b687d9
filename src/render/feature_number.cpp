// Feature numbers by index and back.
#include "render/feature_number.h"

namespace render {

int32_t featureNumber(const sxf::Drawing& drawing, int32_t index)
{
    if (index < 0 || size_t(index) >= drawing.features.size())
        return 0;
    const sxf::FeatureRef& f = drawing.features[size_t(index)];
    const auto from = [&f](const auto& items) {
        return size_t(f.index) < items.size() ? items[size_t(f.index)].at.number : 0;
    };
    using K = sxf::FeatureKind;
    switch (f.kind) {
    case K::PointMarker: return from(drawing.pointMarkers);
    case K::Line: return from(drawing.lines);
    case K::Polyline: return from(drawing.polylines);
    case K::Circle: return from(drawing.circles);
    case K::Arc: return from(drawing.arcs);
    case K::Ellipse: return from(drawing.ellipses);
    case K::EllipseArc: return from(drawing.ellipseArcs);
    case K::Text: return from(drawing.texts);
    case K::Spline: return from(drawing.splines);
    case K::Clothoid: return from(drawing.clothoids);
    case K::SymbolPlacement: return from(drawing.placements);
    case K::ExternalSymbol: return from(drawing.externalSymbols);
    case K::FillColour: return from(drawing.fillColours);
    case K::ExternalHatch: return from(drawing.externalHatches);
    case K::Hatching: return from(drawing.hatchings);
    case K::Tiles: return from(drawing.tiles);
    case K::LinearDim: return from(drawing.linearDims);
    case K::CurveDim:
    case K::AngularDim: return from(drawing.arcDims);
    case K::RadiusDim: return from(drawing.radiusDims);
    case K::DiameterDim: return from(drawing.diameterDims);
    case K::Label:
    case K::Balloon: return from(drawing.labels);
    case K::Attribute: return from(drawing.attributes);
    }
    return 0;
}

int32_t featureWithNumber(const sxf::Drawing& drawing, int32_t number)
{
    for (size_t i = 0; i < drawing.features.size(); ++i) {
        if (featureNumber(drawing, int32_t(i)) == number)
            return int32_t(i);
    }
    return sxf::kNone;
}

}  // namespace render
