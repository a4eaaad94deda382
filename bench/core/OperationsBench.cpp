#include "BenchLists.h"
#include "BenchTerms.h"
#include "Misspellings.h"
#include "Recombination.h"
#include "WordRules.h"

#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int M = 1'000'000;
// Enough for every growth these benchmarks cause.
constexpr std::size_t Unlimited = std::size_t{1} << 40;

// Times one operation on a freshly loaded list of phrases; loading is not timed.
void TimeOnFreshList(benchmark::State& state, const std::function<void(TKeyItems&)>& operation) {
    TKeyItems list;
    for (auto _ : state) {
        state.PauseTiming();
        LoadPhrases(list, static_cast<std::size_t>(state.range(0)));
        state.ResumeTiming();
        operation(list);
    }
}

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

void BM_CollapseSpaces(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.CollapseSpaces(); });
}

void BM_CollapseRepeats(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.CollapseRepeats(); });
}

void BM_RemoveChars(benchmark::State& state) {
    const TCharSet digitsAndVowels{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'e', 'i', 'o', 'u'};
    TimeOnFreshList(state, [&](TKeyItems& l) { l.RemoveChars(digitsAndVowels); });
}

void BM_TrimChars(benchmark::State& state) {
    const TCharSet set{' ', 'b', 'e', 's'};
    TimeOnFreshList(state, [&](TKeyItems& l) { l.TrimChars(set); });
}

void BM_ToLowerCase(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.ToLowerCase(); });
}

void BM_ToUpperCase(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.ToUpperCase(); });
}

void BM_CapitalizeWords(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.CapitalizeWords(); });
}

void BM_ReplaceText(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.ReplaceText("shoes", "sneakers"); });
}

void BM_SetMatchType(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.SetMatchType(ExactMatch); });
}

void BM_PrependText(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.PrependText("buy ", false, Unlimited); });
}

void BM_AppendTextAsNew(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.AppendText(" online", true, Unlimited); });
}

void BM_ReplaceAndDuplicate(benchmark::State& state) {
    TimeOnFreshList(state, [](TKeyItems& l) { l.ReplaceAndDuplicate("shoes", "sneakers", Unlimited); });
}

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
BENCHMARK(BM_CollapseSpaces)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CollapseRepeats)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RemoveChars)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_TrimChars)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ToLowerCase)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ToUpperCase)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CapitalizeWords)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ReplaceText)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SetMatchType)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_PrependText)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_AppendTextAsNew)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ReplaceAndDuplicate)->Arg(M)->Unit(benchmark::kMillisecond)->Iterations(10);
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
BENCHMARK(BM_RecombineWords)->Args({M, 4})->Unit(benchmark::kMillisecond)->Iterations(2);
