// Conversion between text and code page 932 (Windows-31J), the code page of
// every string stored in a drawing and of every converted file, whatever the
// locale of the machine the programs run on.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace common {

// Decodes all of `bytes`. A byte that begins no defined character (a lone
// lead byte, a lead byte with an invalid trail byte, an unused single byte)
// becomes U+30FB and decoding resumes at the next byte. NUL bytes are kept.
// With `allDefined`, it is set to whether every character was defined.
QString decodeCp932(QByteArrayView bytes, bool* allDefined = nullptr);

// Encodes `text`, writing exactly one "?" (0x3F) for every character that the
// code page cannot represent; a valid surrogate pair is one character, a lone
// surrogate half is one unrepresentable character.
QByteArray encodeCp932(QStringView text);

// Appends the encoding of `text` to `out`; the same rules as encodeCp932.
void appendCp932(QByteArray& out, QStringView text);

// The most bytes one UTF-16 code unit encodes to.
constexpr qsizetype kMaxCp932Bytes = 2;
// Writes the encoding of `text` at `out`, which must have room for
// kMaxCp932Bytes × text.size() bytes, and returns its end; the same rules as
// encodeCp932.
char* writeCp932(char* out, QStringView text);

// True when the encoding of `c` ends in the byte 0x5C, the backslash of
// ASCII: the backslash itself and the two-byte characters whose second byte
// it is (ソ, 表, 能 and some fifty more, as the code page's table has them).
// A reader that works on bytes takes such a character followed by an
// apostrophe for the backslash and apostrophe that close an SFC string.
bool endsInByte5C(QChar c);

// The character `c` after encoding it and decoding the result again: itself
// when the code page holds it, its Japanese equivalent for the few characters
// that encode to another one (U+2212 becomes U+FF0D), "?" otherwise.
QChar cp932RoundTrip(QChar c);

// Decodes code page 932 text and cuts it at its first NUL character.
QString AnsiBytesToText(QByteArrayView bytes);

// Decodes little-endian UTF-16 code units (an odd last byte is ignored) and
// cuts the text at its first NUL character.
QString Utf16BytesToText(QByteArrayView bytes);

}  // namespace common
