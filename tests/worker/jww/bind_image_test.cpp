// Embedded images: extraction while reading, inflating, deletion, and the
// names and streams that must never reach the disk unchecked.
#include "tests/support/jww_builder.h"
#include "tests/support/test_paths.h"
#include "worker/jww/jww_data.h"
#include "worker/worker_driver.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

using namespace jww;
using namespace testsupport;

namespace {

// A drawing folder with an image folder beside it, as the worker has one.
class ImageRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.filePath("TEMP") + u'/';
        ASSERT_TRUE(QDir().mkpath(m_folder));
        initEmptyDrawing(m_w, 700);
    }

    void addImage(const QString& name, const QByteArray& data)
    {
        m_w.BindImage.push_back({name, static_cast<int32_t>(data.size()), false});
        m_options.imageData.push_back(data);
    }

    // Writes the drawing and reads it into m_r with extraction into m_folder.
    bool read()
    {
        const QString path = m_dir.filePath("images.jww");
        if (!writeFile(path, writeJww(m_w, m_options)))
            return false;
        m_r.BindImageExp = m_r.BindImageExr = true;
        m_r.BindImageFolder = m_folder;
        return m_r.FileIn(path);
    }

    QStringList folderFiles() const
    {
        return QDir(m_folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QByteArray folderFile(const QString& name) const { return readFile(m_folder + name); }

    QTemporaryDir m_dir;
    QString m_folder;
    TJwwData m_w;
    TJwwData m_r;
    JwwWriteOptions m_options;
};

const QByteArray kPicture = QByteArray("\xFF\xD8\xFF\xE0 picture bytes ").repeated(500);

}  // namespace

TEST_F(ImageRun, GzImageIsInflatedBesideItselfAndBothAreDeleted)
{
    const QByteArray stored = gzipBytes(kPicture);
    addImage(QStringLiteral("PHOTO.JPG.GZ"), stored);
    addImage(QStringLiteral("plan.bmp"), QByteArray("BM raw"));
    ASSERT_TRUE(read());
    ASSERT_EQ(m_r.BindImageN(), 2);
    EXPECT_EQ(m_r.BindImage[0].Fname, QStringLiteral("PHOTO.JPG.GZ"));
    EXPECT_EQ(m_r.BindImage[0].Fsize, stored.size());
    EXPECT_EQ(folderFile(QStringLiteral("PHOTO.JPG.GZ")), stored);
    EXPECT_EQ(folderFile(QStringLiteral("plan.bmp")), QByteArray("BM raw"));

    m_r.BindImageExplode();
    EXPECT_EQ(folderFile(QStringLiteral("PHOTO.JPG")), kPicture);
    EXPECT_EQ(folderFiles().size(), 3);

    m_r.BindImageDeleteGzFile();
    EXPECT_EQ(folderFiles(), (QStringList{QStringLiteral("PHOTO.JPG"), QStringLiteral("plan.bmp")}));
    m_r.BindImageDeleteNonGzFile();
    EXPECT_TRUE(folderFiles().isEmpty());
}

TEST_F(ImageRun, SecondImageOfTheSameNameReplacesTheFirst)
{
    addImage(QStringLiteral("a.gz"), gzipBytes("first, and longer than the second"));
    addImage(QStringLiteral("a.gz"), gzipBytes("second"));
    ASSERT_TRUE(read());
    m_r.BindImageExplode();
    EXPECT_EQ(folderFiles(), (QStringList{QStringLiteral("a"), QStringLiteral("a.gz")}));
    EXPECT_EQ(folderFile(QStringLiteral("a")), QByteArray("second"));
}

TEST_F(ImageRun, DamagedGzipLeavesPartialFileAndTheNextImageInflates)
{
    const QByteArray whole = gzipBytes(kPicture);
    QByteArray damaged = whole.left(whole.size() / 2);
    addImage(QStringLiteral("cut.gz"), damaged);
    damaged = whole;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    addImage(QStringLiteral("flipped.gz"), damaged);
    addImage(QStringLiteral("plain.gz"), QByteArray("not gzip at all"));
    addImage(QStringLiteral("good.gz"), whole);
    ASSERT_TRUE(read());
    m_r.BindImageExplode();
    EXPECT_TRUE(kPicture.startsWith(folderFile(QStringLiteral("cut"))));
    EXPECT_LT(folderFile(QStringLiteral("cut")).size(), kPicture.size());
    EXPECT_NE(folderFile(QStringLiteral("flipped")), kPicture);
    EXPECT_TRUE(folderFile(QStringLiteral("plain")).isEmpty());
    EXPECT_EQ(folderFile(QStringLiteral("good")), kPicture);
}

// Names come from the file: only plain names may become files, and the data
// of a refused image is still stepped over.
TEST_F(ImageRun, OnlyPlainNamesAreWritten)
{
    const QStringList hostile = {
        QStringLiteral("../evil.gz"),  QStringLiteral("..\\evil.gz"), QStringLiteral("sub/x.gz"),
        QStringLiteral("/tmp/abs.gz"), QStringLiteral("C:evil.gz"),  QStringLiteral(".."),
        QStringLiteral("."),           QStringLiteral("CON"),        QStringLiteral("nul.gz"),
        QStringLiteral("trail."),      QStringLiteral("a|b.gz"),     QStringLiteral("\t..\r"),
    };
    for (const QString& name : hostile)
        addImage(name, gzipBytes("evil"));
    addImage(QStringLiteral("...gz"), gzipBytes("stored, but its inflated name is .."));
    addImage(QStringLiteral("ok.gz"), gzipBytes("fine"));
    ASSERT_TRUE(read());
    ASSERT_EQ(m_r.BindImageN(), hostile.size() + 2);
    m_r.BindImageExplode();
    EXPECT_EQ(folderFiles(), (QStringList{QStringLiteral("...gz"), QStringLiteral("ok"), QStringLiteral("ok.gz")}));
    EXPECT_EQ(folderFile(QStringLiteral("ok")), QByteArray("fine"));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("evil.gz")));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("evil")));
    EXPECT_FALSE(QDir(m_folder + "sub").exists());

    // A name that the drawing stores must not make deletion reach outside.
    ASSERT_TRUE(writeFile(m_dir.filePath("evil"), "keep"));
    ASSERT_TRUE(writeFile(m_dir.filePath("evil.gz"), "keep"));
    m_r.BindImageDeleteGzFile();
    m_r.BindImageDeleteNonGzFile();
    EXPECT_TRUE(folderFiles().isEmpty());
    EXPECT_TRUE(QFile::exists(m_dir.filePath("evil")));
    EXPECT_TRUE(QFile::exists(m_dir.filePath("evil.gz")));
}

TEST_F(ImageRun, ImageThatCannotBeWrittenIsSkippedAndTheListGoesOn)
{
    ASSERT_TRUE(QDir().mkpath(m_folder + "busy.gz"));  // a folder where the file would go
    addImage(QStringLiteral("busy.gz"), gzipBytes("x"));
    addImage(QStringLiteral("next.gz"), gzipBytes("next"));
    ASSERT_TRUE(read());
    ASSERT_EQ(m_r.BindImageN(), 2);
    EXPECT_EQ(m_r.BindImage[1].Fname, QStringLiteral("next.gz"));
    EXPECT_EQ(m_r.BindImageUnwritten, QStringList{"busy.gz"});  // the run learns which one is missing
    m_r.BindImageExplode();
    EXPECT_EQ(folderFile(QStringLiteral("next")), QByteArray("next"));
}

TEST_F(ImageRun, WithoutExtractionOrFolderNothingIsWritten)
{
    addImage(QStringLiteral("a.gz"), gzipBytes("a"));
    const QString path = m_dir.filePath("images.jww");
    ASSERT_TRUE(writeFile(path, writeJww(m_w, m_options)));

    TJwwData listOnly;
    listOnly.BindImageExr = true;
    listOnly.BindImageFolder = m_folder;
    ASSERT_TRUE(listOnly.FileIn(path));
    EXPECT_EQ(listOnly.BindImageN(), 1);

    // Extraction without a folder would write into the working folder.
    TJwwData noFolder;
    noFolder.BindImageExp = true;
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_folder));
    EXPECT_TRUE(noFolder.FileIn(path));
    noFolder.BindImageExplode();
    QDir::setCurrent(cwd);
    EXPECT_EQ(noFolder.BindImageN(), 1);

    TJwwData neither;
    ASSERT_TRUE(neither.FileIn(path));
    EXPECT_EQ(neither.BindImageN(), 0);
    EXPECT_TRUE(folderFiles().isEmpty());
}

// A few hundred kilobytes that would inflate to 100 MB: inflating stops at
// its bound and removes what it wrote; the next image still inflates.
TEST_F(ImageRun, GzipBombIsStoppedAndRemoved)
{
    const QByteArray bomb = gzipZeros(100);
    ASSERT_LT(bomb.size(), 200 * 1024);
    addImage(QStringLiteral("bomb.bmp.gz"), bomb);
    addImage(QStringLiteral("after.gz"), gzipBytes("after"));
    ASSERT_TRUE(read());
    m_r.BindImageExplode();
    EXPECT_FALSE(QFile::exists(m_folder + "bomb.bmp"));
    EXPECT_EQ(folderFile(QStringLiteral("after")), QByteArray("after"));
}

// Many small gzip bombs add up where each stays below its own bound: only
// the images the drawing shows are inflated, and all of them together stay
// within the budget; the image that would go beyond it leaves no file.
TEST_F(ImageRun, OnlyShownImagesInflateAndTogetherWithinTheBudget)
{
    constexpr qint64 kMiB = 1 << 20;
    for (const char* name : {"a.bmp.gz", "b.bmp.gz", "c.bmp.gz"})
        addImage(QString::fromLatin1(name), gzipZeros(8));
    ASSERT_TRUE(read());
    using Status = BindImageResult::Status;
    const QSet<QString> all{"a.bmp", "b.bmp", "c.bmp"};
    const struct {
        const char* name;
        QSet<QString> shown;
        qint64 budget;
        Status status;
        QString stoppedAt;
        QStringList inflated;
    } cases[] = {
        {"only the one shown", {"b.bmp", "elsewhere.png"}, kMaxInflatedTotal, Status::Done, {}, {"b.bmp"}},
        {"none shown", {}, kMaxInflatedTotal, Status::Done, {}, {}},
        {"all within the budget", all, 24 * kMiB, Status::Done, {}, {"a.bmp", "b.bmp", "c.bmp"}},
        {"the third beyond it", all, 20 * kMiB, Status::OverBudget, "c.bmp", {"a.bmp", "b.bmp"}},
        {"no room at all", all, 0, Status::OverBudget, "a.bmp", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& name : all)
            QFile::remove(m_folder + name);
        const BindImageResult r = m_r.BindImageExplode(&c.shown, c.budget);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.name, c.stoppedAt);
        QStringList inflated;
        for (const QString& name : folderFiles()) {
            if (!name.endsWith(".gz"))
                inflated.append(name);
        }
        EXPECT_EQ(inflated, c.inflated);
    }
}

// The worker's own run: images extracted into its TEMP folder are deleted
// at tear-down and the folder goes with them.
namespace {

// A worker's folder in `dir`: the settings file and "in.jww", a drawing that
// embeds `images` (name, stored bytes) and shows each of them.
bool writeWorkerFolder(const QTemporaryDir& dir, const std::vector<std::pair<QString, QByteArray>>& images)
{
    TJwwData w;
    initEmptyDrawing(w, 700);
    JwwWriteOptions options;
    for (const auto& [name, data] : images) {
        w.BindImage.push_back({name, static_cast<int32_t>(data.size()), false});
        options.imageData.push_back(data);
        TEntJwwMoji text;
        text.end_x = 1;
        text.str = "^@BM%temp%" + (name.endsWith(".gz") ? name.chopped(3) : name) + ",10";
        addMoji(w, text);
    }
    return dir.isValid() && writeFile(dir.filePath("Kestrune.dat"), "50\r\n50\r\n480\r\n480\r\n") &&
           writeFile(dir.filePath("in.jww"), writeJww(w, options));
}

}  // namespace

TEST(ImageWorkerRun, TempFolderIsGoneAfterTearDown)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeWorkerFolder(dir, {{"p.jpg.gz", gzipBytes(kPicture)}, {"q.png", "png"}}));
    {
        worker::WorkerDriver driver(dir.path());
        EXPECT_TRUE(QDir(dir.filePath("TEMP")).exists());
        EXPECT_TRUE(driver.FormShow({dir.filePath("in.jww"), dir.filePath("out.sfc")}));
        EXPECT_EQ(driver.drawing().BindImageN(), 2);
        // The run's images are in a folder of its own inside TEMP.
        const QString folder = driver.drawing().BindImageFolder;
        EXPECT_TRUE(folder.startsWith(dir.filePath("TEMP/run-"))) << folder.toStdString();
        EXPECT_EQ(readFile(folder + "p.jpg"), kPicture);
        EXPECT_TRUE(QFile::exists(folder + "q.png"));
    }
    EXPECT_TRUE(QFile::exists(dir.filePath("out.sfc")));
    EXPECT_FALSE(QDir(dir.filePath("TEMP")).exists());
}

// Two runs at once with images of the same name, as two workers started
// together: each extracts into its own folder, so the first to finish does
// not delete the images the other is still using, and the last one leaves no
// folder behind.
TEST(ImageWorkerRun, RunsAtOnceKeepTheirOwnImages)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeWorkerFolder(dir, {{"p.jpg.gz", gzipBytes(kPicture)}}));

    auto first = std::make_unique<worker::WorkerDriver>(dir.path());
    auto second = std::make_unique<worker::WorkerDriver>(dir.path());
    EXPECT_TRUE(first->FormShow({dir.filePath("in.jww"), dir.filePath("one.sfc")}));
    EXPECT_TRUE(second->FormShow({dir.filePath("in.jww"), dir.filePath("two.sfc")}));
    const QString secondFolder = second->drawing().BindImageFolder;
    EXPECT_NE(first->drawing().BindImageFolder, secondFolder);
    first.reset();
    EXPECT_EQ(readFile(secondFolder + "p.jpg"), kPicture);
    EXPECT_TRUE(QFile::exists(secondFolder + "p.jpg.gz"));
    second.reset();
    EXPECT_FALSE(QDir(dir.filePath("TEMP")).exists());
}
