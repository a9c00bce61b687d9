// The image codec: the one part of the worker that decodes pixels. It is a
// module of its own, loaded on first use (convert/image_codec_loader.h), so
// that the many drawings without images never pay for loading Qt's image
// stack when the worker starts.
#pragma once

#include <QtGlobal>

#include <cstdint>

class QIODevice;
class QString;

// The module exports the functions; the worker never links them but looks
// them up by name, so elsewhere they are plain declarations.
#if defined(ONDRELLE_IMAGE_CODEC_BUILD)
#define ONDRELLE_IMAGE_CODEC_API Q_DECL_EXPORT
#else
#define ONDRELLE_IMAGE_CODEC_API
#endif

// The module's file name without the platform's suffix, and the names under
// which it exports the two functions below.
#define ONDRELLE_IMAGE_CODEC_NAME "ondrelle_images"
#define ONDRELLE_IMAGE_SIZE_FN "ondrelleImageSize"
#define ONDRELLE_IMAGE_TO_JPEG_FN "ondrelleImageToJpeg"

extern "C" {

// Reads the pixel size the header of the image file at `path` states, without
// decoding the pixels. True, with `pw` and `ph` positive, only when the
// content (not the name) is a BMP, GIF, PNG, ICO, TIFF or JPEG image whose
// header reads; for an ICO file the size of its first entry, 0 meaning 256.
ONDRELLE_IMAGE_CODEC_API bool ondrelleImageSize(const QString* path, int32_t* pw, int32_t* ph);

// Decodes the image at `src` and writes it to `out` as a JPEG of `quality`
// (transparent parts on white). False, with possibly part of a JPEG written,
// when the source does not decode as an accepted image, states more than
// `maxPixels` pixels, or `out` fails.
ONDRELLE_IMAGE_CODEC_API bool ondrelleImageToJpeg(const QString* src, QIODevice* out, int quality,
                                                  int64_t maxPixels);
}

using OndrelleImageSizeFn = bool (*)(const QString*, int32_t*, int32_t*);
using OndrelleImageToJpegFn = bool (*)(const QString*, QIODevice*, int, int64_t);
