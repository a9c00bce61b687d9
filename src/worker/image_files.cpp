// Copying and converting image files into the output folder.
#include "worker/image_files.h"

#include "common/file_ops.h"
#include "common/path_names.h"
#include "worker/convert/image_codec_loader.h"
#include "worker/jww/image_names.h"

#include <QHash>
#include <QSet>

#include <algorithm>

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

// The folders of `dsts`, each once, in their order.
QStringList foldersOf(const QStringList& dsts)
{
    QStringList folders;
    for (const QString& dst : dsts) {
        const QString folder = common::ExtractDir(dst);
        if (!folder.isEmpty() && !folders.contains(folder))
            folders.append(folder);
    }
    return folders;
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

bool ImageFiles::prepare(std::vector<convert::AcceptedImage>& images, const QStringList& dsts)
{
    const QStringList folders = foldersOf(dsts);
    if (folders.isEmpty())
        return true;
    QHash<QString, QString> nameOf;  // source → the name it goes by
    QSet<QString> chosen;            // names of this drawing's pictures
    // A name is free only where it is free in every folder.
    const auto taken = [&](const QString& path) {
        const QString name = common::ExtractName(path);
        return chosen.contains(name) || std::any_of(folders.begin(), folders.end(), [&](const QString& folder) {
                   return common::NameTaken(folder + name);
               });
    };
    for (convert::AcceptedImage& img : images) {
        if (const auto it = nameOf.constFind(img.source); it != nameOf.constEnd()) {
            img.name = *it;
            continue;
        }
        img.name = convert::imageTargetName(img.source, img.placing);
        nameOf.insert(img.source, img.name);
        if (!jww::isPlainImageName(img.name))
            continue;
        const QString name = common::ExtractName(common::UniqueFileName(folders.first() + img.name, taken));
        if (name.isEmpty() || !writePicture(img, name, folders)) {
            m_failedName = img.name;
            m_files.discard();
            return false;
        }
        // A picture that does not decode keeps its free name too: better a
        // missing file than somebody else's under the name the output gives.
        chosen.insert(name);
        img.name = name;
        nameOf[img.source] = name;
    }
    return true;
}

bool ImageFiles::writePicture(const convert::AcceptedImage& img, const QString& name, const QStringList& folders)
{
    for (const QString& folder : folders) {
        auto file = std::make_unique<common::NewFile>(folder, kTemporaryTag);
        switch (writeContent(img.source, img.placing, *file)) {
        case Content::Written:
            m_files.add(folder + name, std::move(file));
            break;
        case Content::NotAnImage:
            return true;
        case Content::CannotWrite:
            return false;
        }
    }
    return true;
}

}  // namespace worker
