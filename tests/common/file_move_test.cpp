// Putting a file into place never replaces what is already there.
#include "common/file_move.h"

#include "tests/support/test_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace common;
using testsupport::readFile;
using testsupport::writeFile;

TEST(FileMove, MovesOnlyOntoAFreeName)
{
    QTemporaryDir dir;
    const QString from = dir.filePath("from.tmp");
    const QString to = dir.filePath("plan.sfc");
    ASSERT_TRUE(writeFile(from, "mine"));
    ASSERT_EQ(MoveFileNoReplace(from, to), MoveResult::Moved);
    EXPECT_EQ(readFile(to), "mine");
    EXPECT_FALSE(QFile::exists(from));

    const QString folder = dir.filePath("folder.sfc");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString link = dir.filePath("link.sfc");
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), link));
    for (const QString& taken : {to, folder, link}) {
        SCOPED_TRACE(taken.toStdString());
        ASSERT_TRUE(writeFile(from, "second"));
        EXPECT_EQ(MoveFileNoReplace(from, taken), MoveResult::DestinationExists);
        EXPECT_EQ(readFile(from), "second");
    }
    EXPECT_EQ(readFile(to), "mine");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    EXPECT_EQ(MoveFileNoReplace(dir.filePath("missing"), dir.filePath("free.sfc")), MoveResult::Failed);
    EXPECT_EQ(MoveFileNoReplace(from, dir.filePath("no/such/folder.sfc")), MoveResult::Failed);
    EXPECT_EQ(MoveFileNoReplace(QString(), to), MoveResult::Failed);
    EXPECT_FALSE(QFile::exists(dir.filePath("free.sfc")));
}
