// POSIX: rename with RENAME_NOREPLACE where Linux offers it, else a hard link
// (which fails on an existing name) followed by removing the old name.
#include "common/file_move.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

#ifdef __linux__
#include <fcntl.h>
#endif

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

}  // namespace common
