// The drawing sheet in P21, with the title block when the drawing has one.
#pragma once

#include "sxf/p21_context.h"

#include <vector>

namespace sxf::p21 {

// Writes the sheet's title, revision, box, context, DRAWING_SHEET_REVISION
// over `items` and the box, its usage and size, then the title block of
// `attribute` when given (which also names the drawing and its revision).
// Returns the DRAWING_SHEET_REVISION, or 0 without writing anything when
// `items` is empty.
int32_t writeSheet(Context& ctx, const Sheet& sheet, const std::vector<int32_t>& items,
                   const AttributeFeature* attribute);

}  // namespace sxf::p21
