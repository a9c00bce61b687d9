// Symbols in P21: point markers, externally defined symbols, placements of
// symbol definitions, and the definitions themselves.
#pragma once

#include "sxf/p21_context.h"

#include <QStringView>

#include <span>

namespace sxf::p21 {

Refusal writePointMarker(Context& ctx, const PointMarkerFeature& f, Placed& placed);
Refusal writeExternalSymbol(Context& ctx, const ExternalSymbolFeature& f, Placed& placed);
Refusal writePlacement(Context& ctx, const SymbolPlacementFeature& f, Placed& placed);

// The externally defined symbol `name` at (x, y), turned by `angleDeg` and
// scaled by (sx, sy), in colour instance `colour` (0: no colour of its own):
// 10 or 11 instances. Returns its styled item.
int32_t writeExternalSymbolBlock(P21Output& o, int32_t colour, QStringView name, double x, double y,
                                 double angleDeg, double sx, double sy);

// The instances of symbol definition `s` after its members: a context, the
// origin, the DRAUGHTING_SUBFIGURE_REPRESENTATION of `items` and its
// SYMBOL_REPRESENTATION_MAP, which is remembered for placements under the
// definition's name. A flag outside 1 to 4, or a name already defined,
// writes nothing and returns false.
bool writeSymbolDefinition(Context& ctx, const Symbol& s, std::span<const int32_t> items);

// The three instances of the units and context every representation has;
// returns the context.
int32_t writeRepresentationContext(P21Output& o);

}  // namespace sxf::p21
