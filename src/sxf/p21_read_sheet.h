// The sheet of a P21 file: DRAWING_SHEET_REVISION_USAGE with its sheet
// revision (kind, orientation, items), size, drawing title and title block.
#pragma once

#include "sxf/p21_read_context.h"

namespace sxf {

// Appends the sheet that DRAWING_SHEET_REVISION_USAGE `usage` describes,
// with the features of its items and, last, the title block (an
// attribute_feature) when the file has one. The sheet's name is its
// drawing title. A sheet that cannot be read is left out with an error
// finding. Returns false when its item list is broken, which the official
// reader does not survive.
bool readP21Sheet(P21Context& ctx, int32_t usage);

}  // namespace sxf
