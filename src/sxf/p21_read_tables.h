// The definition tables of a P21 file (layers, colours, line types, widths,
// text fonts) and how a feature's references find their entries.
#pragma once

#include "sxf/feature_types.h"
#include "sxf/p21_read_context.h"
#include "sxf/p21_walk.h"

namespace sxf {

// Reads every table instance, in file order, into the drawing's tables, with
// the codes feature records use: PRESENTATION_LAYER_USAGE a layer (codes 1,
// 2, ... in file order; the hidden layer of symbol placements is not a
// table entry), DRAUGHTING_PRE_DEFINED_COLOUR and COLOUR_RGB a colour,
// DRAUGHTING_PRE_DEFINED_CURVE_FONT and CURVE_STYLE_FONT a line type,
// LENGTH_MEASURE_WITH_UNIT a width, EXTERNALLY_DEFINED_TEXT_FONT a font.
// An entry the official library refuses (an unknown pre-defined name, a
// repeated one, a width of 0 or less, a full table) is kept with code kNone,
// as the SFC reader keeps it, for the rule checks to name. Marks what
// INVISIBILITY lists and which layer lists each item.
void readP21Tables(P21Context& ctx);

// The code of the table entry that `ref` refers to, with its index in the
// drawing's table in `refs`. A reference to an instance that is no entry of
// that table (or to one refused) gives 0, kNone and an error finding about
// item `at`; a broken reference fails the walk.
int32_t p21Colour(P21Context& ctx, P21Walk& w, const P21Value* ref, const P21Instance& at, TableRefs& refs);
int32_t p21LineType(P21Context& ctx, P21Walk& w, const P21Value* ref, const P21Instance& at, TableRefs& refs);
int32_t p21Width(P21Context& ctx, P21Walk& w, const P21Value* ref, const P21Instance& at, TableRefs& refs);
int32_t p21Font(P21Context& ctx, P21Walk& w, const P21Value* ref, const P21Instance& at, TableRefs& refs);

// The layer code of item `index` (0 on the hidden layer), with its index in
// refs.layer. An item no layer lists gives 0 and, unless it is a symbol
// placement (which may stand on no layer), an error finding.
int32_t p21Layer(P21Context& ctx, int32_t index, TableRefs& refs, bool placement);

// The colour, line type and width of the CURVE_STYLE behind a style list
// "(#psa)" of a styled item; findings about item `at`. The layer is 0.
SfcAttr p21CurveStyle(P21Context& ctx, P21Walk& w, const P21Value* styles, const P21Instance& at, TableRefs& refs);
// The same with the layer of item `index`.
SfcAttr p21CurveAttr(P21Context& ctx, P21Walk& w, int32_t index, const P21Value* styles, TableRefs& refs);

// The ascent and descent that the name of drawing.fonts[font] gives text
// placement: the numbers after its last two "-" ("MS-0.8-0.2"), else (and
// for kNone) 1 and 0.
void p21FontMetrics(const Drawing& drawing, int32_t font, double& ascent, double& descent);

}  // namespace sxf
