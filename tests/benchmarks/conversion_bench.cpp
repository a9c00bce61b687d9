// Converting a synthetic drawing of mixed entities: the tables and the whole
// SFC output, at two sizes, to show that the cost grows with the entity count.
#include "tests/support/bench_drawings.h"
#include "worker/convert/attribute_tables.h"
#include "worker/convert/definition_section.h"
#include "worker/sfc_data.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

using namespace jww;

void BM_ConvertDrawing(benchmark::State& state)
{
    TJwwData d;
    testsupport::buildMixedDrawing(d, static_cast<int>(state.range(0)));
    const TgraAttribute graAtt;
    for (auto _ : state) {
        convert::TSFC_GroupAttr groups;
        convert::AttributeTables tables;
        tables.proc3(d, graAtt, groups);
        QFile out(QStringLiteral("/dev/null"));
        out.open(QIODevice::WriteOnly);
        sfc::SfcWriter f(out);
        convert::procSfcSet(f, tables, d);
        text::TSFC_Moji_Exp_Info mexp;
        const std::vector<convert::AcceptedImage> noImages;
        worker::SfcDataWriter data(f, d, tables, groups, {420, 297}, mexp, noImages);
        data.procSfcData();
        f.flush();
        benchmark::DoNotOptimize(f.SXFnum);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = usage.ru_maxrss / 1024.0;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_ConvertDrawing)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
