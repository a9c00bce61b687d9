// Reader and writers agree: every file this system writes for the sample
// drawings and the fixture drawings reads without a finding, and the model
// written back gives the same bytes.
#include "sxf/sfc_drawing_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/fuzz/converted_outputs.h"
#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/test_paths.h"

#include <QBuffer>

#include <gtest/gtest.h>


namespace {

// The first line where `b` differs from `a`, for the failure message.
std::string firstDifference(const QByteArray& a, const QByteArray& b)
{
    const QList<QByteArray> la = a.split('\n');
    const QList<QByteArray> lb = b.split('\n');
    for (qsizetype i = 0; i < std::max(la.size(), lb.size()); ++i) {
        const QByteArray x = i < la.size() ? la[i] : "<end>";
        const QByteArray y = i < lb.size() ? lb[i] : "<end>";
        if (x != y)
            return "line " + std::to_string(i + 1) + "\n  read:    " + x.toStdString() + "\n  written: " + y.toStdString();
    }
    return "no difference";
}

void expectRoundTrip(const testsupport::ConvertedOutput& output)
{
    SCOPED_TRACE(output.name.toStdString());
    const sxf::ReadResult r = sxf::readSfc(output.bytes);
    for (const sxf::Finding& f : r.findings)
        ADD_FAILURE() << "line " << f.line << ": " << f.code.toStdString() << " " << f.message.toStdString();
    EXPECT_FALSE(r.drawing.features.empty());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sxf::SfcWriter f(buffer);
    sxf::writeSfc(f, r.drawing);
    f.flush();
    EXPECT_TRUE(buffer.data() == output.bytes) << firstDifference(output.bytes, buffer.data());
}

}  // namespace

TEST(SfcRoundTrip, FixtureOutputsWriteBackByteForByte)
{
    const std::vector<testsupport::ConvertedOutput> outputs = testsupport::fixtureOutputs();
    ASSERT_EQ(outputs.size(), fuzzing::fuzzSeeds().size() + 4);
    for (const testsupport::ConvertedOutput& output : outputs)
        expectRoundTrip(output);
}

TEST(SfcRoundTrip, SampleOutputsWriteBackByteForByte)
{
    REQUIRE_SAMPLES();
    const std::vector<testsupport::ConvertedOutput> outputs = testsupport::sampleOutputs();
    ASSERT_EQ(outputs.size(), static_cast<size_t>(testsupport::sampleDrawings().size()));
    for (const testsupport::ConvertedOutput& output : outputs)
        expectRoundTrip(output);
}
