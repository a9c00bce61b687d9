// POSIX: an exclusive flock on the folder itself. The kernel drops it when
// the process ends, SIGKILL included, and it needs no file of its own.
#include "common/run_folder_lock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

RunFolderLock::RunFolderLock(const QString& folder)
{
    if (folder.isEmpty())
        return;
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st = {};
    // A folder removed between its making and this lock has no links left.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
        ::close(fd);
        return;
    }
    m_handle = fd;
}

void RunFolderLock::release()
{
    if (m_handle != kNone)
        ::close(static_cast<int>(m_handle));
    m_handle = kNone;
}

}  // namespace common
