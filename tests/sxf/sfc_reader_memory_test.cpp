// The reader allocates in proportion to the file, whatever counts its
// records claim. A program of its own: it counts every operator new.
#include "sxf/sfc_reader.h"
#include "tests/support/sfc_texts.h"
#include "tests/worker/jww/alloc_counter.h"

#include <gtest/gtest.h>

namespace {

// Room for the reader's fixed parts (tables of codes, scratch, the few
// findings) beside what the records themselves need.
constexpr size_t kFixedBytes = 64 * 1024;

}  // namespace

TEST(SfcReaderMemory, CountsFarBeyondTheRecordAllocateNothingLarge)
{
    const QByteArray records[] = {
        "polyline_feature('1','1','1','1','100000000','(0.0,1.0)','(0.0,1.0)')",
        "label_feature('1','1','1','1','2000000000','(0.0)','(0.0)','1','1.0','0','0',\\'\\','0.0','0.0','0.0',"
        "'0.0','0.0','0.0','0.0','1','1')",
        "user_defined_font_feature(\\'U\\','1000000000','(1.0,2.0)')",
        "fill_area_style_colour_feature('1','1','1','1000000000','(1)')",
        "fill_area_style_hatching_feature('1','1000000000','1','0','()')",
        "fill_area_style_hatching_feature('1','306783379','1','0','()')",  // 7k + 5 wraps in 32 bits
    };
    for (const QByteArray& record : records) {
        SCOPED_TRACE(record.toStdString());
        const QByteArray file = testsupport::framedSfc({"layer_feature(\\'L\\','1')", record});
        testsupport::AllocationScope scope;
        const sxf::ReadResult r = sxf::readSfc(file);
        EXPECT_LE(scope.peak(), kFixedBytes + 20 * static_cast<size_t>(file.size()));
        EXPECT_FALSE(r.findings.empty());
    }
}
