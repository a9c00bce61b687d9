// Converting the fixture and sample drawings for the tests of the SXF side.
#include "tests/sxf/fixture_outputs.h"

#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/bench_drawings.h"
#include "tests/support/test_paths.h"
#include "tests/worker/conversion_harness.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace sxftest {

namespace {

QByteArray sfcOf(jww::TJwwData& d)
{
    return testsupport::convertInMemory(d).bytes;
}

}  // namespace

std::vector<Output> fixtureOutputs()
{
    std::vector<Output> out;
    for (fuzzing::Seed& seed : fuzzing::seedOutputs())
        out.push_back({seed.name, std::move(seed.bytes), false});
    EXPECT_EQ(out.size(), fuzzing::fuzzSeeds().size()) << "a seed drawing does not read";
    const std::pair<const char*, void (*)(jww::TJwwData&, int)> shapes[] = {
        {"mixed", testsupport::buildMixedDrawing},
        {"blocks", testsupport::buildBlocksDrawing},
        {"colours", testsupport::buildColoursDrawing},
        {"nested", testsupport::buildNestedDrawing},
    };
    for (const auto& [name, build] : shapes) {
        jww::TJwwData d;
        build(d, 300);
        out.push_back({QString::fromLatin1(name), sfcOf(d), true});
    }
    return out;
}

std::vector<Output> sampleOutputs()
{
    std::vector<Output> out;
    for (const QString& path : testsupport::sampleDrawings()) {
        jww::TJwwData d;
        if (!d.FileIn(path)) {
            ADD_FAILURE() << "sample does not read: " << path.toStdString();
            continue;
        }
        out.push_back({QFileInfo(path).fileName(), sfcOf(d), false});
    }
    return out;
}

}  // namespace sxftest
