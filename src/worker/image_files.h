// The image files placed beside the SFC output: copies of the TIFF and JPEG
// images, JPEG conversions of the others, each under a name of its own.
#pragma once

#include "common/new_file.h"
#include "worker/convert/image_source.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
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

// The picture files of one output, written in full before any of them gets
// its name, so that they appear together with the output that names them:
// a run stopped before that, even by SIGKILL, leaves none of them.
class ImageFiles {
public:
    ImageFiles() = default;
    // Removes the pictures named by commit() unless keep() was called.
    ~ImageFiles();
    ImageFiles(const ImageFiles&) = delete;
    ImageFiles& operator=(const ImageFiles&) = delete;

    // Chooses for each image its name beside the output `dst`, in the folder
    // of `dst`, sets the image's `name` to it, and writes its file, without
    // a name yet. The name is the image's target name
    // (convert::imageTargetName), or when that is taken (by any file, or by
    // another picture of this drawing) the first free name "~1", "~2", ...
    // as output names are chosen, so that the output never names somebody
    // else's picture. One source placed several times is written once.
    // Copies keep the source's times. An image whose name is not a plain
    // file name (it could reach outside the folder) is not written, and
    // neither is one that does not decode; both keep their name. Returns
    // false, naming the picture in failedName(), when a picture cannot be
    // written (a full disk, a folder that went away, a source that cannot be
    // read); nothing is then left of any.
    bool prepare(std::vector<convert::AcceptedImage>& images, const QString& dst);
    // Gives each written picture its name. Returns Moved when all have it;
    // DestinationExists when one of the names was taken meanwhile (by
    // another program) and Failed when naming failed otherwise, both naming
    // that picture in failedName() and leaving none named.
    common::MoveResult commit();
    // The pictures are final: the output that names them is in place.
    void keep();

    const QString& failedName() const { return m_failedName; }
    // The files commit() named, full paths.
    const QStringList& named() const { return m_named; }

private:
    void removeNamed();

    struct Picture {
        QString target;
        std::unique_ptr<common::NewFile> file;
    };
    std::vector<Picture> m_pictures;
    QStringList m_named;
    QString m_failedName;
    bool m_kept = false;
};

}  // namespace worker
