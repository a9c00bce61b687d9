// The raster images a drawing places: which image texts count, where their
// files are, their pixel sizes, and the one walk over them that the image
// symbols, their placements and the image files beside the output share.
#pragma once

#include "worker/jww/jww_data.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace convert {

// What becomes of an image file beside the output, by the lower-cased
// extension of its path.
enum class ImagePlacing {
    None,     // not an accepted type: the image is left out
    Copy,     // ".tif", ".tiff", ".jpg", ".jpeg": copied under its own name
    Convert,  // ".bmp", ".gif", ".png", ".ico": converted to a ".jpg"
};
ImagePlacing imagePlacingOf(QStringView path);

// The name the image goes by beside the output and in its symbol: the file
// name of `path` (no folder), with ".jpg" for the converted types, made safe
// for records (sxf::safeSfcString) so that the symbol names the very file
// written beside it. Empty when `path` names no file.
QString imageTargetName(const QString& path, ImagePlacing placing);

// Where an image text's path points: a leading "%temp%" (as written, case
// sensitive) becomes `bindImageFolder`, the folder of the extracted
// embedded images; a path naming no existing file is tried again with the
// folder of `jwwFileName` in front. Returns the path to use, which may still
// name no file.
QString resolveImagePath(const QString& path, const QString& bindImageFolder, const QString& jwwFileName);

// Reads the pixel size that the header of the image file at `path` states,
// without decoding the pixels. True, with `pw` and `ph` positive, only when
// the content (not the name) is a BMP, GIF, PNG, ICO, TIFF or JPEG image
// whose header reads; for an ICO file the size of its first entry, 0 meaning
// 256. False for a missing file, a folder or anything else.
bool GetImageSize(const QString& path, int32_t& pw, int32_t& ph);

// One image that the conversion places, with everything its symbol, its
// placement and its file need.
struct AcceptedImage {
    QString source;  // resolved path of the image file
    ImagePlacing placing = ImagePlacing::None;
    int32_t pw = 0, ph = 0;  // pixel size
    double w = 0;            // width on the drawing
    double sx = 0, sy = 0;   // start point of the text
    double ex = 0, ey = 0;   // end point: the direction of the image's bottom edge
    // The layer the frame is drawn on: the text's own, or for a block member
    // the insertion's unless its bit 0x40 keeps the member's.
    jww::TEntJwwAttr layer;
    bool inBlock = false;
    // The insertion's transform for a block member: (x, y) + (r1 r2 / r3 r4) p.
    double x = 0, y = 0, r1 = 1, r2 = 0, r3 = 0, r4 = 1;
};

// The images of drawing `d` in their one order: first, for each entry of the
// insert tree with a definition, the image texts among that definition's
// members (so a block inserted twice gives its images twice), then the image
// texts of the top level. A text is kept only when it is an image text with a
// path, its layer is valid, its file resolves to an image whose size reads,
// and its type is accepted. `jwwFileName` is the drawing's path, for the
// retry beside the drawing.
std::vector<AcceptedImage> acceptedImages(const jww::TJwwData& d, const QString& jwwFileName);

}  // namespace convert
