// The live filter of a list view over generated phrases: the time from a change of the filter text to its
// rows shown and painted, with the window's events handled meanwhile as its event loop would.
#include "bench/core/BenchLists.h"
#include "ui/ListFilter.h"
#include "ui/ODListView.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

struct TFiltered {
    TKeyItems List;
    TODListView View;
    TListFilter Filter{View, [this] { return &List; }};
};

TFiltered& Filtered(std::size_t rows) {
    // Never deleted: the view must not outlive the application, which ends after the benchmarks.
    static TFiltered* filtered = nullptr;
    if (!filtered) {
        filtered = new TFiltered();
        filtered->View.OnData = [](int row, TODRow& data) {
            data.SubItem = QString::fromUtf8(filtered->List.GetKeyItem(row).Text());
        };
        filtered->View.resize(619, 268);
        filtered->View.show();
    }
    if (static_cast<std::size_t>(filtered->List.Count()) != rows) {
        filtered->Filter.SetText({});
        LoadPhrases(filtered->List, rows);
        filtered->View.SetRowCount(filtered->List.Count());
    }
    QCoreApplication::processEvents();
    return *filtered;
}

void Show(TFiltered& filtered, const char* text) {
    filtered.Filter.SetText(QString::fromUtf8(text));
    while (filtered.Filter.Searching())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    filtered.View.viewport()->repaint();
}

// Times the change from the texts typed before (in order, on a list the filter has not read yet) to the text
// after.
void TimeChange(benchmark::State& state, std::initializer_list<const char*> before, const char* after) {
    TFiltered& filtered = Filtered(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        Show(filtered, "");
        filtered.Filter.ListChanged();
        for (const char* text : before)
            Show(filtered, text);
        state.ResumeTiming();
        Show(filtered, after);
    }
    state.counters["shown"] = filtered.View.ShownCount();
}

void BM_FilterFirstLetter(benchmark::State& state) {
    TimeChange(state, {}, "s");
}
void BM_FilterSecondLetter(benchmark::State& state) {
    TimeChange(state, {"s"}, "sh");
}
// A word no phrase holds: every entry is read to its end.
void BM_FilterRareWord(benchmark::State& state) {
    TimeChange(state, {}, "zipper");
}
// Deleting the letter typed last, and deleting a letter of a text pasted whole.
void BM_FilterBackspace(benchmark::State& state) {
    TimeChange(state, {"s", "sh"}, "s");
}
void BM_FilterBackspaceAfterPaste(benchmark::State& state) {
    TimeChange(state, {"sh"}, "s");
}
void BM_FilterCleared(benchmark::State& state) {
    TimeChange(state, {"s"}, "");
}

#define PT_FILTER_BENCHMARK(name)                                                                            \
    BENCHMARK(name)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime()
PT_FILTER_BENCHMARK(BM_FilterFirstLetter);
PT_FILTER_BENCHMARK(BM_FilterSecondLetter);
PT_FILTER_BENCHMARK(BM_FilterRareWord);
PT_FILTER_BENCHMARK(BM_FilterBackspace);
PT_FILTER_BENCHMARK(BM_FilterBackspaceAfterPaste);
PT_FILTER_BENCHMARK(BM_FilterCleared);

} // namespace
