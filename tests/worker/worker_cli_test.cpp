// The worker program run as users and the front-end run it: every failure
// path ends with no new destination file, exit status 1 and one line on
// standard error saying why; nothing that was there is ever touched.
#include "tests/support/demo_drawing.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using testsupport::writeFile;

namespace {

// A folder holding a copy of the worker, optionally with a settings file,
// and a source drawing.
class WorkerRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_exe = m_dir.filePath("Ondrelle");
        ASSERT_TRUE(QFile::copy(QStringLiteral(ONDRELLE_EXE), m_exe));
        m_source = m_dir.filePath("plan.jww");
        ASSERT_TRUE(writeFile(m_source, testsupport::demoDrawingBytes()));
        m_dest = m_dir.filePath("plan.sfc");
    }

    void writeSettings()
    {
        ASSERT_TRUE(writeFile(m_dir.filePath("Kestrune.dat"), "50\r\n50\r\n480\r\n480\r\n1\r\n0\r\n0\r\n0\r\n0\r\n"));
    }

    // Runs the worker; its error output, decoded, goes to m_err.
    int run(const QStringList& args)
    {
        QProcess p;
        p.start(m_exe, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());  // the worker prints nothing
        m_err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QTemporaryDir m_dir;
    QString m_exe, m_source, m_dest, m_err;
};

}  // namespace

TEST_F(WorkerRun, ConvertsAndExitsZero)
{
    writeSettings();
    EXPECT_EQ(run({m_source, m_dest}), 0);
    EXPECT_EQ(m_err, QString());  // nor on its error output
    const QByteArray sfc = testsupport::readFile(m_dest);
    EXPECT_TRUE(sfc.startsWith("ISO-10303-21;\r\nHEADER;\r\n"));
    EXPECT_TRUE(sfc.contains("FILE_NAME('plan.sfc',\r\n"));
    EXPECT_TRUE(sfc.endsWith("ENDSEC;\r\nEND-ISO-10303-21;\r\n"));
    // Only the destination was added; the image folder was removed when empty.
    EXPECT_FALSE(QDir(m_dir.filePath("TEMP")).exists());
}

TEST_F(WorkerRun, UpperCaseExtensionConverts)
{
    writeSettings();
    const QString upper = m_dir.filePath("PLAN.JWW");
    ASSERT_TRUE(QFile::rename(m_source, upper));
    EXPECT_EQ(run({upper, m_dest}), 0);
    EXPECT_TRUE(QFile::exists(m_dest));
}

// Every refusal: exit status 1, no destination, and one line saying why.
TEST_F(WorkerRun, FailurePathsWriteNothingAndSayWhy)
{
    const QByteArray drawing = testsupport::demoDrawingBytes();
    const QString other = m_dir.filePath("plan.txt");
    ASSERT_TRUE(QFile::copy(m_source, other));
    const auto source = [this](const char* name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    };
    QByteArray v900 = drawing;
    v900[8] = char(0x84);  // version 900
    v900[9] = char(0x03);
    const QString folder = m_dir.filePath("folder.jww");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString settingsPath = QDir::toNativeSeparators(m_dir.path()) + QDir::separator() + "Kestrune.dat";
    struct Case {
        const char* name;
        bool settings;
        QStringList args;
        QString reason;
    } cases[] = {
        {"no arguments", true, {}, "使い方：Ondrelle 変換元.jww 保存先.sfc"},
        {"one argument", true, {m_source}, "使い方：Ondrelle 変換元.jww 保存先.sfc"},
        {"three arguments", true, {m_source, m_dest, m_dest}, "使い方：Ondrelle 変換元.jww 保存先.sfc"},
        {"missing settings file", false, {m_source, m_dest}, "設定ファイルがありません（" + settingsPath + "）"},
        {"missing source", true, {m_dir.filePath("none.jww"), m_dest}, "変換元のファイルがありません"},
        {"folder as source", true, {folder, m_dest}, "変換元が通常のファイルではありません"},
        {"not a .jww extension", true, {other, m_dest}, "JWWファイルではありません"},
        {"not a drawing", true, {m_exe, m_dest}, "JWWファイルではありません"},
        {"text renamed .jww", true, {source("notes.jww", "some notes\r\n"), m_dest}, "JWWファイルではありません"},
        {"empty file", true, {source("empty.jww", {}), m_dest}, "ファイルが空です"},
        {"version 900", true, {source("v900.jww", v900), m_dest}, "対応していないバージョンです（version 900）"},
        {"truncated", true, {source("cut.jww", drawing.left(drawing.size() / 2)), m_dest}, "ファイルが途中で切れています"},
        {"missing output folder", true, {m_source, m_dir.filePath("none/plan.sfc")}, "保存先に書き込めません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_dir.filePath("Kestrune.dat"));
        if (c.settings)
            writeSettings();
        EXPECT_EQ(run(c.args), 1);
        EXPECT_EQ(m_err, c.reason + u'\n');
        EXPECT_FALSE(QFile::exists(m_dest));
    }
}

TEST_F(WorkerRun, ExistingDestinationIsKeptAndNothingWritten)
{
    writeSettings();
    const QString link = m_dir.filePath("link.sfc");
    ASSERT_TRUE(QFile::link(m_dir.filePath("nowhere"), link));
    const QString folder = m_dir.filePath("folder.sfc");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(writeFile(m_dest, "precious"));
    for (const QString& dst : {m_dest, link, folder}) {
        SCOPED_TRACE(dst.toStdString());
        EXPECT_EQ(run({m_source, dst}), 1);
        EXPECT_EQ(m_err, QStringLiteral("保存先に同じ名前のファイルがあります\n"));
    }
    // Also when the source is no drawing at all.
    const QString junk = m_dir.filePath("not a drawing.jww");
    ASSERT_TRUE(writeFile(junk, "junk"));
    EXPECT_EQ(run({junk, m_dest}), 1);
    EXPECT_EQ(testsupport::readFile(m_dest), "precious");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

#ifdef Q_OS_UNIX
// A FIFO is never opened: reading it would wait for a writer for ever.
TEST_F(WorkerRun, FifoSourceFailsAtOnce)
{
    writeSettings();
    const QString fifo = m_dir.filePath("x.jww");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(run({fifo, m_dest}), 1);
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_EQ(m_err, QStringLiteral("変換元が通常のファイルではありません\n"));
    EXPECT_FALSE(QFile::exists(m_dest));
}
#endif

TEST_F(WorkerRun, UnwritableDestinationLeavesNoTemporaryFile)
{
    writeSettings();
    const QString folder = m_dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool root = QFileInfo(folder).isWritable();  // permissions do not bind root
    const int status = run({m_source, folder + "/plan.sfc"});
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (root)
        GTEST_SKIP() << "running as root: folder permissions cannot refuse the write";
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
