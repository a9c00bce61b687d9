// Area fills in P21: solid colour, externally defined hatching, user
// hatching and tiles, each bounded by composite curves written before.
#pragma once

#include "sxf/p21_context.h"

namespace sxf::p21 {

Refusal writeFillColour(Context& ctx, const FillColourFeature& f, Placed& placed);
Refusal writeExternalHatch(Context& ctx, const ExternalHatchFeature& f, Placed& placed);
Refusal writeHatching(Context& ctx, const HatchingFeature& f, Placed& placed);
Refusal writeTiles(Context& ctx, const TilesFeature& f, Placed& placed);

}  // namespace sxf::p21
