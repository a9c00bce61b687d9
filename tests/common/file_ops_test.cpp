// File operations: copies that keep times and leave nothing behind on
// failure, unique destination names, and survival of unusable paths.
#include "common/file_ops.h"

#include "common/path_names.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace common;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

class FileOpsTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

bool setTime(const QString& path, const QDateTime& t, QFileDevice::FileTime which)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(t, which);
}

}  // namespace

TEST_F(FileOpsTest, CopyKeepsBytesAndTimes)
{
    // More than two blocks, with a partial last one.
    QByteArray bytes;
    for (int i = 0; i < 3 * 4096 + 17; ++i)
        bytes.append(char(i * 7));
    const QString src = path("src.jpg");
    ASSERT_TRUE(writeFile(src, bytes));
    const QDateTime written(QDate(2001, 2, 3), QTime(4, 5, 6, 700), Qt::UTC);
    const QDateTime accessed(QDate(2002, 3, 4), QTime(5, 6, 7, 800), Qt::UTC);
    ASSERT_TRUE(setTime(src, written, QFileDevice::FileModificationTime));
    ASSERT_TRUE(setTime(src, accessed, QFileDevice::FileAccessTime));

    const QString dst = path("dst.jpg");
    ASSERT_TRUE(writeFile(dst, "older and longer content than nothing"));
    ASSERT_TRUE(CopyFileKeepTimes(src, dst));
    // Times first: reading the copy may move its access time.
    const QFileInfo info(dst);
    EXPECT_EQ(info.fileTime(QFileDevice::FileModificationTime).toUTC(), written);
    EXPECT_EQ(info.fileTime(QFileDevice::FileAccessTime).toUTC(), accessed);
    EXPECT_EQ(FileWriteTime(dst), written.toLocalTime());
    EXPECT_EQ(readFile(dst), bytes);

    ASSERT_TRUE(writeFile(path("empty"), QByteArray()));
    EXPECT_TRUE(CopyFileKeepTimes(path("empty"), path("empty2")));
    EXPECT_TRUE(FileExistsSafe(path("empty2")));
}

TEST_F(FileOpsTest, FailedCopyLeavesNoDestination)
{
    ASSERT_TRUE(writeFile(path("src"), "data"));
    EXPECT_FALSE(CopyFileKeepTimes(path("missing"), path("dst")));
    EXPECT_FALSE(FileExistsSafe(path("dst")));
    EXPECT_FALSE(CopyFileKeepTimes(path("src"), path("no/such/folder/dst")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder"));
    EXPECT_FALSE(CopyFileKeepTimes(path("src"), path("folder")));
    EXPECT_TRUE(DirExistsSafe(path("folder")));
#ifdef Q_OS_LINUX
    // Opens fine but cannot be read at offset 0: the copy fails after the
    // destination was created.
    EXPECT_FALSE(CopyFileKeepTimes(QStringLiteral("/proc/self/mem"), path("dst")));
    EXPECT_FALSE(QFileInfo::exists(path("dst")));
#endif
}

TEST_F(FileOpsTest, CopyOntoItselfKeepsTheFile)
{
    ASSERT_TRUE(writeFile(path("a.jpg"), "image"));
    EXPECT_FALSE(CopyFileKeepTimes(path("a.jpg"), path("a.jpg")));
    EXPECT_FALSE(CopyFileKeepTimes(path("a.jpg"), m_dir.path() + "/./a.jpg"));
    EXPECT_EQ(readFile(path("a.jpg")), QByteArray("image"));
}

TEST_F(FileOpsTest, UniqueFileNameCountsUpWithALowerCaseExtension)
{
    const QString plan = path("Plan.SFC");
    EXPECT_EQ(UniqueFileName(plan), plan);
    ASSERT_TRUE(writeFile(plan, "x"));
    EXPECT_EQ(UniqueFileName(plan), path("Plan~1.sfc"));
    ASSERT_TRUE(writeFile(path("Plan~1.sfc"), "x"));
    EXPECT_EQ(UniqueFileName(plan), path("Plan~2.sfc"));
    // A folder of a candidate's name is taken as well, and so is a link to
    // nowhere.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Plan~2.sfc"));
    EXPECT_EQ(UniqueFileName(plan), path("Plan~3.sfc"));
#ifdef Q_OS_UNIX
    ASSERT_TRUE(QFile::link(path("nowhere"), path("Plan~3.sfc")));
    EXPECT_TRUE(NameTaken(path("Plan~3.sfc")));
    EXPECT_FALSE(NameTaken(path("nowhere")));
    EXPECT_EQ(UniqueFileName(plan), path("Plan~4.sfc"));
#endif
    EXPECT_EQ(UniqueFileName(path("noext")), path("noext"));
    ASSERT_TRUE(writeFile(path("noext"), "x"));
    EXPECT_EQ(UniqueFileName(path("noext")), path("noext~1"));
}

TEST(FileOps, UniqueFileNameNeverReturnsATakenName)
{
    int asked = 0;
    const auto allTaken = [&asked](const QString&) {
        ++asked;
        return true;
    };
    EXPECT_EQ(UniqueFileName(QStringLiteral("d/plan.sfc"), allTaken), QString());
    EXPECT_EQ(asked, 1 + 99999);

    const auto lastFree = [](const QString& p) { return p != QStringLiteral("d/plan~99999.sfc"); };
    EXPECT_EQ(UniqueFileName(QStringLiteral("d/plan.sfc"), lastFree), QStringLiteral("d/plan~99999.sfc"));
}

TEST(FileOps, UnusablePathsFailQuietly)
{
    // Relative paths resolve in a scratch folder, so that nothing could land
    // beside the test program.
    QTemporaryDir scratch;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(scratch.path()));

    const QString source = scratch.filePath("src");
    ASSERT_TRUE(writeFile(source, "data"));
    const QString deep = QString("x/").repeated(20000);
    const QString longName = QString(100000, u'a');
    struct Case {
        const char* what;
        QString path;
        bool noParts;  // the path text functions give empty texts
    } cases[] = {
        {"empty", QString(), true},
        {"blank", QStringLiteral("  \u3000 "), true},
#ifdef Q_OS_WIN
        {"control character", QStringLiteral("bad\u0001name.sfc"), true},
#endif
        {"nul character", QStringLiteral("bad") + QChar(0) + QStringLiteral("name.sfc"), true},
        {"overlong", longName, false},
        {"overlong nested", deep, false},
        {"overlong absolute", scratch.path() + u'/' + longName + QStringLiteral(".sfc"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString& p = c.path;
        EXPECT_FALSE(FileExistsSafe(p));
        EXPECT_FALSE(DirExistsSafe(p));
        EXPECT_FALSE(ForceDirsSafe(p));
        EXPECT_FALSE(DeleteFileSafe(p));
        EXPECT_FALSE(RemoveDirSafe(p));
        EXPECT_FALSE(CopyFileKeepTimes(p, p));
        EXPECT_FALSE(CopyFileKeepTimes(source, p));
        EXPECT_EQ(FileWriteTime(p), ZeroDateTime());
        if (c.noParts) {
            EXPECT_EQ(ExtractDir(p), QString());
            EXPECT_EQ(ExtractName(p), QString());
            EXPECT_EQ(ExtractExtLower(p), QString());
            EXPECT_EQ(UniqueFileName(p), QString());
        } else {
            // Still a text that can be taken apart, and a name that is free.
            EXPECT_EQ(ExtractName(p).size() + ExtractDir(p).size(), p.size());
            EXPECT_EQ(UniqueFileName(p), p);
        }
    }
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"src"});
    QDir::setCurrent(previous);
}

// Only regular files count as existing files: a folder, a FIFO or a link to
// nowhere is something a converter must never read.
TEST(FileOps, FileExistsSafeTakesRegularFilesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath("plan.jww"), "x"));
    ASSERT_TRUE(QFile::link(dir.filePath("plan.jww"), dir.filePath("link.jww")));
    ASSERT_TRUE(QDir().mkdir(dir.filePath("folder.jww")));
    EXPECT_TRUE(FileExistsSafe(dir.filePath("plan.jww")));
    EXPECT_TRUE(FileExistsSafe(dir.filePath("link.jww")));  // a link to a file is that file
    EXPECT_FALSE(FileExistsSafe(dir.filePath("folder.jww")));
#ifdef Q_OS_UNIX
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.jww")).constData(), 0600), 0);
    EXPECT_FALSE(FileExistsSafe(dir.filePath("fifo.jww")));
    EXPECT_FALSE(FileExistsSafe(QStringLiteral("/dev/null")));
#endif
}
