// Whole input files into memory.
#include "common/file_read.h"

#include "common/file_open.h"

#include <QFile>

namespace common {

QString OpenFailureReason(const QString& path)
{
    // A FIFO or a folder is refused before the system would say why.
    return QFile::exists(path) ? QStringLiteral("通常のファイルではないか、読む権限がありません")
                               : QStringLiteral("ファイルがありません");
}

ReadFailure ReadRegularFile(const QString& path, QByteArray& bytes, QString* error)
{
    bytes.clear();
    QFile file;
    if (!OpenRegularFile(file, path)) {
        if (error)
            *error = OpenFailureReason(path);
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
