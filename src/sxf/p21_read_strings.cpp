// Decoding P21 strings.
#include "sxf/p21_read_strings.h"

#include "common/codepage.h"

namespace sxf {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The number written by `digits` hex digits at `at`, or -1.
int64_t hexAt(std::string_view raw, size_t at, size_t digits)
{
    if (at + digits > raw.size())
        return -1;
    int64_t v = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int d = hexDigit(raw[at + i]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

bool escapeAt(std::string_view raw, size_t at, char letter, char digit)
{
    if (at + 4 > raw.size() || raw[at] != '\\' || raw[at + 3] != '\\')
        return false;
    return (raw[at + 1] == letter || raw[at + 1] == letter + ('a' - 'A')) && raw[at + 2] == digit;
}

// A "\X2\" or "\X4\" run at `at`: appends its characters and returns where
// decoding goes on, or `at` when the run is malformed.
size_t hexRun(std::string_view raw, size_t at, QString& out)
{
    const size_t digits = raw[at + 2] == '2' ? 4 : 8;
    QString run;
    size_t i = at + 4;
    while (!escapeAt(raw, i, 'X', '0')) {
        const int64_t v = hexAt(raw, i, digits);
        if (v < 0 || v > 0x10FFFF)
            return at;
        if (digits == 4) {
            run += QChar(static_cast<char16_t>(v));
        } else {
            const char32_t c = static_cast<char32_t>(v);
            run += QString::fromUcs4(&c, 1);
        }
        i += digits;
    }
    out += run;
    return i + 4;
}

// Drops the blanks at the end of `out`: a line of the file ended there.
void trimEnd(QString& out)
{
    qsizetype n = out.size();
    while (n > 0 && (out[n - 1] == u' ' || out[n - 1] == u'\t'))
        --n;
    out.truncate(n);
}

// An escape at `at` (raw[at] is a backslash): appends what it stands for
// and returns the length it takes, or 0 when it is none.
size_t escape(std::string_view raw, size_t at, QString& out)
{
    if (at + 1 < raw.size() && raw[at + 1] == '\\') {
        out += u'\\';
        return 2;
    }
    if (escapeAt(raw, at, 'X', '2') || escapeAt(raw, at, 'X', '4')) {
        const size_t next = hexRun(raw, at, out);
        return next == at ? 0 : next - at;
    }
    const bool x = at + 2 < raw.size() && (raw[at + 1] == 'X' || raw[at + 1] == 'x') && raw[at + 2] == '\\';
    if (x && hexAt(raw, at + 3, 2) >= 0) {
        out += QChar(static_cast<char16_t>(hexAt(raw, at + 3, 2)));
        return 5;
    }
    const bool s = at + 3 < raw.size() && (raw[at + 1] == 'S' || raw[at + 1] == 's') && raw[at + 2] == '\\';
    if (s) {
        out += QChar(static_cast<char16_t>((static_cast<unsigned char>(raw[at + 3]) + 128) & 0xFF));
        return 4;
    }
    return 0;
}

}  // namespace

QString decodeP21String(std::string_view raw)
{
    QString out;
    out.reserve(static_cast<qsizetype>(raw.size()));
    size_t i = 0;
    while (i < raw.size()) {
        const auto c = static_cast<unsigned char>(raw[i]);
        if (c >= 0x80) {
            // Whole characters: a trail byte may lie below 0x80.
            size_t end = i;
            while (end < raw.size() && static_cast<unsigned char>(raw[end]) >= 0x80) {
                const bool pair = end + 1 < raw.size() && isCp932LeadByte(static_cast<unsigned char>(raw[end]))
                    && isCp932TrailByte(static_cast<unsigned char>(raw[end + 1]));
                end += pair ? 2 : 1;
            }
            out += common::decodeCp932(QByteArrayView(raw.data() + i, static_cast<qsizetype>(end - i)));
            i = end;
        } else if (c == '\r' || c == '\n') {
            trimEnd(out);
            while (i < raw.size() && (raw[i] == '\r' || raw[i] == '\n' || raw[i] == ' ' || raw[i] == '\t'))
                ++i;
        } else if (c == '\'' && i + 1 < raw.size() && raw[i + 1] == '\'') {
            out += u'\'';
            i += 2;
        } else if (c == '\\') {
            const size_t taken = escape(raw, i, out);
            if (taken == 0)
                out += u'\\';
            i += taken == 0 ? 1 : taken;
        } else {
            out += QChar(static_cast<char16_t>(c));
            ++i;
        }
    }
    return out;
}

}  // namespace sxf
