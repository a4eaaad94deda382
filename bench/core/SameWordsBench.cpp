#include "bench/core/FreshList.h"
#include "core/ListComparison.h"

#include <benchmark/benchmark.h>

namespace {

// "Delete Same Words In Another Order" on generated phrases, which repeat their words in other orders often.
void BM_DeleteSameWordsInOtherOrderAtScale(benchmark::State& state) {
    TimeOnFreshList(state,
                    [](TKeyItems& list) { benchmark::DoNotOptimize(DeleteSameWordsInOtherOrder(list)); });
}
BENCHMARK(BM_DeleteSameWordsInOtherOrderAtScale)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
