// The assemblies of a P21 file (composite curves, symbol definitions, the
// sheet) with their member features, in an order the feature records can
// follow.
#pragma once

#include "sxf/p21_read_context.h"

namespace sxf {

// Reads every COMPOSITE_CURVE and SYMBOL_REPRESENTATION_MAP, in file order
// except that a definition comes after every definition it places and
// every curve its fills are bounded by, then the sheet (the first
// DRAWING_SHEET_REVISION_USAGE; a second one is an error and left out).
// Empty curves and definitions are left out (warnings), so curve numbers
// count only those kept; a definition named a second time is an error and
// left out. A definition nothing places is kept, with a warning that the
// official reader does not return it. Composite curve members take the
// curve's colour, line type and width, and the layer of the first fill the
// curve bounds. Sets ctx.fatal where the official reader gives up on the
// file: symbol definitions without a sheet, a placement of a definition
// that was not registered, an item list that is broken.
void readP21Assemblies(P21Context& ctx);

}  // namespace sxf
