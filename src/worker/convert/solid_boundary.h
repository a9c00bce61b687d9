// Boundaries of the solid fills, written as composite curves at the start of
// the drawing data, and the background-colour area symbol.
#pragma once

#include "worker/convert/conversion_context.h"
#include "worker/convert/drawing_scopes.h"
#include "worker/jww/jwwtype.h"

namespace convert {

// Writes the boundary of every solid in the order the data pass visits them
// (block symbols, marked blocks, layer-group parts, the sheet), numbering the
// composite curves from 1 with `CCnum`.
void procSfcDataCCurve(ConversionContext& ctx, const GroupEntities& byGroup, int32_t& CCnum);
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
