// Reading SFC files into the model: the output of the mixed synthetic
// drawing at n and 2n entities, read from memory, to show that reading
// grows with the file. The whole-process comparison with the worker is
// scripts/bench-reader.
#include "sxf/sfc_reader.h"
#include "tests/benchmarks/bench_counters.h"
#include "tests/support/bench_drawings.h"
#include "worker/convert/attribute_tables.h"
#include "worker/sfc_data.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

namespace {

QByteArray mixedOutput(int n)
{
    jww::TJwwData d;
    testsupport::buildMixedDrawing(d, n);
    jww::TgraAttribute graAtt;
    d.FileColorSet(graAtt);
    convert::TSFC_GroupAttr groups;
    convert::AttributeTables tables;
    tables.proc3(d, graAtt, groups);
    text::TSFC_Moji_Exp_Info mexp;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    sxf::SfcWriter f(buffer);
    worker::writeSfcContents(f, QStringLiteral("/out/bench.sfc"), d, tables, groups, {420, 297}, mexp,
                             QDateTime(QDate(2026, 12, 10), QTime(9, 30, 0)), {});
    f.flush();
    return buffer.data();
}

void BM_ReadSfc(benchmark::State& state)
{
    const QByteArray bytes = mixedOutput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const sxf::ReadResult r = sxf::readSfc(bytes);
        benchmark::DoNotOptimize(r.drawing.features.data());
    }
    countPeakAndItems(state);
    state.counters["file_MiB"] = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

}  // namespace

BENCHMARK(BM_ReadSfc)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
