// Numbers as text: integers, fixed decimals and the general real form. All
// locale-independent, with "." as decimal point and no grouping.
#pragma once

#include <QString>

#include <cstdint>

namespace common {

// Decimal, with a minus sign for negatives.
QString IntText(int64_t value);

// Fixed notation with exactly `digits` decimals (0-20), correctly rounded from
// the binary value (an exact tie rounds to even). A value that rounds to zero
// carries no minus sign. NaN and infinities give "nan", "inf" and "-inf".
QString FixedText(int digits, double value);

// General form: at most 15 significant digits, no trailing zeros, "." only
// when needed. Fixed notation when the integer part has at most 15 digits and
// the magnitude is at least 0.00001 (or the value is 0); otherwise mantissa,
// "E", a minus sign for negative exponents only, and the exponent without
// leading zeros ("1E15", "-1.5E-7").
QString FloatText(double value);

// The upper-case hexadecimal digit of the low four bits of `value`.
QChar HexDigit(int value);

// The most characters writeIntText and writeFixedText write.
constexpr int kMaxIntChars = 20;
constexpr int kMaxFixedChars = 352;  // the 309 integer digits of any double, sign, "." and 20 decimals

// IntText and FixedText written in ASCII at `out`, for writers that build
// bytes in place. `out` must have room for kMaxIntChars or kMaxFixedChars;
// the result is the end of what was written.
char* writeIntText(char* out, int64_t value);
char* writeFixedText(char* out, int digits, double value);

}  // namespace common
