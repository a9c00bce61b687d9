// Picking up files and the order of queued batches.
#include "frontend/batch_queue.h"

#include "tests/support/test_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using frontend::BatchQueue;

namespace {

class BatchQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* name : {"a.JWW", "b.txt", "d.jww", "e.Jww", "noext"})
            ASSERT_TRUE(testsupport::writeFile(path(name), "x"));
        ASSERT_TRUE(QDir().mkdir(path("folder.jww")));
    }
    QString path(const char* name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(BatchQueueTest, PicksUpOnlyExistingJwwFiles)
{
    const struct {
        QString fn;
        bool picked;
    } cases[] = {
        {path("a.JWW"), true},      {path("e.Jww"), true},       {path("b.txt"), false},
        {path("c.jww"), false},     {path("noext"), false},      {path("folder.jww"), false},
        {QString(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fn.toStdString());
        EXPECT_EQ(BatchQueue::PickupFile(c.fn), c.picked);
    }
}

TEST_F(BatchQueueTest, ArrivalsRunInOrderAsSeparateBatches)
{
    BatchQueue queue;
    EXPECT_EQ(queue.addArrival({path("a.JWW"), path("b.txt"), path("c.jww"), path("d.jww")}), 2);
    EXPECT_EQ(queue.addArrival({path("b.txt")}), 0);  // nothing to convert: no batch
    // A relative name is handed on as a full path.
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    EXPECT_EQ(queue.addArrival({"e.Jww"}), 1);
    QDir::setCurrent(cwd);

    EXPECT_EQ(queue.takeNext(), QStringList({path("a.JWW"), path("d.jww")}));
    EXPECT_EQ(queue.takeNext(), QStringList({path("e.Jww")}));
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_TRUE(queue.takeNext().isEmpty());

    queue.addArrival({path("a.JWW")});
    queue.clear();
    EXPECT_TRUE(queue.isEmpty());
}
