// The worker's door to the image codec module: loaded the first time a
// drawing needs pixels, from a folder fixed relative to the running program.
#pragma once

#include <QString>

#include <cstdint>

class QIODevice;

namespace convert {

// The image codec's pixel size of the image at `path` (see
// ondrelleImageSize). False, without loading the module, when `path` names
// no regular file; false as well when the module cannot be loaded.
bool codecImageSize(const QString& path, int32_t& pw, int32_t& ph);

// The image codec's JPEG of the image at `src` written to `out` (see
// ondrelleImageToJpeg). False when `src` names no regular file or the module
// cannot be loaded.
bool codecImageToJpeg(const QString& src, QIODevice& out, int quality, int64_t maxPixels);

}  // namespace convert
