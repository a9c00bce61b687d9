// Full disks, unusable image folders and settings files that cannot be
// saved, on the real programs: a run that cannot do its work fails with a
// reason and leaves everything as it was, never half a file.
#include "common/path_names.h"
#include "frontend/batch_runner.h"
#include "tests/frontend/hostile_fixture.h"
#include "tests/support/demo_drawing.h"
#include "tests/support/jww_builder.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <gtest/gtest.h>

using namespace hostile;
using frontend::kArrowPrefix;
using frontend::kFailed;
using frontend::kReasonPrefix;
using frontend::kResultPrefix;

namespace {

// The log of one file that failed for `reason`, and the summary.
QStringList failedLog(const QString& src, const QString& dst, const QString& reason)
{
    return {src, kArrowPrefix + dst, kResultPrefix + kFailed, kReasonPrefix + reason,
            QStringLiteral("1件中0件を変換しました（失敗1件）")};
}

class HostileDisk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_programs.ok()); }
    QString work(const QString& name) const { return m_programs.work() + name; }
    Programs m_programs;
};

}  // namespace

// A picture that does not fit on the output folder's disk, converted (F1) or
// copied (F2): the run fails and says which picture, and the folder holds no
// empty or cut picture, no output naming it and no temporary file.
TEST_F(HostileDisk, PictureThatDoesNotFitFailsTheRunAndLeavesNothing)
{
    REQUIRE_ROOT();
    const struct {
        const char* name;
        QString embedded;
        const char* format;
        QString target;
    } cases[] = {
        {"a PNG converted to JPEG", "photo.png", "PNG", "photo.jpg"},
        {"a JPEG copied", "scan.jpg", "JPEG", "scan.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString out = work("out");
        const Tmpfs disk(out, 1 << 20);
        ASSERT_TRUE(disk.mounted());
        const QByteArray picture = noisePicture(400, 400, c.format);
        ASSERT_GT(picture.size(), 64 * 1024);
        const QString src = work("d.jww");
        ASSERT_TRUE(testsupport::writeFile(src, drawingShowingEmbedded(c.embedded, picture)));
        // Room for the drawing's output, none for the picture.
        ASSERT_TRUE(fillUpTo(out, 48 * 1024));

        const ProgramRun r = m_programs.batch({"--out", out, src});
        EXPECT_EQ(r.status, 1) << r.errors.toStdString();
        EXPECT_EQ(r.log, failedLog(src, out + "/d.sfc", "画像ファイルを保存先に書き込めません（" + c.target + "）"));
        EXPECT_EQ(entriesOf(out), QStringList{"filler"});
    }
}

// Many small gzip bombs, each below its own bound, add up: the drawing may
// inflate only what leaves room on the image folder's disk. The run fails
// with a reason before the disk is full, and its image folder is empty.
TEST_F(HostileDisk, EmbeddedBombsStopBeforeTheImageFolderIsFull)
{
    REQUIRE_ROOT();
    const QString temp = m_programs.bin() + "TEMP";
    const Tmpfs disk(temp, 96 << 20);
    ASSERT_TRUE(disk.mounted());
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    testsupport::JwwWriteOptions options;
    const QByteArray bomb = testsupport::gzipZeros(8);
    ASSERT_LT(bomb.size(), 64 * 1024);
    for (int i = 0; i < 16; ++i) {
        const QString name = QStringLiteral("bomb%1.bmp").arg(i);
        d.BindImage.push_back({name + ".gz", static_cast<int32_t>(bomb.size()), false});
        options.imageData.push_back(bomb);
        jww::TEntJwwMoji text;
        text.end_x = 1;
        text.str = "^@BM%temp%" + name + ",10";
        testsupport::addMoji(d, text);
    }
    const QString src = work("bombs.jww");
    ASSERT_TRUE(testsupport::writeFile(src, testsupport::writeJww(d, options)));
    const QString out = work("out");
    ASSERT_TRUE(QDir().mkpath(out));

    const ProgramRun r = m_programs.batch({"--out", out, src});
    EXPECT_EQ(r.status, 1) << r.errors.toStdString();
    ASSERT_EQ(r.log.size(), 5);
    EXPECT_TRUE(r.log[3].startsWith(kReasonPrefix + "埋め込み画像を展開する空き容量が足りません（bomb")) << r.log[3].toStdString();
    EXPECT_EQ(entriesOf(out), QStringList());
    EXPECT_EQ(entriesOf(temp), QStringList());
}

// The settings file carries the user's options to the worker. A batch that
// cannot save it converts nothing and leaves it exactly as it was: the
// user's own read-only file (F10), or a file on a full disk (F11). A
// read-only file that already says what the batch would write is used.
TEST_F(HostileDisk, SettingsThatCannotBeSavedStopTheBatchAndStayAsTheyWere)
{
    REQUIRE_ROOT();
    // Permissions bind only another user than root.
    m_programs.runAs(kNobody);
    const QString out = work("out");
    const QString src = work("plan.jww");
    ASSERT_TRUE(QDir().mkpath(out));
    ASSERT_TRUE(testsupport::writeFile(src, testsupport::demoDrawingBytes()));
    const QString portable = m_programs.bin() + "Kestrune.dat";
    const QString perUser = m_programs.home() + ".config/Kestrune/Kestrune.dat";
    const QByteArray differs = "\xEF\xBB\xBF" "50\r\n50\r\n480\r\n480\r\n0\r\n0\r\n0\r\n1\r\n0\r\n/saved/\r\n";
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto dirReadOnly = readOnly | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    const QString notSaved = QStringLiteral("設定ファイルを保存できないため、変換を中止しました。 ");

    enum class Where { ReadOnlyFile, ReadOnlySameBytes, FullDisk };
    const struct {
        const char* name;
        Where where;
    } cases[] = {
        {"a read-only file of the user's", Where::ReadOnlyFile},
        {"a read-only file holding what would be written", Where::ReadOnlySameBytes},
        {"a full disk", Where::FullDisk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Tmpfs> disk;
        QString settings = portable;
        QByteArray before = differs;
        ASSERT_TRUE(QFile::setPermissions(m_programs.bin(), dirReadOnly | QFileDevice::WriteOwner));
        if (c.where == Where::FullDisk) {
            // Programs where the user may not write keep the settings in the
            // user's own folder, here on a full disk.
            settings = perUser;
            disk = std::make_unique<Tmpfs>(QFileInfo(perUser).path(), 64 * 1024);
            ASSERT_TRUE(disk->mounted());
        }
        if (c.where == Where::ReadOnlySameBytes) {
            QFile::remove(settings);
            ASSERT_TRUE(chownTree(m_programs.work(), kNobody) && chownTree(m_programs.bin(), kNobody));
            ASSERT_EQ(m_programs.batch({"--out", out, src}).status, 0);
            before = testsupport::readFile(settings);
            ASSERT_TRUE(QFile::remove(out + "/plan.sfc"));
        } else {
            ASSERT_TRUE(testsupport::writeFile(settings, before));
        }
        ASSERT_TRUE(chownTree(m_programs.work(), kNobody) && chownTree(m_programs.bin(), kNobody));
        if (c.where == Where::FullDisk) {
            ASSERT_TRUE(QFile::setPermissions(m_programs.bin(), dirReadOnly));
            ASSERT_TRUE(fillUpTo(QFileInfo(perUser).path(), 0));
        } else {
            ASSERT_TRUE(QFile::setPermissions(settings, readOnly));
        }

        const ProgramRun r = m_programs.batch({"--out", out, src});
        QFile::setPermissions(m_programs.bin(), dirReadOnly | QFileDevice::WriteOwner);
        EXPECT_EQ(testsupport::readFile(settings), before);
        if (c.where == Where::ReadOnlySameBytes) {
            EXPECT_EQ(r.status, 0) << r.errors.toStdString();
            EXPECT_EQ(entriesOf(out), QStringList{"plan.sfc"});
            QFile::remove(out + "/plan.sfc");
        } else {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.log, QStringList());
            EXPECT_TRUE(r.errors.contains(notSaved + settings)) << r.errors.toStdString();
            EXPECT_EQ(entriesOf(out), QStringList());
        }
        QFile::setPermissions(settings, readOnly | QFileDevice::WriteOwner);
        QFile::remove(settings);
    }
}

// The image folder beside the programs is a file, or is another user's that
// this one may not write (F16): the run extracts into the user's own image
// folder instead and the picture arrives; with neither usable it fails with
// a reason. An image folder of another user is never removed.
TEST_F(HostileDisk, UnusableImageFolderFallsBackOrFailsAndIsNeverTaken)
{
    REQUIRE_ROOT();
    const QString temp = m_programs.bin() + "TEMP";
    const QString userCache = m_programs.home() + ".cache/Kestrune";
    const QString out = work("out");
    const QString src = work("d.jww");
    ASSERT_TRUE(QDir().mkpath(out));
    ASSERT_TRUE(testsupport::writeFile(src, drawingShowingEmbedded("photo.png", noisePicture(30, 20, "PNG"))));
    ASSERT_TRUE(testsupport::writeFile(m_programs.bin() + "Kestrune.dat", "50\r\n"));

    enum class Temp { File, OthersFolder, OthersEmptyFolder, FileAndCacheFile };
    const struct {
        const char* name;
        Temp temp;
        bool asNobody;
        bool converted;
    } cases[] = {
        {"TEMP is a file", Temp::File, false, true},
        {"TEMP is root's, the run nobody's", Temp::OthersFolder, true, true},
        {"TEMP is nobody's, the run root's", Temp::OthersEmptyFolder, false, true},
        {"TEMP and the user's image folder are files", Temp::FileAndCacheFile, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Programs& p = m_programs;
        if (c.temp == Temp::File || c.temp == Temp::FileAndCacheFile)
            ASSERT_TRUE(testsupport::writeFile(temp, "not a folder"));
        else
            ASSERT_TRUE(QDir().mkpath(temp));
        if (c.temp == Temp::FileAndCacheFile) {
            ASSERT_TRUE(QDir().mkpath(QFileInfo(userCache).path()));
            ASSERT_TRUE(testsupport::writeFile(userCache, "not a folder"));
        }
        if (c.temp == Temp::OthersEmptyFolder) {
            ASSERT_TRUE(chownTree(temp, kNobody));
        }
        if (c.asNobody) {
            ASSERT_TRUE(chownTree(p.work(), kNobody));
            ASSERT_EQ(::chown(QFile::encodeName(p.bin()).constData(), kNobody, kNobody), 0);
            ASSERT_EQ(::chown(QFile::encodeName(p.bin() + "Kestrune.dat").constData(), kNobody, kNobody), 0);
            p.runAs(kNobody);
        }

        const ProgramRun r = p.batch({"--out", out, src});
        p.runAsSelf();
        if (c.converted) {
            EXPECT_EQ(r.status, 0) << r.errors.toStdString();
            EXPECT_EQ(entriesOf(out), (QStringList{"d.sfc", "photo.jpg"}));
            EXPECT_TRUE(testsupport::readFile(out + "/d.sfc").contains("$$photo.jpg"));
        } else {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.log, failedLog(src, out + "/d.sfc", "画像を取り出すフォルダを作れません（" + temp + "/）"));
            EXPECT_EQ(entriesOf(out), QStringList());
        }
        // What was there is there still; the user's image folder is gone
        // again when the run made it.
        EXPECT_EQ(QFileInfo(temp).isDir(), c.temp == Temp::OthersFolder || c.temp == Temp::OthersEmptyFolder);
        if (QFileInfo(temp).isDir()) {
            EXPECT_EQ(entriesOf(temp), QStringList());
        }
        EXPECT_EQ(QFileInfo::exists(userCache), c.temp == Temp::FileAndCacheFile);
        for (const QString& name : entriesOf(out))
            QFile::remove(out + "/" + name);
        QFile::remove(temp);
        QDir(temp).removeRecursively();
        QFile::remove(userCache);
    }
}
