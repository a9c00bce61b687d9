// Reading drawing files: the identity check and the loading sequence.
#include "worker/jww/jww_reader.h"

#include "common/codepage.h"
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

}  // namespace

bool readJwwDrawing(TJwwData& d, QByteArrayView bytes)
{
    d.DataInit();
    // Nothing may escape the reader: a failed allocation is a failed read.
    try {
        ByteCursor in(bytes);
        if (!HeaderIn(d, in))
            return false;
        const bool ok = readBody(d, in);
        d.MakeBlockTree();
        return ok;
    } catch (...) {
        return false;
    }
}

bool TJwwData::FileCheck(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    if (head.size() < 8 || common::AnsiBytesToText(head.first(8)) != QStringLiteral("JwwData."))
        return false;
    const int32_t version = head.size() == 12 ? qFromLittleEndian<int32_t>(head.constData() + 8) : 0;
    return version >= kMinVersion && version <= kMaxVersion;
}

bool TJwwData::FileIn(const QString& path)
{
    DataInit();
    try {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        // The whole file is parsed from a copy in memory: a mapping would
        // fault if another program cut the file while it is read.
        const QByteArray bytes = file.readAll();
        file.close();
        return readJwwDrawing(*this, bytes);
    } catch (...) {
        return false;
    }
}

}  // namespace jww
