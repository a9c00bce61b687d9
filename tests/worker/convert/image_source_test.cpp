// Which image texts become images, where their files are found and what
// their pixel sizes are.
#include "common/path_names.h"
#include "tests/support/jww_builder.h"
#include "tests/support/test_paths.h"
#include "tests/worker/image_fixture.h"
#include "worker/convert/image_source.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace jww;
using convert::AcceptedImage;
using convert::ImagePlacing;
using testsupport::att;
using testsupport::imageText;
using testsupport::saveImage;

class ImageFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(ImageFolder, PixelSizeComesFromTheContentOfAcceptedTypes)
{
    saveImage(path("wide.png"), 200, 100, "PNG");
    saveImage(path("photo.jpg"), 30, 40, "JPEG");
    saveImage(path("scan.tif"), 7, 9, "TIFF");
    saveImage(path("old.bmp"), 5, 6, "BMP");
    saveImage(path("icon.ico"), 16, 16, "ICO");
    saveImage(path("really-png.jpg"), 11, 12, "PNG");  // the name promises nothing
    ASSERT_TRUE(testsupport::writeFile(path("notes.png"), "not a picture at all"));
    ASSERT_TRUE(testsupport::writeFile(path("empty.jpg"), ""));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.png"));
    const struct {
        const char* name;
        bool ok;
        int pw, ph;
    } cases[] = {
        {"wide.png", true, 200, 100},   {"photo.jpg", true, 30, 40},      {"scan.tif", true, 7, 9},
        {"old.bmp", true, 5, 6},        {"icon.ico", true, 16, 16},       {"really-png.jpg", true, 11, 12},
        {"notes.png", false, 0, 0},     {"empty.jpg", false, 0, 0},       {"folder.png", false, 0, 0},
        {"missing.png", false, 0, 0},
    };
    for (const auto& c : cases) {
        int32_t pw = -1, ph = -1;
        EXPECT_EQ(convert::GetImageSize(path(c.name), pw, ph), c.ok) << c.name;
        EXPECT_EQ(pw, c.pw) << c.name;
        EXPECT_EQ(ph, c.ph) << c.name;
    }
}

TEST(ImageNames, PlacingAndTargetNameFollowTheExtension)
{
    const struct {
        const char* path;
        ImagePlacing placing;
        const char* target;
    } cases[] = {
#ifdef Q_OS_WIN
        {"C:\\img\\a.png", ImagePlacing::Convert, "a.jpg"},
#else
        // Outside Windows a backslash is part of the name: no folder here.
        {"/img/a.png", ImagePlacing::Convert, "a.jpg"},    {"a\\b.png", ImagePlacing::Convert, "a\\b.jpg"},
#endif
        {"/x/Photo.JPEG", ImagePlacing::Copy, "Photo.JPEG"},
        {"scan.Tiff", ImagePlacing::Copy, "scan.Tiff"},    {"s.tif", ImagePlacing::Copy, "s.tif"},
        {"b.jpg", ImagePlacing::Copy, "b.jpg"},            {"old.BMP", ImagePlacing::Convert, "old.jpg"},
        {"anim.gif", ImagePlacing::Convert, "anim.jpg"},   {"i.ico", ImagePlacing::Convert, "i.jpg"},
        {"plan.emf", ImagePlacing::None, "plan.emf"},      {"noext", ImagePlacing::None, "noext"},
    };
    for (const auto& c : cases) {
        const QString p = QString::fromLatin1(c.path);
        EXPECT_EQ(convert::imagePlacingOf(p), c.placing) << c.path;
        EXPECT_EQ(convert::imageTargetName(p, convert::imagePlacingOf(p)), QString::fromLatin1(c.target)) << c.path;
    }
}

TEST_F(ImageFolder, TempMarkAndTheRetryBesideTheDrawing)
{
    const QString bind = common::IncludeDelim(path("bind"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("bind"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("pics"));
    saveImage(bind + "b.jpg", 8, 6, "JPEG");
    saveImage(path("pics/c.png"), 4, 4, "PNG");
    const QString drawing = path("plan.jww");
    // The mark is replaced as written: "%TEMP%" is an ordinary folder name.
    EXPECT_EQ(convert::resolveImagePath("%temp%b.jpg", bind, drawing), bind + "b.jpg");
    EXPECT_EQ(convert::resolveImagePath("%TEMP%b.jpg", bind, drawing), "%TEMP%b.jpg");
    // A relative path is found beside the drawing, whatever the current folder.
    EXPECT_EQ(convert::resolveImagePath("pics/c.png", bind, drawing), path("pics/c.png"));
    EXPECT_EQ(convert::resolveImagePath(path("pics/c.png"), bind, drawing), path("pics/c.png"));
    EXPECT_EQ(convert::resolveImagePath("pics/none.png", bind, drawing), "pics/none.png");
}

// The walk that the symbols, the placements and the files share: block
// members once per insertion, in tree order, then the top level; texts that
// are no image, name no readable image or an unaccepted type are left out
// without taking a number.
TEST_F(ImageFolder, WalkOrderAndFilters)
{
    saveImage(path("a.png"), 200, 100, "PNG");
    saveImage(path("b.jpg"), 8, 6, "JPEG");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("sub"));
    saveImage(path("sub/a.png"), 20, 10, "PNG");
    saveImage(path("c.emf"), 4, 4, "PNG");  // decodes, but its type is not accepted
    TJwwData d;
    testsupport::initDrawing(d);
    TEntJwwBlockDef def;
    def.nNumber = 1;
    def.strName = "IMG";
    testsupport::addMoji(def, imageText("^@BM" + path("b.jpg") + ",5", 0, 0, 10, 0));
    d.EntBlockDef.push_back(def);
    testsupport::addMoji(d, imageText("^@BM" + path("a.png") + ",100", 0, 0, 10, 0));
    testsupport::addMoji(d, imageText("^@BM" + path("c.emf") + ",100", 0, 0, 10, 0));
    testsupport::addMoji(d, imageText("^@BM" + path("a.png"), 0, 0, 10, 0));  // no comma: no image
    testsupport::addMoji(d, imageText("^@BM,100", 0, 0, 10, 0));  // no path
    testsupport::addMoji(d, imageText("^@BM" + path("gone.png") + ",100", 0, 0, 10, 0));
    testsupport::addMoji(d, imageText("plain text, with a comma", 0, 0, 10, 0));
    testsupport::addMoji(d, imageText("^@BM" + path("sub/a.png") + ",40", 0, 0, 10, 0));
    testsupport::addBlock(d, {att(1), 0, 0, 1, 1, 0, 1});
    testsupport::addBlock(d, {att(1), 50, 0, 1, 1, 0, 1});
    d.MakeBlockTree();

    const std::vector<AcceptedImage> images = convert::acceptedImages(d, path("plan.jww"));
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0].source, path("b.jpg"));
    EXPECT_TRUE(images[0].inBlock);
    EXPECT_EQ(images[1].source, path("b.jpg"));
    EXPECT_DOUBLE_EQ(images[1].x, 50);
    EXPECT_EQ(images[2].source, path("a.png"));
    EXPECT_FALSE(images[2].inBlock);
    EXPECT_EQ(images[2].pw, 200);
    EXPECT_EQ(images[2].ph, 100);
    EXPECT_DOUBLE_EQ(images[2].w, 100);
    EXPECT_EQ(images[2].placing, ImagePlacing::Convert);
    EXPECT_EQ(images[3].source, path("sub/a.png"));
    EXPECT_EQ(images[1].placing, ImagePlacing::Copy);
}
