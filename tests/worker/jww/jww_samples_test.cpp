// The real drawings beside the repository: each reads completely and goes
// through the worker's whole conversion sequence.
#include "tests/support/test_paths.h"
#include "worker/jww/jww_data.h"
#include "worker/worker_driver.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace jww;

namespace {

template <typename Records>
bool validSlots(const std::vector<TEntJwwNo>& order, const Records& sizes)
{
    for (const TEntJwwNo& no : order) {
        if (no.EntType < kEntLine || no.EntType > kEntBlock || no.EntNo < 0
            || static_cast<size_t>(no.EntNo) >= sizes[static_cast<size_t>(no.EntType)])
            return false;
    }
    return true;
}

}  // namespace

TEST(Samples, EveryDrawingReadsCompletely)
{
    REQUIRE_SAMPLES();
    const QStringList files = testsupport::sampleDrawings();
    ASSERT_FALSE(files.isEmpty());
    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        TJwwData d;
        ASSERT_TRUE(d.FileCheck(path));
        ASSERT_TRUE(d.FileIn(path));
        EXPECT_EQ(d.Enthd.n1, static_cast<int32_t>(d.EntNo.size()));
        EXPECT_GT(d.EntNo.size(), 0u);
        const size_t top[] = {0, d.EntLine.size(), d.EntEnko.size(), d.EntTen.size(), d.EntMoji.size(),
                              d.EntSunpo.size(), d.EntSolid.size(), d.EntBlock.size()};
        EXPECT_TRUE(validSlots(d.EntNo, top));
        EXPECT_EQ(d.EntNo.size(), d.EntLine.size() + d.EntEnko.size() + d.EntTen.size() + d.EntMoji.size()
                                      + d.EntSunpo.size() + d.EntSolid.size() + d.EntBlock.size());
        EXPECT_EQ(d.EntBlockDefN(), d.Enthd.n2);
        for (const TEntJwwBlockDef& def : d.EntBlockDef) {
            const size_t members[] = {0, def.mLine.size(), def.mEnko.size(), def.mTen.size(), def.mMoji.size(),
                                      def.mSunpo.size(), def.mSolid.size(), def.mBlock.size()};
            EXPECT_EQ(def.N, static_cast<int32_t>(def.mNo.size()));
            EXPECT_TRUE(validSlots(def.mNo, members)) << def.strName.toStdString();
        }
    }
}

TEST(Samples, EveryDrawingConvertsThroughTheWorker)
{
    REQUIRE_SAMPLES();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(testsupport::writeFile(dir.filePath("Kestrune.dat"), "50\r\n50\r\n480\r\n480\r\n"));
    for (const QString& path : testsupport::sampleDrawings()) {
        SCOPED_TRACE(path.toStdString());
        const QString out = dir.filePath(QFileInfo(path).completeBaseName() + ".sfc");
        {
            worker::WorkerDriver driver(dir.path());
            EXPECT_TRUE(driver.FormShow({path, out}));
        }
        EXPECT_GT(QFileInfo(out).size(), 0);
    }
}
