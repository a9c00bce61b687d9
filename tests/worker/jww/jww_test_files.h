// Reading drawing bytes built in a test through the file reader.
#pragma once

#include "tests/support/test_paths.h"
#include "worker/jww/jww_data.h"

#include <QByteArray>
#include <QTemporaryDir>

namespace testsupport {

// A file path in a folder that lives as long as the test program.
inline QString scratchPath(const QString& name)
{
    static QTemporaryDir dir;
    return dir.filePath(name);
}

// Writes `bytes` to a scratch file and reads it with FileIn.
inline bool readJwwBytes(jww::TJwwData& d, const QByteArray& bytes)
{
    const QString path = scratchPath(QStringLiteral("read.jww"));
    if (!writeFile(path, bytes))
        return false;
    return d.FileIn(path);
}

}  // namespace testsupport
