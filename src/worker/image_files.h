// The image files placed beside the SFC output: copies of the TIFF and JPEG
// images, JPEG conversions of the others.
#pragma once

#include "worker/convert/image_source.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace worker {

// Images with more pixels than this are not converted: decoding one would
// take memory out of proportion to any drawing.
inline constexpr int64_t kMaxConvertPixels = 100'000'000;

// Decodes the image at `src` and writes it to `dst` as a JPEG (quality 90;
// transparent parts on white). `dst` appears only complete and never
// replaces a file: the image is written under a temporary name in the
// folder of `dst` and renamed into place. Returns false, leaving nothing at
// `dst`, when the source does not decode as an accepted image, is larger
// than kMaxConvertPixels, or the file cannot be written or a file already
// exists at `dst`.
bool ConvertImageFile(const QString& src, const QString& dst);

// Puts the file of each image beside the output `dst`: the folder of `dst`
// plus the image's file name (see convert::imageTargetName). Copies keep the
// source's times. A target that exists already is left as it is, and so is
// an image whose name is not a plain file name (it could reach outside that
// folder). A failed copy or conversion leaves nothing behind; the next image
// is still placed.
void placeImageFiles(const std::vector<convert::AcceptedImage>& images, const QString& dst);

}  // namespace worker
