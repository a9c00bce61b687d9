// The location rule: beside the programs when their folder can be written,
// in the user's own folders otherwise; and one new image folder per run.
#include "common/file_locations.h"

#include "common/path_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace common;

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

}  // namespace

TEST(FileLocations, WritableProgramFolderKeepsThePortableLayout)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString progDir = native(dir.path());
    for (const QString& given : {progDir, IncludeDelim(progDir)}) {
        SCOPED_TRACE(given.toStdString());
        const FileLocations where = fileLocations(given);
        EXPECT_TRUE(where.portable);
        EXPECT_EQ(where.settingsFile, IncludeDelim(progDir) + "Kestrune.dat");
        EXPECT_EQ(where.imageFolder, IncludeDelim(progDir) + "TEMP" + PathDelimChar());
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());  // deciding creates nothing
}

#ifndef Q_OS_WIN
// A folder that cannot be written (here one that does not exist, which binds
// root too) sends both files to the user's folders, named by the variables
// that choose them on Linux.
TEST(FileLocations, UnwritableProgramFolderUsesTheUsersFolders)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_CACHE_HOME", home.filePath("cache").toUtf8());
    const FileLocations where = fileLocations(home.filePath("no-such-folder"));
    const FileLocations user = perUserLocations();
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("XDG_CACHE_HOME", oldCache);

    EXPECT_FALSE(where.portable);
    EXPECT_EQ(where.settingsFile, home.filePath("config/Kestrune/Kestrune.dat"));
    EXPECT_EQ(where.imageFolder, home.filePath("cache/Kestrune/"));
    EXPECT_EQ(user.settingsFile, where.settingsFile);
    EXPECT_EQ(user.imageFolder, where.imageFolder);
    EXPECT_FALSE(QFileInfo::exists(home.filePath("config")));
}
#endif

TEST(FileLocations, EachRunFolderIsNewAndInsideItsParent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString parent = native(dir.filePath("a/TEMP")) + PathDelimChar();
    const RunFolder firstRun = makeRunFolder(parent);
    const RunFolder secondRun = makeRunFolder(parent);
    const QString& first = firstRun.path;
    const QString& second = secondRun.path;
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NE(first, second);
    for (const QString& run : {first, second}) {
        EXPECT_TRUE(run.startsWith(parent)) << run.toStdString();
        EXPECT_TRUE(run.endsWith(PathDelimChar()));
        EXPECT_TRUE(QDir(run).isEmpty());
    }
    EXPECT_TRUE(firstRun.madeParent);
    EXPECT_FALSE(secondRun.madeParent);
    EXPECT_TRUE(firstRun.lock.held() && secondRun.lock.held());
    EXPECT_EQ(makeRunFolder(QString()).path, QString());
    // A parent that cannot be made (a file stands in its way) gives no folder.
    const QString blocked = native(dir.filePath("file"));
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(makeRunFolder(blocked + PathDelimChar() + "TEMP").path, QString());
}

// A run killed outright leaves its folder; the next run clears every folder
// that no live run holds, files and all, and leaves a live run's alone.
TEST(FileLocations, AbandonedRunFoldersAreClearedLiveOnesKept)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString parent = native(dir.filePath("TEMP")) + PathDelimChar();
    const RunFolder live = makeRunFolder(parent);
    ASSERT_TRUE(live.lock.held());
    ASSERT_TRUE(QDir().mkpath(parent + "run-killed"));
    ASSERT_TRUE(QFile(parent + "run-killed/photo.png").open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile(live.path + "photo.png").open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir().mkpath(parent + "not-a-run"));

    removeAbandonedRunFolders(parent);
    EXPECT_FALSE(QFileInfo::exists(parent + "run-killed"));
    EXPECT_TRUE(QFileInfo::exists(live.path + "photo.png"));
    EXPECT_TRUE(QFileInfo::exists(parent + "not-a-run"));
    // Held by a live run, the folder cannot be taken by another.
    EXPECT_FALSE(RunFolderLock(live.path).held());
}
