// Converters of the drawn entities: lines, arcs (circles, ellipses), points,
// solids and block placements. Each writes at most one feature.
#pragma once

#include "worker/convert/conversion_context.h"
#include "worker/jww/jwwtype.h"

#include <QString>

namespace convert {

// line_feature; a line that would be shorter than 1e-6 is lengthened to
// 1e-6 along its direction as read, so that no line of zero length is written.
void procSfcDataLine(ConversionContext& ctx, const jww::TEntJwwLine& e, const Placement& p);
// circle_feature, arc_feature, ellipse_feature or ellipse_arc_feature.
void procSfcDataEnko(ConversionContext& ctx, const jww::TEntJwwEnko& e, const Placement& p);
// point_marker_feature, or for a point with a positive code an arrow
// (a label_feature).
void procSfcDataTen(ConversionContext& ctx, const jww::TEntJwwTen& e, const Placement& p);
// fill_area_style_colour_feature naming composite curve `fillCounter`, which
// advances by the number of curves the fill uses; a solid without area is a
// line_feature and an outline solid its outline. A solid with a number that
// is not finite writes nothing and counts as one record left out.
void procSfcDataSolid(ConversionContext& ctx, const jww::TEntJwwSolid& e, const Placement& p, int32_t& fillCounter);
// sfig_locate_feature of the placed block's symbol; nothing when no block
// definition has the placement's number or that definition is not written
// as a symbol (it has no members). The symbol is looked up in the tables'
// block symbols (AttributeTables::buildSymbols).
void procSfcDataBlock(ConversionContext& ctx, const jww::TEntJwwBlock& e, const Placement& p);

}  // namespace convert
