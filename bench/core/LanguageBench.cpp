#include "bench/core/ReadFileTiming.h"

#include <benchmark/benchmark.h>

// The steps of the whole job on phrases of each language (argument 1: 0 English, 1 Russian, 2 German and
// French), to hold the others against English at the same entry count.
namespace {

constexpr int M = 1'000'000;

TPhraseLanguage LanguageOf(const benchmark::State& state) {
    return static_cast<TPhraseLanguage>(state.range(1));
}

void BM_LanguageRead(benchmark::State& state) {
    TimeReadingFile(state, PhraseText(static_cast<std::size_t>(state.range(0)), LanguageOf(state)));
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
