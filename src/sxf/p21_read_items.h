// The item lists of the sheet and of symbol definitions: each item read as
// the feature it draws.
#pragma once

#include "sxf/p21_read_context.h"

namespace sxf {

// Appends the features of the items in `items`, in order: annotation
// occurrences and callouts (alone or inside a styled item) become features;
// structured dimension callouts, the trailing placement or box and the
// title block's assignment are passed over; anything else, an item listed a
// second time, or an item that cannot be read gives a finding and is left
// out. Returns false when the list itself is broken (an element that is no
// reference), which the official reader does not survive.
bool mapP21Items(P21Context& ctx, const P21List& items);

}  // namespace sxf
