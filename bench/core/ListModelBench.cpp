#include "bench/core/ReadFileTiming.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>

namespace {

void BM_AddKeywordFromBuffer(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string& text = PhraseText(count);
    for (auto _ : state) {
        TKeyItems list;
        TKeywordTextParser parser(list);
        parser.Feed(text);
        parser.Finish();
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_RemoveDuplicates(benchmark::State& state) {
    TKeyItems list;
    for (auto _ : state) {
        state.PauseTiming();
        LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
        state.ResumeTiming();
        benchmark::DoNotOptimize(list.RemoveDuplicates());
    }
}

void BM_SortBy(benchmark::State& state) {
    TKeyItems list;
    for (auto _ : state) {
        state.PauseTiming();
        LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
        state.ResumeTiming();
        list.SortBy(static_cast<std::uint8_t>(state.range(1)));
    }
}

void BM_DeleteHighlightedHalf(benchmark::State& state) {
    TKeyItems list;
    for (auto _ : state) {
        state.PauseTiming();
        LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
        list.Highlighted.Clear();
        for (int i = 0; i < list.Count(); i += 2)
            list.Highlighted.Add(i);
        state.ResumeTiming();
        list.DeleteHighlighted();
    }
}

void BM_AllToTextFile(benchmark::State& state) {
    TKeyItems list;
    LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
    const auto path = (std::filesystem::temp_directory_path() / "pt-bench-export.txt").string();
    for (auto _ : state)
        list.AllToTextFile(path);
    std::remove(path.c_str());
}

void BM_ReadKeywordFile(benchmark::State& state) {
    TimeReadingFile(state, PhraseText(static_cast<std::size_t>(state.range(0))));
}

constexpr int M = 1'000'000;

} // namespace

BENCHMARK(BM_AddKeywordFromBuffer)->Arg(M)->Arg(10 * M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadKeywordFile)->Arg(M)->Arg(10 * M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveDuplicates)->Arg(M)->Arg(10 * M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBy)->ArgsProduct({{M, 10 * M}, {1, 2, 3, 4}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteHighlightedHalf)->Arg(M)->Arg(10 * M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllToTextFile)->Arg(M)->Arg(10 * M)->Unit(benchmark::kMillisecond);
