// The selection commands of the controller at a million rows, through a view that keeps its selection in a
// byte per row as the real list view does.
#include "bench/core/PhraseGenerator.h"
#include "core/BusinessLogicLayer.h"
#include "frame/ErrorLog.h"
#include "frame/ManagementLayer.h"
#include "tests/ui/FakeMainView.h"
#include "ui/Application.h"
#include "ui/MainFormController.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Rows = 1'000'000;

struct TControllerFixture {
    TFakeMainView* view = nullptr;
    TFakeControllerDialogs dialogs;
    TFakeParameterDialogs parameters;
    TFakeClipboard clipboard;
    TBusinessLogicLayer lists;
    TErrorLog log;
    TManagementLayer management{lists, log};
    TMainFormController* controller = nullptr;

    TControllerFixture() {
        management.SetParameterDialogs(&parameters);
        dialogs.management = &management;
        controller = new TMainFormController([this] { return view = new TFakeMainView(); },
                                             {lists, management, dialogs, clipboard});
        TKeyItems& list = *lists.CurrentList();
        for (const auto& phrase : GeneratePhrases(Rows))
            list.AddKeyword(phrase);
        controller->RefreshView(false, false);
    }
    ~TControllerFixture() { delete controller; }
    void Run(const char* name) { controller->FindAction(name)->trigger(); }
};

TControllerFixture& Fixture() {
    static TControllerFixture fixture;
    return fixture;
}

void BM_SelectAll(benchmark::State& state) {
    auto& f = Fixture();
    for (auto _ : state)
        f.Run("aHighlightAll");
}

void BM_InvertSelection(benchmark::State& state) {
    auto& f = Fixture();
    for (auto _ : state)
        f.Run("aHighlightInvert");
}

void BM_SelectNone(benchmark::State& state) {
    auto& f = Fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.view->SelectAll();
        state.ResumeTiming();
        f.Run("aHighlightNone");
    }
}

void BM_HighlightByTerm(benchmark::State& state) {
    auto& f = Fixture();
    f.parameters.lines = {"shoes"};
    for (auto _ : state)
        f.Run("aHighlightWordAtAnyWhere");
    state.counters["selected"] = f.view->SelectedCount();
}

void BM_CollectHighlighted(benchmark::State& state) {
    auto& f = Fixture();
    f.view->ClearSelection();
    for (int i = 0; i < Rows; i += 2)
        f.view->SetRowSelected(i, true);
    TIntList highlighted;
    for (auto _ : state)
        f.controller->CollectHighlighted(highlighted);
}

} // namespace

BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectNone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HighlightByTerm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectHighlighted)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
