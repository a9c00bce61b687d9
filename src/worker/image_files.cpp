// Copying and converting image files into the output folder.
#include "worker/image_files.h"

#include "common/file_ops.h"
#include "common/path_names.h"
#include "worker/convert/image_codec_loader.h"
#include "worker/jww/image_names.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <functional>

namespace worker {

namespace {

constexpr int kJpegQuality = 90;

// Makes `target` through `write`, which fills a temporary file in the same
// folder; the temporary file is renamed to `target` only when `write`
// succeeded, and the rename fails rather than replace a file that appeared
// there meanwhile. Nothing is left behind on failure.
bool writeNoReplace(const QString& target, const std::function<bool(QFile& temporary)>& write)
{
    if (QFileInfo::exists(target))
        return false;
    QTemporaryFile temporary(common::ExtractDir(target) + QStringLiteral(".ondrelle-image-XXXXXX"));
    if (!temporary.open())
        return false;
    if (!write(temporary))
        return false;
    temporary.close();
    // Temporary files are private to their owner; the image is an ordinary
    // output file.
    QFile::setPermissions(temporary.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!QFile::rename(temporary.fileName(), target))
        return false;
    temporary.setAutoRemove(false);
    return true;
}

}  // namespace

bool ConvertImageFile(const QString& src, const QString& dst)
{
    return writeNoReplace(dst, [&](QFile& out) {
        return convert::codecImageToJpeg(src, out, kJpegQuality, kMaxConvertPixels);
    });
}

void placeImageFiles(const std::vector<convert::AcceptedImage>& images, const QString& dst)
{
    const QString folder = common::ExtractDir(dst);
    if (folder.isEmpty())
        return;
    for (const convert::AcceptedImage& img : images) {
        const QString name = convert::imageTargetName(img.source, img.placing);
        if (!jww::isPlainImageName(name))
            continue;
        const QString target = folder + name;
        if (img.placing == convert::ImagePlacing::Copy) {
            writeNoReplace(target, [&](QFile& out) {
                out.close();
                return common::CopyFileKeepTimes(img.source, out.fileName());
            });
        } else if (img.placing == convert::ImagePlacing::Convert) {
            ConvertImageFile(img.source, target);
        }
    }
}

}  // namespace worker
