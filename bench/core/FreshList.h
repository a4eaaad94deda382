#pragma once

#include "bench/core/BenchLists.h"

#include <benchmark/benchmark.h>

// Times one operation on a freshly loaded list of state.range(0) phrases; loading is not timed.
template <class TOperation> void TimeOnFreshList(benchmark::State& state, TOperation&& operation) {
    TKeyItems list;
    for (auto _ : state) {
        state.PauseTiming();
        LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
        state.ResumeTiming();
        operation(list);
    }
}
