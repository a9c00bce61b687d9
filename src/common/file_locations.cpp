// The location rule and the per-run image folder.
#include "common/file_locations.h"

#include "common/file_ops.h"
#include "common/path_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

namespace common {

namespace {

// The folder name under the user's configuration and cache folders. Named
// for the suite rather than taken from the running program, which would
// give the worker a folder of its own.
const QString kUserFolderName = QStringLiteral("Kestrune");

QString userFolder(QStandardPaths::StandardLocation base)
{
    QString root = QStandardPaths::writableLocation(base);
    if (root.isEmpty())
        root = QDir::tempPath();  // a system that names no such folder
    return IncludeDelim(QDir::toNativeSeparators(root)) + kUserFolderName;
}

}  // namespace

bool folderIsWritable(const QString& dir)
{
#ifdef Q_OS_WIN
    // Windows reports folders such as "Program Files" as writable (Qt skips
    // the access-control lists): only creating a file tells.
    QTemporaryFile probe(IncludeDelim(dir) + QStringLiteral("kestrune-XXXXXX.tmp"));
    return probe.open();
#else
    // access(2) for the real user, which also refuses read-only file systems.
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
#endif
}

FileLocations perUserLocations()
{
    FileLocations where;
    where.settingsFile = IncludeDelim(userFolder(QStandardPaths::GenericConfigLocation)) + kSettingsFileName;
    where.imageFolder = IncludeDelim(userFolder(QStandardPaths::GenericCacheLocation));
    return where;
}

FileLocations fileLocations(const QString& programDir)
{
    if (!folderIsWritable(programDir))
        return perUserLocations();
    const QString dir = IncludeDelim(programDir);
    return {dir + kSettingsFileName, dir + QStringLiteral("TEMP") + PathDelimChar(), true};
}

RunFolder makeRunFolder(const QString& parent)
{
    if (parent.isEmpty())
        return {};
    // Another run that ends removes the parent when it is empty, possibly
    // between our making it and making our folder in it; a run that clears
    // abandoned folders may take ours before we hold it. Then try again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool madeParent = false;
        if (!DirExistsSafe(parent)) {
            if (!ForceDirsSafe(parent))
                return {};
            madeParent = true;
        }
        QTemporaryDir run(IncludeDelim(parent) + QStringLiteral("run-XXXXXX"));
        if (!run.isValid())
            continue;
        run.setAutoRemove(false);  // the run deletes what it extracted, then the folder
        const QString path = IncludeDelim(QDir::toNativeSeparators(run.path()));
        RunFolderLock lock(path);
        if (lock.held())
            return {path, std::move(lock), madeParent};
        RemoveDirSafe(path);
    }
    return {};
}

void removeAbandonedRunFolders(const QString& parent)
{
    if (!DirExistsSafe(parent))
        return;
    const QString folder = IncludeDelim(parent);
    const QStringList runs =
        QDir(folder).entryList({QStringLiteral("run-*")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : runs) {
        const QString run = folder + name + PathDelimChar();
        RunFolderLock lock(run);
        if (!lock.held())
            continue;  // its run is alive, or the folder is not ours to open
        for (const QString& file : QDir(run).entryList(QDir::Files | QDir::Hidden | QDir::System))
            QFile::remove(run + file);
        lock.release();
        RemoveDirSafe(run);
    }
}

}  // namespace common
