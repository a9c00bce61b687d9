// Windows: a path in the file system never names a pipe (those live under
// \\.\pipe\), so opening does not wait; what was opened is still checked to
// be a file, not a folder or a device such as CON.
#include "common/file_open.h"

#include "common/path_names.h"
#include "common/text_slice.h"

#include <QFileInfo>

namespace common {

bool OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode extra)
{
    if (file.isOpen())
        file.close();
    if (IsBlank(path) || IsInvalidPath(path) || !QFileInfo(path).isFile())
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly | extra);
}

}  // namespace common
