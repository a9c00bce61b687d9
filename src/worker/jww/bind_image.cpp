// Embedded images: the list, inflating the stored ".gz" files beside
// themselves, and deleting the files extracted for one drawing.
#include "worker/jww/jww_data.h"

#include "common/file_ops.h"
#include "common/path_names.h"
#include "worker/jww/image_names.h"

#include <QFile>

#include <zlib.h>

#include <algorithm>
#include <array>

namespace jww {
namespace {

constexpr int kGzipWindowBits = 31;  // 15-bit window, gzip header and trailer
constexpr qsizetype kChunk = 16384;

// A stored image may not inflate to more than this: enough for any picture a
// drawing shows (a photo, a scanned sheet), while a few kilobytes of crafted
// data cannot fill the disk. Real images compress far less than 256 to 1.
qint64 inflateLimit(qint64 storedSize)
{
    constexpr qint64 kFloor = qint64{64} << 20;
    constexpr qint64 kCeiling = qint64{1} << 30;
    constexpr qint64 kRatio = 256;
    return std::clamp(storedSize * kRatio, kFloor, kCeiling);
}

enum class InflateResult { Done, Damaged, TooLarge };

// Inflates the gzip stream of `source` into `target`, at most `limit` bytes.
InflateResult inflateInto(QFile& source, QFile& target, qint64 limit)
{
    z_stream zs{};
    if (inflateInit2(&zs, kGzipWindowBits) != Z_OK)
        return InflateResult::Damaged;
    std::array<unsigned char, kChunk> in{};
    std::array<unsigned char, kChunk> out{};
    qint64 written = 0;
    int rc = Z_OK;
    InflateResult result = InflateResult::Damaged;
    while (rc != Z_STREAM_END) {
        const qint64 got = source.read(reinterpret_cast<char*>(in.data()), kChunk);
        if (got <= 0)
            break;  // unreadable, or the stream ends before its trailer
        zs.next_in = in.data();
        zs.avail_in = static_cast<uInt>(got);
        do {
            zs.next_out = out.data();
            zs.avail_out = static_cast<uInt>(kChunk);
            rc = inflate(&zs, Z_NO_FLUSH);
            if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
                break;
            const qint64 n = kChunk - zs.avail_out;
            if (written + n > limit) {
                result = InflateResult::TooLarge;
                rc = Z_DATA_ERROR;
                break;
            }
            if (n > 0 && target.write(reinterpret_cast<const char*>(out.data()), n) != n) {
                rc = Z_ERRNO;
                break;
            }
            written += n;
        } while (zs.avail_out == 0 && rc != Z_STREAM_END);
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
            break;
    }
    inflateEnd(&zs);
    return rc == Z_STREAM_END ? InflateResult::Done : result;
}

// Inflates `stored` (a file in the image folder) to `inflated`. A damaged
// stream leaves what was inflated before the damage; a stream that inflates
// beyond the limit leaves nothing, since a cut image would pass downstream
// for the whole picture.
void explodeOne(const QString& stored, const QString& inflated)
{
    QFile source(stored);
    if (!source.open(QIODevice::ReadOnly))
        return;
    QFile target(inflated);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const InflateResult result = inflateInto(source, target, inflateLimit(source.size()));
    target.close();
    if (result == InflateResult::TooLarge)
        target.remove();
}

}  // namespace

void TJwwData::BindImageInit()
{
    BindImage.clear();
}

void TJwwData::BindImageExplode()
{
    if (BindImageFolder.isEmpty())
        return;
    for (const TBindImageType& img : BindImage) {
        if (!isGzImageName(img.Fname) || !isPlainImageName(img.Fname))
            continue;
        const QString inflatedName = common::ReplaceExt(img.Fname, u"");
        const QString stored = BindImageFolder + img.Fname;
        if (!isPlainImageName(inflatedName) || !common::FileExistsSafe(stored))
            continue;
        explodeOne(stored, BindImageFolder + inflatedName);
    }
}

// Only plain names are ever extracted, so only they are ever deleted: a
// stored name must not reach a file outside the image folder.
void TJwwData::BindImageDeleteGzFile()
{
    if (BindImageFolder.isEmpty())
        return;
    for (const TBindImageType& img : BindImage) {
        if (isGzImageName(img.Fname) && isPlainImageName(img.Fname))
            common::DeleteFileSafe(BindImageFolder + img.Fname);
    }
}

void TJwwData::BindImageDeleteNonGzFile()
{
    if (BindImageFolder.isEmpty())
        return;
    for (const TBindImageType& img : BindImage) {
        const QString name = isGzImageName(img.Fname) ? common::ReplaceExt(img.Fname, u"") : img.Fname;
        if (isPlainImageName(name))
            common::DeleteFileSafe(BindImageFolder + name);
    }
}

}  // namespace jww
