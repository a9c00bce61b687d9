// Reading length-prefixed strings.
#include "worker/jww/jww_cstring.h"

#include "common/codepage.h"

namespace jww {
namespace {

constexpr uint8_t kLongLength = 255;
constexpr uint16_t kUnicodeMark = 0xFFFE;

}  // namespace

QString ReadCString(ByteCursor& in)
{
    qsizetype length = in.u8();
    if (length < kLongLength)
        return common::AnsiBytesToText(in.bytes(length));
    length = in.u16();
    if (length != kUnicodeMark)
        return common::AnsiBytesToText(in.bytes(length));
    length = in.u8();
    if (length == kLongLength)
        length = in.u16();
    // The byte count is checked against the rest of the file before anything
    // is decoded, so a wild length cannot make a large text.
    return common::Utf16BytesToText(in.bytes(length * 2));
}

QString ReadCStringPrintable(ByteCursor& in)
{
    QString text = ReadCString(in);
    text.removeIf([](QChar c) { return c.unicode() < 0x20; });
    return text;
}

}  // namespace jww
