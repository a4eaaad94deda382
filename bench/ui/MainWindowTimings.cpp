// Each case is one user action on the real main window, shown offscreen, followed by the synchronous repaint
// of the list view, so the time is what the user waits for. The current list holds 10,000,000 entries
// unless --rows says otherwise.
#include "bench/core/BenchLists.h"

#include "core/BusinessLogicLayer.h"
#include "dialogs/ButtonEx.h"
#include "frame/ErrorLog.h"
#include "frame/ManagementLayer.h"
#include "ui/Action.h"
#include "ui/Application.h"
#include "ui/ControllerDialogs.h"
#include "ui/ListFilter.h"
#include "ui/MainFormController.h"
#include "ui/MainWindow.h"
#include "ui/SystemClipboard.h"

#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTest>

#include <cstring>

namespace {

class TNoDialogs : public IControllerDialogs {
public:
    bool RunAddWords(TAddWordsResult&) override { return false; }
    bool RunSelectList(TSelectListResult&) override { return false; }
    TKeyItems* ChooseOtherList(const std::string&) override { return nullptr; }
    bool RunCombineWords(const TCombineWordsRequest&, TMultiplyResult&) override { return false; }
    bool RunMisspellings(bool, TMultiplyResult&) override { return false; }
    bool RunColorsAndFont(TKeyItems&, TFileEncodings&) override { return false; }
    void RunAbout() override {}
    void CheckForUpdates() override {}
    bool AskWords(const std::string&, std::vector<std::string>&, bool) override { return false; }
    int AskWordCount(const std::string&) override { return -1; }
    int AskCharacterCount(const std::string&, int) override { return 0; }
    bool AskCharacters(TCharSet&) override { return false; }
    bool AskWord(std::string&) override { return false; }
    bool AskSearchReplace(std::string&, std::string&) override { return false; }
    bool RunWordFrequency(const TCountWordRuns&, TWordFrequencyResult&) override { return false; }
};

// A timing run answers every box at once, as if it had been closed.
class TNoBoxes : public IMessageBoxes {
public:
    TMsgResult Show(QWidget*, const std::string&, const std::string&, TMsgIcon,
                    TMsgButtons buttons) override {
        return buttons == TMsgButtons::YesNo ? TMsgResult::No
               : buttons == TMsgButtons::Ok  ? TMsgResult::Ok
                                             : TMsgResult::Cancel;
    }
};

TfrmMain* Window = nullptr;
TMainFormController* Controller = nullptr;

void Repaint() {
    Window->lvMain->viewport()->repaint();
}

void Run(const char* command) {
    TAction* action = Controller->FindAction(command);
    action->Update();
    action->trigger();
}

void ClickTab(std::size_t index) {
    QTest::mouseClick(Window->ListTabs()[index], Qt::LeftButton, {}, QPoint(30, 10));
    Repaint();
}

// From the empty List-B to the full List-A.
void BM_SwitchToTheFullList(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        ClickTab(1);
        state.ResumeTiming();
        ClickTab(0);
    }
}

void BM_ScrollToEnd(benchmark::State& state) {
    for (auto _ : state) {
        Window->lvMain->ScrollToRow(Window->RowCount() - 1, false);
        Repaint();
        state.PauseTiming();
        Window->lvMain->ScrollToRow(0, true);
        Repaint();
        state.ResumeTiming();
    }
}

void BM_EndKeySelectsTheLastRow(benchmark::State& state) {
    Window->lvMain->setFocus();
    for (auto _ : state) {
        QTest::keyClick(Window->lvMain, Qt::Key_End);
        Repaint();
        state.PauseTiming();
        QTest::keyClick(Window->lvMain, Qt::Key_Home);
        Repaint();
        state.ResumeTiming();
    }
}

void BM_AllEntries(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Window->ClearSelection();
        state.ResumeTiming();
        QTest::keyClick(Window, Qt::Key_A, Qt::ControlModifier);
        Repaint();
    }
    if (Window->SelectedCount() != Window->RowCount())
        state.SkipWithError("Ctrl+A did not select every row");
}

void BM_InvertSelection(benchmark::State& state) {
    Window->SetRowSelected(0, true);
    for (auto _ : state) {
        Run("aHighlightInvert");
        Repaint();
    }
}

void BM_Refresh(benchmark::State& state) {
    for (auto _ : state) {
        Controller->RefreshView(false, false);
        Repaint();
    }
}

void BM_PageDown(benchmark::State& state) {
    Window->lvMain->setFocus();
    QTest::keyClick(Window->lvMain, Qt::Key_Home);
    for (auto _ : state) {
        QTest::keyClick(Window->lvMain, Qt::Key_PageDown);
        Repaint();
    }
}

void BM_PaintOneScreen(benchmark::State& state) {
    for (auto _ : state)
        Repaint();
}

// Handles events until the filter has shown its rows, as the window's event loop would.
void SettleFilter() {
    while (Window->Filter().Searching())
        QCoreApplication::processEvents();
    Repaint();
}

// A first letter typed into the empty filter box, until its rows are shown: every entry is read.
void BM_FilterFirstLetter(benchmark::State& state) {
    for (auto _ : state) {
        QTest::keyClick(Window->edtFilter, Qt::Key_S);
        SettleFilter();
        state.PauseTiming();
        state.counters["shown"] = Window->lvMain->ShownCount();
        Window->edtFilter->clear();
        SettleFilter();
        state.ResumeTiming();
    }
}

// The next letter typed on: only the entries the previous letter found are read.
void BM_FilterNextLetter(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Window->edtFilter->setText("s");
        SettleFilter();
        state.ResumeTiming();
        QTest::keyClick(Window->edtFilter, Qt::Key_H);
        SettleFilter();
        state.PauseTiming();
        state.counters["shown"] = Window->lvMain->ShownCount();
        state.ResumeTiming();
    }
    Window->edtFilter->clear();
    SettleFilter();
}

// Clearing the filter shows the whole list again.
void BM_FilterCleared(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Window->edtFilter->setText("s");
        SettleFilter();
        state.ResumeTiming();
        Window->edtFilter->clear();
        SettleFilter();
    }
}

BENCHMARK(BM_SwitchToTheFullList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EndKeySelectsTheLastRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Refresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterFirstLetter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterNextLetter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterCleared)->Unit(benchmark::kMillisecond);

std::size_t RowsArgument(int& argc, char** argv) {
    std::size_t rows = 10'000'000;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--rows=", 7) == 0) {
            rows = std::stoul(argv[i] + 7);
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            break;
        }
    return rows;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::size_t rows = RowsArgument(argc, argv);
    benchmark::Initialize(&argc, argv);
    TApplication application(argc, argv);
    TBusinessLogicLayer lists;
    TErrorLog log;
    TManagementLayer management(lists, log);
    TNoBoxes boxes;
    TSystemClipboard clipboard;
    TNoDialogs dialogs;
    Controller = new TMainFormController([&] { return new TfrmMain(lists, boxes); },
                                         {lists, management, dialogs, clipboard});
    Window = static_cast<TfrmMain*>(Controller->Form);
    Window->show();
    if (!QTest::qWaitForWindowExposed(Window))
        return 1;
    LoadPhrases(*lists.CurrentList(), rows);
    Controller->RefreshView(false, false);
    QCoreApplication::processEvents();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete Controller;
    return 0;
}
