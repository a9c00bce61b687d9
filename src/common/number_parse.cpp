// Parsers that never fail: anything that is not exactly a number reads as 0.
#include "common/number_parse.h"

#include "common/text_slice.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace common {
namespace {

// Copies an ASCII sign-digits-dot text into `out`; false for anything else.
bool asciiNumber(QStringView text, bool allowDot, std::string& out)
{
    bool digit = false;
    bool dot = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= '0' && u <= '9') {
            digit = true;
        } else if ((u == '+' || u == '-') && i == 0) {
        } else if (u == '.' && allowDot && !dot) {
            dot = true;
        } else {
            return false;
        }
        out += static_cast<char>(u);
    }
    return digit;
}

}  // namespace

int32_t StrToIntZero(QStringView text)
{
    std::string s;
    if (!asciiNumber(text, false, s))
        return 0;
    const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
    int32_t value = 0;
    auto [end, ec] = std::from_chars(begin, s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size() ? value : 0;
}

double StrToFloatZero(QStringView text)
{
    std::string s;
    if (!asciiNumber(text, true, s))
        return 0;
    const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
    double value = 0;
    auto [end, ec] = std::from_chars(begin, s.data() + s.size(), value, std::chars_format::fixed);
    return ec == std::errc() && end == s.data() + s.size() && std::isfinite(value) ? value : 0;
}

bool StrToBoolWord(QStringView text)
{
    static const QStringView kTrue[] = {u"T", u"TR", u"TRU", u"TRUE", u"1", u"１", u"○", u"ON", u"真", u"正"};
    const QString upper = UpperText(text);
    for (QStringView word : kTrue) {
        if (upper == word)
            return true;
    }
    return false;
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

bool IsFiniteNum(double value)
{
    return std::isfinite(value);
}

bool SameNum(double a, double b)
{
    return std::fabs(a - b) <= 1e-12;
}

bool NearNum(double a, double b, double tolerance)
{
    return std::fabs(a - b) <= tolerance;
}

bool SamePoint(double x1, double y1, double x2, double y2)
{
    return SameNum(x1, x2) && SameNum(y1, y2);
}

double RoundDigits(double value, int digits, int mode)
{
    const double scale = (digits >= 1 && digits <= 9) ? std::pow(10.0, digits) : 1.0;
    const double m = std::fabs(value) * scale;
    double whole;
    if (mode == 0)
        whole = std::trunc(m);
    else if (mode == 1)
        whole = std::trunc(m + 0.9999999999);
    else
        whole = std::trunc(m + 0.5);
    const double result = whole / scale;
    return value < 0 ? -result : result;
}

}  // namespace common
