// The table of record kinds.
#include "sxf/sfc_record_kinds.h"

namespace sxf {
namespace {

constexpr RecordKind kKinds[] = {
    {"layer_feature", 2, false, readLayer},
    {"pre_defined_colour_feature", 1, false, readPreDefinedColour},
    {"user_defined_colour_feature", 3, false, readUserColour},
    {"pre_defined_font_feature", 1, false, readPreDefinedLineType},
    {"user_defined_font_feature", 3, false, readUserLineType},
    {"width_feature", 1, false, readWidth},
    {"text_font_feature", 1, false, readFont},
    {"composite_curve_org_feature", 4, true, readCompositeCurve},
    {"sfig_org_feature", 2, true, readSymbol},
    {"drawing_sheet_feature", 5, true, readSheet},
    {"point_marker_feature", 7, false, readPointMarker},
    {"line_feature", 8, false, readLine},
    {"polyline_feature", 7, false, readPolyline},
    {"circle_feature", 7, false, readCircle},
    {"arc_feature", 10, false, readArc},
    {"ellipse_feature", 9, false, readEllipse},
    {"ellipse_arc_feature", 12, false, readEllipseArc},
    {"text_string_feature", 13, false, readText},
    {"spline_feature", 8, false, readSpline},
    {"clothoid_feature", 11, false, readClothoid},
    {"sfig_locate_feature", 7, false, readPlacement},
    {"externally_defined_symbol_feature", 8, false, readExternalSymbol},
    {"fill_area_style_colour_feature", 5, false, readFillColour},
    {"externally_defined_hatch_feature", 5, false, readExternalHatch},
    {"fill_area_style_hatching_feature", kVariableArguments, false, readHatching},
    {"fill_area_style_tiles_feature", 15, false, readTiles},
    {"linear_dim_feature", 44, false, readLinearDim},
    {"curve_dim_feature", 45, false, readCurveDim},
    {"angular_dim_feature", 45, false, readAngularDim},
    {"radius_dim_feature", 25, false, readRadiusDim},
    {"diameter_dim_feature", 30, false, readDiameterDim},
    {"label_feature", 21, false, readLabel},
    {"balloon_feature", 24, false, readBalloon},
    {"attribute_feature", 12, false, readAttribute},
};

}  // namespace

const RecordKind* findRecordKind(std::string_view name)
{
    for (const RecordKind& kind : kKinds) {
        if (kind.name == name)
            return &kind;
    }
    return nullptr;
}

}  // namespace sxf
