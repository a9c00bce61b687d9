// Whole input files into memory.
#include "common/file_read.h"

#include "common/file_open.h"

#include <QFile>

namespace common {

ReadFailure ReadRegularFile(const QString& path, QByteArray& bytes, QString* error)
{
    bytes.clear();
    QFile file;
    if (!OpenRegularFile(file, path)) {
        // A FIFO or a folder is refused before the system would say why.
        if (error) {
            *error = QFile::exists(path) ? QStringLiteral("通常のファイルではないか、読む権限がありません")
                                         : QStringLiteral("ファイルがありません");
        }
        return ReadFailure::CannotOpen;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        bytes.clear();
        if (error)
            *error = file.errorString();
        return ReadFailure::CannotRead;
    }
    return ReadFailure::None;
}

}  // namespace common
