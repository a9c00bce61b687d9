// The image files placed beside the SFC output: copies of the TIFF and JPEG
// images, JPEG conversions of the others, each under a name of its own.
#pragma once

#include "worker/convert/image_source.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace worker {

// Images with more pixels than this are not converted: decoding one would
// take memory out of proportion to any drawing.
inline constexpr int64_t kMaxConvertPixels = 100'000'000;

// Decodes the image at `src` and writes it to `dst` as a JPEG (quality 90;
// transparent parts on white). `dst` appears only complete and never
// replaces a file. Returns false, leaving nothing at `dst`, when the source
// does not decode as an accepted image, is larger than kMaxConvertPixels,
// or the file cannot be written or a file already exists at `dst`.
bool ConvertImageFile(const QString& src, const QString& dst);

// What placing the image files did.
struct PlacedImages {
    bool ok = true;
    QString failedName;   // when not ok: the name of the picture that could not be placed
    QStringList written;  // the files put beside the output, full paths
};

// Puts the file of each image beside the output `dst`, in the folder of
// `dst`, and sets each image's `name` to the name it went by: its target
// name (convert::imageTargetName), or when that is taken (by any file, or by
// another picture of this drawing) the first free name "~1", "~2", ... as
// output names are chosen, so that the output never names somebody else's
// picture. One source placed several times is written once. Copies keep the
// source's times. An image whose name is not a plain file name (it could
// reach outside the folder) is not written, and neither is one that does
// not decode; both keep their name. When a picture cannot be written (a full
// disk, a folder that went away, a source that cannot be read) the result is
// not ok, names it, and every file this call wrote is removed again; nothing
// half written is ever left under a name.
PlacedImages placeImageFiles(std::vector<convert::AcceptedImage>& images, const QString& dst);

// Removes the files that placeImageFiles wrote: the output that names them
// could not be written.
void removePlacedImages(const PlacedImages& placed);
// Makes the files that placeImageFiles wrote final: the output that names
// them is in place, and a signal no longer takes them away.
void keepPlacedImages(const PlacedImages& placed);

}  // namespace worker
