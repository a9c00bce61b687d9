// The worker program run as users and the front-end run it: every failure
// path ends with no destination file and exit status 1.
#include "tests/support/demo_drawing.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

    int run(const QStringList& args)
    {
        QProcess p;
        p.start(m_exe, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());  // the worker prints nothing
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QTemporaryDir m_dir;
    QString m_exe, m_source, m_dest;
};

}  // namespace

TEST_F(WorkerRun, ConvertsAndExitsZero)
{
    writeSettings();
    EXPECT_EQ(run({m_source, m_dest}), 0);
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

TEST_F(WorkerRun, FailurePathsWriteNothing)
{
    const QString other = m_dir.filePath("plan.txt");
    ASSERT_TRUE(QFile::copy(m_source, other));
    struct Case {
        const char* name;
        bool settings;
        QStringList args;
    } cases[] = {
        {"no arguments", true, {}},
        {"one argument", true, {m_source}},
        {"three arguments", true, {m_source, m_dest, m_dest}},
        {"missing settings file", false, {m_source, m_dest}},
        {"missing source", true, {m_dir.filePath("none.jww"), m_dest}},
        {"not a .jww extension", true, {other, m_dest}},
        {"not a drawing", true, {m_exe, m_dest}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_dir.filePath("Kestrune.dat"));
        if (c.settings)
            writeSettings();
        EXPECT_EQ(run(c.args), 1);
        EXPECT_FALSE(QFile::exists(m_dest));
    }
}

TEST_F(WorkerRun, ExistingDestinationIsDeletedAndNothingWritten)
{
    writeSettings();
    ASSERT_TRUE(writeFile(m_dest, "old"));
    EXPECT_EQ(run({m_source, m_dest}), 1);
    EXPECT_FALSE(QFile::exists(m_dest));
}

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

// Help and version answer without a display and without touching the
// program folder; any other single argument is still a failed conversion.
TEST_F(WorkerRun, HelpAndVersionPrintAndExitZero)
{
    const struct {
        const char* arg;
        const char* starts;
    } cases[] = {
        {"--version", "Ondrelle 1.10\n"},
        {"--help", "Ondrelle 1.10: "},
        {"-h", "Ondrelle 1.10: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arg);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "no-such-platform");
        env.remove("DISPLAY");
        p.setProcessEnvironment(env);
        p.start(m_exe, {QString::fromLatin1(c.arg)});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(out.startsWith(c.starts)) << out.toStdString();
        if (QByteArrayView(c.arg) != "--version") {
            EXPECT_TRUE(out.contains("usage: Ondrelle SOURCE.jww DESTINATION.sfc"));
            EXPECT_TRUE(out.contains(m_dir.filePath("Kestrune.dat"))) << out.toStdString();
        }
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 2);  // worker, drawing
    EXPECT_EQ(run({"--verbose"}), 1);
}
