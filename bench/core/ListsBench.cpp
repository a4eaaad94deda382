#include "bench/core/BenchLists.h"
#include "bench/core/BenchTerms.h"
#include "bench/core/FreshList.h"
#include "core/ListComparison.h"
#include "core/WordFrequency.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

constexpr int M = 1'000'000;

// The other list of the across-list commands: state.range(1) negative terms, made once per process.
const TKeyItems& Negatives(benchmark::State& state) {
    static std::map<std::int64_t, TKeyItems> lists;
    const auto [at, made] = lists.try_emplace(state.range(1));
    if (made)
        for (const auto& term : NegativeTerms(static_cast<std::size_t>(state.range(1))))
            at->second.AddKeyword(term);
    return at->second;
}

void BM_DeleteContainingWordsOf(benchmark::State& state) {
    const TKeyItems& negatives = Negatives(state);
    TimeOnFreshList(
        state, [&](TKeyItems& list) { benchmark::DoNotOptimize(DeleteContainingWordsOf(list, negatives)); });
}
BENCHMARK(BM_DeleteContainingWordsOf)
    ->Args({M, 100'000})
    ->Args({1000, 100'000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_DeleteFoundIn(benchmark::State& state) {
    const TKeyItems& negatives = Negatives(state);
    TimeOnFreshList(state,
                    [&](TKeyItems& list) { benchmark::DoNotOptimize(DeleteFoundIn(list, negatives)); });
}
BENCHMARK(BM_DeleteFoundIn)->Args({M, 100'000})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HighlightFoundIn(benchmark::State& state) {
    const TKeyItems& negatives = Negatives(state);
    TimeOnFreshList(state, [&](TKeyItems& list) {
        list.Highlighted.Clear();
        HighlightFoundIn(list, negatives);
    });
}
BENCHMARK(BM_HighlightFoundIn)->Args({M, 100'000})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KeepOnlyFoundIn(benchmark::State& state) {
    const TKeyItems& negatives = Negatives(state);
    TimeOnFreshList(state,
                    [&](TKeyItems& list) { benchmark::DoNotOptimize(KeepOnlyFoundIn(list, negatives)); });
}
BENCHMARK(BM_KeepOnlyFoundIn)->Args({M, 100'000})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AddMissingFrom(benchmark::State& state) {
    const TKeyItems& negatives = Negatives(state);
    TimeOnFreshList(state,
                    [&](TKeyItems& list) { benchmark::DoNotOptimize(AddMissingFrom(list, negatives)); });
}
BENCHMARK(BM_AddMissingFrom)->Args({M, 100'000})->Unit(benchmark::kMillisecond)->UseRealTime();

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
