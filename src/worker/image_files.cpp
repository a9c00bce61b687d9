// Copying and converting image files into the output folder.
#include "worker/image_files.h"

#include "common/file_ops.h"
#include "common/interrupt_cleanup.h"
#include "common/new_file.h"
#include "common/path_names.h"
#include "worker/convert/image_codec_loader.h"
#include "worker/jww/image_names.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <functional>

namespace worker {

namespace {

constexpr int kJpegQuality = 90;
const QString kTemporaryTag = QStringLiteral("Ondrelle");

enum class Content {
    Written,     // the new file holds the whole picture
    NotAnImage,  // the source does not decode (or is too large): nothing to place
    CannotWrite, // reading the source or writing the file failed
};

// Fills `out` with the picture: a copy of the source, or its conversion to
// JPEG. A conversion that fails without a failed write is the source's
// fault; any other failure is the file system's.
Content writeContent(const QString& source, convert::ImagePlacing placing, common::NewFile& out)
{
    if (!out.isOpen())
        return Content::CannotWrite;
    if (placing == convert::ImagePlacing::Copy) {
        if (!common::CopyFileKeepTimes(source, out.file()))
            return Content::CannotWrite;
    } else if (!convert::codecImageToJpeg(source, out.file(), kJpegQuality, kMaxConvertPixels)) {
        return out.file().error() == QFileDevice::NoError ? Content::NotAnImage : Content::CannotWrite;
    }
    return out.finish() ? Content::Written : Content::CannotWrite;
}

// Commits `file` under `target`, or under the next free name after it when
// another program took that name meanwhile. The name used, or empty.
QString commitUnderFreeName(common::NewFile& file, QString target, const QString& base,
                            const std::function<bool(const QString&)>& taken)
{
    while (!target.isEmpty()) {
        switch (file.commit(target)) {
        case common::MoveResult::Moved:
            return target;
        case common::MoveResult::DestinationExists:
            target = common::UniqueFileName(base, taken);
            break;
        case common::MoveResult::Failed:
            return {};
        }
    }
    return {};
}

}  // namespace

bool ConvertImageFile(const QString& src, const QString& dst)
{
    if (common::NameTaken(dst))
        return false;
    common::NewFile file(common::ExtractDir(dst), kTemporaryTag);
    return writeContent(src, convert::ImagePlacing::Convert, file) == Content::Written
           && file.commit(dst) == common::MoveResult::Moved;
}

PlacedImages placeImageFiles(std::vector<convert::AcceptedImage>& images, const QString& dst)
{
    PlacedImages placed;
    const QString folder = common::ExtractDir(dst);
    if (folder.isEmpty())
        return placed;
    QHash<QString, QString> nameOf;  // source → the name it went by
    QSet<QString> chosen;            // targets this drawing's pictures use
    const auto taken = [&](const QString& path) { return chosen.contains(path) || common::NameTaken(path); };
    for (convert::AcceptedImage& img : images) {
        if (const auto it = nameOf.constFind(img.source); it != nameOf.constEnd()) {
            img.name = *it;
            continue;
        }
        img.name = convert::imageTargetName(img.source, img.placing);
        nameOf.insert(img.source, img.name);
        if (!jww::isPlainImageName(img.name))
            continue;
        const QString base = folder + img.name;
        QString target = common::UniqueFileName(base, taken);
        common::NewFile file(folder, kTemporaryTag);
        const Content content = target.isEmpty() ? Content::CannotWrite : writeContent(img.source, img.placing, file);
        if (content == Content::Written)
            target = commitUnderFreeName(file, target, base, taken);
        if (content == Content::CannotWrite || target.isEmpty()) {
            removePlacedImages(placed);
            return {false, img.name, {}};
        }
        if (content == Content::Written) {
            // Until the output that names it is in place, the file goes
            // with a run that is stopped.
            common::removeFileOnInterrupt(target);
            placed.written.append(target);
        }
        // A picture that does not decode keeps its free name too: better a
        // missing file than somebody else's under the name the output gives.
        chosen.insert(target);
        img.name = common::ExtractName(target);
        nameOf[img.source] = img.name;
    }
    return placed;
}

void removePlacedImages(const PlacedImages& placed)
{
    for (const QString& path : placed.written) {
        QFile::remove(path);
        common::keepFileOnInterrupt(path);
    }
}

void keepPlacedImages(const PlacedImages& placed)
{
    for (const QString& path : placed.written)
        common::keepFileOnInterrupt(path);
}

}  // namespace worker
