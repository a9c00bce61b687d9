// Writers of the feature kinds that the conversion never makes but files
// from other programs carry: splines, clothoids, externally defined
// symbols, user hatching, tiled hatching and the title block. Each writes
// one record with the fields in the order the feature lists them and
// advances SXFnum. Coordinates, lengths, spacings and the clothoid
// parameter carry 6 decimals; angles and scale factors 12, as in the
// drawn features.
#pragma once

#include "sxf/drawing.h"
#include "sxf/sfc_writer.h"

namespace sxf {

// spline_feature: A, open/closed flag, n, '(x...)', '(y...)' of the
// control points; the count written is that of the points there are.
void writeSpline(SfcWriter& f, const SplineFeature& s);
// clothoid_feature: A, base x, base y, parameter, direction, angle, start
// length, end length.
void writeClothoid(SfcWriter& f, const ClothoidFeature& c);
// externally_defined_symbol_feature: layer, colour flag, colour, name, x,
// y, angle, scale.
void writeExternalSymbol(SfcWriter& f, const ExternalSymbolFeature& e);
// fill_area_style_hatching_feature: layer, pattern count, the seven values
// of each pattern (colour, line type, width, start x, start y, spacing,
// angle) one pattern after the other, outer curve, hole count, hole list.
// The count written is that of the patterns there are.
void writeHatching(SfcWriter& f, const HatchingFeature& h);
// fill_area_style_tiles_feature: layer, name, colour, pattern x, pattern
// y, vector 1, its angle, vector 2, its angle, scale x, scale y, angle,
// outer curve, hole count, hole list.
void writeTiles(SfcWriter& f, const TilesFeature& t);
// attribute_feature: project name, contract name, contract type, drawing
// title, drawing number, drawing type, drawing scale (strings), year,
// month, day (integers), contractor, owner (strings).
void writeAttribute(SfcWriter& f, const AttributeFeature& a);

}  // namespace sxf
