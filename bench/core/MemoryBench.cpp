#include "bench/core/BenchLists.h"
#include "core/UndoHistory.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

// Memory that no file backs, as the system counts it for this process.
double AnonymousBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("RssAnon:"))
            return std::stod(line.substr(8)) * 1024;
    return 0;
}

// The memory a list of phrases holds, in bytes per entry loaded: after the load, after "Duplicate Entries"
// and after the sort, each with its undo level kept as the window keeps it. "list" is what the sorted list
// itself holds, and "text+16" the bound it should keep to: its texts with a line break each, and 16 bytes.
void BM_BytesPerEntry(benchmark::State& state) {
    const auto entries = static_cast<std::size_t>(state.range(0));
    PhraseText(entries);
    double load = 0, duplicates = 0, sort = 0, list = 0, bound = 0;
    for (auto _ : state) {
        const double before = AnonymousBytes();
        const auto perEntry = [&](double bytes) { return bytes / static_cast<double>(entries); };
        TKeyItems keywords;
        LoadPhrases(keywords, entries);
        load = perEntry(AnonymousBytes() - before);
        auto duplicatesLevel = TUndoLevel::ForDuplicates("duplicates", keywords, {});
        keywords.RemoveDuplicates();
        keywords.Highlighted.Clear();
        duplicatesLevel->Detach();
        duplicates = perEntry(AnonymousBytes() - before);
        auto sortLevel = TUndoLevel::ForSort("sort", keywords, {});
        keywords.SortBy(1);
        sortLevel->Detach();
        sort = perEntry(AnonymousBytes() - before);
        const auto count = static_cast<double>(keywords.Count());
        list = static_cast<double>(keywords.EntriesMemory()) / count;
        bound = static_cast<double>(keywords.TextBytes()) / count + 1 + 16;
    }
    state.counters["load B/entry"] = load;
    state.counters["duplicates B/entry"] = duplicates;
    state.counters["sort B/entry"] = sort;
    state.counters["list B/entry"] = list;
    state.counters["text+16 B/entry"] = bound;
}

BENCHMARK(BM_BytesPerEntry)->Arg(1'000'000)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
