// Number formatting through std::to_chars, which is exact and ignores locale.
#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace common {
namespace {

// Room for the integer part of any double (309 digits) plus 20 decimals.
constexpr int kFixedBuffer = 352;

int formatFixed(char* buf, int digits, double value)
{
    if (digits < 0)
        digits = 0;
    if (digits > 20)
        digits = 20;
    auto [end, ec] = std::to_chars(buf, buf + kFixedBuffer, value, std::chars_format::fixed, digits);
    if (ec != std::errc())
        return 0;
    int n = static_cast<int>(end - buf);
    if (buf[0] == '-') {
        bool allZero = true;
        for (int i = 1; i < n && allZero; ++i)
            allZero = buf[i] == '0' || buf[i] == '.';
        if (allZero) {
            std::memmove(buf, buf + 1, n - 1);
            --n;
        }
    }
    return n;
}

}  // namespace

void appendIntText(QByteArray& out, int64_t value)
{
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, end - buf);
}

QString IntText(int64_t value)
{
    QByteArray b;
    appendIntText(b, value);
    return QString::fromLatin1(b);
}

void appendFixedText(QByteArray& out, int digits, double value)
{
    char buf[kFixedBuffer];
    out.append(buf, formatFixed(buf, digits, value));
}

QString FixedText(int digits, double value)
{
    char buf[kFixedBuffer];
    return QString::fromLatin1(buf, formatFixed(buf, digits, value));
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
