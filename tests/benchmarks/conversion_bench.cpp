// Converting synthetic drawings: the tables and the whole SFC output, each
// shape at n and 2n (or 10n), to show that the cost grows with the size. The
// shapes: mixed entities; many block definitions and placements; many solid
// colours; nested placements of a block with one large member group.
#include "tests/benchmarks/bench_counters.h"
#include "tests/support/bench_drawings.h"
#include "worker/convert/attribute_tables.h"
#include "worker/convert/definition_section.h"
#include "worker/sfc_data.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

using namespace jww;

using Builder = void (*)(TJwwData&, int);

void convertDrawing(benchmark::State& state, Builder build)
{
    TJwwData d;
    build(d, static_cast<int>(state.range(0)));
    const TgraAttribute graAtt;
    for (auto _ : state) {
        convert::TSFC_GroupAttr groups;
        convert::AttributeTables tables;
        tables.proc3(d, graAtt, groups);
        QFile out(QStringLiteral("/dev/null"));
        out.open(QIODevice::WriteOnly);
        sxf::SfcWriter f(out);
        convert::procSfcSet(f, tables, d);
        text::TSFC_Moji_Exp_Info mexp;
        const std::vector<convert::AcceptedImage> noImages;
        worker::SfcDataWriter data(f, d, tables, groups, {420, 297}, mexp, noImages);
        data.procSfcData();
        f.flush();
        benchmark::DoNotOptimize(f.SXFnum);
    }
    countPeakAndItems(state);
}

void BM_ConvertDrawing(benchmark::State& state)
{
    convertDrawing(state, testsupport::buildMixedDrawing);
}
void BM_ManyPlacements(benchmark::State& state)
{
    convertDrawing(state, testsupport::buildBlocksDrawing);
}
void BM_ManySolidColours(benchmark::State& state)
{
    convertDrawing(state, testsupport::buildColoursDrawing);
}
void BM_NestedGroupedBlock(benchmark::State& state)
{
    convertDrawing(state, testsupport::buildNestedDrawing);
}

}  // namespace

BENCHMARK(BM_ConvertDrawing)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ManyPlacements)->Arg(80000)->Arg(160000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ManySolidColours)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_NestedGroupedBlock)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
