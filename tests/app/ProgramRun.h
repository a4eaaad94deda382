#pragma once

#include "app/MainRoutine.h"
#include "tests/ui/FakeMainView.h"
#include "ui/MainFormController.h"
#include "ui/MainWindow.h"

#include <functional>

// The program a test runs, while its steps run.
inline const TRunningProgram* TestedProgram = nullptr;

inline TfrmMain& Window() {
    return *static_cast<TfrmMain*>(TestedProgram->Controller.Form);
}

// Runs the program; steps run once the loop is going, with dialogs asking the parameters through the
// program's management layer, and the main window is closed after them whatever they found.
inline int RunWithSteps(int& argc, char** argv, TMainRoutineHooks hooks, TFakeControllerDialogs& dialogs,
                        std::function<void()> steps) {
    hooks.Running = [&dialogs, steps = std::move(steps)](const TRunningProgram& running) {
        TestedProgram = &running;
        dialogs.management = &running.Management;
        steps();
        Window().close();
    };
    return MainRoutine(argc, argv, hooks);
}
