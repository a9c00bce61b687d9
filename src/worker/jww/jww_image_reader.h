// Reading the list of image files embedded in drawings of version 700 and
// later, and writing them into the image folder.
#pragma once

#include "worker/jww/byte_cursor.h"
#include "worker/jww/jww_data.h"

namespace jww {

// Empties BindImage, then reads the image list into it. With BindImageExp
// set and BindImageFolder not empty, the data of every image whose name is a
// plain file name (isPlainImageName) is written to BindImageFolder + name,
// replacing any file of that name; other data is stepped over. A file that
// cannot be written is removed again, its name added to BindImageUnwritten,
// and the list goes on. Returns false,
// with `in` failed, when the file ends inside the list or holds a negative
// count or size.
bool readImageList(TJwwData& d, ByteCursor& in);

}  // namespace jww
