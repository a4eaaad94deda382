#include "bench/core/BenchLists.h"
#include "bench/core/BenchTerms.h"
#include "bench/core/FreshList.h"
#include "core/ListComparison.h"
#include "core/WordFrequency.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int M = 1'000'000;

void BM_DeleteContainingWordsOf(benchmark::State& state) {
    TKeyItems negatives;
    for (const auto& term : NegativeTerms(static_cast<std::size_t>(state.range(1))))
        negatives.AddKeyword(term);
    TimeOnFreshList(
        state, [&](TKeyItems& list) { benchmark::DoNotOptimize(DeleteContainingWordsOf(list, negatives)); });
}
BENCHMARK(BM_DeleteContainingWordsOf)
    ->Args({M, 100'000})
    ->Args({1000, 100'000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_DeleteSameWordsInOtherOrder(benchmark::State& state) {
    TimeOnFreshList(state,
                    [](TKeyItems& list) { benchmark::DoNotOptimize(DeleteSameWordsInOtherOrder(list)); });
}
BENCHMARK(BM_DeleteSameWordsInOtherOrder)->Arg(M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CountWordFrequencies(benchmark::State& state) {
    TKeyItems list;
    LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
    std::size_t distinct = 0;
    for (auto _ : state)
        distinct = CountWordFrequencies(list, static_cast<int>(state.range(1))).size();
    state.counters["distinct"] = static_cast<double>(distinct);
}
BENCHMARK(BM_CountWordFrequencies)->Args({M, 1})->Args({M, 3})->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
