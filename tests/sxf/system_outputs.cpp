// Fixture and sample drawings converted in memory.
#include "tests/sxf/system_outputs.h"

#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/bench_drawings.h"
#include "tests/support/test_paths.h"
#include "tests/worker/conversion_harness.h"
#include "worker/jww/jww_reader.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace sxftest {

std::vector<SystemOutput> fixtureOutputs()
{
    std::vector<SystemOutput> out;
    for (const fuzzing::Seed& seed : fuzzing::fuzzSeeds()) {
        jww::TJwwData d;
        d.BindImageExr = true;  // the images are listed, not extracted
        if (!jww::readJwwDrawing(d, seed.bytes)) {
            ADD_FAILURE() << "seed does not read: " << seed.name.toStdString();
            continue;
        }
        out.push_back({seed.name, testsupport::convertInMemory(d).bytes});
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
        out.push_back({QString::fromLatin1(name), testsupport::convertInMemory(d).bytes});
    }
    return out;
}

std::vector<SystemOutput> sampleOutputs()
{
    std::vector<SystemOutput> out;
    for (const QString& path : testsupport::sampleDrawings()) {
        jww::TJwwData d;
        if (!d.FileIn(path)) {
            ADD_FAILURE() << "sample does not read: " << path.toStdString();
            continue;
        }
        out.push_back({QFileInfo(path).fileName(), testsupport::convertInMemory(d).bytes});
    }
    return out;
}

}  // namespace sxftest
