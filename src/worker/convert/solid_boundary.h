// Boundaries of the solid fills, written as composite curves at the start of
// the drawing data, and the background-colour area symbol.
#pragma once

#include "worker/convert/conversion_context.h"
#include "worker/convert/drawing_scopes.h"
#include "worker/jww/jwwtype.h"

#include <unordered_map>

namespace convert {

// The number of the first composite curve written for each solid that has a
// boundary, by its record, so that each fill names the curve of its own solid
// even when solids before it were consumed by a group and get no fill.
using SolidCurves = std::unordered_map<const jww::TEntJwwSolid*, int32_t>;

// Writes the boundary of every solid in the order the data pass visits them
// (block symbols, marked blocks, layer-group parts, the sheet), numbering the
// composite curves from 1 with `CCnum`, and records them in `curves`.
void procSfcDataCCurve(ConversionContext& ctx, const GroupEntities& byGroup, int32_t& CCnum, SolidCurves& curves);
// The boundary of one solid: none, one or two composite curves, as
// SolidShape::curveCount says.
void procSfcDataCCurveSolid(ConversionContext& ctx, const jww::TEntJwwSolid& e, const Placement& p,
                            int32_t& CCnum);
// The background-colour area: a small outline, a hatch naming it as curve
// `CCnum` (not advanced), and the symbol named after the background colour.
void procSfcDataBColorDef(ConversionContext& ctx, int32_t CCnum);
// The placement of the background-colour symbol at the origin.
void procSfcDataBColor(ConversionContext& ctx);

}  // namespace convert
