// File-system operations through Qt, which reports errors by return values.
#include "common/file_ops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace common {

bool FileExistsSafe(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool DirExistsSafe(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool ForceDirsSafe(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QDir().mkpath(QFileInfo(path).absoluteFilePath());
}

bool DeleteFileSafe(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    return QFile::remove(path);
}

bool RemoveDirSafe(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
#ifdef Q_OS_WIN
    // A read-only folder cannot be removed on Windows.
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
#endif
    return QDir().rmdir(path);
}

QDateTime ZeroDateTime()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QDateTime FileWriteTime(const QString& path)
{
    if (!FileExistsSafe(path))
        return ZeroDateTime();
    const QDateTime t = QFileInfo(path).lastModified();
    return t.isValid() ? t.toLocalTime() : ZeroDateTime();
}

}  // namespace common
