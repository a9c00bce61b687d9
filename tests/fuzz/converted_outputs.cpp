// Converting the fixture and sample drawings in memory.
#include "tests/fuzz/converted_outputs.h"

#include "tests/fuzz/fuzz_corpus_start.h"
#include "tests/support/bench_drawings.h"
#include "tests/support/test_paths.h"
#include "tests/worker/conversion_harness.h"

#include <QFileInfo>

namespace testsupport {

std::vector<ConvertedOutput> fixtureOutputs()
{
    std::vector<ConvertedOutput> out;
    for (fuzzing::Seed& seed : fuzzing::seedOutputs())
        out.push_back({seed.name, std::move(seed.bytes)});
    const std::pair<const char*, void (*)(jww::TJwwData&, int)> shapes[] = {
        {"mixed", buildMixedDrawing},
        {"blocks", buildBlocksDrawing},
        {"colours", buildColoursDrawing},
        {"nested", buildNestedDrawing},
    };
    for (const auto& [name, build] : shapes) {
        jww::TJwwData d;
        build(d, 300);
        out.push_back({QString::fromLatin1(name), convertInMemory(d).bytes, true});
    }
    return out;
}

std::vector<ConvertedOutput> sampleOutputs()
{
    std::vector<ConvertedOutput> out;
    for (const QString& path : sampleDrawings()) {
        jww::TJwwData d;
        if (d.FileIn(path))
            out.push_back({QFileInfo(path).fileName(), convertInMemory(d).bytes});
    }
    return out;
}

}  // namespace testsupport
