// The image files placed beside the SFC output: copies of the TIFF and JPEG
// images, JPEG conversions of the others, each under a name of its own.
#pragma once

#include "common/new_file_group.h"
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

// The picture files of one output, written in full before any of them gets
// its name, so that they appear together with the output that names them:
// a run stopped before that, even by SIGKILL, leaves none of them.
class ImageFiles {
public:
    // Chooses for each image its name beside the outputs `dsts` (one or
    // more paths; the pictures go into the folder of each, once per
    // folder), sets the image's `name` to it, and writes its files, without
    // a name yet. The name is the image's target name
    // (convert::imageTargetName), or when that is taken in any of the
    // folders (by any file, or by another picture of this drawing) the first
    // name "~1", "~2", ... free in all of them, as output names are chosen,
    // so that no output ever names somebody else's picture. One source
    // placed several times is written once. Copies keep the source's times.
    // An image whose name is not a plain file name (it could reach outside
    // the folder) is not written, and neither is one that does not decode;
    // both keep their name. Returns false, naming the picture in
    // failedName(), when a picture cannot be written (a full disk, a folder
    // that went away, a source that cannot be read); nothing is then left
    // of any.
    bool prepare(std::vector<convert::AcceptedImage>& images, const QStringList& dsts);
    // Gives each written picture its name (common::NewFileGroup::commit).
    common::MoveResult commit() { return m_files.commit(); }
    // The pictures are final: the output that names them is in place. Until
    // then they are removed when the ImageFiles goes.
    void keep() { m_files.keep(); }
    // Throws the pictures away, named or not, unless keep() was called.
    void discard() { m_files.discard(); }

    const QString& failedName() const { return m_failedName.isEmpty() ? m_files.failedName() : m_failedName; }
    // The files commit() named, full paths.
    const QStringList& named() const { return m_files.named(); }

private:
    // Writes the picture `img` once into each of `folders`, each file to be
    // named `name` there; true also when it does not decode (then nothing
    // is written), false when a file cannot be written.
    bool writePicture(const convert::AcceptedImage& img, const QString& name, const QStringList& folders);

    common::NewFileGroup m_files;
    QString m_failedName;  // of a picture prepare() could not write
};

}  // namespace worker
