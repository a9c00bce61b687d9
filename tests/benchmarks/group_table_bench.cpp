// Announcing the members of a drawing with many curve-attribute groups.
#include "tests/support/jww_builder.h"
#include "worker/convert/attribute_tables.h"
#include "worker/convert/group_table.h"

#include <benchmark/benchmark.h>

namespace {

// `groups` groups of three members each, announced round-robin as a drawing
// whose dimensions were drawn one element kind at a time would announce them.
void BM_AnnounceGroups(benchmark::State& state)
{
    const int32_t groups = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        convert::TSFC_GroupAttr table;
        int32_t eid = 0;
        for (int round = 0; round < 3; ++round) {
            for (int32_t g = 1; g <= groups; ++g)
                table.AddAttrNumber(g, -1, 0, eid++);
        }
        benchmark::DoNotOptimize(table.gafN());
    }
    state.SetItemsProcessed(state.iterations() * groups * 3);
}

// The whole attribute tables of a drawing whose 3 * n lines form n groups.
void BM_TablesOfGroupedDrawing(benchmark::State& state)
{
    const int32_t groups = static_cast<int32_t>(state.range(0));
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d);
    for (int round = 0; round < 3; ++round) {
        for (int32_t g = 1; g <= groups; ++g) {
            jww::TEntJwwLine line;
            line.att.lGroup = static_cast<uint32_t>(g);
            line.att.nPenColor = 1;
            line.att.nPenStyle = 1;
            line.end_x = round + 1;
            testsupport::addLine(d, line);
        }
    }
    const jww::TgraAttribute graAtt;
    for (auto _ : state) {
        convert::TSFC_GroupAttr table;
        convert::AttributeTables tables;
        tables.proc3(d, graAtt, table);
        benchmark::DoNotOptimize(table.gafN());
    }
}

}  // namespace

BENCHMARK(BM_TablesOfGroupedDrawing)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnnounceGroups)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
