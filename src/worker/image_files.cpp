// Copying and converting image files into the output folder.
#include "worker/image_files.h"

#include "common/file_ops.h"
#include "common/interrupt_cleanup.h"
#include "common/path_names.h"
#include "worker/convert/image_codec_loader.h"
#include "worker/jww/image_names.h"

#include <QFile>
#include <QHash>
#include <QSet>

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

}  // namespace

bool ConvertImageFile(const QString& src, const QString& dst)
{
    if (common::NameTaken(dst))
        return false;
    common::NewFile file(common::ExtractDir(dst), kTemporaryTag);
    return writeContent(src, convert::ImagePlacing::Convert, file) == Content::Written
           && file.commit(dst) == common::MoveResult::Moved;
}

ImageFiles::~ImageFiles()
{
    if (!m_kept)
        removeNamed();
}

bool ImageFiles::prepare(std::vector<convert::AcceptedImage>& images, const QString& dst)
{
    const QString folder = common::ExtractDir(dst);
    if (folder.isEmpty())
        return true;
    QHash<QString, QString> nameOf;  // source → the name it goes by
    QSet<QString> chosen;            // targets of this drawing's pictures
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
        const QString target = common::UniqueFileName(folder + img.name, taken);
        auto file = std::make_unique<common::NewFile>(folder, kTemporaryTag);
        const Content content = target.isEmpty() ? Content::CannotWrite : writeContent(img.source, img.placing, *file);
        if (content == Content::CannotWrite) {
            m_failedName = img.name;
            m_pictures.clear();
            return false;
        }
        if (content == Content::Written)
            m_pictures.push_back({target, std::move(file)});
        // A picture that does not decode keeps its free name too: better a
        // missing file than somebody else's under the name the output gives.
        chosen.insert(target);
        img.name = common::ExtractName(target);
        nameOf[img.source] = img.name;
    }
    return true;
}

common::MoveResult ImageFiles::commit()
{
    for (Picture& picture : m_pictures) {
        const common::MoveResult result = picture.file->commit(picture.target);
        if (result != common::MoveResult::Moved) {
            m_failedName = common::ExtractName(picture.target);
            removeNamed();
            return result;
        }
        // Until the output that names it is in place, the file goes with a
        // run that is stopped.
        common::removeFileOnInterrupt(picture.target);
        m_named.append(picture.target);
    }
    m_pictures.clear();
    return common::MoveResult::Moved;
}

void ImageFiles::keep()
{
    m_kept = true;
    for (const QString& path : m_named)
        common::keepFileOnInterrupt(path);
}

void ImageFiles::removeNamed()
{
    for (const QString& path : m_named) {
        QFile::remove(path);
        common::keepFileOnInterrupt(path);
    }
    m_named.clear();
}

}  // namespace worker
