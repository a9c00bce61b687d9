// Reals and strings as the official library writes them into P21 files.
#include "sxf/p21_format.h"

#include "common/codepage.h"
#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace sxf::p21 {
namespace {

constexpr int kAngleDigits = 15;

// What one UTF-16 code unit becomes in a string: an ASCII character written
// as it is, or a character written in a "\X2\" run.
struct Encoded {
    bool hex = false;
    char16_t unit = u'?';
};

Encoded encodeUnit(char16_t c, char16_t previous)
{
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF))
        return {false, u'?'};
    if (c < 0x7F)
        return {c == u'*' && previous == u'/', c};
    // What the code page makes of it: the character itself, its Japanese
    // equivalent, an ASCII character, or "?" when it has no place there.
    const char16_t back = common::cp932RoundTrip(QChar(c)).unicode();
    if (back < 0x80)
        return encodeUnit(back, previous);
    return {true, back};
}

// `units` millionths as "integer.dddddd".
char* writeMicroUnits(char* out, uint64_t units)
{
    constexpr uint64_t kMillion = 1000000;
    out = std::to_chars(out, out + 20, units / kMillion).ptr;
    *out++ = '.';
    uint64_t fraction = units % kMillion;
    for (int i = 5; i >= 0; --i) {
        out[i] = char('0' + fraction % 10);
        fraction /= 10;
    }
    return out + 6;
}

void appendHex(std::string& out, char16_t unit)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(kDigits[(unit >> shift) & 0xF]);
}

}  // namespace

char* writeReal(char* out, double value)
{
    if (std::isnan(value))
        return common::writeFixedText(out, 6, value);
    // The shared fixed form drops the sign of a zero; C's keeps it.
    if (std::signbit(value))
        *out++ = '-';
    const double magnitude = std::fabs(value);
    // Most values of a drawing take the short way: below 2^40 the product
    // is off the exact one by at most 2^-13, so a product that lies less
    // than 0.49 from its nearest integer rounds the exact value to that
    // integer too. Near a half, and for large values, the exact form
    // decides.
    const double scaled = magnitude * 1e6;
    if (scaled < 0x1p40) {
        const double units = std::nearbyint(scaled);
        if (std::fabs(scaled - units) < 0.49)
            return writeMicroUnits(out, uint64_t(units));
    }
    return common::writeFixedText(out, 6, magnitude);
}

std::string realText(double value)
{
    char text[kMaxRealChars];
    return std::string(text, writeReal(text, value));
}

char* writeAngle(char* out, double value)
{
    if (!std::isfinite(value))
        return common::writeFixedText(out, 6, value);
    const double w = value <= 1e-14 ? value + 5e-15 : value;
    // "d.dddddddddddddde+xx": the 15 digits rounded, and the exponent.
    char sci[40];
    const auto [end, ec] = std::to_chars(sci, sci + sizeof sci, std::fabs(w), std::chars_format::scientific,
                                         kAngleDigits - 1);
    (void)ec;
    char digits[kAngleDigits];
    digits[0] = sci[0];
    std::memcpy(digits + 1, sci + 2, kAngleDigits - 1);
    // After the digits: "e", the exponent's sign and its digits.
    const char* sign = sci + kAngleDigits + 2;
    int exponent = 0;
    std::from_chars(sign + 1, end, exponent);
    if (*sign == '-')
        exponent = -exponent;
    const int dec = exponent + 1;  // digits before the point

    if (w < 0)
        *out++ = '-';
    if (dec <= 0) {
        *out++ = '0';
        *out++ = '.';
        const int zeros = std::min(-dec, kAngleDigits - 1);
        std::memset(out, '0', size_t(zeros));
        out += zeros;
        const int kept = kAngleDigits - 1 - zeros;
        std::memcpy(out, digits, size_t(kept));
        return out + kept;
    }
    if (dec <= kAngleDigits) {
        std::memcpy(out, digits, size_t(dec));
        out += dec;
        *out++ = '.';
        std::memcpy(out, digits + dec, size_t(kAngleDigits - dec));
        return out + (kAngleDigits - dec);
    }
    // Beyond 15 integer digits (no drawing value comes near): the digits,
    // zeros for the rest, and the point a real needs.
    std::memcpy(out, digits, kAngleDigits);
    out += kAngleDigits;
    std::memset(out, '0', size_t(dec - kAngleDigits));
    out += dec - kAngleDigits;
    *out++ = '.';
    return out;
}

void appendString(std::string& out, QStringView text)
{
    out.push_back('\'');
    bool inRun = false;
    char16_t previous = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        Encoded e;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;  // one character beyond the code page
            c = u'?';
        } else if (QChar::isSurrogate(c)) {
            c = u'?';
        }
        e = encodeUnit(c, previous);
        previous = c;
        if (e.hex != inRun) {
            out.append(e.hex ? "\\X2\\" : "\\X0\\");
            inRun = e.hex;
        }
        if (e.hex) {
            appendHex(out, e.unit);
        } else {
            out.push_back(char(e.unit));
            if (e.unit == u'\'' || e.unit == u'\\')
                out.push_back(char(e.unit));
        }
    }
    if (inRun)
        out.append("\\X0\\");
    out.push_back('\'');
}

}  // namespace sxf::p21
