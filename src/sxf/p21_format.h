// The value forms of a P21 file: the two real formats of the official SXF
// library, and strings in 7-bit ASCII with "\X2\" runs.
#pragma once

#include <QStringView>

#include <string>

namespace sxf::p21 {

// The most characters writeReal and writeAngle write.
constexpr int kMaxRealChars = 360;

// A length, coordinate or colour fraction: fixed, 6 decimals, correctly
// rounded ("60.000000", "-0.500000"); a negative value that rounds to zero
// keeps its sign ("-0.000000"), as C's "%.6f" writes it. Writes at `out`,
// which must have room for kMaxRealChars, and returns the end. NaN and
// infinities give "nan", "inf", "-inf" (callers refuse such values).
char* writeReal(char* out, double value);

// writeReal's text as a string.
std::string realText(double value);

// A value derived from an angle, or a scale factor: 15 significant digits,
// where every value up to 1e-14 is first raised by 5e-15 and a magnitude
// below 1 keeps only 14 digits after the point, the 15th cut off (1.0 gives
// "1.00000000000000", -0.5 "-0.49999999999999", 0 "0.00000000000000").
// Writes at `out` (room for kMaxRealChars) and returns the end.
char* writeAngle(char* out, double value);

// Appends `text` as a quoted P21 string: "'" doubled, "\" doubled, every
// run of other characters as "\X2\" + four upper-case hex digits each +
// "\X0\". A character code page 932 cannot carry, a control character or
// one of the private-use area becomes "?"; the "*" of a "/*" is written in
// a run, so that no reader takes the string for a comment.
void appendString(std::string& out, QStringView text);

}  // namespace sxf::p21
