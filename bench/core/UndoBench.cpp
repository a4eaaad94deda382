#include "bench/core/BenchLists.h"
#include "core/UndoHistory.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <tuple>

namespace {

constexpr int M = 1'000'000;
constexpr double Megabyte = 1 << 20;

using TClock = std::chrono::steady_clock;

double SecondsOf(const std::function<void()>& work) {
    const auto start = TClock::now();
    work();
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// One command on a fresh list of phrases (or on an empty list for an import), with its undo level taken
// first. The time is that of the undo; the counters give the taking of the level, the redo, and the bytes of
// the level before (what undo puts back) and after the undo (what redo puts back).
void TimeUndo(benchmark::State& state, bool startEmpty,
              const std::function<void(TKeyItems&, std::size_t)>& command) {
    const auto entries = static_cast<std::size_t>(state.range(0));
    double take = 0, redo = 0, levelBytes = 0, redoBytes = 0;
    for (auto _ : state) {
        TKeyItems list;
        if (!startEmpty)
            LoadPhrases(list, entries);
        TUndoHistory history(std::size_t{1} << 40);
        std::unique_ptr<TUndoLevel> level;
        take += SecondsOf(
            [&] { level = std::make_unique<TUndoLevel>("command", list, std::vector<TRowRun>{}, true); });
        levelBytes = static_cast<double>(level->Bytes());
        command(list, entries);
        history.Push(std::move(level));
        state.SetIterationTime(SecondsOf([&] { history.Undo(list, {}); }));
        redoBytes = static_cast<double>(history.NextRedo(list)->Bytes());
        redo += SecondsOf([&] { history.Redo(list, {}); });
        benchmark::DoNotOptimize(list.Count());
    }
    const auto perRun = [&](double seconds) {
        return seconds * 1000 / static_cast<double>(state.iterations());
    };
    state.counters["take_ms"] = perRun(take);
    state.counters["redo_ms"] = perRun(redo);
    state.counters["level_MB"] = levelBytes / Megabyte;
    state.counters["redo_level_MB"] = redoBytes / Megabyte;
}

void HighlightEveryOther(TKeyItems& list) {
    list.Highlighted.Clear();
    for (int i = 0; i < list.Count(); i += 2)
        list.Highlighted.Add(i);
}

const std::vector<std::tuple<const char*, bool, std::function<void(TKeyItems&, std::size_t)>>> Commands = {
    {"BM_Undo/DuplicateEntries", false, [](TKeyItems& l, std::size_t) { l.RemoveDuplicates(); }},
    {"BM_Undo/SortAscending", false, [](TKeyItems& l, std::size_t) { l.SortBy(1); }},
    {"BM_Undo/RepeatedSpaces", false, [](TKeyItems& l, std::size_t) { l.CollapseSpaces(); }},
    {"BM_Undo/LowerCase", false, [](TKeyItems& l, std::size_t) { l.ToLowerCase(); }},
    {"BM_Undo/DeleteHalfHighlighted", false,
     [](TKeyItems& l, std::size_t) {
         HighlightEveryOther(l);
         l.DeleteHighlighted();
     }},
    {"BM_Undo/ImportIntoEmpty", true,
     [](TKeyItems& l, std::size_t) { LoadPhrases(l, static_cast<std::size_t>(M)); }},
};

const int Registered = [] {
    for (const auto& [name, startEmpty, command] : Commands)
        benchmark::RegisterBenchmark(name, [empty = startEmpty, &op = command](
                                               benchmark::State& state) { TimeUndo(state, empty, op); })
            ->Arg(M)
            ->Arg(10 * M)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    return 0;
}();

} // namespace
