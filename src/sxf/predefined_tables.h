// The entries every SXF drawing may name without defining their values: the
// 16 pre-defined colours, the 15 pre-defined line types and the 9
// pre-defined widths, and the limits on how many entries each table takes.
#pragma once

#include <QStringView>

#include <cstdint>

namespace sxf {

struct Rgb {
    int32_t r = 0, g = 0, b = 0;
};

// Colour codes 1..16 are the pre-defined colours, user colours 17..256.
constexpr int32_t kPreDefinedColours = 16;
constexpr int32_t kMaxUserColours = 240;
// Line-type codes 1..15 are the named pre-defined line types, 16 the one
// with the blank name, user line types 17..32.
constexpr int32_t kPreDefinedLineTypes = 16;
constexpr int32_t kMaxUserLineTypes = 16;
// Width codes 1..9 are the pre-defined widths, the others 11..16.
constexpr int32_t kPreDefinedWidths = 9;
constexpr int32_t kFirstUserWidth = 11;
constexpr int32_t kLastWidthCode = 16;
constexpr int32_t kMaxLayers = 256;
constexpr int32_t kMaxFonts = 1024;

// The code 1..16 of a pre-defined colour name ("black" ... "darkgray",
// compared exactly), 0 for any other name.
int32_t preDefinedColourCode(QStringView name);
// The RGB of pre-defined colour `code` 1..16; black for any other code.
Rgb preDefinedColourRgb(int32_t code);

// The code of a pre-defined line-type name: 1..15 for "continuous" ...
// "double-dashed triplicate-dotted", 16 for the empty name, 0 otherwise.
int32_t preDefinedLineTypeCode(QStringView name);
// The name of pre-defined line type `code` 1..16 ("" for 16 and for any
// code out of range).
QStringView preDefinedLineTypeName(int32_t code);

// The code 1..9 of the pre-defined width within 1e-6 mm of `width`, 0 when
// none is.
int32_t preDefinedWidthCode(double width);
// Pre-defined width `code` 1..9 in millimetres, 0 for any other code.
double preDefinedWidth(int32_t code);

// Whether `value` is a positive length the SXF tables accept: from about
// 5e-15 up to below 1e15 mm.
bool isTableLength(double value);

}  // namespace sxf
