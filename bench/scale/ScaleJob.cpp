// The whole job of a keyword list on the real program, started offscreen as a user starts it: import a
// file, "Duplicate Entries", sort ascending, "Repeated Spaces", highlight the entries with a term, export
// the list to a file. Each repetition starts from an empty list. A step's time runs from the user's action
// to the repainted list, answering the program's dialogs and boxes at once; the benchmark's time is the
// whole job. The peak resident memory of the process is reported beside the size of the file.
//   scale_bench --phrases=FILE --output=FILE [--term=TERM, default shoes] [Google Benchmark options]
#include "app/MainRoutine.h"
#include "bench/scale/JobSupport.h"
#include "core/KeyItems.h"
#include "dialogs/AskWordsDialog.h"
#include "dialogs/ButtonEx.h"
#include "dialogs/ModalRun.h"
#include "ui/Action.h"
#include "ui/MainFormController.h"
#include "ui/MainWindow.h"
#include "ui/ODListView.h"

#include <benchmark/benchmark.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <filesystem>

namespace {

std::string PhraseFile;
std::string OutputFile;
std::string Term = "shoes";

// The program that runs the job.
const TRunningProgram* Program = nullptr;

TfrmMain& Window() {
    return *static_cast<TfrmMain*>(Program->Controller.Form);
}

// What the user answers: the phrase file to open, the output file to save, the term to look for, and the
// default button of every box.
void Answer(QDialog& dialog) {
    if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        const bool open = files->acceptMode() == QFileDialog::AcceptOpen;
        files->selectFile(QString::fromStdString(open ? PhraseFile : OutputFile));
        dialog.accept();
    } else if (auto* words = qobject_cast<TfrmAskWords*>(&dialog)) {
        words->mmWords->setPlainText(QString::fromStdString(Term));
        words->accept();
    } else if (auto* box = qobject_cast<QMessageBox*>(&dialog); box && box->defaultButton()) {
        box->defaultButton()->click();
    } else {
        dialog.accept();
    }
}

void Trigger(const char* command) {
    TAction* action = Program->Controller.FindAction(command);
    action->Update();
    action->trigger();
}

// Milliseconds from the action to the repainted list.
template <class TAct> double Step(TAct act) {
    const auto start = std::chrono::steady_clock::now();
    act();
    Window().lvMain->viewport()->repaint();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_Job(benchmark::State& state) {
    TKeyItems& list = *Program->Controller.CurrentList();
    int imported = 0, unique = 0, highlighted = 0;
    for (auto _ : state) {
        // Through the program, before which a save of the kept lists that is running gives up; a fresh start
        // has no undo levels either.
        if (list.Count() > 0)
            Trigger("aDeleteAll");
        Program->Controller.ForgetUndoOf(list);
        if (list.Count() > 0) {
            state.SkipWithError("the list could not be emptied");
            break;
        }
        // Otherwise the save dialog asks whether to replace the last repetition's file.
        std::filesystem::remove(OutputFile);
        const double import = Step([] { QTest::mouseClick(Window().btnImport, Qt::LeftButton); });
        imported = list.Count();
        const double dedupe = Step([] { Trigger("aDeleteDuplicates"); });
        unique = list.Count();
        const double sort = Step([] { Trigger("aModifySortAsc"); });
        const double spaces = Step([] { Trigger("aCleanRepeatedSpaces"); });
        const double highlight = Step([] { Trigger("aHighlightWordAtAnyWhere"); });
        highlighted = Window().SelectedCount();
        const double exported = Step([] { Trigger("aExportToFile"); });
        const double total = import + dedupe + sort + spaces + highlight + exported;
        state.SetIterationTime(total / 1000);
        state.counters["1 import ms"] = import;
        state.counters["2 duplicates ms"] = dedupe;
        state.counters["3 sort ms"] = sort;
        state.counters["4 spaces ms"] = spaces;
        state.counters["5 highlight ms"] = highlight;
        state.counters["6 export ms"] = exported;
    }
    const double fileMegabytes = static_cast<double>(std::filesystem::file_size(PhraseFile)) / (1 << 20);
    state.counters["imported"] = imported;
    state.counters["unique"] = unique;
    state.counters["highlighted"] = highlighted;
    state.counters["file MB"] = fileMegabytes;
    state.counters["peak RSS MB"] = PeakResidentMegabytes();
    state.counters["peak / file"] = PeakResidentMegabytes() / fileMegabytes;
    if (!std::filesystem::exists(OutputFile) || unique == 0 || highlighted == 0)
        state.SkipWithError("the job did not run through");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PhraseFile = std::filesystem::absolute(TakeOption(argc, argv, "phrases")).string();
    OutputFile = std::filesystem::absolute(TakeOption(argc, argv, "output")).string();
    if (std::string term = TakeOption(argc, argv, "term"); !term.empty())
        Term = term;
    if (!std::filesystem::is_regular_file(PhraseFile) || OutputFile.empty()) {
        std::fprintf(stderr, "usage: %s --phrases=FILE --output=FILE [benchmark options]\n", argv[0]);
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("ScaleJob", BM_Job)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    SetModalShownHook(Answer);
    TMainRoutineHooks hooks;
    hooks.Running = [](const TRunningProgram& program) {
        Program = &program;
        benchmark::RunSpecifiedBenchmarks();
        Window().close();
    };
    const int result = MainRoutine(argc, argv, hooks);
    SetModalShownHook(nullptr);
    benchmark::Shutdown();
    return result;
}
