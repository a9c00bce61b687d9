// Synthetic drawings of a chosen size for the benchmarks and tools/makebench:
// the shapes in which the cost of a conversion shows how it grows.
#pragma once

#include "worker/jww/jww_data.h"

namespace testsupport {

// `n` top-level entities cycling through every kind (lines, arcs, points,
// texts, dimensions, solids and placements of three small blocks) on 48
// layers of three layer groups, the third one scaled.
void buildMixedDrawing(jww::TJwwData& d, int n);

// `n` top-level placements of n / 10 block definitions of two lines each,
// the first line of each in a curve-attribute group of its own; every
// fourth definition is a marked part, and the part names repeat, so that the
// names made unique grow with the drawing too.
void buildBlocksDrawing(jww::TJwwData& d, int n);

// 100,000 solids of their own colour (pen colour 10) in `n` distinct
// colours, none of them an SFC colour of the drawing.
void buildColoursDrawing(jww::TJwwData& d, int n);

// n / 75 placements of a block A that places a block B n / 100 times, B
// holding `n` points of one curve-attribute group: the members of B are
// counted for every node of a tree of about n² / 7500 nodes. A is on no
// layer (bit 0x40), so its placements of B keep B's own layers, and so is
// every third placement of A.
void buildNestedDrawing(jww::TJwwData& d, int n);

}  // namespace testsupport
