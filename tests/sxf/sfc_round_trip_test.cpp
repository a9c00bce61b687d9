// Reader and writers agree: every file this system writes for the sample
// drawings and the fixture drawings reads without a finding, and the model
// written back gives the same bytes.
#include "sxf/sfc_drawing_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/support/test_paths.h"
#include "tests/sxf/fixture_outputs.h"

#include <QBuffer>

#include <gtest/gtest.h>

using sxftest::Output;

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

void expectRoundTrip(const Output& output)
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
    const std::vector<Output> outputs = sxftest::fixtureOutputs();
    ASSERT_GE(outputs.size(), 20u);
    for (const Output& output : outputs)
        expectRoundTrip(output);
}

TEST(SfcRoundTrip, SampleOutputsWriteBackByteForByte)
{
    REQUIRE_SAMPLES();
    const std::vector<Output> outputs = sxftest::sampleOutputs();
    ASSERT_FALSE(outputs.empty());
    for (const Output& output : outputs)
        expectRoundTrip(output);
}
