// Loading the image codec module once per run and calling into it.
#include "worker/convert/image_codec_loader.h"

#include "common/file_ops.h"
#include "worker/image_codec/image_codec.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>

namespace convert {

namespace {

// The folder of the running program. The worker has an application object;
// test programs and fuzz targets run without one, and on Linux the kernel
// names their file.
QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

// The file the module is loaded from: the program's folder plus the module
// folder the build chose. Empty when the program's folder is unknown, which
// must not become a path from the root.
QString imageCodecPath()
{
    const QString folder = programFolder();
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/" ONDRELLE_IMAGE_CODEC_DIR "/" ONDRELLE_IMAGE_CODEC_NAME);
}

// The module's two functions, or none when it cannot be loaded. A drawing
// whose images cannot be read still converts without them, so a missing
// module is said once on the error channel rather than failing the run.
struct ImageCodec {
    OndrelleImageSizeFn size = nullptr;
    OndrelleImageToJpegFn toJpeg = nullptr;

    ImageCodec()
    {
        QLibrary library(imageCodecPath());
        size = reinterpret_cast<OndrelleImageSizeFn>(library.resolve(ONDRELLE_IMAGE_SIZE_FN));
        toJpeg = reinterpret_cast<OndrelleImageToJpegFn>(library.resolve(ONDRELLE_IMAGE_TO_JPEG_FN));
        if (!size || !toJpeg) {
            size = nullptr;
            toJpeg = nullptr;
            std::fprintf(stderr, "Ondrelle: images are left out: %s\n", qUtf8Printable(library.errorString()));
        }
    }
};

const ImageCodec& imageCodec()
{
    static const ImageCodec codec;
    return codec;
}

}  // namespace

bool codecImageSize(const QString& path, int32_t& pw, int32_t& ph)
{
    pw = 0;
    ph = 0;
    if (!common::FileExistsSafe(path) || !imageCodec().size)
        return false;
    return imageCodec().size(&path, &pw, &ph);
}

bool codecImageToJpeg(const QString& src, QIODevice& out, int quality, int64_t maxPixels)
{
    if (!common::FileExistsSafe(src) || !imageCodec().toJpeg)
        return false;
    return imageCodec().toJpeg(&src, &out, quality, maxPixels);
}

}  // namespace convert
