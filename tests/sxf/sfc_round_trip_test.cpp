// Reader and writers agree: every file this system writes for the sample
// drawings and the fixture drawings reads without a finding, and the model
// written back gives the same bytes.
#include "sxf/sfc_drawing_writer.h"
#include "sxf/sfc_reader.h"
#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/bench_drawings.h"
#include "tests/support/test_paths.h"
#include "tests/worker/conversion_harness.h"
#include "worker/jww/jww_reader.h"

#include <QBuffer>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

struct Output {
    QString name;
    QByteArray bytes;
};

QByteArray sfcOf(jww::TJwwData& d)
{
    return testsupport::convertInMemory(d).bytes;
}

// The outputs of the fuzz seeds (a rich drawing at every version where the
// format changes, the string and count encodings, empty drawings, the demo)
// and of the benchmark shapes at a small size.
std::vector<Output> fixtureOutputs()
{
    std::vector<Output> out;
    for (const fuzzing::Seed& seed : fuzzing::fuzzSeeds()) {
        jww::TJwwData d;
        d.BindImageExr = true;  // the images are listed, not extracted
        if (!jww::readJwwDrawing(d, seed.bytes)) {
            ADD_FAILURE() << "seed does not read: " << seed.name.toStdString();
            continue;
        }
        out.push_back({seed.name, sfcOf(d)});
    }
    const std::pair<const char*, void (*)(jww::TJwwData&, int)> shapes[] = {
        {"mixed", testsupport::buildMixedDrawing},
        {"blocks", testsupport::buildBlocksDrawing},
        {"colours", testsupport::buildColoursDrawing},
        {"nested", testsupport::buildNestedDrawing},
    };
    for (const auto& [name, build] : shapes) {
        jww::TJwwData d;
        build(d, 300);
        out.push_back({QString::fromLatin1(name), sfcOf(d)});
    }
    return out;
}

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
    const std::vector<Output> outputs = fixtureOutputs();
    ASSERT_GE(outputs.size(), 20u);
    for (const Output& output : outputs)
        expectRoundTrip(output);
}

TEST(SfcRoundTrip, SampleOutputsWriteBackByteForByte)
{
    REQUIRE_SAMPLES();
    const QStringList drawings = testsupport::sampleDrawings();
    ASSERT_FALSE(drawings.isEmpty());
    for (const QString& path : drawings) {
        jww::TJwwData d;
        ASSERT_TRUE(d.FileIn(path)) << path.toStdString();
        expectRoundTrip({QFileInfo(path).fileName(), sfcOf(d)});
    }
}
