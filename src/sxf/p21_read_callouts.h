// Draughting callouts of a P21 file (dimensions, labels, balloons) as
// features: the dimension line or arc, projection lines, text and arrows
// that a callout lists, put back together.
#pragma once

#include "sxf/p21_read_context.h"
#include "sxf/p21_walk.h"

namespace sxf {

// Appends the dimension, label or balloon that callout `callout` makes;
// `item` is the instance the sheet or symbol lists for it (the callout, or
// a styled item around it), whose place in the file the feature takes.
// Arrows get their in/out codes back from their directions as the official
// reader does: a direction that matches neither gives 0. A callout without
// its dimension line, arc or leader fails the walk.
bool mapP21Callout(P21Context& ctx, P21Walk& w, int32_t callout, int32_t item);

}  // namespace sxf
