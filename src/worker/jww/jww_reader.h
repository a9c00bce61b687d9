// Reading a whole drawing from bytes in memory or from a cursor over its
// file, the work behind FileIn.
#pragma once

#include "worker/jww/byte_cursor.h"
#include "worker/jww/jww_data.h"

#include <QByteArrayView>

namespace jww {

// Empties `d`, then reads the header, the entity list, the block
// definitions and, from version 700 when BindImageExp or BindImageExr is set,
// the embedded images (extracting them as FileIn does); builds the insert
// tree whenever the header was read. Returns true only when all of it was
// read; `d` keeps what was read either way. Any input is safe: reads are
// bounds-checked, nothing is sized beyond what the bytes can hold, and no
// exception escapes.
bool readJwwDrawing(TJwwData& d, QByteArrayView bytes);
// The same from `in`, positioned at the start of the file.
bool readJwwDrawing(TJwwData& d, ByteCursor& in);

}  // namespace jww
