#include "bench/core/BenchLists.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>

// The steps of the whole job on phrases of each language (argument 1: 0 English, 1 Russian, 2 German and
// French), to hold the others against English at the same entry count.
namespace {

constexpr int M = 1'000'000;

TPhraseLanguage LanguageOf(const benchmark::State& state) {
    return static_cast<TPhraseLanguage>(state.range(1));
}

void BM_LanguageRead(benchmark::State& state) {
    const auto path = (std::filesystem::temp_directory_path() / "pt-bench-language.txt").string();
    {
        const std::string& text = PhraseText(static_cast<std::size_t>(state.range(0)), LanguageOf(state));
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        TKeyItems list;
        ReadKeywordFile(path, list);
        benchmark::DoNotOptimize(list.Count());
    }
    std::remove(path.c_str());
}

// As in the job, a step sees the list that the steps before it left.
template <class TStep> void OnFreshList(benchmark::State& state, TStep step, bool unique = false) {
    TKeyItems list;
    for (auto _ : state) {
        state.PauseTiming();
        LoadPhrases(list, static_cast<std::size_t>(state.range(0)), LanguageOf(state));
        if (unique)
            list.RemoveDuplicates();
        state.ResumeTiming();
        step(list);
    }
}

void BM_LanguageDuplicates(benchmark::State& state) {
    OnFreshList(state, [](TKeyItems& list) { benchmark::DoNotOptimize(list.RemoveDuplicates()); });
}

void BM_LanguageSort(benchmark::State& state) {
    OnFreshList(
        state, [](TKeyItems& list) { list.SortBy(1); }, true);
}

void BM_LanguageHighlight(benchmark::State& state) {
    static const std::vector<std::string> terms[] = {{"SHOES"}, {"ОБУВЬ"}, {"SCHUHE"}};
    TKeyItems list;
    LoadPhrases(list, static_cast<std::size_t>(state.range(0)), LanguageOf(state));
    for (auto _ : state) {
        list.Highlighted.Clear();
        list.HighlightByTerms(terms[state.range(1)], TKeyItems::TermAnywhere);
    }
    state.counters["picked"] = list.Highlighted.Count();
}

} // namespace

BENCHMARK(BM_LanguageRead)->ArgsProduct({{M}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LanguageDuplicates)->ArgsProduct({{M}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LanguageSort)->ArgsProduct({{M}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LanguageHighlight)->ArgsProduct({{M}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
