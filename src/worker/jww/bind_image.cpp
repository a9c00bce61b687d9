// Embedded images: the list, inflating the stored ".gz" files beside
// themselves, and deleting the files extracted for one drawing.
#include "worker/jww/jww_data.h"

#include "common/file_open.h"
#include "common/file_ops.h"
#include "common/interrupt_cleanup.h"
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

enum class InflateResult { Done, Damaged, TooLarge, OverBudget, CannotWrite };

// How far `target` may grow: the image's own bound and what is left of the
// budget of all images. Going beyond the first is the image's fault, beyond
// the second the drawing's.
struct InflateLimits {
    qint64 own = 0;
    qint64 budget = 0;
};

// Inflates the gzip stream of `source` into `target` within `limits`;
// `written` receives the number of bytes written.
InflateResult inflateInto(QFile& source, QFile& target, InflateLimits limits, qint64& written)
{
    z_stream zs{};
    if (inflateInit2(&zs, kGzipWindowBits) != Z_OK)
        return InflateResult::Damaged;
    std::array<unsigned char, kChunk> in{};
    std::array<unsigned char, kChunk> out{};
    written = 0;
    int rc = Z_OK;
    InflateResult result = InflateResult::Damaged;
    while (rc != Z_STREAM_END) {
        const qint64 got = source.read(reinterpret_cast<char*>(in.data()), kChunk);
        if (got < 0)
            result = InflateResult::CannotWrite;
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
            if (written + n > limits.own || written + n > limits.budget) {
                result = written + n > limits.own ? InflateResult::TooLarge : InflateResult::OverBudget;
                rc = Z_DATA_ERROR;
                break;
            }
            if (n > 0 && target.write(reinterpret_cast<const char*>(out.data()), n) != n) {
                result = InflateResult::CannotWrite;
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

// Inflates `stored` (a file in the image folder) to `inflated`, within what
// is left of the budget; `used` receives the bytes inflated. A damaged
// stream leaves what was inflated before the damage. A stream that inflates
// beyond a bound, and a file that cannot be written whole, leave nothing:
// a cut image would pass downstream for the whole picture.
InflateResult explodeOne(const QString& stored, const QString& inflated, qint64 budget, qint64& used)
{
    used = 0;
    QFile source(stored);
    if (!common::OpenRegularFile(source, stored))
        return InflateResult::CannotWrite;
    QFile target(inflated);
    // The file is ours until tear-down, and so it is if a signal stops us.
    common::removeFileOnInterrupt(inflated);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return InflateResult::CannotWrite;
    InflateResult result = inflateInto(source, target, {inflateLimit(source.size()), budget}, used);
    const bool flushed = target.flush();
    target.close();
    if (result != InflateResult::TooLarge && (!flushed || target.error() != QFileDevice::NoError))
        result = InflateResult::CannotWrite;
    if (result == InflateResult::TooLarge || result == InflateResult::OverBudget
        || result == InflateResult::CannotWrite) {
        target.remove();
        common::keepFileOnInterrupt(inflated);
    }
    return result;
}

// An extracted file goes, and with it the duty to remove it at a signal.
void deleteImageFile(const QString& path)
{
    common::DeleteFileSafe(path);
    common::keepFileOnInterrupt(path);
}

}  // namespace

void TJwwData::BindImageInit()
{
    BindImage.clear();
    BindImageUnwritten.clear();
}

BindImageResult TJwwData::BindImageExplode(const QSet<QString>* shown, qint64 budget)
{
    if (BindImageFolder.isEmpty())
        return {};
    qint64 left = budget;
    for (const TBindImageType& img : BindImage) {
        if (!isGzImageName(img.Fname) || !isPlainImageName(img.Fname))
            continue;
        const QString inflatedName = common::ReplaceExt(img.Fname, u"");
        const QString stored = BindImageFolder + img.Fname;
        if (!isPlainImageName(inflatedName) || (shown && !shown->contains(inflatedName))
            || !common::FileExistsSafe(stored))
            continue;
        qint64 used = 0;
        const InflateResult result = explodeOne(stored, BindImageFolder + inflatedName, left, used);
        left -= used;
        if (result == InflateResult::OverBudget)
            return {BindImageResult::Status::OverBudget, inflatedName};
        if (result == InflateResult::CannotWrite)
            return {BindImageResult::Status::CannotWrite, inflatedName};
    }
    return {};
}

// Only plain names are ever extracted, so only they are ever deleted: a
// stored name must not reach a file outside the image folder.
void TJwwData::BindImageDeleteGzFile()
{
    if (BindImageFolder.isEmpty())
        return;
    for (const TBindImageType& img : BindImage) {
        if (isGzImageName(img.Fname) && isPlainImageName(img.Fname))
            deleteImageFile(BindImageFolder + img.Fname);
    }
}

void TJwwData::BindImageDeleteNonGzFile()
{
    if (BindImageFolder.isEmpty())
        return;
    for (const TBindImageType& img : BindImage) {
        const QString name = isGzImageName(img.Fname) ? common::ReplaceExt(img.Fname, u"") : img.Fname;
        if (isPlainImageName(name))
            deleteImageFile(BindImageFolder + name);
    }
}

}  // namespace jww
