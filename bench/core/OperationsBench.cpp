#include "bench/core/BenchLists.h"
#include "bench/core/BenchTerms.h"
#include "bench/core/FreshList.h"
#include "core/Misspellings.h"
#include "core/Recombination.h"
#include "core/WordRules.h"

#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int M = 1'000'000;
// Enough for every growth these benchmarks cause.
constexpr std::size_t Unlimited = std::size_t{1} << 40;

std::vector<std::string> PhraseStrings(std::size_t count) {
    TKeyItems list;
    LoadPhrases(list, count);
    std::vector<std::string> phrases;
    for (auto t : list.AllTexts())
        phrases.emplace_back(t);
    return phrases;
}

void BM_RemoveTerms(benchmark::State& state) {
    const auto terms = NegativeTerms(static_cast<std::size_t>(state.range(1)));
    TimeOnFreshList(state, [&](TKeyItems& l) { l.RemoveTerms(terms); });
}

// The operations that rewrite or copy every entry, each timed on a fresh list of a million phrases.
const std::vector<std::pair<const char*, std::function<void(TKeyItems&)>>> kEveryEntry = {
    {"BM_CollapseSpaces", [](TKeyItems& l) { l.CollapseSpaces(); }},
    {"BM_CollapseRepeats", [](TKeyItems& l) { l.CollapseRepeats(); }},
    {"BM_RemoveChars",
     [](TKeyItems& l) {
         l.RemoveChars(TCharSet{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'e', 'i', 'o', 'u'});
     }},
    {"BM_TrimChars",
     [](TKeyItems& l) {
         l.TrimChars(TCharSet{' ', 'b', 'e', 's'});
     }},
    {"BM_ToLowerCase", [](TKeyItems& l) { l.ToLowerCase(); }},
    {"BM_ToUpperCase", [](TKeyItems& l) { l.ToUpperCase(); }},
    {"BM_CapitalizeWords", [](TKeyItems& l) { l.CapitalizeWords(); }},
    {"BM_ReplaceText", [](TKeyItems& l) { l.ReplaceText("shoes", "sneakers"); }},
    {"BM_SetMatchType", [](TKeyItems& l) { l.SetMatchType(ExactMatch); }},
    {"BM_PrependText", [](TKeyItems& l) { l.PrependText("buy ", false, Unlimited); }},
    {"BM_AppendTextAsNew", [](TKeyItems& l) { l.AppendText(" online", true, Unlimited); }},
    {"BM_ReplaceAndDuplicate", [](TKeyItems& l) { l.ReplaceAndDuplicate("shoes", "sneakers", Unlimited); }},
};

const int kEveryEntryRegistered = [] {
    for (const auto& [name, operation] : kEveryEntry)
        benchmark::RegisterBenchmark(
            name, [&op = operation](benchmark::State& state) { TimeOnFreshList(state, op); })
            ->Arg(M)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
    return 0;
}();

void BM_AddMatchTypeCopies(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.AddMatchTypeCopies(PhraseMatch, Unlimited); });
}

void BM_HighlightByTerms(benchmark::State& state) {
    TKeyItems list;
    LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
    const auto terms = state.range(1) == 1 ? std::vector<std::string>{"SHOES"}
                                           : NegativeTerms(static_cast<std::size_t>(state.range(1)));
    const auto position = static_cast<std::uint8_t>(state.range(2));
    for (auto _ : state) {
        list.Highlighted.Clear();
        list.HighlightByTerms(terms, position);
    }
    state.counters["picked"] = list.Highlighted.Count();
}

void BM_HighlightByWordCount(benchmark::State& state) {
    TKeyItems list;
    LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        list.Highlighted.Clear();
        list.HighlightByWordCount(3, TKeyItems::WordsMoreThan);
    }
}

// Multiplying: new entries per second of output.
void TimeGrowth(benchmark::State& state, const std::function<void(TKeyItems&)>& operation) {
    std::int64_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TKeyItems target;
        state.ResumeTiming();
        operation(target);
        added += target.Count();
        state.PauseTiming();
        target.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(added);
}

void BM_AddMisspellings(benchmark::State& state) {
    const auto phrases = PhraseStrings(static_cast<std::size_t>(state.range(0)));
    const auto kinds = static_cast<int>(state.range(1));
    TimeGrowth(state, [&](TKeyItems& target) { AddMisspellings(phrases, kinds, target, Unlimited); });
}

void BM_RecombineWords(benchmark::State& state) {
    const auto phrases = PhraseStrings(static_cast<std::size_t>(state.range(0)));
    const auto limit = static_cast<int>(state.range(1));
    TimeGrowth(state, [&](TKeyItems& target) { RecombineWords(phrases, limit, target, Unlimited); });
}

} // namespace

BENCHMARK(BM_RemoveTerms)->Args({M, 100})->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_AddMatchTypeCopies)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_HighlightByTerms)
    ->ArgsProduct({{M}, {1}, {3}})
    ->ArgsProduct({{M}, {5000}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HighlightByWordCount)->Arg(M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddMisspellings)
    ->Args({100'000, 15})
    ->Args({M, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
// All four kinds on a million phrases: some 159 million entries and several gigabytes, so run it on its own.
BENCHMARK(BM_AddMisspellings)->Args({M, 15})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RecombineWords)->Args({M, 4})->Unit(benchmark::kMillisecond)->Iterations(2);
