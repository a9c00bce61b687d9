// Resolving what the features of a drawing refer to by number or name: the
// table entries, the symbol a placement shows and the composite curves a
// fill is bounded by.
#pragma once

#include "sxf/drawing.h"
#include "sxf/finding_sink.h"
#include "sxf/table_codes.h"

namespace sxf {

// Sets every TableRefs of the features and composite curves of `d`, each
// placement's symbol and each fill's curves, walking the file's order: a
// placement refers to the first definition of its name closed before it
// (else to the first one after it), a fill's curve number k to the k-th
// composite curve when that was closed before the fill. Reports each
// reference that names nothing, or only a later definition, to `findings`
// (the codes sfc_reader.h lists); the members of a composite curve that
// may be its segments are resolved without reporting.
void resolveReferences(Drawing& d, const TableCodes& codes, FindingSink& findings);

}  // namespace sxf
