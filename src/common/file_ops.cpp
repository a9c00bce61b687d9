// File-system operations through Qt, which reports errors by return values.
#include "common/file_ops.h"

#include "common/file_open.h"
#include "common/number_text.h"
#include "common/path_names.h"
#include "common/text_slice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace common {
namespace {

constexpr qint64 kCopyBlock = 4096;
constexpr int kMaxUniqueSuffix = 99999;

// A blank path would name the current folder or a file of blanks, and a
// control character is invalid on Windows: both fail on every platform alike
// instead of touching the file system.
bool unusable(const QString& path)
{
    return IsBlank(path) || IsInvalidPath(path);
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool copyBlocks(QFile& in, QFile& out)
{
    char block[kCopyBlock];
    for (;;) {
        const qint64 n = in.read(block, kCopyBlock);
        if (n <= 0)
            return n == 0;
        if (out.write(block, n) != n)
            return false;
    }
}

struct FileTimes {
    QDateTime access, write, birth;
};

FileTimes readTimes(const QString& path)
{
    const QFileInfo info(path);
    return {info.fileTime(QFileDevice::FileAccessTime), info.fileTime(QFileDevice::FileModificationTime),
            info.fileTime(QFileDevice::FileBirthTime)};
}

bool setTimes(QFile& out, const FileTimes& times)
{
    bool ok = out.setFileTime(times.access, QFileDevice::FileAccessTime)
              && out.setFileTime(times.write, QFileDevice::FileModificationTime);
#ifdef Q_OS_WIN
    // Only Windows lets a program set the creation time.
    ok = ok && out.setFileTime(times.birth, QFileDevice::FileBirthTime);
#endif
    return ok;
}

}  // namespace

bool FileExistsSafe(const QString& path)
{
    if (unusable(path))
        return false;
    // isFile() holds for regular files only (and links to them).
    return QFileInfo(path).isFile();
}

bool NameTaken(const QString& path)
{
    if (unusable(path))
        return false;
    // exists() follows links: a link to nowhere answers false, isSymLink()
    // tells of the link itself.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool DirExistsSafe(const QString& path)
{
    return !unusable(path) && QFileInfo(path).isDir();
}

bool ForceDirsSafe(const QString& path)
{
    if (unusable(path))
        return false;
    return QDir().mkpath(QFileInfo(path).absoluteFilePath());
}

bool DeleteFileSafe(const QString& path)
{
    if (unusable(path) || QFileInfo(path).isDir())
        return false;
    return QFile::remove(path);
}

bool RemoveDirSafe(const QString& path)
{
    if (unusable(path) || !QFileInfo(path).isDir())
        return false;
#ifdef Q_OS_WIN
    // A read-only folder cannot be removed on Windows.
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
#endif
    return QDir().rmdir(path);
}

bool CopyFileKeepTimes(const QString& source, const QString& destination)
{
    if (!FileExistsSafe(source) || unusable(destination) || DirExistsSafe(destination))
        return false;
    // Opening the destination would empty the source before it is read.
    if (sameFile(source, destination))
        return false;
    // Read before copying: reading the source may move its access time.
    const FileTimes times = readTimes(source);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    // Times go on last: writing would change them again.
    const bool ok = copyBlocks(in, out) && setTimes(out, times);
    out.close();
    if (!ok || out.error() != QFileDevice::NoError) {
        QFile::remove(destination);
        return false;
    }
    return true;
}

bool CopyFileKeepTimes(const QString& source, QFile& destination)
{
    if (!destination.isOpen())
        return false;
    const FileTimes times = readTimes(source);
    QFile in;
    if (!OpenRegularFile(in, source, QIODevice::Unbuffered))
        return false;
    // The bytes must be down before the times are set: a later write would
    // move them again.
    return copyBlocks(in, destination) && destination.flush() && setTimes(destination, times);
}

QString UniqueFileName(const QString& path, const std::function<bool(const QString&)>& isTaken)
{
    if (unusable(path))
        return {};
    if (!isTaken(path))
        return path;
    const QString base = ReplaceExt(path, u"");
    const QString ext = ExtractExtLower(path);
    for (int i = 1; i <= kMaxUniqueSuffix; ++i) {
        const QString candidate = base + u'~' + IntText(i) + ext;
        if (!isTaken(candidate))
            return candidate;
    }
    return {};
}

QString UniqueFileName(const QString& path)
{
    // A folder of that name is taken as well, and so is a link to nowhere:
    // no new file could get that name.
    return UniqueFileName(path, NameTaken);
}

qint64 freeBytes(const QString& path)
{
    if (unusable(path))
        return -1;
    const QStorageInfo storage(path);
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
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
