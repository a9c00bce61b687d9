// Tolerant parsing of numbers and Boolean words, and number comparison.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace common {

// The 32-bit integer that the whole text denotes: an optional sign and ASCII
// digits, nothing else. 0 for an empty, malformed or out-of-range text.
int32_t StrToIntZero(QStringView text);
// The number that the whole text denotes: an optional sign, ASCII digits with
// at most one "." and at least one digit, no exponent. 0 otherwise.
double StrToFloatZero(QStringView text);
// After upper-casing, true exactly for "T", "TR", "TRU", "TRUE", "1", "１",
// "○", "ON", "真" and "正".
bool StrToBoolWord(QStringView text);
// "1" or "0".
QString BoolText(bool value);

bool IsFiniteNum(double value);
// |a - b| <= 1e-12.
bool SameNum(double a, double b);
bool NearNum(double a, double b, double tolerance);
bool SamePoint(double x1, double y1, double x2, double y2);
// Rounds |value| * 10^digits (digits 1-9; any other count scales by 1):
// mode 0 truncates, mode 1 rounds up (adds 0.9999999999), any other mode
// rounds half up; the sign of `value` is kept.
double RoundDigits(double value, int digits, int mode);

}  // namespace common
