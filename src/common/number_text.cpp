// Number formatting, exact and locale-independent. Fixed decimals of the
// magnitudes drawings hold are worked out from one exact product; only the
// rest goes through std::to_chars' far slower arbitrary-precision path.
#include "common/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace common {
namespace {

constexpr int kMaxDigits = 20;
// The largest number of decimals the exact short path below handles: 10^15
// is still exact as a double.
constexpr int kMaxShortDigits = 15;

constexpr double kScale[kMaxShortDigits + 1] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                                 1e12, 1e13, 1e14, 1e15};

// |value| · 10^digits rounded to the nearest integer, ties to even, exactly
// as the decimal expansion of the binary value would round; false when that
// product is 2^52 or more (or not finite), where the general path takes over.
//
// The product r is rounded, but fma gives its exact error e, so the true
// product is r + e with |e| at most half a unit of r. Below 2^52 a unit of r
// is at most 1/2, so r + e can fall on the other side of a half only when r
// itself lies exactly on one; there the sign of e decides, and only an exact
// tie (e = 0) is left to the round-to-even of the addition below.
bool scaledUnits(int digits, double value, uint64_t& units)
{
    const double magnitude = std::fabs(value);
    const double r = magnitude * kScale[digits];
    if (!(r < 0x1p52))
        return false;
    const double e = std::fma(magnitude, kScale[digits], -r);
    // Adding 2^52 leaves no bits below the units, so the sum rounds r to an
    // integer, ties to even, without a call that saves the rounding mode.
    double q = (r + 0x1p52) - 0x1p52;
    const double d = r - q;  // exact: r and q are within one half of each other
    if (std::fabs(d) == 0.5 && e != 0 && (e > 0) == (d > 0))
        q += d > 0 ? 1 : -1;
    units = static_cast<uint64_t>(q);
    return true;
}

// "00", "01", ... "99": digits are written two at a time.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// The short path: sign, integer part, "." and the decimals. The digits of
// `units` are produced right to left, padded with zeros to one more than
// the decimals, and the point goes in before the last `Digits` of them.
// The number of decimals is a template argument so that every division is
// by a constant.
template <int Digits>
char* writeScaled(char* out, bool negative, uint64_t units)
{
    if (negative && units != 0)
        *out++ = '-';
    char digits[kMaxIntChars + kMaxShortDigits];
    char* const end = digits + sizeof digits;
    char* p = end;
    while (units >= 100) {
        p -= 2;
        std::memcpy(p, &kDigitPairs[static_cast<size_t>(2 * (units % 100))], 2);
        units /= 100;
    }
    if (units >= 10) {
        p -= 2;
        std::memcpy(p, &kDigitPairs[static_cast<size_t>(2 * units)], 2);
    } else {
        *--p = static_cast<char>('0' + units);
    }
    while (end - p < Digits + 1)
        *--p = '0';
    const auto whole = static_cast<size_t>(end - p - Digits);
    std::memcpy(out, p, whole);
    out += whole;
    if constexpr (Digits > 0) {
        *out++ = '.';
        std::memcpy(out, p + whole, Digits);
        out += Digits;
    }
    return out;
}

using ScaledWriter = char* (*)(char*, bool, uint64_t);

template <size_t... D>
constexpr std::array<ScaledWriter, sizeof...(D)> scaledWriters(std::index_sequence<D...>)
{
    return {&writeScaled<static_cast<int>(D)>...};
}

constexpr auto kScaledWriters = scaledWriters(std::make_index_sequence<kMaxShortDigits + 1>());

// Any value, through std::to_chars; a minus sign before nothing but zeros
// is dropped.
char* writeFixedGeneral(char* out, int digits, double value)
{
    auto [end, ec] = std::to_chars(out, out + kMaxFixedChars, value, std::chars_format::fixed, digits);
    if (ec != std::errc())
        return out;
    if (out[0] == '-' && std::all_of(out + 1, end, [](char c) { return c == '0' || c == '.'; })) {
        std::memmove(out, out + 1, static_cast<size_t>(end - out - 1));
        --end;
    }
    return end;
}

}  // namespace

char* writeIntText(char* out, int64_t value)
{
    return std::to_chars(out, out + kMaxIntChars, value).ptr;
}

char* writeFixedText(char* out, int digits, double value)
{
    digits = std::clamp(digits, 0, kMaxDigits);
    uint64_t units = 0;
    if (digits <= kMaxShortDigits && scaledUnits(digits, value, units))
        return kScaledWriters[static_cast<size_t>(digits)](out, std::signbit(value), units);
    return writeFixedGeneral(out, digits, value);
}

QString IntText(int64_t value)
{
    char buf[kMaxIntChars];
    return QString::fromLatin1(buf, writeIntText(buf, value) - buf);
}

QString FixedText(int digits, double value)
{
    char buf[kMaxFixedChars];
    return QString::fromLatin1(buf, writeFixedText(buf, digits, value) - buf);
}

QString FloatText(double value)
{
    if (!std::isfinite(value))
        return FixedText(0, value);
    if (value == 0)
        return QStringLiteral("0");
    // 15 significant digits: one before the point and 14 after in scientific form.
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string sci(buf, end);
    const size_t ePos = sci.find('e');
    const bool negative = sci[0] == '-';
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (sci[i] != '.')
            digits += sci[i];
    }
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent < 15 && exponent >= -5) {
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += digits;
        } else if (static_cast<int>(digits.size()) <= exponent + 1) {
            out += digits;
            out.append(exponent + 1 - digits.size(), '0');
        } else {
            out.append(digits, 0, static_cast<size_t>(exponent + 1));
            out += '.';
            out.append(digits, static_cast<size_t>(exponent + 1));
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QChar HexDigit(int value)
{
    return QChar(u"0123456789ABCDEF"[value & 15]);
}

}  // namespace common
