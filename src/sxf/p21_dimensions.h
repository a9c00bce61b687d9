// Dimensions, labels and balloons in P21: a dimension curve or leader with
// its extension lines, text and arrow heads, gathered by callouts.
#pragma once

#include "sxf/p21_context.h"

#include <QStringView>

namespace sxf::p21 {

Refusal writeLinearDim(Context& ctx, const LinearDimFeature& f, Placed& placed);
// A curve (arc length) dimension, or an angular one when `angular`.
Refusal writeArcDim(Context& ctx, const ArcDimFeature& f, bool angular, Placed& placed);
Refusal writeRadiusDim(Context& ctx, const RadiusDimFeature& f, Placed& placed);
Refusal writeDiameterDim(Context& ctx, const DiameterDimFeature& f, Placed& placed);
// A label, or a balloon (with its circle) when `balloon`.
Refusal writeLabel(Context& ctx, const LabelFeature& f, bool balloon, Placed& placed);

// How an arrow head is written: the first of a dimension (with its own
// colour and style), the second (sharing the first one's style), or the
// arrow of a leader.
enum class TerminatorRole : uint8_t { Origin, Target, Leader };

// The arrow head of kind `code` (1..11) at (x, y) pointing along (dx, dy),
// scaled by `scale`, on the curve `curve` (the dimension curve's or the
// leader's styled item), named `name`. `style` is the style assignment:
// for Origin and Leader one is written in colour instance `colour` and
// returned through `style`; Target uses the one given. Returns the
// terminator's styled item.
int32_t writeTerminator(P21Output& o, TerminatorRole role, QStringView name, int32_t code, double x, double y,
                        double dx, double dy, double scale, int32_t colour, int32_t& style, int32_t curve);

}  // namespace sxf::p21
