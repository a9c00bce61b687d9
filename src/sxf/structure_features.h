// Writers of the structure and fill features: composite curves, symbol
// definitions and placements, the drawing sheet, and the two area fills.
#pragma once

#include "sxf/sfc_writer.h"

#include <QStringView>

#include <cstdint>
#include <span>

namespace sxf {

// composite_curve_org_feature: colour, line type, width, flag.
void procSfcCcurveDef(SfcWriter& f, int32_t colour, int32_t lineType, int32_t width, int32_t flag);
// sfig_org_feature: name, kind (1 part or marked block 1, 2 marked block 2,
// 3 background-colour or image symbol, 4 ordinary block).
void procSfcBlockDef(SfcWriter& f, QStringView name, int32_t kind);
// sfig_locate_feature: layer, name, x, y (6), angle, scale x, scale y (14).
void procSfcBlock(SfcWriter& f, int32_t layer, QStringView name, double x, double y, double angleDeg,
                  double scaleX, double scaleY);
// drawing_sheet_feature: name, kind, orientation, width, and the height in
// the general real form (whole values give plain digits).
void procSfcPaper(SfcWriter& f, QStringView name, int32_t kind, int32_t orientation, int32_t width,
                  double height);
// externally_defined_hatch_feature: layer, name, outer curve, hole count,
// hole list.
void procSfcHatchExt(SfcWriter& f, int32_t layer, QStringView name, int32_t outer, std::span<const int32_t> holes);
// fill_area_style_colour_feature: layer, colour, outer curve, hole count,
// hole list.
void procSfcHatchColor(SfcWriter& f, int32_t layer, int32_t colour, int32_t outer, std::span<const int32_t> holes);

}  // namespace sxf
