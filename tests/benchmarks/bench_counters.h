// The counters every whole-conversion benchmark reports.
#pragma once

#include <benchmark/benchmark.h>

#include <sys/resource.h>

// The process's peak resident memory so far, and the entities per second
// (the size argument is the entity count).
inline void countPeakAndItems(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = usage.ru_maxrss / 1024.0;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
