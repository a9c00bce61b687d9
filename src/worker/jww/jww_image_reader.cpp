// The embedded-image list: a count, then per image a name, a size and, for a
// named image of non-zero size, that many bytes of file data.
#include "worker/jww/jww_image_reader.h"

#include "common/interrupt_cleanup.h"
#include "worker/jww/image_names.h"
#include "worker/jww/jww_cstring.h"

#include <QFile>

namespace jww {
namespace {

// The shortest entry: an empty name and a size.
constexpr qsizetype kMinImageEntryBytes = 1 + 4;
constexpr qsizetype kWriteChunk = 2048;

// Writes `data` to `path`; a file that cannot be completed is removed so
// that no truncated image looks like a whole one, and false is returned.
bool writeImageFile(const QString& path, QByteArrayView data)
{
    QFile file(path);
    // The file belongs to this run until tear-down, and so it does if a
    // signal stops the run first.
    common::removeFileOnInterrupt(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (qsizetype at = 0; ok && at < data.size(); at += kWriteChunk) {
        const qsizetype n = std::min(kWriteChunk, data.size() - at);
        ok = file.write(data.data() + at, n) == n;
    }
    ok = ok && file.flush();
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    if (!ok) {
        if (file.exists())
            file.remove();
        common::keepFileOnInterrupt(path);
    }
    return ok;
}

}  // namespace

bool readImageList(TJwwData& d, ByteCursor& in)
{
    d.BindImageInit();
    const int32_t count = in.i32();
    if (in.failed() || count < 0 || count > in.remaining() / kMinImageEntryBytes) {
        in.fail();
        return false;
    }
    d.BindImage.reserve(static_cast<size_t>(count));
    const bool extract = d.BindImageExp && !d.BindImageFolder.isEmpty();
    for (int32_t i = 0; i < count; ++i) {
        TBindImageType img;
        img.Fname = ReadCStringPrintable(in);
        img.Fsize = in.i32();
        if (in.failed())
            break;
        if (!img.Fname.isEmpty() && img.Fsize != 0) {
            // The data is taken whole or not at all: a size beyond the end of
            // the file means the file ends inside the list.
            const QByteArrayView data = in.bytes(img.Fsize);
            if (in.failed())
                break;
            if (extract && isPlainImageName(img.Fname) && !writeImageFile(d.BindImageFolder + img.Fname, data))
                d.BindImageUnwritten.append(img.Fname);
        }
        d.BindImage.push_back(std::move(img));
    }
    return !in.failed();
}

}  // namespace jww
