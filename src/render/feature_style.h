// How the definition tables of a drawing look on a white page: the colour,
// dash pattern, width and font family that a feature's table references
// stand for.
#pragma once

#include "sxf/drawing.h"

#include <QColor>
#include <QString>

#include <vector>

namespace render {

// What anything that refers to a missing definition is drawn in.
inline const QColor kMissingColour(255, 0, 255);

// The colour of entry `colour` of `drawing.colours` (an index, as
// TableRefs holds), or kMissingColour for kNone or an index past the table.
// White is drawn dark grey: it would vanish on the white page.
QColor colourOf(const sxf::Drawing& drawing, int32_t colour);

// The dash pattern of a line type in millimetres, dash and gap alternating,
// starting with a dash; empty for a continuous line. Pre-defined types
// (codes 1 to 15) have a pattern that looks like their name; the blank
// type and unknown codes are continuous. A user type uses its pitches as
// written, as many as its segment count says (and the list holds): a
// pattern of zeros, or one with a negative pitch, is drawn continuous.
std::vector<double> dashPattern(const sxf::LineType& type);

// The pre-defined pattern of code 1..15; empty (continuous) for others.
const std::vector<double>& predefinedDashes(int32_t code);

// The width of entry `width` of `drawing.widths` in millimetres; 0 (the
// thinnest line the page shows) for kNone, an index past the table or a
// width that is not a positive finite number.
double widthOf(const sxf::Drawing& drawing, int32_t width);

// The installed family that draws a text font name: the Japanese mincho
// face for the common mincho names (ＭＳ 明朝, ＭＳ Ｐ明朝, MS Mincho, ...),
// the gothic face for every other name, the empty one included.
QString fontFamilyFor(const QString& fontName);

}  // namespace render
