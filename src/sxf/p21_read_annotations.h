// Annotation occurrences of a P21 file (the styled items that draw curves,
// markers, symbols, placements, texts and fills) as features.
#pragma once

#include "sxf/feature_types.h"
#include "sxf/p21_read_context.h"
#include "sxf/p21_read_curves.h"
#include "sxf/p21_walk.h"

namespace sxf {

// What an annotation occurrence draws, by the parts of its complex instance.
enum class P21Occurrence : uint8_t {
    None,
    Curve,       // ANNOTATION_CURVE_OCCURRENCE
    Terminator,  // ANNOTATION_SYMBOL_OCCURRENCE with TERMINATOR_SYMBOL
    Placement,   // ... with ANNOTATION_SUBFIGURE_OCCURRENCE
    Symbol,      // ... otherwise: a point marker or an external symbol
    Text,        // ANNOTATION_TEXT_OCCURRENCE
    Fill,        // ANNOTATION_FILL_AREA_OCCURRENCE
};
P21Occurrence p21OccurrenceKind(const P21Walk& w, int32_t index);

// The styled item of occurrence `index`: its name, its style list "(#psa)"
// and the instance it styles.
struct P21Styled {
    QString name;
    const P21Value* styles = nullptr;
    int32_t item = -1;
};
P21Styled readP21Styled(P21Walk& w, int32_t index);

// Appends the feature that occurrence `index`, an item of the sheet or of
// a symbol definition, draws. False (nothing appended) when it cannot be
// read; the walk says why.
bool mapP21Annotation(P21Context& ctx, P21Walk& w, int32_t index);

// Appends the feature of `curve` (Line ... Clothoid) with these values.
void appendP21Curve(Drawing& d, const P21Curve& curve, Origin at, const SfcAttr& a, const TableRefs& refs);

// The text that text occurrence `index` draws, its references in `refs`.
SfcText readP21Text(P21Context& ctx, P21Walk& w, int32_t index, TableRefs& refs);

// The colour of a symbol style list "(#psa)": the SYMBOL_STYLE's
// SYMBOL_COLOUR. `hasColour` false (and 0) for "SYMBOL_STYLE(' ',$)".
int32_t p21SymbolColour(P21Context& ctx, P21Walk& w, const P21Value* styles, const P21Instance& at, TableRefs& refs,
    bool& hasColour);

// A DEFINED_SYMBOL: what it shows (the instance it names) and where.
struct P21DefinedSymbol {
    int32_t definition = -1;
    P21Placement placement;
    double scaleX = 1, scaleY = 1;
};
P21DefinedSymbol readP21DefinedSymbol(P21Walk& w, int32_t index);

}  // namespace sxf
