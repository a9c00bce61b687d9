// Fill occurrences of a P21 file: solid colour fills, externally defined
// hatches, user hatchings and tiles, bounded by composite curves.
#pragma once

#include "sxf/p21_read_annotations.h"
#include "sxf/p21_read_context.h"
#include "sxf/p21_walk.h"

namespace sxf {

// Appends the fill feature that the fill occurrence `index` (its styled
// item `s`) draws, the kind chosen by the first style of its
// FILL_AREA_STYLE. Its boundary curves must be composite curves of the
// drawing; a hole that is none is left out with a warning, an outer
// boundary that is none fails the walk.
bool mapP21Fill(P21Context& ctx, P21Walk& w, int32_t index, const P21Styled& s);

}  // namespace sxf
