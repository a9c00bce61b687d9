// The destination appears only complete; a failure leaves nothing behind.
#include "worker/sfc/sfc_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sfc;

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
    ASSERT_TRUE(writeSfcFile(fn, [](SfcWriter& f) { f.writeLine(u"ISO-10303-21;"); }));
    QFile file(fn);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("ISO-10303-21;\r\n"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{"out.sfc"});
}

TEST(SfcFile, WriterFailingHalfwayLeavesNoFile)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("out.sfc");
    const bool ok = writeSfcFile(fn, [](SfcWriter& f) {
        for (int i = 0; i < 20000; ++i)
            f.writeLine(u"some line of the file that goes beyond one buffer");
        throw SfcWriteError("disk full");
    });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

TEST(SfcFile, AnyErrorInsideTheConversionLeavesNoFile)
{
    QTemporaryDir dir;
    const QString fn = dir.filePath("out.sfc");
    EXPECT_FALSE(writeSfcFile(fn, [](SfcWriter& f) {
        f.writeLine(u"x");
        throw std::bad_alloc();
    }));
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

TEST(SfcFile, VanishingOutputFolderLeavesNoFile)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fn = folder + "/plan.sfc";
    EXPECT_FALSE(writeSfcFile(fn, [&](SfcWriter& f) {
        f.writeLine(u"x");
        QDir(folder).removeRecursively();
        f.writeLine(u"y");
    }));
    EXPECT_FALSE(QFile::exists(fn));
    EXPECT_FALSE(QDir(folder).exists());
}

TEST(SfcFile, MissingFolderGivesFalse)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeSfcFile(dir.filePath("none/out.sfc"), [](SfcWriter&) {}));
    EXPECT_FALSE(writeSfcFile(QString(), [](SfcWriter&) {}));
}
