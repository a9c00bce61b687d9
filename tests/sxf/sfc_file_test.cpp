// The destination appears only complete and never in place of another file;
// a failure leaves nothing behind.
#include "sxf/sfc_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace sxf;

namespace {

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

TEST(SfcFile, WritesTheWholeFile)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("out.sfc");
    ASSERT_EQ(writeSfcFile(fn, [](SfcWriter& f) { f.writeLine(u"ISO-10303-21;"); }), SfcFileResult::Written);
    QFile file(fn);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("ISO-10303-21;\r\n"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{"out.sfc"});
}

TEST(SfcFile, WriterFailingHalfwayLeavesNoFile)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("out.sfc");
    const SfcFileResult r = writeSfcFile(fn, [](SfcWriter& f) {
        for (int i = 0; i < 20000; ++i)
            f.writeLine(u"some line of the file that goes beyond one buffer");
        throw SfcWriteError("disk full");
    });
    EXPECT_EQ(r, SfcFileResult::CannotWrite);
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

TEST(SfcFile, AnyErrorInsideTheConversionLeavesNoFile)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("out.sfc");
    EXPECT_EQ(writeSfcFile(fn,
                           [](SfcWriter& f) {
                               f.writeLine(u"x");
                               throw std::bad_alloc();
                           }),
              SfcFileResult::CannotWrite);
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

TEST(SfcFile, VanishingOutputFolderLeavesNoFile)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fn = folder + "/plan.sfc";
    EXPECT_EQ(writeSfcFile(fn,
                           [&](SfcWriter& f) {
                               f.writeLine(u"x");
                               QDir(folder).removeRecursively();
                               f.writeLine(u"y");
                           }),
              SfcFileResult::CannotWrite);
    EXPECT_FALSE(QFile::exists(fn));
    EXPECT_FALSE(QDir(folder).exists());
}

TEST(SfcFile, MissingFolderGivesFalse)
{
    QTemporaryDir dir;
    EXPECT_EQ(writeSfcFile(dir.filePath("none/out.sfc"), [](SfcWriter&) {}), SfcFileResult::CannotWrite);
    EXPECT_EQ(writeSfcFile(QString(), [](SfcWriter&) {}), SfcFileResult::CannotWrite);
}

// Another run may finish a file of the same name while this one writes: the
// finished file stays, this one's bytes are thrown away.
TEST(SfcFile, FileAppearingMeanwhileIsNeverReplaced)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("out.sfc");
    const struct {
        const char* what;
        std::function<void()> appear;
    } cases[] = {
        {"a file", [&] { QFile f(fn); ASSERT_TRUE(f.open(QIODevice::WriteOnly)); f.write("theirs"); }},
        {"a folder", [&] { ASSERT_TRUE(QDir().mkdir(fn)); }},
        {"a link to nowhere", [&] { ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), fn)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SfcFileResult r = writeSfcFile(fn, [&](SfcWriter& f) {
            f.writeLine(u"mine");
            c.appear();
        });
        EXPECT_EQ(r, SfcFileResult::DestinationExists);
        const QStringList all =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        EXPECT_EQ(all, QStringList{"out.sfc"}) << "no temporary file is left";
        const QFileInfo info(fn);
        if (info.isFile()) {
            QFile f(fn);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), QByteArray("theirs"));
        }
        if (info.isDir())
            QDir().rmdir(fn);
        else
            QFile::remove(fn);
    }
}

#ifdef Q_OS_LINUX
// While the file is written it has no name: a run killed at any moment,
// even by SIGKILL, leaves nothing in the user's folder.
TEST(SfcFile, NothingIsVisibleWhileTheFileIsWritten)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("out.sfc");
    QStringList seen;
    ASSERT_EQ(writeSfcFile(fn,
                           [&](SfcWriter& f) {
                               for (int i = 0; i < 20000; ++i)
                                   f.writeLine(u"some line of the file that goes beyond one buffer");
                               seen = filesIn(dir.path());
                           }),
              SfcFileResult::Written);
    EXPECT_EQ(seen, QStringList());
    EXPECT_EQ(filesIn(dir.path()), QStringList{"out.sfc"});
    EXPECT_EQ(QFileInfo(fn).size(), 20000 * 51);
}
#endif
