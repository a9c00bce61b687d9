// Every sample drawing converts to a file that every SXF reader accepts.
#include "tests/support/test_paths.h"
#include "tests/worker/conversion_harness.h"
#include "tests/support/sfc_references.h"

#include <gtest/gtest.h>

using namespace testsupport;

TEST(SampleConversion, EverySampleGivesAWellFormedFileWithDefinedReferences)
{
    REQUIRE_SAMPLES();
    const QStringList drawings = sampleDrawings();
    ASSERT_FALSE(drawings.isEmpty());
    for (const QString& path : drawings) {
        SCOPED_TRACE(path.toStdString());
        jww::TJwwData d;
        ASSERT_TRUE(d.FileIn(path));
        const Converted c = convertInMemory(d);
        const SfcFile file = parseSfc(c.bytes);
        EXPECT_TRUE(file.ok()) << file.problems.mid(0, 10).join(u'\n').toStdString();
        const QStringList refs = checkSfcReferences(file);
        EXPECT_TRUE(refs.isEmpty()) << refs.size() << " problems, first: " << refs.mid(0, 10).join(u'\n').toStdString();
        // Every fill named the boundary written for its own solid.
        EXPECT_EQ(c.fillCounter, c.curves);
        EXPECT_EQ(c.recordsLeftOut, 0);
        EXPECT_GT(file.records.size(), 10u);
    }
}
