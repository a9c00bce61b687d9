// The text inside a P21 string.
#pragma once

#include <QString>

#include <string_view>

namespace sxf {

// A byte that begins a two-byte character of code page 932, and one that
// may follow it.
inline bool isCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

inline bool isCp932TrailByte(unsigned char c)
{
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// Decodes the raw bytes between a string's apostrophes: "''" is one
// apostrophe, "\\" one backslash, "\X2\" four hex digits per UTF-16 code
// unit up to "\X0\", "\X4\" eight per character up to "\X0\", "\X\" two hex
// digits of a Latin-1 character, "\S\" the Latin-1 character 128 above the
// next one (the escapes in either case). Bytes above 0x7F, which some
// writers put into strings unencoded, are read as code page 932. A line
// break inside the string is dropped together with the blanks around it,
// as the official reader joins trimmed lines. A malformed escape is kept as
// the characters it consists of; nothing fails.
QString decodeP21String(std::string_view raw);

}  // namespace sxf
