// The settings file: defaults, tolerant reading, the radio rule, writing.
#include "common/settings_file.h"

#include "common/codepage.h"
#include "tests/support/test_paths.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using common::SettingsFile;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

SettingsFile readText(const QByteArray& bytes, bool readJwwPath = true)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Kestrune.dat");
    EXPECT_TRUE(writeFile(path, bytes));
    SettingsFile s(QStringLiteral("/prog/"));
    EXPECT_TRUE(s.read(path, readJwwPath));
    return s;
}

}  // namespace

TEST(SettingsFile, MissingFileKeepsDefaults)
{
    SettingsFile s(QStringLiteral("/prog/"));
    EXPECT_FALSE(s.read(QStringLiteral("/nonexistent/Kestrune.dat")));
    EXPECT_EQ(s.Fm1x, 50);
    EXPECT_EQ(s.Fm1w, 480);
    EXPECT_EQ(s.outputChoice(), 0);
    EXPECT_EQ(s.lb2, QStringLiteral("/prog/"));
    EXPECT_EQ(s.Fidx, 1);
    EXPECT_EQ(s.gstyle, QStringLiteral("Windows"));
    EXPECT_TRUE(s.JwwPath.isEmpty());
    EXPECT_EQ(s.cb2 + s.cb3 + s.cb4, 0);
}

TEST(SettingsFile, ShortFileKeepsTheDefaultsOfMissingLines)
{
    const SettingsFile s = readText("10\r\n20\r\n300\r\n400\r\n");
    EXPECT_EQ(s.Fm1x, 10);
    EXPECT_EQ(s.Fm1y, 20);
    EXPECT_EQ(s.Fm1w, 300);
    EXPECT_EQ(s.Fm1h, 400);
    EXPECT_EQ(s.outputChoice(), 0);
    EXPECT_EQ(s.gstyle, QStringLiteral("Windows"));
    EXPECT_TRUE(s.JwwPath.isEmpty());  // fewer than 15 lines
}

TEST(SettingsFile, MalformedIntegersReadAsZeroNotDefault)
{
    EXPECT_EQ(readText("abc\n").Fm1x, 0);
    EXPECT_EQ(readText("\n").Fm1x, 0);
}

TEST(SettingsFile, LastTrueRadioLineWinsAndAllFalseSelectsNone)
{
    EXPECT_EQ(readText("1\n1\n1\n1\n0\nON\n0\ntrue\n0\n").outputChoice(), 3);
    EXPECT_EQ(readText("1\n1\n1\n1\n0\n0\n0\n0\n0\n").outputChoice(), -1);
}

TEST(SettingsFile, LineEndsOfEveryKindAndLinesPast20Ignored)
{
    const SettingsFile s = readText("1\r2\n3\r\n4\n0\n0\n1\n0\n0\ned\nlb1\nlb2\n2\nFusion\n/jw/\n1\n99\n3\n0\n1\n5\n");
    EXPECT_EQ(s.Fm1x, 1);
    EXPECT_EQ(s.Fm1y, 2);
    EXPECT_EQ(s.Fm1w, 3);
    EXPECT_EQ(s.Fm1h, 4);
    EXPECT_EQ(s.outputChoice(), 2);
    EXPECT_EQ(s.ed1, QStringLiteral("ed"));
    EXPECT_EQ(s.Fidx, 2);
    EXPECT_EQ(s.gstyle, QStringLiteral("Fusion"));
    EXPECT_EQ(s.JwwPath, QStringLiteral("/jw/"));
    EXPECT_EQ(s.cb2, 1);
    EXPECT_EQ(s.cb3, 99);
    EXPECT_EQ(SettingsFile::listIndex(s.cb3, 16), -1);
    EXPECT_EQ(s.cb4, 3);
    EXPECT_FALSE(s.checkOutput);
    EXPECT_EQ(s.outputFormat, 1);
}

// Files of older programs end at line 18: checking stays on for them.
TEST(SettingsFile, Line19AbsentMeansCheckOn)
{
    const QByteArray head = "50\n50\n480\n480\n1\n0\n0\n0\n0\n\n\n\n1\nWindows\n\n0\n0\n0\n";
    EXPECT_TRUE(readText(head).checkOutput);
    EXPECT_FALSE(readText(head + "0\n").checkOutput);
    EXPECT_TRUE(readText(head + "1\n").checkOutput);
}

// Files of older programs end before line 20: they convert to SFC.
TEST(SettingsFile, Line20KeepsTheOutputFormat)
{
    const QByteArray head = "50\n50\n480\n480\n1\n0\n0\n0\n0\n\n\n\n1\nWindows\n\n0\n0\n0\n1\n";
    EXPECT_EQ(readText(head).outputFormat, 0);
    EXPECT_EQ(readText(head + "2\n").outputFormat, 2);
    EXPECT_EQ(readText(head + "P21\n").outputFormat, 0);
}

TEST(SettingsFile, Line16DigitAndLetter)
{
    const QByteArray head = "50\n50\n480\n480\n1\n0\n0\n0\n0\n\n\n\n1\nWindows\n\n";
    EXPECT_EQ(readText(head + "1\n").cb2, 1);
    EXPECT_EQ(readText(head + "x\n").cb2, 0);
}

TEST(SettingsFile, FrontEndSkipsLine15)
{
    const QByteArray text = "50\n50\n480\n480\n1\n0\n0\n0\n0\n\n\n\n1\nWindows\n/from/file/\n";
    EXPECT_TRUE(readText(text, false).JwwPath.isEmpty());
    EXPECT_EQ(readText(text, true).JwwPath, QStringLiteral("/from/file/"));
}

TEST(SettingsFile, ReadsCodePage932WithoutBomAndUtf8WithBom)
{
    const QString folder = QStringLiteral("/図面/出力/");
    const QByteArray lines = "50\n50\n480\n480\n0\n0\n0\n1\n0\n";
    EXPECT_EQ(readText(lines + common::encodeCp932(folder) + "\n").ed1, folder);
    EXPECT_EQ(readText("\xEF\xBB\xBF" + lines + folder.toUtf8() + "\n").ed1, folder);
}

TEST(SettingsFile, WritesTwentyCrLfLinesWithBomAndRoundTrips)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Kestrune.dat");
    SettingsFile s(QStringLiteral("/prog/"));
    s.setOutputChoice(3);
    s.ed1 = QStringLiteral("/出力/");
    s.JwwPath = QStringLiteral("/jw/");
    s.cb3 = SettingsFile::listIndex(99, 16);
    s.checkOutput = false;
    s.outputFormat = 2;
    ASSERT_TRUE(s.write(path));

    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 20);
    EXPECT_TRUE(bytes.endsWith("\r\n-1\r\n0\r\n0\r\n2\r\n"));

    SettingsFile back;
    ASSERT_TRUE(back.read(path));
    EXPECT_EQ(back.outputChoice(), 3);
    EXPECT_EQ(back.ed1, s.ed1);
    EXPECT_EQ(back.lb2, QStringLiteral("/prog/"));
    EXPECT_EQ(back.JwwPath, s.JwwPath);
    EXPECT_EQ(back.cb3, -1);
    EXPECT_FALSE(back.checkOutput);
    EXPECT_EQ(back.outputFormat, 2);
}

TEST(SettingsFile, FailedWriteLeavesNoFile)
{
    QTemporaryDir dir;
    // A file where the folder should be: the folder cannot be made.
    ASSERT_TRUE(writeFile(dir.filePath("blocker"), "x"));
    const QString path = dir.filePath("blocker/Kestrune.dat");
    EXPECT_FALSE(SettingsFile().write(path));
    EXPECT_FALSE(QFile::exists(path));
}

// The user's configuration folder does not exist before the first save.
TEST(SettingsFile, WriteMakesMissingFolders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/Kestrune/Kestrune.dat");
    EXPECT_TRUE(SettingsFile().write(path));
    EXPECT_TRUE(SettingsFile().read(path));
}

// The file has 18 lines: only its first 64 KiB are read, so that a huge
// file (of line feeds, or one that claims a terabyte) costs neither memory
// nor time. A line that ends beyond them is not read.
TEST(SettingsFile, ReadsOnlyTheFirst64KiB)
{
    const QByteArray head = "50\n50\n480\n480\n1\n0\n0\n0\n0\n";
    const QByteArray tail = "\n\n1\nWindows\n\n1\n";  // lines 11 to 16; line 16 is 1
    const qsizetype roomForLine10 = SettingsFile::kMaxReadBytes - head.size() - tail.size();
    const struct {
        const char* name;
        qsizetype line10;
        int cb2;
    } cases[] = {
        {"line 16 ends on the last byte read", roomForLine10 - 1, 1},
        {"line 16 starts just past it", roomForLine10 + 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsFile s = readText(head + QByteArray(c.line10, 'x') + "\n" + tail);
        EXPECT_EQ(s.cb2, c.cb2);
        EXPECT_EQ(s.ed1.size(), c.line10);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("Kestrune.dat");
    ASSERT_TRUE(writeFile(path, head + "\n" + tail));
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite));
    // Past a terabyte, without a block on the disk: reading it whole would
    // ask for more memory than any machine has.
    if (!huge.resize((qint64{1} << 40) + 1))
        GTEST_SKIP() << "this file system holds no file of a terabyte";
    huge.close();
    SettingsFile s;
    ASSERT_TRUE(s.read(path));
    EXPECT_EQ(s.cb2, 1);
    EXPECT_EQ(s.gstyle, QStringLiteral("Windows"));
}

// A file that already holds what would be written is left alone: the
// user's own read-only file keeps the batch running instead of failing it.
TEST(SettingsFile, FileHoldingTheSameBytesIsNotWrittenAgain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Kestrune.dat");
    SettingsFile s(QStringLiteral("/prog/"));
    ASSERT_TRUE(s.write(path));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const QDateTime written = QFileInfo(path).lastModified();
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(s.write(path));
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(QFileInfo(path).permissions() & QFileDevice::WriteOwner, 0);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(SettingsFile, ListEntries)
{
    EXPECT_EQ(SettingsFile::colourSourceNames().size(), 2);
    EXPECT_EQ(SettingsFile::auxColourNames().size(), 16);
    EXPECT_EQ(SettingsFile::auxColourNames().at(15), QStringLiteral("darkgray"));
    ASSERT_EQ(SettingsFile::auxLineTypeNames().size(), 15);
    EXPECT_EQ(SettingsFile::auxLineTypeNames().at(12).at(0).unicode(), 0x30CB);  // katakana ニ
    EXPECT_EQ(SettingsFile::auxLineTypeNames().at(11).at(0).unicode(), 0x4E8C);  // numeral 二
}
