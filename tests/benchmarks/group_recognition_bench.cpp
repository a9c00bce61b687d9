// Recognising one curve-attribute group of 20,000 members, the way the group
// stage tries it: every recogniser in turn until one takes the group.
#include "tests/benchmarks/bench_counters.h"
#include "tests/support/jww_builder.h"
#include "worker/annotation/group_recognizer.h"
#include "worker/convert/group_table.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace jww;

TEntJwwAttr member()
{
    TEntJwwAttr a;
    a.lGroup = 1;
    a.nPenColor = 2;
    a.nPenStyle = 1;
    return a;
}

// An open zigzag of `n` lines, listed from its far end back to its first
// line, so that a walk over the members in order meets the next link last.
void buildChain(TJwwData& d, int n)
{
    testsupport::initEmptyDrawing(d);
    for (int i = n - 1; i >= 0; --i) {
        const double y0 = i % 2 == 0 ? 0 : 1, y1 = 1 - y0;
        testsupport::addLine(d, {member(), double(i), y0, double(i + 1), y1});
    }
}

// A linear dimension along (0, 0)-(1000, 0) whose `n` members are mostly
// parts: extension lines, strokes, points, circles and solids at the ends,
// and unrelated short lines, with its text last.
void buildDimension(TJwwData& d, int n)
{
    testsupport::initEmptyDrawing(d);
    testsupport::addLine(d, {member(), 0, 0, 1000, 0});
    for (int i = 1; i < n - 1; ++i) {
        const double end = i % 2 == 0 ? 0 : 1000;
        switch (i % 5) {
        case 0: testsupport::addLine(d, {member(), end, -5, end, 5}); break;
        case 1: testsupport::addLine(d, {member(), end, 0, end + 3, 1}); break;
        case 2: {
            TEntJwwTen t;
            t.att = member();
            t.start_x = end;
            testsupport::addTen(d, t);
            break;
        }
        case 3: testsupport::addSolid(d, {member(), end, 0, end + 3, 1, end, 0, end + 3, 1, 0}); break;
        default: testsupport::addLine(d, {member(), double(i), 10, double(i) + 0.5, 11}); break;
        }
    }
    TEntJwwMoji m;
    m.att = member();
    m.att.sFlg = 0x4010;
    m.end_x = 10;
    m.str = QStringLiteral("1000");
    testsupport::addMoji(d, m);
}

convert::TSFC_GroupAttr groupOfAll(const TJwwData& d)
{
    convert::TSFC_GroupAttr g;
    for (size_t i = 0; i < d.EntNo.size(); ++i)
        g.AddAttrNumber(1, -1, 0, static_cast<int32_t>(i));
    return g;
}

// The recognisers in the order the group stage tries them; the number of
// the one that took the group (1-8), or 0.
int recognise(annotation::GroupRecognizer& r)
{
    if (r.FindDimDia(0))
        return 1;
    if (r.FindDimRad(0))
        return 2;
    if (r.FindDimCrv(0))
        return 3;
    if (r.FindDimAng(0))
        return 4;
    if (r.FindDimLin(0))
        return 5;
    if (r.FindBalloon(0))
        return 6;
    if (r.FindLeader(0))
        return 7;
    return r.FindPolyline(0) ? 8 : 0;
}

void run(benchmark::State& state, void (*build)(TJwwData&, int), int expected)
{
    TJwwData d;
    build(d, static_cast<int>(state.range(0)));
    const convert::TSFC_GroupAttr g = groupOfAll(d);
    for (auto _ : state) {
        annotation::GroupRecognizer r(d, g);
        const int kind = recognise(r);
        if (kind != expected)
            state.SkipWithError("the group was not recognised as built");
        benchmark::DoNotOptimize(r.aln1);
    }
    countPeakAndItems(state);
}

void BM_PolylineGroup(benchmark::State& state)
{
    run(state, buildChain, 8);
}

void BM_DimensionGroup(benchmark::State& state)
{
    run(state, buildDimension, 5);
}

}  // namespace

BENCHMARK(BM_PolylineGroup)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DimensionGroup)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
