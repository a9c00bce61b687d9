// Reference checks over a parsed SFC file: every definition number or symbol
// name that a feature uses refers to a definition written before it.
#pragma once

#include "tests/support/sfc_parser.h"

#include <QStringList>

namespace testsupport {

// Walks the records of `file` in order and returns one problem per argument
// that refers to nothing defined before it; empty when every reference
// holds. What a number refers to:
//   layer     1..the number of layer features so far (0 too for placements)
//   colour    1..16 the pre-defined colour of that rank ("black" .. "darkgray"),
//             17.. the user colours in the order written
//   line type 1..15 the pre-defined line type of that rank ("continuous" ..),
//             17.. the user line types in the order written
//   width     1..9: the width feature of that standard width's millimetres;
//             11, 12, ...: the widths above 2.0 mm in the order written
//   font      1..the number of text fonts so far (in annotations only when
//             the text flag before it is 1)
//   curve     1..the number of composite curves closed so far
//   symbol    the name of an earlier sfig_org_feature
// Records of unknown features, or with the wrong argument count, are left to
// parseSfc, which also reports non-finite and malformed numbers.
QStringList checkSfcReferences(const SfcFile& file);

}  // namespace testsupport
