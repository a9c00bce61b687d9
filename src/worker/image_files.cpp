// Copying and converting image files into the output folder.
#include "worker/image_files.h"

#include "common/file_ops.h"
#include "common/path_names.h"
#include "worker/jww/image_names.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
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

// The decoded image on an opaque white ground: JPEG has no transparency.
QImage opaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage ground(image.size(), QImage::Format_RGB32);
    ground.fill(Qt::white);
    QPainter painter(&ground);
    painter.drawImage(0, 0, image);
    painter.end();
    return ground;
}

}  // namespace

bool ConvertImageFile(const QString& src, const QString& dst)
{
    int32_t pw = 0, ph = 0;
    if (!convert::GetImageSize(src, pw, ph) || static_cast<int64_t>(pw) * ph > kMaxConvertPixels)
        return false;
    QImageReader reader(src);
    reader.setDecideFormatFromContent(true);
    // Our own bound was checked above; Qt's default one would refuse some
    // images below it.
    reader.setAllocationLimit(static_cast<int>(kMaxConvertPixels * 4 / (1024 * 1024)) + 1);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    return writeNoReplace(dst, [&](QFile& out) {
        QImageWriter writer(&out, "jpeg");
        writer.setQuality(kJpegQuality);
        return writer.write(opaque(image));
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
