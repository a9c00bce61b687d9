// Reading length-prefixed strings.
#include "worker/jww/jww_cstring.h"

#include "common/codepage.h"

namespace jww {
namespace {

constexpr uint8_t kLongLength = 255;
constexpr uint16_t kUnicodeMark = 0xFFFE;

// The stored bytes of the next string, and whether they are UTF-16.
QByteArrayView cStringBytes(ByteCursor& in, bool& utf16)
{
    utf16 = false;
    qsizetype length = in.u8();
    if (length < kLongLength)
        return in.bytes(length);
    length = in.u16();
    if (length != kUnicodeMark)
        return in.bytes(length);
    utf16 = true;
    length = in.u8();
    if (length == kLongLength)
        length = in.u16();
    // The byte count is checked against the rest of the file before anything
    // is decoded, so a wild length cannot make a large text.
    return in.bytes(length * 2);
}

}  // namespace

QString ReadCString(ByteCursor& in)
{
    bool utf16 = false;
    const QByteArrayView bytes = cStringBytes(in, utf16);
    return utf16 ? common::Utf16BytesToText(bytes) : common::AnsiBytesToText(bytes);
}

void SkipCString(ByteCursor& in)
{
    bool utf16 = false;
    cStringBytes(in, utf16);
}

QString ReadCStringPrintable(ByteCursor& in)
{
    QString text = ReadCString(in);
    text.removeIf([](QChar c) { return c.unicode() < 0x20; });
    return text;
}

}  // namespace jww
