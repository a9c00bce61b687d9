// The length-prefixed strings of a drawing file, in their code page 932 and
// UTF-16 forms.
#pragma once

#include "worker/jww/byte_cursor.h"

#include <QString>

namespace jww {

// The next string, decoded and cut at its first NUL. A byte below 255 gives
// the length of code page 932 text; 255 is followed by a 16-bit length, or by
// FFFE and a UTF-16 character count (one byte, or 255 and 16 bits). Returns
// the empty text, with `in` failed, when the file ends inside the string.
QString ReadCString(ByteCursor& in);

// The same string without its control characters (everything below U+0020:
// tabs, line breaks). Every string of the file but the memo is read this way.
QString ReadCStringPrintable(ByteCursor& in);

// Steps over the next string without decoding it; `in` is failed when the
// file ends inside it.
void SkipCString(ByteCursor& in);

}  // namespace jww
