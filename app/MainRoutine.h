#pragma once

#include "ui/MainView.h"

#include <functional>

class IControllerDialogs;
class IParameterDialogs;
class TBusinessLogicLayer;
class TMainFormController;
class TManagementLayer;

// What the running program is made of, as a test's steps see it.
struct TRunningProgram {
    TBusinessLogicLayer& Lists;
    TManagementLayer& Management;
    TMainFormController& Controller;
};

// Seams for tests; the program passes none.
struct TMainRoutineHooks {
    // Makes the main window instead of the program's own.
    TMainViewClass FormClass;
    // Dialogs instead of the program's own windows.
    IControllerDialogs* ControllerDialogs = nullptr;
    IParameterDialogs* ParameterDialogs = nullptr;
    // Runs once the message loop has started.
    std::function<void(const TRunningProgram& program)> Running;
};

// The program from start to end: creates the error log and handler, the business-logic and management
// layers, the application object, the message boxes, the clipboard, the dialogs and the main window with its
// controller, and hands each its collaborators; loads the settings again to place the
// window and apply each list's looks; runs the message loop until the main window closes; then saves the
// settings and frees everything in reverse order, also after a failed start. Returns the exit code.
int MainRoutine(int& argc, char** argv, const TMainRoutineHooks& hooks = {});
