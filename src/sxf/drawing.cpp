// Names of the feature kinds.
#include "sxf/drawing.h"

namespace sxf {

const char* featureName(FeatureKind kind)
{
    switch (kind) {
    case FeatureKind::PointMarker: return "point_marker_feature";
    case FeatureKind::Line: return "line_feature";
    case FeatureKind::Polyline: return "polyline_feature";
    case FeatureKind::Circle: return "circle_feature";
    case FeatureKind::Arc: return "arc_feature";
    case FeatureKind::Ellipse: return "ellipse_feature";
    case FeatureKind::EllipseArc: return "ellipse_arc_feature";
    case FeatureKind::Text: return "text_string_feature";
    case FeatureKind::Spline: return "spline_feature";
    case FeatureKind::Clothoid: return "clothoid_feature";
    case FeatureKind::SymbolPlacement: return "sfig_locate_feature";
    case FeatureKind::ExternalSymbol: return "externally_defined_symbol_feature";
    case FeatureKind::FillColour: return "fill_area_style_colour_feature";
    case FeatureKind::ExternalHatch: return "externally_defined_hatch_feature";
    case FeatureKind::Hatching: return "fill_area_style_hatching_feature";
    case FeatureKind::Tiles: return "fill_area_style_tiles_feature";
    case FeatureKind::LinearDim: return "linear_dim_feature";
    case FeatureKind::CurveDim: return "curve_dim_feature";
    case FeatureKind::AngularDim: return "angular_dim_feature";
    case FeatureKind::RadiusDim: return "radius_dim_feature";
    case FeatureKind::DiameterDim: return "diameter_dim_feature";
    case FeatureKind::Label: return "label_feature";
    case FeatureKind::Balloon: return "balloon_feature";
    case FeatureKind::Attribute: return "attribute_feature";
    }
    return "";
}

}  // namespace sxf
