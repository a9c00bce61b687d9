// Reading the header of a drawing file: magic, version, drawing settings and
// the layer, colour, line-type and text-type tables.
#pragma once

#include "worker/jww/byte_cursor.h"
#include "worker/jww/jww_data.h"

namespace jww {

// Sizes the tables of `d` (all zero), then fills Enthd and the tables from
// `in`, which must stand at the start of the file. Returns false when the
// magic is not "JwwData.", the version is outside 220-700, or the file ends
// inside the header; `d` then keeps what was read. Leaves `in` at the first
// byte of the entity list.
bool HeaderIn(TJwwData& d, ByteCursor& in);

}  // namespace jww
