// Reading drawing files: the identity check and the loading sequence.
#include "worker/jww/jww_reader.h"

#include "common/codepage.h"
#include "common/file_open.h"
#include "worker/jww/byte_cursor.h"
#include "worker/jww/jww_header_reader.h"
#include "worker/jww/jww_image_reader.h"
#include "worker/jww/jww_object_reader.h"

#include <QFile>
#include <QtEndian>


namespace jww {
namespace {

constexpr int kMinVersion = 220;
constexpr int kMaxVersion = 700;

// The entity list, the block definitions and, from version 700, the images.
bool readBody(TJwwData& d, ByteCursor& in)
{
    ClassTagReader tags;
    if (!readEntityList(d, in, tags) || !readBlockDefList(d, in, tags))
        return false;
    if (d.Enthd.jwVer >= 700 && (d.BindImageExp || d.BindImageExr))
        return readImageList(d, in);
    return true;
}

// Why a file that starts with `head` (its first 12 bytes, or all of a
// shorter file) is no drawing to read, or None.
JwwReadFailure headFailure(QByteArrayView head, int32_t& version)
{
    version = 0;
    if (head.isEmpty())
        return JwwReadFailure::Empty;
    if (head.size() < 8 || common::AnsiBytesToText(head.first(8)) != QStringLiteral("JwwData."))
        return JwwReadFailure::NotJww;
    // The magic is there but the file ends before its version.
    if (head.size() < 12)
        return JwwReadFailure::Damaged;
    version = qFromLittleEndian<int32_t>(head.data() + 8);
    if (version < kMinVersion || version > kMaxVersion)
        return JwwReadFailure::UnsupportedVersion;
    return JwwReadFailure::None;
}

}  // namespace

bool readJwwDrawing(TJwwData& d, QByteArrayView bytes)
{
    ByteCursor in(bytes);
    return readJwwDrawing(d, in);
}

bool readJwwDrawing(TJwwData& d, ByteCursor& in)
{
    d.DataInit();
    // Nothing may escape the reader: a failed allocation is a failed read.
    try {
        if (!HeaderIn(d, in))
            return false;
        const bool ok = readBody(d, in);
        d.MakeBlockTree();
        return ok;
    } catch (...) {
        return false;
    }
}

namespace {

// Records what the first twelve bytes of a file say is wrong with it, and
// the version it states when that version is not supported.
void noteHeadFailure(TJwwData& d, const QByteArray& head)
{
    int32_t version = 0;
    d.ReadFailure = headFailure(head, version);
    if (d.ReadFailure == JwwReadFailure::UnsupportedVersion)
        d.FailedVersion = version;
}

}  // namespace

bool TJwwData::FileCheck(const QString& path)
{
    ReadFailure = JwwReadFailure::Unreadable;
    FailedVersion = 0;
    // Opened without waiting: the path may have become a FIFO since it was
    // checked, which an ordinary open would wait on for ever.
    QFile file;
    if (!common::OpenRegularFile(file, path))
        return false;
    const QByteArray head = file.read(12);
    if (file.error() != QFileDevice::NoError)
        return false;
    noteHeadFailure(*this, head);
    return ReadFailure == JwwReadFailure::None;
}

bool TJwwData::FileIn(const QString& path)
{
    DataInit();
    ReadFailure = JwwReadFailure::Unreadable;
    FailedVersion = 0;
    try {
        QFile file;
        if (!common::OpenRegularFile(file, path, QIODevice::Unbuffered))
            return false;
        const QByteArray head = file.read(12);
        if (file.error() != QFileDevice::NoError || !file.seek(0))
            return false;
        // The file is read through the cursor's window rather than whole
        // into memory, and never mapped: a mapping would fault if another
        // program cut the file while it is read, where a short read only
        // ends the input.
        ByteCursor in(file, file.size());
        const bool ok = readJwwDrawing(*this, in);
        if (file.error() != QFileDevice::NoError)
            return false;
        noteHeadFailure(*this, head);
        if (ReadFailure == JwwReadFailure::None && !ok)
            ReadFailure = JwwReadFailure::Damaged;
        return ok;
    } catch (...) {
        ReadFailure = JwwReadFailure::Unreadable;
        return false;
    }
}

}  // namespace jww
