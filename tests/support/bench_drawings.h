// Synthetic drawings of a chosen size for the benchmarks and tools/makebench:
// the shapes in which the cost of a conversion shows how it grows.
#pragma once

#include "worker/jww/jww_data.h"

namespace testsupport {

// `n` top-level entities cycling through every kind (lines, arcs, points,
// texts, dimensions, solids and placements of three small blocks) on 48
// layers of three layer groups, the third one scaled.
void buildMixedDrawing(jww::TJwwData& d, int n);

}  // namespace testsupport
