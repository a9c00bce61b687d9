// Reading drawing files: the identity check and the loading sequence.
#include "worker/jww/jww_data.h"

#include "common/codepage.h"

#include <QFile>
#include <QtEndian>

namespace jww {
namespace {

constexpr int kMinVersion = 220;
constexpr int kMaxVersion = 700;

}  // namespace

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
    // The header, tables and entity stream are read by the drawing reader;
    // until it exists a drawing loads as an empty one.
    DataInit();
    return FileCheck(path);
}

}  // namespace jww
