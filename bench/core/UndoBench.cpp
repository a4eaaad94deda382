#include "bench/core/BenchLists.h"
#include "core/UndoHistory.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace {

constexpr int M = 1'000'000;
constexpr double Megabyte = 1 << 20;

using TClock = std::chrono::steady_clock;

double SecondsOf(const std::function<void()>& work) {
    const auto start = TClock::now();
    work();
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// What the level of a command keeps, as the window chooses it: a copy of the list, the entries of the few
// highlighted rows it deletes, the order its sort made, the texts its rewrite replaced, or the duplicates
// it removed.
enum class TKeeps { Copy, Rows, Order, Texts, Duplicates };

// A command timed with its undo level: on a fresh list of phrases or on an empty one, with every stride-th
// entry highlighted.
struct TUndoCase {
    const char* Name;
    bool StartEmpty;
    std::size_t (*Stride)(std::size_t entries);
    TKeeps Keeps;
    void (*Command)(TKeyItems& list, std::size_t entries);
};

std::unique_ptr<TUndoLevel> LevelOf(TKeeps keeps, TKeyItems& list, const std::vector<int>& rows) {
    switch (keeps) {
    case TKeeps::Rows:
        return TUndoLevel::ForRemoval("command", list, {}, RunsOf(rows));
    case TKeeps::Order:
        return TUndoLevel::ForSort("command", list, {});
    case TKeeps::Texts:
        return TUndoLevel::ForRewrite("command", list, {});
    case TKeeps::Duplicates:
        return TUndoLevel::ForDuplicates("command", list, {});
    case TKeeps::Copy:
        break;
    }
    return std::make_unique<TUndoLevel>("command", list, std::vector<TRowRun>{}, true);
}

// The time is that of the undo; the counters give the taking of the level, the command, the redo, and the
// bytes of the level before (what undo puts back) and after the undo (what redo puts back).
void TimeUndo(benchmark::State& state, const TUndoCase& undoCase) {
    const auto entries = static_cast<std::size_t>(state.range(0));
    double take = 0, command = 0, redo = 0, levelBytes = 0, redoBytes = 0;
    for (auto _ : state) {
        TKeyItems list;
        if (!undoCase.StartEmpty)
            LoadPhrases(list, entries);
        std::vector<int> removed;
        if (undoCase.Stride)
            for (std::size_t i = 0; i < entries; i += undoCase.Stride(entries))
                removed.push_back(static_cast<int>(i));
        TUndoHistory history(std::size_t{1} << 40);
        std::unique_ptr<TUndoLevel> level;
        take += SecondsOf([&] { level = LevelOf(undoCase.Keeps, list, removed); });
        list.Highlighted.Clear();
        for (int row : removed)
            list.Highlighted.Add(row);
        // A level that the command fills costs within the command.
        command += SecondsOf([&] {
            undoCase.Command(list, entries);
            level->Detach();
        });
        levelBytes = static_cast<double>(level->Bytes());
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
    state.counters["command_ms"] = perRun(command);
    state.counters["redo_ms"] = perRun(redo);
    state.counters["level_MB"] = levelBytes / Megabyte;
    state.counters["redo_level_MB"] = redoBytes / Megabyte;
}

const TUndoCase Cases[] = {
    {"BM_Undo/DuplicateEntries", false, nullptr, TKeeps::Duplicates,
     [](TKeyItems& l, std::size_t) { l.RemoveDuplicates(); }},
    {"BM_Undo/SortAscending", false, nullptr, TKeeps::Order, [](TKeyItems& l, std::size_t) { l.SortBy(1); }},
    {"BM_Undo/RepeatedSpaces", false, nullptr, TKeeps::Texts,
     [](TKeyItems& l, std::size_t) { l.CollapseSpaces(); }},
    {"BM_Undo/LowerCase", false, nullptr, TKeeps::Texts, [](TKeyItems& l, std::size_t) { l.ToLowerCase(); }},
    {"BM_Undo/UpperCase", false, nullptr, TKeeps::Texts, [](TKeyItems& l, std::size_t) { l.ToUpperCase(); }},
    {"BM_Undo/DeleteHalfHighlighted", false, [](std::size_t) -> std::size_t { return 2; }, TKeeps::Copy,
     [](TKeyItems& l, std::size_t) { l.DeleteHighlighted(); }},
    {"BM_Undo/DeleteTenHighlighted", false, [](std::size_t n) { return n / 10; }, TKeeps::Rows,
     [](TKeyItems& l, std::size_t) { l.DeleteHighlighted(); }},
    {"BM_Undo/ImportIntoEmpty", true, nullptr, TKeeps::Copy,
     [](TKeyItems& l, std::size_t n) { LoadPhrases(l, n); }},
};

const int Registered = [] {
    for (const TUndoCase& undoCase : Cases)
        benchmark::RegisterBenchmark(undoCase.Name,
                                     [&undoCase](benchmark::State& state) { TimeUndo(state, undoCase); })
            ->Arg(M)
            ->Arg(10 * M)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    return 0;
}();

} // namespace
