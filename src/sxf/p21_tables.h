// The definition tables in P21: colours, line types, widths and text fonts
// written as instances, layers as member lists written at the end.
#pragma once

#include "sxf/p21_context.h"

#include <QStringView>

namespace sxf::p21 {

// Writes an instance (or a few) for every colour, line type, width and
// font entry that has a code, in the order the entries were defined (by
// their feature numbers; kind by kind for entries made in memory), and
// records the instance numbers and the layers by code in `ctx.tables`.
// Entries without a code, and user line types without a pitch pair, are
// not written; features naming them are then left out.
void writeTables(Context& ctx);

// The ascent and descent a font name gives: after its last "-" the descent
// and between its last two "-" the ascent, each read as C's atof reads a
// number (0 when none begins there); 1 and 0 when the name has fewer than
// two "-" or the two sum to 0.
FontMetrics fontMetrics(QStringView name);

// Writes one PRESENTATION_LAYER_ASSIGNMENT and PRESENTATION_LAYER_USAGE
// (on `sheet`, the DRAWING_SHEET_REVISION) per layer with members, in code
// order, then an INVISIBILITY of the hidden ones among them when there are
// any.
void writeLayers(Context& ctx, int32_t sheet);

}  // namespace sxf::p21
