// Images in the SFC output and beside it: the frames and symbols, their
// placements, and the image files copied or converted into the output folder.
#include "common/geometry.h"
#include "common/path_names.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_paths.h"
#include "tests/worker/image_fixture.h"
#include "worker/convert/image_converter.h"
#include "worker/convert/image_source.h"
#include "worker/image_files.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

using namespace jww;
using testsupport::att;
using testsupport::imageText;
using testsupport::saveImage;
using testsupport::Converted;
using testsupport::featureLines;
using testsupport::withName;

// The records of `feature` that belong to images: the drawing's background
// symbol, written for every drawing, is left out.
QStringList imageRecords(const QStringList& lines, const char* feature)
{
    QStringList out;
    for (const QString& line : withName(lines, feature)) {
        if (!line.contains(QString::fromUtf8("$$背景色$$"))
            && !line.contains(QStringLiteral("(10.000000,30.000000,30.000000,10.000000,10.000000)")))
            out.append(line);
    }
    return out;
}

// A 1 x 1 GIF whose one pixel is transparent (Qt reads GIF but cannot write it).
const QByteArray kTransparentGif = QByteArray::fromHex(
    "47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");

// The files in `dir`, sorted.
QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class Images : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_in.isValid());
        ASSERT_TRUE(m_out.isValid());
        testsupport::initDrawing(m_d);
    }
    QString in(const QString& name) const { return m_in.filePath(name); }
    QString outDir() const { return common::IncludeDelim(m_out.path()); }
    std::vector<convert::AcceptedImage> images() const
    {
        return convert::acceptedImages(m_d, in("plan.jww"));
    }
    Converted convert()
    {
        m_d.MakeBlockTree();
        return testsupport::convertInMemory(m_d, 0, 0, 0, true, images());
    }

    QTemporaryDir m_in, m_out;
    TJwwData m_d;
};

}  // namespace

TEST(ImageSymbolName, CarriesTheNumberAndTheFileName)
{
    EXPECT_EQ(convert::imageSymbolName(1, "photo.jpg"), QString::fromUtf8("$$ATRU$$101$$画像1$$画像$$photo.jpg"));
    EXPECT_EQ(convert::imageSymbolName(12, "b.jpg"), QString::fromUtf8("$$ATRU$$112$$画像12$$画像$$b.jpg"));
}

// A 200 x 100 picture shown 100 wide: a frame 100 by 50 at the text's start,
// moved to the sheet centre (A3: 420 x 297), named with the JPEG it becomes,
// and placed once at the origin.
TEST_F(Images, TopLevelFrameSymbolAndPlacement)
{
    saveImage(in("a.png"), 200, 100, "PNG");
    testsupport::addMoji(m_d, imageText("^@BM" + in("a.png") + ",100", 10, 20, 30, 20, att(1, 1, 3)));
    const Converted c = convert();
    testsupport::expectWellFormed(c);
    const QStringList lines = featureLines(c.text);
    EXPECT_EQ(imageRecords(lines, "polyline_feature"),
              QStringList{"polyline_feature('2','1','1','1','5','(220.000000,220.000000,320.000000,320.000000,220.000000)',"
                          "'(168.500000,218.500000,218.500000,168.500000,168.500000)')"});
    const QString name = QString::fromUtf8("$$ATRU$$101$$画像1$$画像$$a.jpg");
    EXPECT_EQ(imageRecords(lines, "sfig_org_feature"), QStringList{"sfig_org_feature(\\'" + name + "\\','3')"});
    EXPECT_EQ(imageRecords(lines, "sfig_locate_feature"),
              QStringList{"sfig_locate_feature('0',\\'" + name
                          + "\\','0.000000','0.000000','0.00000000000000','1.00000000000000','1.00000000000000')"});
    // The frame's layer exists although the image text is its only entity.
    EXPECT_EQ(withName(lines, "layer_feature").size(), 2);
}

// A block member is mapped through its insertion: inserted at (100, 50),
// turned 90 degrees and doubled, a 20 x 10 picture shown 10 wide becomes a
// frame 20 long upwards and 10 wide to the left. Each insertion gives its own
// symbol; the insertion's layer is used unless its bit 0x40 keeps the
// member's own.
TEST_F(Images, BlockMemberOncePerInsertionThroughItsTransform)
{
    saveImage(in("s.png"), 20, 10, "PNG");
    TEntJwwBlockDef def;
    def.nNumber = 1;
    def.strName = "PIC";
    testsupport::addMoji(def, imageText("^@BM" + in("s.png") + ",10", 1, 2, 2, 2, att(1, 1, 5)));
    m_d.EntBlockDef.push_back(def);
    testsupport::addBlock(m_d, {att(1, 1, 4), 100, 50, 2, 2, common::kPi / 2, 1});
    TEntJwwAttr keepMember = att(1, 1, 4);
    keepMember.nPenStyle |= 0x40;
    testsupport::addBlock(m_d, {keepMember, 0, 0, 1, 1, 0, 1});
    const Converted c = convert();
    testsupport::expectWellFormed(c);
    const QStringList lines = featureLines(c.text);
    const QStringList layers = withName(lines, "layer_feature");
    const auto layerNo = [&](const char* name) {
        return QString::number(layers.indexOf("layer_feature(\\'" + QString::fromLatin1(name) + "\\','1')") + 1);
    };
    const QStringList frames = imageRecords(lines, "polyline_feature");
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0], "polyline_feature('" + layerNo("_0_4_")
                             + "','1','1','1','5','(306.000000,296.000000,296.000000,306.000000,306.000000)',"
                               "'(200.500000,200.500000,220.500000,220.500000,200.500000)')");
    EXPECT_EQ(frames[1], "polyline_feature('" + layerNo("_0_5_")
                             + "','1','1','1','5','(211.000000,211.000000,221.000000,221.000000,211.000000)',"
                               "'(150.500000,155.500000,155.500000,150.500000,150.500000)')");
    const QStringList symbols = withName(lines, "sfig_org_feature");
    EXPECT_TRUE(symbols.contains(QString::fromUtf8("sfig_org_feature(\\'$$ATRU$$101$$画像1$$画像$$s.jpg\\','3')")));
    EXPECT_TRUE(symbols.contains(QString::fromUtf8("sfig_org_feature(\\'$$ATRU$$102$$画像2$$画像$$s.jpg\\','3')")));
}

// Symbols of which nothing was written are left out with their placements:
// a block holding only an image text, and the part of a scaled layer group
// holding only image texts. The images themselves are still placed.
TEST_F(Images, SymbolsWithoutMembersAreNotWritten)
{
    saveImage(in("s.png"), 20, 10, "PNG");
    m_d.EntLgrp[2].adScale = 50;
    TEntJwwBlockDef def;
    def.nNumber = 1;
    def.strName = "ONLYPIC";
    testsupport::addMoji(def, imageText("^@BM" + in("s.png") + ",10", 0, 0, 1, 0));
    m_d.EntBlockDef.push_back(def);
    testsupport::addBlock(m_d, {att(1), 0, 0, 1, 1, 0, 1});
    testsupport::addMoji(m_d, imageText("^@BM" + in("s.png") + ",10", 0, 0, 1, 0, att(1, 1, 2, 2)));
    const Converted c = convert();
    testsupport::expectWellFormed(c);
    const QStringList lines = featureLines(c.text);
    const QStringList symbols = imageRecords(lines, "sfig_org_feature");
    EXPECT_EQ(symbols.size(), 2);
    for (const QString& s : symbols)
        EXPECT_TRUE(s.contains(QString::fromUtf8("$$画像$$s.jpg"))) << s.toStdString();
    const QStringList placements = imageRecords(lines, "sfig_locate_feature");
    EXPECT_EQ(placements.size(), 2);
    for (const QString& s : placements)
        EXPECT_TRUE(s.contains(QString::fromUtf8("$$画像$$s.jpg"))) << s.toStdString();
    EXPECT_EQ(imageRecords(lines, "polyline_feature").size(), 2);
    // No other symbol or placement than these and the background's.
    EXPECT_EQ(withName(lines, "sfig_org_feature").size(), symbols.size() + 1);
    EXPECT_EQ(withName(lines, "sfig_locate_feature").size(), placements.size() + 1);
}

// The files beside the output: TIFF and JPEG copied with their times, the
// other types converted to JPEG; a file already at the target is kept, so
// of two images with one name only the first arrives; nothing else is left.
TEST_F(Images, FilesAreCopiedOrConvertedNeverReplaced)
{
    ASSERT_TRUE(QDir(m_in.path()).mkpath("x"));
    ASSERT_TRUE(QDir(m_in.path()).mkpath("y"));
    saveImage(in("a.png"), 200, 100, "PNG");
    saveImage(in("x/b.jpg"), 8, 6, "JPEG");
    saveImage(in("y/b.jpg"), 9, 9, "JPEG");
    saveImage(in("t.tif"), 3, 3, "TIFF");
    ASSERT_TRUE(testsupport::writeFile(in("g.gif"), kTransparentGif));
    saveImage(in("mine.png"), 5, 5, "PNG");
    const QDateTime old(QDate(2020, 5, 6), QTime(7, 8, 9));
    {
        QFile f(in("x/b.jpg"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(testsupport::writeFile(outDir() + "mine.jpg", "the user's own file"));
    for (const char* name : {"a.png", "x/b.jpg", "y/b.jpg", "t.tif", "g.gif", "mine.png"})
        testsupport::addMoji(m_d, imageText("^@BM" + in(name) + ",10", 0, 0, 1, 0));
    const std::vector<convert::AcceptedImage> found = images();
    ASSERT_EQ(found.size(), 6u);
    worker::placeImageFiles(found, outDir() + "plan.sfc");

    EXPECT_EQ(filesIn(outDir()), (QStringList{"a.jpg", "b.jpg", "g.jpg", "mine.jpg", "t.tif"}));
    QImageReader converted(outDir() + "a.jpg");
    EXPECT_EQ(converted.format(), "jpeg");
    EXPECT_EQ(converted.size(), QSize(200, 100));
    EXPECT_EQ(QImageReader(outDir() + "g.jpg").format(), "jpeg");
    EXPECT_EQ(testsupport::readFile(outDir() + "b.jpg"), testsupport::readFile(in("x/b.jpg")));
    EXPECT_EQ(QFileInfo(outDir() + "b.jpg").lastModified(), old);
    EXPECT_EQ(testsupport::readFile(outDir() + "t.tif"), testsupport::readFile(in("t.tif")));
    EXPECT_EQ(testsupport::readFile(outDir() + "mine.jpg"), "the user's own file");
}

// An image named 「表'.png」 would put the bytes that close an SFC string
// into its symbol's name: the JPEG beside the output and the symbol both
// take the safe name, so the symbol still names its file. An apostrophe
// after ア is harmless and stays in both.
TEST_F(Images, NameEndingAStringEarlyIsMadeSafeInFileAndSymbol)
{
    saveImage(in("表'.png"), 4, 4, "PNG");
    saveImage(in("ア'.jpg"), 4, 4, "JPEG");
    for (const char* name : {"表'.png", "ア'.jpg"})
        testsupport::addMoji(m_d, imageText("^@BM" + in(QString::fromUtf8(name)) + ",10", 0, 0, 1, 0));
    const Converted c = convert();
    testsupport::expectWellFormed(c);
    worker::placeImageFiles(images(), outDir() + "plan.sfc");

    EXPECT_EQ(filesIn(outDir()), (QStringList{"ア'.jpg", "表’.jpg"}));
    const QStringList lines = featureLines(c.text);
    for (const char* name : {"$$ATRU$$101$$画像1$$画像$$表’.jpg", "$$ATRU$$102$$画像2$$画像$$ア'.jpg"}) {
        const QString quoted = "\\'" + QString::fromUtf8(name) + "\\'";
        EXPECT_EQ(imageRecords(lines, "sfig_org_feature").filter(quoted).size(), 1) << name;
        EXPECT_EQ(imageRecords(lines, "sfig_locate_feature").filter(quoted).size(), 1) << name;
    }
}

namespace {

// A PNG whose header states `w` x `h` pixels but which holds the pixels of
// a 1 x 1 picture: the header is all a size check may read.
QByteArray pngClaiming(uint32_t w, uint32_t h)
{
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    one.save(&buffer, "PNG");
    // Signature (8), IHDR length (4) and type (4), then width and height.
    for (int i = 0; i < 4; ++i) {
        bytes[16 + i] = static_cast<char>(w >> (24 - 8 * i));
        bytes[20 + i] = static_cast<char>(h >> (24 - 8 * i));
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.constData() + 12), 17);
    for (int i = 0; i < 4; ++i)
        bytes[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    return bytes;
}

}  // namespace

// Image references come with drawings from anywhere: only real images of the
// accepted types are placed, a target is always a plain name in the output
// folder, and a picture too large to decode sensibly is skipped while the
// others still arrive.
TEST_F(Images, ReferencesAreHandledSafely)
{
    saveImage(in("ok.png"), 4, 4, "PNG");
    ASSERT_TRUE(testsupport::writeFile(in("secret.jpg"), "password=hunter2\n"));
    ASSERT_TRUE(testsupport::writeFile(in("huge.png"), pngClaiming(20000, 20000)));
    QByteArray damaged = testsupport::readFile(in("ok.png"));
    damaged.chop(30);
    ASSERT_TRUE(testsupport::writeFile(in("damaged.png"), damaged));
    saveImage(in("CON.jpg"), 4, 4, "JPEG");
    int32_t pw = 0, ph = 0;
    ASSERT_TRUE(convert::GetImageSize(in("huge.png"), pw, ph));
    EXPECT_EQ(pw, 20000);
    for (const char* name : {"secret.jpg", "huge.png", "damaged.png", "CON.jpg", "ok.png"})
        testsupport::addMoji(m_d, imageText("^@BM" + in(name) + ",10", 0, 0, 1, 0));
    const std::vector<convert::AcceptedImage> found = images();
    ASSERT_EQ(found.size(), 4u);  // not the text file named like a JPEG
    worker::placeImageFiles(found, outDir() + "plan.sfc");
    EXPECT_EQ(filesIn(outDir()), QStringList{"ok.jpg"});
    EXPECT_FALSE(worker::ConvertImageFile(in("huge.png"), outDir() + "huge.jpg"));
    EXPECT_FALSE(worker::ConvertImageFile(in("damaged.png"), outDir() + "damaged.jpg"));
    EXPECT_FALSE(worker::ConvertImageFile(in("secret.jpg"), outDir() + "secret2.jpg"));
    EXPECT_EQ(filesIn(outDir()), QStringList{"ok.jpg"});
}
