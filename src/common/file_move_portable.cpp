// POSIX: rename with RENAME_NOREPLACE where Linux offers it, else a hard link
// (which fails on an existing name) followed by removing the old name.
// Linux makes files without a name with O_TMPFILE and names them with
// linkat; other systems have no such files.
#include "common/file_move.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace common {
namespace {

MoveResult linkThenUnlink(const QByteArray& from, const QByteArray& to)
{
    if (::link(from.constData(), to.constData()) != 0)
        return errno == EEXIST ? MoveResult::DestinationExists : MoveResult::Failed;
    // The file now has both names; losing the old one is what a rename does.
    // Should that fail, the file still stands complete under its new name.
    ::unlink(from.constData());
    return MoveResult::Moved;
}

}  // namespace

MoveResult MoveFileNoReplace(const QString& from, const QString& to)
{
    if (from.isEmpty() || to.isEmpty())
        return MoveResult::Failed;
    const QByteArray f = QFile::encodeName(from);
    const QByteArray t = QFile::encodeName(to);
#if defined(__linux__) && defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return MoveResult::Moved;
    if (errno == EEXIST)
        return MoveResult::DestinationExists;
    // Older kernels and some file systems do not know the flag.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return MoveResult::Failed;
#endif
    return linkThenUnlink(f, t);
}

bool MoveFileReplacing(const QString& from, const QString& to)
{
    if (from.isEmpty() || to.isEmpty())
        return false;
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

int OpenUnnamedFile(const QString& folder)
{
#if defined(__linux__) && defined(O_TMPFILE)
    if (folder.isEmpty())
        return -1;
    // File systems without the flag refuse it (EOPNOTSUPP, or EISDIR on
    // kernels that predate it); the caller then names a temporary file.
    return ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)folder;
    return -1;
#endif
}

MoveResult NameUnnamedFile(int handle, const QString& to)
{
#if defined(__linux__) && defined(O_TMPFILE)
    if (handle < 0 || to.isEmpty())
        return MoveResult::Failed;
    const QByteArray t = QFile::encodeName(to);
    // Naming a file by its handle alone takes a privilege; through the
    // process's own file table it takes none.
    if (::linkat(handle, "", AT_FDCWD, t.constData(), AT_EMPTY_PATH) == 0)
        return MoveResult::Moved;
    if (errno == EEXIST)
        return MoveResult::DestinationExists;
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", handle);
    if (::linkat(AT_FDCWD, self, AT_FDCWD, t.constData(), AT_SYMLINK_FOLLOW) == 0)
        return MoveResult::Moved;
    return errno == EEXIST ? MoveResult::DestinationExists : MoveResult::Failed;
#else
    (void)handle;
    (void)to;
    return MoveResult::Failed;
#endif
}

void CloseUnnamedFile(int handle)
{
    if (handle >= 0)
        ::close(handle);
}

}  // namespace common
