// POSIX: open with O_NONBLOCK, which returns at once for a FIFO, look at what
// was opened with fstat, and only then take the handle for reading (without
// O_NONBLOCK, so that a slow disk is waited for as usual).
#include "common/file_open.h"

#include "common/path_names.h"
#include "common/text_slice.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

bool OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode extra)
{
    if (file.isOpen())
        file.close();
    if (IsBlank(path) || IsInvalidPath(path))
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st = {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0
        || !file.open(fd, QIODevice::ReadOnly | extra, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

}  // namespace common
